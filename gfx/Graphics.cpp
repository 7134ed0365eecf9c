#include "gfx/Graphics.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/Application.h"
#include "app/Form.h"
#include "app/Log.h"
#include "gfx/Picture.h"
#include "util/Strings.h"

namespace {

// Metrics used when not even the server's "fixed" font can be had.
constexpr int kFallbackAscent = 12;
constexpr int kFallbackCharWidth = 8;
constexpr int kFullTurn = 360 * 64;

Form* MainForm() { return Application::forms.empty() ? nullptr : Application::forms[0]; }

// The server's "fixed" font, loaded once per display when the main window's
// own font cannot be loaded, so that text still draws.
struct FallbackFont {
    Display* display = nullptr;
    XFontStruct* font = nullptr;
};
FallbackFont fallback;

XFontStruct* LookUpMainFont(Display* d) {
    Form* main = MainForm();
    Display* mainDisplay = main != nullptr && main->GetDisplay() != nullptr ? main->GetDisplay() : d;
    if (main != nullptr && mainDisplay != nullptr) {
        if (XFontStruct* f = main->GetFont().GetFontStruct(mainDisplay)) return f;
    }
    if (mainDisplay == nullptr) return nullptr;
    if (fallback.display != mainDisplay) {
        fallback.display = mainDisplay;
        fallback.font = XLoadQueryFont(mainDisplay, "fixed");
        if (fallback.font == nullptr) Log("XLoadQueryFont failed: fixed");
    }
    return fallback.font;
}

unsigned long PixelOf(int color) { return static_cast<unsigned long>(static_cast<uint32_t>(color)); }

// A start below 0 moves up to 0: the length shortens and the start on the
// other side (destination or source) moves along by as much.
template <typename T>
void ClampStart(T& start, T& length, T& other) {
    if (start >= 0) return;
    length += start;
    other -= start;
    start = 0;
}

// Narrows a source rectangle to the pixels the picture has. A width or
// height of 0 stands for the picture's own. Moves the destination along
// when the source starts left of or above the picture. False: nothing left.
bool ClipToImage(const XImage* image, int& x, int& y, int& w, int& h, int& srcX, int& srcY) {
    if (image == nullptr || image->width <= 0 || image->height <= 0) return false;
    int64_t cw = w == 0 ? image->width : w;
    int64_t ch = h == 0 ? image->height : h;
    if (cw < 0 || ch < 0) return false;
    int64_t dx = x, dy = y, sx = srcX, sy = srcY;
    ClampStart(sx, cw, dx);
    ClampStart(sy, ch, dy);
    cw = std::min<int64_t>(cw, image->width - sx);
    ch = std::min<int64_t>(ch, image->height - sy);
    if (cw <= 0 || ch <= 0 || dx > INT32_MAX || dy > INT32_MAX) return false;
    x = static_cast<int>(dx);
    y = static_cast<int>(dy);
    w = static_cast<int>(cw);
    h = static_cast<int>(ch);
    srcX = static_cast<int>(sx);
    srcY = static_cast<int>(sy);
    return true;
}

// A new image holding a copy of the w x h area at (srcX, srcY) of a
// byte-addressable ZPixmap image; the area must lie inside it.
XImage* CopyImageArea(Display* d, Visual* visual, const XImage* src, int srcX, int srcY, int w, int h) {
    const int bytesPerPixel = src->bits_per_pixel / 8;
    const int pad = src->bitmap_pad > 0 ? src->bitmap_pad / 8 : 1;
    const int64_t lineBytes = static_cast<int64_t>(w) * bytesPerPixel;
    const int64_t stride = (lineBytes + pad - 1) / pad * pad;
    char* buffer = static_cast<char*>(std::calloc(static_cast<size_t>(stride * h), 1));
    if (buffer == nullptr) return nullptr;
    for (int row = 0; row < h; ++row)
        std::memcpy(buffer + row * stride,
                    src->data + static_cast<int64_t>(srcY + row) * src->bytes_per_line +
                        static_cast<int64_t>(srcX) * bytesPerPixel,
                    static_cast<size_t>(lineBytes));
    XImage* copy = XCreateImage(d, visual, static_cast<unsigned>(src->depth), ZPixmap, 0, buffer,
                                static_cast<unsigned>(w), static_cast<unsigned>(h), pad * 8, static_cast<int>(stride));
    if (copy == nullptr) {
        std::free(buffer);
        return nullptr;
    }
    copy->byte_order = src->byte_order;
    return copy;
}

// Line fitting: the length of the first `length` bytes of text that fit in
// w pixels. A cut inside a word moves back to the space before that word
// (the space goes too); a single over-long word is broken between letters.
// cut tells whether anything was dropped.
size_t FitLine(XFontStruct* f, const std::string& text, size_t length, int w, std::vector<int64_t>& prefix, bool& cut) {
    cut = false;
    if (w <= 0) return length;
    // The widths of the line's prefixes: a line's width is the sum of its
    // characters' widths, so each shortening is measured at once.
    prefix.assign(length + 1, 0);
    for (size_t i = 0; i < length; ++i)
        prefix[i + 1] = prefix[i] + (f != nullptr ? XTextWidth(f, &text[i], 1) : kFallbackCharWidth);
    while (length > 0 && prefix[length] > w) {
        --length;
        cut = true;
        if (std::isalpha(static_cast<unsigned char>(text[length])) && length > 0) {
            size_t space = text.rfind(' ', length - 1);
            if (space != std::string::npos) length = space;
        }
    }
    return length;
}

// Alignment: where a line of the given width starts in a box w wide at x.
// Align 0 is left, 1 right, anything else centred; a line that was cut, an
// empty line or a box without a width starts at x.
int LineLeft(int x, int w, int width, int align, bool cut) {
    if (w <= 0 || cut || align == 0 || width == 0) return x;
    if (align == 1) return x + w - width;
    return x + (w - width) / 2;
}

// True when each of the image's pixels has a byte of its own for red, green
// and blue, so that a colour can be compared and replaced channel by channel.
bool HasByteChannels(const XImage* image) {
    const int bytesPerPixel = image->bits_per_pixel / 8;
    return image->format == ZPixmap && image->bits_per_pixel % 8 == 0 && bytesPerPixel >= 3 &&
           ImageFormat.ixRosso < bytesPerPixel && ImageFormat.ixVerde < bytesPerPixel &&
           ImageFormat.ixBlu < bytesPerPixel;
}

// Every pixel of the w x h copy that has the key colour takes the pixel of
// back (the window's own) at the same place; both have the picture's pixel size.
void ReplaceKeyColour(XImage* copy, const XImage* back, int bytesPerPixel, int w, int h, int key) {
    const unsigned char red = static_cast<unsigned char>((key >> 16) & 0xFF);
    const unsigned char green = static_cast<unsigned char>((key >> 8) & 0xFF);
    const unsigned char blue = static_cast<unsigned char>(key & 0xFF);
    const int ir = ImageFormat.ixRosso, ig = ImageFormat.ixVerde, ib = ImageFormat.ixBlu;
    for (int row = 0; row < h; ++row) {
        unsigned char* p =
            reinterpret_cast<unsigned char*>(copy->data) + static_cast<int64_t>(row) * copy->bytes_per_line;
        const unsigned char* q =
            reinterpret_cast<unsigned char*>(back->data) + static_cast<int64_t>(row) * back->bytes_per_line;
        for (int col = 0; col < w; ++col, p += bytesPerPixel, q += bytesPerPixel) {
            if (p[ir] == red && p[ig] == green && p[ib] == blue) {
                p[ir] = q[ir];
                p[ig] = q[ig];
                p[ib] = q[ib];
            }
        }
    }
}

} // namespace

