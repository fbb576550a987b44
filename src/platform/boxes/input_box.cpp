#include "input_box.h"

#include "backend.h"
#include "translation.h"

namespace platform {

InputBox::InputBox(const TextRequest& request) : needsText_(request.needsText) {
    setTitle(request.caption);
    prompt.setCaption(request.prompt);
    note.setCaption(request.note);
    note.setVisible(!request.note.empty());
    ok.setCaption("OK");
    cancel.setCaption(sound::tr("キャンセル"));
    field.setMaxLength(request.maxLength);
    field.setLabelledBy(&prompt);
    // Tab goes from the field to OK and キャンセル, and round again.
    field.setTabIndex(0);
    ok.setTabIndex(1);
    cancel.setTabIndex(2);
    setDefaultButton(&ok);
    setCancelButton(&cancel);

    field.onChange = [this] { ok.setEnabled(!needsText_ || !field.text().empty()); };
    ok.onClick = [this] { finish(true); };
    cancel.onClick = [this] { finish(false); };
    field.setText(request.text);
    field.setFocus();
}

BoxLayout InputBox::layout() {
    return {.rows = {{.controls = {&prompt}, .align = BoxRow::Align::Start},
                     {.controls = {&field}},
                     {.controls = {&note}, .align = BoxRow::Align::Start},
                     {.controls = {&ok, &cancel}, .align = BoxRow::Align::End}}};
}

void InputBox::finish(bool confirmed) {
    if (!isOpen())
        return;
    if (confirmed)
        answer_ = field.text();
    closeModal();
}

std::optional<std::string> askForText(Backend& backend, const TextRequest& request) {
    InputBox box(request);
    box.openModal(ModalBoxes::Kind::InputBox);
    backend.runInputBox(box);
    // A backend whose window went away unanswered leaves the box cancelled.
    box.closeModal();
    return box.answer();
}

} // namespace platform
