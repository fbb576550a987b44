// The window's controls at their designed places, with their captions, ranges and initial
// states, the menu, the keyboard tab order, and the wiring of every handler.
#include "animation_timer.h"
#include "canvas_widget.h"
#include "hagen.h"
#include "source_fields.h"
#include "tform1.h"
#include "track_bar.h"
#include "window_font.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace {

// The twenty source buttons in the order of sound::kSourceFields.
constexpr std::array<QPushButton * TForm1::*, 20> kSourceButtons = {
    &TForm1::bt_1_x, &TForm1::bt_1_y, &TForm1::bt_1_a, &TForm1::bt_1_o, &TForm1::bt_1_p,
    &TForm1::bt_2_x, &TForm1::bt_2_y, &TForm1::bt_2_a, &TForm1::bt_2_o, &TForm1::bt_2_p,
    &TForm1::bt_3_x, &TForm1::bt_3_y, &TForm1::bt_3_a, &TForm1::bt_3_o, &TForm1::bt_3_p,
    &TForm1::bt_4_x, &TForm1::bt_4_y, &TForm1::bt_4_a, &TForm1::bt_4_o, &TForm1::bt_4_p};

// Positions and sizes are pixels of the parent's client area.
template <class W> W* place(W* widget, const char* name, int left, int top, int width, int height) {
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

QColor toQColor(sound::Color color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

QGroupBox* group(QWidget* parent, const char* name, const char* caption, int left, int top,
                 int height) {
    return place(new QGroupBox(QString::fromUtf8(caption), parent), name, left, top, 145, height);
}

// A source group shows its caption and its buttons' text in the source's colour, the colour
// in which the frames draw that source's share of the displacement.
void colourGroup(QGroupBox* box, sound::Color color) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    palette.setColor(QPalette::ButtonText, toQColor(color));
    box->setPalette(palette);
}

// Check boxes and radio buttons are 129 pixels wide. A caption that needs more in the font
// at hand (a fixed-width kana font is wider than the proportional one the layout was made
// with) may take the room up to the group's right edge instead of being cut off.
template <class Button>
Button* optionButton(QWidget* parent, const char* name, const char* caption, int top) {
    auto* button = place(new Button(QString::fromUtf8(caption), parent), name, 8, top, 129, 17);
    const int room = parent->width() - 8 - 2;
    if (button->sizeHint().width() > button->width())
        button->resize(std::min(button->sizeHint().width(), room), button->height());
    return button;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption, int top, bool checked) {
    auto* box = optionButton<QCheckBox>(parent, name, caption, top);
    box->setChecked(checked);
    return box;
}

QLabel* label(QWidget* parent, const char* name, const char* text, int left, int top, int width,
              int height) {
    return place(new QLabel(QString::fromUtf8(text), parent), name, left, top, width, height);
}

platform::TrackBar* trackBar(QWidget* parent, const char* name, Qt::Orientation orientation,
                             int left, int top, int width, int height, int min, int max,
                             int position) {
    auto* bar = place(new platform::TrackBar(orientation, parent), name, left, top, width, height);
    bar->setRange(min, max);
    bar->setPosition(position);
    bar->setLineStep(1);
    bar->setPageStep(2);
    return bar;
}

} // namespace

void TForm1::buildMenu() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    FileF1 = MainMenu1->addMenu(QStringLiteral("File(&F)"));
    FileF1->setObjectName(QStringLiteral("FileF1"));
    OpenO1 = FileF1->addAction(QStringLiteral("Open(&O)"));
    OpenO1->setObjectName(QStringLiteral("OpenO1"));
    SaveS1 = FileF1->addAction(QStringLiteral("Save(&S)"));
    SaveS1->setObjectName(QStringLiteral("SaveS1"));
    N1 = FileF1->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    QuitQ1 = FileF1->addAction(QStringLiteral("Quit(&Q)"));
    QuitQ1->setObjectName(QStringLiteral("QuitQ1"));
}