Graphics::Graphics(Form* ownerForm) : owner(ownerForm != nullptr ? ownerForm : MainForm()) {
    Display* d = GetDisplay();
    Drawable drawable = GetDrawable();
    if (d != nullptr && drawable != 0) {
        XGCValues values{};
        values.cap_style = 0;
        values.join_style = 0;
        gc = XCreateGC(d, drawable, GCCapStyle | GCJoinStyle, &values);
    }
    if (gc == nullptr) {
        Log("Errore nella creazione del GC");
        return;
    }
    int screen = owner->GetScreen() != nullptr ? owner->GetScreen()->GetScreenNumber() : DefaultScreen(d);
    XSetForeground(d, gc, WhitePixel(d, screen));
    XSetBackground(d, gc, BlackPixel(d, screen));
    XSetFillStyle(d, gc, FillSolid);
    XSetLineAttributes(d, gc, 1, LineSolid, CapRound, JoinRound);
}

Graphics::~Graphics() {
    if (gc == nullptr) return;
    if (Display* d = GetDisplay()) XFreeGC(d, gc);
    gc = nullptr;
}

Display* Graphics::GetDisplay() const { return owner != nullptr ? owner->GetDisplay() : nullptr; }

Drawable Graphics::GetDrawable() const { return owner != nullptr ? owner->GetWindow() : 0; }

