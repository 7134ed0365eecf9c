// make_art: draws the game's pictures and sounds and writes them into the
// source tree.
//
//   make_art <repo-root>
//
// Writes
//   Data/frutta96x96.bin         twelve 96 x 96 fruit symbols, raw RGB
//   Data/ding.wav, Data/beep.wav the reel tick and the warning tone
//   game/art/*.bmp               title, pay table and About pictures (4 bit)
//   controls/art/*.bmp           check-box and option-box markers (4 bit)
//   docs/art-preview.png         everything above on one sheet
//   dist/icons/rullomat-*.png    the desktop icons (make_art_icons.cpp)
//
// Everything is drawn procedurally: shapes are signed distance functions,
// rendered with 4 x 4 supersampling and shaded with a simple light from the
// upper left. The output is the same on every run (no clocks, no random
// numbers; the only noise is a fixed hash of the pixel position).
// The bitmaps then become C source through tools/bmp2c.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <vector>

#include "tools/png/PngFile.h"
#include "tools/make_art_icons.h"

namespace {

// ---------------------------------------------------------------------------
// Basic maths

constexpr float kPi = 3.14159265358979f;
constexpr double kPiD = 3.14159265358979323846;

struct V2 {
    float x, y;
};

struct Col {
    float r, g, b;
};

Col operator*(Col c, float k) { return {c.r * k, c.g * k, c.b * k}; }
Col operator+(Col a, Col b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

Col mix(Col a, Col b, float t)
{
    t = clamp01(t);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

float smoothstep(float e0, float e1, float x)
{
    float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

Col rgb(int r, int g, int b) { return {float(r), float(g), float(b)}; }

// Fixed hash of a lattice point, in [0, 1).
float hash2(int x, int y)
{
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return float(h & 0xFFFFFF) / float(0x1000000);
}

// Smooth value noise in [0, 1).
float noise(float x, float y)
{
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    float fx = x - float(ix), fy = y - float(iy);
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    float a = hash2(ix, iy), b = hash2(ix + 1, iy);
    float c = hash2(ix, iy + 1), d = hash2(ix + 1, iy + 1);
    return a + (b - a) * fx + (c - a) * fy + (a - b - c + d) * fx * fy;
}

V2 rotated(V2 p, V2 centre, float deg)
{
    float a = deg * kPi / 180.0f, c = std::cos(a), s = std::sin(a);
    float dx = p.x - centre.x, dy = p.y - centre.y;
    return {centre.x + dx * c - dy * s, centre.y + dx * s + dy * c};
}

// ---------------------------------------------------------------------------
// Shapes: signed distance (negative inside) plus a bounding box.

struct Shape {
    std::function<float(float, float)> f;
    float x0, y0, x1, y1;
    float operator()(float x, float y) const { return f(x, y); }
};

Shape circle(float cx, float cy, float r)
{
    return {[=](float x, float y) { return std::hypot(x - cx, y - cy) - r; },
            cx - r, cy - r, cx + r, cy + r};
}

Shape ellipse(float cx, float cy, float rx, float ry, float deg = 0)
{
    float a = -deg * kPi / 180.0f, c = std::cos(a), s = std::sin(a);
    float m = std::max(rx, ry);
    return {[=](float x, float y) {
                float dx = x - cx, dy = y - cy;
                float px = dx * c - dy * s, py = dx * s + dy * c;
                float k0 = std::hypot(px / rx, py / ry);
                float k1 = std::hypot(px / (rx * rx), py / (ry * ry));
                if (k1 < 1e-6f)
                    return -std::min(rx, ry);
                return k0 * (k0 - 1) / k1;
            },
            cx - m, cy - m, cx + m, cy + m};
}

float segDist(float x, float y, V2 a, V2 b)
{
    float bx = b.x - a.x, by = b.y - a.y, px = x - a.x, py = y - a.y;
    float len2 = bx * bx + by * by;
    float t = len2 > 0 ? clamp01((px * bx + py * by) / len2) : 0;
    return std::hypot(px - bx * t, py - by * t);
}

// Union of round-capped strokes along several polylines.
Shape strokes(const std::vector<std::vector<V2>>& lines, float r)
{
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    std::vector<std::array<V2, 2>> segs;
    for (const auto& l : lines) {
        for (size_t i = 0; i < l.size(); ++i) {
            x0 = std::min(x0, l[i].x);
            y0 = std::min(y0, l[i].y);
            x1 = std::max(x1, l[i].x);
            y1 = std::max(y1, l[i].y);
            if (i + 1 < l.size())
                segs.push_back({l[i], l[i + 1]});
            else if (l.size() == 1)
                segs.push_back({l[i], l[i]});
        }
    }
    return {[=](float x, float y) {
                float d = 1e9f;
                for (const auto& s : segs)
                    d = std::min(d, segDist(x, y, s[0], s[1]));
                return d - r;
            },
            x0 - r, y0 - r, x1 + r, y1 + r};
}

Shape stroke(const std::vector<V2>& line, float r) { return strokes({line}, r); }

Shape polygon(const std::vector<V2>& p)
{
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (const V2& v : p) {
        x0 = std::min(x0, v.x);
        y0 = std::min(y0, v.y);
        x1 = std::max(x1, v.x);
        y1 = std::max(y1, v.y);
    }
    return {[=](float x, float y) {
                float d = 1e9f;
                bool inside = false;
                size_t n = p.size();
                for (size_t i = 0, j = n - 1; i < n; j = i++) {
                    d = std::min(d, segDist(x, y, p[j], p[i]));
                    if ((p[i].y > y) != (p[j].y > y) &&
                        x < (p[j].x - p[i].x) * (y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
                        inside = !inside;
                }
                return inside ? -d : d;
            },
            x0, y0, x1, y1};
}

Shape unite(const Shape& a, const Shape& b)
{
    return {[=](float x, float y) { return std::min(a(x, y), b(x, y)); },
            std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1),
            std::max(a.y1, b.y1)};
}

Shape smoothUnite(const Shape& a, const Shape& b, float k)
{
    return {[=](float x, float y) {
                float da = a(x, y), db = b(x, y);
                float h = clamp01(0.5f + 0.5f * (db - da) / k);
                return db + (da - db) * h - k * h * (1 - h);
            },
            std::min(a.x0, b.x0) - k, std::min(a.y0, b.y0) - k,
            std::max(a.x1, b.x1) + k, std::max(a.y1, b.y1) + k};
}

Shape intersect(const Shape& a, const Shape& b)
{
    return {[=](float x, float y) { return std::max(a(x, y), b(x, y)); },
            std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1),
            std::min(a.y1, b.y1)};
}

Shape subtract(const Shape& a, const Shape& b)
{
    return {[=](float x, float y) { return std::max(a(x, y), -b(x, y)); },
            a.x0, a.y0, a.x1, a.y1};
}

Shape grow(const Shape& a, float r)
{
    return {[=](float x, float y) { return a(x, y) - r; }, a.x0 - r, a.y0 - r,
            a.x1 + r, a.y1 + r};
}

Shape star(float cx, float cy, float rOut, float rIn, int n, float deg = -90)
{
    std::vector<V2> p;
    for (int i = 0; i < 2 * n; ++i) {
        float a = (deg + 180.0f * float(i) / float(n)) * kPi / 180.0f;
        float r = (i % 2) ? rIn : rOut;
        p.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return polygon(p);
}

// Path helpers: curves appended to a point list.
void cubicTo(std::vector<V2>& p, V2 c1, V2 c2, V2 e, int n = 20)
{
    V2 s = p.back();
    for (int i = 1; i <= n; ++i) {
        float t = float(i) / float(n), u = 1 - t;
        float a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        p.push_back({a * s.x + b * c1.x + c * c2.x + d * e.x,
                     a * s.y + b * c1.y + c * c2.y + d * e.y});
    }
}

void quadTo(std::vector<V2>& p, V2 c, V2 e, int n = 16)
{
    V2 s = p.back();
    for (int i = 1; i <= n; ++i) {
        float t = float(i) / float(n), u = 1 - t;
        p.push_back({u * u * s.x + 2 * u * t * c.x + t * t * e.x,
                     u * u * s.y + 2 * u * t * c.y + t * t * e.y});
    }
}

// Points of an elliptic arc; angles in degrees, y grows downwards.
void arcTo(std::vector<V2>& p, float cx, float cy, float rx, float ry, float a0, float a1,
           int n = 16)
{
    for (int i = 0; i <= n; ++i) {
        float a = (a0 + (a1 - a0) * float(i) / float(n)) * kPi / 180.0f;
        p.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
}

std::vector<V2> mirrorClose(const std::vector<V2>& half, float axis)
{
    std::vector<V2> p = half;
    for (size_t i = half.size(); i-- > 0;)
        p.push_back({2 * axis - half[i].x, half[i].y});
    return p;
}

// A leaf: two arcs meeting at base and tip, with the given half width.
Shape leaf(V2 base, V2 tip, float halfWidth)
{
    float dx = tip.x - base.x, dy = tip.y - base.y;
    float len = std::hypot(dx, dy);
    float nx = -dy / len, ny = dx / len;
    V2 m1 = {base.x + dx * 0.45f + nx * halfWidth * 1.3f, base.y + dy * 0.45f + ny * halfWidth * 1.3f};
    V2 m2 = {base.x + dx * 0.45f - nx * halfWidth * 1.3f, base.y + dy * 0.45f - ny * halfWidth * 1.3f};
    std::vector<V2> p = {base};
    quadTo(p, m1, tip);
    quadTo(p, m2, base);
    return polygon(p);
}

// ---------------------------------------------------------------------------
// Supersampled canvas. Shapes are given in design units; (ox, oy, sc) maps
// them to pixels: pixel = o + sc * design.

struct Image {
    int w = 0, h = 0;
    std::vector<uint8_t> rgb;
    Image() = default;
    Image(int w_, int h_, Col c) : w(w_), h(h_), rgb(size_t(w_) * size_t(h_) * 3)
    {
        for (int i = 0; i < w * h; ++i) {
            rgb[size_t(i) * 3] = uint8_t(c.r);
            rgb[size_t(i) * 3 + 1] = uint8_t(c.g);
            rgb[size_t(i) * 3 + 2] = uint8_t(c.b);
        }
    }
    Col at(int x, int y) const
    {
        const uint8_t* p = &rgb[(size_t(y) * size_t(w) + size_t(x)) * 3];
        return ::rgb(p[0], p[1], p[2]);
    }
    void set(int x, int y, Col c)
    {
        uint8_t* p = &rgb[(size_t(y) * size_t(w) + size_t(x)) * 3];
        p[0] = uint8_t(std::lround(std::clamp(c.r, 0.0f, 255.0f)));
        p[1] = uint8_t(std::lround(std::clamp(c.g, 0.0f, 255.0f)));
        p[2] = uint8_t(std::lround(std::clamp(c.b, 0.0f, 255.0f)));
    }
    void blit(const Image& src, int dx, int dy, int scale = 1)
    {
        for (int y = 0; y < src.h * scale; ++y)
            for (int x = 0; x < src.w * scale; ++x)
                if (dx + x >= 0 && dy + y >= 0 && dx + x < w && dy + y < h)
                    set(dx + x, dy + y, src.at(x / scale, y / scale));
    }
};

constexpr int kSS = 4;

struct Canvas {
    int w, h;
    std::vector<Col> px;
    float ox = 0, oy = 0, sc = 1;

    Canvas(int w_, int h_, Col bg) : w(w_), h(h_), px(size_t(w_ * kSS) * size_t(h_ * kSS), bg) {}

    void place(float x, float y, float scale)
    {
        ox = x;
        oy = y;
        sc = scale;
    }

    // Calls fn(sample, u, v) for every sample whose centre lies in the box.
    template <class Fn>
    void each(const Shape& s, Fn fn)
    {
        int W = w * kSS, H = h * kSS;
        int i0 = std::max(0, int(std::floor((ox + s.x0 * sc) * kSS)) - 1);
        int j0 = std::max(0, int(std::floor((oy + s.y0 * sc) * kSS)) - 1);
        int i1 = std::min(W - 1, int(std::ceil((ox + s.x1 * sc) * kSS)) + 1);
        int j1 = std::min(H - 1, int(std::ceil((oy + s.y1 * sc) * kSS)) + 1);
        for (int j = j0; j <= j1; ++j)
            for (int i = i0; i <= i1; ++i) {
                float u = ((float(i) + 0.5f) / kSS - ox) / sc;
                float v = ((float(j) + 0.5f) / kSS - oy) / sc;
                fn(px[size_t(j) * size_t(W) + size_t(i)], u, v);
            }
    }

    void fill(const Shape& s, Col c, float alpha = 1)
    {
        each(s, [&](Col& p, float u, float v) {
            if (s(u, v) <= 0)
                p = mix(p, c, alpha);
        });
    }

    void fillWith(const Shape& s, const std::function<Col(float, float)>& shade, float alpha = 1)
    {
        each(s, [&](Col& p, float u, float v) {
            if (s(u, v) <= 0)
                p = mix(p, shade(u, v), alpha);
        });
    }

    // Soft-edged fill: full strength deep inside, fading over `soft` units.
    void glow(const Shape& s, Col c, float alpha, float soft)
    {
        Shape box = grow(s, soft);
        each(box, [&](Col& p, float u, float v) {
            float a = alpha * (1 - smoothstep(-soft, soft, s(u, v)));
            if (a > 0)
                p = mix(p, c, a);
        });
    }

    // Soft darkening, used for cast shadows (works on any background).
    void shadow(const Shape& s, float strength, float soft)
    {
        Shape box = grow(s, soft);
        each(box, [&](Col& p, float u, float v) {
            float a = strength * (1 - smoothstep(-soft, soft, s(u, v)));
            if (a > 0)
                p = p * (1 - a);
        });
    }

    Image resolve() const
    {
        Image out(w, h, {0, 0, 0});
        int W = w * kSS;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                Col acc{0, 0, 0};
                for (int j = 0; j < kSS; ++j)
                    for (int i = 0; i < kSS; ++i)
                        acc = acc + px[size_t(y * kSS + j) * size_t(W) + size_t(x * kSS + i)];
                out.set(x, y, acc * (1.0f / (kSS * kSS)));
            }
        return out;
    }
};

// ---------------------------------------------------------------------------
// Shading. The surface of a shape is modelled as a rounded cushion: flat in
// the middle and curving down to the outline over `round` units, so a circle
// with round = radius is lit like a sphere.

struct Material {
    Col base;
    float ambient = 0.42f;
    float diffuse = 0.70f;
    float gloss = 0.55f;
    float shininess = 28;
    float round = 10;
    bool metal = false;  // colour comes from the gold ramp instead of `base`
};

struct N3 {
    float x, y, z;
};

N3 surfaceNormal(const Shape& s, float u, float v, float round)
{
    const float e = 0.3f;
    float d = s(u, v);
    float gx = s(u + e, v) - s(u - e, v), gy = s(u, v + e) - s(u, v - e);
    float gl = std::hypot(gx, gy);
    if (gl < 1e-6f)
        return {0, 0, 1};
    gx /= gl;
    gy /= gl;
    float t = clamp01(-d / round);
    float hz = 1 - t;
    hz = hz * 0.96f;
    return {gx * hz, gy * hz, std::sqrt(1 - hz * hz)};
}

const N3 kLight = [] {
    float x = -0.5f, y = -0.62f, z = 0.6f, l = std::sqrt(x * x + y * y + z * z);
    return N3{x / l, y / l, z / l};
}();

Col goldRamp(float t)
{
    static const std::array<std::pair<float, Col>, 6> stops = {{
        {0.00f, rgb(92, 48, 6)},
        {0.30f, rgb(176, 104, 14)},
        {0.52f, rgb(228, 162, 30)},
        {0.72f, rgb(248, 198, 50)},
        {0.88f, rgb(255, 230, 122)},
        {1.00f, rgb(255, 252, 226)},
    }};
    t = clamp01(t);
    for (size_t i = 1; i < stops.size(); ++i)
        if (t <= stops[i].first)
            return mix(stops[i - 1].second, stops[i].second,
                       (t - stops[i - 1].first) / (stops[i].first - stops[i - 1].first));
    return stops.back().second;
}

Col shadeAt(const Shape& s, const Material& m, float u, float v)
{
    N3 n = surfaceNormal(s, u, v, m.round);
    float nl = n.x * kLight.x + n.y * kLight.y + n.z * kLight.z;
    float diff = std::max(0.0f, nl);
    N3 h{kLight.x, kLight.y, kLight.z + 1};
    float hl = std::sqrt(h.x * h.x + h.y * h.y + h.z * h.z);
    float nh = std::max(0.0f, (n.x * h.x + n.y * h.y + n.z * h.z) / hl);
    float sheen = std::pow(nh, m.shininess) * m.gloss;
    Col c;
    if (m.metal) {
        // A little horizon band makes the metal read as reflective.
        float band = 0.10f * std::sin(n.y * 5.0f + 0.6f);
        c = goldRamp(m.ambient * 0.6f + m.diffuse * diff + band);
    } else {
        c = m.base * (m.ambient + m.diffuse * diff);
    }
    return c + Col{255, 255, 255} * sheen;
}

void lit(Canvas& cv, const Shape& s, const Material& m)
{
    cv.fillWith(s, [&](float u, float v) { return shadeAt(s, m, u, v); });
}

const Col kOutline = rgb(28, 22, 22);

// Dark outline of width `ow`, then the lit shape on top.
void outlined(Canvas& cv, const Shape& s, const Material& m, float ow = 2.0f,
              Col oc = kOutline)
{
    cv.fill(grow(s, ow), oc);
    lit(cv, s, m);
}

// A glint of light on a surface: soft white ellipse clipped to the body.
void glint(Canvas& cv, const Shape& body, float cx, float cy, float rx, float ry, float deg,
           float alpha)
{
    Shape g = intersect(ellipse(cx, cy, rx, ry, deg), grow(body, -1.0f));
    cv.glow(g, {255, 255, 255}, alpha, std::min(rx, ry) * 0.6f);
}

// Four-pointed twinkle. On a light background it gets a gold body and a
// darker rim so it stays visible; on the symbol itself it is pure white.
void sparkle(Canvas& cv, float x, float y, float r, bool onLight)
{
    Shape big = star(x, y, r, r * 0.2f, 4);
    Shape small = star(x, y, r * 0.5f, r * 0.14f, 4, -45);
    Shape both = unite(big, small);
    if (onLight) {
        cv.fill(grow(both, 0.9f), rgb(196, 116, 8));
        cv.fillWith(both, [=](float u, float v) {
            float d = std::hypot(u - x, v - y) / r;
            return mix(rgb(255, 255, 236), rgb(255, 196, 24), d * 1.4f);
        });
    } else {
        cv.glow(circle(x, y, r * 0.25f), {255, 255, 255}, 0.7f, r * 0.35f);
        cv.fill(both, {255, 255, 250});
    }
}

void castShadow(Canvas& cv, float cx, float cy, float rx, float ry)
{
    cv.shadow(ellipse(cx, cy, rx, ry), 0.16f, ry * 1.2f);
}

// Stem: a brown-green cushioned stroke.
void stem(Canvas& cv, const std::vector<V2>& line, float r, Col c)
{
    Material m{c};
    m.round = r;
    m.gloss = 0.25f;
    outlined(cv, stroke(line, r), m, 1.6f);
}

void greenLeaf(Canvas& cv, V2 base, V2 tip, float halfWidth, Col c = rgb(64, 168, 52))
{
    Shape l = leaf(base, tip, halfWidth);
    Material m{c};
    m.round = halfWidth * 0.9f;
    m.gloss = 0.3f;
    outlined(cv, l, m, 1.6f);
    // Mid rib.
    V2 a = {base.x + (tip.x - base.x) * 0.1f, base.y + (tip.y - base.y) * 0.1f};
    V2 b = {base.x + (tip.x - base.x) * 0.85f, base.y + (tip.y - base.y) * 0.85f};
    cv.fill(intersect(stroke({a, b}, 0.7f), l), mix(c, rgb(20, 60, 20), 0.55f));
}

// ---------------------------------------------------------------------------
// The twelve reel symbols, drawn in a 96 x 96 design space.

void symCherries(Canvas& cv)
{
    castShadow(cv, 48, 89, 36, 4);
    // Stems from the two cherries up to a common joint, with a leaf.
    std::vector<V2> s1 = {{30, 56}};
    quadTo(s1, {34, 30}, {58, 14});
    std::vector<V2> s2 = {{63, 62}};
    quadTo(s2, {62, 34}, {58, 14});
    stem(cv, s1, 2.3f, rgb(96, 128, 40));
    stem(cv, s2, 2.3f, rgb(96, 128, 40));
    greenLeaf(cv, {59, 15}, {86, 12}, 8);
    stem(cv, {{55, 12}, {61, 16}}, 3.2f, rgb(110, 90, 40));

    Material red{rgb(214, 20, 34)};
    red.round = 19;
    red.gloss = 0.8f;
    red.shininess = 40;
    Shape left = circle(31, 68, 19);
    Shape right = circle(63, 72, 19);
    outlined(cv, left, red);
    glint(cv, left, 23, 60, 5, 3.5f, -35, 0.8f);
    outlined(cv, right, red);
    glint(cv, right, 55, 64, 5, 3.5f, -35, 0.8f);
    // The dimples where the stems go in.
    cv.fill(intersect(stroke({{26, 51}, {31, 52}, {35, 51}}, 0.9f), left), rgb(120, 10, 20));
    cv.fill(intersect(stroke({{58, 55}, {63, 56}, {67, 55}}, 0.9f), right), rgb(120, 10, 20));
}

void symLemon(Canvas& cv)
{
    castShadow(cv, 48, 86, 36, 4);
    const float ang = -22;
    V2 c = {48, 52};
    V2 tipA = rotated({c.x + 40, c.y}, c, ang), tipB = rotated({c.x - 40, c.y}, c, ang);
    V2 inA = rotated({c.x + 28, c.y}, c, ang), inB = rotated({c.x - 28, c.y}, c, ang);
    Shape body = ellipse(c.x, c.y, 34, 25, ang);
    body = smoothUnite(body, stroke({inA, tipA}, 4.2f), 6);
    body = smoothUnite(body, stroke({inB, tipB}, 4.2f), 6);
    cv.fill(grow(body, 2.0f), kOutline);
    Material m{rgb(252, 218, 36)};
    m.round = 22;
    m.gloss = 0.45f;
    m.shininess = 18;
    cv.fillWith(body, [&](float u, float v) {
        Col base = shadeAt(body, m, u, v);
        float pores = noise(u * 0.9f, v * 0.9f) * 0.08f;
        return base * (0.96f + pores);
    });
    glint(cv, body, 34, 38, 10, 4, ang, 0.75f);
    greenLeaf(cv, {tipA.x - 6, tipA.y + 1}, {tipA.x + 2, tipA.y - 20}, 5);
}

void symBell(Canvas& cv)
{
    castShadow(cv, 48, 90, 36, 3.5f);
    // Right half of the bell outline, mirrored.
    std::vector<V2> half = {{48, 17}};
    cubicTo(half, {62, 17}, {68, 26}, {68, 40});
    cubicTo(half, {68, 56}, {72, 66}, {86, 72});
    cubicTo(half, {88, 78}, {72, 80}, {48, 80});
    Shape body = polygon(mirrorClose(half, 48));
    Shape rim = stroke({{15, 75}, {81, 75}}, 5.5f);
    Shape knob = circle(48, 13, 5.5f);
    Shape clapper = circle(48, 83, 7.5f);
    Material gold{rgb(0, 0, 0)};
    gold.metal = true;
    gold.round = 16;
    gold.gloss = 0.9f;
    gold.shininess = 36;
    gold.ambient = 0.35f;
    gold.diffuse = 0.85f;

    cv.fill(grow(unite(unite(body, rim), unite(knob, clapper)), 2.2f), kOutline);
    Material cl = gold;
    cl.round = 7.5f;
    lit(cv, clapper, cl);
    Material kn = gold;
    kn.round = 5.5f;
    lit(cv, knob, kn);
    lit(cv, body, gold);
    Material rm = gold;
    rm.round = 5.5f;
    cv.fill(grow(rim, 1.2f), rgb(110, 60, 8));
    lit(cv, rim, rm);
    // Long vertical shine and a couple of twinkles.
    glint(cv, body, 36, 46, 4, 18, 8, 0.85f);
    glint(cv, body, 60, 32, 2.5f, 6, -20, 0.5f);
    sparkle(cv, 58, 56, 7, false);
    sparkle(cv, 16, 22, 9, true);
    sparkle(cv, 82, 30, 6.5f, true);
    sparkle(cv, 86, 52, 4, true);
}

void symOrange(Canvas& cv)
{
    castShadow(cv, 48, 89, 34, 4);
    Shape body = circle(48, 55, 33);
    cv.fill(grow(body, 2.0f), kOutline);
    Material m{rgb(252, 138, 18)};
    m.round = 33;
    m.gloss = 0.5f;
    m.shininess = 22;
    cv.fillWith(body, [&](float u, float v) {
        Col base = shadeAt(body, m, u, v);
        float dimple = noise(u * 1.3f, v * 1.3f);
        return base * (0.93f + 0.1f * dimple);
    });
    glint(cv, body, 35, 40, 8, 5, -40, 0.7f);
    // Navel where the stalk was.
    cv.fill(star(48, 24, 3.2f, 1.2f, 5), rgb(150, 80, 10));
    stem(cv, {{48, 23}, {49, 16}}, 2.4f, rgb(100, 120, 40));
    greenLeaf(cv, {49, 18}, {74, 8}, 7.5f);
}

void symSeven(Canvas& cv)
{
    castShadow(cv, 44, 90, 30, 3.5f);
    std::vector<V2> p = {{17, 13}, {80, 13}, {80, 26}};
    cubicTo(p, {66, 40}, {56, 60}, {54, 84});
    p.push_back({32, 84});
    cubicTo(p, {34, 60}, {44, 42}, {57, 29});
    p.push_back({31, 29});
    p.push_back({29, 36});
    p.push_back({17, 36});
    Shape seven = grow(polygon(p), 1.5f);

    Material gold{rgb(0, 0, 0)};
    gold.metal = true;
    gold.round = 5;
    gold.gloss = 0.9f;
    gold.shininess = 30;
    Material red{rgb(222, 18, 28)};
    red.round = 7;
    red.gloss = 0.85f;
    red.shininess = 34;
    red.ambient = 0.5f;

    cv.fill(grow(seven, 8.0f), kOutline);
    Shape rimShape = grow(seven, 6.0f);
    lit(cv, rimShape, gold);
    cv.fill(grow(seven, 1.2f), rgb(120, 10, 16));
    lit(cv, seven, red);
    glint(cv, seven, 40, 18, 16, 2.5f, 0, 0.75f);
    glint(cv, seven, 52, 50, 2.5f, 10, 30, 0.55f);
    sparkle(cv, 82, 62, 10, true);
    sparkle(cv, 14, 56, 7, true);
    sparkle(cv, 74, 86, 5, true);
    sparkle(cv, 24, 20, 5, false);
}

void symPlum(Canvas& cv)
{
    castShadow(cv, 48, 89, 32, 4);
    Shape body = ellipse(48, 57, 31, 32, 15);
    cv.fill(grow(body, 2.0f), kOutline);
    Material m{rgb(92, 58, 168)};
    m.round = 30;
    m.gloss = 0.45f;
    m.shininess = 16;
    m.ambient = 0.45f;
    lit(cv, body, m);
    // The crease down the side.
    std::vector<V2> crease = {{46, 27}};
    cubicTo(crease, {38, 44}, {38, 68}, {50, 87});
    cv.glow(intersect(stroke(crease, 1.2f), body), rgb(40, 20, 80), 0.7f, 1.2f);
    // Bloom: a waxy pale sheen.
    glint(cv, body, 62, 44, 9, 12, 20, 0.35f);
    glint(cv, body, 32, 44, 5, 8, 20, 0.6f);
    stem(cv, {{47, 27}, {50, 10}}, 2.2f, rgb(110, 80, 40));
    greenLeaf(cv, {50, 16}, {76, 14}, 7);
}

void symWatermelon(Canvas& cv)
{
    castShadow(cv, 48, 90, 36, 3.5f);
    // A wedge with its point up and the rind along the bottom arc.
    V2 apex = {48, 4};
    auto wedge = [&](float r) {
        std::vector<V2> p = {apex};
        arcTo(p, apex.x, apex.y, r, r, 90 + 30, 90 - 30, 40);
        return polygon(p);
    };
    Shape outer = wedge(84);
    cv.fill(grow(outer, 2.0f), kOutline);
    Material rind{rgb(40, 130, 50)};
    rind.round = 4;
    rind.gloss = 0.3f;
    lit(cv, outer, rind);
    cv.fill(wedge(80), rgb(150, 210, 110));
    cv.fill(wedge(77), rgb(236, 246, 210));
    Shape flesh = wedge(74);
    Material red{rgb(236, 44, 60)};
    red.round = 6;
    red.gloss = 0.25f;
    cv.fillWith(flesh, [&](float u, float v) {
        Col base = shadeAt(flesh, red, u, v);
        return base * (0.95f + 0.08f * noise(u * 0.7f, v * 0.7f));
    });
    // Seeds.
    const V2 seeds[] = {{48, 40}, {40, 56}, {56, 56}, {32, 70}, {48, 70}, {64, 70}};
    for (const V2& s : seeds) {
        float ang = (s.x - 48) * 0.9f;
        std::vector<V2> tear = {{s.x, s.y - 4.5f}};
        quadTo(tear, {s.x + 4.5f, s.y + 2}, {s.x, s.y + 3.5f}, 8);
        quadTo(tear, {s.x - 4.5f, s.y + 2}, {s.x, s.y - 4.5f}, 8);
        for (V2& t : tear)
            t = rotated(t, s, ang);
        Shape seed = polygon(tear);
        cv.fill(seed, rgb(46, 26, 20));
        cv.fill(intersect(circle(s.x - 1, s.y - 0.5f, 1.1f), seed), rgb(150, 120, 110));
    }
    glint(cv, flesh, 36, 40, 3, 12, 20, 0.35f);
}

void symGrapes(Canvas& cv)
{
    castShadow(cv, 48, 90, 20, 3.5f);
    stem(cv, {{50, 26}, {52, 14}, {58, 7}}, 2.4f, rgb(110, 80, 40));
    greenLeaf(cv, {50, 18}, {20, 14}, 8.5f);
    Material m{rgb(150, 40, 150)};
    m.round = 10.5f;
    m.gloss = 0.7f;
    m.shininess = 34;
    m.ambient = 0.4f;
    const V2 berries[] = {{24, 34}, {42, 31}, {60, 31}, {77, 35}, {33, 49}, {51, 48},
                          {69, 50}, {41, 64}, {60, 64}, {50, 79}};
    for (const V2& b : berries) {
        Shape s = circle(b.x, b.y, 10.5f);
        outlined(cv, s, m, 1.8f);
        glint(cv, s, b.x - 4, b.y - 4.5f, 2.8f, 1.8f, -35, 0.85f);
    }
}

void symStrawberry(Canvas& cv)
{
    castShadow(cv, 48, 90, 24, 3.5f);
    std::vector<V2> half = {{48, 88}};
    cubicTo(half, {34, 84}, {14, 60}, {15, 42});
    cubicTo(half, {16, 26}, {32, 22}, {48, 26});
    std::vector<V2> pts = half;
    for (size_t i = half.size(); i-- > 1;)
        pts.push_back({96 - half[i].x, half[i].y});
    Shape body = polygon(pts);
    cv.fill(grow(body, 2.0f), kOutline);
    Material m{rgb(228, 28, 44)};
    m.round = 22;
    m.gloss = 0.55f;
    m.shininess = 26;
    lit(cv, body, m);
    // Seeds in a staggered grid, each sitting in a small dimple.
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 8; ++col) {
            float x = 20.0f + float(col) * 8.0f + ((row % 2) ? 4.0f : 0.0f);
            float y = 38.0f + float(row) * 6.5f;
            if (body(x, y) > -3.5f)
                continue;
            float ang = (x - 48) * 1.2f;
            cv.fill(ellipse(x, y + 0.8f, 2.2f, 2.6f, ang), rgb(160, 10, 24));
            cv.fill(ellipse(x, y, 1.2f, 1.9f, ang), rgb(255, 222, 96));
        }
    glint(cv, body, 30, 42, 4, 8, 25, 0.6f);
    // Green cap: a star of leaves and a stalk.
    Shape cap = star(48, 27, 19, 7, 6, -75);
    Material g{rgb(60, 164, 48)};
    g.round = 4;
    g.gloss = 0.3f;
    outlined(cv, smoothUnite(cap, ellipse(48, 26, 10, 5), 3), g, 1.6f);
    stem(cv, {{48, 24}, {50, 9}}, 2.4f, rgb(70, 130, 40));
}

void symBanana(Canvas& cv)
{
    castShadow(cv, 50, 88, 32, 3.5f);
    std::vector<V2> p = {{13, 22}};
    cubicTo(p, {8, 70}, {54, 96}, {85, 54});
    p.push_back({88, 44});
    cubicTo(p, {62, 60}, {30, 54}, {21, 19});
    Shape body = grow(polygon(p), 1.5f);
    cv.fill(grow(body, 2.0f), kOutline);
    Material m{rgb(252, 212, 44)};
    m.round = 10;
    m.gloss = 0.45f;
    m.shininess = 22;
    lit(cv, body, m);
    // A ridge along the fruit and a long shine above it.
    std::vector<V2> ridge = {{17, 24}};
    cubicTo(ridge, {16, 64}, {54, 84}, {85, 49});
    cv.glow(intersect(stroke(ridge, 0.8f), body), rgb(196, 140, 16), 0.6f, 1.0f);
    std::vector<V2> shine = {{20, 36}};
    cubicTo(shine, {24, 58}, {44, 68}, {62, 66});
    cv.glow(intersect(stroke(shine, 1.4f), grow(body, -2)), rgb(255, 255, 240), 0.75f, 1.6f);
    // Dark tip and the stalk.
    cv.fill(intersect(circle(17, 18, 5.5f), body), rgb(92, 60, 26));
    stem(cv, {{86, 48}, {90, 38}, {88, 33}}, 3.2f, rgb(130, 150, 60));
    cv.fill(circle(88, 33, 2.8f), rgb(90, 70, 30));
}

void symPear(Canvas& cv)
{
    castShadow(cv, 48, 89, 30, 4);
    Shape body = smoothUnite(circle(48, 62, 26), circle(47, 34, 14), 16);
    cv.fill(grow(body, 2.0f), kOutline);
    Material m{rgb(182, 206, 58)};
    m.round = 22;
    m.gloss = 0.45f;
    m.shininess = 20;
    cv.fillWith(body, [&](float u, float v) {
        Col base = shadeAt(body, m, u, v);
        // A warm blush on the right side and a few freckles.
        float blush = clamp01(1 - std::hypot(u - 64, v - 60) / 22) * 0.45f;
        base = mix(base, rgb(214, 110, 40), blush);
        float fr = hash2(int(u * 0.8f), int(v * 0.8f)) > 0.96f ? 0.85f : 1.0f;
        return base * fr;
    });
    glint(cv, body, 36, 52, 5, 11, 15, 0.6f);
    stem(cv, {{47, 22}, {49, 14}, {55, 7}}, 2.4f, rgb(110, 80, 40));
    greenLeaf(cv, {50, 14}, {74, 18}, 6.5f);
}

void symClover(Canvas& cv)
{
    castShadow(cv, 50, 90, 26, 3.5f);
    V2 c = {48, 42};
    std::vector<V2> st = {{48, 46}};
    quadTo(st, {50, 70}, {62, 86});
    Material g{rgb(42, 164, 64)};
    g.round = 9;
    g.gloss = 0.4f;
    g.shininess = 20;
    stem(cv, st, 2.6f, rgb(40, 140, 54));
    // Four heart-shaped leaves, their points meeting in the middle.
    std::vector<Shape> leaves;
    std::vector<V2> dirs;
    for (int i = 0; i < 4; ++i) {
        float a = (45.0f + 90.0f * float(i)) * kPi / 180.0f;
        float dx = std::cos(a), dy = std::sin(a), nx = -dy, ny = dx;
        dirs.push_back({dx, dy});
        Shape l1 = circle(c.x + dx * 21 + nx * 8.5f, c.y + dy * 21 + ny * 8.5f, 10.5f);
        Shape l2 = circle(c.x + dx * 21 - nx * 8.5f, c.y + dy * 21 - ny * 8.5f, 10.5f);
        Shape point = polygon({{c.x + dx * 2, c.y + dy * 2},
                               {c.x + dx * 20 + nx * 15, c.y + dy * 20 + ny * 15},
                               {c.x + dx * 20 - nx * 15, c.y + dy * 20 - ny * 15}});
        leaves.push_back(smoothUnite(unite(l1, l2), point, 3));
    }
    for (int i = 0; i < 4; ++i) {
        const Shape& l = leaves[size_t(i)];
        V2 d = dirs[size_t(i)];
        outlined(cv, l, g, 1.8f);
        // Vein from the middle to the notch.
        Shape vein = stroke({{c.x + d.x * 6, c.y + d.y * 6}, {c.x + d.x * 26, c.y + d.y * 26}}, 1.0f);
        cv.glow(intersect(vein, grow(l, -1)), rgb(20, 100, 40), 0.8f, 0.6f);
    }
    Material hub = g;
    hub.round = 4;
    outlined(cv, circle(c.x, c.y, 4), hub, 1.2f);
    glint(cv, leaves[2], 30, 26, 5, 3, -30, 0.6f);
}

using SymbolFn = void (*)(Canvas&);
const SymbolFn kSymbols[12] = {symCherries, symLemon,      symBell,   symOrange,
                               symSeven,    symPlum,       symWatermelon, symGrapes,
                               symStrawberry, symBanana,   symPear,   symClover};
const char* const kSymbolNames[12] = {"cherries", "lemon", "gold bell", "orange",
                                      "red seven", "plum", "watermelon", "grapes",
                                      "strawberry", "banana", "pear", "clover"};

Image drawSymbol(int i)
{
    Canvas cv(96, 96, {255, 255, 255});
    kSymbols[i](cv);
    return cv.resolve();
}

// ---------------------------------------------------------------------------
// Stroke font for big text: glyphs are polylines on a grid whose capitals
// are 10 units tall (baseline y = 10, x-height top y = 3.5).

struct Glyph {
    float width;
    std::vector<std::vector<V2>> lines;
};

std::vector<V2> arcPts(float cx, float cy, float rx, float ry, float a0, float a1, int n = 16)
{
    std::vector<V2> p;
    arcTo(p, cx, cy, rx, ry, a0, a1, n);
    return p;
}

std::vector<V2> join(std::vector<V2> a, const std::vector<V2>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::map<char, Glyph>& strokeFont()
{
    static const std::map<char, Glyph> font = [] {
        std::map<char, Glyph> f;
        f['0'] = {5.6f, {arcPts(2.8f, 5, 2.8f, 5, 0, 360, 32)}};
        f['1'] = {3.2f, {{{0.2f, 2}, {2.4f, 0}, {2.4f, 10}}}};
        f['2'] = {5.6f, {join(arcPts(2.8f, 2.8f, 2.7f, 2.8f, 195, 400, 20), {{0, 10}, {5.6f, 10}})}};
        f['3'] = {5.4f, {join(arcPts(2.6f, 2.5f, 2.6f, 2.5f, 200, 450, 18),
                              arcPts(2.6f, 7.35f, 2.75f, 2.65f, 270, 520, 18))}};
        f['4'] = {5.8f, {{{4.3f, 10}, {4.3f, 0}, {0, 6.8f}, {5.8f, 6.8f}}}};
        f['5'] = {5.5f, {join({{5.2f, 0}, {0.7f, 0}, {0.3f, 4.6f}},
                              arcPts(2.7f, 7.0f, 2.8f, 3.0f, 228, 512, 20))}};
        f['6'] = {5.6f, {join(arcPts(3.0f, 5.6f, 3.0f, 5.6f, 292, 180, 14),
                              arcPts(2.8f, 7.2f, 2.8f, 2.8f, 180, 540, 26))}};
        f['7'] = {5.6f, {{{0, 0}, {5.6f, 0}, {1.8f, 10}}}};
        f['8'] = {5.6f, {arcPts(2.8f, 2.45f, 2.45f, 2.45f, 90, 450, 24),
                         arcPts(2.8f, 7.3f, 2.75f, 2.7f, -90, 270, 24)}};
        f['9'] = {5.6f, {join(arcPts(2.8f, 2.8f, 2.8f, 2.8f, 0, 360, 26),
                              arcPts(2.6f, 4.4f, 3.0f, 5.6f, 0, 112, 14))}};
        f['x'] = {5.0f, {{{0, 3.5f}, {5, 10}}, {{5, 3.5f}, {0, 10}}}};
        f['R'] = {5.6f, {join({{0, 10}, {0, 0}, {2.8f, 0}},
                              join(arcPts(2.8f, 2.65f, 2.65f, 2.65f, 270, 450, 16),
                                   {{0, 5.3f}})),
                         {{2.7f, 5.3f}, {5.6f, 10}}}};
        f['u'] = {5.2f, {join(join({{0, 3.5f}}, arcPts(2.6f, 7.4f, 2.6f, 2.6f, 180, 0, 16)),
                              {{5.2f, 3.5f}}),
                         {{5.2f, 7.4f}, {5.2f, 10}}}};
        f['l'] = {0.0f, {{{0, 0}, {0, 10}}}};
        f['o'] = {5.8f, {arcPts(2.9f, 6.75f, 2.9f, 3.25f, 0, 360, 28)}};
        f['m'] = {8.4f, {{{0, 10}, {0, 3.5f}},
                         join(join({{0, 6}}, arcPts(2.1f, 5.8f, 2.1f, 2.3f, 180, 360, 12)),
                              {{4.2f, 10}}),
                         join(join({{4.2f, 5.8f}}, arcPts(6.3f, 5.8f, 2.1f, 2.3f, 180, 360, 12)),
                              {{8.4f, 10}})}};
        f['a'] = {5.6f, {arcPts(2.75f, 6.75f, 2.75f, 3.25f, 0, 360, 28), {{5.6f, 3.5f}, {5.6f, 10}}}};
        f['t'] = {3.8f, {join({{1.3f, 0.6f}}, join(arcPts(2.8f, 8.5f, 1.5f, 1.5f, 180, 90, 8),
                                                   {{3.8f, 10}})),
                         {{0, 3.5f}, {3.6f, 3.5f}}}};
        f[' '] = {3.0f, {}};
        return f;
    }();
    return font;
}

struct TextLayout {
    std::vector<std::vector<V2>> lines;
    float width;  // in pixels
};

// Lays out `text` with capitals `capPx` pixels tall, the top of the capitals
// at `top`, starting at `left`; `slant` shears it to the right.
TextLayout layoutText(const std::string& text, float left, float top, float capPx, float gap,
                      float slant = 0)
{
    const auto& font = strokeFont();
    float unit = capPx / 10.0f;
    float pen = 0;
    TextLayout out;
    for (size_t i = 0; i < text.size(); ++i) {
        auto it = font.find(text[i]);
        if (it == font.end())
            continue;
        for (const auto& line : it->second.lines) {
            std::vector<V2> pts;
            for (const V2& p : line)
                pts.push_back({left + (pen + p.x + slant * (10 - p.y)) * unit, top + p.y * unit});
            out.lines.push_back(pts);
        }
        pen += it->second.width + (i + 1 < text.size() ? gap : 0);
    }
    out.width = pen * unit;
    return out;
}

float textWidth(const std::string& text, float capPx, float gap)
{
    return layoutText(text, 0, 0, capPx, gap).width;
}

// Gold lettering with a red rim and a dark edge.
void goldText(Canvas& cv, const TextLayout& t, float thick, float rim, float top, float bottom)
{
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
        if (k > 0.30f && k < 0.42f)
            c = mix(c, rgb(255, 255, 230), 0.35f);
        return c;
    });
}

// ---------------------------------------------------------------------------
// 5 x 7 pixel font for small labels.

const std::map<char, std::array<const char*, 7>>& pixelFont()
{
    static const std::map<char, std::array<const char*, 7>> f = {
        {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
        {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
        {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
        {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
        {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
        {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
        {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
        {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
        {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
        {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
        {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
        {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
        {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
        {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
        {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
        {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
        {'x', {".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"}},
        {' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
    };
    return f;
}

// Draws text at pixel scale `k`, optionally bold (each column doubled).
int pixelText(Image& img, const std::string& s, int x, int y, Col c, int k = 1, bool bold = false)
{
    const auto& f = pixelFont();
    int pen = x;
    for (char ch : s) {
        auto it = f.find(ch);
        if (it == f.end())
            continue;
        for (int r = 0; r < 7; ++r)
            for (int q = 0; q < 5; ++q)
                if (it->second[size_t(r)][q] == '#')
                    for (int dy = 0; dy < k; ++dy)
                        for (int dx = 0; dx < k + (bold ? 1 : 0); ++dx) {
                            int px = pen + q * k + dx, py = y + r * k + dy;
                            if (px >= 0 && py >= 0 && px < img.w && py < img.h)
                                img.set(px, py, c);
                        }
        pen += (6 + (bold ? 1 : 0)) * k;
    }
    return pen - x - k;
}

int pixelTextWidth(const std::string& s, int k, bool bold)
{
    Image scratch(1, 1, {0, 0, 0});
    return pixelText(scratch, s, -10000, -10000, {0, 0, 0}, k, bold);
}

// ---------------------------------------------------------------------------
// 16-colour pictures: palette choice, index mapping and the BMP writer.

struct Indexed {
    int w, h;
    std::array<Col, 16> pal;
    std::vector<uint8_t> idx;
};

float colDist(Col a, Col b)
{
    float dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return 2 * dr * dr + 4 * dg * dg + 3 * db * db;
}

// Picks a palette: the pinned colours first (index 0 is black), the rest
// chosen by a weighted k-means over the picture's colours. `exclude`
// pixels (mask true) are left out of the statistics.
std::array<Col, 16> choosePalette(const Image& img, const std::vector<Col>& pinned,
                                  const std::vector<bool>* exclude = nullptr)
{
    std::map<uint32_t, float> hist;
    for (int i = 0; i < img.w * img.h; ++i) {
        if (exclude && (*exclude)[size_t(i)])
            continue;
        const uint8_t* p = &img.rgb[size_t(i) * 3];
        hist[(uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2]] += 1;
    }
    struct Bin {
        Col c;
        float n;
    };
    std::vector<Bin> bins;
    for (const auto& kv : hist)
        bins.push_back({rgb(int(kv.first >> 16), int((kv.first >> 8) & 255), int(kv.first & 255)),
                        kv.second});
    std::vector<Col> centres = pinned;
    // Deterministic seeding: repeatedly take the colour that the current
    // palette serves worst, weighted by how often it occurs.
    while (centres.size() < 16) {
        float best = -1;
        Col pick{0, 0, 0};
        for (const Bin& b : bins) {
            float d = 1e30f;
            for (const Col& c : centres)
                d = std::min(d, colDist(b.c, c));
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
            if (cnt[k] > 0)
                centres[k] = sum[k] * (1.0f / cnt[k]);
    }
    std::array<Col, 16> pal;
    for (size_t k = 0; k < 16; ++k)
        pal[k] = {std::round(centres[k].r), std::round(centres[k].g), std::round(centres[k].b)};
    return pal;
}

// Maps every pixel to its nearest palette entry. Pixels flagged in
// `forceZero` become index 0; others never take index 0 unless their colour
// is black (so black stays reserved where the picture needs it).
Indexed quantize(const Image& img, const std::array<Col, 16>& pal,
                 const std::vector<bool>* forceZero = nullptr, bool reserveZero = false)
{
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
            if (k > 0 && pal[k].r == 0 && pal[k].g == 0 && pal[k].b == 0)
                continue;
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

Image expand(const Indexed& q)
{
    Image img(q.w, q.h, {0, 0, 0});
    for (int y = 0; y < q.h; ++y)
        for (int x = 0; x < q.w; ++x)
            img.set(x, y, q.pal[q.idx[size_t(y) * size_t(q.w) + size_t(x)]]);
    return img;
}

void put16(std::vector<uint8_t>& v, uint32_t x)
{
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}

void put32(std::vector<uint8_t>& v, uint32_t x)
{
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& data)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "make_art: cannot write %s\n", path.c_str());
        return false;
    }
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok)
        std::fprintf(stderr, "make_art: error writing %s\n", path.c_str());
    return ok;
}

std::vector<uint8_t> bmp4(const Indexed& q)
{
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

// ---------------------------------------------------------------------------
// The embedded pictures.

Image drawTitle()
{
    const int W = 300, H = 75;
    Canvas cv(W, H, {0, 0, 0});
    const std::string word = "Rullomat";
    const float cap = 50, gap = 2.6f, slant = 0.12f;
    float w = textWidth(word, cap, gap) + slant * cap;
    float left = (W - w) / 2.0f, top = 12;
    TextLayout t = layoutText(word, left, top, cap, gap, slant);
    // A warm halo behind the letters.
    cv.glow(strokes(t.lines, 8), rgb(120, 20, 0), 0.55f, 6);
    goldText(cv, t, 8.5f, 3.0f, top - 4, top + cap + 4);
    // Twinkles around the word.
    const std::array<std::array<float, 3>, 5> stars = {{
        {12, 14, 7}, {288, 60, 6}, {280, 10, 4.5f}, {22, 64, 4}, {150, 5, 3.5f}}};
    for (const auto& s : stars) {
        cv.place(0, 0, 1);
        Shape st = unite(star(s[0], s[1], s[2], s[2] * 0.2f, 4),
                         star(s[0], s[1], s[2] * 0.5f, s[2] * 0.15f, 4, -45));
        cv.glow(circle(s[0], s[1], s[2] * 0.3f), rgb(255, 220, 120), 0.6f, s[2] * 0.5f);
        cv.fill(st, rgb(255, 250, 220));
    }
    return cv.resolve();
}

Image drawAbout()
{
    const int W = 164, H = 50;
    Canvas cv(W, H, {0, 0, 0});
    cv.place(-1, 0, 0.5f);
    symCherries(cv);
    cv.place(0, 0, 1);
    const std::string word = "Rullomat";
    const float cap = 20, gap = 2.4f, slant = 0.1f, thick = 4.0f, rim = 1.6f;
    float w = textWidth(word, cap, gap) + slant * cap + thick + 2 * rim;
    float left = 47 + (W - 47 - w) / 2.0f + thick / 2 + rim, top = 15;
    TextLayout t = layoutText(word, left, top, cap, gap, slant);
    goldText(cv, t, thick, rim, top - 2, top + cap + 2);
    return cv.resolve();
}

// The pay table: the two paying symbols, each with what it pays for 2, 3, 4
// and 5 reels, as a multiple of the wager.
Image drawPaytable()
{
    const int W = 470, H = 100;
    Canvas cv(W, H, {0, 0, 0});
    const float colX0 = 112, colW = 89;
    const float rowY[2] = {22, 61};
    const float rowH = 38;

    // Frame and row bands.
    Shape frame = subtract(
        intersect(grow(polygon({{4, 4}, {466, 4}, {466, 96}, {4, 96}}), 3), circle(235, 50, 1000)),
        grow(polygon({{5, 5}, {465, 5}, {465, 95}, {5, 95}}), 0.5f));
    cv.fill(frame, rgb(214, 160, 40));
    for (int r = 0; r < 2; ++r) {
        Shape band = grow(polygon({{8, rowY[r] + 2}, {462, rowY[r] + 2}, {462, rowY[r] + rowH - 1},
                                   {8, rowY[r] + rowH - 1}}),
                          2);
        cv.fill(band, r == 0 ? rgb(40, 20, 70) : rgb(60, 10, 20));
    }
    // The two symbols at reduced size.
    const float symScale = 0.40f;
    cv.place(30, rowY[0] + 1, symScale);
    symBell(cv);
    cv.place(32, rowY[1] + 0.5f, symScale);
    symSeven(cv);
    cv.place(0, 0, 1);

    // The multipliers, right-aligned in their columns.
    const int pays[2][4] = {{2, 10, 50, 250}, {4, 20, 100, 500}};
    const float cap = 18, gap = 1.9f;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c) {
            std::string num = std::to_string(pays[r][c]);
            float wx = textWidth("x", cap * 0.72f, gap);
            float wn = textWidth(num, cap, gap);
            float total = wx + 3 + wn;
            float x = colX0 + colW * float(c) + (colW - total) / 2;
            float top = rowY[r] + (rowH - cap) / 2 + 1;
            TextLayout tx = layoutText("x", x, top + cap * 0.28f, cap * 0.72f, gap);
            Shape xs = strokes(tx.lines, 1.1f);
            cv.fill(xs, rgb(255, 170, 40));
            TextLayout tn = layoutText(num, x + wx + 3, top, cap, gap);
            Shape ns = strokes(tn.lines, 1.5f);
            cv.fill(grow(ns, 1.2f), rgb(120, 30, 0));
            cv.fillWith(ns, [&](float, float v) {
                return mix(rgb(255, 250, 200), rgb(255, 190, 30), (v - top) / cap);
            });
        }
    Image img = cv.resolve();

    // Headings in the pixel font, drawn after resolving so they stay crisp:
    // the number of reels large, the word small beside it.
    const Col head = rgb(120, 220, 255);
    pixelText(img, "PAYS", 22, 6, rgb(255, 255, 255), 2, false);
    for (int c = 0; c < 4; ++c) {
        std::string n = std::to_string(c + 2);
        int wn = pixelTextWidth(n, 2, false), ww = pixelTextWidth("REELS", 1, true);
        int x = int(colX0 + colW * float(c) + (colW - float(wn + 4 + ww)) / 2);
        pixelText(img, n, x, 6, head, 2, false);
        pixelText(img, "REELS", x + wn + 4, 13, head, 1, true);
    }
    return img;
}

// ---------------------------------------------------------------------------
// Check-box and option-box markers, 20 x 20.

Image drawCheck(bool on, bool enabled)
{
    Canvas cv(20, 20, {0, 0, 0});
    // Sunken frame: shadow on the top and left, light on the bottom and right.
    auto rect = [](float x0, float y0, float x1, float y1) {
        return polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
    };
    Col outerDark = enabled ? rgb(120, 120, 120) : rgb(150, 150, 150);
    Col innerDark = enabled ? rgb(48, 48, 48) : rgb(120, 120, 120);
    Col outerLight = rgb(250, 250, 250);
    Col innerLight = enabled ? rgb(212, 208, 200) : rgb(200, 200, 200);
    cv.fill(rect(0, 0, 20, 20), outerLight);
    cv.fill(polygon({{0, 0}, {20, 0}, {19, 1}, {1, 1}, {1, 19}, {0, 20}}), outerDark);
    cv.fill(rect(1, 1, 19, 19), innerLight);
    cv.fill(polygon({{1, 1}, {19, 1}, {18, 2}, {2, 2}, {2, 18}, {1, 19}}), innerDark);
    Col top = enabled ? rgb(255, 255, 255) : rgb(214, 214, 214);
    Col bottom = enabled ? rgb(226, 232, 240) : rgb(200, 200, 200);
    cv.fillWith(rect(2, 2, 18, 18), [=](float, float v) { return mix(top, bottom, (v - 2) / 16); });
    if (on) {
        Shape tick = stroke({{5.2f, 10.2f}, {8.4f, 13.6f}, {14.8f, 5.6f}}, 1.45f);
        cv.fill(tick, enabled ? rgb(24, 24, 28) : rgb(140, 140, 140));
    }
    return cv.resolve();
}

Image drawOption(bool on, bool enabled)
{
    // The ring colour fills the whole square: what lies outside the circle
    // is cut away as transparent, so the rim does not fade into black.
    Col outline = enabled ? rgb(16, 16, 16) : rgb(120, 120, 120);
    Canvas cv(20, 20, outline);
    Shape face = circle(10, 10, 8.4f);
    Col light = enabled ? rgb(255, 255, 255) : rgb(220, 220, 220);
    Col shade = enabled ? rgb(188, 196, 210) : rgb(184, 184, 184);
    cv.fillWith(face, [=](float u, float v) {
        float t = ((u - 10) + (v - 10)) / 17.0f + 0.5f;
        return mix(light, shade, t);
    });
    // Inner shadow along the top-left of the hollow.
    cv.fill(subtract(face, circle(10.8f, 10.8f, 8.0f)), enabled ? rgb(112, 112, 118) : rgb(160, 160, 160));
    if (on) {
        Shape dot = circle(10, 10, 4.2f);
        Col dc = enabled ? rgb(20, 40, 110) : rgb(130, 130, 130);
        Material m{dc};
        m.round = 4.2f;
        m.gloss = enabled ? 0.7f : 0.2f;
        m.ambient = 0.75f;
        m.diffuse = 0.5f;
        lit(cv, dot, m);
    }
    return cv.resolve();
}

// Markers are drawn with black as the transparent colour: outside the ring
// is index 0, and nothing inside may come out as pure black.
Indexed markerIndexed(const Image& img, bool round)
{
    std::vector<bool> outside(size_t(img.w) * size_t(img.h), false);
    if (round)
        for (int y = 0; y < img.h; ++y)
            for (int x = 0; x < img.w; ++x)
                outside[size_t(y) * size_t(img.w) + size_t(x)] =
                    std::hypot(float(x) + 0.5f - 10, float(y) + 0.5f - 10) > 9.45f;
    auto pal = choosePalette(img, {{0, 0, 0}}, &outside);
    // Keep every colour used inside the marker off pure black.
    for (size_t k = 1; k < 16; ++k)
        if (pal[k].r + pal[k].g + pal[k].b < 48)
            pal[k] = mix(pal[k], rgb(16, 16, 16), 1.0f);
    return quantize(img, pal, &outside, true);
}

// ---------------------------------------------------------------------------
// Sounds.

std::vector<uint8_t> wav(const std::vector<float>& samples, uint32_t rate)
{
    std::vector<uint8_t> v;
    uint32_t dataBytes = uint32_t(samples.size()) * 2;
    v.insert(v.end(), {'R', 'I', 'F', 'F'});
    put32(v, 36 + dataBytes);
    v.insert(v.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(v, 16);
    put16(v, 1);  // PCM
    put16(v, 1);  // mono
    put32(v, rate);
    put32(v, rate * 2);
    put16(v, 2);
    put16(v, 16);
    v.insert(v.end(), {'d', 'a', 't', 'a'});
    put32(v, dataBytes);
    for (float s : samples) {
        int x = int(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
        put16(v, uint32_t(uint16_t(int16_t(x))));
    }
    return v;
}

constexpr uint32_t kRate = 22050;

std::vector<float> makeDing()
{
    // 70 ms: a bright bell-like tick, fast decay.
    size_t n = kRate * 70 / 1000;
    std::vector<float> s(n);
    for (size_t i = 0; i < n; ++i) {
        double t = double(i) / kRate;
        double attack = std::min(1.0, t / 0.0015);
        double env = attack * std::exp(-t / 0.016);
        double tail = 1.0 - smoothstep(0.060f, 0.070f, float(t));
        double v = std::sin(2 * kPiD * 2093.0 * t) + 0.4 * std::sin(2 * kPiD * 4186.0 * t) * std::exp(-t / 0.008) +
                   0.18 * std::sin(2 * kPiD * 5274.0 * t) * std::exp(-t / 0.005);
        s[i] = float(0.55 * env * tail * v);
    }
    return s;
}

std::vector<float> makeBeep()
{
    // 250 ms: a square-ish 660 Hz tone built from odd harmonics, so it is
    // band-limited and does not alias, with a soft attack and release.
    size_t n = kRate * 250 / 1000;
    std::vector<float> s(n);
    for (size_t i = 0; i < n; ++i) {
        double t = double(i) / kRate;
        double env = smoothstep(0.0f, 0.012f, float(t)) * (1.0 - smoothstep(0.200f, 0.250f, float(t)));
        double v = 0;
        for (int h = 1; h <= 9; h += 2)
            v += std::sin(2 * kPiD * 660.0 * h * t) / h;
        s[i] = float(0.4 * env * v);
    }
    return s;
}

// ---------------------------------------------------------------------------

void makeDir(const std::string& path) { ::mkdir(path.c_str(), 0755); }

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_art <repo-root>\n");
        return 2;
    }
    std::string root = argv[1];
    if (!root.empty() && root.back() != '/')
        root += '/';
    for (const char* d : {"Data", "game", "game/art", "controls", "controls/art", "docs", "dist", "dist/icons"})
        makeDir(root + d);
    bool ok = true;

    // Reel sheet.
    Image sheet(1152, 96, {255, 255, 255});
    std::vector<Image> symbols;
    for (int i = 0; i < 12; ++i) {
        symbols.push_back(drawSymbol(i));
        sheet.blit(symbols.back(), 96 * i, 0);
    }
    ok = writeFile(root + "Data/frutta96x96.bin", sheet.rgb) && ok;

    // Sounds.
    ok = writeFile(root + "Data/ding.wav", wav(makeDing(), kRate)) && ok;
    ok = writeFile(root + "Data/beep.wav", wav(makeBeep(), kRate)) && ok;

    // Pictures of the game window and the About box.
    struct Pic {
        const char* path;
        Image img;
        Indexed q;
    };
    std::vector<Pic> pics;
    auto addPic = [&](const char* path, const Image& img, std::vector<Col> pinned) {
        Indexed q = quantize(img, choosePalette(img, pinned));
        pics.push_back({path, img, q});
        ok = writeFile(root + path, bmp4(q)) && ok;
    };
    addPic("game/art/title.bmp", drawTitle(), {{0, 0, 0}});
    addPic("game/art/paytable.bmp", drawPaytable(),
           {{0, 0, 0}, rgb(255, 255, 255), rgb(120, 220, 255), rgb(214, 160, 40)});
    addPic("game/art/about.bmp", drawAbout(), {{0, 0, 0}});

    // Control markers.
    struct Marker {
        const char* path;
        Image img;
        bool round;
    };
    const Marker markers[] = {
        {"controls/art/check_on.bmp", drawCheck(true, true), false},
        {"controls/art/check_off.bmp", drawCheck(false, true), false},
        {"controls/art/check_on_dis.bmp", drawCheck(true, false), false},
        {"controls/art/check_off_dis.bmp", drawCheck(false, false), false},
        {"controls/art/option_on.bmp", drawOption(true, true), true},
        {"controls/art/option_off.bmp", drawOption(false, true), true},
        {"controls/art/option_on_dis.bmp", drawOption(true, false), true},
        {"controls/art/option_off_dis.bmp", drawOption(false, false), true},
    };
    std::vector<Image> markerShown;
    for (const Marker& m : markers) {
        Indexed q = markerIndexed(m.img, m.round);
        ok = writeFile(root + m.path, bmp4(q)) && ok;
        markerShown.push_back(expand(q));
    }

    // Preview sheet: the reel sheet as it is, the symbols twice as large,
    // the 16-colour pictures as stored (once at their size on the black
    // window background, then twice as large), and the markers enlarged on
    // the default control grey.
    const int PW = 1176;
    const int PH = 8 + 96 + 8 + 384 + 8 + 100 + 8 + 150 + 8 + 200 + 8 + 100 + 8;
    Image prev(PW, PH, rgb(60, 60, 66));
    int y = 8;
    prev.blit(sheet, 12, y);
    y += 96 + 8;
    for (int i = 0; i < 12; ++i)
        prev.blit(symbols[size_t(i)], 12 + 192 * (i % 6), y + 192 * (i / 6), 2);
    y += 384 + 8;
    Image band(1152, 100, {0, 0, 0});
    band.blit(expand(pics[0].q), 0, 12);
    band.blit(expand(pics[1].q), 300 + 24, 0);
    band.blit(expand(pics[2].q), 300 + 24 + 470 + 24, 25);
    prev.blit(band, 12, y);
    y += 100 + 8;
    prev.blit(expand(pics[0].q), 12, y, 2);
    prev.blit(expand(pics[2].q), 12 + 600 + 16, y, 2);
    y += 150 + 8;
    prev.blit(expand(pics[1].q), 12, y, 2);
    y += 200 + 8;
    Image grey(8 * 88 + 8, 100, rgb(170, 170, 170));
    for (size_t i = 0; i < markerShown.size(); ++i) {
        Image shown = markerShown[i];
        // Black is transparent in the option markers: show the grey behind.
        if (markers[i].round)
            for (int yy = 0; yy < 20; ++yy)
                for (int xx = 0; xx < 20; ++xx) {
                    Col c = shown.at(xx, yy);
                    if (c.r == 0 && c.g == 0 && c.b == 0)
                        shown.set(xx, yy, rgb(170, 170, 170));
                }
        grey.blit(shown, 8 + 88 * int(i), 4, 4);
        grey.blit(shown, 8 + 88 * int(i) + 30, 86);
    }
    prev.blit(grey, 12, y);
    ok = WritePng(root + "docs/art-preview.png", prev.w, prev.h, prev.rgb.data()) && ok;

    // Desktop icons, the symbols drawn at the icon's own size.
    ok = WriteIcons(root, [](int symbol, int size, uint8_t background) {
             const float grey = background;
             Canvas cv(size, size, {grey, grey, grey});
             cv.place(0, 0, float(size) / 96);
             kSymbols[symbol](cv);
             return cv.resolve().rgb;
         }) && ok;

    for (int i = 0; i < 12; ++i)
        std::printf("symbol %2d: %s\n", i, kSymbolNames[i]);
    return ok ? 0 : 1;
}
