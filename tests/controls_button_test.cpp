#include "tests/support/XTestSupport.h"

#include "app/Application.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "gfx/Picture.h"

namespace {

int fired = 0;
int handlerRuns = 0;
void CountCommand(Child*) { ++fired; }
void CountHandler(GUIElement*, uint64_t, Point) { ++handlerRuns; }
void DeleteSender(Child* sender) { delete sender; }

// One 80 x 30 button at (10, 10) on a form of colour 0x123456.
struct ButtonCustomTest : ::testing::Test {
    xt::TestForm f{300, 200};
    ButtonCustom b{&f, "OK"};
    void SetUp() override {
        fired = handlerRuns = 0;
        f.SetBackColor(0x123456);
        b.SetPosition(10, 10);
        b.SetCommand(CountCommand);
        b.SetOnMouseDown(CountHandler);
        f.Create();
        b.Create();
        xt::Pump(&f);
    }
    uint32_t TopBevel() { return xt::Pixel(&f, 40, 10); }
    int FormColoured(int x, int y, int w, int h) { return xt::CountColor(&f, x, y, w, h, 0x123456); }
};

// Over the button on release, or on Return while it has the focus; the face
// is sunken while pressed and raised again when the command runs.
TEST_F(ButtonCustomTest, FiresOnceOnReleaseOverItOnly) {
    xt::Press(&f, 30, 20);
    EXPECT_EQ(TopBevel(), 0x000000u);
    xt::Release(&f, 30, 20);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(TopBevel(), 0xFFFFFFu);
    EXPECT_GT(xt::CountColor(&f, 14, 13, 72, 1, 0x000000), 0) << "dashed focus frame";
    xt::KeyDown(&f, XK_Return);
    EXPECT_EQ(TopBevel(), 0x000000u);
    xt::KeyUp(&f, XK_Return);
    EXPECT_EQ(fired, 2);
    EXPECT_EQ(TopBevel(), 0xFFFFFFu);
    // Dragged off: raised again, nothing fires, and the focus goes with the
    // release elsewhere, so Return no longer fires either.
    xt::Press(&f, 30, 20);
    xt::Motion(&f, 200, 150);
    xt::Release(&f, 200, 150);
    EXPECT_EQ(TopBevel(), 0xFFFFFFu);
    ASSERT_EQ(Application::focused, nullptr);
    b.KeyChar('\r');
    EXPECT_EQ(fired, 2);
}

TEST_F(ButtonCustomTest, DisabledIgnoresEverythingAndGreysCaption) {
    b.SetForeColor(0xFF0000);
    xt::Key(&f, XK_Tab);
    ASSERT_EQ(Application::focused, &b);
    b.SetEnabled(false);
    EXPECT_GT(xt::CountColor(&f, 10, 10, 80, 30, 0x9B9B9B), 0);
    EXPECT_EQ(xt::CountColor(&f, 10, 10, 80, 30, 0xFF0000), 0) << "no caption ink, no focus frame";
    xt::Click(&f, 30, 20); // still focused: the press reaches the button itself
    xt::Key(&f, XK_Return);
    EXPECT_EQ(fired + handlerRuns, 0);
    EXPECT_EQ(TopBevel(), 0xFFFFFFu);
    b.SetEnabled(true);
    xt::Click(&f, 30, 20);
    EXPECT_EQ(fired + handlerRuns, 2);
}

TEST_F(ButtonCustomTest, CommandMayDeleteItsButton) {
    auto* gone = new ButtonCustom(&f, "Close");
    gone->SetPosition(150, 10);
    gone->SetCommand(DeleteSender);
    gone->Show();
    xt::Click(&f, 170, 20);
    auto* again = new ButtonCustom(&f, "Close");
    again->SetCommand(DeleteSender);
    again->Show();
    Application::focused = again;
    again->GotFocus();
    xt::Key(&f, XK_Return);
    EXPECT_EQ(Application::focused, nullptr);
}

} // namespace
