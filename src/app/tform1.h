#pragma once

#include "animation_timer.h"
#include "error_box.h"
#include "file_dialog.h"
#include "input_box.h"
#include "pixel_frame_renderer.h"
#include "settings_storage.h"

#include <QMainWindow>
#include <array>
#include <cstddef>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QCloseEvent;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;

namespace platform {
class CanvasWidget;
class TrackBar;
} // namespace platform

namespace sound {
struct StoredSetup;
} // namespace sound

// The program's title: the window caption, the application name and the error box's caption.
inline constexpr char kApplicationTitle[] = "Ondulix-K";

// What the window needs beyond its own controls. A missing part is replaced by the Qt
// implementation; tests hand in scripted ones.
struct TForm1Services {
    std::unique_ptr<platform::AnimationTimer> timer;
    std::unique_ptr<platform::ErrorBox> errorBox;
    std::unique_ptr<platform::InputBox> inputBox;
    std::unique_ptr<platform::FileDialog> openDialog = nullptr;
    std::unique_ptr<platform::FileDialog> saveDialog = nullptr;
    std::unique_ptr<platform::SettingsStorage> settingsStorage = nullptr;
};

// The main window: the drawing area with its two view sliders, the Start/Stop button and
// the panel of source, attenuation, drawing and option groups, under a File menu. Every
// control is a member under its own name, and every event handler a method named after its
// control and event. Handlers read the controls when they run; the simulation and view
// state lives in the globals of sound.h.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm1(TForm1Services services = {}, QWidget* parent = nullptr);
    ~TForm1() override;

    // Controls directly on the window's client area.
    platform::CanvasWidget* graph = nullptr;
    QListWidget* saver = nullptr; // hidden; the lines of the settings file
    QPushButton* BitBtn1 = nullptr;
    platform::TrackBar* phichanger = nullptr;
    platform::TrackBar* thetachanger = nullptr;
    QFrame* Panel1 = nullptr;

    // The groups on Panel1.
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QGroupBox* gr_gensui = nullptr;
    QGroupBox* gr_byouga = nullptr;
    QGroupBox* GroupBox5 = nullptr;
    QGroupBox* opt = nullptr;

    // Source buttons, one group per source.
    QPushButton* bt_1_x = nullptr;
    QPushButton* bt_1_y = nullptr;
    QPushButton* bt_1_a = nullptr;
    QPushButton* bt_1_o = nullptr;
    QPushButton* bt_1_p = nullptr;
    QPushButton* bt_2_x = nullptr;
    QPushButton* bt_2_y = nullptr;
    QPushButton* bt_2_a = nullptr;
    QPushButton* bt_2_o = nullptr;
    QPushButton* bt_2_p = nullptr;
    QPushButton* bt_3_x = nullptr;
    QPushButton* bt_3_y = nullptr;
    QPushButton* bt_3_a = nullptr;
    QPushButton* bt_3_o = nullptr;
    QPushButton* bt_3_p = nullptr;
    QPushButton* bt_4_x = nullptr;
    QPushButton* bt_4_y = nullptr;
    QPushButton* bt_4_a = nullptr;
    QPushButton* bt_4_o = nullptr;
    QPushButton* bt_4_p = nullptr;

    // Attenuation.
    QRadioButton* gens1 = nullptr;
    QRadioButton* gens2 = nullptr;
    QRadioButton* gens0 = nullptr;

    // Grid, speed and interval sliders with their labels.
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    platform::TrackBar* numpoints = nullptr;
    platform::TrackBar* numzoom = nullptr;
    platform::TrackBar* velocitychanger = nullptr;
    platform::TrackBar* fpschanger = nullptr;

    // What to draw, and the options.
    QCheckBox* ch_baishitsu = nullptr;
    QCheckBox* ch_bashi = nullptr;
    QCheckBox* ch_suihei = nullptr;
    QCheckBox* ch_seibun = nullptr;
    QCheckBox* ch_2cut = nullptr;
    QCheckBox* ch_guruguru = nullptr;
    QCheckBox* ch_rect = nullptr;
    QCheckBox* ch_koma = nullptr;

    // The animation timer: its interval is the running/stopped state.
    std::unique_ptr<platform::AnimationTimer> Timer1;

    // The menu.
    QMenuBar* MainMenu1 = nullptr;
    QMenu* FileF1 = nullptr;
    QAction* OpenO1 = nullptr;
    QAction* SaveS1 = nullptr;
    QAction* N1 = nullptr;
    QAction* QuitQ1 = nullptr;

    // Start-up and shutdown.
    void FormCreate();
    void QuitQ1Click();

    // Animation.
    void BitBtn1Click();
    void Timer1Timer();
    // The tick without its single-frame stop: turns the view when the turning option is on,
    // then either draws a frame and advances the clock, or wraps the clock and draws nothing.
    // Returns whether a frame was drawn. The picture command runs the animation through it
    // without a timer.
    bool animationStep();
    void thetachangerChange();
    void phichangerChange();
    void velocitychangerChange();
    void fpschangerChange();

    // Draws one frame from the current state and the controls.
    void drawall();

    // Source entry, one handler per button.
    void bt_1_xClick();
    void bt_1_yClick();
    void bt_1_aClick();
    void bt_1_oClick();
    void bt_1_pClick();
    void bt_2_xClick();
    void bt_2_yClick();
    void bt_2_aClick();
    void bt_2_oClick();
    void bt_2_pClick();
    void bt_3_xClick();
    void bt_3_yClick();
    void bt_3_aClick();
    void bt_3_oClick();
    void bt_3_pClick();
    void bt_4_xClick();
    void bt_4_yClick();
    void bt_4_aClick();
    void bt_4_oClick();
    void bt_4_pClick();

    // Settings file.
    std::unique_ptr<platform::FileDialog> OpenDialog1;
    std::unique_ptr<platform::FileDialog> SaveDialog1;
    void OpenO1Click();
    void SaveS1Click();
    // Reads the settings file at `path` and applies it exactly as Open does, without asking
    // for a name. A file that cannot be read raises sound::ProgramError, one whose lines do
    // not all convert sound::SettingsLineFailure, and either changes nothing. The path is
    // the file's name as the system takes it, bytes that need not be UTF-8.
    void openSettingsFile(const std::string& path);

    // The twenty source buttons in the order of sound::kSourceFields.
    std::array<QPushButton*, 20> sourceButtons() const;

    // Runs `handler` as the handler of one event: an error it raises ends it where it
    // stands, keeping what it already changed, and is shown in the error box, after which
    // the program carries on with the next event. A handler set off synchronously by
    // another one (a slider moved by the tick) is part of that one, so its error ends both.
    void dispatch(const std::function<void()>& handler);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void buildTabOrder();
    void connectHandlers();
    void enterSourceValue(std::size_t row);
    void setFileMenuEnabled(bool enabled);
    void setUpSettingsFiles(TForm1Services& services);
    sound::StoredSetup currentSetup() const;
    void applySetup(const sound::StoredSetup& setup);

    std::unique_ptr<platform::ErrorBox> errorBox_;
    std::unique_ptr<platform::InputBox> inputBox_;
    std::unique_ptr<platform::SettingsStorage> settingsStorage_;
    // Keeps what does not change from one tick to the next (projections, distances,
    // attenuation), so a frame costs little more than its sines.
    platform::PixelFrameRenderer frameRenderer_;
    // The event-loop level at which the running handler was entered; -1 when none runs.
    int handlerLoopLevel_ = -1;
};
