#include "render_session.h"

#include "sound.h"
#include "tform1.h"

namespace render {

namespace {

TForm1Services commandLineServices() {
    TForm1Services services;
    services.settingsStorage = std::make_unique<platform::DiskSettingsStorage>(
        sound::kSettingsFileLimit, platform::DiskSettingsStorage::Names::FromCommandLine);
    return services;
}

} // namespace

RenderSession::RenderSession() : form_(std::make_unique<TForm1>(backend_, commandLineServices())) {}

RenderSession::~RenderSession() = default;

void RenderSession::open(const std::string& settingsPath) {
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
