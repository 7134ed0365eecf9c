// Picture formats: the server's pixel layout, X images, 4-bit palette
// pictures, bitmap files (including damaged ones) and the PNG writer.
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "gfx/Picture.h"
#include "gfx/PngFile.h"
#include "util/Deflate.h"
#include "tests/support/XTestSupport.h"
#include "util/Files.h"
#include "util/Strings.h"

namespace {

using Bytes = std::vector<unsigned char>;

void PutLE(Bytes& b, size_t at, uint64_t v, size_t n = 4) {
    for (size_t i = 0; i < n; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// A bitmap file: 54-byte header, palette (4-byte entries), padded rows bottom-up.
Bytes Bitmap(int bits, int width, int height, const Bytes& palette, const Bytes& rows) {
    Bytes b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    const uint32_t size = static_cast<uint32_t>(54 + palette.size() + rows.size());
    const std::pair<size_t, uint32_t> fields[] = {
        {2, size}, {10, static_cast<uint32_t>(54 + palette.size())}, {14, 40}, {18, static_cast<uint32_t>(width)},
        {22, static_cast<uint32_t>(height)}, {26, 1 | static_cast<uint32_t>(bits) << 16}};
    for (auto [at, value] : fields) PutLE(b, at, value);
    b.insert(b.end(), palette.begin(), palette.end());
    b.insert(b.end(), rows.begin(), rows.end());
    return b;
}

// Palette colours 0xRRGGBB; entries past the list are black.
const uint32_t kColors[] = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x123456, 0xABCDEF};

// Each colour as three bytes, in the order given by shifts.
Bytes Channels(const std::vector<uint32_t>& colors, std::initializer_list<int> shifts) {
    Bytes out;
    for (uint32_t c : colors)
        for (int shift : shifts) out.push_back(static_cast<unsigned char>(c >> shift));
    return out;
}
Bytes Rgb(const std::vector<uint32_t>& colors) { return Channels(colors, {16, 8, 0}); }
Bytes BmpPalette(int entries) {
    Bytes p;
    for (int i = 0; i < entries; ++i) {
        Bytes bgr = Channels({i < 7 ? kColors[i] : 0}, {0, 8, 16});
        p.insert(p.end(), {bgr[0], bgr[1], bgr[2], 0});
    }
    return p;
}

// 3 x 2 pictures: top row kColors 1, 2, 3 and bottom row 4, 5, 6.
Bytes Bmp24() {
    Bytes rows = Channels({kColors[4], kColors[5], kColors[6], 0, kColors[1], kColors[2], kColors[3], 0}, {0, 8, 16});
    return Bitmap(24, 3, 2, {}, rows); // each row: 9 bytes of pixels, 3 of padding
}
Bytes Bmp8(int paletteEntries = 7) { return Bitmap(8, 3, 2, BmpPalette(paletteEntries), {4, 5, 6, 0, 1, 2, 3, 0}); }
Bytes Bmp4(int paletteEntries = 16) {
    return Bitmap(4, 3, 2, BmpPalette(paletteEntries), {0x45, 0x6F, 0, 0, 0x12, 0x3F, 0, 0});
}
const Bytes kExpected = Rgb({kColors[1], kColors[2], kColors[3], kColors[4], kColors[5], kColors[6]});

class GfxFiles : public ::testing::Test {
protected:
    void SetUp() override {
        xt::ClearLog();
        char pattern[] = "/tmp/picture_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }
    std::string Put(const std::string& name, const Bytes& bytes) const {
        std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    static Bytes Take(unsigned char* rgb, int w, int h) {
        Bytes out;
        if (rgb != nullptr) out.assign(rgb, rgb + w * h * 3);
        std::free(rgb);
        return out;
    }
    std::string dir;
};

TEST_F(GfxFiles, LoadsBitmapsOfEachDepth) {
    int w = 0, h = 0;
    EXPECT_EQ(Take(LoadBmp24(Put("a.bmp", Bmp24()), &w, &h), 3, 2), kExpected);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(Take(LoadBmp8(Put("b.bmp", Bmp8()), &w, &h), 3, 2), kExpected);
    EXPECT_EQ(Take(LoadBmp4(Put("c.bmp", Bmp4()), &w, &h), 3, 2), kExpected);
    EXPECT_TRUE(xt::LogLines().empty()) << xt::ReadLog();

    // Indices past a short palette are black.
    EXPECT_EQ(Take(LoadBmp8(Put("d.bmp", Bmp8(3))), 3, 2),
              Rgb({kColors[1], kColors[2], 0, 0, 0, 0}));
    // A larger information header moves the palette, not the pixels.
    Bytes v5 = Bmp8();
    v5.insert(v5.begin() + 54, 84, 0);
    PutLE(v5, 14, 124);
    PutLE(v5, 10, 54 + 84 + 28);
    EXPECT_EQ(Take(LoadBmp8(Put("e.bmp", v5)), 3, 2), kExpected);
    Bytes v5rgb = Bmp24();
    v5rgb.insert(v5rgb.begin() + 54, 84, 0xEE);
    PutLE(v5rgb, 14, 124);
    PutLE(v5rgb, 10, 54 + 84);
    EXPECT_EQ(Take(LoadBmp24(Put("f.bmp", v5rgb)), 3, 2), kExpected);
}

TEST_F(GfxFiles, FourBitBitmapsAreExportedAsCSource) {
    const std::string path = Put("pic.bmp", Bmp4());
    std::ofstream(path + ".c") << "old";
    std::free(LoadBmp4(path));
    std::string palette =
        "0x00,0x00,0x00,0xFF,0x00,0x00,0x00,0xFF,0x00,0x00,0x00,0xFF,0xFF,0xFF,0x00,0x12,0x34,0x56,0xAB,0xCD,0xEF,";
    for (int i = 7; i < 16; ++i) palette += "0x00,0x00,0x00,";
    const std::string expected = "int wPIC = 3;\nint hPIC = 2;\n\nchar imgPIC[] = {\n" + palette +
                                 "\n0x45,0x6F,\n0x12,0x3F,\n};\n\n";
    EXPECT_EQ(xt::ReadFile(path + ".c"), expected);

    // Always 16 palette entries, however many the file has.
    for (int entries : {7, 40}) {
        const std::string other = Put("Pic.Small.bmp", Bmp4(entries));
        std::free(LoadBmp4(other));
        EXPECT_EQ(xt::ReadFile(other + ".c"), StrReplaceAll(expected, "PIC", "PIC.SMALL"));
    }
}

TEST_F(GfxFiles, DamagedBitmapsGiveOneLineAndNoPicture) {
    using Loader = unsigned char* (*)(const std::string&, int*, int*);
    struct Case {
        const char* what;
        Loader load;
        Bytes bytes;
    };
    auto with = [](Bytes b, size_t at, uint32_t v) {
        PutLE(b, at, v);
        return b;
    };
    Bytes truncated = Bmp4();
    truncated.resize(truncated.size() - 3);
    Bytes notBm = Bmp24();
    notBm[0] = 'X';
    const Bytes whole8 = Bmp8();
    const Bytes headerOnly(whole8.begin(), whole8.begin() + 30);
    Bytes hugePalette = with(Bmp8(), 10, 54 + 1028);
    hugePalette.resize(54 + 1028 + 8, 0);
    const std::vector<Case> cases = {
        {"empty file", LoadBmp24, {}},
        {"header cut short", LoadBmp8, headerOnly},
        {"not a bitmap", LoadBmp24, notBm},
        {"8 bits read as 24", LoadBmp24, Bmp8()},
        {"24 bits read as 4", LoadBmp4, Bmp24()},
        {"4 bits read as 8", LoadBmp8, Bmp4()},
        {"zero width", LoadBmp24, with(Bmp24(), 18, 0)},
        {"negative width", LoadBmp8, with(Bmp8(), 18, static_cast<uint32_t>(-3))},
        {"top-down rows", LoadBmp4, with(Bmp4(), 22, static_cast<uint32_t>(-2))},
        {"absurd width", LoadBmp24, with(Bmp24(), 18, 100000)},
        {"overflowing size", LoadBmp8, with(with(Bmp8(), 18, 0x7FFFFFFF), 22, 0x7FFFFFFF)},
        {"largest size, no rows", LoadBmp24, with(with(Bmp24(), 18, 16384), 22, 16384)},
        {"offset past the end", LoadBmp4, with(Bmp4(), 10, 5000)},
        {"offset inside the header", LoadBmp24, with(Bmp24(), 10, 20)},
        {"palette over 1024 bytes", LoadBmp8, hugePalette},
        {"palette over the file", LoadBmp4, with(Bitmap(4, 3, 2, {}, {}), 10, 54 + 64)},
        {"short rows", LoadBmp4, truncated},
        {"compressed rows", LoadBmp8, with(Bmp8(), 30, 1)},
        {"small info header", LoadBmp8, with(Bmp8(), 14, 12)},
    };
    int n = 0;
    for (const Case& c : cases) {
        xt::ClearLog();
        const std::string path = Put("bad" + std::to_string(n++) + ".bmp", c.bytes);
        int w = -7;
        unsigned char* rgb = c.load(path, &w, nullptr);
        EXPECT_EQ(rgb, nullptr) << c.what;
        std::free(rgb);
        EXPECT_EQ(w, -7) << c.what;
        EXPECT_EQ(xt::LogLines().size(), 1u) << c.what << "\n" << xt::ReadLog();
        EXPECT_FALSE(FileExists(path + ".c")) << c.what;
    }
    xt::ClearLog();
    EXPECT_EQ(LoadBmp4(dir + "/missing.bmp"), nullptr);
    EXPECT_EQ(xt::LogLines().size(), 1u);
}

// Random and mutated files through every loader; the sanitizers watch
// for reads and writes outside the buffers.
TEST_F(GfxFiles, RandomAndMutatedBitmapsAreSafe) {
    std::mt19937 rng(12345);
    auto pick = [&rng](uint32_t n) { return std::uniform_int_distribution<uint32_t>(0, n - 1)(rng); };
    const Bytes bases[] = {Bmp24(), Bmp8(), Bmp4(), Bitmap(4, 5, 3, BmpPalette(16), Bytes(12, 0x5A)),
                           Bitmap(8, 7, 2, BmpPalette(256), Bytes(16, 0xC3))};
    const uint32_t extremes[] = {0, 1, 2, 3, 0xFFFFFFFF, 0x7FFFFFFF, 0x80000000, 16384, 16385, 54, 1078, 118, 40};
    const size_t fields[] = {2, 10, 14, 18, 22, 28, 30};
    for (int i = 0; i < 300; ++i) {
        Bytes b = bases[pick(5)];
        const uint32_t how = pick(4);
        if (how == 0) { // bytes changed anywhere
            for (uint32_t k = pick(8) + 1; k > 0; --k) b[pick(static_cast<uint32_t>(b.size()))] = static_cast<unsigned char>(pick(256));
        } else if (how == 1) { // a header field set to an edge value
            PutLE(b, fields[pick(7)], extremes[pick(13)]);
        } else if (how == 2) { // cut short
            b.resize(pick(static_cast<uint32_t>(b.size())));
        } else { // noise behind a plausible header of a small picture
            b.resize(54 + pick(300));
            for (size_t k = 30; k < b.size(); ++k) b[k] = static_cast<unsigned char>(pick(256));
            PutLE(b, 10, 54 + pick(static_cast<uint32_t>(b.size()) - 53));
            PutLE(b, 18, pick(20) + 1);
            PutLE(b, 22, pick(10) + 1);
            PutLE(b, 28, std::vector<uint32_t>{4, 8, 24}[pick(3)], 6); // depth, no compression
        }
        const std::string path = Put("f.bmp", b);
        for (auto load : {LoadBmp24, LoadBmp8, LoadBmp4}) {
            int w = 0, h = 0;
            unsigned char* rgb = load(path, &w, &h);
            if (rgb != nullptr) {
                EXPECT_GT(w, 0);
                EXPECT_GT(h, 0);
                EXPECT_LE(static_cast<int64_t>(w) * h * 3, static_cast<int64_t>(b.size()) * 24);
                volatile unsigned char last = rgb[static_cast<size_t>(w) * h * 3 - 1];
                (void)last;
            }
            std::free(rgb);
        }
    }
    for (int i = 0; i < 300; ++i) {
        int w = static_cast<int>(pick(33)) + 1, h = static_cast<int>(pick(20)) + 1;
        Bytes data(48 + static_cast<size_t>(h) * ((w + 1) / 2));
        for (auto& byte : data) byte = static_cast<unsigned char>(pick(256));
        unsigned char* rgb = DecodePalette4(w, h, data.data());
        ASSERT_NE(rgb, nullptr);
        // Every pixel is one of the palette's colours.
        for (int p = 0; p < w * h; p += 7) {
            bool found = false;
            for (int e = 0; e < 16 && !found; ++e) found = std::memcmp(rgb + p * 3, data.data() + e * 3, 3) == 0;
            EXPECT_TRUE(found);
        }
        std::free(rgb);
    }
}

TEST(GfxPalette4, RowsAreTurnedAndOddWidthsSkipTheLastNibble) {
    Bytes data = Rgb({kColors[0], kColors[1], kColors[2], kColors[3], kColors[4], kColors[5], kColors[6]});
    data.resize(48);
    data.insert(data.end(), {0x45, 0x6F, 0x12, 0x3F});
    unsigned char* rgb = DecodePalette4(3, 2, data.data());
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(Bytes(rgb, rgb + 18), kExpected);
    std::free(rgb);
    data.resize(48);
    data.insert(data.end(), {0x12, 0x34}); // even widths use every nibble
    rgb = DecodePalette4(4, 1, data.data());
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(Bytes(rgb, rgb + 12), Rgb({kColors[1], kColors[2], kColors[3], kColors[4]}));
    std::free(rgb);

    EXPECT_EQ(DecodePalette4(3, 2, nullptr), nullptr);
    EXPECT_EQ(DecodePalette4(0, 2, data.data()), nullptr);
    EXPECT_EQ(DecodePalette4(3, -1, data.data()), nullptr);
    EXPECT_EQ(DecodePalette4(100000, 1, data.data()), nullptr);
}

class GfxImage : public ::testing::Test {
protected:
    void SetUp() override {
        xt::ClearLog();
        form = new xt::TestForm(200, 100);
        form->Create();
        xt::Pump(form);
    }
    void TearDown() override { delete form; }
    xt::TestForm* form = nullptr;
};

TEST_F(GfxImage, ProbeFindsTheServerLayoutQuietly) {
    ImageFormat = ImageFormatRecord{};
    ProbeImageFormat(form);
    EXPECT_EQ(ImageFormat.depth, 24);
    EXPECT_EQ(ImageFormat.bitsPerPixel, 32);
    EXPECT_EQ(ImageFormat.bitmapPad, 32);
    EXPECT_EQ(ImageFormat.ixBlu + 10 * ImageFormat.ixVerde + 100 * ImageFormat.ixRosso, 210);
    EXPECT_EQ(xt::Pixel(form, 0, 0), 0xCF3B76u);
    // Before the window can be read back the probe goes through a pixmap.
    form->Hide();
    xt::Pump(form);
    ImageFormat = ImageFormatRecord{};
    ProbeImageFormat(form);
    XSync(xt::TestDisplay(), False);
    EXPECT_EQ(ImageFormat.depth, 24);
    EXPECT_EQ(ImageFormat.ixRosso, 2);
    EXPECT_TRUE(xt::LogLines().empty()) << xt::ReadLog();
}

TEST_F(GfxImage, FourBytePixelsNeedNoPadding) {
    const Bytes rgb = Rgb({0x010203, 0x040506, 0, 0, 0, 0x102030, 0, 0, 0, 0xD0E0F0});
    XImage* image = CreateXImage(form, rgb.data(), 5, 2);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->bytes_per_line, 20);
    const unsigned char* data = reinterpret_cast<unsigned char*>(image->data);
    EXPECT_EQ(Bytes(data, data + 8), (Bytes{0x03, 0x02, 0x01, 0, 0x06, 0x05, 0x04, 0}));
    EXPECT_EQ(Bytes(data + 20, data + 24), (Bytes{0x30, 0x20, 0x10, 0}));
    EXPECT_EQ(XGetPixel(image, 4, 1) & 0xFFFFFF, 0xD0E0F0u);
    DestroyXImage(image);
    EXPECT_TRUE(xt::LogLines().empty()) << xt::ReadLog();
    EXPECT_EQ(CreateXImage(form, nullptr, 5, 2), nullptr);
    EXPECT_EQ(CreateXImage(form, rgb.data(), 0, 2), nullptr);
    EXPECT_EQ(CreateXImage(form, rgb.data(), 5, -2), nullptr);
}

TEST_F(GfxImage, ThreeBytePixelsArePaddedWithAWarning) {
    ProbeImageFormat(form);
    const ImageFormatRecord saved = ImageFormat;
    ImageFormat.bitsPerPixel = 24;
    const Bytes rgb(15 * 2, 0x44);
    DestroyXImage(CreateXImage(form, rgb.data(), 5, 2));
    ImageFormat = saved;
    std::vector<std::string> lines = xt::LogLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "WARNING img width: 5 - bytes_per_line_Pad != bytes_per_line: 16 15");
}

TEST_F(GfxImage, PixmapsHoldTheWholeImage) {
    const Bytes rgb = Rgb({0xFF0000, 0x00FF00, 0x0000FF, 0x123456});
    XImage* image = CreateXImage(form, rgb.data(), 2, 2);
    Pixmap pixmap = CreatePixmapFromImage(form, image);
    XImage* back = XGetImage(xt::TestDisplay(), pixmap, 0, 0, 2, 2, AllPlanes, ZPixmap);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(XGetPixel(back, 1, 1) & 0xFFFFFF, 0x123456u);
    XDestroyImage(back);
    XFreePixmap(xt::TestDisplay(), pixmap);
    DestroyXImage(image);
    EXPECT_EQ(CreatePixmapFromImage(form, nullptr), 0u);
}

// ---- PNG ----

uint32_t BE(const std::string& s, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
    return v;
}

TEST_F(GfxFiles, PngFilesCarryCheckedChunksAndCompressedRows) {
    const std::string digits = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const unsigned char*>(digits.data()), digits.size()), 0xCBF43926u);

