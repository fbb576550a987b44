#pragma once

#include "box_layout.h"
#include "control.h"
#include "form.h"

#include <memory>
#include <vector>

namespace platform {

// A form shown in the page: the main window, or a box over it. It makes one element for every
// control of the form, parents first; the window's in the tab order, so that the page's
// document order is the order of the Tab key. The elements then show the controls' state. The
// page's elements go when the view goes.
class WebFormView final : public WindowView {
public:
    enum class Kind { Window = 0, InputBox = 1, ErrorBox = 2 };

    // A box comes with its layout, which its elements are put in.
    WebFormView(Form& form, Kind kind, const BoxLayout* layout = nullptr);
    ~WebFormView() override;
    WebFormView(const WebFormView&) = delete;
    WebFormView& operator=(const WebFormView&) = delete;

    Form* form() const { return form_; }
    // The form shown under that number; nothing for another number, or once it is gone.
    static Form* find(int id);

    // A box was answered: its elements go at once, and the handler that waits for it wakes.
    void formClosed() override;
    void formGone() override { form_ = nullptr; }

private:
    void addChildren(const Control* parent, int parentId, bool inTabOrder);
    void layOut(const BoxLayout& layout);

    Form* form_;
    int id_;
    bool shown_ = true;
    std::vector<std::unique_ptr<ControlView>> views_;
};

} // namespace platform