XFontStruct* Graphics::TextFont() {
    if (!fontResolved) {
        fontResolved = true;
        font = LookUpMainFont(GetDisplay());
        if (font != nullptr && gc != nullptr && GetDisplay() != nullptr) XSetFont(GetDisplay(), gc, font->fid);
    }
    return font;
}

void Graphics::SetColor(int color) {
    if (color != -1) XSetForeground(GetDisplay(), gc, PixelOf(color));
}

void Graphics::Flush() {
    if (Display* d = GetDisplay()) XFlush(d);
}

void Graphics::LineAttributes(int width, int style) {
    XSetLineAttributes(GetDisplay(), gc, static_cast<unsigned>(width), style, CapRound, JoinRound);
}

int Graphics::Ascent() {
    XFontStruct* f = TextFont();
    return f != nullptr ? f->ascent : kFallbackAscent;
}

int Graphics::LineHeight() { return Ascent() + 1; }

int Graphics::LineStep() {
    int ascent = Ascent();
    return ascent > 15 ? ascent + 1 : 15;
}

int Graphics::CharWidth() {
    XFontStruct* f = TextFont();
    return f != nullptr ? XTextWidth(f, "M", 1) : kFallbackCharWidth;
}

namespace {
// Only the display is needed, not a GC: the main window's font is measured
// without drawing anything.
XFontStruct* MainFontWithoutGC() {
    Form* main = MainForm();
    return LookUpMainFont(main != nullptr ? main->GetDisplay() : nullptr);
}
} // namespace

int Graphics::TextWidth(const std::string& text) {
    XFontStruct* f = MainFontWithoutGC();
    int charWidth = f != nullptr ? XTextWidth(f, "M", 1) : kFallbackCharWidth;
    return charWidth * static_cast<int>(text.size());
}

int Graphics::MainAscent() {
    XFontStruct* f = MainFontWithoutGC();
    return f != nullptr ? f->ascent : kFallbackAscent;
}

int Graphics::TextLineWidth(const std::string& text) {
    XFontStruct* f = TextFont();
    int n = static_cast<int>(std::min<size_t>(text.size(), INT32_MAX));
    return f != nullptr ? XTextWidth(f, text.data(), n) : kFallbackCharWidth * n;
}

void Graphics::DrawPoint(int x, int y, int color) {
    if (gc == nullptr) return;
    XSetForeground(GetDisplay(), gc, PixelOf(color));
    XDrawPoint(GetDisplay(), GetDrawable(), gc, x, y);
    Flush();
}

