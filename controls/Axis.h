// The one orientation rule of the slider and the scroll bar: each lays
// itself out along its axis (x of a horizontal control, y of a vertical one)
// and across it, and the axis turns those positions into form coordinates.
#pragma once
#include <X11/Xlib.h>

#include "app/Geometry.h"
#include "gfx/Graphics.h"

struct Axis {
    bool vertical = false;

    // Where r starts and how long it is along the axis, and across it.
    int Start(const Rect& r) const { return vertical ? r.y : r.x; }
    int Length(const Rect& r) const { return vertical ? r.height : r.width; }
    int CrossStart(const Rect& r) const { return vertical ? r.x : r.y; }
    int Thickness(const Rect& r) const { return vertical ? r.width : r.height; }

    XPoint At(int along, int across) const {
        const short a = static_cast<short>(along), c = static_cast<short>(across);
        return vertical ? XPoint{c, a} : XPoint{a, c};
    }
    Rect Area(int along, int across, int alongLength, int acrossLength) const {
        return vertical ? Rect{across, along, acrossLength, alongLength}
                        : Rect{along, across, alongLength, acrossLength};
    }
    // A one-pixel line from (along a1, across c1) to (along a2, across c2).
    void Line(Graphics& g, int a1, int c1, int a2, int c2, int color) const {
        if (vertical)
            g.DrawLine(c1, a1, c2, a2, 1, color);
        else
            g.DrawLine(a1, c1, a2, c2, 1, color);
    }
};
