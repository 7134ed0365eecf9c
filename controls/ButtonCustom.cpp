#include "controls/ButtonCustom.h"

#include <X11/keysym.h>

#include <algorithm>

#include "app/ElementTracker.h"
#include "app/Form.h"
#include "gfx/Graphics.h"

ButtonCustom::ButtonCustom(GUIElement* parentElement, const std::string& caption) : ControlBase(parentElement) {
    width = 80;
    height = 30;
    text = caption;
    typeTag = kButtonTag;
    tabStop = true;
    repaintOnFocus = true;
    repaintWithContainer = true;
}

void ButtonCustom::SetEnabled(bool flag) {
    enabled = flag;
    if (created) Paint();
}

void ButtonCustom::SetForeColor(uint32_t rgb) { foreColor = rgb & 0xFFFFFF; }

void ButtonCustom::SetBlankFace(bool flag) {
    blankFace = flag;
    if (created) Paint();
}

void ButtonCustom::SetPicture(XImage* image) {
    picture = image;
    if (created) Paint();
}

void ButtonCustom::SetDisabledPicture(XImage* image) {
    disabledPicture = image;
    if (created) Paint();
}

void ButtonCustom::SetText(const std::string& value) {
    text = value;
    if (created) Paint();
}

void ButtonCustom::PaintAndFlush() {
    Paint();
    FlushDisplay();
}

void ButtonCustom::MouseUp(Point point) {
    if (!enabled) return;
    ElementTracker alive(*this);
    pressed = false;
    PaintAndFlush();
    DoCommand(this);
    if (!alive) return;
    Child::MouseUp(point);
}

void ButtonCustom::MouseDown(Point point) {
    if (!enabled) return;
    pressed = true;
    PaintAndFlush();
    Child::MouseDown(point);
}

// A hidden button cannot be pressed from the keyboard either, though Tab
// may still give it the focus.
void ButtonCustom::KeyDown(uint32_t keysym) {
    if (!enabled || !created) return;
    ElementTracker alive(*this);
    Child::KeyDown(keysym);
    if (alive && hasFocus && keysym == XK_Return) {
        pressed = true;
        PaintAndFlush();
    }
}

bool ButtonCustom::KeyChar(char character) {
    if (!enabled || !created) return false;
    if (hasFocus && character == 13) {
        ElementTracker alive(*this);
        pressed = false;
        PaintAndFlush();
        DoCommand(this);
        if (!alive) return false;
    }
    return Child::KeyChar(character);
}

// A press held from the keyboard ends with the focus.
void ButtonCustom::LostFocus() {
    pressed = false;
    ControlBase::LostFocus();
}

void ButtonCustom::Paint() {
    if (!CanPaint()) return;
    Graphics g(OwnerForm());
    const Rect r = FormRect();

    const int face = OwnBackOrChain();
    g.FillRectangle(r, face);
    g.DrawFrame(r, pressed ? kBlack : kWhite, pressed ? kWhite : kBlack);

    const int fore = static_cast<int>(foreColor);
    if (hasFocus && enabled && !pressed) g.DrawFocusFrame({r.x + 4, r.y + 3, r.width - 8, r.height - 6}, fore);

    if (blankFace) return;
    const int captionColor = enabled ? fore : kDisabledInk;
    const bool hasCaption = !text.empty();
    // The picture decides the layout; the disabled one only stands in for it.
    if (picture != nullptr) {
        XImage* image = (!enabled && disabledPicture != nullptr) ? disabledPicture : picture;
        const int pw = image->width, ph = image->height;
        const int top = r.y + (r.height - ph) / 2;
        if (hasCaption) {
            g.DrawText(r.x + pw + 10, r.y + 4, r.width - 22 - pw, r.height - 8, text, captionColor, face, 0);
            g.PutImage(r.x + 8, top, image);
        } else {
            g.PutImage(r.x + (r.width - pw) / 2, top, image);
        }
    } else if (hasCaption) {
        g.DrawText(r.x + 6, r.y + 4, r.width - 12, r.height - 8, text, captionColor, face, 2);
    }
}
