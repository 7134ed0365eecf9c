// Moves through a range page by page. The range [minimum, maximum] is cut
// into pages as long as the track in pixels; the position is always minimum
// plus a whole number of track lengths once the bar has been used. Arrows
// and the arrow keys or space step one page; a click or drag on the track
// jumps to the page under the pointer. Every change calls the scroll
// callback with ten times the new position.
#pragma once
#include <cstdint>
#include <vector>

#include "controls/DragControl.h"

class Graphics;
struct Axis;

using ScrollCallback = void (*)(Child* sender, int64_t tenTimesPosition);

class ScrollBar : public DragControl {
public:
    // Start of one page segment as last painted, in form coordinates.
    struct TickPoint {
        int16_t x;
        int16_t y;
    };
    // Page layout; usable only when the track is longer than 0 and the
    // range is not empty (then pages >= 1).
    struct Layout {
        bool usable = false;
        int64_t track = 0;
        int64_t pages = 0;
        int64_t segment = 0;
        int64_t rest = 0;
    };

    ScrollBar(GUIElement* parentElement, int32_t minimum, int32_t maximum);

    void SetRange(int32_t newMinimum, int32_t newMaximum); // stores, repaints
    void SetValue(int32_t v); // not clamped: the caller keeps it in range
    int32_t Value() const { return position; }
    int32_t Minimum() const { return minimum; }
    int32_t Maximum() const { return maximum; }
    void SetOnScroll(ScrollCallback callback) { onScroll = callback; }
    void FireScroll(int32_t v); // onScroll(this, 10 * v) when set
    void SetHorizontal(bool flag);
    void SetVertical(bool flag);
    bool IsHorizontal() const { return horizontal; }
    bool IsVertical() const { return vertical; }

    Layout GetLayout() const;
    // The page the position is on, within [0, pages - 1]; 0 when unusable.
    int64_t CurrentPage() const;
    const std::vector<TickPoint>& Ticks() const { return ticks; }
    // Jumps to the page segment under (x, y); true when the position changed.
    bool PickPage(int px, int py);

    void Hide() override;
    void MouseDown(Point point) override;
    void MouseMove(int mx, int my) override;
    void KeyDown(uint32_t keysym) override;
    bool KeyChar(char character) override;
    void Paint() override;

protected:
    int32_t minimum;
    int32_t maximum;
    int32_t position = 0;
    bool horizontal = true;
    bool vertical = false;
    std::vector<TickPoint> ticks;
    ScrollCallback onScroll = nullptr;

private:
    // Moves to the given page; paints and fires when the position changed.
    void StepTo(int64_t page);
    void PaintArrows(Graphics& g, const Axis& axis, const Rect& r, int fg);
    void PaintTrack(Graphics& g, const Axis& axis, const Rect& r, int fg);
};
