// The window on Qt: every control of the layout at its place with its caption, font, colour and
// name for screen readers, in its tab order, under the File menu; the pointer on the menu, the
// boxes belonging to the window, a dropped set-up, the close box and Quit ending the program.
#include "error_box.h"
#include "qt_window_fixture.h"
#include "tform1_layout.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using platform::ControlKind;

QString captionOf(const QWidget* w) {
    if (const auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (const auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    if (const auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    return {};
}

TEST(QtWindow, ShowsEveryControlOfTheLayoutAtItsPlaceWithItsCaptionAndLook) {
    QtShownWindow w;
    for (const platform::ControlLayout& row : kTForm1Layout.controls) {
        const std::string name(row.name);
        if (row.kind == ControlKind::MenuBar || row.kind == ControlKind::Menu ||
            row.kind == ControlKind::MenuItem || row.kind == ControlKind::MenuSeparator)
            continue;
        const QWidget* shown = w.widget(name);
        ASSERT_NE(shown, nullptr) << name;
        EXPECT_EQ(shown->objectName().toStdString(), name);
        const std::string parent = row.parent.empty() ? "client" : std::string(row.parent);
        EXPECT_EQ(shown->parentWidget()->objectName().toStdString(), parent) << name;
        EXPECT_EQ(shown->pos(), QPoint(row.place.left, row.place.top)) << name;
        EXPECT_EQ(shown->height(), row.place.height) << name;
        // A check box's caption may take more room than the layout gives it.
        if (row.kind == ControlKind::CheckBox || row.kind == ControlKind::RadioButton) {
            EXPECT_GE(shown->width(), row.place.width) << name;
        } else {
            EXPECT_EQ(shown->width(), row.place.width) << name;
        }
        EXPECT_EQ(captionOf(shown).toStdString(), std::string(row.caption)) << name;
        EXPECT_EQ(shown->font().pixelSize(), row.fontHeight) << name;
        EXPECT_EQ(shown->isVisible(), row.visible) << name;
        EXPECT_EQ(shown->accessibleName().toStdString(), w.form->find(name)->accessibleName())
            << name;
        EXPECT_EQ(shown->focusPolicy() != Qt::NoFocus, w.form->find(name)->takesFocus()) << name;
        // A vertical slider has its minimum at the top, next to the label that names the small
        // end; ticks go below or right of the groove.
        if (const auto* bar = qobject_cast<const QSlider*>(shown)) {
            const bool vertical = row.orientation == platform::Orientation::Vertical;
            EXPECT_EQ(bar->orientation(), vertical ? Qt::Vertical : Qt::Horizontal) << name;
            EXPECT_EQ(bar->invertedAppearance(), vertical) << name;
            EXPECT_EQ(bar->tickPosition(),
                      row.tickInterval ? QSlider::TicksBelow : QSlider::NoTicks)
                << name;
            if (row.tickInterval) {
                EXPECT_EQ(bar->tickInterval(), row.tickInterval) << name;
            }
        }
    }
}

TEST(QtWindow, HasItsCaptionIconPlaceAndClientAreaWithTheFocusOnStartStop) {
    QtShownWindow w;
    EXPECT_EQ(w.window().windowTitle(), QStringLiteral("Ondulix-K"));
    EXPECT_TRUE(w.window().windowIcon().availableSizes().contains(QSize(32, 32)));
    EXPECT_EQ(w.window().pos(), QPoint(160, 150));
    // The client area under the menu bar holds every control with a small margin.
    const QWidget* client = w.window().centralWidget();
    EXPECT_EQ(client->y(), w.window().menuBar()->height());
    EXPECT_EQ(client->size(), QSize(974, 656));
    EXPECT_EQ(w.window().font().pixelSize(), 12);
    EXPECT_EQ(w.window().focusWidget(), w.widget("BitBtn1"));
}

// Buttons, check boxes, sliders and groups are where the user can reach them: inside their
// parent and clear of each other. Check boxes 17 pixels high stand 16 apart, so rows may
// share one line of pixels. The end labels may touch their sliders and the hidden list lies
// under the drawing area, so labels and hidden controls are left out.
TEST(QtWindow, NoVisibleControlOverlapsAnotherOrLeavesItsParent) {
    QtShownWindow w;
    std::vector<QWidget*> controls;
    for (QWidget* c : w.window().centralWidget()->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(c) || qobject_cast<QSlider*>(c) ||
                             qobject_cast<QGroupBox*>(c) || c == w.widget("graph") ||
                             c == w.widget("Panel1");
        if (control && c->isVisible())
            controls.push_back(c);
    }
    EXPECT_EQ(controls.size(), 2u + 2 + 1 + 8 + 20 + 3 + 4 + 8);
    for (const QWidget* c : controls) {
        EXPECT_TRUE(c->parentWidget()->rect().contains(c->geometry()))
            << c->objectName().toStdString() << " sticks out of its parent";
        for (const QWidget* other : controls)
            if (other != c && other->parentWidget() == c->parentWidget()) {
                const QRect common = c->geometry().intersected(other->geometry());
                EXPECT_FALSE(common.width() > 1 && common.height() > 1)
                    << c->objectName().toStdString() << " overlaps "
                    << other->objectName().toStdString();
            }
    }
}

// The caption of each source group and its buttons' text come out in the colour in which
// the frames draw that source.
TEST(QtWindow, SourceGroupsPaintTheirCaptionAndButtonsInTheSourceColour) {
    QtShownWindow w;
    const QColor colours[] = {QColor(0, 255, 0), QColor(255, 0, 255), QColor(255, 255, 0),
                              QColor(0, 255, 255)};
    auto holds = [](const QImage& image, QColor colour) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == colour)
                    return true;
        return false;
    };
    for (int k = 0; k < 4; ++k) {
        const std::string source = std::to_string(k + 1);
        QWidget* group = w.widget("GroupBox" + source);
        QWidget* button = w.widget("bt_" + source + "_x");
        const QImage caption =
            group->grab(QRect(0, 0, 60, 14)).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage text = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_TRUE(holds(caption, colours[k])) << k;
        EXPECT_TRUE(holds(text, colours[k])) << k;
    }
}

TEST(QtWindow, KeyboardFocusRunsFromStartStopThroughTheViewSlidersIntoThePanel) {
    QtShownWindow w;
    std::vector<std::string> order;
    QWidget* first = w.widget("BitBtn1");
    QWidget* at = first;
    do {
        if (at->isVisible() && at->isEnabled() && (at->focusPolicy() & Qt::TabFocus))
            order.push_back(at->objectName().toStdString());
        at = at->nextInFocusChain();
    } while (at != first);
    const std::vector<std::string> expected = {
        "BitBtn1",      "phichanger", "thetachanger", "bt_1_x",   "bt_1_y",          "bt_1_a",
        "bt_1_o",       "bt_1_p",     "bt_2_x",       "bt_2_y",   "bt_2_a",          "bt_2_o",
        "bt_2_p",       "bt_3_x",     "bt_3_y",       "bt_3_a",   "bt_3_o",          "bt_3_p",
        "bt_4_x",       "bt_4_y",     "bt_4_a",       "bt_4_o",   "bt_4_p",          "gens1",
        "gens2",        "gens0",      "numpoints",    "numzoom",  "velocitychanger", "fpschanger",
        "ch_baishitsu", "ch_suihei",  "ch_seibun",    "ch_bashi", "ch_2cut",         "ch_guruguru",
        "ch_rect",      "ch_koma"};
    EXPECT_EQ(order, expected);
}

TEST(QtWindow, FileMenuHoldsOpenSaveASeparatorAndQuitWithAccessKeysOnly) {
    QtShownWindow w;
    QMenuBar* bar = w.window().menuBar();
    ASSERT_EQ(bar->actions().size(), 1);
    const QMenu* file = bar->findChild<QMenu*>(QStringLiteral("FileF1"));
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(bar->actions().front(), file->menuAction());
    EXPECT_EQ(file->title(), QStringLiteral("File(&F)"));
    const QList<QAction*> items = file->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->objectName(), QStringLiteral("OpenO1"));
    EXPECT_EQ(items[0]->text(), QStringLiteral("Open(&O)"));
    EXPECT_EQ(items[1]->text(), QStringLiteral("Save(&S)"));
    EXPECT_TRUE(items[2]->isSeparator());
    EXPECT_EQ(items[3]->text(), QStringLiteral("Quit(&Q)"));
    for (const QAction* item : items)
        EXPECT_TRUE(item->shortcut().isEmpty());
}

