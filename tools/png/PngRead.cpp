#include <zlib.h>

#include <fstream>
#include <iterator>

#include "tools/png/PngFile.h"

namespace {

uint32_t U32(const std::string& s, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
    return v;
}

} // namespace

bool ReadPng(const std::string& path, int& width, int& height, std::vector<unsigned char>& rgb) {
    std::ifstream in(path, std::ios::binary);
    const std::string f((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (f.size() < 33 || f.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || f.compare(12, 4, "IHDR") != 0) return false;
    width = static_cast<int>(U32(f, 16));
    height = static_cast<int>(U32(f, 20));
    // Only what the writer makes: 8-bit RGB, no interlace.
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384 || f.compare(24, 2, "\x08\x02") != 0 || f[28] != 0)
        return false;
    std::string zlib;
    for (size_t at = 8; at + 12 <= f.size();) {
        const size_t length = U32(f, at);
        if (length > f.size() - at - 12) return false;
        const auto* chunk = reinterpret_cast<const unsigned char*>(f.data() + at + 4);
        if (Crc32(chunk, length + 4) != U32(f, at + 8 + length)) return false;
        if (f.compare(at + 4, 4, "IDAT") == 0) zlib += f.substr(at + 8, length);
        at += 12 + length;
    }
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    std::vector<unsigned char> raw((rowBytes + 1) * static_cast<size_t>(height));
    uLongf rawSize = raw.size();
    if (uncompress(raw.data(), &rawSize, reinterpret_cast<const Bytef*>(zlib.data()), zlib.size()) != Z_OK ||
        rawSize != raw.size())
        return false;
    rgb.clear();
    for (size_t y = 0; y < static_cast<size_t>(height); ++y) {
        const unsigned char* row = &raw[y * (rowBytes + 1)];
        if (row[0] != 0) return false; // rows without filters only
        rgb.insert(rgb.end(), row + 1, row + 1 + rowBytes);
    }
    return true;
}
