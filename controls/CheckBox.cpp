#include "controls/CheckBox.h"

#include <algorithm>

#include "app/Application.h"
#include "app/Form.h"
#include "controls/art/Markers.h"
#include "gfx/Graphics.h"
#include "gfx/Picture.h"

namespace {

constexpr int kDisabledText = 0x9B9B9B;
constexpr int kBoxSize = 20;

} // namespace

CheckBox::CheckBox(GUIElement* parentElement, const std::string& caption) : ControlBase(parentElement) {
    text = caption;
    width = 80;
    height = 30;
    typeTag = "checkbox";
    tabStop = true;
    repaintOnFocus = true;
    repaintWithContainer = true;
    hasFocus = false;
}

CheckBox::~CheckBox() {
    for (XImage* image : {checkedPicture, checkedDisabledPicture, uncheckedPicture, uncheckedDisabledPicture})
        if (image != nullptr) DestroyXImage(image);
}

void CheckBox::SetEnabled(bool flag) {
    enabled = flag;
    Paint();
}

void CheckBox::SetForeColor(uint32_t rgb) {
    foreColor = rgb & 0xFFFFFF;
    Paint();
}

void CheckBox::SetChecked(bool flag) {
    checked = flag;
    Paint();
}

void CheckBox::SetText(const std::string& value) {
    text = value;
    Paint();
}

// The caption's background reaches one row below the box, so the erase
// takes that row too.
void CheckBox::Hide() {
    if (!created) return;
    if (CanDraw()) {
        Point p = FormPos();
        Graphics g(OwnerForm());
        g.FillRectangle(p.x, p.y, width + 1, height + 2, 0, 0, ParentBackOrChain());
    }
    Child::Hide();
    created = false;
}

bool CheckBox::Toggle() {
    const uint64_t self = GetSerial();
    checked = !checked;
    Paint();
    FlushDisplay();
    DoCommand(this);
    return Application::IsRegistered(self);
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

void CheckBox::Create() { CreateBase(false); }

void CheckBox::MakePictures() {
    if (checkedPicture == nullptr) checkedPicture = MakeMarkerImage(this, imgCHECK_ON);
    if (uncheckedPicture == nullptr) uncheckedPicture = MakeMarkerImage(this, imgCHECK_OFF);
    if (checkedDisabledPicture == nullptr) checkedDisabledPicture = MakeMarkerImage(this, imgCHECK_ON_DIS);
    if (uncheckedDisabledPicture == nullptr)
        uncheckedDisabledPicture = MakeMarkerImage(this, imgCHECK_OFF_DIS);
}

void CheckBox::Paint() {
    if (!CanPaint()) return;
    if (height < 22) height = 22;
    MakePictures();
    const Rect r = FormRect();
    Graphics g(OwnerForm());
    const int bg = OwnBackOrChain();
    g.FillRectangle(r.x, r.y, r.width + 1, r.height + 1, 0, 0, bg);

    XImage* box = enabled ? (checked ? checkedPicture : uncheckedPicture)
                          : (checked ? checkedDisabledPicture : uncheckedDisabledPicture);
    if (box != nullptr) g.PutImage(r.x + 1, r.y + 1, kBoxSize, kBoxSize, box);

    const int tx = r.x + 1 + kBoxSize;
    const int tw = r.width - kBoxSize - 10;
    const int fore = static_cast<int>(foreColor);
    g.DrawText(tx + 5, r.y + 1, tw, r.height, text, enabled ? fore : kDisabledText, bg, 0);

    if (hasFocus && enabled) g.DrawFocusFrame({tx + 2, r.y + 2, tw, r.height - 2}, fore);
}
