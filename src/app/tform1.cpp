#include "tform1.h"

#include "canvas_widget.h"
#include "dialog_input_box.h"
#include "error_box_text.h"
#include "message_error_box.h"
#include "qt_animation_timer.h"
#include "sound.h"
#include "track_bar.h"
#include "wave_field.h"
#include "window_font.h"
#include "window_icon.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <utility>

TForm1::TForm1(TForm1Services services, QWidget* parent)
    : QMainWindow(parent), Timer1(std::move(services.timer)),
      errorBox_(std::move(services.errorBox)), inputBox_(std::move(services.inputBox)) {
    if (!Timer1)
        Timer1 = std::make_unique<platform::QtAnimationTimer>();
    if (!errorBox_)
        errorBox_ =
            std::make_unique<platform::MessageErrorBox>(this, QString::fromUtf8(kApplicationTitle));
    if (!inputBox_)
        inputBox_ = std::make_unique<platform::DialogInputBox>(this);
    setUpSettingsFiles(services);

    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    setWindowIcon(makeWindowIcon());
    setFont(windowFont(12));

    buildMenu();
    buildControls();
    buildTabOrder();
    BitBtn1->setFocus();

    // The window opens at its designed place rather than centred. The client area below
    // the menu bar leaves a margin of 5 pixels right of the panel and 7 below the azimuth
    // slider; the window stays resizable and the controls keep their places.
    move(160, 150);
    resize(974, 656 + MainMenu1->sizeHint().height());

    // Handlers are attached only now, after every initial position is in place, so that
    // the state below comes from FormCreate alone.
    connectHandlers();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    platform::PixelCanvas& canvas = graph->canvas();
    canvas.setBrushColor(sound::kWhite);
    canvas.fillRect(0, 0, sound::kCanvasSize, sound::kCanvasSize);
    graph->update();
    sound::resetToStartupState();
}

void TForm1::QuitQ1Click() {
    // No question and nothing saved: every event loop, modal ones included, ends with 0.
    QCoreApplication::exit(0);
}

void TForm1::closeEvent(QCloseEvent* event) {
    event->accept();
    QCoreApplication::exit(0);
}

void TForm1::drawall() {
    sound::FrameInputs inputs;
    inputs.n = numpoints->position();
    inputs.g = numzoom->position();
    inputs.attenuation = sound::attenuationFromButtons(gens1->isChecked(), gens2->isChecked());
    inputs.twoSources = ch_2cut->isChecked();
    inputs.seibun = ch_seibun->isChecked();
    inputs.bashi = ch_bashi->isChecked();
    inputs.suihei = ch_suihei->isChecked();
    inputs.baishitsu = ch_baishitsu->isChecked();
    inputs.rect = ch_rect->isChecked();
    frameRenderer_.draw(graph->canvas(), sound::hagen, sound::timecount,
                        sound::View{sound::theta, sound::phi}, inputs);
    // The widget shows the bitmap when the event loop is next idle, so the frame is seen
    // whole and a slow frame does not hold up the tick with a repaint.
    graph->update();
}

void TForm1::dispatch(const std::function<void()>& handler) {
    const int level = QThread::currentThread()->loopLevel();
    if (level == handlerLoopLevel_) {
        // Set off from inside the running handler, not by an event of its own: an error
        // goes on up through the running handler.
        handler();
        return;
    }
    // A new event: from the main loop, or from the nested loop of a modal box that a
    // running handler opened.
    const int outer = std::exchange(handlerLoopLevel_, level);
    std::string message;
    bool failed = false;
    try {
        handler();
    } catch (const std::exception& e) {
        failed = true;
        message = e.what();
    } catch (...) {
        failed = true;
        message = "不明なエラー";
    }
    handlerLoopLevel_ = outer;
    if (failed)
        errorBox_->show(sound::errorBoxText(message));
}

void TForm1::setFileMenuEnabled(bool enabled) {
    // A disabled top-level item cannot be opened, so none of its commands can run.
    FileF1->menuAction()->setEnabled(enabled);
}
