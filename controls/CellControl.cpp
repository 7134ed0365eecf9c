#include "controls/CellControl.h"

#include "gfx/Graphics.h"

CellControl::CellControl(GUIElement* parentElement) : ControlBase(parentElement) {
    typeTag = kCellTag;
    tabStop = false;
    repaintWithContainer = true;
}

template <typename T>
void CellControl::Store(T& field, const T& value) {
    if (field == value) return;
    field = value;
    changed = true;
    if (created) Paint();
}

void CellControl::SetAlignment(int32_t value) { Store(alignment, value); }
void CellControl::SetForeColor(uint32_t rgb) { Store(foreColor, rgb & 0xFFFFFF); }
void CellControl::SetBorder(bool flag) { Store(border, flag); }
void CellControl::SetMarked(bool flag) { Store(marked, flag); }
void CellControl::SetFontName(const std::string& value) { Store(fontName, value); }
void CellControl::SetFontSize(int32_t value) { Store(fontSize, value); }
void CellControl::SetBold(bool flag) { Store(bold, flag); }
void CellControl::SetItalic(bool flag) { Store(italic, flag); }
void CellControl::SetUnderline(bool flag) { Store(underline, flag); }

void CellControl::SetHighlight(bool flag) {
    highlight = flag;
    if (created) Paint();
}

void CellControl::SetHighlightForeColor(uint32_t rgb) {
    highlightForeColor = rgb & 0xFFFFFF;
    if (created) Paint();
}

void CellControl::SetHighlightBackColor(uint32_t rgb) {
    highlightBackColor = rgb & 0xFFFFFF;
    if (created) Paint();
}

void CellControl::SetPicture(XImage* image, int32_t w, int32_t h, int32_t align) {
    picture = image;
    pictureWidth = w;
    pictureHeight = h;
    pictureAlignment = align;
    if (created) Paint();
}

void CellControl::RestoreBackColor() {
    if (!created || savedBackColor < 0) return;
    if (static_cast<uint64_t>(savedBackColor) == backColor) return;
    backColor = static_cast<uint64_t>(savedBackColor);
    changed = true;
    Paint();
}

void CellControl::SetSize(int w, int h) { GUIElement::SetSize(w, h); }
void CellControl::SetPosition(int newX, int newY) { GUIElement::SetPosition(newX, newY); }

void CellControl::SetText(const std::string& value) {
    if (value == text) return;
    text = value;
    changed = true;
    if (created) Paint();
}

// Cells are erased in the form's colour, not the parent's.
void CellControl::Hide() { HideErasing(FormBackOrDefault(), 1); }

void CellControl::Create() {
    if (created) return;
    CreateBase(false);
    savedBackColor = IsUnset(backColor) ? -1 : static_cast<int64_t>(backColor);
    changed = false;
}

void CellControl::Paint() {
    if (!CanPaint()) return;
    Graphics g(OwnerForm());
    const Rect r = FormRect();
    const int fh = g.LineHeight();

    // The caption and picture keep inside the border.
    const Rect c = border ? r.Inset(1) : r;
    const int bg = highlight ? static_cast<int>(highlightBackColor) : OwnBackOrDefault();
    const int fg = static_cast<int>(highlight ? highlightForeColor : foreColor);

    if (border) g.DrawFrame(r, kBlack, bg == kWhite ? kBlack : kWhite);

    g.DrawText(c.x, c.y, c.width, c.height, text, fg, bg, alignment);

    if (marked) g.DrawText(c.x + c.width - fh, c.y + c.height - fh - 4, fh, fh, "*", fg, bg, 2);

    if (picture != nullptr) {
        // The drawn part never reaches past the picture itself.
        int pw = pictureWidth, ph = pictureHeight;
        if (pw <= 0 || pw > picture->width) pw = picture->width;
        if (ph <= 0 || ph > picture->height) ph = picture->height;
        const int top = c.y + (c.height - ph) / 2;
        int left;
        if (pictureAlignment == 1)
            left = c.x + c.width - pw - 3;
        else if (pictureAlignment == 2)
            left = c.x + (c.width - pw) / 2;
        else
            left = c.x + 3;
        g.PutImage(left, top, pw, ph, picture);
    }
}
