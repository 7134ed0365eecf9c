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

// The face takes its own colour, else its parent's, else the form's, else
// grey; moving, resizing and hiding erase the whole old face, bevel included.
TEST_F(ButtonCustomTest, FaceColourChainAndEraseOfTheOldFace) {
    EXPECT_EQ(xt::Pixel(&f, 50, 12), 0x123456u);
    CellControl holder(&f);
    holder.SetPosition(100, 100);
    holder.SetBackColor(0x0000FF);
    holder.Create();
    ButtonCustom inner(&holder, "");
    inner.SetPosition(5, 5);
    inner.Show();
    EXPECT_EQ(xt::Pixel(&f, 120, 110), 0x0000FFu) << "its parent's, placed inside it";
    b.SetBackColor(0x00FF00);
    b.SetPosition(150, 100);
    EXPECT_EQ(FormColoured(10, 10, 80, 30), 80 * 30);
    b.SetSize(40, 20);
    EXPECT_EQ(xt::Pixel(&f, 220, 120), 0x123456u);
    EXPECT_EQ(xt::Pixel(&f, 152, 102), 0x00FF00u) << "its own";
    b.Hide();
    EXPECT_EQ(FormColoured(150, 100, 40, 20), 40 * 20);
    inner.SetBackColor(kNoColor);
    holder.SetBackColor(kNoColor);
    f.SetBackColor(kNoColor);
    inner.Paint();
    EXPECT_EQ(xt::Pixel(&f, 120, 110), 0xAAAAAAu) << "no colour anywhere";
}

TEST_F(ButtonCustomTest, PicturesAndBlankFace) {
    std::vector<unsigned char> red(10 * 10 * 3, 0), blue(10 * 10 * 3, 0);
    for (size_t i = 0; i < red.size(); i += 3) red[i] = blue[i + 2] = 0xFF;
    XImage* pic = CreateXImage(&b, red.data(), 10, 10);
    XImage* off = CreateXImage(&b, blue.data(), 10, 10);
    b.SetText("");
    b.SetPicture(pic);
    EXPECT_EQ(xt::Pixel(&f, 10 + 35, 10 + 10), 0xFF0000u) << "centred alone";
    b.SetDisabledPicture(off);
    b.SetText("Go");
    b.SetEnabled(false);
    EXPECT_EQ(xt::Pixel(&f, 10 + 8, 10 + 10), 0x0000FFu) << "left of the caption, disabled picture";
    b.SetBlankFace(true);
    EXPECT_EQ(FormColoured(11, 11, 78, 28), 78 * 28);
    // With only a disabled picture the caption is centred, as with none.
    b.SetBlankFace(false);
    b.SetPicture(nullptr);
    EXPECT_EQ(xt::CountColor(&f, 10, 10, 80, 30, 0x0000FF) + xt::CountColor(&f, 10, 10, 30, 30, 0x9B9B9B), 0);
    EXPECT_GT(xt::CountColor(&f, 40, 10, 20, 30, 0x9B9B9B), 0);
    b.SetDisabledPicture(nullptr);
    DestroyXImage(pic);
    DestroyXImage(off);
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
