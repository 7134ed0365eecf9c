#include "tools/GalleryForm.h"

#include <string>

#include "app/Application.h"
#include "controls/CellControl.h"
#include "controls/ImageFrame.h"
#include "controls/art/Markers.h"
#include "gfx/MyImage.h"
#include "gfx/Picture.h"

void GalleryControls::Clear() {
    while (!elements.empty()) elements.pop_back();
    for (XImage* image : images) DestroyXImage(image);
    images.clear();
    pixelData.clear();
}

namespace {

enum class Kind {
    Label, // a caption cell on the left of a row
    Button,
    Cell,
    Frame, // an ImageFrame showing frame `range.value` of the gallery's three
    Text,
    Panel,
    Check,
    Options, // text lists the options as "caption=value|..."
    Bar,
    Slider,
    Scroll,
    Swatch, // a picture of w x h made by Swatch() from `back` to `fore`
    Marker, // the 4-bit option marker as a picture
    Tick, // the check mark's X image as a picture
};

enum Flag : unsigned {
    kDisabled = 1u << 0,
    kBorder = 1u << 1,
    kNoBorder = 1u << 2,
    kHighlight = 1u << 3,
    kMarked = 1u << 4,
    kPassword = 1u << 5,
    kDigits = 1u << 6, // digits only, aligned right
    kMultiLine = 1u << 7,
    kChecked = 1u << 8,
    kVertical = 1u << 9,
    kRaised = 1u << 10,
    kTransparent = 1u << 11,
    kTick = 1u << 12, // the check mark as the picture
    kGreyTick = 1u << 13, // the grey check mark as the disabled picture
    kAlignRight = 1u << 14,
    kFocus = 1u << 15, // drawn with its focus frame
    kPressed = 1u << 16, // held down by the mouse
    kHidden = 1u << 17, // hidden after showing
    kNeverShown = 1u << 18,
};

// Where a control goes.
enum class In { Form, Panel, Raised };

// The controls the gallery keeps a handle to.
enum class Role {
    NoHandle,
    PlainButton,
    PressedButton,
    DisabledButton,
    FocusedText,
    Panel,
    PanelRaised,
    Progress,
    Slider,
    Scroll,
    ScrollVertical,
    Check,
    Options,
    PanelOptions
};

struct Box {
    int x, y, w = 0, h = 0; // w == 0 keeps the control's own size
};

struct Range {
    int lo = 0, hi = 0, value = -1; // value < 0: left as constructed
};

// One control of the gallery. `back` and `fore` are its colours (kNoColor:
// its own); a panel's `fore` is its children's background.
struct Row {
    Kind kind;
    Box box;
    const char* text = "";
    unsigned flags = 0;
    Range range = {};
    In in = In::Form;
    Role role = Role::NoHandle;
    uint64_t back = kNoColor, fore = kNoColor;
};

// The gallery, in construction order (which is also the Tab order).
const Row kRows[] = {
    // Left column.
    {Kind::Label, {10, 12}, "ButtonCustom"},
    {Kind::Button, {125, 8}, "OK", 0, {}, In::Form, Role::PlainButton},
    {Kind::Button, {210, 8}, "Focus", kFocus},
    {Kind::Button, {295, 8}, "Pressed", kPressed, {}, In::Form, Role::PressedButton},
    {Kind::Button, {125, 44}, "Disabled", kDisabled, {}, In::Form, Role::DisabledButton},
    {Kind::Button, {210, 44}, "Audio", kTick | kGreyTick},
    {Kind::Button, {295, 44, 34, 30}, "", kTick},
    {Kind::Button, {335, 44, 50, 30}, "Rosso", 0, {}, In::Form, Role::NoHandle, 0xC03030, kWhite},

    {Kind::Label, {10, 88}, "CellControl"},
    {Kind::Cell, {125, 84, 80, 30}, "Testo"},
    {Kind::Cell, {210, 84, 80, 30}, "Bordo", kBorder, {}, In::Form, Role::NoHandle, kWhite},
    {Kind::Cell, {295, 84, 90, 30}, "Evidenziato", kHighlight},
    {Kind::Cell, {125, 118, 80, 30}, "Lock", kBorder | kMarked},
    {Kind::Cell, {210, 118, 175, 30}, "Con figura", kAlignRight | kTick},

    {Kind::Label, {10, 172}, "ImageFrame"},
    {Kind::Frame, {125, 156, 48, 48}, "", 0, {0, 0, 0}},
    {Kind::Frame, {181, 156, 48, 48}, "", 0, {0, 0, 1}},
    {Kind::Frame, {237, 156, 48, 48}, "", kTransparent, {0, 0, 2}, In::Form, Role::NoHandle, 0x6040A0},

    {Kind::Label, {10, 218}, "TextBoxCustom"},
    {Kind::Text, {125, 214, 125, 24}, "Mario Rossi", kFocus, {}, In::Form, Role::FocusedText},
    {Kind::Text, {260, 214, 125, 24}, "segreto", kPassword},
    {Kind::Text, {125, 244, 125, 24}, "12345", kDigits},
    {Kind::Text, {260, 244, 125, 24}, "Disabilitato", kDisabled},
    {Kind::Text, {125, 274, 260, 44}, "Riga uno\rRiga due", kMultiLine},

    {Kind::Label, {10, 334}, "PanelChildren"},
    {Kind::Panel, {125, 330, 260, 110}, "Opzioni", kBorder, {}, In::Form, Role::Panel, 0xD8D0C0},
    {Kind::Check, {8, 16, 110, 24}, "Suono", kChecked, {}, In::Panel},
    {Kind::Options, {130, 16, 120, 30}, "Lento=1|Veloce=2", 0, {0, 0, 1}, In::Panel, Role::PanelOptions},
    {Kind::Bar, {8, 76, 110, 20}, "", 0, {0, 10, 7}, In::Panel},
    {Kind::Panel, {10, 364, 105, 76}, "", kRaised, {}, In::Form, Role::PanelRaised, kNoColor, 0xF0E68C},
    {Kind::Button, {12, 22}, "Dentro", 0, {}, In::Raised},

    {Kind::Label, {10, 454}, "ProgressBar"},
    {Kind::Bar, {125, 450, 260, 22}, "", 0, {0, 100, 40}, In::Form, Role::Progress},
    {Kind::Bar, {125, 478, 125, 22}, "", 0, {0, 100, 100}},
    {Kind::Bar, {260, 478, 125, 22}, "", kNoBorder, {0, 100, 65}, In::Form, Role::NoHandle, kWhite},

    {Kind::Label, {10, 516}, "MyImage"},
    {Kind::Swatch, {125, 512, 64, 48}, "", 0, {}, In::Form, Role::NoHandle, 0x803080, 0xF0A0D0},
    {Kind::Marker, {200, 526}},
    {Kind::Tick, {240, 526, 20, 20}, "", kBorder},

    // Right column.
    {Kind::Label, {410, 12}, "Slider"},
    {Kind::Slider, {525, 8, 120, 50}, "", kFocus, {1, 5, 3}, In::Form, Role::Slider},
    {Kind::Slider, {655, 8, 130, 50}, "", kDisabled, {0, 10, 7}},
    {Kind::Slider, {410, 40, 50, 100}, "", kVertical, {1, 4, 2}},

    {Kind::Label, {525, 72}, "ScrollBar"},
    {Kind::Scroll, {525, 100, 180, 21}, "", kFocus, {0, 300, 138}, In::Form, Role::Scroll},
    {Kind::Scroll, {525, 130, 120, 21}, "", kDisabled, {0, 100}},
    {Kind::Scroll, {655, 130, 80, 21}, "", 0, {4, 4}},
    {Kind::Scroll, {760, 72, 21, 110}, "", kVertical, {0, 100, 68}, In::Form, Role::ScrollVertical},

    {Kind::Label, {410, 196}, "CheckBox"},
    {Kind::Check, {525, 192, 125, 24}, "Normale", 0, {}, In::Form, Role::Check},
    {Kind::Check, {655, 192, 125, 24}, "Scelto", kChecked},
    {Kind::Check, {525, 222, 125, 24}, "Con fuoco", kFocus, {}, In::Form, Role::NoHandle, kNoColor, 0x000080},
    {Kind::Check, {655, 222, 135, 24}, "Spento, scelto", kChecked | kDisabled},
    {Kind::Check, {525, 252, 125, 24}, "Spento", kDisabled},

    {Kind::Label, {410, 290}, "OptionBox"},
    {Kind::Options, {525, 286, 125, 30}, "Facile=1|Medio=2|Difficile=3", kFocus, {0, 0, 1}, In::Form, Role::Options},
    {Kind::Options, {655, 286, 135, 30}, "Si=s|No=n", kDisabled, {0, 0, 0}},
    {Kind::Options, {525, 372, 125, 30}, "Nessuna=|Bianco su blu=", 0, {}, In::Form, Role::NoHandle, 0x305070, kWhite},

    // Controls a program may leave off screen: one hidden after showing, a
    // few never created (they still take part in Tab navigation).
    {Kind::Check, {655, 372}, "Nascosto", kHidden},
    {Kind::Options, {655, 420}, "", kNeverShown},
    {Kind::Scroll, {655, 470, 30, 10}, "", kNeverShown, {0, 50}},
    {Kind::Bar, {655, 500}, "", kNeverShown, {3, 3}},
};

// A w x h RGB picture: a diagonal blend of two colours with a light ring.
std::vector<unsigned char> Swatch(int w, int h, uint32_t from, uint32_t to) {
    std::vector<unsigned char> rgb(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
    const int cx = w / 2, cy = h / 2, r = (w < h ? w : h) / 3;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int t = (x + y) * 255 / (w + h - 2);
            unsigned char* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
            for (int c = 0; c < 3; ++c) {
                const int shift = 16 - 8 * c;
                const int a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
                p[c] = static_cast<unsigned char>(a + (b - a) * t / 255);
            }
            const int d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            if (d2 >= (r - 2) * (r - 2) && d2 <= r * r) p[0] = p[1] = p[2] = 0xF0;
        }
    return rgb;
}

// A frame picture whose corners are black, so that a transparent paste lets
// the background show there.
std::vector<unsigned char> CutCorners(std::vector<unsigned char> rgb, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int dx = x < w / 2 ? w / 2 - x : x - w / 2 + 1;
            const int dy = y < h / 2 ? h / 2 - y : y - h / 2 + 1;
            if (dx + dy > (w + h) / 3) {
                unsigned char* p = &rgb[(static_cast<size_t>(y) * w + x) * 3];
                p[0] = p[1] = p[2] = 0;
            }
        }
    return rgb;
}

