// The twelve reel symbols, drawn in a 96 x 96 design space.
#include <vector>

#include "tools/make_art/Art.h"

namespace art {

namespace {

void symCherries(Canvas& cv) {
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

void symLemon(Canvas& cv) {
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

void symBell(Canvas& cv) {
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

void symOrange(Canvas& cv) {
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

void symSeven(Canvas& cv) {
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

void symPlum(Canvas& cv) {
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

void symWatermelon(Canvas& cv) {
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
        for (V2& t : tear) t = rotated(t, s, ang);
        Shape seed = polygon(tear);
        cv.fill(seed, rgb(46, 26, 20));
        cv.fill(intersect(circle(s.x - 1, s.y - 0.5f, 1.1f), seed), rgb(150, 120, 110));
    }
    glint(cv, flesh, 36, 40, 3, 12, 20, 0.35f);
}

void symGrapes(Canvas& cv) {
    castShadow(cv, 48, 90, 20, 3.5f);
    stem(cv, {{50, 26}, {52, 14}, {58, 7}}, 2.4f, rgb(110, 80, 40));
    greenLeaf(cv, {50, 18}, {20, 14}, 8.5f);
    Material m{rgb(150, 40, 150)};
    m.round = 10.5f;
    m.gloss = 0.7f;
    m.shininess = 34;
    m.ambient = 0.4f;
    const V2 berries[] = {{24, 34}, {42, 31}, {60, 31}, {77, 35}, {33, 49},
                          {51, 48}, {69, 50}, {41, 64}, {60, 64}, {50, 79}};
    for (const V2& b : berries) {
        Shape s = circle(b.x, b.y, 10.5f);
        outlined(cv, s, m, 1.8f);
        glint(cv, s, b.x - 4, b.y - 4.5f, 2.8f, 1.8f, -35, 0.85f);
    }
}

void symStrawberry(Canvas& cv) {
    castShadow(cv, 48, 90, 24, 3.5f);
    std::vector<V2> half = {{48, 88}};
    cubicTo(half, {34, 84}, {14, 60}, {15, 42});
    cubicTo(half, {16, 26}, {32, 22}, {48, 26});
    std::vector<V2> pts = half;
    for (size_t i = half.size(); i-- > 1;) pts.push_back({96 - half[i].x, half[i].y});
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
            if (body(x, y) > -3.5f) continue;
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

void symBanana(Canvas& cv) {
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

void symPear(Canvas& cv) {
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

void symClover(Canvas& cv) {
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

} // namespace

const SymbolFn kSymbols[kSymbolCount] = {symCherries,   symLemon,  symBell,       symOrange, symSeven, symPlum,
                                         symWatermelon, symGrapes, symStrawberry, symBanana, symPear,  symClover};
const char* const kSymbolNames[kSymbolCount] = {"cherries",   "lemon",  "gold bell",  "orange", "red seven", "plum",
                                                "watermelon", "grapes", "strawberry", "banana", "pear",      "clover"};

Image drawSymbol(int i) {
    Canvas cv(96, 96, {255, 255, 255});
    kSymbols[i](cv);
    return cv.resolve();
}

} // namespace art
