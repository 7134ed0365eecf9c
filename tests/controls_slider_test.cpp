#include "tests/support/XTestSupport.h"

#include <climits>
#include <vector>

#include "app/Application.h"
#include "controls/Slider.h"

namespace {

using Values = std::vector<int>;
Values reported;
int changes = 0;

// A yellow horizontal slider over 1..5 at (20, 20), 100 x 50: ticks at
// x = 40, 55, 70, 85, 101 on the line y = 45, pointer above the line.
struct SliderTest : ::testing::Test {
    xt::TestForm f{300, 200};
    Slider s{&f, false, 1, 5};
    void SetUp() override {
        reported.clear();
        changes = 0;
        s.SetPosition(20, 20);
        s.SetSize(100, 50);
        s.SetBackColor(0xFFFF00);
        s.SetOnValue([](Child*, int32_t v) { reported.push_back(v); });
        s.SetOnChange([](GUIElement*) { ++changes; });
        f.Create();
        s.Create();
        xt::Pump(&f);
    }
};

TEST_F(SliderTest, SetValueClampsMovesThePointerAndFiresNothing) {
    EXPECT_EQ(xt::Pixel(&f, 40, 35), 0x000000u);
    s.SetValue(3);
    EXPECT_EQ(xt::Pixel(&f, 70, 35), 0x000000u);
    EXPECT_EQ(xt::Pixel(&f, 40, 35), 0xFFFF00u);
    s.SetValue(99);
    EXPECT_EQ(s.Value(), 5);
    s.SetValue(-7);
    EXPECT_EQ(s.Value(), 1);
    EXPECT_EQ(reported.size() + changes, 0u);
}

// Keys wrap and space steps forward; a click between ticks picks the
// right-hand one, two pixels right of a tick that tick, the same value again
// reports nothing; a drag follows the pointer off the slider until release.
TEST_F(SliderTest, KeysClicksAndDrags) {
    xt::Key(&f, XK_Tab);
    ASSERT_EQ(Application::focused, &s);
    for (KeySym k : {XK_Left, XK_Right, XK_Down, XK_space, XK_Up, XK_a}) xt::Key(&f, k);
    EXPECT_EQ(reported, (Values{5, 1, 2, 3, 2}));
    EXPECT_EQ(changes, 5);
    reported.clear();
    for (int x : {60, 57, 58, 58, 110}) xt::Click(&f, x, 45);
    xt::Press(&f, 40, 45);
    xt::Motion(&f, 86, 10);
    xt::Release(&f, 86, 45);
    xt::Motion(&f, 40, 45);
    EXPECT_EQ(reported, (Values{3, 2, 3, 1, 4}));
}

TEST_F(SliderTest, EmptyReversedOrHugeRangeIsSafe) {
    Slider flat(&f, false, 5, 5), reversed(&f, true, 7, 3), huge(&f, false, INT_MIN, INT_MAX);
    for (Slider* bad : {&flat, &reversed, &huge}) {
        bad->SetPosition(20, 100);
        bad->Show();
        EXPECT_TRUE(bad->Ticks().empty());
        const int32_t start = bad->Value();
        Application::focused = bad;
        bad->GotFocus();
        for (KeySym k : {XK_Left, XK_Right, XK_Up, XK_Down, XK_space}) xt::Key(&f, k);
        xt::Press(&f, 30, 120);
        xt::Motion(&f, 60, 125);
        xt::Release(&f, 60, 125);
        EXPECT_EQ(bad->Value(), start);
        bad->SetValue(100);
        EXPECT_EQ(bad->Value(), bad == &huge ? 100 : bad->Minimum());
        bad->Hide();
    }
    EXPECT_TRUE(reported.empty());
}

} // namespace