// The pictures the rows share.
struct Pictures {
    XImage* tick;
    XImage* tickGrey;
};

template <typename T>
T* Placed(T* control, const Row& row) {
    control->SetPosition(row.box.x, row.box.y);
    if (row.box.w > 0) control->SetSize(row.box.w, row.box.h);
    if (row.back != kNoColor) control->SetBackColor(row.back);
    return control;
}

void AddOptions(OptionBox* box, const std::string& list) {
    for (size_t at = 0; at < list.size();) {
        size_t end = list.find('|', at);
        if (end == std::string::npos) end = list.size();
        const std::string option = list.substr(at, end - at);
        const size_t equals = option.find('=');
        box->AddOption(option.substr(0, equals), option.substr(equals + 1));
        at = end + 1;
    }
}

GUIElement* Make(GalleryControls& out, const Row& row, GUIElement* parent, const Pictures& pictures) {
    const unsigned f = row.flags;
    switch (row.kind) {
    case Kind::Label: {
        auto* c = Placed(out.Add<CellControl>(parent), row);
        c->SetSize(110, 24);
        c->SetAlignment(0);
        c->SetBackColor(kGalleryBack);
        c->SetText(row.text);
        return c;
    }
    case Kind::Button: {
        auto* b = Placed(out.Add<ButtonCustom>(parent, row.text), row);
        if (row.fore != kNoColor) b->SetForeColor(static_cast<uint32_t>(row.fore));
        if (f & kTick) b->SetPicture(pictures.tick);
        if (f & kGreyTick) b->SetDisabledPicture(pictures.tickGrey);
        if (f & kDisabled) b->SetEnabled(false);
        return b;
    }
    case Kind::Cell: {
        auto* c = Placed(out.Add<CellControl>(parent), row);
        if (f & kAlignRight) c->SetAlignment(1);
        if (f & kBorder) c->SetBorder(true);
        if (f & kHighlight) c->SetHighlight(true);
        if (f & kMarked) c->SetMarked(true);
        c->SetText(row.text);
        if (f & kTick) c->SetPicture(pictures.tick, 20, 20, 0);
        return c;
    }
    case Kind::Frame: {
        const auto count = static_cast<int32_t>(out.framePointers.size());
        auto* frame = Placed(out.Add<ImageFrame>(parent, out.framePointers.data(), count, row.range.value, 0), row);
        if (f & kTransparent) frame->SetTransparent(true);
        return frame;
    }
    case Kind::Text: {
        auto* t = Placed(out.Add<TextBoxCustom>(parent, row.text), row);
        if (f & kPassword) t->SetPassword(true);
        if (f & kDigits) {
            t->SetDigitsOnly(true);
            t->SetAlignRight(true);
        }
        if (f & kMultiLine) t->SetMultiLine(true);
        if (f & kDisabled) t->SetEnabled(false);
        return t;
    }
    case Kind::Panel: {
        auto* p = Placed(out.Add<PanelChildren>(parent), row);
        if (f & kBorder) p->SetBorder(true);
        if (f & kRaised) p->SetSunken(false);
        if (row.fore != kNoColor) p->SetChildBackColor(static_cast<int64_t>(row.fore));
        if (*row.text != '\0') p->SetText(row.text);
        return p;
    }
    case Kind::Check: {
        auto* c = Placed(out.Add<CheckBox>(parent, row.text), row);
        if (row.fore != kNoColor) c->SetForeColor(static_cast<uint32_t>(row.fore));
        if (f & kChecked) c->SetChecked(true);
        if (f & kDisabled) c->SetEnabled(false);
        return c;
    }
    case Kind::Options: {
        auto* o = Placed(out.Add<OptionBox>(parent), row);
        if (row.fore != kNoColor) o->SetForeColor(static_cast<uint32_t>(row.fore));
        AddOptions(o, row.text);
        if (row.range.value >= 0) o->SetSelectedIndex(row.range.value);
        if (f & kDisabled) o->SetEnabled(false);
        return o;
    }
    case Kind::Bar: {
        auto* b = Placed(out.Add<ProgressBar>(parent, row.range.lo, row.range.hi), row);
        if (f & kNoBorder) b->SetBorder(false);
        if (row.range.value >= 0) b->SetValue(row.range.value);
        return b;
    }
    case Kind::Slider: {
        auto* s = Placed(out.Add<Slider>(parent, (f & kVertical) != 0, row.range.lo, row.range.hi), row);
        if (row.range.value >= 0) s->SetValue(row.range.value);
        if (f & kDisabled) s->SetEnabled(false);
        return s;
    }
    case Kind::Scroll: {
        auto* s = out.Add<ScrollBar>(parent, row.range.lo, row.range.hi);
        if (f & kVertical) s->SetVertical(true);
        Placed(s, row);
        if (row.range.value >= 0) s->SetValue(row.range.value);
        if (f & kDisabled) s->SetEnabled(false);
        return s;
    }
    case Kind::Swatch: {
        const int w = row.box.w, h = row.box.h;
        const auto from = static_cast<uint32_t>(row.back), to = static_cast<uint32_t>(row.fore);
        const unsigned char* rgb = out.Keep(Swatch(w, h, from, to));
        auto* picture = out.Add<MyImage>(parent, rgb, true, w, h);
        picture->SetPosition(row.box.x, row.box.y);
        return picture;
    }
    case Kind::Marker: {
        auto* picture = out.Add<MyImage>(parent, reinterpret_cast<const unsigned char*>(imgOPTION_ON), 20, 20);
        picture->SetPosition(row.box.x, row.box.y);
        return picture;
    }
    case Kind::Tick: {
        auto* picture = Placed(out.Add<MyImage>(parent, pictures.tick), row);
        if (f & kBorder) picture->SetBorder(true);
        return picture;
    }
    }
    return nullptr;
}

