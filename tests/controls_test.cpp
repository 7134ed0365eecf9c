// The controls on a real X server: clicks, drags and keys go through the
// loop's own dispatch and drawing is read back from the window. Each test
// places its control on a 300 x 200 form of colour 0x123456.
#include "tests/support/XTestSupport.h"

#include <algorithm>
#include <climits>
#include <tuple>

#include "app/Application.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "controls/CheckBox.h"
#include "controls/ImageFrame.h"
#include "controls/OptionBox.h"
#include "controls/ProgressBar.h"
#include "controls/ScrollBar.h"
#include "controls/Slider.h"
#include "gfx/Picture.h"
#include "tools/GalleryForm.h"

namespace {

constexpr uint32_t kForm = 0x123456;
using Seen = std::vector<int64_t>;
Seen seen; // what the command or value handlers reported, in order
int clicks = 0; // runs of the click or mouse-down handler
void CountClick(GUIElement*, uint64_t, Point) { ++clicks; }

struct Controls : ::testing::Test {
    xt::TestForm f{300, 200};
    void SetUp() override {
        seen.clear();
        clicks = 0;
        f.SetBackColor(kForm);
        f.Create();
        xt::Pump(&f);
    }
    void Focus(GUIElement* e) {
        xt::Key(&f, XK_Tab);
        ASSERT_EQ(Application::focused, e);
    }
    int Count(int x, int y, int w, int h, uint32_t rgb) { return xt::CountColor(&f, x, y, w, h, rgb); }
};

// An 80 x 30 button at (10, 10): it fires on release over it or on Return
// while focused; the face is sunken while pressed and raised again when the
// command runs.
TEST_F(Controls, ButtonFiresOnceOnReleaseOverItOnly) {
    ButtonCustom b(&f, "OK");
    b.SetPosition(10, 10);
    b.SetCommand([](Child*) { seen.push_back(1); });
    b.SetOnMouseDown(CountClick);
    b.SetOnClick(CountClick); // after the command, on a release over it
    b.Show();
    auto topBevel = [&] { return xt::Pixel(&f, 40, 10); };
    xt::Press(&f, 30, 20);
    EXPECT_EQ(topBevel(), 0x000000u);
    xt::Release(&f, 30, 20);
    EXPECT_EQ(topBevel(), 0xFFFFFFu);
    xt::KeyDown(&f, XK_Return);
    EXPECT_EQ(topBevel(), 0x000000u);
    xt::KeyUp(&f, XK_Return);
    EXPECT_EQ(seen.size(), 2u);
    // Dragged off: raised again, nothing fires, and the focus goes with the
    // release elsewhere, so Return no longer fires either.
    xt::Press(&f, 30, 20);
    xt::Motion(&f, 200, 150);
    xt::Release(&f, 200, 150);
    EXPECT_EQ(topBevel(), 0xFFFFFFu);
    b.KeyChar('\r');
    // Disabled: grey caption, no focus frame, nothing runs.
    b.SetForeColor(0xFF0000);
    Focus(&b);
    b.SetEnabled(false);
    EXPECT_GT(Count(10, 10, 80, 30, 0x9B9B9B), 0);
    EXPECT_EQ(Count(10, 10, 80, 30, 0xFF0000), 0) << "no caption ink, no focus frame";
    xt::Click(&f, 30, 20); // still focused: the press reaches the button itself
    xt::Key(&f, XK_Return);
    EXPECT_EQ(topBevel(), 0xFFFFFFu);
    EXPECT_EQ(std::pair(seen.size(), clicks), std::pair(size_t{2}, 3));
}

// A handler may destroy the control it was called for, which then touches
// nothing of itself (the sanitizers see any paint of a freed control). Each
// control sits at (20, 20) and goes on a click at (x, y), a drag from there
// 30 pixels right, or a key with the focus.
TEST_F(Controls, HandlersMayDestroyTheirOwnControl) {
    const auto cmd = [](auto* c) -> Child* { return c->SetCommand([](Child* s) { delete s; }), c; };
    const auto make = [&](int kind) -> Child* {
        if (kind == 0) return cmd(new ButtonCustom(&f, "X"));
        if (kind == 1) return cmd(new CheckBox(&f, "X"));
        if (kind == 2) return cmd(new OptionBox(&f));
        if (kind == 3) {
            auto* bar = new ScrollBar(&f, 0, 100);
            return bar->SetOnScroll([](Child* s, int64_t) { delete s; }), bar;
        }
        auto* s = new Slider(&f, false, 1, 5);
        s->SetSize(100, 50);
        s->SetOnValue([](Child* c, int32_t) { delete c; });
        s->SetOnChange([](GUIElement*) { ++clicks; });
        return s;
    };
    const std::tuple<int, char, int, int> rows[] = {
        {0, 'c', 30, 30}, {0, '\r', 0, 0},  {1, 'c', 30, 30}, {1, ' ', 0, 0},   {2, 'c', 30, 25},
        {2, ' ', 0, 0},   {3, 'c', 65, 30}, {3, 'c', 90, 30}, {3, 'd', 45, 30}, {3, ' ', 0, 0},
        {4, 'c', 60, 45}, {4, 'd', 40, 45}, {4, ' ', 0, 0}};
    for (auto [kind, how, x, y] : rows) {
        Child* c = make(kind);
        c->SetPosition(20, 20);
        c->Show();
        const uint64_t serial = c->GetSerial();
        if (how == 'c') {
            xt::Click(&f, x, y);
        } else if (how == 'd') {
            xt::Press(&f, x, y);
            xt::Motion(&f, x + 30, y);
            xt::Release(&f, x + 30, y);
        } else {
            Focus(c);
            how == ' ' ? xt::Type(&f, " ") : xt::Key(&f, XK_Return);
        }
        EXPECT_FALSE(Application::IsRegistered(serial)) << kind << how;
    }
    EXPECT_EQ(clicks, 0) << "no change handler after the value handler destroyed the slider";
}

// A 100 x 30 cell at (20, 20).
TEST_F(Controls, CellHighlightRestoreAndHide) {
    CellControl c(&f);
    c.SetPosition(20, 20);
    c.SetSize(100, 30);
    c.Show();
    c.SetHighlight(true);
    c.SetBackColor(0x00FF00); // kept for the end of the highlight
    const uint32_t lit = xt::Pixel(&f, 25, 24);
    c.SetHighlight(false);
    EXPECT_EQ(std::pair(lit, xt::Pixel(&f, 25, 24)), std::pair(0xFFFF00u, 0x00FF00u));

    CellControl lock(&f);
    lock.SetBackColor(0x0000FF);
    lock.SetPosition(20, 100);
    lock.Show();
    lock.SetBackColor(0xFF0000);
    lock.RestoreBackColor();
    EXPECT_EQ(xt::Pixel(&f, 25, 104), 0x0000FFu) << "the colour it had when it appeared";
    c.Hide();
    c.SetText("hidden");
    EXPECT_EQ(Count(20, 20, 100, 30, kForm), 100 * 30) << "erased in the form's colour";
}

// An 80 x 30 box captioned "Audio" at (20, 30): the box picture at
// (21, 31), 20 x 20.
TEST_F(Controls, CheckBoxTogglesOnClicksAndSpaceAfterThePaint) {
    static Form* form;
    static std::vector<uint32_t> atCommand;
    form = &f;
    CheckBox b(&f, "Audio");
    b.SetPosition(20, 30);
    b.SetCommand([](Child*) { atCommand = xt::Pixels(form, 21, 31, 20, 20); });
    b.SetOnClick(CountClick);
    b.SetForeColor(0xFF0000);
    b.Show();
    const std::vector<uint32_t> unchecked = xt::Pixels(&f, 21, 31, 20, 20);
    xt::Click(&f, 30, 40);
    EXPECT_TRUE(b.IsChecked());
    EXPECT_NE(atCommand, unchecked) << "the new state was on screen when the command ran";
    xt::Click(&f, 90, 50); // on the caption
    EXPECT_EQ(atCommand, unchecked);
    xt::Click(&f, 250, 150); // focus goes away
    atCommand.clear();
    for (KeySym k : {XK_space, XK_Tab, XK_a, XK_Return, XK_Down}) xt::Key(&f, k);
    EXPECT_TRUE(atCommand.empty()) << "only the space toggles, and only with the focus";
    b.SetChecked(true); // the program's changes fire nothing
    xt::Type(&f, " ");
    EXPECT_EQ(atCommand, unchecked);
    EXPECT_EQ(clicks, 2);
}

// Three options in a box at (20, 20), 120 wide: rows start at y = 20, 46
// and 72; the box grows to 78 high.
struct OptionBoxTest : Controls {
    OptionBox ob{&f};
    void SetUp() override {
        Controls::SetUp();
        ob.SetPosition(20, 20);
        ob.SetSize(120, 30);
        int value = 0;
        for (const char* caption : {"Uno", "Due", "Tre"}) ob.AddOption(caption, std::to_string(++value));
        ob.SetCommand([](Child* sender) { seen.push_back(static_cast<OptionBox*>(sender)->GetSelectedIndex()); });
        ob.SetOnClick(CountClick);
    }
};

TEST_F(OptionBoxTest, KeysWrapAroundAndClicksPickTheRow) {
    ob.Show();
    Focus(&ob);
    xt::Key(&f, XK_Up); // nothing selected: Up goes to the last row
    for (int i = 0; i < 4; ++i) xt::Key(&f, XK_Down);
    xt::Key(&f, XK_Up);
    xt::Type(&f, " ");
    xt::Key(&f, XK_Left);
    xt::Type(&f, "x");
    EXPECT_EQ(clicks, 0);
    for (int y : {56, 98, 21}) xt::Click(&f, 60, y); // y = 98 is the bottom edge: one row past the last
    ob.SetSelectedIndex(2); // the program's changes fire nothing
    EXPECT_EQ(seen, (Seen{2, 0, 1, 2, 0, 2, 0, 1, 2, 0}));
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(ob.GetOptionCaption(1) + ob.GetOptionValue(1), "Due2");
}

// A 190 x 25 bar at (10, 10): the inside row y = 20 runs from x = 11 to 198.
TEST_F(Controls, ProgressBarFillFollowsTheClampedValue) {
    ProgressBar bar(&f, 0, 100), empty(&f, 5, 5);
    bar.SetPosition(10, 10);
    empty.SetPosition(10, 100);
    bar.Show();
    empty.Show();
    auto blue = [this](int y) { return Count(10, y, 190, 1, 0x0000FF); };
    for (auto [value, clamped, fill] : {std::tuple{0, 0, 0}, {50, 50, 93}, {500, 100, 187}, {-3, 0, 0}}) {
        bar.SetValue(value);
        EXPECT_EQ(std::pair(bar.Value(), blue(20)), std::pair(clamped, fill)) << value;
    }
    empty.SetValue(9);
    EXPECT_EQ(std::pair(empty.Value(), blue(110)), std::pair(5, 0)) << "an empty range fills nothing";
    // Hidden, its area is the form's; hidden again, it erases nothing drawn there since.
    bar.Hide();
    empty.SetPosition(10, 10);
    empty.Show();
    bar.Hide();
    EXPECT_EQ(xt::Pixel(&f, 100, 10), 0x000000u) << "the other bar's frame";
}

// Range 0..100 on a horizontal bar at (20, 30), 80 wide (21 high once
// painted): track 38, three pages of 12 pixels plus 2 left over. Segments
// start at x = 41, 53, 65; the track ends at x = 79. Keys step one page and
// stop at the ends; clicks beside the segments step, on them jump.
TEST_F(Controls, ScrollBarKeysAndClicksMoveByPages) {
    ScrollBar sb(&f, 0, 100);
    sb.SetPosition(20, 30);
    sb.SetOnScroll([](Child*, int64_t tenTimes) { seen.push_back(tenTimes); });
    sb.Show();
    xt::Click(&f, 25, 40); // left arrow on the first page
    for (KeySym k : {XK_Left, XK_Right, XK_Down, XK_Right, XK_Up, XK_Left, XK_Left}) xt::Key(&f, k);
    xt::Type(&f, " ");
    xt::Key(&f, XK_Home);
    EXPECT_EQ(sb.Value(), 38);
    // The right arrow, just beyond the track, then once more on the last page;
    // segment 0; segment 1, which still reaches x = 53 + 12; segment 2.
    for (int x : {90, 80, 95, 45, 65, 66}) xt::Click(&f, x, 40);
    EXPECT_EQ(seen, (Seen{380, 760, 380, 0, 380, 760, 0, 380, 760}));
}

// A yellow horizontal slider over 1..5 at (20, 20), 100 x 50: ticks at
// x = 40, 55, 70, 85, 101 on the line y = 45, pointer above the line.
struct SliderTest : Controls {
    Slider s{&f, false, 1, 5};
    void SetUp() override {
        Controls::SetUp();
        s.SetPosition(20, 20);
        s.SetSize(100, 50);
        s.SetBackColor(0xFFFF00);
        s.SetOnValue([](Child*, int32_t v) { seen.push_back(v); });
        s.SetOnChange([](GUIElement*) { ++clicks; });
        s.Show();
    }
};

// Values are clamped; keys wrap and space steps forward; a click between ticks picks the
// right-hand one, two pixels right of a tick that tick, the same value again
// reports nothing; a drag follows the pointer off the slider until release.
TEST_F(SliderTest, KeysClicksAndDrags) {
    s.SetValue(3); // the program's changes move the pointer and fire nothing
    EXPECT_EQ(std::pair(xt::Pixel(&f, 70, 35), xt::Pixel(&f, 40, 35)), std::pair(0x000000u, 0xFFFF00u));
    s.SetValue(99);
    EXPECT_EQ(s.Value(), 5);
    s.SetValue(-7);
    EXPECT_EQ(s.Value(), 1);
    EXPECT_EQ(seen.size() + clicks, 0u);
    Focus(&s);
    for (KeySym k : {XK_Left, XK_Right, XK_Down, XK_space, XK_Up, XK_a}) xt::Key(&f, k);
    EXPECT_EQ(seen, (Seen{5, 1, 2, 3, 2}));
    EXPECT_EQ(clicks, 5);
    seen.clear();
    for (int x : {60, 57, 58, 58, 110}) xt::Click(&f, x, 45);
    xt::Press(&f, 40, 45);
    xt::Motion(&f, 86, 10);
    xt::Release(&f, 86, 45);
    xt::Motion(&f, 40, 45);
    EXPECT_EQ(seen, (Seen{3, 2, 3, 1, 4}));
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
    EXPECT_TRUE(seen.empty());
}

// A 1152 x 96 sheet of twelve 96 x 96 frames, each of one colour with a
// black 16 x 16 square in its middle; frames are shown at (10, 10).
struct ImageFrameTest : Controls {
    static constexpr int kSide = 96, kFrames = 12;
    static uint32_t FrameColour(int k) { return (0x10u * (k + 1)) << 16 | (0xF0u - 0x10u * k) << 8 | 0x33u; }
    std::vector<unsigned char> sheet;
    void SetUp() override {
        Controls::SetUp();
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide * kFrames; ++x) {
                const bool hole = x % kSide >= 40 && x % kSide < 56 && y >= 40 && y < 56;
                const uint32_t c = hole ? 0 : FrameColour(x / kSide);
                sheet.insert(sheet.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
            }
    }
    void Place(ImageFrame& frame) {
        frame.SetSize(kSide, kSide);
        frame.SetPosition(10, 10);
        frame.Show();
    }
    uint32_t Corner() { return xt::Pixel(&f, 15, 15); }
    uint32_t Middle() { return xt::Pixel(&f, 10 + 48, 10 + 48); }
};

// (The frames themselves, to their last pixel, are in the game window's references.)
TEST_F(ImageFrameTest, RawSheetFramesShareOneImageUntilForgotten) {
    ImageFrame reel(&f, sheet.data(), 1, kSide * kFrames, kSide, 0, 0);
    Place(reel);
    EXPECT_EQ(Middle(), 0x000000u) << "opaque: black is drawn";
    // Frames of one raw sheet share its image, which outlives each of them.
    ImageFrame(&f, sheet.data(), 1, kSide * kFrames, kSide, 3, 0).Show();
    reel.SetFrame(5, 0);
    EXPECT_EQ(Corner(), FrameColour(5));
    // Raw data given up: new bytes at the same address are converted anew.
    ImageFrame::ForgetRawSheet(sheet.data());
    std::fill(sheet.begin(), sheet.end(), 0x77);
    ImageFrame fresh(&f, sheet.data(), 1, kSide * kFrames, kSide, 0, 0);
    Place(fresh);
    EXPECT_EQ(Corner(), 0x777777u);
}

// Black pixels of a transparent frame show the parent's colour; a frame
// index outside the sheet or the list shows the background, drawn opaque or
// transparent, and reads nothing outside the picture.
TEST_F(ImageFrameTest, IndexOutsideTheSheetOrListDrawsBackground) {
    XImage* image = CreateXImage(&f, sheet.data(), kSide * kFrames, kSide);
    ImageFrame reel(&f, image, 5, 0);
    ImageFrame listed(&f, std::vector<XImage*>{image}, 0, 0);
    Place(reel);
    reel.SetTransparent(true);
    EXPECT_EQ(Middle(), kForm);
    EXPECT_EQ(Corner(), FrameColour(5));
    for (ImageFrame* frame : {&reel, &listed}) {
        Place(*frame);
        for (auto [c, r] : {std::pair{12, 0}, {0, 1}, {-1, 0}, {1 << 30, 1 << 30}}) {
            frame->SetTransparent(false);
            frame->SetFrame(c, r);
            EXPECT_EQ(Corner(), kForm) << c << "," << r;
            frame->SetTransparent(true);
            EXPECT_EQ(Corner(), kForm);
            frame->SetFrame(0, 0);
        }
    }
    listed.Hide();
    EXPECT_EQ(Count(10, 10, kSide, kSide, kForm), kSide * kSide);
    DestroyXImage(image);
}

// The whole gallery as built (focused, pressed and disabled controls among
// it), then with the focus moved on, the scroll bar's thumb dragged and moved
// a page back by a key, and the vertical slider's knob held mid-drag.
TEST(Gallery, ReferenceStates) {
    xt::TestForm form(kGalleryWidth, kGalleryHeight);
    form.SetBackColor(kGalleryBack);
    ProbeImageFormat(&form); // before the window exists: on a pixmap, not with a pixel on it
    form.Create();
    GalleryControls controls;
    BuildGallery(&form, controls);
    xt::ExpectWindow(&form, "gallery");
    xt::Key(&form, XK_Tab);
    xt::Press(&form, 610, 110);
    xt::Motion(&form, 650, 110);
    xt::Release(&form, 650, 110);
    xt::Key(&form, XK_Left); // and a page back
    xt::Press(&form, 445, 79);
    xt::Motion(&form, 445, 118);
    xt::ExpectWindow(&form, "gallery-dragged");
}

} // namespace
