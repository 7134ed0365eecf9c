// The one drawing object: an X graphics context bound to one form's window.
// Made on the stack for each paint; every primitive flushes at once.
// Colours are 0xRRGGBB; -1 leaves the current colour in force.
#pragma once
#include <X11/Xlib.h>
#include <string>

#include "app/Geometry.h"
#include "gfx/Palette.h"

class Form;

class Graphics {
public:
    explicit Graphics(Form* owner = nullptr); // null: the main window
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    bool IsValid() const { return gc != nullptr; }

    // Text metrics of the main window's font.
    int LineHeight();
    int CharWidth();
    // Not the drawn width: CharWidth times the byte count, as if the font were
    // fixed-pitch. The name and this estimate are the toolkit's interface.
    static int TextWidth(const std::string& text);
    // The main window's font ascent, measured without a GC (and so before
    // any window exists).
    static int MainAscent();
    // Distance between the baselines of two text lines: ascent + 1, at least 15.
    int LineStep();
    int Ascent();

    void DrawPoint(int x, int y, int color);
    // Lines are always one pixel wide: lineWidth is kept in the toolkit's
    // interface but ignored (callers pass 1), here and in DrawLines.
    void DrawLine(int x1, int y1, int x2, int y2, int lineWidth, int color);
    // Style 1 dashed, 2 double-dashed, any other solid.
    void DrawLine(int x1, int y1, int x2, int y2, int style, int lineWidth, int color);
    void DrawLines(XPoint* points, int count, int lineWidth, int color);
    void FillPolygon(XPoint* points, int count, int borderWidth, int borderColor, int fillColor);
    void DrawRectangle(int x, int y, int w, int h, int lineWidth, int color);
    void FillRectangle(int x, int y, int w, int h, int borderWidth, int borderColor, int fillColor);
    // FillRectangle of r without a border: (width - 1) x (height - 1) pixels.
    void FillRectangle(const Rect& r, int fillColor) { FillRectangle(r.x, r.y, r.width, r.height, 0, 0, fillColor); }
    // Every pixel of r.
    void FillWhole(const Rect& r, int fillColor) {
        FillRectangle(r.x, r.y, r.width + 1, r.height + 1, 0, 0, fillColor);
    }
    // Drawn one pixel wide whatever lineWidth says.
    void DrawEllipse(int x, int y, int w, int h, int lineWidth, int color);
    void FillEllipse(int x, int y, int w, int h, int borderWidth, int borderColor, int fillColor);
    void DrawText(int x, int y, int w, int h, const std::string& text, int fg, int bg, int align);
    void DrawText(int x, int y, int w, int h, const std::string& text, int fg);
    void DrawText(int x, int y, const std::string& text, int fg);
    // The bevel of a control: one-pixel lines along the edges of r, the top
    // and left in `light`, the right and bottom in `dark`. White over black
    // looks raised, black over white sunken.
    void DrawFrame(const Rect& r, int light, int dark);
    // The dashed frame of the control that has the focus, along the edges
    // of r; its sides reach one pixel past the top and bottom edges.
    void DrawFocusFrame(const Rect& r, int color);
    void PutImage(int x, int y, int w, int h, XImage* image);
    void PutImage(int x, int y, XImage* image);
    void PutImagePart(int x, int y, int w, int h, XImage* image, int srcX, int srcY);
    void PutImageTransparent(int x, int y, int w, int h, XImage* image, int key = 0);
    void PutPictureTransparent(int x, int y, int w, int h, XImage* sheet, int srcX, int srcY, int key = 0);

    Form* GetOwner() const { return owner; }

private:
    Display* GetDisplay() const;
    Drawable GetDrawable() const;
    XFontStruct* TextFont();
    void SetColor(int color);
    void Flush();
    void LineAttributes(int width, int style);
    void DrawRectangleNoFlush(int x, int y, int w, int h, int lineWidth, int color);
    void DrawLinesNoFlush(XPoint* points, int count, int color);
    void DrawEllipseNoFlush(int x, int y, int w, int h, int color);
    void FillRectangleNoFlush(int x, int y, int w, int h, int borderWidth, int borderColor, int fillColor);
    void PutImageArea(int x, int y, int w, int h, XImage* image, int srcX, int srcY);
    void PasteTransparent(int x, int y, int w, int h, XImage* image, int srcX, int srcY, int key);
    bool ClipToWindow(int& x, int& y, int& w, int& h, int& srcX, int& srcY);
    int TextLineWidth(const std::string& text);
    void DrawTextLines(int x, int y, int w, int h, const std::string& text, int fg, int bg, int align, bool firstLine);
    // The text colours of the GC; -1 leaves one as it is.
    void SetTextColours(int fg, int bg);
    void ClearTextBox(int x, int y, int w, int h, int fg, int bg);

    GC gc = nullptr;
    Form* owner = nullptr;
    XFontStruct* font = nullptr; // the main window's font, once looked up
    bool fontResolved = false;
};
