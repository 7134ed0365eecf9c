#include "app/GUIElement.h"

GUIElement::GUIElement(uint64_t ownerDataValue) : ownerData(ownerDataValue) {
    lastClick = TimeStamp::Now();
    Application::Register(this);
}

GUIElement::~GUIElement() = default;

int GUIElement::GetWidth() { return width; }
int GUIElement::GetActualWidth() { return width; }
int GUIElement::GetHeight() { return height; }
int GUIElement::GetActualHeight() { return height; }
Point GUIElement::GetPosition() { return Point{x, y}; }
Size GUIElement::GetSize() { return Size{width, height}; }
Size GUIElement::GetActualSize() { return Size{width, height}; }

void GUIElement::SetSize(int w, int h) {
    if (w == width && h == height) return;
    width = w;
    height = h;
    if (created) ApplySize();
}

void GUIElement::SetPosition(int newX, int newY) {
    x = newX;
    y = newY;
    if (created) ApplyPosition();
}

void GUIElement::MoveClamped(int newX, int newY) { SetPosition(newX < 0 ? 0 : newX, newY < 0 ? 0 : newY); }
void GUIElement::SetLocation(Point point) { SetPosition(point.x, point.y); }

void GUIElement::SetBackColor(uint64_t rgb) {
    backColor = rgb;
    if (created) Paint();
}

uint64_t GUIElement::GetBackColor() { return backColor; }

void GUIElement::Show() {
    if (!created) Create();
    visible = true;
}

void GUIElement::ShowWindow() { GUIElement::Show(); }

void GUIElement::Hide() {
    if (created) visible = false;
}

bool GUIElement::IsVisible() { return visible; }
bool GUIElement::IsCreated() { return created; }
void GUIElement::Update() {}
void GUIElement::Enable(bool flag) { enabled = flag; }
bool GUIElement::IsEnabled() { return enabled; }

void GUIElement::Attach(GUIElement* element) {
    if (created && element != nullptr) ApplyAttach(element);
}

void GUIElement::BringToFront() {
    if (created) ApplyRaise();
}
void GUIElement::Raise() { BringToFront(); }
void GUIElement::SendToBack() {
    if (created) ApplyLower();
}

void GUIElement::SetName(const std::string& value) { name = value; }
std::string GUIElement::GetName() { return name; }

void GUIElement::SetFont(const FontSpec& description) {
    font = description;
    if (created) ApplyStyle();
}

FontSpec& GUIElement::GetFont() { return font; }
bool GUIElement::IsTabStop() { return tabStop; }
bool GUIElement::RepaintsWithContainer() { return repaintWithContainer; }
bool GUIElement::IsChild() { return isChild; }

// Both far edges are inside: an element w wide answers for w + 1 columns,
// so neighbours that touch share their edge and the loop gives a click there
// to the focused one first, else to the first in the registry.
bool GUIElement::Contains(Point p) {
    return created && visible && x <= p.x && p.x <= x + width && y <= p.y && p.y <= y + height;
}

void GUIElement::SetText(const std::string& value) { text = value; }
std::string GUIElement::GetText() { return text; }
std::string GUIElement::GetValue() { return GetText(); }

// Every release is a click; one within 999 ms of the previous release on the
// same element is also a double click (onClick runs first, for both). The
// gap is signed, so a clock that steps back counts as quick, and lastClick
// starts at construction, so a release soon after it counts as well.
void GUIElement::MouseUp(Point point) {
    if (onClick) onClick(this, tag, point);
    TimeStamp now = TimeStamp::Now();
    if (lastClick.ElapsedMs(now) <= 999) DoubleClick(point);
    lastClick = now;
}

void GUIElement::MouseDown(Point point) {
    if (onMouseDown) onMouseDown(this, tag, point);
}
void GUIElement::DoubleClick(Point point) {
    if (onDoubleClick) onDoubleClick(this, tag, point);
}
void GUIElement::OtherButtonUp(Point point) {
    if (onOtherButtonUp) onOtherButtonUp(this, tag, point);
}
void GUIElement::OtherButtonDown(Point point) {
    if (onOtherButtonDown) onOtherButtonDown(this, tag, point);
}
void GUIElement::Notify(intptr_t a, intptr_t b) {
    if (onNotify) onNotify(this, tag, a, b);
}
void GUIElement::KeyUp(uint32_t keysym) {
    if (onKeyUp) onKeyUp(this, keysym);
}
void GUIElement::KeyDown(uint32_t keysym) {
    if (onKeyDown) onKeyDown(this, keysym);
}
bool GUIElement::KeyChar(char character) { return onKeyChar ? onKeyChar(this, character) : true; }
void GUIElement::MouseMove(int mx, int my) {
    if (onMouseMove) onMouseMove(this, mx, my);
}
void GUIElement::UserEvent2(intptr_t a, intptr_t b) {
    if (onUserEvent2) onUserEvent2(this, a, b);
}
void GUIElement::UserEvent3(intptr_t a, intptr_t b) {
    if (onUserEvent3) onUserEvent3(this, a, b);
}
void GUIElement::SetFocus() { hasFocus = true; }
void GUIElement::Moved(intptr_t a, intptr_t b) {
    if (onMoved) onMoved(this, a, b);
}

void GUIElement::Resized() {
    SetBackColor(backColor);
    if (onResize) onResize(this);
}

void GUIElement::Paint() {}
bool GUIElement::QueryClose() { return onQueryClose ? onQueryClose(this) : true; }

void GUIElement::Closed() {
    if (onClosed) onClosed(this);
    closed = true;
}

void GUIElement::GotFocus() {
    hasFocus = true;
    focusValue = GetValue();
    if (onGotFocus) onGotFocus(this);
}

void GUIElement::LostFocus() {
    hasFocus = false;
    if (onLostFocus) onLostFocus(this);
    if (GetValue() != focusValue && onChange) onChange(this);
}

void GUIElement::MouseEnter() {
    if (onMouseEnter) onMouseEnter(this);
}
void GUIElement::MouseLeave() {
    if (onMouseLeave) onMouseLeave(this);
}

void GUIElement::Load(uint64_t value) {
    if (tag == 0) tag = value;
    if (!loaded && onLoad) onLoad(this, tag);
    loaded = true;
}

void GUIElement::Refresh() {
    if (created) ApplyRefresh();
}

bool GUIElement::HasMarkA() { return markA; }
bool GUIElement::HasMarkB() { return markB; }

void GUIElement::SetMarkA(bool flag) {
    markA = flag;
    if (flag) markB = false;
}

void GUIElement::SetMarkB(bool flag) {
    markB = flag;
    if (flag) markA = false;
}

void GUIElement::Initialize() {}
uint64_t& GUIElement::GetTag() { return tag; }
void GUIElement::ApplyPosition() {}
void GUIElement::ApplySize() {}
void GUIElement::ApplyRefresh() {}
void GUIElement::ApplyRaise() {}
void GUIElement::ApplyLower() {}
void GUIElement::ApplyAttach(GUIElement*) {}
void GUIElement::ApplyStyle() {}

void GUIElement::AssignId() {
    if (id == 0) {
        id = Application::NextId();
        tag = id;
    }
    if (created) ApplyStyle();
}

Child::Child() : GUIElement(0) { isChild = true; }

Child::~Child() { Application::RemoveWinForm(this); }