void Graphics::DrawLine(int x1, int y1, int x2, int y2, int, int color) {
    if (gc == nullptr) return;
    SetColor(color);
    XDrawLine(GetDisplay(), GetDrawable(), gc, x1, y1, x2, y2);
    Flush();
}

void Graphics::DrawLine(int x1, int y1, int x2, int y2, int style, int, int color) {
    if (gc == nullptr) return;
    SetColor(color);
    int dash = style == 1 ? LineOnOffDash : style == 2 ? LineDoubleDash : LineSolid;
    if (dash != LineSolid) LineAttributes(1, dash);
    XDrawLine(GetDisplay(), GetDrawable(), gc, x1, y1, x2, y2);
    if (dash != LineSolid) LineAttributes(1, LineSolid);
    Flush();
}

void Graphics::DrawLinesNoFlush(XPoint* points, int count, int color) {
    SetColor(color);
    if (points == nullptr || count <= 0) return;
    XDrawLines(GetDisplay(), GetDrawable(), gc, points, count, CoordModeOrigin);
}

void Graphics::DrawLines(XPoint* points, int count, int, int color) {
    if (gc == nullptr) return;
    DrawLinesNoFlush(points, count, color);
    Flush();
}

void Graphics::FillPolygon(XPoint* points, int count, int borderWidth, int borderColor, int fillColor) {
    if (gc == nullptr) return;
    SetColor(fillColor);
    if (points != nullptr && count > 0)
        XFillPolygon(GetDisplay(), GetDrawable(), gc, points, count, Complex, CoordModeOrigin);
    if (borderWidth > 0) DrawLinesNoFlush(points, count, borderColor);
    Flush();
}

void Graphics::DrawRectangleNoFlush(int x, int y, int w, int h, int lineWidth, int color) {
    SetColor(color);
    // The outline covers exactly w x h pixels; an empty size draws nothing.
    if (w < 1 || h < 1) return;
    if (lineWidth > 1) LineAttributes(lineWidth, LineSolid);
    XDrawRectangle(GetDisplay(), GetDrawable(), gc, x, y, static_cast<unsigned>(w - 1), static_cast<unsigned>(h - 1));
    if (lineWidth > 1) LineAttributes(1, LineSolid);
}

void Graphics::DrawRectangle(int x, int y, int w, int h, int lineWidth, int color) {
    if (gc == nullptr) return;
    DrawRectangleNoFlush(x, y, w, h, lineWidth, color);
    Flush();
}

void Graphics::FillRectangleNoFlush(int x, int y, int w, int h, int borderWidth, int borderColor, int fillColor) {
    SetColor(fillColor);
    // One pixel narrower and lower than the stated size: callers that want
    // a full w x h area pass w + 1 and h + 1.
    if (w > 1 && h > 1)
        XFillRectangle(GetDisplay(), GetDrawable(), gc, x, y, static_cast<unsigned>(w - 1),
                       static_cast<unsigned>(h - 1));
    if (borderWidth > 0) DrawRectangleNoFlush(x, y, w - 1, h - 1, borderWidth, borderColor);
}

void Graphics::FillRectangle(int x, int y, int w, int h, int borderWidth, int borderColor, int fillColor) {
    if (gc == nullptr) return;
    FillRectangleNoFlush(x, y, w, h, borderWidth, borderColor, fillColor);
    Flush();
}

void Graphics::DrawEllipseNoFlush(int x, int y, int w, int h, int color) {
    SetColor(color);
    XSetArcMode(GetDisplay(), gc, ArcPieSlice);
    if (w < 0 || h < 0) return;
    XDrawArc(GetDisplay(), GetDrawable(), gc, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h), 0, kFullTurn);
}

void Graphics::DrawEllipse(int x, int y, int w, int h, int, int color) {
    if (gc == nullptr) return;
    DrawEllipseNoFlush(x, y, w, h, color);
    Flush();
}

