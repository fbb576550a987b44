#pragma once

#include "layout.h"

// The main window's layout: every control's name, kind, parent, place and size, caption,
// range, steps, tick marks, initial state, colour, font size and tab index.
extern const platform::WindowLayout kTForm1Layout;
