// Picture formats and their conversion into X images laid out as the
// server's images for the window are.
//   RGB buffer: width x height pixels of red, green, blue; rows top to bottom.
//   4-bit palette picture: 48 bytes of palette (16 x RGB), then the rows
//   bottom-up, ceil(width / 2) bytes each, high nibble = left pixel.
#pragma once
#include <X11/Xlib.h>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

class GUIElement;

// How the server lays out its pixels; filled once by ProbeImageFormat.
struct ImageFormatRecord {
    int format = 2; // ZPixmap
    int xoffset = 0;
    int bitmapPad = 0;
    int bitmapBitOrder = 0;
    int bitsPerPixel = 0;
    int depth = 0; // 0: not probed yet
    int ixRosso = 2;
    int ixVerde = 1;
    int ixBlu = 0;
};
extern ImageFormatRecord ImageFormat;

void ProbeImageFormat(GUIElement* element);

// New RGB buffer (malloc'd, the caller frees it); null on bad input.
unsigned char* DecodePalette4(int width, int height, const unsigned char* data);
// Bitmap files: a new RGB buffer and the picture's size, or null (with one
// trace-log line) when the file is missing, damaged or of another depth.
unsigned char* LoadBmp24(const std::string& path, int* width = nullptr, int* height = nullptr);
unsigned char* LoadBmp8(const std::string& path, int* width = nullptr, int* height = nullptr);
// Also writes the picture as C source text to path + ".c".
unsigned char* LoadBmp4(const std::string& path, int* width = nullptr, int* height = nullptr);

// The X image of an RGB buffer for the display of element's form; null for a
// null buffer. Destroy it with DestroyXImage.
XImage* CreateXImage(GUIElement* element, const unsigned char* rgb, int width, int height);
void DestroyXImage(XImage* image);

// Owners of the two kinds of picture memory handed out here: an RGB buffer
// (from the decoders and loaders, released with free) and an X image made
// by CreateXImage.
struct FreeRgb {
    void operator()(unsigned char* rgb) const { std::free(rgb); }
};
using RgbBuffer = std::unique_ptr<unsigned char, FreeRgb>;
struct DestroyImage {
    void operator()(XImage* image) const { DestroyXImage(image); }
};
using XImagePtr = std::unique_ptr<XImage, DestroyImage>;

// The X image of a 4-bit palette picture for element's form, or null; the
// decoded buffer is freed before it returns.
XImagePtr PaletteXImage(GUIElement* element, int width, int height, const void* data);
Pixmap CreatePixmapFromImage(GUIElement* element, XImage* image);
