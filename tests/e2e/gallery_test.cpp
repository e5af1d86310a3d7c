// The control gallery driven end to end the way a person uses it: taps on the combo
// box, the list, the tree, the tabs and the pop-up menu, typing through the input
// panel, and the "ok" button; checked through the dump after each step and through
// golden screens of the gallery with the input panel down and up.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "device_run.h"
#include "gallery/gallery_ids.h"

namespace {

constexpr int kIdOk = 1;

class GalleryTest : public DeviceTest {
  protected:
    DeviceRun Run(const std::string& script) {
        return RunDevice(TESSALINK_E2E_GALLERY, directory_,
                         {"--display=headless", "--script", "-", "--clock", "10:30"},
                         "until class=Static text=Centre visible 5000\n" + script);
    }
};

const nlohmann::json& Window(const nlohmann::json& dump, int id) {
    const auto* window = FindById(dump, id);
    if (window == nullptr) {
        throw std::runtime_error("no window with id " + std::to_string(id));
    }
    return *window;
}

const nlohmann::json& Content(const nlohmann::json& dump, int id) {
    return Window(dump, id).at("content");
}

std::string Status(const nlohmann::json& dump) {
    return Window(dump, IDC_STATUS).at("text");
}

TEST_F(GalleryTest, EveryControlAnswersTaps) {
    const auto run =
        Run("# the drop-down list: open it, choose the third item\n"
            "tap 110 104\n"
            "dump\n"
            "tap 40 150\n"
            "dump\n"
            "# the list: the fourth row\n"
            "tap 40 228\n"
            "dump\n"
            "# the tree: open Adapters by its button, then choose wlan0\n"
            "tap 133 179\n"
            "tap 165 211\n"
            "dump\n"
            "# the tabs: the third\n"
            "tap 85 271\n"
            "dump\n"
            "# the check box\n"
            "tap 140 56\n"
            "dump\n"
            "# the ok button ends the dialog with IDOK\n"
            "tap 228 13\n");
    ASSERT_EQ(run.status, kIdOk) << run.errors;
    const auto dumps = Dumps(run.output);
    ASSERT_EQ(dumps.size(), 6u) << run.output;

    const auto* dropped = FindByClass(dumps[0], "ComboLBox");
    ASSERT_NE(dropped, nullptr);
    EXPECT_TRUE(dropped->at("visible"));
    EXPECT_EQ(dropped->at("content").at("visibleItems").at(0), "choice 1");
    EXPECT_TRUE(Content(dumps[0], IDC_COMBO_LIST).at("dropped"));

    EXPECT_FALSE(Content(dumps[1], IDC_COMBO_LIST).at("dropped"));
    EXPECT_EQ(Content(dumps[1], IDC_COMBO_LIST).at("selected"), 2);
    EXPECT_EQ(Window(dumps[1], IDC_COMBO_LIST).at("text"), "choice 3");
    EXPECT_EQ(Status(dumps[1]), "combo 2");

    const auto& rows = Content(dumps[2], IDC_LIST).at("rows");
    ASSERT_EQ(rows.size(), 20u);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        EXPECT_EQ(rows[row].at("selected"), row == 3) << row;
    }
    EXPECT_EQ(rows[3].at("cells"), (nlohmann::json{"row 3", "9"}));
    EXPECT_EQ(rows[3].at("image"), 0);
    EXPECT_EQ(Status(dumps[2]), "row 3");

    const auto& adapters = Content(dumps[3], IDC_TREE).at("items").at(0);
    EXPECT_EQ(adapters.at("text"), "Adapters");
    EXPECT_TRUE(adapters.at("expanded"));
    EXPECT_EQ(adapters.at("children").size(), 2u);
    EXPECT_EQ(Status(dumps[3]), "wlan0");

    EXPECT_EQ(Content(dumps[4], IDC_TABS).at("selected"), 2);
    EXPECT_EQ(Status(dumps[4]), "tab 2");

    EXPECT_EQ(Content(dumps[4], IDC_CHECK).at("checkState"), "unchecked");
    EXPECT_EQ(Content(dumps[5], IDC_CHECK).at("checkState"), "checked");
}

TEST_F(GalleryTest, PopUpMenuReturnsTheChosenCommandOrNothing) {
    const auto run =
        Run("tap 33 56\n"
            "dump\n"
            "tap 30 96\n"
            "dump\n"
            "# dismissed by Escape, then by a tap outside\n"
            "tap 33 56\n"
            "key Escape\n"
            "dump\n"
            "tap 33 56\n"
            "tap 200 150\n"
            "dump\n"
            "# the menu bar's text button opens the same menu\n"
            "tap 20 307\n"
            "tap 30 76\n"
            "dump\n"
            "quit\n");
    ASSERT_EQ(run.status, 0) << run.errors;
    const auto dumps = Dumps(run.output);
    ASSERT_EQ(dumps.size(), 5u) << run.output;

    const auto* menu = FindByClass(dumps[0], "#32768");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->at("content").at("items").size(), 2u);
    EXPECT_EQ(menu->at("content").at("items").at(1).at("text"), "Second");

    EXPECT_EQ(Status(dumps[1]), "menu 2002");
    EXPECT_EQ(Status(dumps[2]), "menu dismissed");
    EXPECT_EQ(Status(dumps[3]), "menu dismissed");
    EXPECT_EQ(Status(dumps[4]), "menu 2001");
    for (std::size_t i = 1; i < dumps.size(); ++i) {
        const auto* closed = FindByClass(dumps[i], "#32768");
        EXPECT_TRUE(closed == nullptr || !closed->at("visible")) << i;
    }
}

TEST_F(GalleryTest, InputPanelTypesIntoTheFocusedEdit) {
    const auto shot = directory_ / "input_panel.png";
    const auto run =
        Run("tap 60 82\n"
            "tap 228 307\n"
            "# h on the third row, i on the second\n"
            "tap 110 263\n"
            "tap 152 243\n"
            "dump\n"
            "shot " +
            shot.string() +
            "\n"
            "tap 228 307\n"
            "dump\n"
            "quit\n");
    ASSERT_EQ(run.status, 0) << run.errors;
    const auto dumps = Dumps(run.output);
    ASSERT_EQ(dumps.size(), 2u) << run.output;

    const auto* panel = FindByClass(dumps[0], "InputPanel");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->at("content").at("inputPanel"), "up");
    EXPECT_EQ(Content(dumps[0], IDC_EDIT).at("text"), "hi");
    EXPECT_TRUE(Window(dumps[0], IDC_EDIT).at("focus"));
    EXPECT_EQ(FindByClass(dumps[1], "InputPanel")->at("content").at("inputPanel"), "down");
    ExpectMatchesGolden(shot, "gallery_input_panel.png");
}

TEST_F(GalleryTest, GalleryLooksAsRecorded) {
    const auto shot = directory_ / "gallery.png";
    const auto run = Run("shot " + shot.string() + "\nquit\n");
    ASSERT_EQ(run.status, 0) << run.errors;
    ExpectMatchesGolden(shot, "gallery.png");
}

}  // namespace
