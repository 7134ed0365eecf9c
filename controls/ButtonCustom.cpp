#include "controls/ButtonCustom.h"

#include <algorithm>

#include "app/Application.h"
#include "app/Form.h"
#include "gfx/Graphics.h"

namespace {

constexpr uint32_t kReturnKey = 0xFF0D;
constexpr int kDisabledText = 0x9B9B9B;

} // namespace

ButtonCustom::ButtonCustom(GUIElement* parentElement, const std::string& caption)
    : ControlBase(parentElement) {
    width = 80;
    height = 30;
    text = caption;
    typeTag = "ButtonCustom";
    tabStop = true;
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
    const uint64_t self = GetSerial();
    pressed = false;
    PaintAndFlush();
    DoCommand(this);
    if (!Application::IsRegistered(self)) return;
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
    Child::KeyDown(keysym);
    if (hasFocus && keysym == kReturnKey) {
        pressed = true;
        PaintAndFlush();
    }
}

bool ButtonCustom::KeyChar(char character) {
    if (!enabled || !created) return false;
    if (hasFocus && character == 13) {
        const uint64_t self = GetSerial();
        pressed = false;
        PaintAndFlush();
        DoCommand(this);
        if (!Application::IsRegistered(self)) return false;
    }
    return Child::KeyChar(character);
}

void ButtonCustom::GotFocus() {
    Child::GotFocus();
    Paint();
}

void ButtonCustom::LostFocus() {
    Child::LostFocus();
    pressed = false;
    Paint();
}

void ButtonCustom::Paint() {
    if (!CanPaint()) return;
    Graphics g(OwnerForm());
    Point p = FormPos();
    const int ax = p.x, ay = p.y, w = width, h = height;

    const int face = OwnBackOrChain();
    g.FillRectangle(ax, ay, w, h, 0, 0, face);

    const int light = pressed ? 0x000000 : 0xFFFFFF;
    const int dark = pressed ? 0xFFFFFF : 0x000000;
    g.DrawLine(ax, ay, ax + w - 1, ay, 1, light);
    g.DrawLine(ax, ay + h - 1, ax, ay, 1, light);
    g.DrawLine(ax + w - 1, ay, ax + w - 1, ay + h - 1, 1, dark);
    g.DrawLine(ax, ay + h - 1, ax + w - 1, ay + h - 1, 1, dark);

    const int fore = static_cast<int>(foreColor);
    if (hasFocus && enabled && !pressed) {
        g.DrawLine(ax + 4, ay + 3, ax + w - 5, ay + 3, 1, 1, fore);
        g.DrawLine(ax + 4, ay + h - 4, ax + 4, ay + 2, 1, 1, fore);
        g.DrawLine(ax + w - 5, ay + 3, ax + w - 5, ay + h - 3, 1, 1, fore);
        g.DrawLine(ax + 4, ay + h - 4, ax + w - 5, ay + h - 4, 1, 1, fore);
    }

    if (blankFace) return;
    const int captionColor = enabled ? fore : kDisabledText;
    const bool hasCaption = !text.empty();
    // The picture decides the layout; the disabled one only stands in for it.
    if (picture != nullptr) {
        XImage* image = (!enabled && disabledPicture != nullptr) ? disabledPicture : picture;
        const int pw = image->width, ph = image->height;
        if (hasCaption) {
            g.DrawText(ax + pw + 10, ay + 4, w - 22 - pw, h - 8, text, captionColor, face, 0);
            g.PutImage(ax + 8, ay + (h - ph) / 2, image);
        } else {
            g.PutImage(ax + (w - pw) / 2, ay + (h - ph) / 2, image);
        }
    } else if (hasCaption) {
        g.DrawText(ax + 6, ay + 4, w - 12, h - 8, text, captionColor, face, 2);
    }
}
