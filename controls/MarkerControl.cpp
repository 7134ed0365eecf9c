#include "controls/MarkerControl.h"

#include <utility>

#include "controls/art/Markers.h"
#include "gfx/Graphics.h"

MarkerControl::MarkerControl(GUIElement* parentElement, const MarkerArt& markerArt)
    : ControlBase(parentElement), art(markerArt) {}

void MarkerControl::SetEnabled(bool flag) {
    enabled = flag;
    Paint();
}

void MarkerControl::SetForeColor(uint32_t rgb) {
    foreColor = rgb & 0xFFFFFF;
    Paint();
}

void MarkerControl::Hide() {
    if (!created) return;
    if (CanDraw()) {
        const Rect r = FormRect();
        Graphics g(OwnerForm());
        g.FillRectangle({r.x, r.y, r.width + 1, r.height + 2}, ParentBackOrChain());
    }
    Child::Hide();
    created = false;
}

void MarkerControl::Create() { CreateBase(false); }

void MarkerControl::MakeMarkers() {
    for (auto [picture, data] : {std::pair{&onPicture, art.on},
                                 {&offPicture, art.off},
                                 {&onDisabledPicture, art.onDisabled},
                                 {&offDisabledPicture, art.offDisabled}})
        if (*picture == nullptr) *picture = PaletteXImage(this, kMarkerSize, kMarkerSize, data);
}

XImage* MarkerControl::Marker(bool on) const {
    if (enabled) return (on ? onPicture : offPicture).get();
    return (on ? onDisabledPicture : offDisabledPicture).get();
}
