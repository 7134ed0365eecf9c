#include "tools/png/PngFile.h"

#include <fstream>
#include <vector>

#include "app/Log.h"
#include "tools/png/Deflate.h"
#include "util/Strings.h"

namespace {

constexpr int kMaxSide = 16384;

void PutU32(std::vector<unsigned char>& out, uint32_t value) {
    out.push_back(static_cast<unsigned char>(value >> 24));
    out.push_back(static_cast<unsigned char>(value >> 16));
    out.push_back(static_cast<unsigned char>(value >> 8));
    out.push_back(static_cast<unsigned char>(value));
}

void PutChunk(std::vector<unsigned char>& out, const char* type, const std::vector<unsigned char>& body) {
    PutU32(out, static_cast<uint32_t>(body.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    PutU32(out, Crc32(out.data() + start, out.size() - start));
}

} // namespace

uint32_t Crc32(const unsigned char* data, size_t length, uint32_t crc) {
    static uint32_t table[256];
    static bool ready = false;
    if (!ready) {
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        ready = true;
    }
    crc = ~crc;
    for (size_t i = 0; i < length; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

bool WritePng(const std::string& path, int width, int height, const unsigned char* rgb, int channels) {
    if (rgb == nullptr || (channels != 3 && channels != 4) || width <= 0 || height <= 0 || width > kMaxSide ||
        height > kMaxSide) {
        Log("WritePng: bad picture " + IntToStr(width) + "x" + IntToStr(height) + ": " + path);
        return false;
    }
    // Each row: filter type 0, then the pixels.
    const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(channels);
    std::vector<unsigned char> raw;
    raw.reserve((rowBytes + 1) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        const unsigned char* row = rgb + static_cast<size_t>(y) * rowBytes;
        raw.insert(raw.end(), row, row + rowBytes);
    }

    const std::vector<unsigned char> zlib = ZlibCompress(raw.data(), raw.size());

    std::vector<unsigned char> header;
    PutU32(header, static_cast<uint32_t>(width));
    PutU32(header, static_cast<uint32_t>(height));
    // 8 bits, RGB or RGBA, deflate, no filter choice, no interlace
    header.insert(header.end(), {8, static_cast<unsigned char>(channels == 4 ? 6 : 2), 0, 0, 0});

    std::vector<unsigned char> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", zlib);
    PutChunk(file, "IEND", {});

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out.is_open()) out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    if (!out.is_open() || !out.good()) {
        Log("WritePng: cannot write " + path);
        return false;
    }
    return true;
}