    const Bytes rgb = Rgb({0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 0x101112});
    const std::string path = dir + "/shot.png";
    ASSERT_TRUE(WritePng(path, 3, 2, rgb.data()));
    const std::string f = xt::ReadFile(path);
    EXPECT_EQ(f.substr(0, 16), std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));
    EXPECT_EQ(BE(f, 16), 3u);
    EXPECT_EQ(BE(f, 20), 2u);
    EXPECT_EQ(BE(f, 29), Crc32(reinterpret_cast<const unsigned char*>(f.data() + 12), 17));
    // The image data: a zlib stream whose checksum covers each row's filter
    // byte 0 and its pixels.
    const uint32_t idatLength = BE(f, 33);
    EXPECT_EQ(f.substr(37, 4), "IDAT");
    EXPECT_EQ(f.substr(41, 2), std::string("\x78\x01", 2));
    const std::string raw("\0\1\2\3\4\5\6\7\x08\x09\0\x0a\x0b\x0c\x0d\x0e\x0f\x10\x11\x12", 20);
    EXPECT_EQ(BE(f, 41 + idatLength - 4), Adler32(reinterpret_cast<const uint8_t*>(raw.data()), raw.size()));
    EXPECT_EQ(BE(f, 41 + idatLength), Crc32(reinterpret_cast<const unsigned char*>(f.data() + 37), 4 + idatLength));
    EXPECT_EQ(BE(f, f.size() - 4), 0xAE426082u); // the IEND chunk's well-known checksum

    // Flat window contents shrink to a small fraction.
    const Bytes big(800 * 600 * 3, 0x7F);
    ASSERT_TRUE(WritePng(path, 800, 600, big.data()));
    EXPECT_LT(xt::ReadFile(path).size(), big.size() / 50);

    EXPECT_FALSE(WritePng(path, 0, 5, rgb.data()));
    EXPECT_FALSE(WritePng(path, 5, 5, nullptr));
    EXPECT_FALSE(WritePng(dir + "/no/such/dir.png", 2, 2, rgb.data()));
    EXPECT_EQ(xt::LogLines().size(), 3u);
}

} // namespace
