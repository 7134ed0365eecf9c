#include "tests/support/XTestSupport.h"

#include <algorithm>
#include <vector>

#include "controls/ImageFrame.h"
#include "gfx/Picture.h"

namespace {

constexpr int kSide = 96;
constexpr int kFrames = 12;

uint32_t FrameColour(int k) { return (0x10u * (k + 1)) << 16 | (0xF0u - 0x10u * k) << 8 | 0x33u; }

// A 1152 x 96 RGB sheet: twelve frames of one colour each, with a black
// 16 x 16 square in the middle of every frame.
std::vector<unsigned char> MakeSheet() {
    std::vector<unsigned char> rgb;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide * kFrames; ++x) {
            const bool hole = x % kSide >= 40 && x % kSide < 56 && y >= 40 && y < 56;
            const uint32_t c = hole ? 0 : FrameColour(x / kSide);
            rgb.insert(rgb.end(), {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)});
        }
    return rgb;
}

// Frames are placed at (10, 10) on a form of colour 0x123456.
struct ImageFrameTest : ::testing::Test {
    std::vector<unsigned char> sheet = MakeSheet();
    xt::TestForm f{300, 200};
    void SetUp() override {
        f.SetBackColor(0x123456);
        f.Create();
        xt::Pump(&f);
    }
    void Place(ImageFrame& frame) {
        frame.SetSize(kSide, kSide);
        frame.SetPosition(10, 10);
        frame.Show();
    }
    uint32_t Corner() { return xt::Pixel(&f, 15, 15); }
    uint32_t Middle() { return xt::Pixel(&f, 10 + 48, 10 + 48); }
};

TEST_F(ImageFrameTest, RawSheetShowsEveryFrameInTurn) {
    ImageFrame reel(&f, sheet.data(), 1, kSide * kFrames, kSide, 0, 0);
    Place(reel);
    for (int k = 0; k < kFrames; ++k) {
        reel.SetFrame(k, 0);
        EXPECT_EQ(Corner(), FrameColour(k)) << "frame " << k;
        EXPECT_EQ(xt::Pixel(&f, 10 + 95, 10 + 95), FrameColour(k)) << "its last pixel";
    }
    EXPECT_EQ(Middle(), 0x000000u) << "opaque: black is drawn";

    // Frames of one raw sheet share its image, which outlives each of them.
    {
        ImageFrame other(&f, sheet.data(), 1, kSide * kFrames, kSide, 3, 0);
        Place(other);
        EXPECT_EQ(Corner(), FrameColour(3));
    }
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
    EXPECT_EQ(Middle(), 0x123456u);
    EXPECT_EQ(Corner(), FrameColour(5));
    for (ImageFrame* frame : {&reel, &listed}) {
        Place(*frame);
        for (auto [c, r] : {std::pair{12, 0}, {0, 1}, {-1, 0}, {1 << 30, 1 << 30}}) {
            frame->SetTransparent(false);
            frame->SetFrame(c, r);
            EXPECT_EQ(Corner(), 0x123456u) << c << "," << r;
            frame->SetTransparent(true);
            EXPECT_EQ(Corner(), 0x123456u);
            frame->SetFrame(0, 0);
        }
    }
    listed.Hide();
    EXPECT_EQ(xt::CountColor(&f, 10, 10, kSide, kSide, 0x123456), kSide * kSide);
    DestroyXImage(image);
}

} // namespace
