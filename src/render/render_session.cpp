#include "render_session.h"

#include "render_error.h"
#include "sound.h"
#include "tform1.h"

#include <sys/stat.h>

namespace render {

namespace {

TForm1Services commandLineServices() {
    TForm1Services services;
    services.settingsStorage = std::make_unique<platform::DiskSettingsStorage>(
        platform::DiskSettingsStorage::kDefaultReadLimit,
        platform::DiskSettingsStorage::Names::FromCommandLine);
    return services;
}

} // namespace

RenderSession::RenderSession()
    : form_(std::make_unique<TForm1>(backend_, commandLineServices())) {}

RenderSession::~RenderSession() = default;

void RenderSession::open(const std::string& settingsPath) {
    // File > Open passes over a folder without a word; a command that was asked for a
    // picture must say why it made none.
    struct stat info;
    if (settingsPath != "-" && ::stat(settingsPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        throw RenderError("'" + settingsPath + "' is a folder, not a settings file");
    form_->openSettingsFile(settingsPath);
}

void RenderSession::setClock(double timecount) {
    sound::timecount = timecount;
}

const platform::PixelCanvas& RenderSession::nextFrame() {
    while (!form_->animationStep()) {
    }
    return form_->graph.canvas();
}

int RenderSession::tickInterval() const {
    return form_->fpschanger.position();
}

int gifDelay(int intervalMilliseconds) {
    int delay = intervalMilliseconds / 10;
    const int rest = intervalMilliseconds % 10;
    if (rest > 5 || (rest == 5 && delay % 2 == 1))
        ++delay;
    return delay;
}

} // namespace render
