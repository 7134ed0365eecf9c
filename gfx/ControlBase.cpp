#include "gfx/ControlBase.h"

#include "app/Application.h"
#include "app/Form.h"
#include "gfx/Graphics.h"

ControlBase::ControlBase(GUIElement* parentElement) { parent = parentElement; }

void ControlBase::SetSize(int w, int h) {
    if (!created) {
        StoreSize(w, h);
        return;
    }
    Hide();
    StoreSize(w, h);
    Show();
}

void ControlBase::SetPosition(int newX, int newY) {
    if (!created) {
        StorePosition(newX, newY);
        return;
    }
    Hide();
    StorePosition(newX, newY);
    Show();
}

void ControlBase::Show() {
    Child::Show();
    Paint();
}

void ControlBase::ShowWindow() { Show(); }

void ControlBase::Hide() { HideErasing(ParentBackOrChain(), 1); }

void ControlBase::Create() { CreateBase(true); }

void ControlBase::GotFocus() {
    Child::GotFocus();
    if (repaintOnFocus) Paint();
}

void ControlBase::LostFocus() {
    Child::LostFocus();
    if (repaintOnFocus) Paint();
}

Point ControlBase::FormPos() { return ToFormCoordinates(this, x, y); }

Rect ControlBase::FormRect() {
    const Point p = FormPos();
    return {p.x, p.y, width, height};
}

Form* ControlBase::OwnerForm() { return Application::GetForm(this); }

bool ControlBase::CanDraw() {
    Form* form = OwnerForm();
    return form != nullptr && form->IsCreated() && form->GetWindow() != 0 && form->GetDisplay() != nullptr;
}

bool ControlBase::CanPaint() { return created && !paintSuspended && CanDraw(); }

void ControlBase::FlushDisplay() {
    Form* form = OwnerForm();
    if (form != nullptr && form->GetDisplay() != nullptr) XFlush(form->GetDisplay());
}

int ControlBase::OwnBackOrChain() {
    if (!IsUnset(backColor)) return static_cast<int>(backColor & 0xFFFFFF);
    return ParentBackOrChain();
}

int ControlBase::ParentBackOrChain() {
    if (parent != nullptr && !IsUnset(parent->GetBackColor()))
        return static_cast<int>(parent->GetBackColor() & 0xFFFFFF);
    return FormBackOrDefault();
}

int ControlBase::FormBackOrDefault() {
    Form* form = OwnerForm();
    if (form != nullptr && !IsUnset(form->GetBackColor())) return static_cast<int>(form->GetBackColor() & 0xFFFFFF);
    return kDefaultBack;
}

int ControlBase::OwnBackOrDefault() {
    return IsUnset(backColor) ? kDefaultBack : static_cast<int>(backColor & 0xFFFFFF);
}

void ControlBase::EraseArea(int color, int extra) {
    if (!CanDraw()) return;
    const Rect r = FormRect();
    Graphics g(OwnerForm());
    g.FillRectangle({r.x, r.y, r.width + extra, r.height + extra}, color);
}

void ControlBase::HideErasing(int color, int extra) {
    if (!created) return;
    EraseArea(color, extra);
    Child::Hide();
    created = false;
}

void ControlBase::CreateBase(bool withTag) {
    if (created) return;
    if (id == 0) {
        id = Application::NextId();
        if (withTag) tag = id;
    }
    created = true;
    visible = true;
}