void KeepHandle(GalleryControls& out, Role role, GUIElement* e) {
    switch (role) {
    case Role::NoHandle: break;
    case Role::PlainButton: out.plainButton = static_cast<ButtonCustom*>(e); break;
    case Role::PressedButton: out.pressedButton = static_cast<ButtonCustom*>(e); break;
    case Role::DisabledButton: out.disabledButton = static_cast<ButtonCustom*>(e); break;
    case Role::FocusedText: out.focusedText = static_cast<TextBoxCustom*>(e); break;
    case Role::Panel: out.panel = static_cast<PanelChildren*>(e); break;
    case Role::PanelRaised: out.panelRaised = static_cast<PanelChildren*>(e); break;
    case Role::Progress: out.progress = static_cast<ProgressBar*>(e); break;
    case Role::Slider: out.slider = static_cast<Slider*>(e); break;
    case Role::Scroll: out.scroll = static_cast<ScrollBar*>(e); break;
    case Role::ScrollVertical: out.scrollVertical = static_cast<ScrollBar*>(e); break;
    case Role::Check: out.check = static_cast<CheckBox*>(e); break;
    case Role::Options: out.options = static_cast<OptionBox*>(e); break;
    case Role::PanelOptions: out.panelOptions = static_cast<OptionBox*>(e); break;
    }
}

} // namespace

