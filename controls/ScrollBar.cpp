#include "controls/ScrollBar.h"

#include <X11/keysym.h>

#include <algorithm>

#include "app/ElementTracker.h"
#include "app/Form.h"
#include "controls/Axis.h"
#include "gfx/Graphics.h"

namespace {

// Each arrow takes 21 pixels at either end; the track is what is left.
constexpr int kArrowSpace = 42;

} // namespace

ScrollBar::ScrollBar(GUIElement* parentElement, int32_t minimumValue, int32_t maximumValue)
    : DragControl(parentElement), minimum(minimumValue), maximum(maximumValue) {
    width = 80;
    height = 13;
    typeTag = kScrollBarTag;
    tabStop = true;
    repaintOnFocus = true;
    repaintWithContainer = true;
}

void ScrollBar::SetRange(int32_t newMinimum, int32_t newMaximum) {
    minimum = newMinimum;
    maximum = newMaximum;
    Paint();
}

void ScrollBar::SetValue(int32_t v) {
    position = v;
    Paint();
}

void ScrollBar::FireScroll(int32_t v) {
    if (onScroll != nullptr) onScroll(this, int64_t{10} * v);
}

void ScrollBar::SetHorizontal(bool flag) {
    horizontal = flag;
    if (flag) vertical = false;
    if (created) {
        Hide();
        Show();
    }
}

void ScrollBar::SetVertical(bool flag) {
    vertical = flag;
    if (flag) horizontal = false;
    if (created) {
        Hide();
        Show();
    }
}

ScrollBar::Layout ScrollBar::GetLayout() const {
    Layout l;
    if (!vertical && !horizontal) return l;
    l.track = (vertical ? int64_t{height} : int64_t{width}) - kArrowSpace;
    const int64_t range = int64_t{maximum} - int64_t{minimum};
    if (l.track <= 0 || range <= 0) return l;
    l.pages = (range + l.track - 1) / l.track;
    l.segment = l.track / l.pages;
    l.rest = l.track % l.pages;
    l.usable = true;
    return l;
}

int64_t ScrollBar::CurrentPage() const {
    Layout l = GetLayout();
    if (!l.usable) return 0;
    int64_t page = (int64_t{position} - int64_t{minimum}) / l.track;
    return std::clamp<int64_t>(page, 0, l.pages - 1);
}

void ScrollBar::StepTo(int64_t page) {
    Layout l = GetLayout();
    if (!l.usable) return;
    page = std::clamp<int64_t>(page, 0, l.pages - 1);
    // minimum + (pages - 1) * track stays below maximum, so this fits.
    const int32_t next = static_cast<int32_t>(int64_t{minimum} + page * l.track);
    if (next == position) return;
    position = next;
    Paint();
    FireScroll(position);
}

bool ScrollBar::PickPage(int px, int py) {
    Layout l = GetLayout();
    if (!l.usable || ticks.empty()) return false;
    const size_t n = std::min<size_t>(ticks.size(), static_cast<size_t>(l.pages));
    size_t i = 0;
    for (; i < n; ++i) {
        const int64_t start = vertical ? ticks[i].y : ticks[i].x;
        if (start + l.segment >= (vertical ? py : px)) break;
    }
    if (i == n) return false;
    const int32_t next = static_cast<int32_t>(int64_t{minimum} + static_cast<int64_t>(i) * l.track);
    if (next == position) return false;
    position = next;
    FireScroll(position);
    return true;
}

// The frame reaches one pixel beyond w x h on the right and at the bottom,
// so the erase covers that column and row as well.
void ScrollBar::Hide() {
    dragging = false;
    HideErasing(ParentBackOrChain(), 2);
}

void ScrollBar::MouseDown(Point point) {
    ElementTracker alive(*this);
    if (enabled) {
        dragging = true;
        Layout l = GetLayout();
        if (l.usable && !ticks.empty()) {
            // Before the first segment steps back, past the last one forward.
            const int at = vertical ? point.y : point.x;
            const int first = vertical ? ticks.front().y : ticks.front().x;
            const int last = vertical ? ticks.back().y : ticks.back().x;
            if (at < first)
                KeyDown(vertical ? XK_Up : XK_Left);
            else if (at > last + l.segment + l.rest)
                KeyDown(vertical ? XK_Down : XK_Right);
            else if (PickPage(point.x, point.y) && alive)
                Paint();
            if (!alive) return;
        }
    }
    Child::MouseDown(point);
}

