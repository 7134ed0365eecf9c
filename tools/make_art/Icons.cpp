#include "tools/make_art/Icons.h"

#include <algorithm>
#include <cmath>

#include "tools/png/PngFile.h"

namespace {

constexpr int kSevenSymbol = 4;
constexpr int kSamples = 4; // per pixel side, for the tile's edges

struct Rgba {
    float r, g, b, a;
};

// Signed distance from (x, y) to a rounded square centred at c with half side h and corner radius k.
float RoundedSquare(float x, float y, float c, float h, float k) {
    const float qx = std::max(std::fabs(x - c) - (h - k), 0.0f);
    const float qy = std::max(std::fabs(y - c) - (h - k), 0.0f);
    return std::hypot(qx, qy) - k;
}

// Colour "b" laid over "a" with "b"'s alpha.
Rgba Over(Rgba a, Rgba b) {
    const float alpha = b.a + a.a * (1 - b.a);
    if (alpha <= 0) return {0, 0, 0, 0};
    auto mix = [&](float ca, float cb) { return (cb * b.a + ca * a.a * (1 - b.a)) / alpha; };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b), alpha};
}

// The tile at one point (design units: the icon is 1 x 1): a gold frame
// shaded from light at the top to dark at the bottom around a white reel
// window, which darkens towards its top and bottom edges like a drum.
Rgba Tile(float x, float y) {
    const float outside = RoundedSquare(x, y, 0.5f, 0.47f, 0.16f);
    if (outside > 0) return {0, 0, 0, 0};
    if (outside > -0.012f) return {70, 40, 8, 1}; // the dark rim
    if (RoundedSquare(x, y, 0.5f, 0.38f, 0.08f) > 0) return {250 - 70 * y, 214 - 90 * y, 90 - 70 * y, 1};
    const float drum = 1 - 0.28f * std::pow(std::fabs(y - 0.5f) / 0.38f, 2.0f);
    return {255 * drum, 255 * drum, 250 * drum, 1};
}

std::vector<uint8_t> DrawIcon(int size, const SymbolPainter& paintSymbol) {
    // The seven, drawn once on white and once on black: the difference gives
    // its coverage, so it can be laid on the drum shading.
    const int symbolSize = size * 3 / 4;
    const int offset = (size - symbolSize) / 2;
    const std::vector<uint8_t> onWhite = paintSymbol(kSevenSymbol, symbolSize, 255);
    const std::vector<uint8_t> onBlack = paintSymbol(kSevenSymbol, symbolSize, 0);

    std::vector<uint8_t> out(static_cast<size_t>(size) * static_cast<size_t>(size) * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Rgba sum{0, 0, 0, 0};
            for (int j = 0; j < kSamples; ++j)
                for (int i = 0; i < kSamples; ++i) {
                    const Rgba s = Tile((x + (i + 0.5f) / kSamples) / size, (y + (j + 0.5f) / kSamples) / size);
                    sum = {sum.r + s.r * s.a, sum.g + s.g * s.a, sum.b + s.b * s.a, sum.a + s.a};
                }
            Rgba px{0, 0, 0, sum.a / (kSamples * kSamples)};
            if (sum.a > 0) px = {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, px.a};

            const int sx = x - offset, sy = y - offset;
            if (sx >= 0 && sy >= 0 && sx < symbolSize && sy < symbolSize) {
                const size_t at = static_cast<size_t>(sy * symbolSize + sx) * 3;
                const float cover = 1 - (onWhite[at] - onBlack[at]) / 255.0f;
                if (cover > 0.001f) {
                    auto colour = [&](size_t k) { return onBlack[at + k] / cover; };
                    px = Over(px, {colour(0), colour(1), colour(2), cover});
                }
            }
            uint8_t* p = &out[static_cast<size_t>(y * size + x) * 4];
            const float channels[] = {px.r, px.g, px.b, px.a * 255};
            for (int k = 0; k < 4; ++k) p[k] = static_cast<uint8_t>(std::lround(std::clamp(channels[k], 0.0f, 255.0f)));
        }
    return out;
}

} // namespace

bool WriteIcons(const std::string& root, const SymbolPainter& paintSymbol) {
    bool ok = true;
    for (int size : {48, 64, 128, 256}) {
        const std::vector<uint8_t> icon = DrawIcon(size, paintSymbol);
        const std::string path = root + "dist/icons/rullomat-" + std::to_string(size) + ".png";
        ok = WritePng(path, size, size, icon.data(), 4) && ok;
    }
    return ok;
}