void BuildGallery(Form* form, GalleryControls& out) {
    form->SetBackColor(kGalleryBack);
    form->SetTitle("Galleria dei controlli");

    const Pictures pictures{PaletteXImage(form, 20, 20, imgCHECK_ON).release(),
                            PaletteXImage(form, 20, 20, imgCHECK_ON_DIS).release()};
    for (XImage* image : {pictures.tick, pictures.tickGrey})
        if (image != nullptr) out.images.push_back(image);
    const int fw = 48, fh = 48;
    out.framePointers = {out.Keep(Swatch(fw, fh, 0xE04020, 0xF0C030)), out.Keep(Swatch(fw, fh, 0x2060E0, 0x30C0F0)),
                         out.Keep(CutCorners(Swatch(fw, fh, 0x20A040, 0xD0F060), fw, fh))};

    std::vector<GUIElement*> made;
    for (const Row& row : kRows) {
        GUIElement* parent = form;
        if (row.in == In::Panel) parent = out.panel;
        if (row.in == In::Raised) parent = out.panelRaised;
        made.push_back(Make(out, row, parent, pictures));
        KeepHandle(out, row.role, made.back());
    }

    // Everything but the never-created ones appears; panels show their own
    // children. Then the states that come from input: a pressed face, focus
    // frames. The text box keeps the loop's focus, so typing goes there.
    for (size_t i = 0; i < made.size(); ++i)
        if (kRows[i].in == In::Form && !(kRows[i].flags & kNeverShown)) made[i]->Show();
    for (size_t i = 0; i < made.size(); ++i) {
        const Row& row = kRows[i];
        if (row.flags & kHidden) made[i]->Hide();
        if (row.flags & kPressed) made[i]->MouseDown(Point{row.box.x + 5, row.box.y + 4});
        if (row.flags & kFocus) made[i]->GotFocus();
    }
    Application::focused = out.focusedText;
}
