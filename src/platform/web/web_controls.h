#pragma once

#include "control.h"
#include "image.h"

#include <optional>
#include <string>

namespace platform {

// The page's element of one control, under a number of its own by which the page names it
// when it hands the user's input back. The element is made with the view; afterwards the view
// sends the page only what changed since it last did, so a refresh that changed nothing costs
// the page nothing.
class WebControlView final : public ViewOf<Control> {
public:
    // Makes the element in form `form`, inside the element of control `parent` (0: the form's
    // own area).
    WebControlView(Control& control, int form, int parent);
    ~WebControlView() override;
    WebControlView(const WebControlView&) = delete;
    WebControlView& operator=(const WebControlView&) = delete;

    int id() const { return id_; }

    void refresh() override;
    void takeFocus() override;

    // The control shown under that number; nothing for another number, or once it is gone.
    static Control* find(int id);
    // The number a control is shown under; 0 when it is not shown.
    static int idOf(const Control* control);

private:
    int id_;
    // What the page shows now; nothing for what it was never sent.
    std::optional<std::string> caption_;
    std::optional<int> state_;
    std::optional<bool> checked_;
    std::optional<int> position_;
    std::optional<double> fraction_;
    std::optional<int> menu_;
    std::optional<std::string> text_;
};

// The image control as the page's <canvas>: each invalidate shows the whole bitmap at once,
// so a frame is always seen whole.
class WebImageView final : public ViewOf<Image> {
public:
    WebImageView(Image& image, int form, int parent);
    ~WebImageView() override;
    WebImageView(const WebImageView&) = delete;
    WebImageView& operator=(const WebImageView&) = delete;

    int id() const { return id_; }

    void refresh() override;
    void takeFocus() override {}

private:
    int id_;
};

} // namespace platform
