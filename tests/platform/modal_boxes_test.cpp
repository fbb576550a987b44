// The boxes over the window as every edition counts them: which are open and in what order,
// the window taking no input under them, its focus given back when the last one closes, a file
// chooser the user left without the toolkit telling, the boxes' layout, and the box that saves
// by name.
#include "button.h"
#include "error_box.h"
#include "form.h"
#include "headless_backend.h"
#include "input_box.h"
#include "modal_boxes.h"
#include "save_by_name.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

using Kind = platform::ModalBoxes::Kind;

// Shows nothing; counts the times its control was given the focus.
struct FocusCount final : platform::ControlView {
    int given = 0;
    void refresh() override {}
    void takeFocus() override { ++given; }
    void controlGone() override {}
};

struct Window : platform::Form {
    platform::Button button{*this, "button"};
};

std::vector<Kind> openKinds() {
    std::vector<Kind> kinds;
    for (const platform::ModalBoxes::Box& box : platform::ModalBoxes::program().open())
        kinds.push_back(box.kind);
    return kinds;
}

TEST(ModalBoxes, CoverTheWindowInTheOrderTheyOpenAndGiveItsFocusBackWhenTheLastCloses) {
    platform::HeadlessBackend backend;
    FocusCount view;
    Window window;
    backend.build(window);
    window.button.attach(&view);
    window.button.setFocus();
    auto dialog = backend.makeFileDialog(platform::FileDialog::Mode::Open);
    backend.openDialog->whileOpen = [&] {
        EXPECT_EQ(openKinds(), (std::vector<Kind>{Kind::InputBox, Kind::FileChooser}));
        EXPECT_EQ(platform::Form::keyTarget(window), nullptr) << "the toolkit's chooser has them";
    };
    backend.inputBox->user = [&](platform::InputBox& box) {
        EXPECT_EQ(openKinds(), std::vector<Kind>{Kind::InputBox});
        EXPECT_EQ(platform::Form::keyTarget(window), &box);
        EXPECT_FALSE(window.button.takesInput());
        dialog->execute();
        EXPECT_EQ(view.given, 1) << "a box that a chooser uncovers keeps the window's focus";
        box.cancel.press();
    };
    platform::askForText(backend, {.caption = "入力", .prompt = "?"});
    EXPECT_TRUE(platform::ModalBoxes::program().open().empty());
    EXPECT_TRUE(window.button.takesInput());
    EXPECT_EQ(view.given, 2) << "the button had the focus before the box and has it again";
}

// A page shows the error box and returns before the user has closed it: the box is counted
// open, and the window covered, until then.
TEST(ModalBoxes, CountAnErrorBoxLeftOpenUntilTheUserClosesIt) {
    platform::HeadlessBackend backend;
    Window window;
    backend.build(window);
    backend.errorBox->leavesOpen = true;
    platform::showErrorBox(backend, "Ondulix-K", "x.");
    ASSERT_EQ(backend.openErrorBoxes.size(), 1u);
    platform::ErrorBox& box = *backend.openErrorBoxes.front();
    EXPECT_EQ(openKinds(), std::vector<Kind>{Kind::ErrorBox});
    EXPECT_EQ(platform::ModalBoxes::program().open().front().form, &box);
    EXPECT_FALSE(window.button.takesInput());
    box.ok.press();
    EXPECT_EQ(platform::ModalBoxes::program().depth(), 0u);
    EXPECT_TRUE(window.button.takesInput());
}

// Only a file chooser on top is over when the user's input comes back to the windows.
struct ReturnCase {
    const char* name;
    std::vector<Kind> open; // from the bottom; the input box as a form of the program's
    bool ended;
};

class UserReturned : public testing::TestWithParam<ReturnCase> {};

TEST_P(UserReturned, EndsOnlyAChooserOnTop) {
    std::vector<std::unique_ptr<platform::ModalBoxes::Covered>> covers;
    platform::InputBox box({.caption = "入力", .prompt = "?"});
    for (const Kind kind : GetParam().open) {
        if (kind == Kind::InputBox)
            box.openModal(kind);
        else
            covers.push_back(std::make_unique<platform::ModalBoxes::Covered>(kind));
    }
    platform::ModalBoxes& boxes = platform::ModalBoxes::program();
    EXPECT_EQ(boxes.userReturned(), GetParam().ended);
    EXPECT_EQ(boxes.chooserLeft(), GetParam().ended);
    while (!covers.empty())
        covers.pop_back();
    box.closeModal();
    EXPECT_FALSE(boxes.chooserLeft());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UserReturned,
    testing::Values(ReturnCase{"nothing_open", {}, false},
                    ReturnCase{"a_chooser", {Kind::FileChooser}, true},
                    ReturnCase{"a_read", {Kind::Reading}, false},
                    ReturnCase{"a_box_over_a_chooser", {Kind::FileChooser, Kind::InputBox}, false},
                    ReturnCase{"a_chooser_over_a_box", {Kind::InputBox, Kind::FileChooser}, true}),
    [](const auto& info) { return std::string(info.param.name); });

// Every edition draws a box from its layout: each control in one row, once.
template <class Box> std::multiset<const platform::Control*> laidOut(Box& box) {
    std::multiset<const platform::Control*> placed;
    for (const platform::BoxRow& row : box.layout().rows)
        placed.insert(row.controls.begin(), row.controls.end());
    return placed;
}

TEST(BoxLayout, PlacesEveryControlOfEachBoxOnce) {
    platform::InputBox input({.caption = "入力", .prompt = "?", .note = "n"});
    EXPECT_EQ(laidOut(input), std::multiset<const platform::Control*>(input.controls().begin(),
                                                                      input.controls().end()));
    platform::ErrorBox error("Ondulix-K", "x.");
    EXPECT_EQ(laidOut(error), std::multiset<const platform::Control*>(error.controls().begin(),
                                                                      error.controls().end()));
}

TEST(SaveByNameDialog, AsksForANameOfferingTheLastAndTakesNoEmptyOne) {
    platform::HeadlessBackend backend;
    platform::SaveByNameDialog dialog(backend);
    dialog.setFilter("Ondulix-Kデータ[*.okd]|*.okd|テキスト|*.txt");
    dialog.setFileName("last.okd");
    backend.inputBox->user = [](platform::InputBox& box) {
        EXPECT_EQ(box.field.text(), "last.okd");
        EXPECT_EQ(box.note.caption(), "ファイルの種類: Ondulix-Kデータ[*.okd], テキスト");
        box.field.edited("");
        box.ok.press();
        EXPECT_TRUE(box.isOpen()) << "an empty name";
        box.field.edited(std::string(300, 'a'));
        box.ok.press();
    };
    EXPECT_TRUE(dialog.execute());
    EXPECT_EQ(dialog.fileName(), std::string(300, 'a')) << "a name of any length";
    EXPECT_FALSE(dialog.execute()) << "closed unanswered";
    EXPECT_EQ(dialog.fileName(), std::string(300, 'a'));
    ASSERT_EQ(backend.inputBox->asked.size(), 2u);
    EXPECT_EQ(backend.inputBox->asked[0].caption, "名前を付けて保存");
    EXPECT_EQ(backend.inputBox->asked[0].prompt, "ファイル名:");
}

} // namespace