void Graphics::FillEllipse(int x, int y, int w, int h, int borderWidth, int borderColor, int fillColor) {
    if (gc == nullptr) return;
    SetColor(fillColor);
    XSetArcMode(GetDisplay(), gc, ArcPieSlice);
    if (w >= 0 && h >= 0)
        XFillArc(GetDisplay(), GetDrawable(), gc, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h), 0,
                 kFullTurn);
    if (borderWidth > 0) DrawEllipseNoFlush(x, y, w, h, borderColor);
    Flush();
}

void Graphics::DrawFrame(const Rect& r, int light, int dark) {
    const int right = r.Right(), bottom = r.Bottom();
    DrawLine(r.x, r.y, right, r.y, 1, light);
    DrawLine(r.x, bottom, r.x, r.y, 1, light);
    DrawLine(right, r.y, right, bottom, 1, dark);
    DrawLine(r.x, bottom, right, bottom, 1, dark);
}

void Graphics::DrawFocusFrame(const Rect& r, int color) {
    const int right = r.Right(), bottom = r.Bottom();
    DrawLine(r.x, r.y, right, r.y, 1, 1, color);
    DrawLine(r.x, bottom, r.x, r.y - 1, 1, 1, color);
    DrawLine(right, r.y, right, bottom + 1, 1, 1, color);
    DrawLine(r.x, bottom, right, bottom, 1, 1, color);
}

void Graphics::DrawText(int x, int y, int w, int h, const std::string& text, int fg, int bg, int align) {
    if (gc == nullptr) return;
    DrawTextLines(x, y, w, h, text, fg, bg, align, true);
    Flush();
}

void Graphics::DrawText(int x, int y, int w, int h, const std::string& text, int fg) {
    DrawText(x, y, w, h, text, fg, -1, 0);
}

void Graphics::DrawText(int x, int y, const std::string& text, int fg) { DrawText(x, y, 0, 18, text, fg, -1, 0); }

// Lays the text out line after line from the top of the box. A line ends at
// a line feed or where the box is too narrow for more; a cut inside a word
// moves back to the space before that word. Each further line starts one
// line step lower, until less than 10 pixels of height are left.
void Graphics::DrawTextLines(int x, int y, int w, int h, const std::string& source, int fg, int bg, int align,
                             bool firstLine) {
    Display* d = GetDisplay();
    Drawable window = GetDrawable();
    XFontStruct* f = TextFont();
    const int step = LineStep();
    std::string text = source;
    std::vector<int64_t> prefix;
    for (;;) {
        SetTextColours(fg, bg);
        if (h <= 9) return;

        const size_t newline = text.find('\n');
        bool cut = false;
        const size_t length = FitLine(f, text, newline == std::string::npos ? text.size() : newline, w, prefix, cut);
        const std::string line = text.substr(0, length);
        if (firstLine) ClearTextBox(x, y, w, h, fg, bg);
        const int left = LineLeft(x, w, TextLineWidth(line), align, cut);

        const bool alone = newline == std::string::npos && !cut;
        int baseline = y + step - 1;
        if (alone && firstLine) baseline += (h - step) / 2;
        if (!line.empty()) XDrawString(d, window, gc, left, baseline, line.data(), static_cast<int>(line.size()));
        if (alone) return;

        if (cut) align = 0;
        text = StrTrim(text.substr(length));
        if (text.empty()) return;
        y += step;
        h -= step;
        firstLine = false;
    }
}

void Graphics::SetTextColours(int fg, int bg) {
    if (fg != -1) XSetForeground(GetDisplay(), gc, PixelOf(fg));
    if (bg != -1) XSetBackground(GetDisplay(), gc, PixelOf(bg));
}

