// Drawing primitives, text layout, picture pastes and the image control,
// checked by reading the window's pixels back from the X server.
#include <string>
#include <vector>

#include "app/Application.h"
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

struct Box {
    int left, top, right, bottom; // inclusive
    bool Empty() const { return right < left; }
};

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
    // The bounding box of everything in the area that is not background.
    Box Ink(int x, int y, int w, int h) {
        const Colors px = Px(x, y, w, h);
        Box b{x + w, y + h, x - 1, y - 1};
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                if (px[static_cast<size_t>(j * w + i)] != kBack)
                    b = {std::min(b.left, x + i), std::min(b.top, y + j), std::max(b.right, x + i),
                         std::max(b.bottom, y + j)};
        return b;
    }
    XFontStruct* Font() { return Application::forms[0]->GetFont().GetFontStruct(form->GetDisplay()); }
    int Width(const std::string& s) { return XTextWidth(Font(), s.data(), static_cast<int>(s.size())); }
    XCharStruct Ext(const std::string& s) {
        int dir, asc, desc;
        XCharStruct overall{};
        XTextExtents(Font(), s.data(), static_cast<int>(s.size()), &dir, &asc, &desc, &overall);
        return overall;
    }
    XImage* Image(int w, int h, const Colors& colors) { return CreateXImage(form, Rgb(colors).data(), w, h); }

    xt::TestForm* form = nullptr;
};

TEST_F(GfxTest, RectanglesLinesAndColours) {
    Graphics g; // no owner: the main window
    g.FillRectangle(10, 10, 5, 5, 0, 0, kRed); // one pixel short each way
    EXPECT_EQ(Count(10, 10, 4, 4, kRed), 16);
    EXPECT_EQ(Count(8, 8, 9, 9, kRed), 16);
    g.DrawRectangle(30, 10, 5, 5, 1, kGreen); // the full 5 x 5 outline
    EXPECT_EQ(Count(28, 8, 9, 9, kGreen), 16);
    EXPECT_EQ(Count(31, 11, 3, 3, kGreen), 0);
    g.FillRectangle(50, 10, 6, 6, 1, kBlue, kRed); // the border frames the filled area
    EXPECT_EQ(Count(48, 8, 10, 10, kBlue), 16);
    EXPECT_EQ(Count(48, 8, 10, 10, kRed), 9);
    // -1 keeps the colour in force; a wide outline leaves 1-pixel lines behind.
    g.DrawRectangle(70, 10, 20, 20, 3, kYellow);
    EXPECT_GT(Count(68, 8, 3, 24, kYellow), 24);
    g.DrawLine(100, 50, 150, 50, 5, -1);
    EXPECT_EQ(Count(100, 45, 51, 11, kYellow), 51);

    // Dashed (gaps left alone) and double-dashed (gaps in black) lines; solid again after them.
    const uint32_t gapColor[] = {kBack, kBack, 0x000000};
    for (int style : {1, 2, 0}) {
        const int y = 60 + 10 * style;
        g.DrawLine(10, y, 110, y, style, 1, kRed);
        const int gaps = Count(10, y, 101, 1, gapColor[style]);
        EXPECT_EQ(Count(10, y, 101, 1, kRed) + gaps, 101) << style;
        EXPECT_EQ(gaps > 20, style != 0) << style;
    }
}

TEST_F(GfxTest, TextAlignsWrapsAndBreaks) {
    Graphics g(form);
    const int step = g.LineStep();
    g.DrawText(10, 10, 100, 18, "word", kRed, -1, 2);
    g.DrawText(10, 40, 100, 18, "word", kRed, -1, 1);
    EXPECT_EQ(Ink(0, 0, 150, 30).left, 10 + (100 - Width("word")) / 2 + Ext("word").lbearing);
    EXPECT_EQ(Ink(0, 30, 150, 30).right, 10 + 100 - Width("word") + Ext("word").rbearing - 1);

    // Cut at the space before the word that does not fit; after a cut line the rest stays on the left.
    const int w = Width("aaa bbb c");
    g.DrawText(200, 20, w, 3 * step, "aaa bbb ccc", kRed, -1, 2);
    EXPECT_EQ(Ink(200, 20, 200, step).right, 200 + Ext("aaa bbb").rbearing - 1);
    EXPECT_EQ(Ink(200, 20 + step, 200, step).left, 200 + Ext("c").lbearing);
    // No line once 9 pixels or less are left; long words break between letters.
    g.DrawText(200, 100, w, 2 * step + 9, "aaa bbb ccc ddd eee", kRed, -1, 0);
    EXPECT_FALSE(Ink(200, 100 + step, 200, step).Empty());
    EXPECT_TRUE(Ink(200, 100 + 2 * step, 200, 2 * step).Empty());
    g.DrawText(200, 200, Width("abc"), 2 * step, "abcdef", kRed, -1, 0);
    EXPECT_LT(Ink(200, 200, 200, step).right, 200 + Width("abc"));
    EXPECT_FALSE(Ink(200, 200 + step, 200, step).Empty());

    // A line feed keeps the alignment; neither line is centred vertically.
    g.DrawText(0, 100, 200, 100, "ab\ncd", kRed, -1, 2);
    const Box first = Ink(0, 100, 200, step), second = Ink(0, 100 + step, 200, step);
    EXPECT_EQ(second.left, (200 - Width("cd")) / 2 + Ext("cd").lbearing);
    EXPECT_EQ(first.bottom, 100 + step - 1 + Ext("ab").descent - 1);
    EXPECT_EQ(second.bottom - first.bottom, step + Ext("cd").descent - Ext("ab").descent);

    // Text wider than its box draws nothing, and ends.
    g.DrawText(20, 200, 3, 90, "MMM MMM", kRed, -1, 0);
    g.DrawText(20, 200, 100, 90, "\n", kRed, -1, 2);
    EXPECT_TRUE(Ink(0, 200, 200, 100).Empty());
}

