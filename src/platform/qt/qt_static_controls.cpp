#include "qt_static_controls.h"

#include "qt_view_state.h"

namespace platform {

QtLabel::QtLabel(Label& label, QWidget* parent) : QLabel(parent), ViewOf(label) {
    attachToControl();
}

void QtLabel::refresh() {
    setText(captionOf(*control()));
    showCommonState(*this, *control());
}

QtGroupBox::QtGroupBox(GroupBox& box, QWidget* parent) : QGroupBox(parent), ViewOf(box) {
    attachToControl();
}

void QtGroupBox::refresh() {
    setTitle(captionOf(*control()));
    showCommonState(*this, *control());
}

QtPanel::QtPanel(platform::Panel& panel, QWidget* parent) : QFrame(parent), ViewOf(panel) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    attachToControl();
}

void QtPanel::refresh() {
    showCommonState(*this, *control());
}

QtListBox::QtListBox(ListBox& list, QWidget* parent) : QListWidget(parent), ViewOf(list) {
    attachToControl();
}

void QtListBox::refresh() {
    clear();
    for (const std::string& line : control()->items())
        addItem(QString::fromStdString(line));
    showCommonState(*this, *control());
}

} // namespace platform
