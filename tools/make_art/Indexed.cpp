// 16-colour pictures: palette choice, index mapping, and the BMP and file
// writers.
#include <array>
#include <cstdio>
#include <map>
#include <vector>

#include "tools/make_art/Art.h"

namespace art {

namespace {

float colDist(Col a, Col b) {
    float dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return 2 * dr * dr + 4 * dg * dg + 3 * db * db;
}

} // namespace

std::array<Col, 16> choosePalette(const Image& img, const std::vector<Col>& pinned, const std::vector<bool>* exclude) {
    std::map<uint32_t, float> hist;
    for (int i = 0; i < img.w * img.h; ++i) {
        if (exclude && (*exclude)[size_t(i)]) continue;
        const uint8_t* p = &img.rgb[size_t(i) * 3];
        hist[(uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2]] += 1;
    }
    struct Bin {
        Col c;
        float n;
    };
    std::vector<Bin> bins;
    for (const auto& kv : hist)
        bins.push_back({rgb(int(kv.first >> 16), int((kv.first >> 8) & 255), int(kv.first & 255)), kv.second});
    std::vector<Col> centres = pinned;
    // Deterministic seeding: repeatedly take the colour that the current
    // palette serves worst, weighted by how often it occurs.
    while (centres.size() < 16) {
        float best = -1;
        Col pick{0, 0, 0};
        for (const Bin& b : bins) {
            float d = 1e30f;
            for (const Col& c : centres) d = std::min(d, colDist(b.c, c));
            float score = d * std::sqrt(b.n);
            if (score > best) {
                best = score;
                pick = b.c;
            }
        }
        if (best <= 0) {
            centres.push_back({0, 0, 0});
            continue;
        }
        centres.push_back(pick);
    }
    size_t fixed = pinned.size();
    for (int iter = 0; iter < 30; ++iter) {
        std::vector<Col> sum(16, {0, 0, 0});
        std::vector<float> cnt(16, 0);
        for (const Bin& b : bins) {
            size_t bi = 0;
            float bd = 1e30f;
            for (size_t k = 0; k < 16; ++k) {
                float d = colDist(b.c, centres[k]);
                if (d < bd) {
                    bd = d;
                    bi = k;
                }
            }
            sum[bi] = sum[bi] + b.c * b.n;
            cnt[bi] += b.n;
        }
        for (size_t k = fixed; k < 16; ++k)
            if (cnt[k] > 0) centres[k] = sum[k] * (1.0f / cnt[k]);
    }
    std::array<Col, 16> pal;
    for (size_t k = 0; k < 16; ++k)
        pal[k] = {std::round(centres[k].r), std::round(centres[k].g), std::round(centres[k].b)};
    return pal;
}

Indexed quantize(const Image& img, const std::array<Col, 16>& pal, const std::vector<bool>* forceZero,
                 bool reserveZero) {
    Indexed out{img.w, img.h, pal, std::vector<uint8_t>(size_t(img.w) * size_t(img.h))};
    for (int i = 0; i < img.w * img.h; ++i) {
        if (forceZero && (*forceZero)[size_t(i)]) {
            out.idx[size_t(i)] = 0;
            continue;
        }
        const uint8_t* p = &img.rgb[size_t(i) * 3];
        Col c = rgb(p[0], p[1], p[2]);
        size_t best = 0;
        float bd = 1e30f;
        for (size_t k = reserveZero ? 1 : 0; k < 16; ++k) {
            // Unused black duplicates must not steal pixels from index 0.
            if (k > 0 && pal[k].r == 0 && pal[k].g == 0 && pal[k].b == 0) continue;
            float d = colDist(c, pal[k]);
            if (d < bd) {
                bd = d;
                best = k;
            }
        }
        out.idx[size_t(i)] = uint8_t(best);
    }
    return out;
}

Image expand(const Indexed& q) {
    Image img(q.w, q.h, {0, 0, 0});
    for (int y = 0; y < q.h; ++y)
        for (int x = 0; x < q.w; ++x) img.set(x, y, q.pal[q.idx[size_t(y) * size_t(q.w) + size_t(x)]]);
    return img;
}

void put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}

void put32(std::vector<uint8_t>& v, uint32_t x) {
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& data) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "make_art: cannot write %s\n", path.c_str());
        return false;
    }
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) std::fprintf(stderr, "make_art: error writing %s\n", path.c_str());
    return ok;
}

std::vector<uint8_t> bmp4(const Indexed& q) {
    uint32_t rowBytes = (uint32_t(q.w) + 1) / 2;
    uint32_t stride = (rowBytes + 3) & ~3u;
    uint32_t dataSize = stride * uint32_t(q.h);
    std::vector<uint8_t> v;
    v.push_back('B');
    v.push_back('M');
    put32(v, 118 + dataSize);
    put32(v, 0);
    put32(v, 118);
    put32(v, 40);
    put32(v, uint32_t(q.w));
    put32(v, uint32_t(q.h));
    put16(v, 1);
    put16(v, 4);
    put32(v, 0);
    put32(v, dataSize);
    put32(v, 2835);
    put32(v, 2835);
    put32(v, 16);
    put32(v, 0);
    for (const Col& c : q.pal) {
        v.push_back(uint8_t(c.b));
        v.push_back(uint8_t(c.g));
        v.push_back(uint8_t(c.r));
        v.push_back(0);
    }
    for (int y = q.h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < q.w; ++x) {
            uint8_t ix = q.idx[size_t(y) * size_t(q.w) + size_t(x)] & 15;
            row[size_t(x) / 2] |= (x % 2) ? ix : uint8_t(ix << 4);
        }
        v.insert(v.end(), row.begin(), row.end());
    }
    return v;
}

} // namespace art
