// The control gallery: every control of the toolkit, in its notable states
// (focused, pressed, disabled, highlighted, checked, selected, with
// pictures), on one 800 x 600 form. The gallery program shows it or saves a
// screenshot of it; the tests compare it with their reference pictures.
#pragma once
#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "app/Form.h"
#include "controls/ButtonCustom.h"
#include "controls/CheckBox.h"
#include "controls/OptionBox.h"
#include "controls/PanelChildren.h"
#include "controls/ProgressBar.h"
#include "controls/ScrollBar.h"
#include "controls/Slider.h"
#include "controls/TextBoxCustom.h"

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
    void Clear();

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

// Builds the gallery on a created form; the controls appear at once. The
// form's window takes its background when it is made, so give the form
// kGalleryBack before creating it. A few controls stay hidden or were never
// created, as a program may leave them.
void BuildGallery(Form* form, GalleryControls& out);