// While the animation runs the File menu's title is disabled and clicking it opens nothing.
TEST(QtWindow, FileMenuCannotBeOpenedWhileRunning) {
    QtShownWindow w;
    QMenuBar* bar = w.window().menuBar();
    QMenu* file = w.widget<QMenu>("FileF1");
    const QPoint title = bar->actionGeometry(file->menuAction()).center();
    w.form->BitBtn1.press();
    QTest::mouseClick(bar, Qt::LeftButton, {}, title);
    EXPECT_FALSE(file->isVisible());
    EXPECT_FALSE(w.form->FileF1.isOpen());
    w.form->BitBtn1.press();
    QTest::mouseClick(bar, Qt::LeftButton, {}, title);
    EXPECT_TRUE(file->isVisible());
    EXPECT_TRUE(w.form->FileF1.isOpen());
    w.form->MainMenu1.dismiss();
    EXPECT_FALSE(file->isVisible());
}

// What the pointer does on the menu reaches the controls: opening it, coming over an item,
// and closing it by a press elsewhere.
TEST(QtWindow, PointerOnTheMenuReachesTheControls) {
    QtShownWindow w;
    QMenuBar* bar = w.window().menuBar();
    QMenu* file = w.widget<QMenu>("FileF1");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
    ASSERT_TRUE(w.form->FileF1.isOpen());
    EXPECT_EQ(w.form->FileF1.highlighted(), nullptr);
    QAction* save = w.widget<QAction>("SaveS1");
    QTest::mouseMove(file, file->actionGeometry(save).center());
    EXPECT_EQ(w.form->FileF1.highlighted(), &w.form->SaveS1);
    file->close();
    EXPECT_FALSE(w.form->FileF1.isOpen());
}

