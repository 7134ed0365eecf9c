// The pieces of the art generator, one file each: the reel symbols, the two
// fonts, 16-colour pictures and the files they are written to, the pictures
// the program carries, the control markers and the sounds.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/make_art/Canvas.h"

namespace art {

// Symbols.cpp: the twelve reel symbols in the order of the reel sheet, each
// drawn into a 96 x 96 design space on the canvas.
constexpr int kSymbolCount = 12;
constexpr int kCherries = 0;
using SymbolFn = void (*)(Canvas&);
extern const SymbolFn kSymbols[kSymbolCount];
extern const char* const kSymbolNames[kSymbolCount];
Image drawSymbol(int i);

// StrokeFont.cpp: big lettering from polylines.
struct TextLayout {
    std::vector<std::vector<V2>> lines;
    float width; // in pixels
};

// Lays out `text` with capitals `capPx` pixels tall, the top of the capitals
// at `top`, starting at `left`; `slant` shears it to the right.
TextLayout layoutText(const std::string& text, float left, float top, float capPx, float gap, float slant = 0);
float textWidth(const std::string& text, float capPx, float gap);
// Gold lettering with a red rim and a dark edge.
void goldText(Canvas& cv, const TextLayout& t, float thick, float rim, float top, float bottom);

// PixelFont.cpp: a 5 x 7 pixel font for small labels. Draws text at pixel
// scale `k`, optionally bold (each column doubled); returns its width.
int pixelText(Image& img, const std::string& s, int x, int y, Col c, int k = 1, bool bold = false);
int pixelTextWidth(const std::string& s, int k, bool bold);

// Indexed.cpp: 16-colour pictures and the files they are written to.
struct Indexed {
    int w, h;
    std::array<Col, 16> pal;
    std::vector<uint8_t> idx;
};

// Picks a palette: the pinned colours first (index 0 is black), the rest
// chosen by a weighted k-means over the picture's colours. `exclude`
// pixels (mask true) are left out of the statistics.
std::array<Col, 16> choosePalette(const Image& img, const std::vector<Col>& pinned,
                                  const std::vector<bool>* exclude = nullptr);
// Maps every pixel to its nearest palette entry. Pixels flagged in
// `forceZero` become index 0; others never take index 0 unless their colour
// is black (so black stays reserved where the picture needs it).
Indexed quantize(const Image& img, const std::array<Col, 16>& pal, const std::vector<bool>* forceZero = nullptr,
                 bool reserveZero = false);
Image expand(const Indexed& q);
// A 4-bit BMP file.
std::vector<uint8_t> bmp4(const Indexed& q);
// Little-endian fields of the file formats.
void put16(std::vector<uint8_t>& v, uint32_t x);
void put32(std::vector<uint8_t>& v, uint32_t x);
// False, with a message, when the file cannot be written whole.
bool writeFile(const std::string& path, const std::vector<uint8_t>& data);

// Pictures.cpp: the title, the About box's picture and the pay table.
Image drawTitle();
Image drawAbout();
Image drawPaytable();

// Markers.cpp: check-box and option-box markers, 20 x 20.
Image drawCheck(bool on, bool enabled);
Image drawOption(bool on, bool enabled);
// Markers are drawn with black as the transparent colour: outside the ring
// is index 0, and nothing inside may come out as pure black.
Indexed markerIndexed(const Image& img, bool round);

// Sounds.cpp: mono 16-bit WAV files of the reel tick and the warning tone.
constexpr uint32_t kRate = 22050;
std::vector<uint8_t> wav(const std::vector<float>& samples, uint32_t rate);
std::vector<float> makeDing();
std::vector<float> makeBeep();

} // namespace art
