// Check-box and option-box markers, 20 x 20.
#include <vector>

#include "tools/make_art/Art.h"

namespace art {

Image drawCheck(bool on, bool enabled) {
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

Image drawOption(bool on, bool enabled) {
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

Indexed markerIndexed(const Image& img, bool round) {
    std::vector<bool> outside(size_t(img.w) * size_t(img.h), false);
    if (round)
        for (int y = 0; y < img.h; ++y)
            for (int x = 0; x < img.w; ++x)
                outside[size_t(y) * size_t(img.w) + size_t(x)] =
                    std::hypot(float(x) + 0.5f - 10, float(y) + 0.5f - 10) > 9.45f;
    auto pal = choosePalette(img, {{0, 0, 0}}, &outside);
    // Keep every colour used inside the marker off pure black.
    for (size_t k = 1; k < 16; ++k)
        if (pal[k].r + pal[k].g + pal[k].b < 48) pal[k] = mix(pal[k], rgb(16, 16, 16), 1.0f);
    return quantize(img, pal, &outside, true);
}

} // namespace art
