// Fonts, picture pastes and drawing without a window,
// checked by reading the window's pixels back from the X server.

#include "gfx/FontSpec.h"
#include "gfx/Graphics.h"
#include "gfx/Picture.h"
#include "tests/support/XTestSupport.h"

namespace {

using Colors = std::vector<uint32_t>;
constexpr uint32_t kBack = 0x202020, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kYellow = 0xFFFF00;

std::vector<unsigned char> Rgb(const Colors& colors) {
    std::vector<unsigned char> rgb;
    for (uint32_t c : colors)
        for (int shift : {16, 8, 0}) rgb.push_back(static_cast<unsigned char>(c >> shift));
    return rgb;
}

class GfxTest : public ::testing::Test {
protected:
    void SetUp() override {
        xt::ClearLog();
        form = new xt::TestForm(400, 300);
        form->Create();
        xt::Pump(form);
        Clear();
    }
    void TearDown() override { delete form; }

    void Clear() { Graphics(form).FillRectangle(0, 0, 401, 301, 0, 0, kBack); }
    Colors Px(int x, int y, int w, int h) { return xt::Pixels(form, x, y, w, h); }
    int Count(int x, int y, int w, int h, uint32_t c) { return xt::CountColor(form, x, y, w, h, c); }
    XImage* Image(int w, int h, const Colors& colors) { return CreateXImage(form, Rgb(colors).data(), w, h); }

    xt::TestForm* form = nullptr;
};

TEST_F(GfxTest, TransparentPastesShowTheWindowWhereTheKeyIs) {
    XImage* image = Image(3, 2, {kRed, 0, kRed, 0, kGreen, 0});
    XImage* sheet = Image(4, 2, {kRed, 0, kGreen, kGreen, 0, kRed, 0, kYellow}); // two 2 x 2 frames
    ASSERT_NE(image, nullptr);
    Graphics g(form);
    // Pasted twice over different backgrounds, and with another key: the
    // picture itself keeps its black.
    for (uint32_t under : {kBlue, kYellow}) {
        g.FillRectangle(10, 10, 11, 11, 0, 0, under);
        g.PutImageTransparent(10, 10, 3, 2, image);
        EXPECT_EQ(Px(10, 10, 3, 2), (Colors{kRed, under, kRed, under, kGreen, under}));
    }
    g.PutImageTransparent(40, 10, 3, 2, image, kRed); // another key: red shows the window, black stays
    EXPECT_EQ(Px(40, 10, 3, 1), (Colors{kBack, 0, kBack}));
    // Past the picture or the window, only what both have is pasted.
    g.PutImageTransparent(70, 10, 20, 20, image);
    EXPECT_EQ(Count(65, 5, 30, 30, kBack), 30 * 30 - 3);
    EXPECT_EQ(Px(70, 10, 3, 1), (Colors{kRed, kBack, kRed}));
    g.PutImageTransparent(398, 10, 3, 2, image);
    EXPECT_EQ(Px(398, 10, 2, 2), (Colors{kRed, kBack, kBack, kGreen}));
    g.PutImageTransparent(-1, 50, 3, 2, image);
    EXPECT_EQ(Px(0, 50, 2, 2), (Colors{kBack, kRed, kGreen, kBack}));
    g.PutImageTransparent(500, 500, 3, 2, image);
    g.PutPictureTransparent(10, 50, 2, 2, sheet, 2, 0);
    EXPECT_EQ(Px(10, 50, 2, 2), (Colors{kGreen, kGreen, kBack, kYellow}));
    g.PutPictureTransparent(30, 50, 2, 2, sheet, 3, 0); // a frame half outside the sheet
    EXPECT_EQ(Px(30, 50, 2, 2), (Colors{kGreen, kBack, kYellow, kBack}));

    // A window that cannot be read back is skipped quietly.
    form->Hide();
    xt::Pump(form);
    g.PutImageTransparent(0, 0, 2, 2, image);
    XSync(xt::TestDisplay(), False);
    DestroyXImage(image);
    DestroyXImage(sheet);
    EXPECT_TRUE(xt::LogLines().empty()) << xt::ReadLog();
}

// Text cut to nothing, in a box narrower than its first letter, draws nothing.
TEST_F(GfxTest, TextWiderThanItsBoxDrawsNothing) {
    Graphics(form).DrawText(20, 20, 3, 90, "MMM MMM", kRed, -1, 0);
    EXPECT_EQ(Count(0, 0, 100, 120, kBack), 100 * 120);
}

TEST(GfxNoWindow, PrimitivesSkipWithoutAGC) {
    xt::ClearLog();
    xt::TestForm form; // never created: no window to draw on
    Graphics g(&form);
    g.FillRectangle(0, 0, 10, 10, 1, 0, 0);
    g.DrawText(0, 0, 100, 20, "text", 0, 0, 2);
    g.PutImageTransparent(0, 0, 1, 1, nullptr);
    XSync(xt::TestDisplay(), False);
    EXPECT_EQ(xt::LogLines(), std::vector<std::string>{"Errore nella creazione del GC"});
}

// Names are composed from the description (every window reference shows the
// plain font's); the font is loaded once, on first
// use, and its size is then the loaded ascent; a copy loads its own, and an
// assignment or the end frees it once. A font the server lacks is one line.
TEST(GfxFont, ComposedNamesOneLoadOneFree) {
    FontSpec styled("helvetica");
    styled.SetBold(true);
    styled.SetItalic(true);
    EXPECT_EQ(styled.ComposeName(), "-helvetica-Bold-R-Italic--14-*");
    xt::ClearLog();
    Display* d = xt::TestDisplay();
    FontSpec font;
    XFontStruct* loaded = font.GetFontStruct(d);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(font.GetFontStruct(d), loaded);
    EXPECT_EQ(font.GetSize(), loaded->ascent);
    FontSpec copy(font);
    EXPECT_FALSE(copy.IsLoaded());
    EXPECT_NE(copy.GetFontStruct(d), loaded);
    copy = FontSpec("no-such-family", 9);
    EXPECT_FALSE(copy.IsLoaded());
    EXPECT_EQ(copy.GetFontStruct(d), nullptr);
    EXPECT_EQ(FontSpec().GetFontStruct(nullptr), nullptr); // nor without a display
    EXPECT_EQ(xt::LogLines(), std::vector<std::string>(2, "XLoadQueryFont failed"));
}

} // namespace
