// Picture formats: the server's pixel layout, X images, 4-bit palette
// pictures and bitmap files (including damaged ones).

#include <sys/stat.h>

#include <cstdlib>
#include <tuple>

#include "gfx/Picture.h"
#include "tests/support/XTestSupport.h"
#include "util/Files.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Writes v little-endian into n bytes at `at`, growing b when they lie past its end.
void PutLE(Bytes& b, size_t at, uint64_t v, size_t n = 4) {
    if (b.size() < at + n) b.resize(at + n);
    for (size_t i = 0; i < n; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}
Bytes With(Bytes b, size_t at, uint32_t v) { return PutLE(b, at, v), b; }
Bytes Sized(Bytes b, size_t n) { return b.resize(n), b; }

// A bitmap file: 54-byte header, palette (4-byte entries), padded rows bottom-up.
Bytes Bitmap(int bits, int width, int height, const Bytes& palette, const Bytes& rows) {
    Bytes b{'B', 'M'};
    b.resize(54);
    PutLE(b, 2, 54 + palette.size() + rows.size());
    PutLE(b, 10, 54 + palette.size());
    PutLE(b, 14, 40);
    PutLE(b, 18, static_cast<uint32_t>(width));
    PutLE(b, 22, static_cast<uint32_t>(height));
    PutLE(b, 26, 1u | static_cast<uint32_t>(bits) << 16);
    b.insert(b.end(), palette.begin(), palette.end());
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

// Palette colours 0xRRGGBB; entries past the list are black.
const std::vector<uint32_t> kColors = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x123456, 0xABCDEF};

// Each colour as three bytes, in the order given by shifts.
Bytes Channels(const std::vector<uint32_t>& colors, std::initializer_list<int> shifts) {
    Bytes out;
    for (uint32_t c : colors)
        for (int shift : shifts) out.push_back(static_cast<unsigned char>(c >> shift));
    return out;
}
Bytes Rgb(const std::vector<uint32_t>& colors) { return Channels(colors, {16, 8, 0}); }
Bytes BmpPalette(size_t entries) { // blue, green, red, unused
    std::vector<uint32_t> colors = kColors;
    colors.resize(entries);
    return Channels(colors, {0, 8, 16, 24});
}

// 3 x 2 pictures: top row kColors 1, 2, 3 and bottom row 4, 5, 6.
Bytes Bmp24() { // each row: 9 bytes of pixels, 3 of padding
    const std::vector<uint32_t> pixels = {kColors[4], kColors[5], kColors[6], 0, kColors[1], kColors[2], kColors[3], 0};
    return Bitmap(24, 3, 2, {}, Channels(pixels, {0, 8, 16}));
}
Bytes Bmp8(int paletteEntries = 7) { return Bitmap(8, 3, 2, BmpPalette(paletteEntries), {4, 5, 6, 0, 1, 2, 3, 0}); }
Bytes Bmp4(int paletteEntries = 16) {
    return Bitmap(4, 3, 2, BmpPalette(paletteEntries), {0x45, 0x6F, 0, 0, 0x12, 0x3F, 0, 0});
}
const Bytes kExpected = Rgb({kColors[1], kColors[2], kColors[3], kColors[4], kColors[5], kColors[6]});

// The picture's bytes, the buffer freed.
Bytes Take(unsigned char* rgb, size_t pixels) {
    Bytes out;
    if (rgb != nullptr) out.assign(rgb, rgb + pixels * 3);
    std::free(rgb);
    return out;
}

// A scratch folder for files and a shown window for X images.
class GfxFiles : public ::testing::Test {
protected:
    void SetUp() override {
        form.Create();
        xt::Pump(&form);
    }
    static std::string Put(const std::string& name, const Bytes& b) {
        return PutFile(name, {reinterpret_cast<const char*>(b.data()), b.size()});
    }
    ScratchFolder scratch;
    xt::TestForm form{200, 100};
};
using Loader = unsigned char* (*)(const std::string&, int*, int*);

TEST_F(GfxFiles, LoadsBitmapsOfEachDepth) {
    // A larger information header moves the palette, not the pixels.
    auto v5 = [](Bytes b) {
        b.insert(b.begin() + 54, 84, 0xEE);
        return With(With(b, 14, 124), 10, b[10] + 84u);
    };
    const std::pair<Loader, Bytes> files[] = {
        {LoadBmp24, Bmp24()}, {LoadBmp8, Bmp8()}, {LoadBmp4, Bmp4()}, {LoadBmp8, v5(Bmp8())}, {LoadBmp24, v5(Bmp24())}};
    for (const auto& [load, bytes] : files) {
        int w = 0, h = 0;
        EXPECT_EQ(Take(load(Put("a.bmp", bytes), &w, &h), 6), kExpected) << bytes.size();
        EXPECT_EQ(std::make_pair(w, h), std::make_pair(3, 2));
    }
    // Indices past a short palette are black.
    EXPECT_EQ(Take(LoadBmp8(Put("d.bmp", Bmp8(3))), 6), Rgb({kColors[1], kColors[2], 0, 0, 0, 0}));
}

TEST_F(GfxFiles, DamagedBitmapsGiveOneLineAndNoPicture) {
    const std::tuple<const char*, Loader, Bytes> cases[] = {
        {"empty file", LoadBmp24, {}},
        {"header cut short", LoadBmp8, Sized(Bmp8(), 30)},
        {"not a bitmap", LoadBmp24, With(Bmp24(), 0, 'X')},
        {"24 bits read as 4", LoadBmp4, Bmp24()},
        {"zero width", LoadBmp24, With(Bmp24(), 18, 0)},
        {"top-down rows", LoadBmp4, With(Bmp4(), 22, static_cast<uint32_t>(-2))},
        {"absurd width", LoadBmp24, With(Bmp24(), 18, 100000)},
        {"overflowing size", LoadBmp8, With(With(Bmp8(), 18, 0x7FFFFFFF), 22, 0x7FFFFFFF)},
        {"offset past the end", LoadBmp4, With(Bmp4(), 10, 5000)},
        {"offset inside the header", LoadBmp24, With(Bmp24(), 10, 20)},
        {"palette over 1024 bytes", LoadBmp8, Sized(With(Bmp8(), 10, 54 + 1028), 54 + 1028 + 8)},
        {"palette over the file", LoadBmp4, With(Bitmap(4, 3, 2, {}, {}), 10, 54 + 64)},
        {"short rows", LoadBmp4, Sized(Bmp4(), Bmp4().size() - 3)},
        {"compressed rows", LoadBmp8, With(Bmp8(), 30, 1)},
    };
    for (const auto& [what, load, bytes] : cases) {
        xt::ClearLog();
        const std::string path = Put(std::string(what) + ".bmp", bytes);
        int w = -7;
        EXPECT_EQ(Take(load(path, &w, nullptr), 1), Bytes{}) << what;
        EXPECT_EQ(w, -7) << what;
        EXPECT_EQ(xt::LogLines().size(), 1u) << what << "\n" << xt::ReadLog();
        EXPECT_FALSE(FileExists(path + ".c")) << what;
    }
    // The header's 32-bit fields are read whole, sign included.
    xt::ClearLog();
    Take(LoadBmp4(Put("top.bmp", With(Bmp4(), 22, static_cast<uint32_t>(-2)))), 1);
    EXPECT_NE(xt::ReadLog().find("bad size 3x-2"), std::string::npos) << xt::ReadLog();
    ASSERT_EQ(mkfifo("fifo.bmp", 0600), 0); // refused at once, never waited on
    for (const char* path : {"missing.bmp", "fifo.bmp"}) {
        xt::ClearLog();
        EXPECT_EQ(LoadBmp4(path), nullptr);
        EXPECT_EQ(xt::LogLines().size(), 1u) << path;
    }
}

TEST(GfxPalette4, RowsAreTurnedAndOddWidthsSkipTheLastNibble) {
    Bytes data = Rgb(kColors);
    data.resize(48);
    data.insert(data.end(), {0x45, 0x6F, 0x12, 0x3F});
    EXPECT_EQ(Take(DecodePalette4(3, 2, data.data()), 6), kExpected);
    // Even widths use every nibble: the first row read alone, 4 wide.
    EXPECT_EQ(Take(DecodePalette4(4, 1, data.data()), 4), Rgb({kColors[4], kColors[5], kColors[6], 0}));
    const std::pair<int, int> badSizes[] = {{0, 2}, {3, -1}, {100000, 1}};
    for (auto [w, h] : badSizes) EXPECT_EQ(DecodePalette4(w, h, data.data()), nullptr) << w << "x" << h;
    EXPECT_EQ(DecodePalette4(3, 2, nullptr), nullptr);
}

// The pixel layout is proven wherever a picture is read back from a window.
TEST_F(GfxFiles, NothingToConvertGivesNoImage) {
    const Bytes rgb(5 * 2 * 3, 0x11);
    EXPECT_EQ(CreatePixmapFromImage(&form, nullptr), 0u);
    EXPECT_EQ(CreateXImage(&form, nullptr, 5, 2), nullptr);
    EXPECT_EQ(CreateXImage(&form, rgb.data(), 0, 2), nullptr);
    EXPECT_EQ(CreateXImage(&form, rgb.data(), 5, -2), nullptr);
    XImage* narrow = CreateXImage(&form, rgb.data(), 1, 2); // one pixel wide is a picture too
    EXPECT_NE(narrow, nullptr);
    DestroyXImage(narrow);
}

} // namespace
