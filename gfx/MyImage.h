// A picture shown on a form: an X image given by its owner, or one built on
// the first paint from raw data (a 4-bit palette picture or an RGB buffer).
#pragma once
#include <X11/Xlib.h>
#include <string>

#include "gfx/ControlBase.h"

class MyImage : public ControlBase {
public:
    MyImage(GUIElement* parent, XImage* image);
    // A 4-bit palette picture of the given size.
    MyImage(GUIElement* parent, const unsigned char* rawData, int width, int height);
    MyImage(GUIElement* parent, const unsigned char* rawData, bool rawIsRgb, int width, int height);
    ~MyImage() override;

    void SetImage(XImage* newImage);
    void SetRawData(const unsigned char* data);
    void SetBorder(bool flag);

    XImage* GetImage() const { return image; }
    const unsigned char* GetRawData() const { return rawData; }
    bool HasBorder() const { return border; }

    // Takes an id but leaves the tag as it is.
    void Create() override;
    void Paint() override;

    std::string userData; // kept for the owner; never read here

private:
    void DropBuiltImage();

    XImage* image = nullptr;
    const unsigned char* rawData = nullptr; // not owned
    bool rawIsRgb = false;
    bool border = false;
    bool ownsImage = false; // image was built here from rawData
};
