#pragma once

#include "frame_renderer.h"
#include "headless_backend.h"
#include "pixel_canvas.h"
#include "tform1.h"

#include <cstdint>
#include <memory>
#include <vector>

// The main window on the headless backend, whose timer, boxes and dialogs the test drives;
// the file layer is the real disk unless the test hands in one of its own. Creating it runs
// FormCreate, which also resets the program's shared state.
struct ScriptedWindow {
    explicit ScriptedWindow(std::unique_ptr<platform::SettingsStorage> storage = nullptr) {
        TForm1Services services;
        services.settingsStorage = std::move(storage);
        form = std::make_unique<TForm1>(backend, std::move(services));
        timer = backend.timer;
        errors = backend.errorBox;
        input = backend.inputBox;
        openDialog = backend.openDialog;
        saveDialog = backend.saveDialog;
    }

    TForm1* operator->() const { return form.get(); }

    // The bitmap of the drawing area as it stands.
    std::vector<std::uint32_t> pixels() const {
        const platform::PixelCanvas& canvas = form->graph.canvas();
        return {canvas.bits(), canvas.bits() + canvas.width() * canvas.height()};
    }

    platform::HeadlessBackend backend;
    platform::HeadlessTimer* timer = nullptr;
    platform::HeadlessErrorBox* errors = nullptr;
    platform::HeadlessInputBox* input = nullptr;
    platform::HeadlessFileDialog* openDialog = nullptr;
    platform::HeadlessFileDialog* saveDialog = nullptr;
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
