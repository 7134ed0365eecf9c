// The zlib stream writer: checksum, framing, and that flat pictures shrink.
#include <vector>

#include "tools/png/Deflate.h"

TEST(UtilDeflate, ChecksumAndFraming) {
    const char* text = "Wikipedia";
    EXPECT_EQ(Adler32(reinterpret_cast<const uint8_t*>(text), 9), 0x11E60398u);

    std::vector<uint8_t> empty = ZlibCompress(nullptr, 0);
    // Header, one fixed block holding only the end symbol, Adler-32 of nothing.
    EXPECT_EQ(empty, (std::vector<uint8_t>{0x78, 0x01, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}));
}

TEST(UtilDeflate, FlatAreasCompressWell) {
    std::vector<uint8_t> flat(800 * 600 * 3, 0xAA);
    for (size_t i = 0; i < flat.size(); i += 7919) flat[i] = static_cast<uint8_t>(i);
    std::vector<uint8_t> z = ZlibCompress(flat.data(), flat.size());
    EXPECT_LT(z.size(), flat.size() / 50);
    uint32_t adler = Adler32(flat.data(), flat.size());
    EXPECT_EQ(z[z.size() - 1], static_cast<uint8_t>(adler));
    EXPECT_EQ(z[z.size() - 4], static_cast<uint8_t>(adler >> 24));
}
