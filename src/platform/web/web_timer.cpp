#include "web_timer.h"

#include "web_page.h"

#include <map>

namespace platform {

namespace {

// The page names a timer by number rather than by address, so that a tick already queued
// for a timer that is gone finds nothing.
std::map<int, WebTimer*>& timers() {
    static std::map<int, WebTimer*> all;
    return all;
}

int nextNumber = 1;

} // namespace

WebTimer::WebTimer() : number_(nextNumber++) {
    timers()[number_] = this;
}

WebTimer::~WebTimer() {
    stopTicking();
    timers().erase(number_);
}

void WebTimer::deliverTick(int timer) {
    const auto found = timers().find(timer);
    if (found != timers().end() && found->second->handle_ != 0)
        found->second->tick();
}

bool WebTimer::startTicking(int milliseconds) {
    handle_ = web_page_start_timer(number_, milliseconds);
    return handle_ != 0;
}

void WebTimer::stopTicking() {
    if (handle_ != 0)
        web_page_stop_timer(handle_);
    handle_ = 0;
}

} // namespace platform
