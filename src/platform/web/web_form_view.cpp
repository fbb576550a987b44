#include "web_form_view.h"

#include "image.h"
#include "web_controls.h"
#include "web_page.h"

#include <map>

namespace platform {

namespace {

int nextFormId = 1;

std::map<int, WebFormView*>& shownForms() {
    static std::map<int, WebFormView*> shown;
    return shown;
}

} // namespace

Form* WebFormView::find(int id) {
    const auto found = shownForms().find(id);
    return found != shownForms().end() ? found->second->form() : nullptr;
}

WebFormView::WebFormView(Form& form, Kind kind, const BoxLayout* layout)
    : form_(&form), id_(nextFormId++) {
    const Rect place = form.place();
    shownForms()[id_] = this;
    web_page_open_form(id_, int(kind), form.title().c_str(), place.width, place.height);
    // The window's elements are placed where the layout says, so their order in the document can
    // be the Tab key's; a box's flow down the box in the order the form made them.
    addChildren(nullptr, 0, kind == Kind::Window);
    if (layout != nullptr)
        layOut(*layout);
    for (const Control* control : form.controls())
        if (control->labelledBy() != nullptr)
            web_page_set_labelled_by(WebControlView::idOf(control),
                                     WebControlView::idOf(control->labelledBy()));
    form.attach(this);
    // The control that has the focus already gets it now that its element is there.
    if (Control* focused = form.focused())
        focused->setFocus();
}

WebFormView::~WebFormView() {
    shownForms().erase(id_);
    if (form_ != nullptr)
        form_->attach(nullptr);
    views_.clear();
    if (shown_)
        web_page_close_form(id_);
}

void WebFormView::addChildren(const Control* parent, int parentId, bool inTabOrder) {
    const std::vector<Control*> children =
        inTabOrder ? form_->childrenInTabOrder(parent) : form_->childrenOf(parent);
    for (Control* child : children) {
        int id;
        if (child->kind() == ControlKind::Image) {
            auto view = std::make_unique<WebImageView>(static_cast<Image&>(*child), id_, parentId);
            id = view->id();
            views_.push_back(std::move(view));
        } else {
            auto view = std::make_unique<WebControlView>(*child, id_, parentId);
            id = view->id();
            views_.push_back(std::move(view));
        }
        addChildren(child, id, inTabOrder);
    }
}

void WebFormView::layOut(const BoxLayout& layout) {
    for (const BoxRow& row : layout.rows) {
        std::vector<int> ids;
        for (const Control* control : row.controls)
            ids.push_back(WebControlView::idOf(control));
        web_page_box_row(id_, int(row.align), row.errorIcon, ids.data(), int(ids.size()));
    }
    web_page_lay_out_box(id_, layout.minimumWidth, layout.centred,
                         WebControlView::idOf(form_->defaultButton()));
}

void WebFormView::formClosed() {
    if (shown_) {
        shown_ = false;
        web_page_close_form(id_);
    }
    web_page_wake();
}

} // namespace platform
