#include "tests/support/XTestSupport.h"

#include <string>
#include <vector>

#include "app/Application.h"
#include "controls/OptionBox.h"

namespace {

// The selected row each time the command ran.
std::vector<int> fired;
int clicks = 0;
void OnCommand(Child* sender) { fired.push_back(static_cast<OptionBox*>(sender)->GetSelectedIndex()); }
void OnClick(GUIElement*, uint64_t, Point) { ++clicks; }
using Rows = std::vector<int>;

// Three options in a box at (20, 20), 120 wide: rows start at y = 20, 46
// and 72; the box grows to 78 high.
struct OptionBoxTest : ::testing::Test {
    xt::TestForm f{300, 200};
    OptionBox ob{&f};
    void SetUp() override {
        fired.clear();
        clicks = 0;
        f.SetBackColor(0x123456);
        ob.SetPosition(20, 20);
        ob.SetSize(120, 30);
        int value = 0;
        for (const char* caption : {"Uno", "Due", "Tre"}) ob.AddOption(caption, std::to_string(++value));
        ob.SetCommand(OnCommand);
        ob.SetOnClick(OnClick);
        f.Create();
        xt::Pump(&f);
    }
    void ShowAndFocus() {
        ob.Show();
        xt::Key(&f, XK_Tab);
        ASSERT_EQ(Application::focused, &ob);
    }
};

TEST_F(OptionBoxTest, KeysWrapAroundAndFireEachTime) {
    ShowAndFocus();
    xt::Key(&f, XK_Up); // nothing selected: Up goes to the last row
    for (int i = 0; i < 4; ++i) xt::Key(&f, XK_Down);
    xt::Key(&f, XK_Up);
    xt::Type(&f, " ");
    xt::Key(&f, XK_Left);
    xt::Type(&f, "x");
    EXPECT_EQ(fired, (Rows{2, 0, 1, 2, 0, 2, 0}));
    EXPECT_EQ(clicks, 0);
}

TEST_F(OptionBoxTest, ClicksSelectTheRowUnderThePointer) {
    ob.Show();
    // y = 98 is the bottom edge: one row past the last.
    for (int y : {56, 98, 21}) xt::Click(&f, 60, y);
    EXPECT_EQ(fired, (Rows{1, 2, 0}));
    EXPECT_EQ(clicks, 3);
    ob.SetSelectedIndex(2);
    ob.SelectFirst();
    EXPECT_EQ(fired.size(), 3u) << "the program's changes fire nothing";
}

TEST_F(OptionBoxTest, IndexRulesOfTheListOperations) {
    EXPECT_TRUE(ob.SetSelectedIndex(-5));
    EXPECT_FALSE(ob.SetSelectedIndex(3));
    EXPECT_EQ(ob.GetSelectedIndex(), 0);
    // Outside the list (a negative index included): the last entry.
    EXPECT_EQ(ob.GetOptionCaption(7) + ob.GetOptionValueAt(-1), "Tre3");
    EXPECT_FALSE(ob.RemoveNone() || ob.RemoveOption(-2) || ob.RemoveOption(3));
    ASSERT_EQ(ob.GetOptionCount(), 3);

    ASSERT_TRUE(ob.RemoveOption(0)); // the selected row, not the last
    EXPECT_EQ(ob.GetSelectedIndex(), 0);
    EXPECT_EQ(ob.GetOptionValue(0), "2");
    ob.SetSelectedIndex(1);
    ASSERT_TRUE(ob.RemoveOption(1)); // the selected last row
    EXPECT_EQ(ob.GetSelectedIndex(), 0);
    EXPECT_EQ(ob.GetOptionCaption(0), "Due");

    EXPECT_TRUE(ob.ClearOptions());
    EXPECT_EQ(ob.GetOptionCaption(0) + ob.GetOptionValue(-3), "") << "an empty list";
    EXPECT_FALSE(ob.RemoveOption(0));
    ob.AddOption("A", "a");
    EXPECT_EQ(ob.GetSelectedIndex(), 0) << "kept through the clearing";
    EXPECT_TRUE(fired.empty());
}

} // namespace
