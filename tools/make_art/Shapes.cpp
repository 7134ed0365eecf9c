// Shapes: signed distance (negative inside) plus a bounding box.
#include "tools/make_art/Shapes.h"

#include <array>

namespace art {

Shape circle(float cx, float cy, float r) {
    return {[=](float x, float y) { return std::hypot(x - cx, y - cy) - r; }, cx - r, cy - r, cx + r, cy + r};
}

Shape ellipse(float cx, float cy, float rx, float ry, float deg) {
    float a = -deg * kPi / 180.0f, c = std::cos(a), s = std::sin(a);
    float m = std::max(rx, ry);
    return {[=](float x, float y) {
                float dx = x - cx, dy = y - cy;
                float px = dx * c - dy * s, py = dx * s + dy * c;
                float k0 = std::hypot(px / rx, py / ry);
                float k1 = std::hypot(px / (rx * rx), py / (ry * ry));
                if (k1 < 1e-6f) return -std::min(rx, ry);
                return k0 * (k0 - 1) / k1;
            },
            cx - m, cy - m, cx + m, cy + m};
}

namespace {

float segDist(float x, float y, V2 a, V2 b) {
    float bx = b.x - a.x, by = b.y - a.y, px = x - a.x, py = y - a.y;
    float len2 = bx * bx + by * by;
    float t = len2 > 0 ? clamp01((px * bx + py * by) / len2) : 0;
    return std::hypot(px - bx * t, py - by * t);
}

} // namespace

Shape strokes(const std::vector<std::vector<V2>>& lines, float r) {
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
                for (const auto& s : segs) d = std::min(d, segDist(x, y, s[0], s[1]));
                return d - r;
            },
            x0 - r, y0 - r, x1 + r, y1 + r};
}

Shape stroke(const std::vector<V2>& line, float r) { return strokes({line}, r); }

Shape polygon(const std::vector<V2>& p) {
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

Shape unite(const Shape& a, const Shape& b) {
    return {[=](float x, float y) { return std::min(a(x, y), b(x, y)); }, std::min(a.x0, b.x0), std::min(a.y0, b.y0),
            std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

Shape smoothUnite(const Shape& a, const Shape& b, float k) {
    return {[=](float x, float y) {
                float da = a(x, y), db = b(x, y);
                float h = clamp01(0.5f + 0.5f * (db - da) / k);
                return db + (da - db) * h - k * h * (1 - h);
            },
            std::min(a.x0, b.x0) - k, std::min(a.y0, b.y0) - k, std::max(a.x1, b.x1) + k, std::max(a.y1, b.y1) + k};
}

Shape intersect(const Shape& a, const Shape& b) {
    return {[=](float x, float y) { return std::max(a(x, y), b(x, y)); }, std::max(a.x0, b.x0), std::max(a.y0, b.y0),
            std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

Shape subtract(const Shape& a, const Shape& b) {
    return {[=](float x, float y) { return std::max(a(x, y), -b(x, y)); }, a.x0, a.y0, a.x1, a.y1};
}

Shape grow(const Shape& a, float r) {
    return {[=](float x, float y) { return a(x, y) - r; }, a.x0 - r, a.y0 - r, a.x1 + r, a.y1 + r};
}

Shape star(float cx, float cy, float rOut, float rIn, int n, float deg) {
    std::vector<V2> p;
    for (int i = 0; i < 2 * n; ++i) {
        float a = (deg + 180.0f * float(i) / float(n)) * kPi / 180.0f;
        float r = (i % 2) ? rIn : rOut;
        p.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return polygon(p);
}

void cubicTo(std::vector<V2>& p, V2 c1, V2 c2, V2 e, int n) {
    V2 s = p.back();
    for (int i = 1; i <= n; ++i) {
        float t = float(i) / float(n), u = 1 - t;
        float a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        p.push_back({a * s.x + b * c1.x + c * c2.x + d * e.x, a * s.y + b * c1.y + c * c2.y + d * e.y});
    }
}

void quadTo(std::vector<V2>& p, V2 c, V2 e, int n) {
    V2 s = p.back();
    for (int i = 1; i <= n; ++i) {
        float t = float(i) / float(n), u = 1 - t;
        p.push_back({u * u * s.x + 2 * u * t * c.x + t * t * e.x, u * u * s.y + 2 * u * t * c.y + t * t * e.y});
    }
}

void arcTo(std::vector<V2>& p, float cx, float cy, float rx, float ry, float a0, float a1, int n) {
    for (int i = 0; i <= n; ++i) {
        float a = (a0 + (a1 - a0) * float(i) / float(n)) * kPi / 180.0f;
        p.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
}

std::vector<V2> mirrorClose(const std::vector<V2>& half, float axis) {
    std::vector<V2> p = half;
    for (size_t i = half.size(); i-- > 0;) p.push_back({2 * axis - half[i].x, half[i].y});
    return p;
}

Shape leaf(V2 base, V2 tip, float halfWidth) {
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

} // namespace art