// The box behind the first line: w - 1 by h pixels, as FillRectangle fills.
void Graphics::ClearTextBox(int x, int y, int w, int h, int fg, int bg) {
    if (bg == -1 || w <= 0) return;
    FillRectangleNoFlush(x, y, w, h + 1, 0, 0, bg);
    if (fg != -1) XSetForeground(GetDisplay(), gc, PixelOf(fg));
}

void Graphics::PutImageArea(int x, int y, int w, int h, XImage* image, int srcX, int srcY) {
    if (gc == nullptr) return;
    if (ClipToImage(image, x, y, w, h, srcX, srcY))
        XPutImage(GetDisplay(), GetDrawable(), gc, image, srcX, srcY, x, y, static_cast<unsigned>(w),
                  static_cast<unsigned>(h));
    Flush();
}

void Graphics::PutImage(int x, int y, int w, int h, XImage* image) { PutImageArea(x, y, w, h, image, 0, 0); }

void Graphics::PutImage(int x, int y, XImage* image) { PutImageArea(x, y, 0, 0, image, 0, 0); }

void Graphics::PutImagePart(int x, int y, int w, int h, XImage* image, int srcX, int srcY) {
    PutImageArea(x, y, w, h, image, srcX, srcY);
}

// Pastes the w x h area at (srcX, srcY) of the picture so that its
// key-coloured pixels let the window show through. The picture itself is
// left as it was: the pixels are combined in a copy.
void Graphics::PasteTransparent(int x, int y, int w, int h, XImage* image, int srcX, int srcY, int key) {
    if (gc == nullptr || image == nullptr) return;
    ProbeImageFormat(owner);
    if (!ClipToImage(image, x, y, w, h, srcX, srcY)) return;
    if (!ClipToWindow(x, y, w, h, srcX, srcY)) return;
    if (!HasByteChannels(image)) {
        // Pixels whose channels cannot be told apart are pasted as they are.
        PutImageArea(x, y, w, h, image, srcX, srcY);
        return;
    }

    Display* d = GetDisplay();
    Drawable window = GetDrawable();
    XImage* back = XGetImage(d, window, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h), AllPlanes, ZPixmap);
    if (back == nullptr) return;
    Screen* screen = owner->GetScreen();
    Visual* visual = screen != nullptr && screen->GetVisualInfo() != nullptr ? screen->GetVisualInfo()->visual
                                                                             : DefaultVisual(d, DefaultScreen(d));
    XImage* copy =
        back->bits_per_pixel == image->bits_per_pixel ? CopyImageArea(d, visual, image, srcX, srcY, w, h) : nullptr;
    if (copy == nullptr) {
        XDestroyImage(back);
        PutImageArea(x, y, w, h, image, srcX, srcY);
        return;
    }
    ReplaceKeyColour(copy, back, image->bits_per_pixel / 8, w, h, key);
    XPutImage(d, window, gc, copy, 0, 0, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h));
    Flush();
    DestroyXImage(copy);
    XDestroyImage(back);
}

// Only the part over the window can be read back (and shown): narrows the
// destination (and the source with it) to the window. False when the window
// is not viewable or nothing is left.
bool Graphics::ClipToWindow(int& x, int& y, int& w, int& h, int& srcX, int& srcY) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(GetDisplay(), GetDrawable(), &attributes) || attributes.map_state != IsViewable)
        return false;
    ClampStart(x, w, srcX);
    ClampStart(y, h, srcY);
    w = std::min(w, attributes.width - x);
    h = std::min(h, attributes.height - y);
    return w > 0 && h > 0;
}

void Graphics::PutImageTransparent(int x, int y, int w, int h, XImage* image, int key) {
    PasteTransparent(x, y, w, h, image, 0, 0, key);
}

// The frame is read straight from the sheet's pixels; the sheet is not
// changed.
void Graphics::PutPictureTransparent(int x, int y, int w, int h, XImage* sheet, int srcX, int srcY, int key) {
    PasteTransparent(x, y, w, h, sheet, srcX, srcY, key);
}
