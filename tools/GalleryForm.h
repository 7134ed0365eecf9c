// The control gallery: every control of the toolkit, in its notable states
// (focused, pressed, disabled, highlighted, checked, selected, with
// pictures), on one 800 x 600 form. The gallery program shows it or saves a
// screenshot of it; the event-storm test throws random input at it.
#pragma once
#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/Application.h"
#include "app/Form.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "controls/CheckBox.h"
#include "controls/ImageFrame.h"
#include "controls/OptionBox.h"
#include "controls/PanelChildren.h"
#include "controls/ProgressBar.h"
#include "controls/ScrollBar.h"
#include "controls/Slider.h"
#include "controls/TextBoxCustom.h"
#include "controls/art/Markers.h"
#include "gfx/MyImage.h"
#include "gfx/Picture.h"

constexpr int kGalleryWidth = 800;
constexpr int kGalleryHeight = 600;
constexpr uint64_t kGalleryBack = 0xC4C4C4;

// Owns the gallery's controls and the pictures made for them. Controls are
// destroyed in reverse order of construction, pictures after them.
class GalleryControls {
public:
    GalleryControls() = default;
    GalleryControls(const GalleryControls&) = delete;
    GalleryControls& operator=(const GalleryControls&) = delete;
    ~GalleryControls() { Clear(); }

    // A destroyed element leaves the registry, and the focus if it had it.
    void Clear() {
        while (!elements.empty()) elements.pop_back();
        for (XImage* image : images) DestroyXImage(image);
        images.clear();
        pixelData.clear();
    }

    template <typename T, typename... Args>
    T* Add(Args&&... args) {
        auto owned = std::make_unique<T>(std::forward<Args>(args)...);
        T* raw = owned.get();
        elements.push_back(std::move(owned));
        return raw;
    }

    // An RGB buffer kept alive as long as the controls that draw it.
    const unsigned char* Keep(std::vector<unsigned char> rgb) {
        pixelData.push_back(std::move(rgb));
        return pixelData.back().data();
    }

    // Every control, in construction order.
    std::vector<std::unique_ptr<GUIElement>> elements;
    std::vector<XImage*> images;
    std::vector<std::vector<unsigned char>> pixelData;
    std::vector<const unsigned char*> framePointers;

    // Handles to a few controls by role.
    ButtonCustom* plainButton = nullptr;
    ButtonCustom* pressedButton = nullptr;
    ButtonCustom* disabledButton = nullptr;
    TextBoxCustom* focusedText = nullptr;
    PanelChildren* panel = nullptr;
    PanelChildren* panelRaised = nullptr;
    ProgressBar* progress = nullptr;
    Slider* slider = nullptr;
    ScrollBar* scroll = nullptr;
    ScrollBar* scrollVertical = nullptr;
    CheckBox* check = nullptr;
    OptionBox* options = nullptr;
    OptionBox* panelOptions = nullptr;
};

