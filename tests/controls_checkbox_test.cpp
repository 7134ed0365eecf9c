#include "tests/support/XTestSupport.h"

#include <vector>

#include "app/Application.h"
#include "controls/CheckBox.h"

namespace {

xt::TestForm* form = nullptr;
int fired = 0;
int clicks = 0;
std::vector<uint32_t> boxAtCommand;

// The box picture sits at (21, 31), 20 x 20, for a box placed at (20, 30).
std::vector<uint32_t> BoxPixels() { return xt::Pixels(form, 21, 31, 20, 20); }

void OnCommand(Child*) {
    ++fired;
    boxAtCommand = BoxPixels();
}
void OnClick(GUIElement*, uint64_t, Point) { ++clicks; }

// An 80 x 30 box captioned "Audio" at (20, 30): caption area from x = 41,
// 50 wide; the focus frame runs along x = 43 and x = 92.
struct CheckBoxTest : ::testing::Test {
    xt::TestForm f{300, 200};
    CheckBox box{&f, "Audio"};
    void SetUp() override {
        form = &f;
        fired = clicks = 0;
        f.SetBackColor(0x123456);
        box.SetPosition(20, 30);
        box.SetCommand(OnCommand);
        box.SetOnClick(OnClick);
        f.Create();
        box.Show();
        xt::Pump(&f);
    }
    // Red pixels on the left (x = 43) or right (x = 92) side of the focus frame.
    int FrameDashes(int x = 43) { return xt::CountColor(&f, x, 33, 1, 26, 0xFF0000); }
};

TEST_F(CheckBoxTest, ClickTogglesAndFiresAfterThePaint) {
    const std::vector<uint32_t> unchecked = BoxPixels();
    xt::Click(&f, 30, 40);
    EXPECT_TRUE(box.IsChecked());
    EXPECT_NE(BoxPixels(), unchecked);
    EXPECT_EQ(boxAtCommand, BoxPixels()) << "the new state was on screen when the command ran";
    const std::vector<uint32_t> checked = BoxPixels();
    xt::Click(&f, 90, 50); // on the caption
    EXPECT_FALSE(box.IsChecked());
    EXPECT_EQ(BoxPixels(), unchecked);
    EXPECT_EQ(fired + clicks, 4);

    box.SetChecked(true);
    EXPECT_EQ(fired, 2) << "the program's changes fire nothing";
    EXPECT_EQ(BoxPixels(), checked);
}

// The focus frame surrounds the caption only.
TEST_F(CheckBoxTest, SpaceTogglesOnlyWithTheFocus) {
    const std::vector<uint32_t> picture = BoxPixels();
    box.SetForeColor(0xFF0000);
    xt::Type(&f, " ");
    EXPECT_EQ(FrameDashes(), 0);
    xt::Key(&f, XK_Tab);
    ASSERT_EQ(Application::focused, &box);
    EXPECT_GT(FrameDashes(), 5);
    EXPECT_GT(FrameDashes(92), 5);
    EXPECT_EQ(BoxPixels(), picture) << "the box picture is outside the frame";
    for (KeySym k : {XK_a, XK_Return, XK_Down}) xt::Key(&f, k);
    EXPECT_EQ(fired, 0) << "only the space toggles";
    xt::Type(&f, " ");
    EXPECT_TRUE(box.IsChecked());
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(clicks, 0);
    xt::Click(&f, 250, 150); // focus goes away
    EXPECT_EQ(FrameDashes(), 0);
}

} // namespace