void ScrollBar::MouseMove(int mx, int my) {
    ElementTracker alive(*this);
    if (dragging && PickPage(mx, my)) {
        if (!alive) return;
        Paint();
    }
    Child::MouseMove(mx, my);
}

void ScrollBar::KeyDown(uint32_t keysym) {
    if (!enabled || !hasFocus) return;
    if (keysym != XK_Left && keysym != XK_Up && keysym != XK_Right && keysym != XK_Down) return;
    Layout l = GetLayout();
    if (!l.usable) return;
    const int64_t current = (int64_t{position} - int64_t{minimum}) / l.track;
    StepTo(keysym == XK_Left || keysym == XK_Up ? current - 1 : current + 1);
}

bool ScrollBar::KeyChar(char character) {
    ElementTracker alive(*this);
    if (enabled && hasFocus && character == ' ') {
        KeyDown(XK_Down);
        if (!alive) return true;
    }
    return Child::KeyChar(character);
}

void ScrollBar::Paint() {
    if (!CanPaint()) return;
    if (horizontal) {
        height = std::max(height, 21);
        width = std::max(width, 52);
    }
    if (vertical) {
        width = std::max(width, 21);
        height = std::max(height, 52);
    }
    const Rect r = FormRect();
    Graphics g(OwnerForm());
    const int bg = OwnBackOrChain();
    g.FillRectangle(r, bg);
    const int fg = enabled ? kBlack : kDisabledInk;
    ticks.clear();

    // The frame reaches one pixel past the bar's size on the right and at
    // the bottom.
    g.DrawFrame({r.x, r.y, r.width + 1, r.height + 1}, kFrameLight, fg);

    if (!horizontal && !vertical) return;
    PaintArrows(g, Axis{!horizontal}, r, fg);
    PaintTrack(g, Axis{vertical}, r, fg);
}

// An arrow at either end, its tip 2 pixels from the end and its base 19.
// The corners of the base come in the order they always had: the near side
// first on a horizontal bar, the far side first on a vertical one.
void ScrollBar::PaintArrows(Graphics& g, const Axis& axis, const Rect& r, int fg) {
    const int a = axis.Start(r), length = axis.Length(r), c = axis.CrossStart(r), t = axis.Thickness(r);
    const int first = axis.vertical ? c + t - 2 : c + 2, second = axis.vertical ? c + 2 : c + t - 2;
    XPoint back[3] = {axis.At(a + 2, c + t / 2), axis.At(a + 19, first), axis.At(a + 19, second)};
    XPoint forward[3] = {axis.At(a + length - 2, c + t / 2), axis.At(a + length - 19, first),
                         axis.At(a + length - 19, second)};
    g.FillPolygon(back, 3, 1, kFrameLight, fg);
    g.FillPolygon(forward, 3, 1, kFrameLight, fg);
}

// The page segments, from 21 pixels in, and the thumb over the current one.
void ScrollBar::PaintTrack(Graphics& g, const Axis& axis, const Rect& r, int fg) {
    // Without a track or a range there are no pages: the track stays empty.
    Layout l = GetLayout();
    if (!l.usable) return;
    // With more pages than track pixels every segment is 0 long and all
    // starts coincide; one entry then stands for all of them.
    const int64_t count = l.segment > 0 ? l.pages : 1;
    ticks.reserve(static_cast<size_t>(count));
    for (int64_t i = 0; i < count; ++i) {
        const XPoint p = axis.At(static_cast<int>(axis.Start(r) + 21 + i * l.segment), axis.CrossStart(r));
        ticks.push_back({p.x, p.y});
    }
    if (l.pages <= 1) return;
    // The last page's thumb takes the pixels left over as well.
    const int64_t page = CurrentPage();
    const int start = static_cast<int>(21 + page * l.segment);
    const int length = static_cast<int>(l.segment + (page == l.pages - 1 ? l.rest : 0));
    g.FillRectangle(axis.Area(axis.Start(r) + start, axis.CrossStart(r) + 2, length, axis.Thickness(r) - 2), fg);
}
