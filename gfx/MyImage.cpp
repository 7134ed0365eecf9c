#include "gfx/MyImage.h"

#include "app/Application.h"
#include "app/Form.h"
#include "gfx/Graphics.h"
#include "gfx/Picture.h"

MyImage::MyImage(GUIElement* parentElement, XImage* givenImage) : ControlBase(parentElement), image(givenImage) {
    typeTag = kImageTag;
    tabStop = false;
    repaintWithContainer = true;
}

MyImage::MyImage(GUIElement* parentElement, const unsigned char* data, int w, int h)
    : MyImage(parentElement, data, false, w, h) {}

MyImage::MyImage(GUIElement* parentElement, const unsigned char* data, bool isRgb, int w, int h)
    : ControlBase(parentElement), rawData(data), rawIsRgb(isRgb) {
    typeTag = kImageTag;
    tabStop = false;
    repaintWithContainer = true;
    width = w;
    height = h;
}

MyImage::~MyImage() { DropBuiltImage(); }

void MyImage::DropBuiltImage() {
    if (ownsImage) {
        DestroyXImage(image);
        image = nullptr;
    }
    ownsImage = false;
}

void MyImage::SetImage(XImage* newImage) {
    if (ownsImage) {
        DropBuiltImage();
        rawData = nullptr;
    }
    image = newImage;
    if (created) Paint();
}

void MyImage::SetRawData(const unsigned char* data) {
    DropBuiltImage();
    rawData = data;
    if (created) Paint();
}

void MyImage::SetBorder(bool flag) {
    border = flag;
    if (created) Paint();
}

void MyImage::Create() { CreateBase(false); }

void MyImage::Paint() {
    if (paintSuspended || !created) return;
    Form* form = OwnerForm();
    if (form == nullptr) return;
    Graphics g(form);
    const Rect r = FormRect();

    if (rawData != nullptr && image == nullptr) {
        image = rawIsRgb ? CreateXImage(this, rawData, width, height)
                         : PaletteXImage(this, width, height, rawData).release();
        ownsImage = image != nullptr;
    }

    if (image != nullptr)
        g.PutImage(r.x, r.y, r.width, r.height, image);
    else
        g.FillRectangle(r, ParentBackOrChain());

    if (border) g.DrawFrame(r, kBlack, kWhite);
}
