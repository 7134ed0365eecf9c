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
//   dist/icons/rullomat-*.png    the desktop icons (Icons.cpp)
//
// Everything is drawn procedurally: shapes are signed distance functions,
// rendered with 4 x 4 supersampling and shaded with a simple light from the
// upper left. The output is the same on every run (no clocks, no random
// numbers; the only noise is a fixed hash of the pixel position).
// The bitmaps then become C source through tools/bmp2c.
#include <array>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <vector>

#include "tools/make_art/Art.h"
#include "tools/make_art/Icons.h"
#include "tools/png/PngFile.h"

using namespace art;

namespace {

void makeDir(const std::string& path) { ::mkdir(path.c_str(), 0755); }

// The preview sheet: the reel sheet as it is, the symbols twice as large,
// the 16-colour pictures (title, pay table, About) as stored, once at their
// size on the black window background and then twice as large, and the
// markers enlarged on the default control grey.
Image previewSheet(const Image& sheet, const std::vector<Image>& symbols, const std::array<Image, 3>& pictures,
                   const std::vector<Image>& markerShown, const std::vector<bool>& markerRound) {
    const int PW = 1176;
    const int PH = 8 + 96 + 8 + 384 + 8 + 100 + 8 + 150 + 8 + 200 + 8 + 100 + 8;
    Image prev(PW, PH, rgb(60, 60, 66));
    int y = 8;
    prev.blit(sheet, 12, y);
    y += 96 + 8;
    for (int i = 0; i < kSymbolCount; ++i) prev.blit(symbols[size_t(i)], 12 + 192 * (i % 6), y + 192 * (i / 6), 2);
    y += 384 + 8;
    Image band(1152, 100, {0, 0, 0});
    band.blit(pictures[0], 0, 12);
    band.blit(pictures[1], 300 + 24, 0);
    band.blit(pictures[2], 300 + 24 + 470 + 24, 25);
    prev.blit(band, 12, y);
    y += 100 + 8;
    prev.blit(pictures[0], 12, y, 2);
    prev.blit(pictures[2], 12 + 600 + 16, y, 2);
    y += 150 + 8;
    prev.blit(pictures[1], 12, y, 2);
    y += 200 + 8;
    Image grey(8 * 88 + 8, 100, rgb(170, 170, 170));
    for (size_t i = 0; i < markerShown.size(); ++i) {
        Image shown = markerShown[i];
        // Black is transparent in the option markers: show the grey behind.
        if (markerRound[i])
            for (int yy = 0; yy < 20; ++yy)
                for (int xx = 0; xx < 20; ++xx) {
                    Col c = shown.at(xx, yy);
                    if (c.r == 0 && c.g == 0 && c.b == 0) shown.set(xx, yy, rgb(170, 170, 170));
                }
        grey.blit(shown, 8 + 88 * int(i), 4, 4);
        grey.blit(shown, 8 + 88 * int(i) + 30, 86);
    }
    prev.blit(grey, 12, y);
    return prev;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_art <repo-root>\n");
        return 2;
    }
    std::string root = argv[1];
    if (!root.empty() && root.back() != '/') root += '/';
    for (const char* d : {"Data", "game", "game/art", "controls", "controls/art", "docs", "dist", "dist/icons"})
        makeDir(root + d);
    bool ok = true;

    // Reel sheet.
    Image sheet(1152, 96, {255, 255, 255});
    std::vector<Image> symbols;
    for (int i = 0; i < kSymbolCount; ++i) {
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
    std::vector<bool> markerRound;
    for (const Marker& m : markers) {
        Indexed q = markerIndexed(m.img, m.round);
        ok = writeFile(root + m.path, bmp4(q)) && ok;
        markerShown.push_back(expand(q));
        markerRound.push_back(m.round);
    }

    Image preview = previewSheet(sheet, symbols, {expand(pics[0].q), expand(pics[1].q), expand(pics[2].q)}, markerShown,
                                 markerRound);
    ok = WritePng(root + "docs/art-preview.png", preview.w, preview.h, preview.rgb.data()) && ok;

    // Desktop icons, the symbols drawn at the icon's own size.
    ok = WriteIcons(root,
                    [](int symbol, int size, uint8_t background) {
                        const float grey = background;
                        Canvas cv(size, size, {grey, grey, grey});
                        cv.place(0, 0, float(size) / 96);
                        kSymbols[symbol](cv);
                        return cv.resolve().rgb;
                    }) &&
         ok;

    for (int i = 0; i < kSymbolCount; ++i) std::printf("symbol %2d: %s\n", i, kSymbolNames[i]);
    return ok ? 0 : 1;
}
