#include "tform1.h"

#include "backend.h"
#include "error_box.h"
#include "error_box_text.h"
#include "layout.h"
#include "modal_boxes.h"
#include "program_error.h"
#include "sound.h"
#include "tform1_layout.h"
#include "track_bar.h"
#include "translation.h"
#include "wave_field.h"
#include "window_icon.h"

#include <new>
#include <utility>

TForm1::TForm1(platform::Backend& backend, TForm1Services services)
    : Timer1(std::move(services.timer)), backend_(backend) {
    platform::applyLayout(*this, kTForm1Layout);
    setIcon(kWindowIconDesignSize, paintWindowIcon(kWindowIconDesignSize));
    backend.build(*this);
    // The timer and the file dialogs belong to the window the backend has just made.
    if (!Timer1)
        Timer1 = backend.makeTimer();
    // A press held on a slider's track repeats by a timer of the toolkit's.
    for (platform::Control* control : controls())
        if (control->kind() == platform::ControlKind::TrackBar)
            static_cast<platform::TrackBar*>(control)->setRepeatTimer(backend.makeTimer());
    setUpSettingsFiles(services);

    // Handlers are attached only after every initial state is in place, so that the state
    // below comes from FormCreate alone.
    BitBtn1.setFocus();
    setDropTarget(this);
    connectHandlers();
    FormCreate();
    toldSetup_ = currentSetup();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    platform::PixelCanvas& canvas = graph.canvas();
    canvas.setBrushColor(sound::kWhite);
    canvas.fillRect(0, 0, sound::kCanvasSize, sound::kCanvasSize);
    graph.invalidate();
    sound::resetToStartupState();
}

void TForm1::QuitQ1Click() {
    // No question and nothing saved.
    backend_.quit();
}

void TForm1::drawall() {
    sound::FrameInputs inputs;
    inputs.n = numpoints.position();
    inputs.g = numzoom.position();
    inputs.attenuation = sound::attenuationFromButtons(gens1.checked(), gens2.checked());
    inputs.twoSources = ch_2cut.checked();
    inputs.seibun = ch_seibun.checked();
    inputs.bashi = ch_bashi.checked();
    inputs.suihei = ch_suihei.checked();
    inputs.baishitsu = ch_baishitsu.checked();
    inputs.rect = ch_rect.checked();
    frameRenderer_.draw(graph.canvas(), sound::hagen, sound::timecount,
                        sound::View{sound::theta, sound::phi}, inputs);
    // The backend shows the bitmap when the event loop is next idle, so the frame is seen
    // whole and a slow frame does not hold up the tick with a repaint.
    graph.invalidate();
}

void TForm1::dispatch(const std::function<void()>& handler) {
    const int depth = int(platform::ModalBoxes::program().depth());
    if (depth == handlerModalDepth_) {
        // Set off from inside the running handler, not by an event of its own: an error
        // goes on up through the running handler.
        handler();
        return;
    }
    // A new event: from the main loop, or from the event loop of a modal box that a
    // running handler opened.
    const int outer = std::exchange(handlerModalDepth_, depth);
    std::string message;
    bool failed = false;
    try {
        handler();
    } catch (const sound::ProgramError& e) {
        failed = true;
        message = e.message();
    } catch (const std::bad_alloc&) {
        // Reading a file whole (the page does) can need more memory than is left: the user is
        // told so in words, and the handler ends as it would for any other error.
        failed = true;
        message = sound::tr("メモリが足りません");
    } catch (const std::exception& e) {
        failed = true;
        message = e.what();
    } catch (...) {
        failed = true;
        message = sound::tr("不明なエラー");
    }
    handlerModalDepth_ = outer;
    // Before the error box, so that the address holds the set-up while the box is open.
    tellChangedSetup();
    if (failed)
        platform::showErrorBox(backend_, kApplicationTitle, sound::errorBoxText(message));
}

void TForm1::connectHandlers() {
    using Handler = void (TForm1::*)();
    auto wire = [this](Handler handler) {
        return [this, handler] { dispatch([this, handler] { (this->*handler)(); }); };
    };

    BitBtn1.onClick = wire(&TForm1::BitBtn1Click);
    Timer1->setOnTimer(wire(&TForm1::Timer1Timer));
    thetachanger.onChange = wire(&TForm1::thetachangerChange);
    phichanger.onChange = wire(&TForm1::phichangerChange);
    velocitychanger.onChange = wire(&TForm1::velocitychangerChange);
    fpschanger.onChange = wire(&TForm1::fpschangerChange);
    // The grid sliders, the radio buttons and the check boxes have no handlers; what the user
    // changes there reaches the page's address all the same.
    onUserChange = [this] { tellChangedSetup(); };

    // In the order of sourceButtons().
    const std::array<Handler, 20> sourceHandlers = {
        &TForm1::bt_1_xClick, &TForm1::bt_1_yClick, &TForm1::bt_1_aClick, &TForm1::bt_1_oClick,
        &TForm1::bt_1_pClick, &TForm1::bt_2_xClick, &TForm1::bt_2_yClick, &TForm1::bt_2_aClick,
        &TForm1::bt_2_oClick, &TForm1::bt_2_pClick, &TForm1::bt_3_xClick, &TForm1::bt_3_yClick,
        &TForm1::bt_3_aClick, &TForm1::bt_3_oClick, &TForm1::bt_3_pClick, &TForm1::bt_4_xClick,
        &TForm1::bt_4_yClick, &TForm1::bt_4_aClick, &TForm1::bt_4_oClick, &TForm1::bt_4_pClick};
    const auto buttons = sourceButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->onClick = wire(sourceHandlers[i]);

    OpenO1.onClick = wire(&TForm1::OpenO1Click);
    SaveS1.onClick = wire(&TForm1::SaveS1Click);
    QuitQ1.onClick = wire(&TForm1::QuitQ1Click);
    // Closing the window ends the program as Quit does, also while the animation runs and
    // the File menu cannot be opened.
    onClose = wire(&TForm1::QuitQ1Click);
}

std::array<platform::Button*, 20> TForm1::sourceButtons() {
    std::array<platform::Button*, 20> buttons{};
    const auto unchanging = std::as_const(*this).sourceButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        buttons[i] = const_cast<platform::Button*>(unchanging[i]);
    return buttons;
}

std::array<const platform::Button*, 20> TForm1::sourceButtons() const {
    return {&bt_1_x, &bt_1_y, &bt_1_a, &bt_1_o, &bt_1_p, &bt_2_x, &bt_2_y,
            &bt_2_a, &bt_2_o, &bt_2_p, &bt_3_x, &bt_3_y, &bt_3_a, &bt_3_o,
            &bt_3_p, &bt_4_x, &bt_4_y, &bt_4_a, &bt_4_o, &bt_4_p};
}
