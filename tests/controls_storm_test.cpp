#include "tests/support/XTestSupport.h"

#include <iterator>
#include <random>
#include <string>

#include "app/Application.h"
#include "app/TypeTags.h"
#include "tools/GalleryForm.h"

// A seeded storm of clicks, drags, motion, keys and state changes over the
// whole control gallery, through the loop's own dispatch. It passes when
// nothing crashes, the sanitizers stay quiet and no X request was refused.
namespace {

GalleryControls* gallery = nullptr;
int reached = 0; // commands and scroll callbacks run
std::mt19937 rng(20240611u);

int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
bool Chance(int percent) { return Between(1, 100) <= percent; }
GUIElement* AnyElement() {
    return gallery->elements[static_cast<size_t>(Between(0, static_cast<int>(gallery->elements.size()) - 1))].get();
}

// Commands and callbacks change other controls while the storm runs.
void OnCommand(Child* sender) {
    ++reached;
    if (sender->GetTypeTag() == kCheckBoxTag) gallery->options->SetEnabled(!gallery->options->IsEnabled());
    if (sender->GetTypeTag() == kOptionBoxTag) gallery->progress->SetValue(reached % 120 - 10);
    if (sender == gallery->plainButton) gallery->panel->IsCreated() ? gallery->panel->Hide() : gallery->panel->Show();
}

const KeySym kKeys[] = {XK_Tab, XK_Return, XK_space,  XK_Left,      XK_Right, XK_Up, XK_Down,   XK_Home,
                        XK_End, XK_Delete, XK_Escape, XK_BackSpace, XK_a,     XK_9,  XK_period, XK_slash};

// Mostly a point on some control (created or not), else anywhere on the form
// or a little outside it.
Point Somewhere() {
    if (Chance(75)) {
        GUIElement* e = AnyElement();
        Point at = Application::ToFormCoordinates(e, e->GetPosition().x, e->GetPosition().y);
        return Point{at.x + Between(-2, e->GetWidth() + 2), at.y + Between(-2, e->GetHeight() + 2)};
    }
    return Point{Between(-5, kGalleryWidth + 5), Between(-5, kGalleryHeight + 5)};
}

void Input(Form* form) {
    const int kind = Between(1, 100);
    Point p = Somewhere();
    if (kind <= 30) {
        xt::Click(form, p.x, p.y, kind <= 5 ? static_cast<unsigned>(Between(2, 5)) : 1);
    } else if (kind <= 45) {
        xt::Press(form, p.x, p.y);
        for (int i = Between(1, 4); i > 0; --i) xt::Motion(form, p.x += Between(-40, 40), p.y += Between(-20, 20));
        xt::Release(form, p.x, p.y);
    } else {
        xt::Key(form, kKeys[Between(0, static_cast<int>(std::size(kKeys)) - 1)], Chance(10) ? ShiftMask : 0);
    }
}

// What a program might do to a control between two events.
void Change(Form* form) {
    GUIElement* e = AnyElement();
    switch (Between(0, 7)) {
    case 0: e->Hide(); break;
    case 1: e->Show(); break;
    case 2: e->Enable(Chance(60)); break;
    case 3: e->SetPosition(e->GetPosition().x + Between(-8, 8), e->GetPosition().y + Between(-8, 8)); break;
    case 4: e->SetSize(Between(0, 160), Between(0, 90)); break;
    case 5: e->SetBackColor(Chance(30) ? kNoColor : static_cast<uint64_t>(Between(0, 0xFFFFFF))); break;
    case 6: form->Paint(); break;
    default: break;
    }
    if (auto* s = dynamic_cast<ScrollBar*>(e)) {
        if (Chance(30)) s->SetRange(Between(-50, 50), Between(-50, 400));
        if (Chance(30)) s->SetValue(Between(-100, 500));
        if (Chance(20)) Chance(50) ? s->SetVertical(true) : s->SetHorizontal(Chance(80));
    } else if (auto* o = dynamic_cast<OptionBox*>(e)) {
        if (Chance(30)) o->AddOption("Voce " + std::to_string(Between(0, 99)), "v");
        if (Chance(30)) o->RemoveOption(Between(-3, o->GetOptionCount() + 1));
        if (Chance(20)) o->SetSelectedIndex(Between(-3, o->GetOptionCount() + 1));
        if (Chance(10)) o->ClearOptions();
    } else if (auto* panel = dynamic_cast<PanelChildren*>(e)) {
        if (Chance(30)) panel->SetFlatBorder(Chance(50));
        if (Chance(30)) panel->SetChildBackColor(Chance(50) ? -1 : Between(0, 0xFFFFFF));
    }
}

TEST(ControlsStorm, RandomInputOverTheGalleryCrashesNothing) {
    xt::ClearLog();
    xt::TestForm form(kGalleryWidth, kGalleryHeight);
    form.SetBackColor(kGalleryBack);
    form.Create();
    GalleryControls controls;
    BuildGallery(&form, controls);
    gallery = &controls;
    xt::Pump(&form);
    for (const auto& e : controls.elements) {
        if (auto* c = dynamic_cast<CommandElement*>(e.get())) c->SetCommand(OnCommand);
        if (auto* s = dynamic_cast<ScrollBar*>(e.get()))
            s->SetOnScroll([](Child*, int64_t tenTimes) {
                ++reached;
                gallery->progress->SetValue(static_cast<int32_t>(tenTimes / 30));
            });
        if (auto* s = dynamic_cast<Slider*>(e.get()))
            s->SetOnValue([](Child*, int32_t v) { gallery->scroll->SetValue(v * 38); });
    }

    for (int i = 0; i < 4000; ++i) {
        Chance(12) ? Change(&form) : Input(&form);
        // A short spell with the form disabled, as while a dialog is open.
        if (i % 400 == 380) form.Enable(false);
        if (i % 400 == 399) form.Enable(true);
        // Now and then everything comes back, so the storm keeps reaching it.
        if (i % 600 == 599)
            for (const auto& e : controls.elements) e->Enable(true), e->Show();
    }
    form.Enable(true);
    xt::Pump(&form);

    EXPECT_GT(reached, 0) << "the storm reached the controls";
    for (const std::string& line : xt::LogLines()) {
        EXPECT_EQ(line.find("X error"), std::string::npos) << line;
        EXPECT_EQ(line.find("NON TROVATO"), std::string::npos) << line;
    }
    controls.Clear();
    gallery = nullptr;
    EXPECT_EQ(Application::focused, nullptr);
}

} // namespace
