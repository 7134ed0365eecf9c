#include "gfx/Picture.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/Application.h"
#include "app/Form.h"
#include "app/Log.h"
#include "app/Screen.h"
#include "gfx/Graphics.h"
#include "util/Files.h"
#include "util/Strings.h"

ImageFormatRecord ImageFormat;

namespace {

// Pictures larger than this on either side are refused.
constexpr int kMaxSide = 16384;
constexpr int kBmpHeaderBytes = 54;
constexpr int kMaxPaletteBytes = 1024;
constexpr int kPalette4Bytes = 48;

// The probe colour: each channel a different byte value.
constexpr int kProbeColor = 0xCF3B76;
constexpr unsigned char kProbeRed = 0xCF, kProbeGreen = 0x3B, kProbeBlue = 0x76;

// The form an element draws on; with none, the main window.
Form* FormFor(GUIElement* element) {
    Form* form = Application::GetForm(element);
    if (form == nullptr && !Application::forms.empty()) form = Application::forms[0];
    return form;
}

Display* DisplayFor(Form* form) {
    if (form != nullptr && form->GetDisplay() != nullptr) return form->GetDisplay();
    return DefaultScreen != nullptr ? DefaultScreen->GetDisplay() : nullptr;
}

Visual* VisualFor(Form* form, Display* d) {
    Screen* screen = form != nullptr && form->GetScreen() != nullptr ? form->GetScreen() : DefaultScreen;
    if (screen != nullptr && screen->GetDisplay() == d && screen->GetVisualInfo() != nullptr)
        return screen->GetVisualInfo()->visual;
    return DefaultVisual(d, DefaultScreen(d));
}

// Reads the probe pixel from the window itself when its top-left corner can
// be read back (the window is mapped and that corner is on the screen).
XImage* ProbeOnWindow(Form* form, Display* d) {
    Window window = form != nullptr ? form->GetWindow() : 0;
    if (window == 0) return nullptr;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d, window, &attributes) || attributes.map_state != IsViewable) return nullptr;
    int rootX = 0, rootY = 0;
    Window child;
    if (!XTranslateCoordinates(d, window, attributes.root, 0, 0, &rootX, &rootY, &child)) return nullptr;
    XWindowAttributes rootAttributes;
    if (!XGetWindowAttributes(d, attributes.root, &rootAttributes)) return nullptr;
    if (rootX < 0 || rootY < 0 || rootX >= rootAttributes.width || rootY >= rootAttributes.height) return nullptr;
    Graphics g(form);
    if (!g.IsValid()) return nullptr;
    g.DrawPoint(0, 0, kProbeColor);
    return XGetImage(d, window, 0, 0, 1, 1, AllPlanes, ZPixmap);
}

// Otherwise the same pixel goes through a 1 x 1 pixmap of the window's depth
// (or the screen's), whose images are laid out as the window's are.
XImage* ProbeOnPixmap(Form* form, Display* d) {
    Window window = form != nullptr ? form->GetWindow() : 0;
    Drawable base = window != 0 ? window : DefaultRootWindow(d);
    unsigned depth = static_cast<unsigned>(DefaultDepth(d, DefaultScreen(d)));
    XWindowAttributes attributes;
    if (window != 0 && XGetWindowAttributes(d, window, &attributes)) depth = static_cast<unsigned>(attributes.depth);
    Pixmap pixmap = XCreatePixmap(d, base, 1, 1, depth);
    if (pixmap == 0) return nullptr;
    XImage* image = nullptr;
    GC gc = XCreateGC(d, pixmap, 0, nullptr);
    if (gc != nullptr) {
        XSetForeground(d, gc, kProbeColor);
        XDrawPoint(d, pixmap, gc, 0, 0);
        image = XGetImage(d, pixmap, 0, 0, 1, 1, AllPlanes, ZPixmap);
        XFreeGC(d, gc);
    }
    XFreePixmap(d, pixmap);
    return image;
}

void Warn(bool condition, const char* text, int value) {
    if (condition) Log(std::string(text) + IntToStr(value));
}

