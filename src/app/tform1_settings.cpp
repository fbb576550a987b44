// The File menu's Open and Save commands: the set-up between the controls, the shared
// state and a settings file.
#include "backend.h"
#include "program_error.h"
#include "settings_file.h"
#include "sound.h"
#include "source_fields.h"
#include "tform1.h"
#include "translation.h"

#include <array>
#include <string>
#include <utility>
#include <variant>

namespace {

using sound::StoredSetup;

constexpr const char* kSettingsFilter = sound::N_("Ondulix-Kデータ[*.okd]|*.okd");
constexpr std::string_view kSettingsExtension = ".okd";

// The controls of lines 1 to 6, 7 to 9 and 10 to 17, each in file order; const for a const
// window.
template <class Window> auto settingsSliders(Window& form) {
    return std::array{&form.thetachanger, &form.phichanger,      &form.numpoints,
                      &form.numzoom,      &form.velocitychanger, &form.fpschanger};
}

template <class Window> auto attenuationButtons(Window& form) {
    return std::array{&form.gens1, &form.gens2, &form.gens0};
}

template <class Window> auto settingsCheckBoxes(Window& form) {
    return std::array{&form.ch_baishitsu, &form.ch_bashi,    &form.ch_suihei, &form.ch_seibun,
                      &form.ch_2cut,      &form.ch_guruguru, &form.ch_rect,   &form.ch_koma};
}

} // namespace

void TForm1::setUpSettingsFiles(TForm1Services& services) {
    OpenDialog1 = std::move(services.openDialog);
    if (!OpenDialog1)
        OpenDialog1 = backend_.makeFileDialog(platform::FileDialog::Mode::Open);
    SaveDialog1 = std::move(services.saveDialog);
    if (!SaveDialog1)
        SaveDialog1 = backend_.makeFileDialog(platform::FileDialog::Mode::Save);
    OpenDialog1->setFilter(sound::tr(kSettingsFilter));
    SaveDialog1->setFilter(sound::tr(kSettingsFilter));
    settingsStorage_ = std::move(services.settingsStorage);
    if (!settingsStorage_)
        settingsStorage_ = backend_.makeSettingsStorage();
}

StoredSetup TForm1::currentSetup() const {
    StoredSetup setup;
    const auto sliders = settingsSliders(*this);
    for (std::size_t i = 0; i < sliders.size(); ++i)
        setup.sliders[i] = sliders[i]->position();
    const auto radios = attenuationButtons(*this);
    for (std::size_t i = 0; i < radios.size(); ++i)
        setup.options[StoredSetup::gens1 + i] = radios[i]->checked();
    const auto boxes = settingsCheckBoxes(*this);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        setup.options[StoredSetup::ch_baishitsu + i] = boxes[i]->checked();
    for (std::size_t i = 0; i < sound::kSourceFields.size(); ++i) {
        const sound::SourceField& field = sound::kSourceFields[i];
        setup.sources[std::size_t(field.source - 1)][i % StoredSetup::kSourceValueCount] =
            sound::roundSourceValue(sound::fieldOf(sound::hagen, field));
    }
    return setup;
}

void TForm1::SaveS1Click() {
    // Cancelling writes nothing.
    if (!SaveDialog1->execute())
        return;
    // Only an exact ".okd" at the end counts, letter case included. The longer name stays in
    // the dialog for next time, even when the write below fails.
    if (!SaveDialog1->fileName().ends_with(kSettingsExtension))
        SaveDialog1->setFileName(SaveDialog1->fileName() + std::string(kSettingsExtension));

    saver.clear();
    for (const std::string& line : sound::settingsLines(currentSetup()))
        saver.add(line);
    settingsStorage_->writeWhole(SaveDialog1->fileName(), saver.text());
}

void TForm1::OpenO1Click() {
    // Cancelling reads nothing, not even the file confirmed the time before.
    if (!OpenDialog1->execute())
        return;
    openDialogFileName();
}

void TForm1::openDialogFileName() {
    // A typed name of a missing file, or a folder, ends the command without a word.
    if (!settingsStorage_->isRegularFile(OpenDialog1->fileName()))
        return;
    openSettingsFile(OpenDialog1->fileName());
}

void TForm1::openSettingsFile(const std::string& path) {
    sound::SettingsReadResult result;
    {
        const std::unique_ptr<platform::SettingsInput> input =
            settingsStorage_->openForReading(path);
        result = sound::readSettings(input->stream());
        input->throwIfReadFailed();
    }
    applyReadSetup(result);
}

void TForm1::applyReadSetup(const sound::SettingsReadResult& result) {
    // Every line is read and converted before anything is applied, so a set-up that fails
    // anywhere leaves the window as it was.
    if (const auto* failure = std::get_if<sound::SettingsLineError>(&result))
        throw sound::SettingsLineFailure(failure->line, failure->message);
    applySetup(std::get<StoredSetup>(result));
}

void TForm1::applySetup(const StoredSetup& setup) {
    const auto& sliders = setup.sliders;
    // A slider calls its handler only when its position moves, so each angle is assigned
    // before its slider is set: the angle takes the line's value even when the slider
    // already stands there (right after start-up the elevation is 30 while its slider
    // shows -30).
    sound::theta = sliders[StoredSetup::thetachanger];
    thetachanger.setPosition(sliders[StoredSetup::thetachanger]);
    sound::phi = sliders[StoredSetup::phichanger];
    phichanger.setPosition(sliders[StoredSetup::phichanger]);
    numpoints.setPosition(sliders[StoredSetup::numpoints]);
    numzoom.setPosition(sliders[StoredSetup::numzoom]);
    // Likewise the speeds: the slider's handler repeats this only if the slider moves.
    for (sound::THagen& source : sound::hagen)
        source.speed = sliders[StoredSetup::velocitychanger] / 10.0;
    velocitychanger.setPosition(sliders[StoredSetup::velocitychanger]);
    // Changes the timer only while the animation runs, which it never does here: the
    // interval takes effect at the next start.
    fpschanger.setPosition(sliders[StoredSetup::fpschanger]);

    // In file order, so the last of the three that reads true stays checked; if none does,
    // all three end unchecked and no attenuation applies.
    const auto radios = attenuationButtons(*this);
    for (std::size_t i = 0; i < radios.size(); ++i)
        radios[i]->setChecked(setup.options[StoredSetup::gens1 + i]);
    const auto boxes = settingsCheckBoxes(*this);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(setup.options[StoredSetup::ch_baishitsu + i]);

    // The caption shows the line as it was read, not the number made of it.
    const auto buttons = sourceButtons();
    for (std::size_t i = 0; i < sound::kSourceFields.size(); ++i) {
        const sound::SourceField& field = sound::kSourceFields[i];
        const std::size_t source = std::size_t(field.source - 1);
        const std::size_t value = i % StoredSetup::kSourceValueCount;
        sound::fieldOf(sound::hagen, field) = setup.sources[source][value];
        buttons[i]->setCaption(std::string(field.prefix) + setup.sourceTexts[source][value]);
    }
}