void TForm1::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    graph = place(new platform::CanvasWidget(client), "graph", 8, 8, 601, 601);
    saver = place(new QListWidget(client), "saver", 8, 8, 121, 97);
    saver->setVisible(false);
    BitBtn1 = place(new QPushButton(QStringLiteral("スタート/ストップ"), client), "BitBtn1", 656, 8,
                    313, 33);

    phichanger = trackBar(client, "phichanger", Qt::Horizontal, 8, 616, 601, 33, -180, 180, 30);
    phichanger->setLineStep(5);
    phichanger->setPageStep(15);
    phichanger->setTickMarks(15);
    // The elevation slider starts at -30 while the elevation itself starts at 30: the
    // first frames are drawn from above until the user first touches the slider.
    thetachanger = trackBar(client, "thetachanger", Qt::Vertical, 616, 8, 33, 601, -90, 90, -30);
    thetachanger->setLineStep(5);
    thetachanger->setPageStep(15);
    thetachanger->setTickMarks(15);

    Panel1 = place(new QFrame(client), "Panel1", 656, 48, 313, 497);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);

    GroupBox1 = group(Panel1, "GroupBox1", "波源1", 8, 8, 97);
    GroupBox2 = group(Panel1, "GroupBox2", "波源2", 160, 8, 97);
    GroupBox3 = group(Panel1, "GroupBox3", "波源3", 8, 112, 97);
    GroupBox4 = group(Panel1, "GroupBox4", "波源4", 160, 112, 97);
    gr_gensui = group(Panel1, "gr_gensui", "減衰のしかた", 8, 216, 73);
    gr_byouga = group(Panel1, "gr_byouga", "描画のしかた", 8, 296, 193);
    GroupBox5 = group(Panel1, "GroupBox5", "描画するもの", 160, 216, 89);
    opt = group(Panel1, "opt", "オプション", 160, 312, 177);

    // The five buttons of each source group sit at the same places; 72, 40 stays empty.
    const std::array<QGroupBox*, sound::kSourceCount> sourceGroups = {GroupBox1, GroupBox2,
                                                                      GroupBox3, GroupBox4};
    const std::array<QPoint, 5> buttonPlaces = {QPoint(8, 16), QPoint(72, 16), QPoint(8, 40),
                                                QPoint(8, 64), QPoint(72, 64)};
    const std::array<char, 5> fieldLetters = {'x', 'y', 'a', 'o', 'p'};
    for (std::size_t i = 0; i < kSourceButtons.size(); ++i) {
        const sound::SourceField& field = sound::kSourceFields[i];
        QGroupBox* parent = sourceGroups[field.source - 1];
        const QPoint at = buttonPlaces[i % 5];
        const std::string name =
            "bt_" + std::to_string(field.source) + "_" + std::string(1, fieldLetters[i % 5]);
        const QString caption = QString::fromUtf8(field.prefix.data(), field.prefix.size()) + "0";
        this->*kSourceButtons[i] =
            place(new QPushButton(caption, parent), name.c_str(), at.x(), at.y(), 64, 24);
    }
    for (std::size_t k = 0; k < sourceGroups.size(); ++k)
        colourGroup(sourceGroups[k], sound::kSourceColors[k]);

    gens1 = optionButton<QRadioButton>(gr_gensui, "gens1", "距離に反比例", 16);
    gens2 = optionButton<QRadioButton>(gr_gensui, "gens2", "距離の√に反比例", 32);
    gens0 = optionButton<QRadioButton>(gr_gensui, "gens0", "決して減衰しない", 48);
    gens2->setChecked(true);

    // Four columns: heading, slider, and the names of its two ends above and below it.
    Label1 = label(gr_byouga, "Label1", "点数", 5, 21, 24, 12);
    Label2 = label(gr_byouga, "Label2", "点隔", 37, 21, 24, 12);
    Label3 = label(gr_byouga, "Label3", "波速", 72, 21, 24, 12);
    Label4 = label(gr_byouga, "Label4", "処理", 105, 21, 24, 12);
    numpoints = trackBar(gr_byouga, "numpoints", Qt::Vertical, 8, 56, 25, 113, 5, 50, 20);
    numzoom = trackBar(gr_byouga, "numzoom", Qt::Vertical, 40, 56, 25, 113, 5, 50, 20);
    velocitychanger =
        trackBar(gr_byouga, "velocitychanger", Qt::Vertical, 72, 56, 25, 113, 5, 50, 20);
    fpschanger = trackBar(gr_byouga, "fpschanger", Qt::Vertical, 104, 56, 25, 113, 20, 1000, 200);
    fpschanger->setLineStep(0);
    fpschanger->setPageStep(20);
    Label5 = label(gr_byouga, "Label5", "少", 9, 41, 16, 16);
    Label6 = label(gr_byouga, "Label6", "狭", 41, 41, 16, 16);
    Label7 = label(gr_byouga, "Label7", "遅", 73, 41, 16, 16);
    Label8 = label(gr_byouga, "Label8", "忙", 105, 41, 16, 16);
    Label9 = label(gr_byouga, "Label9", "多", 9, 169, 16, 16);
    Label10 = label(gr_byouga, "Label10", "広", 41, 169, 16, 16);
    Label11 = label(gr_byouga, "Label11", "速", 73, 169, 16, 16);
    Label12 = label(gr_byouga, "Label12", "暇", 105, 169, 16, 16);
    for (QLabel* end : {Label5, Label6, Label7, Label8, Label9, Label10, Label11, Label12})
        end->setFont(windowFont(16));

    ch_baishitsu = checkBox(GroupBox5, "ch_baishitsu", "媒質", 16, true);
    ch_bashi = checkBox(GroupBox5, "ch_bashi", "媒質の足", 32, true);
    ch_suihei = checkBox(GroupBox5, "ch_suihei", "変位0の水平線", 48, true);
    ch_seibun = checkBox(GroupBox5, "ch_seibun", "変位の成分", 64, true);
    ch_2cut = checkBox(opt, "ch_2cut", "波源2つにして高速化", 16, false);
    ch_guruguru = checkBox(opt, "ch_guruguru", "視点ぐるぐる", 32, false);
    ch_rect = checkBox(opt, "ch_rect", "媒質を四角くする", 48, false);
    ch_koma = checkBox(opt, "ch_koma", "コマ送り", 64, false);
}

