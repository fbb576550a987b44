#pragma once

#include <QSlider>
#include <functional>

namespace platform {

// A slider with the track bar rules the window's handlers rely on:
// - setPosition clamps to the range and runs the change handler only when the stored
//   position really changes, at once, before setPosition returns;
// - every user action (a key, a click on the track, a drag, the wheel, releasing the
//   thumb) runs the change handler, whether or not the position moved, so the handler can
//   take the position as the user's choice even when it already stood there;
// - a vertical bar has its minimum at the top, and the keys move the thumb in screen
//   terms: Up and Left towards the minimum, Down and Right towards the maximum, Page Up
//   and Page Down by the page step, Home and End to the ends.
// Use position() and setPosition(); QAbstractSlider's own setValue() bypasses the rules.
class TrackBar : public QSlider {
    Q_OBJECT

public:
    explicit TrackBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    int position() const { return value(); }
    void setPosition(int position);

    // The handler runs on the GUI thread; an exception from it leaves setPosition.
    void setOnChange(std::function<void()> handler) { onChange_ = std::move(handler); }

    void setLineStep(int step) { setSingleStep(step); }
    // Tick marks below a horizontal bar or to the right of a vertical one, one every
    // `interval` positions.
    void setTickMarks(int interval);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void userAction();
    void runOnChange();

    std::function<void()> onChange_;
};

} // namespace platform
