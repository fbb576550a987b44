#pragma once

#include "list_box.h"
#include "qt_control_view.h"
#include "static_controls.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>

namespace platform {

// Controls that only show something.

// A caption shown as it is written, never read as markup.
class QtLabel final : public QtView<QLabel, Label> {
public:
    QtLabel(Label& label, QWidget* parent);
    void refresh() override;
};

class QtGroupBox final : public QtView<QGroupBox, GroupBox> {
public:
    QtGroupBox(GroupBox& box, QWidget* parent);
    void refresh() override;
};

// A panel with a raised border and no caption.
class QtPanel final : public QtView<QFrame, platform::Panel> {
public:
    QtPanel(platform::Panel& panel, QWidget* parent);
    void refresh() override;
};

class QtListBox final : public QtView<QListWidget, ListBox> {
public:
    QtListBox(ListBox& list, QWidget* parent);
    void refresh() override;
};

} // namespace platform