void TForm1::buildTabOrder() {
    // The window's own controls first, then the panel's groups, each group's controls in
    // their own order. The hidden list takes no focus.
    const std::vector<QWidget*> order = {
        BitBtn1,         phichanger, thetachanger, bt_1_x,    bt_1_y,    bt_1_a,    bt_1_o,
        bt_1_p,          bt_2_x,     bt_2_y,       bt_2_a,    bt_2_o,    bt_2_p,    bt_3_x,
        bt_3_y,          bt_3_a,     bt_3_o,       bt_3_p,    bt_4_x,    bt_4_y,    bt_4_a,
        bt_4_o,          bt_4_p,     gens1,        gens2,     gens0,     numpoints, numzoom,
        velocitychanger, fpschanger, ch_baishitsu, ch_suihei, ch_seibun, ch_bashi,  ch_2cut,
        ch_guruguru,     ch_rect,    ch_koma};
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TForm1::connectHandlers() {
    using Handler = void (TForm1::*)();
    auto wire = [this](Handler handler) {
        return [this, handler] { dispatch([this, handler] { (this->*handler)(); }); };
    };

    connect(BitBtn1, &QPushButton::clicked, this, wire(&TForm1::BitBtn1Click));
    Timer1->setOnTimer(wire(&TForm1::Timer1Timer));
    thetachanger->setOnChange(wire(&TForm1::thetachangerChange));
    phichanger->setOnChange(wire(&TForm1::phichangerChange));
    velocitychanger->setOnChange(wire(&TForm1::velocitychangerChange));
    fpschanger->setOnChange(wire(&TForm1::fpschangerChange));

    // In the order of sourceButtons().
    const std::array<Handler, 20> sourceHandlers = {
        &TForm1::bt_1_xClick, &TForm1::bt_1_yClick, &TForm1::bt_1_aClick, &TForm1::bt_1_oClick,
        &TForm1::bt_1_pClick, &TForm1::bt_2_xClick, &TForm1::bt_2_yClick, &TForm1::bt_2_aClick,
        &TForm1::bt_2_oClick, &TForm1::bt_2_pClick, &TForm1::bt_3_xClick, &TForm1::bt_3_yClick,
        &TForm1::bt_3_aClick, &TForm1::bt_3_oClick, &TForm1::bt_3_pClick, &TForm1::bt_4_xClick,
        &TForm1::bt_4_yClick, &TForm1::bt_4_aClick, &TForm1::bt_4_oClick, &TForm1::bt_4_pClick};
    const std::array<QPushButton*, 20> buttons = sourceButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        connect(buttons[i], &QPushButton::clicked, this, wire(sourceHandlers[i]));

    connect(OpenO1, &QAction::triggered, this, wire(&TForm1::OpenO1Click));
    connect(SaveS1, &QAction::triggered, this, wire(&TForm1::SaveS1Click));
    connect(QuitQ1, &QAction::triggered, this, wire(&TForm1::QuitQ1Click));
}

std::array<QPushButton*, 20> TForm1::sourceButtons() const {
    std::array<QPushButton*, 20> buttons{};
    for (std::size_t i = 0; i < kSourceButtons.size(); ++i)
        buttons[i] = this->*kSourceButtons[i];
    return buttons;
}