// Keeps the probe image's layout, warning of each field that is not the
// usual one of a 24-bit TrueColor server.
void RecordLayout(const XImage* image) {
    ImageFormat.format = image->format;
    ImageFormat.xoffset = image->xoffset;
    ImageFormat.bitmapPad = image->bitmap_pad;
    ImageFormat.bitmapBitOrder = image->bitmap_bit_order;
    ImageFormat.bitsPerPixel = image->bits_per_pixel;
    ImageFormat.depth = image->depth;

    Warn(image->format != 2, "WARNING img->format: ", image->format);
    Warn(image->xoffset != 0, "WARNING img->xoffset: ", image->xoffset);
    Warn(image->bitmap_pad != 32, "WARNING img->bitmap_pad: ", image->bitmap_pad);
    Warn(image->bitmap_unit != 32, "WARNING img->bitmap_unit: ", image->bitmap_unit);
    Warn(image->depth != 24, "WARNING img->depth: ", image->depth);
    Warn(image->bits_per_pixel != 32, "WARNING img->bits_per_pixel: ", image->bits_per_pixel);
    Warn(image->bitmap_bit_order != 0, "WARNING img->bitmap_bit_order: ", image->bitmap_bit_order);
    Warn(image->byte_order != 0, "WARNING img->byte_order: ", image->byte_order);
}

// Finds the byte of each channel in the probe pixel; a channel not found
// keeps its index and is warned of, as is one not in the usual place.
void FindChannels(const XImage* image) {
    bool foundRed = false, foundGreen = false, foundBlue = false;
    const int bytes = std::min(std::max(image->bits_per_pixel / 8, 0), std::min(image->bytes_per_line, 8));
    const unsigned char* pixel = reinterpret_cast<const unsigned char*>(image->data);
    for (int i = 0; i < bytes; ++i) {
        if (pixel[i] == kProbeRed) {
            ImageFormat.ixRosso = i;
            foundRed = true;
        }
        if (pixel[i] == kProbeGreen) {
            ImageFormat.ixVerde = i;
            foundGreen = true;
        }
        if (pixel[i] == kProbeBlue) {
            ImageFormat.ixBlu = i;
            foundBlue = true;
        }
    }
    const bool all = foundRed && foundGreen && foundBlue;
    Warn(!all || ImageFormat.ixRosso != 2, "WARNING MyImage::ixRosso: ", ImageFormat.ixRosso);
    Warn(!all || ImageFormat.ixVerde != 1, "WARNING MyImage::ixVerde: ", ImageFormat.ixVerde);
    Warn(!all || ImageFormat.ixBlu != 0, "WARNING MyImage::ixBlu: ", ImageFormat.ixBlu);
}

} // namespace

void ProbeImageFormat(GUIElement* element) {
    if (ImageFormat.depth != 0) return;
    Form* form = FormFor(element);
    Display* d = DisplayFor(form);
    if (d == nullptr) {
        Log("ProbeImageFormat: no display");
        return;
    }
    XImage* image = ProbeOnWindow(form, d);
    if (image == nullptr) image = ProbeOnPixmap(form, d);
    if (image == nullptr) {
        Log("ProbeImageFormat: XGetImage failed");
        return;
    }

    RecordLayout(image);
    FindChannels(image);
    XDestroyImage(image);
}

unsigned char* DecodePalette4(int width, int height, const unsigned char* data) {
    if (data == nullptr) return nullptr;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        Log("DecodePalette4: bad size " + IntToStr(width) + "x" + IntToStr(height));
        return nullptr;
    }
    const size_t rowBytes = (static_cast<size_t>(width) + 1) / 2;
    unsigned char* rgb = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(width) * height * 3));
    if (rgb == nullptr) {
        Log("DecodePalette4: out of memory");
        return nullptr;
    }
    const unsigned char* palette = data;
    for (int r = 0; r < height; ++r) {
        const unsigned char* src = data + kPalette4Bytes + static_cast<size_t>(r) * rowBytes;
        unsigned char* dst = rgb + static_cast<size_t>(height - 1 - r) * width * 3;
        for (int x = 0; x < width; ++x) {
            unsigned char byte = src[x / 2];
            int index = x % 2 == 0 ? byte >> 4 : byte & 0x0F;
            std::memcpy(dst + static_cast<size_t>(x) * 3, palette + index * 3, 3);
        }
    }
    return rgb;
}

namespace {

uint32_t U32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}
int32_t S32(const unsigned char* p) { return static_cast<int32_t>(U32(p)); }
uint16_t U16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// A bitmap file read and checked: the header fields, the palette (4-byte
// entries blue, green, red, unused) and the rows, bottom row first, each
// padded to a multiple of 4 bytes.
struct Bitmap {
    std::vector<unsigned char> bytes;
    int width = 0;
    int height = 0;
    size_t paletteStart = 0;
    size_t paletteEntries = 0;
    size_t dataStart = 0;
    size_t rowBytes = 0;

