#include "controls/MarkerControl.h"

#include "controls/art/Markers.h"
#include "gfx/Graphics.h"
#include "gfx/Picture.h"

MarkerControl::MarkerControl(GUIElement* parentElement, const MarkerArt& markerArt)
    : ControlBase(parentElement), art(markerArt) {}

MarkerControl::~MarkerControl() {
    for (XImage* image : {onPicture, onDisabledPicture, offPicture, offDisabledPicture})
        if (image != nullptr) DestroyXImage(image);
}

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
        g.FillRectangle(r.x, r.y, r.width + 1, r.height + 2, 0, 0, ParentBackOrChain());
    }
    Child::Hide();
    created = false;
}

void MarkerControl::Create() { CreateBase(false); }

void MarkerControl::MakeMarkers() {
    if (onPicture == nullptr) onPicture = MakeMarkerImage(this, art.on);
    if (offPicture == nullptr) offPicture = MakeMarkerImage(this, art.off);
    if (onDisabledPicture == nullptr) onDisabledPicture = MakeMarkerImage(this, art.onDisabled);
    if (offDisabledPicture == nullptr) offDisabledPicture = MakeMarkerImage(this, art.offDisabled);
}

XImage* MarkerControl::Marker(bool on) const {
    if (enabled) return on ? onPicture : offPicture;
    return on ? onDisabledPicture : offDisabledPicture;
}
