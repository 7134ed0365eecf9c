#include "controls/Slider.h"

#include <X11/keysym.h>

#include <algorithm>

#include "app/ElementTracker.h"
#include "controls/Axis.h"
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
    FitSize(n);

    Graphics g(OwnerForm());
    const Rect r = FormRect();
    const int bg = OwnBackOrChain();
    g.FillWhole(r, bg);
    const int fg = enabled ? static_cast<int>(foreColor) : kDisabledInk;
    ticks.clear();
    if (showLabels) PaintLabels(g, r, fg, bg);

    // The line runs between the labels, its shadow one pixel below it (right
    // of it on a vertical slider, which draws the shadow first).
    const Axis axis{vertical};
    const int span = axis.Length(r) - (vertical ? 35 : 39);
    const int a0 = axis.Start(r) + (vertical ? 18 : 20), a1 = a0 + span;
    const int centre = axis.CrossStart(r) + (axis.Thickness(r) + 1) / 2;
    if (vertical) axis.Line(g, a0, centre + 1, a1, centre + 1, kShade);
    axis.Line(g, a0, centre, a1, centre, fg);
    if (!vertical) axis.Line(g, a0, centre + 1, a1, centre + 1, kShade);
    for (int i = 0; n > 0 && i <= n; ++i) {
        const int t = i == n ? a1 : a0 + i * (span / n);
        axis.Line(g, t, centre - 3, t, centre + 3, fg);
        axis.Line(g, t + 1, centre - 3, t + 1, centre + 3, kShade);
        ticks.push_back(axis.At(t, centre));
        if (value - minimum == i) PaintPointer(g, axis, t, centre, fg);
    }

    if (hasFocus && enabled) g.DrawFocusFrame({r.x, r.y + 1, r.width, r.height - 2}, fg);
}

// A slider is at least 36 pixels high (40 wide when vertical), and its
// length gives every step the same whole number of pixels, at least 8.
void Slider::FitSize(int n) {
    auto fit = [n](int length, int ends) { return ((std::max(length, 8 * n + ends) - ends) / n) * n + ends; };
    if (vertical) {
        width = std::max(width, 40);
        if (n > 0) height = fit(height, 36);
    } else {
        height = std::max(height, 36);
        if (n > 0) width = fit(width, 40);
    }
}

// The minimum at the start and the maximum at the end, each centred in a
// box 20 pixels wide (18 high on a vertical slider).
void Slider::PaintLabels(Graphics& g, const Rect& r, int fg, int bg) {
    if (vertical) {
        g.DrawText(r.x, r.y, r.width + 1, 18, IntToStr(minimum), fg, bg, 2);
        g.DrawText(r.x, r.y + r.height - 18, r.width + 1, 18, IntToStr(maximum), fg, bg, 2);
    } else {
        g.DrawText(r.x, r.y, 20, r.height, IntToStr(minimum), fg, bg, 2);
        g.DrawText(r.x + r.width - 19, r.y, 20, r.height, IntToStr(maximum), fg, bg, 2);
    }
}

// The pointer at tick t: a triangle whose tip is 5 pixels from the line,
// above a horizontal slider and right of a vertical one.
void Slider::PaintPointer(Graphics& g, const Axis& axis, int t, int centre, int fg) {
    const int side = vertical ? 1 : -1;
    XPoint tri[3] = {axis.At(t, centre + 5 * side), axis.At(t - 10 * side, centre + 15 * side),
                     axis.At(t + 10 * side, centre + 15 * side)};
    g.FillPolygon(tri, 3, 1, kShade, fg);
}