    const unsigned char* Row(int r) const { return bytes.data() + dataStart + static_cast<size_t>(r) * rowBytes; }
    // An index past the palette's end stands for black.
    void Colour(unsigned index, unsigned char* rgb) const {
        if (index >= paletteEntries) {
            rgb[0] = rgb[1] = rgb[2] = 0;
            return;
        }
        const unsigned char* entry = bytes.data() + paletteStart + index * 4;
        rgb[0] = entry[2];
        rgb[1] = entry[1];
        rgb[2] = entry[0];
    }
};

std::string PlaceRows(const unsigned char* header, int bits, int64_t fileSize, Bitmap& bmp);

// Checks the 54-byte header of a bitmap of the given depth in a file of
// fileSize bytes and fills in the layout it gives; "" when it holds, else
// what is wrong. The rows are not read yet.
std::string CheckHeader(const unsigned char* header, int bits, int64_t fileSize, Bitmap& bmp) {
    if (header[0] != 'B' || header[1] != 'M') return "not a bitmap";
    const int fileBits = U16(header + 28);
    if (fileBits != bits) return IntToStr(fileBits) + " bits per pixel, not " + IntToStr(bits);
    if (U32(header + 30) != 0) return "compressed bitmap";
    const int64_t width = S32(header + 18);
    const int64_t height = S32(header + 22);
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return "bad size " + IntToStr(width) + "x" + IntToStr(height);
    bmp.width = static_cast<int>(width);
    bmp.height = static_cast<int>(height);
    return PlaceRows(header, bits, fileSize, bmp);
}

// The palette and the rows of a header whose size holds: "" when they lie
// in the file, else what is wrong.
std::string PlaceRows(const unsigned char* header, int bits, int64_t fileSize, Bitmap& bmp) {
    const int64_t width = bmp.width, height = bmp.height;
    const int64_t infoBytes = U32(header + 14);
    const int64_t offset = U32(header + 10);
    const int64_t paletteStart = 14 + infoBytes;
    if (infoBytes < 40 || offset < paletteStart) return "bad header";
    if (offset > fileSize) return "data offset past the end";
    if (bits <= 8 && offset - paletteStart > kMaxPaletteBytes) return "palette over 1024 bytes";

    const int64_t lineBytes = bits == 24 ? width * 3 : bits == 8 ? width : (width + 1) / 2;
    const int64_t rowBytes = (lineBytes + 3) / 4 * 4;
    if (offset + rowBytes * height > fileSize) return "short rows";
    bmp.paletteStart = static_cast<size_t>(paletteStart);
    bmp.paletteEntries = bits <= 8 ? static_cast<size_t>(offset - paletteStart) / 4 : 0;
    bmp.dataStart = static_cast<size_t>(offset);
    bmp.rowBytes = static_cast<size_t>(rowBytes);
    return "";
}

// Reads a bitmap of the given depth. On any fault: one trace-log line, false.
// Only a regular file is opened: a FIFO or a device is refused at once
// rather than waited on.
bool ReadBitmap(const std::string& path, int bits, const char* who, Bitmap& bmp) {
    auto fail = [&](const std::string& why) {
        Log(std::string(who) + ": " + why + ": " + path);
        return false;
    };
    BinaryFile in;
    if (!in.OpenForReading(path)) return fail(FileExists(path) ? "not a regular file" : "cannot open");
    const int64_t fileSize = FileSize(path);
    if (fileSize < kBmpHeaderBytes) return fail("truncated header");

    unsigned char header[kBmpHeaderBytes];
    if (in.ReadAt(0, header, kBmpHeaderBytes) != kBmpHeaderBytes) return fail("truncated header");
    const std::string why = CheckHeader(header, bits, fileSize, bmp);
    if (!why.empty()) return fail(why);

    const int64_t needed = static_cast<int64_t>(bmp.dataStart + bmp.rowBytes * static_cast<size_t>(bmp.height));
    bmp.bytes.resize(static_cast<size_t>(needed));
    std::memcpy(bmp.bytes.data(), header, kBmpHeaderBytes);
    if (in.ReadAt(kBmpHeaderBytes, bmp.bytes.data() + kBmpHeaderBytes, needed - kBmpHeaderBytes) !=
        needed - kBmpHeaderBytes)
        return fail("short rows");
    return true;
}

unsigned char* NewRgb(const Bitmap& bmp, const char* who, const std::string& path) {
    unsigned char* rgb = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(bmp.width) * bmp.height * 3));
    if (rgb == nullptr) Log(std::string(who) + ": out of memory: " + path);
    return rgb;
}

