#pragma once

#include "application.h"
#include "qt_backend.h"

#include <QApplication>
#include <memory>
#include <string>

namespace platform {

// Qt started for the desktop program.
class QtApplication final : public Application {
public:
    QtApplication(int argc, char* argv[], const std::string& title);

    Backend& backend() override { return backend_; }
    int run(std::unique_ptr<Form> mainWindow, std::function<void()> whenShown) override;

private:
    int argc_; // QApplication keeps a reference to it
    QApplication application_;
    QtBackend backend_;
};

} // namespace platform