// A press of the pointer after Alt disarms the bar and gives the focus back, Qt's menu being
// closed.
TEST(QtWindow, APressAfterAltAloneDisarmsTheMenuBar) {
    QtShownWindow w;
    QTest::keyClick(w.window().windowHandle(), Qt::Key_Alt);
    ASSERT_EQ(w.form->MainMenu1.armedMenu(), &w.form->FileF1);
    ASSERT_EQ(QApplication::focusWidget(), w.window().menuBar());
    QTest::mouseClick(w.widget("ch_koma"), Qt::LeftButton);
    EXPECT_EQ(w.form->MainMenu1.armedMenu(), nullptr);
    EXPECT_NE(QApplication::focusWidget(), w.window().menuBar());
}

// The boxes open over the window they belong to, with no task bar entry of their own, and
// keep the user from the window while they are open.
TEST(QtWindow, BoxesAndFileDialogBelongToTheWindowAndAreModal) {
    QtShownWindow w;
    std::vector<const QWidget*> owners;
    const auto closeWhenOpen = [&] {
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            EXPECT_TRUE(box->isModal());
            owners.push_back(box->parentWidget());
            box->close();
        });
    };
    closeWhenOpen();
    w.form->bt_1_x.press();
    closeWhenOpen();
    w.form->OpenO1.choose();
    closeWhenOpen();
    platform::showErrorBox(w.backend, "Ondulix-K", "x");
    EXPECT_EQ(owners, (std::vector<const QWidget*>{&w.window(), &w.window(), &w.window()}));
}

// Runs the application's event loop until the window ends it; a guard ends it with -1
// should the window not do so.
int runUntilEnded(const std::function<void()>& user) {
    QTimer::singleShot(0, user);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    guard.start(10000);
    return QApplication::exec();
}

TEST(QtWindow, QuitEndsTheProgramWithZero) {
    QtShownWindow w;
    QAction* quit = w.widget<QAction>("QuitQ1");
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ(runUntilEnded([&] { quit->trigger(); }), 0);
}

TEST(QtWindow, CloseBoxEndsTheProgramWithZeroWhileTheAnimationRuns) {
    QtShownWindow w;
    w.form->BitBtn1.press();
    ASSERT_FALSE(w.form->FileF1.enabled());
    EXPECT_EQ(runUntilEnded([&] { w.window().close(); }), 0);
}

// A file dragged from a file manager onto the window and dropped there: whether the window takes
// it while the drag is on, and the set-up shown once the drop has been handled.
struct Dropped {
    bool taken;
    int elevation;
};

Dropped dropOn(QtShownWindow& w, const QString& file) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    const QPoint middle = w.window().rect().center();
    QDragEnterEvent enter(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w.window(), &enter);
    QDropEvent drop(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w.window(), &drop);
    QApplication::processEvents();
    return {enter.isAccepted(), w.form->thetachanger.position()};
}

TEST(QtWindow, ADroppedSetUpOpensOnlyWhenFileOpenCouldBeChosen) {
    const QString beats = QStringLiteral(ONDULIX_EXAMPLES_DIR "/03-beats.okd");
    QtShownWindow w;
    w.form->BitBtn1.press();
    const Dropped whileRunning = dropOn(w, beats);
    EXPECT_FALSE(whileRunning.taken);
    EXPECT_EQ(whileRunning.elevation, -30) << "nothing opens while the animation runs";
    w.form->BitBtn1.press();
    const Dropped stopped = dropOn(w, beats);
    EXPECT_TRUE(stopped.taken);
    EXPECT_EQ(stopped.elevation, 45) << "03-beats is seen from 45 degrees up";
    EXPECT_EQ(w.form->OpenDialog1->fileName(), beats.toStdString());
}

} // namespace
