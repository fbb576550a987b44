#pragma once

#include "canvas_widget.h"
#include "frame_renderer.h"
#include "pixel_canvas.h"
#include "recording_error_box.h"
#include "scripted_input_box.h"
#include "scripted_timer.h"
#include "tform1.h"

#include <cstdint>
#include <memory>
#include <vector>

// The main window with a timer, an error box and an input box that the test drives.
// Creating it runs FormCreate, which also resets the program's shared state.
struct ScriptedWindow {
    ScriptedWindow() {
        auto scriptedTimer = std::make_unique<ScriptedTimer>();
        auto recordingErrors = std::make_unique<RecordingErrorBox>();
        auto scriptedInput = std::make_unique<ScriptedInputBox>();
        timer = scriptedTimer.get();
        errors = recordingErrors.get();
        input = scriptedInput.get();
        form = std::make_unique<TForm1>(TForm1Services{
            std::move(scriptedTimer), std::move(recordingErrors), std::move(scriptedInput)});
    }

    TForm1* operator->() const { return form.get(); }

    // The bitmap of the drawing area as it stands.
    std::vector<std::uint32_t> pixels() const {
        const platform::PixelCanvas& canvas = form->graph->canvas();
        return {canvas.bits(), canvas.bits() + canvas.width() * canvas.height()};
    }

    ScriptedTimer* timer;
    RecordingErrorBox* errors;
    ScriptedInputBox* input;
    std::unique_ptr<TForm1> form;
};

// One frame drawn by the reference renderer on a fresh white canvas.
inline std::vector<std::uint32_t> referenceFrame(const sound::Hagen& hagen, double timecount,
                                                 sound::View view,
                                                 const sound::FrameInputs& inputs = {}) {
    platform::PixelCanvas canvas;
    sound::renderFrame(canvas, hagen, timecount, view, inputs);
    return {canvas.bits(), canvas.bits() + canvas.width() * canvas.height()};
}
