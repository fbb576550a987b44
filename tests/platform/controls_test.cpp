// The rules of the window's controls that no toolkit decides: radio groups, disabled controls
// and menus, the layout applied before any handler runs, the tab order, and the boxes of the
// headless backend.
#include "button.h"
#include "check_box.h"
#include "error_box.h"
#include "file_filter.h"
#include "form.h"
#include "headless_backend.h"
#include "input_box.h"
#include "layout.h"
#include "menu.h"
#include "static_controls.h"
#include "track_bar.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using platform::ControlKind;
using platform::ControlLayout;

// Two groups of radio buttons and a check box, as a window holds them.
struct Groups {
    platform::Form form;
    platform::GroupBox left{form, "left"};
    platform::GroupBox right{form, "right"};
    platform::RadioButton a{form, "a"};
    platform::RadioButton b{form, "b"};
    platform::RadioButton c{form, "c"};
    platform::RadioButton other{form, "other"};
    Groups() {
        for (platform::Control* radio : {&a, &b, &c})
            radio->setParent(&left);
        other.setParent(&right);
        other.setChecked(true);
    }
};

TEST(RadioButton, CheckingOneUnchecksItsGroupOnlyAndUncheckingTouchesNoOther) {
    Groups g;
    g.a.setChecked(true);
    g.b.setChecked(true);
    EXPECT_FALSE(g.a.checked());
    EXPECT_TRUE(g.b.checked());
    EXPECT_TRUE(g.other.checked()) << "another group is left alone";
    g.b.setChecked(false);
    EXPECT_FALSE(g.a.checked() || g.b.checked() || g.c.checked()) << "a group may end empty";
    g.c.select();
    g.c.select();
    EXPECT_TRUE(g.c.checked()) << "clicking the checked one keeps it checked";
}

TEST(Controls, NothingOnADisabledControlOrParentTakesInput) {
    platform::Form form;
    platform::Menu menu(form, "menu");
    platform::MenuItem item(form, "item");
    item.setParent(&menu);
    platform::Button button(form, "button");
    platform::CheckBox box(form, "box");
    int chosen = 0, pressed = 0;
    item.onClick = [&] { ++chosen; };
    button.onClick = [&] { ++pressed; };

    menu.setEnabled(false);
    button.setEnabled(false);
    box.setEnabled(false);
    item.choose();
    button.press();
    box.toggle();
    EXPECT_EQ(chosen + pressed, 0);
    EXPECT_FALSE(box.checked());

    menu.setEnabled(true);
    button.setEnabled(true);
    item.choose();
    button.press();
    EXPECT_EQ(chosen + pressed, 2);
}

// A form whose layout is given per test.
struct SmallForm : platform::Form {
    platform::Label note{*this, "note"};
    platform::Panel panel{*this, "panel"};
    platform::TrackBar bar{*this, "bar"};
    platform::CheckBox box{*this, "box"};
    platform::Button hidden{*this, "hidden"};
    platform::Button first{*this, "first"};
};

constexpr ControlLayout kSmallRows[] = {
    {.name = "note", .kind = ControlKind::Label, .caption = "R&D"},
    {.name = "first", .kind = ControlKind::Button, .caption = "go", .tabIndex = 0},
    {.name = "hidden", .kind = ControlKind::Button, .tabIndex = 1, .visible = false},
    {.name = "panel", .kind = ControlKind::Panel, .tabIndex = 2},
    {.name = "box",
     .kind = ControlKind::CheckBox,
     .parent = "panel",
     .tabIndex = 1,
     .checked = true},
    {.name = "bar",
     .kind = ControlKind::TrackBar,
     .parent = "panel",
     .tabIndex = 0,
     .min = 20,
     .max = 1000,
     .position = 200,
     .lineStep = 0,
     .pageStep = 20},
};

TEST(Layout, GivesEachControlItsStateWithoutRunningAHandler) {
    SmallForm form;
    int changes = 0;
    form.bar.onChange = [&] { ++changes; };
    platform::applyLayout(form, {.controls = kSmallRows});
    EXPECT_EQ(form.first.caption(), "go");
    EXPECT_FALSE(form.hidden.visible());
    EXPECT_TRUE(form.box.checked());
    EXPECT_EQ(form.box.parent(), &form.panel);
    EXPECT_EQ(form.bar.min(), 20);
    EXPECT_EQ(form.bar.max(), 1000);
    EXPECT_EQ(form.bar.position(), 200);
    EXPECT_EQ(form.bar.lineStep(), 0);
    EXPECT_EQ(form.bar.pageStep(), 20);
    // The handler above is attached too early on purpose: the range moves the position, and
    // only setPosition may run it.
    EXPECT_EQ(changes, 1);
}

TEST(Layout, RefusesAWindowAndALayoutThatDescribeDifferentControls) {
    SmallForm form;
    const ControlLayout wrongKind[] = {{.name = "box", .kind = ControlKind::Button}};
    EXPECT_THROW(platform::applyLayout(form, {.controls = wrongKind}), std::logic_error);
    const ControlLayout missingRows[] = {kSmallRows[0]};
    EXPECT_THROW(platform::applyLayout(form, {.controls = missingRows}), std::logic_error);
    platform::Form empty;
    EXPECT_THROW(platform::applyLayout(empty, {.controls = kSmallRows}), std::logic_error);
}

