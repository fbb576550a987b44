#pragma once

// The frame state that a set-up file gives a freshly started window, for the browser build's
// checks before the page has the window itself.
#include "../core/frame_states.h"
#include "settings_file.h"

#include <optional>
#include <sstream>
#include <string>

namespace setup_state {

// The sliders' positions are the angles, the grid and ten times the speed; of the attenuation
// buttons the last that reads true stays checked. The clock is left at 0.
inline frame_states::FrameState fromSetup(const sound::StoredSetup& setup) {
    using S = sound::StoredSetup;
    frame_states::FrameState s;
    s.view.theta = setup.sliders[S::thetachanger];
    s.view.phi = setup.sliders[S::phichanger];
    s.inputs.n = setup.sliders[S::numpoints];
    s.inputs.g = setup.sliders[S::numzoom];
    const auto& o = setup.options;
    s.inputs.attenuation = o[S::gens0]   ? sound::Attenuation::None
                           : o[S::gens2] ? sound::Attenuation::InverseSqrtDistance
                           : o[S::gens1] ? sound::Attenuation::InverseDistance
                                         : sound::Attenuation::None;
    s.inputs.baishitsu = o[S::ch_baishitsu];
    s.inputs.bashi = o[S::ch_bashi];
    s.inputs.suihei = o[S::ch_suihei];
    s.inputs.seibun = o[S::ch_seibun];
    s.inputs.twoSources = o[S::ch_2cut];
    s.inputs.rect = o[S::ch_rect];
    for (int k = 0; k < sound::kSourceCount; ++k) {
        const auto& v = setup.sources[k];
        s.hagen[k] = {double(v[S::x]),     double(v[S::y]),
                      double(v[S::amp]),   double(v[S::omega]),
                      double(v[S::phase]), setup.sliders[S::velocitychanger] / 10.0};
    }
    return s;
}

// The set-up in a settings file's text, or nothing when a line does not convert.
inline std::optional<sound::StoredSetup> readSetup(const std::string& text) {
    std::istringstream in(text);
    const sound::SettingsReadResult result = sound::readSettings(in);
    if (const auto* setup = std::get_if<sound::StoredSetup>(&result))
        return *setup;
    return std::nullopt;
}

} // namespace setup_state
