#include "tests/support/XTestSupport.h"

#include <tuple>

#include "app/Application.h"
#include "controls/CheckBox.h"
#include "controls/PanelChildren.h"
#include "controls/ProgressBar.h"

namespace {

Point lastClick{-1, -1};

// A 150 x 100 panel at (50, 40) on a 300 x 200 form.
struct PanelChildrenTest : ::testing::Test {
    xt::TestForm f{300, 200};
    PanelChildren panel{&f};
    void SetUp() override {
        f.SetBackColor(0x123456);
        panel.SetPosition(50, 40);
        panel.SetSize(150, 100);
        panel.SetBackColor(0x335577);
        f.Create();
        xt::Pump(&f);
    }
};

TEST_F(PanelChildrenTest, FramesAndCaption) {
    panel.SetBorder(true);
    panel.SetCaptionColor(0xFF0000);
    panel.SetText("Gruppo");
    panel.Show();
    EXPECT_EQ(xt::Pixel(&f, 120, 40) | xt::Pixel(&f, 50, 90), 0x000000u) << "sunken by default: dark top, left";
    EXPECT_EQ(xt::Pixel(&f, 199, 90) & xt::Pixel(&f, 120, 139), 0xFFFFFFu) << "light right, bottom";
    EXPECT_EQ(xt::Pixel(&f, 120, 90), 0x335577u);
    EXPECT_GT(xt::CountColor(&f, 54, 41, 142, 14, 0xFF0000), 0) << "caption";

}

TEST_F(PanelChildrenTest, ClicksReachChildrenInFormCoordinates) {
    CheckBox box(&panel, "uno");
    box.SetPosition(10, 10);
    box.SetOnClick([](GUIElement*, uint64_t, Point p) { lastClick = p; });
    panel.Show();
    xt::Click(&f, 70, 60);
    EXPECT_EQ(Application::focused, &box);
    EXPECT_TRUE(box.IsChecked());
    EXPECT_EQ(std::make_pair(lastClick.x, lastClick.y), std::make_pair(70, 60)) << "in form coordinates";
    xt::Click(&f, 180, 120); // the panel, under no child
    EXPECT_EQ(Application::focused, nullptr);
    box.Hide();
    xt::Click(&f, 70, 60);
    EXPECT_EQ(Application::focused, nullptr);
    EXPECT_TRUE(box.IsChecked()) << "neither click reached the box";
}

// A 190 x 25 bar at (10, 10) on the same form: the inside row y = 20 runs
// from x = 11 to 198.
struct ProgressBarTest : ::testing::Test {
    xt::TestForm f{300, 200};
    ProgressBar bar{&f, 0, 100};
    void SetUp() override {
        f.SetBackColor(0x123456);
        bar.SetPosition(10, 10);
        f.Create();
        bar.Show();
        xt::Pump(&f);
    }
    int Blue(int y = 20) { return xt::CountColor(&f, 10, y, 190, 1, 0x0000FF); }
};

TEST_F(ProgressBarTest, FillFollowsTheClampedValue) {
    EXPECT_EQ(Blue(), 0);
    EXPECT_EQ(xt::Pixel(&f, 100, 10), 0x000000u) << "sunken frame";
    EXPECT_EQ(xt::Pixel(&f, 100, 34), 0xFFFFFFu);
    bar.SetValue(50);
    EXPECT_EQ(Blue(), 93) << "(w - 2) * 0.5 wide, one pixel less drawn";
    EXPECT_EQ(xt::Pixel(&f, 11, 20), 0x0000FFu);
    for (auto [value, clamped, blue] : {std::tuple{500, 100, 187}, {-3, 0, 0}}) {
        bar.SetValue(value);
        EXPECT_EQ(std::pair(bar.Value(), Blue()), std::pair(clamped, blue));
    }

    ProgressBar empty(&f, 5, 5);
    empty.SetPosition(10, 100);
    empty.Show();
    empty.SetValue(9);
    EXPECT_EQ(empty.Value(), 5);
    EXPECT_EQ(Blue(110), 0) << "an empty range fills nothing";
}

} // namespace
