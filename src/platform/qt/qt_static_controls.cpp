#include "qt_static_controls.h"

namespace platform {

QtLabel::QtLabel(Label& label, QWidget* parent) : QtView(label, parent) {
    setTextFormat(Qt::PlainText);
    attachToControl();
}

void QtLabel::refresh() {
    setText(captionOf(*control()));
    showCommonState(*this, *control());
}

QtGroupBox::QtGroupBox(GroupBox& box, QWidget* parent) : QtView(box, parent) {
    attachToControl();
}

void QtGroupBox::refresh() {
    setTitle(captionOf(*control()));
    showCommonState(*this, *control());
}

QtPanel::QtPanel(platform::Panel& panel, QWidget* parent) : QtView(panel, parent) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    attachToControl();
}

void QtPanel::refresh() {
    showCommonState(*this, *control());
}

QtListBox::QtListBox(ListBox& list, QWidget* parent) : QtView(list, parent) {
    attachToControl();
}

void QtListBox::refresh() {
    clear();
    for (const std::string& line : control()->items())
        addItem(QString::fromStdString(line));
    showCommonState(*this, *control());
}

} // namespace platform
