#pragma once

#include "error_box.h"

#include <functional>
#include <string>
#include <vector>

// An error box that records each text instead of showing it. `whileOpen` runs as if the
// user were still looking at the box, for tests of what happens behind it.
class RecordingErrorBox final : public platform::ErrorBox {
public:
    std::vector<std::string> shown;
    std::function<void()> whileOpen;

    void show(const std::string& text) override {
        shown.push_back(text);
        if (whileOpen)
            whileOpen();
    }
};
