#include "tests/support/XTestSupport.h"

#include "controls/CellControl.h"
#include "gfx/Graphics.h"
#include "gfx/Picture.h"

namespace {

// A 100 x 30 cell at (20, 20) on a form of colour 0x123456.
struct CellControlTest : ::testing::Test {
    xt::TestForm f{300, 200};
    CellControl c{&f};
    void SetUp() override {
        f.SetBackColor(0x123456);
        c.SetPosition(20, 20);
        c.SetSize(100, 30);
        f.Create();
        c.Create();
        xt::Pump(&f);
    }
    uint32_t Inside() { return xt::Pixel(&f, 25, 24); }
};

TEST_F(CellControlTest, HighlightAndRestoreKeepTheNormalColours) {
    EXPECT_EQ(Inside(), 0xAAAAAAu) << "no colour of its own: grey, not the form's";
    c.SetHighlight(true);
    c.SetBackColor(0x00FF00);
    EXPECT_EQ(Inside(), 0xFFFF00u);
    c.SetHighlight(false);
    EXPECT_EQ(Inside(), 0x00FF00u);

    CellControl lock(&f);
    lock.SetBackColor(0x0000FF);
    lock.SetPosition(20, 100);
    lock.Show();
    lock.RestoreBackColor();
    EXPECT_FALSE(lock.IsChanged()) << "nothing to restore";
    lock.SetBackColor(0xFF0000);
    lock.ClearChanged();
    lock.RestoreBackColor();
    EXPECT_TRUE(lock.IsChanged());
    EXPECT_EQ(xt::Pixel(&f, 25, 104), 0x0000FFu) << "the colour it had when it appeared";
}

TEST_F(CellControlTest, BorderEdges) {
    c.SetBackColor(0x00FF00);
    c.SetBorder(true);
    EXPECT_EQ(xt::Pixel(&f, 50, 20) | xt::Pixel(&f, 20, 35), 0x000000u) << "black top and left";
    EXPECT_EQ(xt::Pixel(&f, 119, 35) & xt::Pixel(&f, 50, 49), 0xFFFFFFu) << "white right and bottom";
    c.SetBackColor(0xFFFFFF);
    EXPECT_EQ(xt::Pixel(&f, 119, 35) | xt::Pixel(&f, 50, 49), 0x000000u) << "white cell: all black";
}

TEST_F(CellControlTest, MarkPictureAndHide) {
    c.SetForeColor(0xFF0000);
    c.SetMarked(true);
    const int fh = Graphics(&f).LineHeight();
    EXPECT_GT(xt::CountColor(&f, 20 + 100 - fh, 20 + 30 - fh - 4, fh, fh, 0xFF0000), 0);
    EXPECT_EQ(xt::CountColor(&f, 20, 20, 100 - fh, 30, 0xFF0000), 0);

    std::vector<unsigned char> blue(8 * 8 * 3, 0);
    for (size_t i = 2; i < blue.size(); i += 3) blue[i] = 0xFF;
    XImage* pic = CreateXImage(&c, blue.data(), 8, 8);
    c.SetPicture(pic, 50, 0, 0); // wider than the picture: only the picture is drawn
    EXPECT_EQ(xt::CountColor(&f, 20, 20, 100, 30, 0x0000FF), 64);
    EXPECT_EQ(xt::Pixel(&f, 23, 31), 0x0000FFu) << "3 pixels in, centred vertically";
    c.SetPicture(nullptr, 0, 0, 1);
    DestroyXImage(pic);

    c.Hide();
    c.SetText("hidden");
    EXPECT_EQ(xt::CountColor(&f, 20, 20, 100, 30, 0x123456), 100 * 30) << "erased in the form's colour";
}

} // namespace
