// A set-up from elsewhere than the File menu: a link in a page's address, a file dropped on
// the window or named on the command line; and the link of the current set-up.
#include "backend.h"
#include "modal_boxes.h"
#include "program_error.h"
#include "setup_link.h"
#include "tform1.h"
#include "translation.h"

void TForm1::openSetupLink(const std::string& fragment) {
    if (!canOpenNow()) {
        // Refused as a drop is. The address already names the refused set-up, and must go
        // back to the one the window shows, though that one was told before.
        toldSetup_ = currentSetup();
        backend_.showSetupLink(sound::setupFragment(toldSetup_));
        return;
    }
    dispatch([&] {
        if (const auto result = sound::readSetupFragment(fragment))
            applyReadSetup(*result);
    });
}

std::string TForm1::setupLink() const {
    return sound::setupFragment(currentSetup());
}

void TForm1::tellChangedSetup() {
    sound::StoredSetup now = currentSetup();
    if (now == toldSetup_)
        return;
    toldSetup_ = std::move(now);
    backend_.showSetupLink(sound::setupFragment(toldSetup_));
}

bool TForm1::canOpenNow() const {
    return OpenO1.takesInput() && platform::ModalBoxes::program().depth() == 0;
}

bool TForm1::canTakeDrop(std::size_t files) const {
    return files == 1 && canOpenNow();
}

bool TForm1::canTakeDrop(const std::vector<std::string>& paths) const {
    return canTakeDrop(paths.size()) && OpenDialog1->filter().matches(paths.front()) &&
           settingsStorage_->isRegularFile(paths.front());
}

void TForm1::dropFiles(const std::vector<std::string>& paths) {
    if (!canTakeDrop(paths))
        return;
    dispatch([&] {
        OpenDialog1->setFileName(paths.front());
        openDialogFileName();
    });
}

void TForm1::openFileArgument(const std::string& path) {
    dispatch([&] {
        // "-" is standard input to the picture command; the window, started from a menu as
        // often as from a terminal, has no input to read there, and says so rather than
        // looking for a file of that name.
        if (path == "-")
            throw sound::ProgramError(sound::tr("標準入力からは読み込めません"));
        OpenDialog1->setFileName(path);
        openSettingsFile(path);
    });
}
