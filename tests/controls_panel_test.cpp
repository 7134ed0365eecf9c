#include "tests/support/XTestSupport.h"

#include "app/Application.h"
#include "controls/CheckBox.h"
#include "controls/PanelChildren.h"
#include "controls/ProgressBar.h"

namespace {

Point lastClick{-1, -1};
void RecordClick(GUIElement*, uint64_t, Point p) { lastClick = p; }

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
    int FormColoured(int x, int y, int w, int h) { return xt::CountColor(&f, x, y, w, h, 0x123456); }
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

    PanelChildren flat(&f);
    flat.SetPosition(5, 150);
    flat.SetSize(40, 40);
    flat.SetFlatBorder(true); // turns the frame on
    flat.Show();
    for (Point p : {Point{20, 150}, Point{5, 170}, Point{44, 170}, Point{20, 189}})
        EXPECT_EQ(xt::Pixel(&f, p.x, p.y), 0x000000u) << p.x << "," << p.y;
}

TEST_F(PanelChildrenTest, ClicksReachChildrenInFormCoordinates) {
    CheckBox box(&panel, "uno");
    box.SetPosition(10, 10);
    box.SetOnClick(RecordClick);
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

TEST_F(PanelChildrenTest, CarriesChildrenThroughPaintHideShowAndMove) {
    CheckBox box(&panel, "");
    box.SetPosition(100, 60);
    panel.SetChildBackColor(0x00FF00);
    panel.Show();
    EXPECT_EQ(xt::Pixel(&f, 195, 110), 0x00FF00u) << "children take the panel's child colour";
    const uint32_t boxId = box.GetId();

    panel.Hide();
    EXPECT_FALSE(box.IsCreated());
    EXPECT_EQ(FormColoured(50, 40, 150, 100), 150 * 100) << "panel and child erased";
    panel.Show();
    EXPECT_EQ(box.GetId(), boxId);

    panel.SetPosition(100, 60);
    EXPECT_EQ(FormColoured(50, 40, 50, 20), 50 * 20) << "old place erased";
    EXPECT_EQ(xt::Pixel(&f, 120, 70), 0x335577u);
    EXPECT_EQ(xt::Pixel(&f, 245, 130), 0x00FF00u) << "child moved along";
    xt::Click(&f, 250, 130);
    EXPECT_EQ(Application::focused, &box);
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
    bar.SetValue(500);
    EXPECT_EQ(bar.Value(), 100);
    EXPECT_EQ(Blue(), 187);
    bar.SetValue(-3);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(Blue(), 0);

    ProgressBar empty(&f, 5, 5);
    empty.SetPosition(10, 100);
    empty.Show();
    empty.SetValue(9);
    EXPECT_EQ(empty.Value(), 5);
    EXPECT_EQ(Blue(110), 0) << "an empty range fills nothing";
}

TEST_F(ProgressBarTest, HiddenBarStaysHiddenUntilShown) {
    bar.SetValue(60);
    bar.Hide();
    EXPECT_EQ(xt::CountColor(&f, 10, 10, 190, 25, 0x123456), 190 * 25);
    bar.SetValue(80);
    f.Paint();
    EXPECT_EQ(xt::CountColor(&f, 10, 10, 190, 25, 0x123456), 190 * 25);
    bar.Show();
    EXPECT_GT(Blue(), 140);
}

} // namespace
