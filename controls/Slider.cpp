#include "controls/Slider.h"

#include <X11/keysym.h>

#include <algorithm>

#include "app/ElementTracker.h"
#include "gfx/Graphics.h"
#include "util/Strings.h"

namespace {

// Every step takes at least 8 pixels, and X coordinates are 16-bit.
constexpr int64_t kMostSteps = 4000;

} // namespace

Slider::Slider(GUIElement* parentElement, bool isVertical, int32_t minimumValue, int32_t maximumValue)
    : DragControl(parentElement), vertical(isVertical), minimum(minimumValue), maximum(maximumValue),
      value(minimumValue) {
    text.clear();
    typeTag = kSliderTag;
    tabStop = true;
    repaintOnFocus = true;
    repaintWithContainer = true;
}

int Slider::Steps() const {
    const int64_t n = int64_t{maximum} - minimum;
    return (n < 1 || n > kMostSteps) ? 0 : static_cast<int>(n);
}

void Slider::SetValue(int32_t v) {
    value = maximum < minimum ? minimum : std::clamp(v, minimum, maximum);
    Paint();
}

void Slider::SetShowLabels(bool flag) {
    showLabels = flag;
    if (created) Paint();
}

void Slider::SetForeColor(uint32_t rgb) {
    foreColor = rgb & 0xFFFFFF;
    Paint();
}

void Slider::FireValue() {
    ElementTracker alive(*this);
    if (onValue != nullptr) onValue(this, value);
    if (alive && onChange != nullptr) onChange(this);
}

void Slider::SetSize(int w, int h) {
    StoreSize(w, h);
    Paint();
}

void Slider::SetPosition(int newX, int newY) {
    StorePosition(newX, newY);
    Paint();
}

bool Slider::PickValue(int px, int py) {
    if (Steps() == 0) return false;
    for (size_t i = 0; i < ticks.size(); ++i) {
        const int along = vertical ? ticks[i].y : ticks[i].x;
        if (along + 2 < (vertical ? py : px)) continue;
        const int32_t picked = static_cast<int32_t>(minimum + static_cast<int64_t>(i));
        if (picked == value) return false;
        value = picked;
        FireValue();
        return true;
    }
    return false;
}

// The value handlers may destroy the slider: it paints only if it lives.
void Slider::MouseDown(Point point) {
    ElementTracker alive(*this);
    if (enabled) {
        dragging = true;
        if (PickValue(point.x, point.y) && alive) Paint();
        if (!alive) return;
    }
    Child::MouseDown(point);
}

// A slider disabled in the middle of a drag no longer follows the pointer.
void Slider::MouseMove(int mx, int my) {
    ElementTracker alive(*this);
    if (dragging && enabled && PickValue(mx, my) && alive) Paint();
    if (alive) Child::MouseMove(mx, my);
}

void Slider::KeyDown(uint32_t keysym) {
    if (!enabled || !hasFocus || Steps() == 0) return;
    const int32_t old = value;
    if (keysym == XK_Right || keysym == XK_Down)
        value = value >= maximum ? minimum : value + 1;
    else if (keysym == XK_Left || keysym == XK_Up)
        value = value <= minimum ? maximum : value - 1;
    else
        return;
    Paint();
    if (value != old) FireValue();
}

bool Slider::KeyChar(char character) {
    ElementTracker alive(*this);
    if (enabled && hasFocus && character == ' ') KeyDown(XK_Down);
    if (!alive) return true;
    return Child::KeyChar(character);
}

void Slider::Paint() {
    if (!CanPaint()) return;
    const int n = Steps();
    if (vertical) {
        width = std::max(width, 40);
        if (n > 0) height = ((std::max(height, 8 * n + 36) - 36) / n) * n + 36;
    } else {
        height = std::max(height, 36);
        if (n > 0) width = ((std::max(width, 8 * n + 40) - 40) / n) * n + 40;
    }

    Graphics g(OwnerForm());
    const Rect r = FormRect();
    const int bg = OwnBackOrChain();
    g.FillWhole(r, bg);
    const int fg = enabled ? static_cast<int>(foreColor) : kDisabledInk;
    ticks.clear();

    auto addTick = [this](int tx, int ty) { ticks.push_back(XPoint{static_cast<short>(tx), static_cast<short>(ty)}); };
    if (!vertical) {
        if (showLabels) {
            g.DrawText(r.x, r.y, 20, r.height, IntToStr(minimum), fg, bg, 2);
            g.DrawText(r.x + r.width - 19, r.y, 20, r.height, IntToStr(maximum), fg, bg, 2);
        }
        const int x0 = r.x + 20, x1 = x0 + (r.width - 39), yc = r.y + (r.height + 1) / 2;
        g.DrawLine(x0, yc, x1, yc, 1, fg);
        g.DrawLine(x0, yc + 1, x1, yc + 1, 1, kShade);
        for (int i = 0; n > 0 && i <= n; ++i) {
            const int tx = i == n ? x1 : x0 + i * ((r.width - 39) / n);
            g.DrawLine(tx, yc - 3, tx, yc + 3, 1, fg);
            g.DrawLine(tx + 1, yc - 3, tx + 1, yc + 3, 1, kShade);
            addTick(tx, yc);
            if (value - minimum == i) {
                XPoint tri[3] = {{static_cast<short>(tx), static_cast<short>(yc - 5)},
                                 {static_cast<short>(tx + 10), static_cast<short>(yc - 15)},
                                 {static_cast<short>(tx - 10), static_cast<short>(yc - 15)}};
                g.FillPolygon(tri, 3, 1, kShade, fg);
            }
        }
    } else {
        if (showLabels) {
            g.DrawText(r.x, r.y, r.width + 1, 18, IntToStr(minimum), fg, bg, 2);
            g.DrawText(r.x, r.y + r.height - 18, r.width + 1, 18, IntToStr(maximum), fg, bg, 2);
        }
        const int y0 = r.y + 18, y1 = y0 + (r.height - 35), xc = r.x + (r.width + 1) / 2;
        g.DrawLine(xc + 1, y0, xc + 1, y1, 1, kShade);
        g.DrawLine(xc, y0, xc, y1, 1, fg);
        for (int i = 0; n > 0 && i <= n; ++i) {
            const int ty = i == n ? y1 : y0 + i * ((r.height - 35) / n);
            g.DrawLine(xc - 3, ty, xc + 3, ty, 1, fg);
            g.DrawLine(xc - 3, ty + 1, xc + 3, ty + 1, 1, kShade);
            addTick(xc, ty);
            if (value - minimum == i) {
                XPoint tri[3] = {{static_cast<short>(xc + 5), static_cast<short>(ty)},
                                 {static_cast<short>(xc + 15), static_cast<short>(ty - 10)},
                                 {static_cast<short>(xc + 15), static_cast<short>(ty + 10)}};
                g.FillPolygon(tri, 3, 1, kShade, fg);
            }
        }
    }

    if (hasFocus && enabled) g.DrawFocusFrame({r.x, r.y + 1, r.width, r.height - 2}, fg);
}
