// Stroke font for big text: glyphs are polylines on a grid whose capitals
// are 10 units tall (baseline y = 10, x-height top y = 3.5).
#include <map>
#include <string>
#include <vector>

#include "tools/make_art/Art.h"

namespace art {

namespace {

struct Glyph {
    float width;
    std::vector<std::vector<V2>> lines;
};

std::vector<V2> arcPts(float cx, float cy, float rx, float ry, float a0, float a1, int n = 16) {
    std::vector<V2> p;
    arcTo(p, cx, cy, rx, ry, a0, a1, n);
    return p;
}

std::vector<V2> join(std::vector<V2> a, const std::vector<V2>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::map<char, Glyph>& strokeFont() {
    static const std::map<char, Glyph> font = [] {
        std::map<char, Glyph> f;
        f['0'] = {5.6f, {arcPts(2.8f, 5, 2.8f, 5, 0, 360, 32)}};
        f['1'] = {3.2f, {{{0.2f, 2}, {2.4f, 0}, {2.4f, 10}}}};
        f['2'] = {5.6f, {join(arcPts(2.8f, 2.8f, 2.7f, 2.8f, 195, 400, 20), {{0, 10}, {5.6f, 10}})}};
        f['3'] = {
            5.4f,
            {join(arcPts(2.6f, 2.5f, 2.6f, 2.5f, 200, 450, 18), arcPts(2.6f, 7.35f, 2.75f, 2.65f, 270, 520, 18))}};
        f['4'] = {5.8f, {{{4.3f, 10}, {4.3f, 0}, {0, 6.8f}, {5.8f, 6.8f}}}};
        f['5'] = {5.5f, {join({{5.2f, 0}, {0.7f, 0}, {0.3f, 4.6f}}, arcPts(2.7f, 7.0f, 2.8f, 3.0f, 228, 512, 20))}};
        f['6'] = {5.6f,
                  {join(arcPts(3.0f, 5.6f, 3.0f, 5.6f, 292, 180, 14), arcPts(2.8f, 7.2f, 2.8f, 2.8f, 180, 540, 26))}};
        f['7'] = {5.6f, {{{0, 0}, {5.6f, 0}, {1.8f, 10}}}};
        f['8'] = {5.6f,
                  {arcPts(2.8f, 2.45f, 2.45f, 2.45f, 90, 450, 24), arcPts(2.8f, 7.3f, 2.75f, 2.7f, -90, 270, 24)}};
        f['9'] = {5.6f, {join(arcPts(2.8f, 2.8f, 2.8f, 2.8f, 0, 360, 26), arcPts(2.6f, 4.4f, 3.0f, 5.6f, 0, 112, 14))}};
        f['x'] = {5.0f, {{{0, 3.5f}, {5, 10}}, {{5, 3.5f}, {0, 10}}}};
        f['R'] = {
            5.6f,
            {join({{0, 10}, {0, 0}, {2.8f, 0}}, join(arcPts(2.8f, 2.65f, 2.65f, 2.65f, 270, 450, 16), {{0, 5.3f}})),
             {{2.7f, 5.3f}, {5.6f, 10}}}};
        f['u'] = {5.2f,
                  {join(join({{0, 3.5f}}, arcPts(2.6f, 7.4f, 2.6f, 2.6f, 180, 0, 16)), {{5.2f, 3.5f}}),
                   {{5.2f, 7.4f}, {5.2f, 10}}}};
        f['l'] = {0.0f, {{{0, 0}, {0, 10}}}};
        f['o'] = {5.8f, {arcPts(2.9f, 6.75f, 2.9f, 3.25f, 0, 360, 28)}};
        f['m'] = {8.4f,
                  {{{0, 10}, {0, 3.5f}},
                   join(join({{0, 6}}, arcPts(2.1f, 5.8f, 2.1f, 2.3f, 180, 360, 12)), {{4.2f, 10}}),
                   join(join({{4.2f, 5.8f}}, arcPts(6.3f, 5.8f, 2.1f, 2.3f, 180, 360, 12)), {{8.4f, 10}})}};
        f['a'] = {5.6f, {arcPts(2.75f, 6.75f, 2.75f, 3.25f, 0, 360, 28), {{5.6f, 3.5f}, {5.6f, 10}}}};
        f['t'] = {3.8f,
                  {join({{1.3f, 0.6f}}, join(arcPts(2.8f, 8.5f, 1.5f, 1.5f, 180, 90, 8), {{3.8f, 10}})),
                   {{0, 3.5f}, {3.6f, 3.5f}}}};
        f[' '] = {3.0f, {}};
        return f;
    }();
    return font;
}

} // namespace

TextLayout layoutText(const std::string& text, float left, float top, float capPx, float gap, float slant) {
    const auto& font = strokeFont();
    float unit = capPx / 10.0f;
    float pen = 0;
    TextLayout out;
    for (size_t i = 0; i < text.size(); ++i) {
        auto it = font.find(text[i]);
        if (it == font.end()) continue;
        for (const auto& line : it->second.lines) {
            std::vector<V2> pts;
            for (const V2& p : line) pts.push_back({left + (pen + p.x + slant * (10 - p.y)) * unit, top + p.y * unit});
            out.lines.push_back(pts);
        }
        pen += it->second.width + (i + 1 < text.size() ? gap : 0);
    }
    out.width = pen * unit;
    return out;
}

float textWidth(const std::string& text, float capPx, float gap) { return layoutText(text, 0, 0, capPx, gap).width; }

void goldText(Canvas& cv, const TextLayout& t, float thick, float rim, float top, float bottom) {
    Shape s = strokes(t.lines, thick * 0.5f);
    cv.fill(grow(s, rim + 1.3f), rgb(70, 0, 6));
    cv.fill(grow(s, rim), rgb(214, 24, 20));
    cv.fill(grow(s, 0.6f), rgb(110, 40, 4));
    Material gold{rgb(0, 0, 0)};
    gold.metal = true;
    gold.round = thick * 0.5f;
    gold.gloss = 0.7f;
    gold.shininess = 24;
    gold.diffuse = 0.7f;
    cv.fillWith(s, [&](float u, float v) {
        // Light at the top, deeper gold below, with a bright band above the
        // middle like a polished bar.
        float k = (v - top) / (bottom - top);
        Col c = shadeAt(s, gold, u, v);
        Col grad = mix(rgb(255, 246, 170), rgb(236, 140, 14), k);
        c = mix(c, grad, 0.45f);
        if (k > 0.30f && k < 0.42f) c = mix(c, rgb(255, 255, 230), 0.35f);
        return c;
    });
}

} // namespace art