TEST(Layout, TabVisitsControlsInTheirParentsOrderPassingThroughFrames) {
    SmallForm form;
    platform::applyLayout(form, {.controls = kSmallRows});
    std::vector<std::string> order;
    for (const platform::Control* control : form.tabOrder())
        order.push_back(control->name());
    EXPECT_EQ(order, (std::vector<std::string>{"first", "hidden", "bar", "box"}));
    order.clear();
    for (const platform::Control* control : form.childrenInTabOrder(nullptr))
        order.push_back(control->name());
    EXPECT_EQ(order, (std::vector<std::string>{"first", "hidden", "panel", "note"}))
        << "a control outside the order comes last although it was made first";
    EXPECT_FALSE(form.hidden.tabStop());
    EXPECT_TRUE(form.first.tabStop());
}

// A label shows its "&" as written; a button's marks its access key.
TEST(Layout, OnlyControlsThatTakeAKeyMarkOneInTheirCaption) {
    SmallForm form;
    platform::applyLayout(form, {.controls = kSmallRows});
    form.first.setCaption("&Go");
    EXPECT_EQ(form.note.shownCaption().text + form.first.shownCaption().text, "R&DGo");
    EXPECT_EQ(form.first.shownCaption().key, 'G');
}

// Check boxes and radio buttons 129 pixels wide at 8 pixels in, on a group 145 wide (room up to
// 135) or on a window 120 wide (room up to 110), and a button, given captions of some widths.
TEST(Layout, ACheckableControlWidensToItsCaptionUpToItsParentsEdge) {
    platform::Form form;
    form.setPlace({0, 0, 120, 100});
    platform::GroupBox group(form, "group");
    group.setPlace({10, 10, 145, 80});
    platform::CheckBox box(form, "box");
    platform::RadioButton onWindow(form, "onWindow");
    platform::Button button(form, "button");
    box.setPlace({8, 16, 129, 17});
    onWindow.setPlace(box.place());
    button.setPlace(box.place());
    box.setParent(&group);
    button.setParent(&group);
    EXPECT_EQ(platform::placeForCaption(box, 90).width, 129) << "never narrower than its row";
    EXPECT_EQ(platform::placeForCaption(box, 133).width, 133);
    EXPECT_EQ(platform::placeForCaption(box, 300).width, 135);
    EXPECT_EQ(platform::placeForCaption(onWindow, 300).width, 110);
    EXPECT_EQ(platform::placeForCaption(button, 300).width, 129);
    EXPECT_EQ(platform::placeForCaption(box, 300).height, 17);
}

TEST(HeadlessBackend, BoxesAnswerAsAUserWhoClosesThem) {
    platform::HeadlessBackend backend;
    auto dialog = backend.makeFileDialog(platform::FileDialog::Mode::Open);
    EXPECT_EQ(platform::askForText(backend, {.caption = "入力", .prompt = "?"}), std::nullopt);
    dialog->setFileName("last.okd");
    EXPECT_FALSE(dialog->execute());
    EXPECT_EQ(dialog->fileName(), "last.okd") << "a cancelled dialog keeps its name";
    backend.openDialog->answers = {"new.okd"};
    EXPECT_TRUE(dialog->execute());
    EXPECT_EQ(dialog->fileName(), "new.okd");
    platform::showErrorBox(backend, "Ondulix-K", "x.");
    EXPECT_EQ(backend.errorBox->shown, std::vector<std::string>{"x."});
    backend.quit();
    EXPECT_TRUE(backend.quitRequested);
}

struct FilterCase {
    const char* name;
    const char* filter;
    const char* file;
    bool matches;
};

class FileFilterMatch : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FileFilterMatch, TakesTheNamesItsPatternsDescribe) {
    const FilterCase& c = GetParam();
    EXPECT_EQ(platform::FileFilter::parse(c.filter).matches(c.file), c.matches);
}

constexpr char kSettings[] = "Ondulix-Kデータ[*.okd]|*.okd";

INSTANTIATE_TEST_SUITE_P(
    Rows, FileFilterMatch,
    ::testing::Values(FilterCase{"extension", kSettings, "beats.okd", true},
                      FilterCase{"capital_extension_as_file_managers_take_it", kSettings,
                                 "BEATS.OKD", true},
                      FilterCase{"in_a_folder", kSettings, "/home/a.b/set.okd", true},
                      FilterCase{"folder_with_the_extension", kSettings, "x.okd/set.txt", false},
                      FilterCase{"another_extension", kSettings, "beats.okd.txt", false},
                      FilterCase{"extension_alone", kSettings, ".okd", true},
                      FilterCase{"second_pattern", "Text|*.txt;*.okd", "a.okd", true},
                      FilterCase{"second_kind", "Text|*.txt|All|*", "a.png", true},
                      FilterCase{"question_mark", "One|?.okd", "ab.okd", false}),
    [](const auto& info) { return info.param.name; });

TEST(FileFilter, NamesItsKindsAndExtensions) {
    const platform::FileFilter filter = platform::FileFilter::parse("A|*.okd;*.OKD;x*|B|*.txt");
    ASSERT_EQ(filter.kinds.size(), 2u);
    EXPECT_EQ(filter.kinds[0].description, "A");
    EXPECT_EQ(filter.kinds[1].patterns, std::vector<std::string>{"*.txt"});
    EXPECT_EQ(filter.extensions(), (std::vector<std::string>{".okd", ".OKD", ".txt"}));
}

} // namespace
