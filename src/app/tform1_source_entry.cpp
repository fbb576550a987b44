// The twenty source buttons: each asks for a whole number for one field of one source.
#include "input_box.h"
#include "integer_text.h"
#include "sound.h"
#include "source_fields.h"
#include "tform1.h"
#include "translation.h"

void TForm1::enterSourceValue(std::size_t row) {
    const sound::SourceField& field = sound::kSourceFields[row];
    const std::optional<std::string> text = platform::askForText(
        backend_, {.caption = sound::tr("入力"), .prompt = sound::tr(field.prompt)});
    if (!text)
        return;
    const std::int32_t value = sound::parseInteger(*text).value_or(sound::kNoEntry);
    if (value == sound::kNoEntry)
        return;
    sound::fieldOf(sound::hagen, field) = value;
    // The caption shows the entry as typed, blanks, sign, zeros and prefix included, so the
    // user sees what they wrote rather than a number rebuilt from it. The frame on screen
    // stays until the next tick draws with the new value.
    sourceButtons()[row]->setCaption(std::string(field.prefix) + *text);
}

void TForm1::bt_1_xClick() {
    enterSourceValue(0);
}
void TForm1::bt_1_yClick() {
    enterSourceValue(1);
}
void TForm1::bt_1_aClick() {
    enterSourceValue(2);
}
void TForm1::bt_1_oClick() {
    enterSourceValue(3);
}
void TForm1::bt_1_pClick() {
    enterSourceValue(4);
}
void TForm1::bt_2_xClick() {
    enterSourceValue(5);
}
void TForm1::bt_2_yClick() {
    enterSourceValue(6);
}
void TForm1::bt_2_aClick() {
    enterSourceValue(7);
}
void TForm1::bt_2_oClick() {
    enterSourceValue(8);
}
void TForm1::bt_2_pClick() {
    enterSourceValue(9);
}
void TForm1::bt_3_xClick() {
    enterSourceValue(10);
}
void TForm1::bt_3_yClick() {
    enterSourceValue(11);
}
void TForm1::bt_3_aClick() {
    enterSourceValue(12);
}
void TForm1::bt_3_oClick() {
    enterSourceValue(13);
}
void TForm1::bt_3_pClick() {
    enterSourceValue(14);
}
void TForm1::bt_4_xClick() {
    enterSourceValue(15);
}
void TForm1::bt_4_yClick() {
    enterSourceValue(16);
}
void TForm1::bt_4_aClick() {
    enterSourceValue(17);
}
void TForm1::bt_4_oClick() {
    enterSourceValue(18);
}
void TForm1::bt_4_pClick() {
    enterSourceValue(19);
}
