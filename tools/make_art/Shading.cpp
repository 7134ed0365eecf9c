// Shading: the cushion's surface normal, the light, the gold ramp of metal,
// and the small touches drawn with them (outlines, glints, sparkles, stems
// and leaves).
#include <array>
#include <cmath>
#include <utility>

#include "tools/make_art/Canvas.h"

namespace art {

namespace {

struct N3 {
    float x, y, z;
};

N3 surfaceNormal(const Shape& s, float u, float v, float round) {
    const float e = 0.3f;
    float d = s(u, v);
    float gx = s(u + e, v) - s(u - e, v), gy = s(u, v + e) - s(u, v - e);
    float gl = std::hypot(gx, gy);
    if (gl < 1e-6f) return {0, 0, 1};
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

Col goldRamp(float t) {
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

} // namespace

Col shadeAt(const Shape& s, const Material& m, float u, float v) {
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

void lit(Canvas& cv, const Shape& s, const Material& m) {
    cv.fillWith(s, [&](float u, float v) { return shadeAt(s, m, u, v); });
}

void outlined(Canvas& cv, const Shape& s, const Material& m, float ow, Col oc) {
    cv.fill(grow(s, ow), oc);
    lit(cv, s, m);
}

void glint(Canvas& cv, const Shape& body, float cx, float cy, float rx, float ry, float deg, float alpha) {
    Shape g = intersect(ellipse(cx, cy, rx, ry, deg), grow(body, -1.0f));
    cv.glow(g, {255, 255, 255}, alpha, std::min(rx, ry) * 0.6f);
}

void sparkle(Canvas& cv, float x, float y, float r, bool onLight) {
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

void castShadow(Canvas& cv, float cx, float cy, float rx, float ry) {
    cv.shadow(ellipse(cx, cy, rx, ry), 0.16f, ry * 1.2f);
}

void stem(Canvas& cv, const std::vector<V2>& line, float r, Col c) {
    Material m{c};
    m.round = r;
    m.gloss = 0.25f;
    outlined(cv, stroke(line, r), m, 1.6f);
}

void greenLeaf(Canvas& cv, V2 base, V2 tip, float halfWidth, Col c) {
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

} // namespace art
