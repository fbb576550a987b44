// What the user sees right after start: captions, checks, slider settings, a white drawing
// area, a stopped animation, and a layout whose controls neither overlap nor stick out.
#include "scripted_window.h"
#include "sound.h"
#include "track_bar.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <string>

namespace {

QString captionOf(const QWidget* w) {
    if (const auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (const auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    if (const auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    return {};
}

struct CaptionCase {
    const char* control;
    const char* caption;
};

class StartupCaptions : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(StartupCaptions, ReadAsDesigned) {
    ScriptedWindow w;
    const auto* control = w->findChild<QWidget*>(QString::fromUtf8(GetParam().control));
    ASSERT_NE(control, nullptr) << GetParam().control;
    EXPECT_EQ(captionOf(control).toStdString(), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, StartupCaptions,
    ::testing::Values(
        CaptionCase{"BitBtn1", "スタート/ストップ"}, CaptionCase{"GroupBox1", "波源1"},
        CaptionCase{"GroupBox2", "波源2"}, CaptionCase{"GroupBox3", "波源3"},
        CaptionCase{"GroupBox4", "波源4"}, CaptionCase{"gr_gensui", "減衰のしかた"},
        CaptionCase{"gr_byouga", "描画のしかた"}, CaptionCase{"GroupBox5", "描画するもの"},
        CaptionCase{"opt", "オプション"}, CaptionCase{"bt_1_x", "X:0"},
        CaptionCase{"bt_1_y", "Y:0"}, CaptionCase{"bt_1_a", "A:0"}, CaptionCase{"bt_1_o", "ω:0"},
        CaptionCase{"bt_1_p", "Φ:0"}, CaptionCase{"bt_2_o", "ω:0"}, CaptionCase{"bt_3_a", "A:0"},
        CaptionCase{"bt_4_p", "Φ:0"}, CaptionCase{"gens1", "距離に反比例"},
        CaptionCase{"gens2", "距離の√に反比例"}, CaptionCase{"gens0", "決して減衰しない"},
        CaptionCase{"ch_baishitsu", "媒質"}, CaptionCase{"ch_bashi", "媒質の足"},
        CaptionCase{"ch_suihei", "変位0の水平線"}, CaptionCase{"ch_seibun", "変位の成分"},
        CaptionCase{"ch_2cut", "波源2つにして高速化"}, CaptionCase{"ch_guruguru", "視点ぐるぐる"},
        CaptionCase{"ch_rect", "媒質を四角くする"}, CaptionCase{"ch_koma", "コマ送り"},
        CaptionCase{"Label1", "点数"}, CaptionCase{"Label2", "点隔"}, CaptionCase{"Label3", "波速"},
        CaptionCase{"Label4", "処理"}, CaptionCase{"Label5", "少"}, CaptionCase{"Label6", "狭"},
        CaptionCase{"Label7", "遅"}, CaptionCase{"Label8", "忙"}, CaptionCase{"Label9", "多"},
        CaptionCase{"Label10", "広"}, CaptionCase{"Label11", "速"}, CaptionCase{"Label12", "暇"}),
    [](const auto& info) { return std::string(info.param.control); });

TEST(Startup, EveryButtonOfEverySourceReadsItsPrefixAndZero) {
    ScriptedWindow w;
    const char* prefixes[] = {"X:0", "Y:0", "A:0", "ω:0", "Φ:0"};
    const auto buttons = w->sourceButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        EXPECT_EQ(buttons[i]->text().toStdString(), prefixes[i % 5]) << i;
}

TEST(Startup, OnlyTheSquareRootAttenuationAndTheFourDrawingBoxesAreChecked) {
    ScriptedWindow w;
    EXPECT_FALSE(w->gens1->isChecked());
    EXPECT_TRUE(w->gens2->isChecked());
    EXPECT_FALSE(w->gens0->isChecked());
    for (const QCheckBox* box : {w->ch_baishitsu, w->ch_bashi, w->ch_suihei, w->ch_seibun})
        EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
    for (const QCheckBox* box : {w->ch_2cut, w->ch_guruguru, w->ch_rect, w->ch_koma})
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
}

struct SliderCase {
    const char* name;
    Qt::Orientation orientation;
    int min, max, position, line, page;
    QSlider::TickPosition ticks;
    int tickInterval;
};

class StartupSliders : public ::testing::TestWithParam<SliderCase> {};

TEST_P(StartupSliders, HaveTheirRangeStepsAndTicks) {
    const SliderCase& c = GetParam();
    ScriptedWindow w;
    const auto* bar = w->findChild<platform::TrackBar*>(c.name);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->orientation(), c.orientation);
    EXPECT_EQ(bar->minimum(), c.min);
    EXPECT_EQ(bar->maximum(), c.max);
    EXPECT_EQ(bar->position(), c.position);
    EXPECT_EQ(bar->singleStep(), c.line);
    EXPECT_EQ(bar->pageStep(), c.page);
    EXPECT_EQ(bar->tickPosition(), c.ticks);
    if (c.ticks != QSlider::NoTicks) {
        EXPECT_EQ(bar->tickInterval(), c.tickInterval);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Controls, StartupSliders,
    ::testing::Values(
        SliderCase{"phichanger", Qt::Horizontal, -180, 180, 30, 5, 15, QSlider::TicksBelow, 15},
        SliderCase{"thetachanger", Qt::Vertical, -90, 90, -30, 5, 15, QSlider::TicksBelow, 15},
        SliderCase{"numpoints", Qt::Vertical, 5, 50, 20, 1, 2, QSlider::NoTicks, 0},
        SliderCase{"numzoom", Qt::Vertical, 5, 50, 20, 1, 2, QSlider::NoTicks, 0},
        SliderCase{"velocitychanger", Qt::Vertical, 5, 50, 20, 1, 2, QSlider::NoTicks, 0},
        SliderCase{"fpschanger", Qt::Vertical, 20, 1000, 200, 0, 20, QSlider::NoTicks, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Startup, DrawingAreaIsWhiteAndTheAnimationStopped) {
    ScriptedWindow w;
    const auto pixels = w.pixels();
    ASSERT_EQ(pixels.size(), 601u * 601u);
    for (std::uint32_t p : pixels)
        ASSERT_EQ(p, platform::PixelCanvas::toPixel(sound::kWhite));
    EXPECT_EQ(w->Timer1->interval(), 0);
    EXPECT_FALSE(w.timer->ticking);
    EXPECT_TRUE(w->FileF1->menuAction()->isEnabled());
}

TEST(Startup, ElevationIs30WhileItsSliderShowsMinus30) {
    // Leave something behind from an earlier run of the window to see that creation resets it.
    sound::theta = sound::phi = 77;
    sound::timecount = 500;
    sound::hagen[2].amp = 9;
    sound::hagen[3].speed = 4.5;
    ScriptedWindow w;
    EXPECT_EQ(sound::theta, 30.0);
    EXPECT_EQ(w->thetachanger->position(), -30);
    EXPECT_EQ(sound::phi, 30.0);
    EXPECT_EQ(w->phichanger->position(), 30);
    EXPECT_EQ(sound::timecount, 0.0);
    for (const sound::THagen& s : sound::hagen) {
        EXPECT_EQ(s.x, 0.0);
        EXPECT_EQ(s.y, 0.0);
        EXPECT_EQ(s.amp, 0.0);
        EXPECT_EQ(s.omega, 0.0);
        EXPECT_EQ(s.phase, 0.0);
        EXPECT_EQ(s.speed, 2.0);
    }
}

TEST(Startup, WindowHasItsCaptionIconPlaceAndClientArea) {
    ScriptedWindow w;
    w->show();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Ondulix-K"));
    EXPECT_FALSE(w->windowIcon().isNull());
    EXPECT_TRUE(w->windowIcon().availableSizes().contains(QSize(32, 32)));
    EXPECT_EQ(w->pos(), QPoint(160, 150));
    // The client area under the menu bar holds every control with a small margin.
    const QWidget* client = w->centralWidget();
    EXPECT_EQ(client->y(), w->MainMenu1->height());
    EXPECT_EQ(client->size(), QSize(974, 656));
    EXPECT_EQ(w->font().pixelSize(), 12);
    EXPECT_EQ(w->Label5->font().pixelSize(), 16);
    EXPECT_EQ(w->Label1->font().pixelSize(), 12);
    EXPECT_EQ(w->focusWidget(), w->BitBtn1);
}

// Buttons, check boxes, sliders and groups are where the user can reach them: inside their
// parent and clear of each other. Check boxes 17 pixels high stand 16 apart, so rows may
// share one line of pixels. The end labels may touch their sliders and the hidden list lies
// under the drawing area, so labels and hidden controls are left out.
TEST(Startup, NoVisibleControlOverlapsAnotherOrLeavesItsParent) {
    ScriptedWindow w;
    w->show();
    std::vector<QWidget*> controls;
    for (QWidget* c : w->centralWidget()->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(c) || qobject_cast<QSlider*>(c) ||
                             qobject_cast<QGroupBox*>(c) || c == w->graph || c == w->Panel1;
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
    EXPECT_FALSE(w->saver->isVisible());
    EXPECT_EQ(w->saver->count(), 0);
}

// The caption of each source group and its buttons' text come out in the colour in which
// the frames draw that source.
TEST(Startup, SourceGroupsPaintTheirCaptionAndButtonsInTheSourceColour) {
    ScriptedWindow w;
    w->show();
    const QGroupBox* groups[] = {w->GroupBox1, w->GroupBox2, w->GroupBox3, w->GroupBox4};
    const QColor colours[] = {QColor(0, 255, 0), QColor(255, 0, 255), QColor(255, 255, 0),
                              QColor(0, 255, 255)};
    for (int k = 0; k < 4; ++k) {
        const QImage caption =
            const_cast<QGroupBox*>(groups[k])->grab(QRect(0, 0, 60, 14)).toImage();
        const QImage button =
            w->sourceButtons()[5 * k]->grab().toImage().convertToFormat(QImage::Format_RGB32);
        auto holds = [](const QImage& image, QColor colour) {
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixelColor(x, y) == colour)
                        return true;
            return false;
        };
        EXPECT_TRUE(holds(caption.convertToFormat(QImage::Format_RGB32), colours[k])) << k;
        EXPECT_TRUE(holds(button, colours[k])) << k;
    }
}

TEST(Startup, KeyboardFocusRunsFromStartStopThroughTheViewSlidersIntoThePanel) {
    ScriptedWindow w;
    w->show();
    std::vector<QWidget*> order;
    QWidget* at = w->BitBtn1;
    do {
        if (at->isVisible() && at->isEnabled() && (at->focusPolicy() & Qt::TabFocus))
            order.push_back(at);
        at = at->nextInFocusChain();
    } while (at != w->BitBtn1);
    const std::vector<QWidget*> expected = {
        w->BitBtn1,      w->phichanger, w->thetachanger, w->bt_1_x,          w->bt_1_y,
        w->bt_1_a,       w->bt_1_o,     w->bt_1_p,       w->bt_2_x,          w->bt_2_y,
        w->bt_2_a,       w->bt_2_o,     w->bt_2_p,       w->bt_3_x,          w->bt_3_y,
        w->bt_3_a,       w->bt_3_o,     w->bt_3_p,       w->bt_4_x,          w->bt_4_y,
        w->bt_4_a,       w->bt_4_o,     w->bt_4_p,       w->gens1,           w->gens2,
        w->gens0,        w->numpoints,  w->numzoom,      w->velocitychanger, w->fpschanger,
        w->ch_baishitsu, w->ch_suihei,  w->ch_seibun,    w->ch_bashi,        w->ch_2cut,
        w->ch_guruguru,  w->ch_rect,    w->ch_koma};
    EXPECT_EQ(order, expected);
}

TEST(Startup, FileMenuHoldsOpenSaveASeparatorAndQuitWithAccessKeysOnly) {
    ScriptedWindow w;
    ASSERT_EQ(w->MainMenu1->actions().size(), 1);
    EXPECT_EQ(w->MainMenu1->actions().front(), w->FileF1->menuAction());
    EXPECT_EQ(w->FileF1->title(), QStringLiteral("File(&F)"));
    const QList<QAction*> items = w->FileF1->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0], w->OpenO1);
    EXPECT_EQ(items[1], w->SaveS1);
    EXPECT_EQ(items[2], w->N1);
    EXPECT_EQ(items[3], w->QuitQ1);
    EXPECT_EQ(w->OpenO1->text(), QStringLiteral("Open(&O)"));
    EXPECT_EQ(w->SaveS1->text(), QStringLiteral("Save(&S)"));
    EXPECT_TRUE(w->N1->isSeparator());
    EXPECT_EQ(w->QuitQ1->text(), QStringLiteral("Quit(&Q)"));
    for (const QAction* item : items)
        EXPECT_TRUE(item->shortcut().isEmpty());
}

} // namespace
