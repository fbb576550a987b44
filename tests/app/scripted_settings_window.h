#pragma once

#include "recording_error_box.h"
#include "scripted_file_dialog.h"
#include "scripted_input_box.h"
#include "scripted_timer.h"
#include "settings_storage.h"
#include "sound.h"
#include "tform1.h"
#include "track_bar.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <memory>
#include <sstream>
#include <string>

// The main window with every outside part scripted: the timer, the error and input boxes,
// both file dialogs, and, when a test hands one in, the file layer (else the real disk).
// Creating it runs FormCreate, which also resets the program's shared state.
struct ScriptedSettingsWindow {
    explicit ScriptedSettingsWindow(std::unique_ptr<platform::SettingsStorage> storage = nullptr) {
        auto scriptedTimer = std::make_unique<ScriptedTimer>();
        auto recordingErrors = std::make_unique<RecordingErrorBox>();
        auto scriptedInput = std::make_unique<ScriptedInputBox>();
        auto scriptedOpen = std::make_unique<ScriptedFileDialog>();
        auto scriptedSave = std::make_unique<ScriptedFileDialog>();
        timer = scriptedTimer.get();
        errors = recordingErrors.get();
        input = scriptedInput.get();
        openDialog = scriptedOpen.get();
        saveDialog = scriptedSave.get();
        TForm1Services services;
        services.timer = std::move(scriptedTimer);
        services.errorBox = std::move(recordingErrors);
        services.inputBox = std::move(scriptedInput);
        services.openDialog = std::move(scriptedOpen);
        services.saveDialog = std::move(scriptedSave);
        services.settingsStorage = std::move(storage);
        form = std::make_unique<TForm1>(std::move(services));
    }

    TForm1* operator->() const { return form.get(); }

    ScriptedTimer* timer;
    RecordingErrorBox* errors;
    ScriptedInputBox* input;
    ScriptedFileDialog* openDialog;
    ScriptedFileDialog* saveDialog;
    std::unique_ptr<TForm1> form;
};

// Everything of the program a user relies on between two actions: the set-up in the controls
// and the shared state, the clock, and whether the animation runs.
struct WindowState {
    std::array<int, 6> sliders{}; // in settings-file order
    std::array<bool, 11> options{};
    std::array<QString, 20> captions;
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
            out << "caption " << i + 1 << ' ' << captions[i].toStdString() << '\n';
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
    s.sliders = {window.thetachanger->position(),    window.phichanger->position(),
                 window.numpoints->position(),       window.numzoom->position(),
                 window.velocitychanger->position(), window.fpschanger->position()};
    s.options = {window.gens1->isChecked(),       window.gens2->isChecked(),
                 window.gens0->isChecked(),       window.ch_baishitsu->isChecked(),
                 window.ch_bashi->isChecked(),    window.ch_suihei->isChecked(),
                 window.ch_seibun->isChecked(),   window.ch_2cut->isChecked(),
                 window.ch_guruguru->isChecked(), window.ch_rect->isChecked(),
                 window.ch_koma->isChecked()};
    const auto buttons = window.sourceButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        s.captions[i] = buttons[i]->text();
    s.hagen = sound::hagen;
    s.theta = sound::theta;
    s.phi = sound::phi;
    s.timecount = sound::timecount;
    s.interval = window.Timer1->interval();
    s.fileMenuEnabled = window.FileF1->menuAction()->isEnabled();
    return s;
}