TEST_F(GfxTest, ImagesArePastedWholeInPartAndClipped) {
    XImage* image = Image(3, 2, {kRed, kGreen, kBlue, kYellow, 0x123456, 0xABCDEF});
    ASSERT_NE(image, nullptr);
    Graphics g(form);
    g.PutImage(10, 10, image);
    EXPECT_EQ(Px(10, 10, 3, 2), (Colors{kRed, kGreen, kBlue, kYellow, 0x123456, 0xABCDEF}));
    g.PutImage(20, 10, 2, 1, image);
    EXPECT_EQ(Px(20, 10, 3, 2), (Colors{kRed, kGreen, kBack, kBack, kBack, kBack}));
    g.PutImagePart(30, 10, 1, 2, image, 2, 0);
    EXPECT_EQ(Px(30, 10, 2, 2), (Colors{kBlue, kBack, 0xABCDEF, kBack}));
    // Areas reaching past the picture paste only its own pixels.
    g.PutImagePart(40, 10, 10, 10, image, 2, 1);
    EXPECT_EQ(Ink(35, 5, 30, 30).right, 40);
    g.PutImagePart(60, 10, 3, 2, image, -1, -1);
    EXPECT_EQ(Px(60, 10, 3, 2), (Colors{kBack, kBack, kBack, kBack, kRed, kGreen}));
    g.PutImagePart(80, 10, 5, 5, image, 7, 0);
    g.PutImage(80, 10, 5, 5, nullptr);
    EXPECT_TRUE(Ink(75, 5, 20, 20).Empty());
    DestroyXImage(image);
    EXPECT_TRUE(xt::LogLines().empty());
}

TEST_F(GfxTest, TransparentPastesShowTheWindowWhereTheKeyIs) {
    XImage* image = Image(3, 2, {kRed, 0, kRed, 0, kGreen, 0});
    XImage* sheet = Image(4, 2, {kRed, 0, kGreen, kGreen, 0, kRed, 0, kYellow}); // two 2 x 2 frames
    ASSERT_NE(image, nullptr);
    Graphics g(form);
    // Pasted twice over different backgrounds: the picture itself keeps its black.
    for (uint32_t under : {kBlue, kYellow}) {
        g.FillRectangle(10, 10, 11, 11, 0, 0, under);
        g.PutImageTransparent(10, 10, 3, 2, image);
        EXPECT_EQ(Px(10, 10, 3, 2), (Colors{kRed, under, kRed, under, kGreen, under}));
    }
    EXPECT_EQ(XGetPixel(image, 1, 0) & 0xFFFFFF, 0u);
    g.PutImageTransparent(50, 10, 3, 2, image, static_cast<int>(kRed));
    EXPECT_EQ(Px(50, 10, 3, 1), (Colors{kBack, 0, kBack}));
    // Past the picture or the window, only what both have is pasted.
    g.PutImageTransparent(70, 10, 20, 20, image);
    EXPECT_EQ(Ink(65, 5, 30, 30).right, 72);
    g.PutImageTransparent(398, 10, 3, 2, image);
    EXPECT_EQ(Px(398, 10, 2, 2), (Colors{kRed, kBack, kBack, kGreen}));
    g.PutImageTransparent(-1, 50, 3, 2, image);
    EXPECT_EQ(Px(0, 50, 2, 2), (Colors{kBack, kRed, kGreen, kBack}));
    g.PutImageTransparent(500, 500, 3, 2, image);
    g.PutPictureTransparent(10, 50, 2, 2, sheet, 2, 0);
    EXPECT_EQ(Px(10, 50, 2, 2), (Colors{kGreen, kGreen, kBack, kYellow}));
    g.PutPictureTransparent(30, 50, 2, 2, sheet, 3, 0); // half outside the sheet
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

TEST(GfxNoWindow, PrimitivesSkipWithoutAGC) {
    xt::ClearLog();
    xt::TestForm form; // never created: no window to draw on
    Graphics g(&form);
    EXPECT_FALSE(g.IsValid());
    g.FillRectangle(0, 0, 10, 10, 1, 0, 0);
    g.DrawText(0, 0, 100, 20, "text", 0, 0, 2);
    g.PutImageTransparent(0, 0, 1, 1, nullptr);
    XSync(xt::TestDisplay(), False);
    EXPECT_EQ(xt::LogLines(), std::vector<std::string>{"Errore nella creazione del GC"});
}

} // namespace
