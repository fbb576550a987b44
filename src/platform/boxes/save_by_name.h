#pragma once

#include "file_dialog.h"

namespace platform {

class Backend;

// File > Save where no place on the machine can be chosen (a page): an input box asks for the
// file's name, offering the last one and naming the kinds of file, and takes no empty name;
// the toolkit then puts the file where it keeps what it was given (a browser's downloads).
class SaveByNameDialog final : public FileDialog {
public:
    explicit SaveByNameDialog(Backend& backend) : backend_(backend) {}

protected:
    bool run(std::string& chosen) override;

private:
    Backend& backend_;
};

} // namespace platform
