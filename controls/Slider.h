// A horizontal or vertical track of ticks, one per value from minimum to
// maximum, with a pointer on the current one. Clicks and drags pick the tick
// under the pointer, arrow keys step with wrap-around, space steps forward.
// The slider snaps its length so that every step gets the same whole number
// of pixels, at least 8.
#pragma once
#include <X11/Xlib.h>
#include <cstdint>
#include <vector>

#include "controls/DragControl.h"

class Graphics;
struct Axis;

using SliderCallback = void (*)(Child* sender, int32_t value);

class Slider : public DragControl {
public:
    Slider(GUIElement* parentElement, bool isVertical, int32_t minimumValue, int32_t maximumValue);

    // Clamps into the range and paints; fires nothing.
    void SetValue(int32_t v);
    int32_t Value() const { return value; }
    // Stores; repaints when created.
    void SetShowLabels(bool flag);
    // Stores, then paints.
    void SetForeColor(uint32_t rgb);
    void SetOnValue(SliderCallback callback) { onValue = callback; }
    // The value callback, then onChange.
    void FireValue();

    int32_t Minimum() const { return minimum; }
    int32_t Maximum() const { return maximum; }
    bool IsVertical() const { return vertical; }
    // Tick centres of the last paint, in form coordinates.
    const std::vector<XPoint>& Ticks() const { return ticks; }

    void SetSize(int w, int h) override;
    void SetPosition(int newX, int newY) override;
    void MouseDown(Point point) override;
    void MouseMove(int mx, int my) override;
    void KeyDown(uint32_t keysym) override;
    bool KeyChar(char character) override;
    void Paint() override;

protected:
    bool vertical;
    int32_t minimum;
    int32_t maximum;
    int32_t value;
    bool showLabels = true;
    uint32_t foreColor = 0x000000;
    std::vector<XPoint> ticks;
    SliderCallback onValue = nullptr;

private:
    // The number of steps, or 0 when the range is empty, reversed or too
    // long to draw: such a slider shows a bare track and takes no input.
    int Steps() const;
    // Picks the tick under the pointer; true when the value changed.
    bool PickValue(int px, int py);
    void FitSize(int steps);
    void PaintLabels(Graphics& g, const Rect& r, int fg, int bg);
    void PaintPointer(Graphics& g, const Axis& axis, int tick, int centre, int fg);
};
