#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace platform {
class Application;
} // namespace platform

namespace sd {

// Starts a toolkit as platform::startApplication does.
using StartToolkit = std::function<std::unique_ptr<platform::Application>(
    int argc, char* argv[], const std::string& title)>;

// The desktop program from its command line to its exit status. --help and --version answer on
// `out` before any toolkit starts, so they work without a display; a refused command line is
// one line on `err` and status 2. Otherwise the toolkit starts, the main window is made and
// run, and a settings file given is opened once the window is shown.
int runProgram(int argc, char* argv[], const StartToolkit& startToolkit, std::FILE* out,
               std::FILE* err);

} // namespace sd
