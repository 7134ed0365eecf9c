// The check box's four box pictures and the option box's four markers,
// 20 x 20 pixels each, carried as 4-bit palette pictures (48 bytes of
// palette, then the rows bottom-up, 10 bytes each).
#pragma once
#include <X11/Xlib.h>

#include <cstdlib>

#include "gfx/Picture.h"

extern "C" {
extern int wCHECK_ON, hCHECK_ON;
extern char imgCHECK_ON[];
extern int wCHECK_OFF, hCHECK_OFF;
extern char imgCHECK_OFF[];
extern int wCHECK_ON_DIS, hCHECK_ON_DIS;
extern char imgCHECK_ON_DIS[];
extern int wCHECK_OFF_DIS, hCHECK_OFF_DIS;
extern char imgCHECK_OFF_DIS[];
extern int wOPTION_ON, hOPTION_ON;
extern char imgOPTION_ON[];
extern int wOPTION_OFF, hOPTION_OFF;
extern char imgOPTION_OFF[];
extern int wOPTION_ON_DIS, hOPTION_ON_DIS;
extern char imgOPTION_ON_DIS[];
extern int wOPTION_OFF_DIS, hOPTION_OFF_DIS;
extern char imgOPTION_OFF_DIS[];
}

// The X image of one 20 x 20 picture for element's form, or null when it
// cannot be made; the decoded buffer is freed at once.
inline XImage* MakeMarkerImage(GUIElement* element, const char* data) {
    unsigned char* rgb = DecodePalette4(20, 20, reinterpret_cast<const unsigned char*>(data));
    if (rgb == nullptr) return nullptr;
    XImage* image = CreateXImage(element, rgb, 20, 20);
    std::free(rgb);
    return image;
}
