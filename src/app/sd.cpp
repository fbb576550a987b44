// The program's start: the command line, the toolkit, the main window, and the event loop
// until the program is told to end.
#include "application.h"
#include "program_start.h"
#include "translation.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    // Before anything is said, --help included.
    sound::setLanguage(sound::chooseLanguage(platform::preferredLanguages()));
    return sd::runProgram(argc, argv, platform::startApplication, stdout, stderr);
}
