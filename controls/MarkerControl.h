// What the check box and the option box share: a 20 x 20 marker picture
// before each caption, in four states (on or off, enabled or disabled) made
// from the toolkit's art on the first paint and freed with the control; the
// caption colour; and the erase on hide.
#pragma once
#include <X11/Xlib.h>
#include <cstdint>

#include "gfx/ControlBase.h"
#include "gfx/Picture.h"

class MarkerControl : public ControlBase {
public:
    // The four marker pictures as 4-bit palette art.
    struct MarkerArt {
        const char* on;
        const char* off;
        const char* onDisabled;
        const char* offDisabled;
    };

    MarkerControl(GUIElement* parentElement, const MarkerArt& art);

    virtual void SetEnabled(bool flag); // stores, repaints
    virtual void SetForeColor(uint32_t rgb); // stores, repaints
    uint32_t GetForeColor() const { return foreColor; }

    // The last caption's background reaches one row below the control, so
    // the erase takes that row too.
    void Hide() override;
    // Takes an id but leaves the tag as it is.
    void Create() override;

protected:
    static constexpr int kMarkerSize = 20;

    // Makes the pictures not made yet; one that cannot be made stays null.
    void MakeMarkers();
    // The picture for a marker on or off, as the control is enabled or not.
    XImage* Marker(bool on) const;

    uint32_t foreColor = 0x000000;

private:
    MarkerArt art;
    XImagePtr onPicture;
    XImagePtr offPicture;
    XImagePtr onDisabledPicture;
    XImagePtr offDisabledPicture;
};
