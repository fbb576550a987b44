#pragma once

#include "control.h"
#include "list_box.h"
#include "static_controls.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>

namespace platform {

// Controls that only show something.

class QtLabel final : public QLabel, public ViewOf<Label> {
public:
    QtLabel(Label& label, QWidget* parent);
    void refresh() override;
    void takeFocus() override {}
};

class QtGroupBox final : public QGroupBox, public ViewOf<GroupBox> {
public:
    QtGroupBox(GroupBox& box, QWidget* parent);
    void refresh() override;
    void takeFocus() override {}
};

// A panel with a raised border and no caption.
class QtPanel final : public QFrame, public ViewOf<platform::Panel> {
public:
    QtPanel(platform::Panel& panel, QWidget* parent);
    void refresh() override;
    void takeFocus() override {}
};

class QtListBox final : public QListWidget, public ViewOf<ListBox> {
public:
    QtListBox(ListBox& list, QWidget* parent);
    void refresh() override;
    void takeFocus() override { setFocus(); }
};

} // namespace platform
