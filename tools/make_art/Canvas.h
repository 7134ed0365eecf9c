// The art generator's drawing: pictures, the supersampled canvas shapes are
// drawn on, and the shading that makes them look round.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "tools/make_art/Shapes.h"

namespace art {

// Supersampled canvas. Shapes are given in design units; (ox, oy, sc) maps
// them to pixels: pixel = o + sc * design.

struct Image {
    int w = 0, h = 0;
    std::vector<uint8_t> rgb;
    Image() = default;
    Image(int w_, int h_, Col c) : w(w_), h(h_), rgb(size_t(w_) * size_t(h_) * 3) {
        for (int i = 0; i < w * h; ++i) {
            rgb[size_t(i) * 3] = uint8_t(c.r);
            rgb[size_t(i) * 3 + 1] = uint8_t(c.g);
            rgb[size_t(i) * 3 + 2] = uint8_t(c.b);
        }
    }
    Col at(int x, int y) const {
        const uint8_t* p = &rgb[(size_t(y) * size_t(w) + size_t(x)) * 3];
        return art::rgb(p[0], p[1], p[2]);
    }
    void set(int x, int y, Col c) {
        uint8_t* p = &rgb[(size_t(y) * size_t(w) + size_t(x)) * 3];
        p[0] = uint8_t(std::lround(std::clamp(c.r, 0.0f, 255.0f)));
        p[1] = uint8_t(std::lround(std::clamp(c.g, 0.0f, 255.0f)));
        p[2] = uint8_t(std::lround(std::clamp(c.b, 0.0f, 255.0f)));
    }
    void blit(const Image& src, int dx, int dy, int scale = 1) {
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

    void place(float x, float y, float scale) {
        ox = x;
        oy = y;
        sc = scale;
    }

    // Calls fn(sample, u, v) for every sample whose centre lies in the box.
    template <class Fn>
    void each(const Shape& s, Fn fn) {
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

    void fill(const Shape& s, Col c, float alpha = 1) {
        each(s, [&](Col& p, float u, float v) {
            if (s(u, v) <= 0) p = mix(p, c, alpha);
        });
    }

    void fillWith(const Shape& s, const std::function<Col(float, float)>& shade, float alpha = 1) {
        each(s, [&](Col& p, float u, float v) {
            if (s(u, v) <= 0) p = mix(p, shade(u, v), alpha);
        });
    }

    // Soft-edged fill: full strength deep inside, fading over `soft` units.
    void glow(const Shape& s, Col c, float alpha, float soft) {
        Shape box = grow(s, soft);
        each(box, [&](Col& p, float u, float v) {
            float a = alpha * (1 - smoothstep(-soft, soft, s(u, v)));
            if (a > 0) p = mix(p, c, a);
        });
    }

    // Soft darkening, used for cast shadows (works on any background).
    void shadow(const Shape& s, float strength, float soft) {
        Shape box = grow(s, soft);
        each(box, [&](Col& p, float u, float v) {
            float a = strength * (1 - smoothstep(-soft, soft, s(u, v)));
            if (a > 0) p = p * (1 - a);
        });
    }

    Image resolve() const {
        Image out(w, h, {0, 0, 0});
        int W = w * kSS;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                Col acc{0, 0, 0};
                for (int j = 0; j < kSS; ++j)
                    for (int i = 0; i < kSS; ++i) acc = acc + px[size_t(y * kSS + j) * size_t(W) + size_t(x * kSS + i)];
                out.set(x, y, acc * (1.0f / (kSS * kSS)));
            }
        return out;
    }
};

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
    bool metal = false; // colour comes from the gold ramp instead of `base`
};

Col shadeAt(const Shape& s, const Material& m, float u, float v);
void lit(Canvas& cv, const Shape& s, const Material& m);

inline const Col kOutline = rgb(28, 22, 22);

// Dark outline of width `ow`, then the lit shape on top.
void outlined(Canvas& cv, const Shape& s, const Material& m, float ow = 2.0f, Col oc = kOutline);
// A glint of light on a surface: soft white ellipse clipped to the body.
void glint(Canvas& cv, const Shape& body, float cx, float cy, float rx, float ry, float deg, float alpha);
// Four-pointed twinkle. On a light background it gets a gold body and a
// darker rim so it stays visible; on the symbol itself it is pure white.
void sparkle(Canvas& cv, float x, float y, float r, bool onLight);
void castShadow(Canvas& cv, float cx, float cy, float rx, float ry);
// Stem: a brown-green cushioned stroke.
void stem(Canvas& cv, const std::vector<V2>& line, float r, Col c);
void greenLeaf(Canvas& cv, V2 base, V2 tip, float halfWidth, Col c = rgb(64, 168, 52));

} // namespace art
