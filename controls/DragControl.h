// What the slider and the scroll bar share: a drag that follows the pointer
// while the button is held (the loop sends pointer motion to the focused
// slider or scroll bar) and ends on release or when the focus goes, and
// the repaints of SetFocus and SetEnabled.
#pragma once

#include "gfx/ControlBase.h"

class DragControl : public ControlBase {
public:
    explicit DragControl(GUIElement* parentElement);

    virtual void SetEnabled(bool flag); // stores, repaints
    bool IsDragging() const { return dragging; }

    void MouseUp(Point point) override;
    void LostFocus() override;
    void SetFocus() override;

protected:
    bool dragging = false;
};