void Hand(const Bitmap& bmp, int* width, int* height) {
    if (width != nullptr) *width = bmp.width;
    if (height != nullptr) *height = bmp.height;
}

unsigned char* OutputRow(unsigned char* rgb, const Bitmap& bmp, int r) {
    return rgb + static_cast<size_t>(bmp.height - 1 - r) * bmp.width * 3;
}

// The C source text of a 4-bit picture: its width, its height and its bytes
// in the 4-bit palette format (16 palette entries, then the unpadded rows,
// bottom row first).
std::string Palette4Source(const std::string& path, const Bitmap& bmp) {
    std::string name = PathFileName(path);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos) name = name.substr(0, dot);
    name = StrUpper(name);

    std::string text;
    text.reserve(static_cast<size_t>(5 * (48 + bmp.height * (bmp.width / 2 + 2))) + 128);
    text += "int w" + name + " = " + IntToStr(bmp.width) + ";\n";
    text += "int h" + name + " = " + IntToStr(bmp.height) + ";\n\n";
    text += "char img" + name + "[] = {\n";
    auto put = [&text](unsigned char byte) {
        text += "0x";
        text += ByteToHex(byte);
        text += ',';
    };
    for (unsigned i = 0; i < 16; ++i) {
        unsigned char rgb[3];
        bmp.Colour(i, rgb);
        put(rgb[0]);
        put(rgb[1]);
        put(rgb[2]);
    }
    text += "\n";
    const size_t lineBytes = (static_cast<size_t>(bmp.width) + 1) / 2;
    for (int r = 0; r < bmp.height; ++r) {
        const unsigned char* row = bmp.Row(r);
        for (size_t i = 0; i < lineBytes; ++i) put(row[i]);
        text += "\n";
    }
    text += "};\n";
    return text;
}

// The bytes of one image row: lineBytes rounded up to the pad, with a
// trace-log warning when padding was needed.
int64_t PaddedLine(int64_t lineBytes, int64_t padBytes, int width) {
    if (lineBytes % padBytes == 0) return lineBytes;
    const int64_t stride = (lineBytes / padBytes + 1) * padBytes;
    Log("WARNING img width: " + IntToStr(width) + " - bytes_per_line_Pad != bytes_per_line: " + IntToStr(stride) + " " +
        IntToStr(lineBytes));
    return stride;
}

// Writes each RGB pixel into the server's channel bytes of the image rows.
// Channels that do not fit in a pixel are left out rather than written into
// the next one.
void SpreadChannels(const unsigned char* rgb, int width, int height, unsigned char* buffer, int bytesPerPixel,
                    int64_t stride) {
    const int ir = ImageFormat.ixRosso < bytesPerPixel ? ImageFormat.ixRosso : -1;
    const int ig = ImageFormat.ixVerde < bytesPerPixel ? ImageFormat.ixVerde : -1;
    const int ib = ImageFormat.ixBlu < bytesPerPixel ? ImageFormat.ixBlu : -1;
    const unsigned char* src = rgb;
    for (int y = 0; y < height; ++y) {
        unsigned char* dst = buffer + y * stride;
        for (int x = 0; x < width; ++x, src += 3, dst += bytesPerPixel) {
            if (ir >= 0) dst[ir] = src[0];
            if (ig >= 0) dst[ig] = src[1];
            if (ib >= 0) dst[ib] = src[2];
        }
    }
}

} // namespace

unsigned char* LoadBmp24(const std::string& path, int* width, int* height) {
    Bitmap bmp;
    if (!ReadBitmap(path, 24, "LoadBmp24", bmp)) return nullptr;
    unsigned char* rgb = NewRgb(bmp, "LoadBmp24", path);
    if (rgb == nullptr) return nullptr;
    for (int r = 0; r < bmp.height; ++r) {
        const unsigned char* src = bmp.Row(r);
        unsigned char* dst = OutputRow(rgb, bmp, r);
        for (int x = 0; x < bmp.width; ++x, src += 3, dst += 3) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
        }
    }
    Hand(bmp, width, height);
    return rgb;
}

unsigned char* LoadBmp8(const std::string& path, int* width, int* height) {
    Bitmap bmp;
    if (!ReadBitmap(path, 8, "LoadBmp8", bmp)) return nullptr;
    unsigned char* rgb = NewRgb(bmp, "LoadBmp8", path);
    if (rgb == nullptr) return nullptr;
    for (int r = 0; r < bmp.height; ++r) {
        const unsigned char* src = bmp.Row(r);
        unsigned char* dst = OutputRow(rgb, bmp, r);
        for (int x = 0; x < bmp.width; ++x) bmp.Colour(src[x], dst + static_cast<size_t>(x) * 3);
    }
    Hand(bmp, width, height);
    return rgb;
}

