#pragma once

#include "hagen.h"
#include "translation.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace sound {

// One user-settable field of one wave source: the button that sets it asks with `prompt`
// and shows `prefix` followed by the text it was given. Source numbers run 1 to 4 as the
// user sees them.
struct SourceField {
    int source;
    double THagen::*field;
    std::string_view prompt;
    std::string_view prefix;
};

// The twenty fields in the order of the buttons bt_1_x, bt_1_y, bt_1_a, bt_1_o, bt_1_p,
// bt_2_x ... bt_4_p, which is also the order in which a settings file lists them.
inline constexpr std::array<SourceField, 20> kSourceFields = {{
    {1, &THagen::x, N_("波源1のx座標は？"), "X:"},
    {1, &THagen::y, N_("波源1のy座標は？"), "Y:"},
    {1, &THagen::amp, N_("波源1の振幅は？"), "A:"},
    {1, &THagen::omega, N_("波源1の角振動数は？"), "ω:"},
    {1, &THagen::phase, N_("波源1の位相差[degree]は？"), "Φ:"},
    {2, &THagen::x, N_("波源2のx座標は？"), "X:"},
    {2, &THagen::y, N_("波源2のy座標は？"), "Y:"},
    {2, &THagen::amp, N_("波源2の振幅は？"), "A:"},
    {2, &THagen::omega, N_("波源2の角振動数は？"), "ω:"},
    {2, &THagen::phase, N_("波源2の位相差[degree]は？"), "Φ:"},
    {3, &THagen::x, N_("波源3のx座標は？"), "X:"},
    {3, &THagen::y, N_("波源3のy座標は？"), "Y:"},
    {3, &THagen::amp, N_("波源3の振幅は？"), "A:"},
    {3, &THagen::omega, N_("波源3の角振動数は？"), "ω:"},
    {3, &THagen::phase, N_("波源3の位相差[degree]は？"), "Φ:"},
    {4, &THagen::x, N_("波源4のx座標は？"), "X:"},
    {4, &THagen::y, N_("波源4のy座標は？"), "Y:"},
    {4, &THagen::amp, N_("波源4の振幅は？"), "A:"},
    {4, &THagen::omega, N_("波源4の角振動数は？"), "ω:"},
    {4, &THagen::phase, N_("波源4の位相差[degree]は？"), "Φ:"},
}};

// What an entry that is not a whole number converts to. The entry code compares the
// converted value with it rather than asking whether the text was valid, so a typed
// 7296183 (or $6F54B7) is refused like any invalid text.
inline constexpr std::int32_t kNoEntry = 7296183;

// The field of `hagen` that `f` names.
inline double& fieldOf(Hagen& hagen, const SourceField& f) {
    return hagen[f.source - 1].*f.field;
}

} // namespace sound
