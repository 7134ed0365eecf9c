#include "tests/support/XTestSupport.h"

#include <vector>

#include "app/Application.h"
#include "controls/OptionBox.h"

namespace {

int fired = 0;
int clicks = 0;
std::vector<int> selectedAtCommand;
void OnCommand(Child* sender) {
    ++fired;
    selectedAtCommand.push_back(static_cast<OptionBox*>(sender)->GetSelectedIndex());
}
void OnClick(GUIElement*, uint64_t, Point) { ++clicks; }

// Three options in a box at (20, 20), 120 wide: rows start at y = 20, 46
// and 72; the box grows to 78 high.
struct OptionBoxTest : ::testing::Test {
    xt::TestForm f{300, 200};
    OptionBox ob{&f};
    void SetUp() override {
        fired = clicks = 0;
        selectedAtCommand.clear();
        f.SetBackColor(0x123456);
        ob.SetPosition(20, 20);
        ob.SetSize(120, 30);
        ob.AddOption("Uno", "1");
        ob.AddOption("Due", "2");
        ob.AddOption("Tre", "3");
        ob.SetCommand(OnCommand);
        ob.SetOnClick(OnClick);
        f.Create();
        xt::Pump(&f);
    }
    void Focus() {
        xt::Key(&f, XK_Tab);
        ASSERT_EQ(Application::focused, &ob);
    }
};

TEST_F(OptionBoxTest, GrowsToItsRowsAtTheFirstPaint) {
    ob.SetBackColor(0x00FF00);
    EXPECT_EQ(ob.GetHeight(), 30);
    ob.Show();
    EXPECT_EQ(ob.GetHeight(), 78);
    ob.SetSize(120, 40);
    EXPECT_EQ(ob.GetHeight(), 78) << "never shorter than its rows";
    ob.ClearOptions();
    ob.SetSize(120, 40);
    EXPECT_EQ(ob.GetHeight(), 40);
    EXPECT_EQ(xt::CountColor(&f, 20, 61, 121, 38, 0x123456), 121 * 38) << "the old rows are erased";
}

TEST_F(OptionBoxTest, KeysWrapAroundAndFireEachTime) {
    ob.Show();
    Focus();
    xt::Key(&f, XK_Up); // nothing selected: Up goes to the last row
    xt::Key(&f, XK_Down);
    xt::Key(&f, XK_Down);
    xt::Key(&f, XK_Down);
    xt::Key(&f, XK_Down);
    xt::Key(&f, XK_Up);
    xt::Type(&f, " ");
    xt::Key(&f, XK_Left);
    xt::Type(&f, "x");
    EXPECT_EQ(selectedAtCommand, (std::vector<int>{2, 0, 1, 2, 0, 2, 0}));
    EXPECT_EQ(clicks, 0);

    OptionBox fresh(&f);
    fresh.AddOption("a", "a");
    fresh.AddOption("b", "b");
    fresh.SetPosition(160, 20);
    fresh.Show();
    xt::Key(&f, XK_Tab);
    ASSERT_EQ(Application::focused, &fresh);
    xt::Key(&f, XK_Down);
    EXPECT_EQ(fresh.GetSelectedIndex(), 0) << "Down with nothing selected";
}

TEST_F(OptionBoxTest, ClicksSelectTheRowUnderThePointer) {
    ob.Show();
    xt::Click(&f, 60, 56);
    EXPECT_EQ(ob.GetSelectedIndex(), 1);
    xt::Click(&f, 60, 98); // the bottom edge: one row past the last
    EXPECT_EQ(ob.GetSelectedIndex(), 2);
    xt::Click(&f, 60, 21);
    EXPECT_EQ(selectedAtCommand, (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(clicks, 3);
    ob.SetSelectedIndex(2);
    ob.SelectFirst();
    EXPECT_EQ(fired, 3) << "the program's changes fire nothing";
}

TEST_F(OptionBoxTest, DisabledBoxOnlyRunsTheClickHandler) {
    ob.Show();
    xt::Click(&f, 60, 56); // focus, then disable
    ob.SetEnabled(false);
    xt::Click(&f, 60, 80);
    xt::Key(&f, XK_Down);
    xt::Type(&f, " ");
    EXPECT_EQ(ob.GetSelectedIndex(), 1);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(clicks, 2);
}

TEST_F(OptionBoxTest, IndexRulesOfTheListOperations) {
    EXPECT_TRUE(ob.SetSelectedIndex(-5));
    EXPECT_EQ(ob.GetSelectedIndex(), 0);
    EXPECT_FALSE(ob.SetSelectedIndex(3));
    EXPECT_EQ(ob.GetSelectedIndex(), 0);
    EXPECT_EQ(ob.GetOptionCaption(7), "Tre");
    EXPECT_EQ(ob.GetOptionValueAt(-1), "3");
    EXPECT_EQ(ob.GetOptionCaptionAt(1), "Due");
    EXPECT_FALSE(ob.RemoveNone());
    EXPECT_FALSE(ob.RemoveOption(-2));
    EXPECT_FALSE(ob.RemoveOption(3));
    EXPECT_EQ(ob.GetOptionCount(), 3);

    ASSERT_TRUE(ob.RemoveOption(0)); // the selected row, not the last
    EXPECT_EQ(ob.GetSelectedIndex(), 0);
    EXPECT_EQ(ob.GetOptionValue(0), "2");
    ob.SetSelectedIndex(1);
    ASSERT_TRUE(ob.RemoveOption(1)); // the selected last row
    EXPECT_EQ(ob.GetSelectedIndex(), 0);
    EXPECT_EQ(ob.GetOptionCaption(0), "Due");

    EXPECT_TRUE(ob.ClearOptions());
    EXPECT_EQ(ob.GetOptionCount(), 0);
    EXPECT_EQ(ob.GetSelectedIndex(), 0) << "kept through the clearing";
    EXPECT_EQ(ob.GetOptionCaption(0), "");
    EXPECT_EQ(ob.GetOptionValue(-3), "");
    EXPECT_FALSE(ob.RemoveOption(0));
    ob.AddOption("A", "a");
    ob.AddOption("B", "b");
    EXPECT_EQ(ob.GetSelectedIndex(), 0);
    EXPECT_EQ(fired, 0);
}

TEST_F(OptionBoxTest, MarkersShowTheCurrentBackgroundThroughTheirCorners) {
    ob.SetBackColor(0x00FF00);
    ob.Show();
    EXPECT_EQ(xt::Pixel(&f, 21, 26), 0x00FF00u);
    const std::vector<uint32_t> unselected = xt::Pixels(&f, 21, 52, 20, 20);
    ob.SetSelectedIndex(1);
    EXPECT_NE(xt::Pixels(&f, 21, 52, 20, 20), unselected);
    ob.SetBackColor(0xFF0000);
    EXPECT_EQ(xt::Pixel(&f, 21, 26), 0xFF0000u);
    EXPECT_EQ(xt::Pixel(&f, 21, 52), 0xFF0000u);
}

} // namespace
