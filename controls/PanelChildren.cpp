#include "controls/PanelChildren.h"

#include "app/Application.h"
#include "app/Form.h"
#include "gfx/Graphics.h"

namespace {

void CollectUnder(GUIElement* container, std::vector<GUIElement*>& out) {
    // The registry may not change while we walk it: callers collect first
    // and act on the copy.
    for (GUIElement* e : Application::elements) {
        if (!e->IsChild() || e->GetParent() != container) continue;
        out.push_back(e);
        if (e->GetTypeTag() == kPanelTag) CollectUnder(e, out);
    }
}

} // namespace

PanelChildren::PanelChildren(GUIElement* parentElement) : ControlBase(parentElement) {
    typeTag = kPanelTag;
    tabStop = false;
    repaintWithContainer = true;
}

void PanelChildren::SetBorder(bool flag) {
    border = flag;
    flatBorder = false;
}

void PanelChildren::SetFlatBorder(bool flag) {
    flatBorder = flag;
    border = true;
}

void PanelChildren::SetSunken(bool flag) {
    sunken = flag;
    border = true;
}

void PanelChildren::SetCaptionColor(int64_t rgb) { captionColor = rgb; }

void PanelChildren::SetChildBackColor(int64_t rgb) { childBackColor = rgb; }

void PanelChildren::SetFirstTriple(int32_t a, int32_t b, int32_t c) {
    firstTriple[0] = a;
    firstTriple[1] = b;
    firstTriple[2] = c;
}

void PanelChildren::SetSecondTriple(int32_t a, int32_t b, int32_t c) {
    secondTriple[0] = a;
    secondTriple[1] = b;
    secondTriple[2] = c;
}

void PanelChildren::SetSelectedTriple(int32_t a, int32_t b, int32_t c) {
    if (firstSelector)
        SetSecondTriple(a, b, c);
    else if (secondSelector)
        SetFirstTriple(a, b, c);
}

std::vector<GUIElement*> PanelChildren::Children() {
    std::vector<GUIElement*> out;
    CollectUnder(this, out);
    return out;
}

// Children appear in the child colour from the start, as on every later
// paint of the panel.
void PanelChildren::Show() {
    if (!created) Create();
    Paint();
    for (GUIElement* child : Children()) {
        if (childBackColor != -1 && !child->IsCreated()) child->SetBackColor(static_cast<uint64_t>(childBackColor));
        child->Show();
    }
    Child::Show();
}

void PanelChildren::ShowWindow() { Show(); }

// Children erase themselves first, then the panel's whole area goes.
void PanelChildren::Hide() {
    for (GUIElement* child : Children()) child->Hide();
    if (created) EraseArea(ParentBackOrChain(), 1);
    Child::Hide();
    created = false;
}

void PanelChildren::Create() { CreateBase(false); }

void PanelChildren::Paint() {
    if (!CanPaint()) return;
    const Rect r = FormRect();
    const int bg = OwnBackOrDefault();
    {
        Graphics g(OwnerForm());
        g.FillRectangle(r, bg);
        if (border && flatBorder)
            g.DrawRectangle(r.x, r.y, r.width, r.height, 1, kBlack);
        else if (border)
            g.DrawFrame(r, sunken ? kBlack : kWhite, sunken ? kWhite : kBlack);
        if (!text.empty()) {
            const int fg = captionColor == -1 ? kBlack : static_cast<int>(captionColor & 0xFFFFFF);
            g.DrawText(r.x + 4, r.y + 2, r.width - 8, 10, text, fg, bg, 0);
        }
    }
    for (GUIElement* child : Children()) {
        if (!child->RepaintsWithContainer() || !child->IsCreated()) continue;
        if (childBackColor != -1) child->SetBackColor(static_cast<uint64_t>(childBackColor));
        child->Paint();
    }
}
