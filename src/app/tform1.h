#pragma once

#include "animation_timer.h"
#include "button.h"
#include "check_box.h"
#include "file_dialog.h"
#include "form.h"
#include "image.h"
#include "list_box.h"
#include "menu.h"
#include "pixel_frame_renderer.h"
#include "settings_file.h"
#include "settings_storage.h"
#include "static_controls.h"
#include "track_bar.h"

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class Backend;
} // namespace platform

// The program's title: the window caption, the application name and the error box's caption.
inline constexpr char kApplicationTitle[] = "Ondulix-K";

// Parts of the window that a caller supplies instead of the backend: tests hand in scripted
// ones. A missing part comes from the backend.
struct TForm1Services {
    std::unique_ptr<platform::AnimationTimer> timer = nullptr;
    std::unique_ptr<platform::FileDialog> openDialog = nullptr;
    std::unique_ptr<platform::FileDialog> saveDialog = nullptr;
    std::unique_ptr<platform::SettingsStorage> settingsStorage = nullptr;
};

// The main window: the drawing area with its two view sliders, the Start/Stop button and
// the panel of source, attenuation, drawing and option groups, under a File menu. Every
// control is a member under its own name, and every event handler a method named after its
// control and event. Handlers read the controls when they run; the simulation and view
// state lives in the globals of sound.h. The window knows no toolkit: a backend shows its
// controls and brings the user's input to them.
class TForm1 : public platform::Form, public platform::DropTarget {
public:
    explicit TForm1(platform::Backend& backend, TForm1Services services = {});
    ~TForm1() override;

    // Controls directly on the window's client area.
    platform::Image graph{*this, "graph"};
    platform::ListBox saver{*this, "saver"}; // hidden; the lines of the settings file
    platform::Button BitBtn1{*this, "BitBtn1"};
    platform::TrackBar phichanger{*this, "phichanger"};
    platform::TrackBar thetachanger{*this, "thetachanger"};
    platform::Panel Panel1{*this, "Panel1"};

    // The groups on Panel1.
    platform::GroupBox GroupBox1{*this, "GroupBox1"};
    platform::GroupBox GroupBox2{*this, "GroupBox2"};
    platform::GroupBox GroupBox3{*this, "GroupBox3"};
    platform::GroupBox GroupBox4{*this, "GroupBox4"};
    platform::GroupBox gr_gensui{*this, "gr_gensui"};
    platform::GroupBox gr_byouga{*this, "gr_byouga"};
    platform::GroupBox GroupBox5{*this, "GroupBox5"};
    platform::GroupBox opt{*this, "opt"};

    // Source buttons, one group per source.
    platform::Button bt_1_x{*this, "bt_1_x"};
    platform::Button bt_1_y{*this, "bt_1_y"};
    platform::Button bt_1_a{*this, "bt_1_a"};
    platform::Button bt_1_o{*this, "bt_1_o"};
    platform::Button bt_1_p{*this, "bt_1_p"};
    platform::Button bt_2_x{*this, "bt_2_x"};
    platform::Button bt_2_y{*this, "bt_2_y"};
    platform::Button bt_2_a{*this, "bt_2_a"};
    platform::Button bt_2_o{*this, "bt_2_o"};
    platform::Button bt_2_p{*this, "bt_2_p"};
    platform::Button bt_3_x{*this, "bt_3_x"};
    platform::Button bt_3_y{*this, "bt_3_y"};
    platform::Button bt_3_a{*this, "bt_3_a"};
    platform::Button bt_3_o{*this, "bt_3_o"};
    platform::Button bt_3_p{*this, "bt_3_p"};
    platform::Button bt_4_x{*this, "bt_4_x"};
    platform::Button bt_4_y{*this, "bt_4_y"};
    platform::Button bt_4_a{*this, "bt_4_a"};
    platform::Button bt_4_o{*this, "bt_4_o"};
    platform::Button bt_4_p{*this, "bt_4_p"};

    // Attenuation.
    platform::RadioButton gens1{*this, "gens1"};
    platform::RadioButton gens2{*this, "gens2"};
    platform::RadioButton gens0{*this, "gens0"};

    // Grid, speed and interval sliders with their labels. The labels at the sliders' ends are
    // made after the sliders, so that they lie over the ends of the tracks they touch.
    platform::Label Label1{*this, "Label1"};
    platform::Label Label2{*this, "Label2"};
    platform::Label Label3{*this, "Label3"};
    platform::Label Label4{*this, "Label4"};
    platform::TrackBar numpoints{*this, "numpoints"};
    platform::TrackBar numzoom{*this, "numzoom"};
    platform::TrackBar velocitychanger{*this, "velocitychanger"};
    platform::TrackBar fpschanger{*this, "fpschanger"};
    platform::Label Label5{*this, "Label5"};
    platform::Label Label6{*this, "Label6"};
    platform::Label Label7{*this, "Label7"};
    platform::Label Label8{*this, "Label8"};
    platform::Label Label9{*this, "Label9"};
    platform::Label Label10{*this, "Label10"};
    platform::Label Label11{*this, "Label11"};
    platform::Label Label12{*this, "Label12"};

