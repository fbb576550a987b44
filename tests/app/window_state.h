#pragma once

#include "sound.h"
#include "tform1.h"

#include <array>
#include <sstream>
#include <string>

// Everything of the program a user relies on between two actions: the set-up in the controls
// and the shared state, the clock, and whether the animation runs.
struct WindowState {
    std::array<int, 6> sliders{}; // in settings-file order
    std::array<bool, 11> options{};
    std::array<std::string, 20> captions;
    sound::Hagen hagen{};
    double theta = 0;
    double phi = 0;
    double timecount = 0;
    int interval = 0;
    bool fileMenuEnabled = false;

    // One line per value, so that a failed comparison of two states shows what differs.
    std::string describe() const {
        static const char* const sliderNames[] = {"thetachanger", "phichanger",      "numpoints",
                                                  "numzoom",      "velocitychanger", "fpschanger"};
        static const char* const optionNames[] = {
            "gens1",     "gens2",   "gens0",       "ch_baishitsu", "ch_bashi", "ch_suihei",
            "ch_seibun", "ch_2cut", "ch_guruguru", "ch_rect",      "ch_koma"};
        std::ostringstream out;
        for (std::size_t i = 0; i < sliders.size(); ++i)
            out << sliderNames[i] << ' ' << sliders[i] << '\n';
        for (std::size_t i = 0; i < options.size(); ++i)
            out << optionNames[i] << ' ' << options[i] << '\n';
        for (std::size_t i = 0; i < captions.size(); ++i)
            out << "caption " << i + 1 << ' ' << captions[i] << '\n';
        for (std::size_t k = 0; k < hagen.size(); ++k) {
            const sound::THagen& h = hagen[k];
            out << "hagen[" << k + 1 << "] x " << h.x << " y " << h.y << " amp " << h.amp
                << " omega " << h.omega << " phase " << h.phase << " speed " << h.speed << '\n';
        }
        out << "theta " << theta << "\nphi " << phi << "\ntimecount " << timecount << "\ninterval "
            << interval << "\nfile menu " << fileMenuEnabled << '\n';
        return out.str();
    }
};

inline WindowState windowState(const TForm1& window) {
    WindowState s;
    s.sliders = {window.thetachanger.position(),    window.phichanger.position(),
                 window.numpoints.position(),       window.numzoom.position(),
                 window.velocitychanger.position(), window.fpschanger.position()};
    s.options = {
        window.gens1.checked(),        window.gens2.checked(),    window.gens0.checked(),
        window.ch_baishitsu.checked(), window.ch_bashi.checked(), window.ch_suihei.checked(),
        window.ch_seibun.checked(),    window.ch_2cut.checked(),  window.ch_guruguru.checked(),
        window.ch_rect.checked(),      window.ch_koma.checked()};
    const auto buttons = window.sourceButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        s.captions[i] = buttons[i]->caption();
    s.hagen = sound::hagen;
    s.theta = sound::theta;
    s.phi = sound::phi;
    s.timecount = sound::timecount;
    s.interval = window.Timer1->interval();
    s.fileMenuEnabled = window.FileF1.enabled();
    return s;
}
