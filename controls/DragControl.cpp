#include "controls/DragControl.h"

DragControl::DragControl(GUIElement* parentElement) : ControlBase(parentElement) {}

void DragControl::SetEnabled(bool flag) {
    enabled = flag;
    Paint();
}

void DragControl::MouseUp(Point point) {
    dragging = false;
    Child::MouseUp(point);
}

void DragControl::LostFocus() {
    dragging = false;
    ControlBase::LostFocus();
}

void DragControl::SetFocus() {
    Child::SetFocus();
    Paint();
}