    // What to draw, and the options.
    platform::CheckBox ch_baishitsu{*this, "ch_baishitsu"};
    platform::CheckBox ch_bashi{*this, "ch_bashi"};
    platform::CheckBox ch_suihei{*this, "ch_suihei"};
    platform::CheckBox ch_seibun{*this, "ch_seibun"};
    platform::CheckBox ch_2cut{*this, "ch_2cut"};
    platform::CheckBox ch_guruguru{*this, "ch_guruguru"};
    platform::CheckBox ch_rect{*this, "ch_rect"};
    platform::CheckBox ch_koma{*this, "ch_koma"};

    // The menu.
    platform::MenuBar MainMenu1{*this, "MainMenu1"};
    platform::Menu FileF1{*this, "FileF1"};
    platform::MenuItem OpenO1{*this, "OpenO1"};
    platform::MenuItem SaveS1{*this, "SaveS1"};
    platform::MenuSeparator N1{*this, "N1"};
    platform::MenuItem QuitQ1{*this, "QuitQ1"};

    // The animation timer: its interval is the running/stopped state.
    std::unique_ptr<platform::AnimationTimer> Timer1;

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

    // A set-up from elsewhere: a page's address, a file dropped on the window, the file named
    // on the command line. A backend calls these; each that changes anything runs as one event
    // through dispatch, so its error shows in the error box.

    // Applies the set-up of a link's fragment (the address's part after "#", "okd=..."), as
    // Open applies a file of the same values: the same conversions and the same message for
    // a bad value, and on any error nothing of the set-up changes. A fragment that is not a
    // set-up (another page's anchor) does nothing. The animation is not started. A link that
    // comes while File > Open could not be chosen (a link followed in the page's tab while
    // the animation runs or a box is open) is refused as a drop is, and the link of the set-up
    // the window shows is told again, so that the address goes back to it.
    void openSetupLink(const std::string& fragment);
    // The fragment of the link that holds the current set-up as Save would write it.
    std::string setupLink() const;

    // Whether a drop can be taken now: only when File > Open could be chosen at this moment
    // (the File menu and its Open item take input and no modal box is open), and only of a
    // single regular file whose name matches the open dialog's pattern (*.okd), letter case
    // aside, as file managers compare. The first form is for a drag whose names are not known
    // yet (a page learns them only at the drop): it checks the moment and the count.
    bool canTakeDrop(std::size_t files) const override;
    bool canTakeDrop(const std::vector<std::string>& paths) const override;
    // Opens the dropped file exactly as Open does after the user confirmed its name in the
    // dialog, which then offers that name; a drop that canTakeDrop refuses does nothing.
    void dropFiles(const std::vector<std::string>& paths) override;

    // Opens the file named on the command line as Open opens a confirmed name, except that a
    // missing file or a folder is reported rather than passed over: the user named it on
    // purpose. "-" is refused with "標準入力からは読み込めません".
    void openFileArgument(const std::string& path);

    // The twenty source buttons in the order of sound::kSourceFields.
    std::array<platform::Button*, 20> sourceButtons();
    std::array<const platform::Button*, 20> sourceButtons() const;

    // Runs `handler` as the handler of one event: an error it raises ends it where it
    // stands, keeping what it already changed, and is shown in the error box, after which
    // the program carries on with the next event. A handler set off synchronously by
    // another one (a slider moved by the tick) is part of that one, so its error ends both.
    void dispatch(const std::function<void()>& handler);

private:
    // Whether File > Open could be chosen at this moment: the File menu and its Open item take
    // input and no modal box is open. What comes from elsewhere opens only then.
    bool canOpenNow() const;
    void connectHandlers();
    void enterSourceValue(std::size_t row);
    void setUpSettingsFiles(TForm1Services& services);
    sound::StoredSetup currentSetup() const;
    // Applies a set-up that read well, or raises the failure of one that did not.
    void applyReadSetup(const sound::SettingsReadResult& result);
    void applySetup(const sound::StoredSetup& setup);
    // Open's steps after the dialog: the name it holds is opened, unless no such file exists.
    void openDialogFileName();
    // Tells the backend the set-up's link when it differs from the one told last.
    void tellChangedSetup();

    platform::Backend& backend_;
    std::unique_ptr<platform::SettingsStorage> settingsStorage_;
    // Keeps what does not change from one tick to the next (projections, distances,
    // attenuation), so a frame costs little more than its sines.
    platform::PixelFrameRenderer frameRenderer_;
    // How many modal boxes were open when the running handler was entered; -1 when none runs.
    int handlerModalDepth_ = -1;
    // The set-up whose link the backend was told last; the start-up set-up counts as told.
    sound::StoredSetup toldSetup_;
};
