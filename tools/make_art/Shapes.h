// The art generator's geometry: colours, a little maths, and shapes given
// as signed distance functions (negative inside) with a bounding box, in
// design units that a canvas maps to pixels.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace art {

constexpr float kPi = 3.14159265358979f;
constexpr double kPiD = 3.14159265358979323846;

struct V2 {
    float x, y;
};

struct Col {
    float r, g, b;
};

inline Col operator*(Col c, float k) { return {c.r * k, c.g * k, c.b * k}; }
inline Col operator+(Col a, Col b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

inline float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

inline Col mix(Col a, Col b, float t) {
    t = clamp01(t);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

inline float smoothstep(float e0, float e1, float x) {
    float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

inline Col rgb(int r, int g, int b) { return {float(r), float(g), float(b)}; }

// Fixed hash of a lattice point, in [0, 1).
inline float hash2(int x, int y) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return float(h & 0xFFFFFF) / float(0x1000000);
}

// Smooth value noise in [0, 1).
inline float noise(float x, float y) {
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    float fx = x - float(ix), fy = y - float(iy);
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    float a = hash2(ix, iy), b = hash2(ix + 1, iy);
    float c = hash2(ix, iy + 1), d = hash2(ix + 1, iy + 1);
    return a + (b - a) * fx + (c - a) * fy + (a - b - c + d) * fx * fy;
}

inline V2 rotated(V2 p, V2 centre, float deg) {
    float a = deg * kPi / 180.0f, c = std::cos(a), s = std::sin(a);
    float dx = p.x - centre.x, dy = p.y - centre.y;
    return {centre.x + dx * c - dy * s, centre.y + dx * s + dy * c};
}

struct Shape {
    std::function<float(float, float)> f;
    float x0, y0, x1, y1;
    float operator()(float x, float y) const { return f(x, y); }
};

Shape circle(float cx, float cy, float r);
Shape ellipse(float cx, float cy, float rx, float ry, float deg = 0);
// Union of round-capped strokes along several polylines.
Shape strokes(const std::vector<std::vector<V2>>& lines, float r);
Shape stroke(const std::vector<V2>& line, float r);
Shape polygon(const std::vector<V2>& p);
Shape unite(const Shape& a, const Shape& b);
Shape smoothUnite(const Shape& a, const Shape& b, float k);
Shape intersect(const Shape& a, const Shape& b);
Shape subtract(const Shape& a, const Shape& b);
Shape grow(const Shape& a, float r);
Shape star(float cx, float cy, float rOut, float rIn, int n, float deg = -90);
// A leaf: two arcs meeting at base and tip, with the given half width.
Shape leaf(V2 base, V2 tip, float halfWidth);

// Path helpers: curves appended to a point list.
void cubicTo(std::vector<V2>& p, V2 c1, V2 c2, V2 e, int n = 20);
void quadTo(std::vector<V2>& p, V2 c, V2 e, int n = 16);
// Points of an elliptic arc; angles in degrees, y grows downwards.
void arcTo(std::vector<V2>& p, float cx, float cy, float rx, float ry, float a0, float a1, int n = 16);
std::vector<V2> mirrorClose(const std::vector<V2>& half, float axis);

} // namespace art
