#include "controls/CheckBox.h"

#include "app/ElementTracker.h"
#include "controls/art/Markers.h"
#include "gfx/Graphics.h"

CheckBox::CheckBox(GUIElement* parentElement, const std::string& caption)
    : MarkerControl(parentElement, {imgCHECK_ON, imgCHECK_OFF, imgCHECK_ON_DIS, imgCHECK_OFF_DIS}) {
    text = caption;
    width = 80;
    height = 30;
    typeTag = kCheckBoxTag;
    tabStop = true;
    repaintOnFocus = true;
    repaintWithContainer = true;
    hasFocus = false;
}

void CheckBox::SetChecked(bool flag) {
    checked = flag;
    Paint();
}

void CheckBox::SetText(const std::string& value) {
    text = value;
    Paint();
}

bool CheckBox::Toggle() {
    ElementTracker alive(*this);
    checked = !checked;
    Paint();
    FlushDisplay();
    DoCommand(this);
    return static_cast<bool>(alive);
}

void CheckBox::MouseUp(Point point) {
    if (enabled && !Toggle()) return;
    Child::MouseUp(point);
}

// A press does nothing: the box toggles on release.
void CheckBox::MouseDown(Point) {}

void CheckBox::KeyDown(uint32_t) {}

bool CheckBox::KeyChar(char character) {
    if (enabled && hasFocus && character == ' ' && !Toggle()) return true;
    return Child::KeyChar(character);
}

void CheckBox::Paint() {
    if (!CanPaint()) return;
    if (height < 22) height = 22;
    MakeMarkers();
    const Rect r = FormRect();
    Graphics g(OwnerForm());
    const int bg = OwnBackOrChain();
    g.FillWhole(r, bg);

    if (XImage* box = Marker(checked)) g.PutImage(r.x + 1, r.y + 1, kMarkerSize, kMarkerSize, box);

    const int tx = r.x + 1 + kMarkerSize;
    const int tw = r.width - kMarkerSize - 10;
    const int fore = static_cast<int>(foreColor);
    g.DrawText(tx + 5, r.y + 1, tw, r.height, text, enabled ? fore : kDisabledInk, bg, 0);

    if (hasFocus && enabled) g.DrawFocusFrame({tx + 2, r.y + 2, tw, r.height - 2}, fore);
}
