#include "tools/png/Deflate.h"

namespace {

class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : out(out) {}
    // Plain values go out least significant bit first.
    void Bits(uint32_t value, int count) {
        for (int i = 0; i < count; ++i) Bit((value >> i) & 1u);
    }
    // Huffman codes go out most significant bit first.
    void Code(uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1u);
    }
    void Flush() {
        if (used > 0) out.push_back(current);
        current = 0;
        used = 0;
    }

private:
    void Bit(uint32_t b) {
        current = static_cast<uint8_t>(current | (b << used));
        if (++used == 8) Flush();
    }
    std::vector<uint8_t>& out;
    uint8_t current = 0;
    int used = 0;
};

void Symbol(BitWriter& w, int s) {
    if (s < 144)
        w.Code(0x30 + s, 8);
    else if (s < 256)
        w.Code(0x190 + (s - 144), 9);
    else if (s < 280)
        w.Code(s - 256, 7);
    else
        w.Code(0xC0 + (s - 280), 8);
}

const int kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                             31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const int kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const int kDistBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                           193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const int kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                            6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void Match(BitWriter& w, int length, int distance) {
    int li = 28;
    while (kLengthBase[li] > length) --li;
    Symbol(w, 257 + li);
    w.Bits(static_cast<uint32_t>(length - kLengthBase[li]), kLengthExtra[li]);
    int di = 29;
    while (kDistBase[di] > distance) --di;
    w.Code(static_cast<uint32_t>(di), 5);
    w.Bits(static_cast<uint32_t>(distance - kDistBase[di]), kDistExtra[di]);
}

} // namespace

uint32_t Adler32(const uint8_t* data, size_t size) {
    uint32_t a = 1, b = 0;
    for (size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

std::vector<uint8_t> ZlibCompress(const uint8_t* data, size_t size) {
    std::vector<uint8_t> out{0x78, 0x01};
    BitWriter w(out);
    w.Bits(1, 1); // the one and last block
    w.Bits(1, 2); // fixed Huffman codes
    constexpr size_t kWindow = 32768, kHashSize = 1 << 15;
    std::vector<int64_t> head(kHashSize, -1);
    size_t i = 0;
    while (i < size) {
        int best = 0;
        size_t bestDist = 0;
        if (i + 3 <= size) {
            uint32_t h = ((data[i] << 10) ^ (data[i + 1] << 5) ^ data[i + 2]) & (kHashSize - 1);
            int64_t cand = head[h];
            head[h] = static_cast<int64_t>(i);
            if (cand >= 0 && i - static_cast<size_t>(cand) <= kWindow) {
                size_t c = static_cast<size_t>(cand);
                int len = 0;
                while (len < 258 && i + len < size && data[c + len] == data[i + len]) ++len;
                if (len >= 3) {
                    best = len;
                    bestDist = i - c;
                }
            }
        }
        if (best >= 3) {
            Match(w, best, static_cast<int>(bestDist));
            i += static_cast<size_t>(best);
        } else {
            Symbol(w, data[i]);
            ++i;
        }
    }
    Symbol(w, 256);
    w.Flush();
    uint32_t adler = Adler32(data, size);
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(adler >> s));
    return out;
}