unsigned char* LoadBmp4(const std::string& path, int* width, int* height) {
    Bitmap bmp;
    if (!ReadBitmap(path, 4, "LoadBmp4", bmp)) return nullptr;
    unsigned char* rgb = NewRgb(bmp, "LoadBmp4", path);
    if (rgb == nullptr) return nullptr;
    for (int r = 0; r < bmp.height; ++r) {
        const unsigned char* src = bmp.Row(r);
        unsigned char* dst = OutputRow(rgb, bmp, r);
        for (int x = 0; x < bmp.width; ++x) {
            unsigned char byte = src[x / 2];
            bmp.Colour(x % 2 == 0 ? byte >> 4 : byte & 0x0F, dst + static_cast<size_t>(x) * 3);
        }
    }

    const std::string source = path + ".c";
    if (FileExists(source)) FileRemove(source);
    TextFile out(source);
    out.WriteLines({Palette4Source(path, bmp)});
    if (out.Failed()) Log("LoadBmp4: cannot write " + source);
    Hand(bmp, width, height);
    return rgb;
}

XImage* CreateXImage(GUIElement* element, const unsigned char* rgb, int width, int height) {
    if (rgb == nullptr) return nullptr;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        Log("CreateXImage: bad size " + IntToStr(width) + "x" + IntToStr(height));
        return nullptr;
    }
    ProbeImageFormat(element);
    Form* form = FormFor(element);
    Display* d = DisplayFor(form);
    if (ImageFormat.depth == 0 || d == nullptr) return nullptr;

    const int bytesPerPixel = ImageFormat.bitsPerPixel / 8;
    if (bytesPerPixel < 1) {
        Log("CreateXImage: unsupported pixel size " + IntToStr(ImageFormat.bitsPerPixel));
        return nullptr;
    }
    const int64_t padBytes = ImageFormat.bitmapPad >= 8 ? ImageFormat.bitmapPad / 8 : 1;
    const int64_t stride = PaddedLine(int64_t{bytesPerPixel} * width, padBytes, width);
    if (stride * height > INT_MAX) {
        Log("CreateXImage: picture too large");
        return nullptr;
    }
    unsigned char* buffer = static_cast<unsigned char*>(std::calloc(static_cast<size_t>(stride * height), 1));
    if (buffer == nullptr) {
        Log("CreateXImage: out of memory");
        return nullptr;
    }
    SpreadChannels(rgb, width, height, buffer, bytesPerPixel, stride);
    XImage* image =
        XCreateImage(d, VisualFor(form, d), static_cast<unsigned>(ImageFormat.depth), ImageFormat.format,
                     ImageFormat.xoffset, reinterpret_cast<char*>(buffer), static_cast<unsigned>(width),
                     static_cast<unsigned>(height), static_cast<int>(padBytes * 8), static_cast<int>(stride));
    if (image == nullptr) {
        std::free(buffer);
        Log("CreateXImage: XCreateImage failed");
    }
    return image;
}

void DestroyXImage(XImage* image) {
    if (image != nullptr) XDestroyImage(image);
}

XImagePtr PaletteXImage(GUIElement* element, int width, int height, const void* data) {
    const RgbBuffer rgb(DecodePalette4(width, height, static_cast<const unsigned char*>(data)));
    return XImagePtr(CreateXImage(element, rgb.get(), width, height));
}

Pixmap CreatePixmapFromImage(GUIElement* element, XImage* image) {
    if (image == nullptr || image->width <= 0 || image->height <= 0) return 0;
    Form* form = FormFor(element);
    Display* d = DisplayFor(form);
    if (d == nullptr) return 0;
    Drawable base = form != nullptr && form->GetWindow() != 0 ? form->GetWindow() : DefaultRootWindow(d);
    const unsigned w = static_cast<unsigned>(image->width), h = static_cast<unsigned>(image->height);
    Pixmap pixmap = XCreatePixmap(d, base, w, h, static_cast<unsigned>(image->depth));
    XGCValues values{};
    values.cap_style = 0;
    values.join_style = 0;
    GC gc = XCreateGC(d, pixmap, GCCapStyle | GCJoinStyle, &values);
    if (gc == nullptr) {
        Log("Errore XCreateGC");
        return pixmap;
    }
    XPutImage(d, pixmap, gc, image, 0, 0, 0, 0, w, h);
    XFreeGC(d, gc);
    XFlush(d);
    return pixmap;
}
