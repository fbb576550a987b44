// The File menu's Open and Save commands: the set-up between the controls, the shared
// state and a settings file.
#include "file_dialog.h"
#include "program_error.h"
#include "settings_file.h"
#include "settings_storage.h"
#include "sound.h"
#include "source_fields.h"
#include "tform1.h"
#include "track_bar.h"

#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <string>
#include <utility>
#include <variant>

namespace {

using sound::StoredSetup;

const QString kSettingsFilter = QStringLiteral("Ondulix-Kデータ[*.okd]|*.okd");
const QString kSettingsExtension = QStringLiteral(".okd");

// Sets a radio button the way the program's controls behave: checking one unchecks the
// others beside it, unchecking one touches no other. Qt refuses to uncheck the checked
// button of an auto-exclusive group, which would make a file with no attenuation chosen
// impossible to restore, so exclusivity is lifted for that one step.
void setRadioChecked(QRadioButton* button, bool checked) {
    if (button->isChecked() == checked)
        return;
    if (checked) {
        button->setChecked(true);
        return;
    }
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

// An error's message reaches the error box as a C string, which would end at the first NUL
// byte that a quoted line brings along; such a byte is shown as U+FFFD, like any other byte
// that cannot be shown.
std::string withoutNul(const std::string& message) {
    std::string shown;
    shown.reserve(message.size());
    for (const char c : message) {
        if (c == '\0')
            shown += "\xEF\xBF\xBD";
        else
            shown += c;
    }
    return shown;
}

// The controls of lines 1 to 17, in file order.
std::array<platform::TrackBar*, StoredSetup::kSliderCount> settingsSliders(const TForm1& form) {
    return {form.thetachanger, form.phichanger,      form.numpoints,
            form.numzoom,      form.velocitychanger, form.fpschanger};
}

std::array<QAbstractButton*, StoredSetup::kOptionCount> settingsOptions(const TForm1& form) {
    return {form.gens1,       form.gens2,     form.gens0,     form.ch_baishitsu,
            form.ch_bashi,    form.ch_suihei, form.ch_seibun, form.ch_2cut,
            form.ch_guruguru, form.ch_rect,   form.ch_koma};
}

} // namespace

void TForm1::setUpSettingsFiles(TForm1Services& services) {
    OpenDialog1 = std::move(services.openDialog);
    if (!OpenDialog1)
        OpenDialog1 =
            std::make_unique<platform::QtFileDialog>(platform::QtFileDialog::Mode::Open, this);
    SaveDialog1 = std::move(services.saveDialog);
    if (!SaveDialog1)
        SaveDialog1 =
            std::make_unique<platform::QtFileDialog>(platform::QtFileDialog::Mode::Save, this);
    OpenDialog1->setFilter(kSettingsFilter);
    SaveDialog1->setFilter(kSettingsFilter);
    settingsStorage_ = std::move(services.settingsStorage);
    if (!settingsStorage_)
        settingsStorage_ = std::make_unique<platform::DiskSettingsStorage>();
}

StoredSetup TForm1::currentSetup() const {
    StoredSetup setup;
    const auto sliders = settingsSliders(*this);
    for (std::size_t i = 0; i < sliders.size(); ++i)
        setup.sliders[i] = sliders[i]->position();
    const auto options = settingsOptions(*this);
    for (std::size_t i = 0; i < options.size(); ++i)
        setup.options[i] = options[i]->isChecked();
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
    if (!SaveDialog1->fileName().endsWith(kSettingsExtension, Qt::CaseSensitive))
        SaveDialog1->setFileName(SaveDialog1->fileName() + kSettingsExtension);

    saver->clear();
    for (const std::string& line : sound::settingsLines(currentSetup()))
        saver->addItem(QString::fromStdString(line));
    std::string text;
    for (int i = 0; i < saver->count(); ++i)
        text += saver->item(i)->text().toStdString() + "\r\n";
    settingsStorage_->writeWhole(SaveDialog1->fileName(), text);
}

void TForm1::OpenO1Click() {
    // Cancelling reads nothing, not even the file confirmed the time before.
    if (!OpenDialog1->execute())
        return;
    // A typed name of a missing file, or a folder, ends the command without a word.
    if (!settingsStorage_->isRegularFile(OpenDialog1->fileName()))
        return;
    openSettingsFile(QFile::encodeName(OpenDialog1->fileName()).toStdString());
}

void TForm1::openSettingsFile(const std::string& path) {
    sound::SettingsReadResult result;
    {
        const std::unique_ptr<platform::SettingsInput> input =
            settingsStorage_->openForReading(path);
        result = sound::readSettings(input->stream());
        input->throwIfReadFailed();
    }
    // Every line is read and converted before anything is applied, so a file that fails
    // anywhere leaves the set-up as it was.
    if (const auto* failure = std::get_if<sound::SettingsLineError>(&result))
        throw sound::SettingsLineFailure(failure->line, withoutNul(failure->message));
    applySetup(std::get<StoredSetup>(result));
}

void TForm1::applySetup(const StoredSetup& setup) {
    const auto& sliders = setup.sliders;
    // A slider calls its handler only when its position moves, so each angle is assigned
    // before its slider is set: the angle takes the line's value even when the slider
    // already stands there (right after start-up the elevation is 30 while its slider
    // shows -30).
    sound::theta = sliders[StoredSetup::thetachanger];
    thetachanger->setPosition(sliders[StoredSetup::thetachanger]);
    sound::phi = sliders[StoredSetup::phichanger];
    phichanger->setPosition(sliders[StoredSetup::phichanger]);
    numpoints->setPosition(sliders[StoredSetup::numpoints]);
    numzoom->setPosition(sliders[StoredSetup::numzoom]);
    // Likewise the speeds: the slider's handler repeats this only if the slider moves.
    for (sound::THagen& source : sound::hagen)
        source.speed = sliders[StoredSetup::velocitychanger] / 10.0;
    velocitychanger->setPosition(sliders[StoredSetup::velocitychanger]);
    // Changes the timer only while the animation runs, which it never does here: the
    // interval takes effect at the next start.
    fpschanger->setPosition(sliders[StoredSetup::fpschanger]);

    // In file order, so the last of the three that reads true stays checked; if none does,
    // all three end unchecked and no attenuation applies.
    setRadioChecked(gens1, setup.options[StoredSetup::gens1]);
    setRadioChecked(gens2, setup.options[StoredSetup::gens2]);
    setRadioChecked(gens0, setup.options[StoredSetup::gens0]);
    const auto options = settingsOptions(*this);
    for (std::size_t i = StoredSetup::ch_baishitsu; i < options.size(); ++i)
        options[i]->setChecked(setup.options[i]);

    // The caption shows the line as it was read, not the number made of it.
    const auto buttons = sourceButtons();
    for (std::size_t i = 0; i < sound::kSourceFields.size(); ++i) {
        const sound::SourceField& field = sound::kSourceFields[i];
        const std::size_t source = std::size_t(field.source - 1);
        const std::size_t value = i % StoredSetup::kSourceValueCount;
        sound::fieldOf(sound::hagen, field) = setup.sources[source][value];
        buttons[i]->setText(QString::fromUtf8(field.prefix.data(), qsizetype(field.prefix.size())) +
                            QString::fromStdString(setup.sourceTexts[source][value]));
    }
}