namespace gallery {

// A w x h RGB picture: a diagonal blend of two colours with a light ring.
inline std::vector<unsigned char> Swatch(int w, int h, uint32_t from, uint32_t to) {
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
inline std::vector<unsigned char> CutCorners(std::vector<unsigned char> rgb, int w, int h) {
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

// A caption cell on the left of a row.
inline CellControl* Label(GalleryControls& out, Form* form, int x, int y, const std::string& text) {
    CellControl* c = out.Add<CellControl>(form);
    c->SetPosition(x, y);
    c->SetSize(110, 24);
    c->SetAlignment(0);
    c->SetBackColor(kGalleryBack);
    c->SetText(text);
    return c;
}

} // namespace gallery

// Builds the gallery on a created form; the controls appear at once. The
// form's window takes its background when it is made, so give the form
// kGalleryBack before creating it. A few controls stay hidden or were never
// created, as a program may leave them.
inline void BuildGallery(Form* form, GalleryControls& out) {
    using gallery::Label;
    form->SetBackColor(kGalleryBack);
    form->SetTitle("Galleria dei controlli");

    XImage* tick = MakeMarkerImage(form, imgCHECK_ON);
    XImage* tickGrey = MakeMarkerImage(form, imgCHECK_ON_DIS);
    for (XImage* image : {tick, tickGrey})
        if (image != nullptr) out.images.push_back(image);

    // Left column.
    Label(out, form, 10, 12, "ButtonCustom");
    out.plainButton = out.Add<ButtonCustom>(form, "OK");
    out.plainButton->SetPosition(125, 8);
    auto* focusButton = out.Add<ButtonCustom>(form, "Focus");
    focusButton->SetPosition(210, 8);
    out.pressedButton = out.Add<ButtonCustom>(form, "Pressed");
    out.pressedButton->SetPosition(295, 8);
    out.disabledButton = out.Add<ButtonCustom>(form, "Disabled");
    out.disabledButton->SetPosition(125, 44);
    out.disabledButton->SetEnabled(false);
    auto* pictureButton = out.Add<ButtonCustom>(form, "Audio");
    pictureButton->SetPosition(210, 44);
    pictureButton->SetPicture(tick);
    pictureButton->SetDisabledPicture(tickGrey);
    auto* iconButton = out.Add<ButtonCustom>(form, "");
    iconButton->SetPosition(295, 44);
    iconButton->SetSize(34, 30);
    iconButton->SetPicture(tick);
    auto* colourButton = out.Add<ButtonCustom>(form, "Rosso");
    colourButton->SetPosition(335, 44);
    colourButton->SetSize(50, 30);
    colourButton->SetBackColor(0xC03030);
    colourButton->SetForeColor(0xFFFFFF);

    Label(out, form, 10, 88, "CellControl");
    auto* cell = out.Add<CellControl>(form);
    cell->SetPosition(125, 84);
    cell->SetSize(80, 30);
    cell->SetText("Testo");
    auto* bordered = out.Add<CellControl>(form);
    bordered->SetPosition(210, 84);
    bordered->SetSize(80, 30);
    bordered->SetBorder(true);
    bordered->SetBackColor(0xFFFFFF);
    bordered->SetText("Bordo");
    auto* lit = out.Add<CellControl>(form);
    lit->SetPosition(295, 84);
    lit->SetSize(90, 30);
    lit->SetText("Evidenziato");
    lit->SetHighlight(true);
    auto* marked = out.Add<CellControl>(form);
    marked->SetPosition(125, 118);
    marked->SetSize(80, 30);
    marked->SetBorder(true);
    marked->SetMarked(true);
    marked->SetText("Lock");
    auto* pictured = out.Add<CellControl>(form);
    pictured->SetPosition(210, 118);
    pictured->SetSize(175, 30);
    pictured->SetAlignment(1);
    pictured->SetText("Con figura");
    pictured->SetPicture(tick, 20, 20, 0);

    Label(out, form, 10, 172, "ImageFrame");
    const int fw = 48, fh = 48;
    const unsigned char* f0 = out.Keep(gallery::Swatch(fw, fh, 0xE04020, 0xF0C030));
    const unsigned char* f1 = out.Keep(gallery::Swatch(fw, fh, 0x2060E0, 0x30C0F0));
    const unsigned char* f2 = out.Keep(gallery::CutCorners(gallery::Swatch(fw, fh, 0x20A040, 0xD0F060), fw, fh));
    out.framePointers = {f0, f1, f2};
    for (int i = 0; i < 3; ++i) {
        auto* frame = out.Add<ImageFrame>(form, out.framePointers.data(), 3, i, 0);
        frame->SetPosition(125 + i * 56, 156);
        frame->SetSize(fw, fh);
        if (i == 2) {
            frame->SetTransparent(true);
            frame->SetBackColor(0x6040A0);
        }
    }

    Label(out, form, 10, 218, "TextBoxCustom");
    out.focusedText = out.Add<TextBoxCustom>(form, "Mario Rossi");
    out.focusedText->SetPosition(125, 214);
    out.focusedText->SetSize(125, 24);
    auto* secret = out.Add<TextBoxCustom>(form, "segreto");
    secret->SetPosition(260, 214);
    secret->SetSize(125, 24);
    secret->SetPassword(true);
    auto* digits = out.Add<TextBoxCustom>(form, "12345");
    digits->SetPosition(125, 244);
    digits->SetSize(125, 24);
    digits->SetDigitsOnly(true);
    digits->SetAlignRight(true);
    auto* greyText = out.Add<TextBoxCustom>(form, "Disabilitato");
    greyText->SetPosition(260, 244);
    greyText->SetSize(125, 24);
    greyText->SetEnabled(false);
    auto* lines = out.Add<TextBoxCustom>(form, "Riga uno\rRiga due");
    lines->SetPosition(125, 274);
    lines->SetSize(260, 44);
    lines->SetMultiLine(true);

    Label(out, form, 10, 334, "PanelChildren");
    out.panel = out.Add<PanelChildren>(form);
    out.panel->SetPosition(125, 330);
    out.panel->SetSize(260, 110);
    out.panel->SetBackColor(0xD8D0C0);
    out.panel->SetBorder(true);
    out.panel->SetText("Opzioni");
    auto* panelCheck = out.Add<CheckBox>(out.panel, "Suono");
    panelCheck->SetPosition(8, 16);
    panelCheck->SetSize(110, 24);
    panelCheck->SetChecked(true);
    out.panelOptions = out.Add<OptionBox>(out.panel);
    out.panelOptions->SetPosition(130, 16);
    out.panelOptions->SetSize(120, 30);
    out.panelOptions->AddOption("Lento", "1");
    out.panelOptions->AddOption("Veloce", "2");
    out.panelOptions->SetSelectedIndex(1);
    auto* panelBar = out.Add<ProgressBar>(out.panel, 0, 10);
    panelBar->SetPosition(8, 76);
    panelBar->SetSize(110, 20);
    panelBar->SetValue(7);
    out.panelRaised = out.Add<PanelChildren>(form);
    out.panelRaised->SetPosition(10, 364);
    out.panelRaised->SetSize(105, 76);
    out.panelRaised->SetSunken(false);
    out.panelRaised->SetChildBackColor(0xF0E68C);
    auto* raisedButton = out.Add<ButtonCustom>(out.panelRaised, "Dentro");
    raisedButton->SetPosition(12, 22);

    Label(out, form, 10, 454, "ProgressBar");
    out.progress = out.Add<ProgressBar>(form, 0, 100);
    out.progress->SetPosition(125, 450);
    out.progress->SetSize(260, 22);
    out.progress->SetValue(40);
    auto* full = out.Add<ProgressBar>(form, 0, 100);
    full->SetPosition(125, 478);
    full->SetSize(125, 22);
    full->SetValue(100);
    auto* bare = out.Add<ProgressBar>(form, 0, 100);
    bare->SetPosition(260, 478);
    bare->SetSize(125, 22);
    bare->SetBorder(false);
    bare->SetBackColor(0xFFFFFF);
    bare->SetValue(65);

    Label(out, form, 10, 516, "MyImage");
    auto* picture = out.Add<MyImage>(form, out.Keep(gallery::Swatch(64, 48, 0x803080, 0xF0A0D0)), true, 64, 48);
    picture->SetPosition(125, 512);
    auto* marker = out.Add<MyImage>(form, reinterpret_cast<const unsigned char*>(imgOPTION_ON), 20, 20);
    marker->SetPosition(200, 526);
    auto* framed = out.Add<MyImage>(form, tick);
    framed->SetPosition(240, 526);
    framed->SetSize(20, 20);
    framed->SetBorder(true);

    // Right column.
    Label(out, form, 410, 12, "Slider");
    out.slider = out.Add<Slider>(form, false, 1, 5);
    out.slider->SetPosition(525, 8);
    out.slider->SetSize(120, 50);
    out.slider->SetValue(3);
    auto* greySlider = out.Add<Slider>(form, false, 0, 10);
    greySlider->SetPosition(655, 8);
    greySlider->SetSize(130, 50);
    greySlider->SetValue(7);
    greySlider->SetEnabled(false);
    auto* upright = out.Add<Slider>(form, true, 1, 4);
    upright->SetPosition(410, 40);
    upright->SetSize(50, 100);
    upright->SetValue(2);

    Label(out, form, 525, 72, "ScrollBar");
    out.scroll = out.Add<ScrollBar>(form, 0, 300);
    out.scroll->SetPosition(525, 100);
    out.scroll->SetSize(180, 21);
    out.scroll->SetValue(138);
    auto* greyScroll = out.Add<ScrollBar>(form, 0, 100);
    greyScroll->SetPosition(525, 130);
    greyScroll->SetSize(120, 21);
    greyScroll->SetEnabled(false);
    auto* emptyScroll = out.Add<ScrollBar>(form, 4, 4);
    emptyScroll->SetPosition(655, 130);
    emptyScroll->SetSize(80, 21);
    out.scrollVertical = out.Add<ScrollBar>(form, 0, 100);
    out.scrollVertical->SetVertical(true);
    out.scrollVertical->SetPosition(760, 72);
    out.scrollVertical->SetSize(21, 110);
    out.scrollVertical->SetValue(68);

    Label(out, form, 410, 196, "CheckBox");
    out.check = out.Add<CheckBox>(form, "Normale");
    out.check->SetPosition(525, 192);
    out.check->SetSize(125, 24);
    auto* checked = out.Add<CheckBox>(form, "Scelto");
    checked->SetPosition(655, 192);
    checked->SetSize(125, 24);
    checked->SetChecked(true);
    auto* focusCheck = out.Add<CheckBox>(form, "Con fuoco");
    focusCheck->SetPosition(525, 222);
    focusCheck->SetSize(125, 24);
    focusCheck->SetForeColor(0x000080);
    auto* greyChecked = out.Add<CheckBox>(form, "Spento, scelto");
    greyChecked->SetPosition(655, 222);
    greyChecked->SetSize(135, 24);
    greyChecked->SetChecked(true);
    greyChecked->SetEnabled(false);
    auto* greyCheck = out.Add<CheckBox>(form, "Spento");
    greyCheck->SetPosition(525, 252);
    greyCheck->SetSize(125, 24);
    greyCheck->SetEnabled(false);

    Label(out, form, 410, 290, "OptionBox");
    out.options = out.Add<OptionBox>(form);
    out.options->SetPosition(525, 286);
    out.options->SetSize(125, 30);
    out.options->AddOption("Facile", "1");
    out.options->AddOption("Medio", "2");
    out.options->AddOption("Difficile", "3");
    out.options->SetSelectedIndex(1);
    auto* greyOptions = out.Add<OptionBox>(form);
    greyOptions->SetPosition(655, 286);
    greyOptions->SetSize(135, 30);
    greyOptions->AddOption("Si", "s");
    greyOptions->AddOption("No", "n");
    greyOptions->SetSelectedIndex(0);
    greyOptions->SetEnabled(false);
    auto* colourOptions = out.Add<OptionBox>(form);
    colourOptions->SetPosition(525, 372);
    colourOptions->SetSize(125, 30);
    colourOptions->SetBackColor(0x305070);
    colourOptions->SetForeColor(0xFFFFFF);
    colourOptions->AddOption("Nessuna", "");
    colourOptions->AddOption("Bianco su blu", "");

    // Controls a program may leave off screen: one hidden after showing, a
    // few never created (they still take part in Tab navigation).
    auto* hiddenCheck = out.Add<CheckBox>(form, "Nascosto");
    hiddenCheck->SetPosition(655, 372);
    auto* neverShown = out.Add<OptionBox>(form);
    neverShown->SetPosition(655, 420);
    auto* neverScroll = out.Add<ScrollBar>(form, 0, 50);
    neverScroll->SetPosition(655, 470);
    neverScroll->SetSize(30, 10);
    auto* neverBar = out.Add<ProgressBar>(form, 3, 3);
    neverBar->SetPosition(655, 500);

    // Everything but the never-created ones appears.
    for (const auto& e : out.elements) {
        GUIElement* element = e.get();
        if (element == neverShown || element == neverScroll || element == neverBar) continue;
        if (element->GetParent() != form) continue; // panels show their own children
        element->Show();
    }
    hiddenCheck->Hide();

    // States that come from input: a pressed face, focus frames. The text
    // box keeps the loop's focus, so typing goes there.
    out.pressedButton->MouseDown(Point{300, 12});
    focusButton->GotFocus();
    focusCheck->GotFocus();
    out.options->GotFocus();
    out.slider->GotFocus();
    out.scroll->GotFocus();
    out.focusedText->GotFocus();
    Application::focused = out.focusedText;
}
