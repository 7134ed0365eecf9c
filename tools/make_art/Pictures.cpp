// The embedded pictures: the title, the About box's picture and the pay
// table.
#include <array>
#include <string>

#include "game/PayTable.h"
#include "tools/make_art/Art.h"

namespace art {

Image drawTitle() {
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
    const std::array<std::array<float, 3>, 5> stars = {
        {{12, 14, 7}, {288, 60, 6}, {280, 10, 4.5f}, {22, 64, 4}, {150, 5, 3.5f}}};
    for (const auto& s : stars) {
        cv.place(0, 0, 1);
        Shape st = unite(star(s[0], s[1], s[2], s[2] * 0.2f, 4), star(s[0], s[1], s[2] * 0.5f, s[2] * 0.15f, 4, -45));
        cv.glow(circle(s[0], s[1], s[2] * 0.3f), rgb(255, 220, 120), 0.6f, s[2] * 0.5f);
        cv.fill(st, rgb(255, 250, 220));
    }
    return cv.resolve();
}

Image drawAbout() {
    const int W = 164, H = 50;
    Canvas cv(W, H, {0, 0, 0});
    cv.place(-1, 0, 0.5f);
    kSymbols[kCherries](cv);
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
Image drawPaytable() {
    const int W = 470, H = 100;
    Canvas cv(W, H, {0, 0, 0});
    const float colX0 = 112, colW = 89;
    const float rowY[2] = {22, 61};
    const float rowH = 38;

    // Frame and row bands.
    Shape frame = subtract(intersect(grow(polygon({{4, 4}, {466, 4}, {466, 96}, {4, 96}}), 3), circle(235, 50, 1000)),
                           grow(polygon({{5, 5}, {465, 5}, {465, 95}, {5, 95}}), 0.5f));
    cv.fill(frame, rgb(214, 160, 40));
    for (int r = 0; r < 2; ++r) {
        Shape band = grow(
            polygon({{8, rowY[r] + 2}, {462, rowY[r] + 2}, {462, rowY[r] + rowH - 1}, {8, rowY[r] + rowH - 1}}), 2);
        cv.fill(band, r == 0 ? rgb(40, 20, 70) : rgb(60, 10, 20));
    }
    // The two symbols at reduced size.
    const float symScale = 0.40f;
    const V2 symAt[2] = {{30, rowY[0] + 1}, {32, rowY[1] + 0.5f}};
    for (int r = 0; r < 2; ++r) {
        cv.place(symAt[r].x, symAt[r].y, symScale);
        kSymbols[paytable::kLines[r].symbol](cv);
    }
    cv.place(0, 0, 1);

    // The multipliers, right-aligned in their columns.
    const float cap = 18, gap = 1.9f;
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c) {
            std::string num = std::to_string(paytable::kLines[r].pays[c]);
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
            cv.fillWith(ns,
                        [&](float, float v) { return mix(rgb(255, 250, 200), rgb(255, 190, 30), (v - top) / cap); });
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

} // namespace art
