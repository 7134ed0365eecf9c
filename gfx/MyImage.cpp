#include "gfx/MyImage.h"

#include <cstdlib>

#include "app/Application.h"
#include "app/Form.h"
#include "gfx/Graphics.h"
#include "gfx/Picture.h"

namespace {
constexpr int kDefaultBack = 0xAAAAAA;
constexpr int kBlack = 0x000000;
constexpr int kWhite = 0xFFFFFF;
} // namespace

MyImage::MyImage(GUIElement* parentElement, XImage* givenImage) : image(givenImage) {
    typeTag = "image";
    parent = parentElement;
    tabStop = false;
    repaintWithContainer = true;
}

MyImage::MyImage(GUIElement* parentElement, const unsigned char* data, int w, int h)
    : MyImage(parentElement, data, false, w, h) {}

MyImage::MyImage(GUIElement* parentElement, const unsigned char* data, bool isRgb, int w, int h)
    : rawData(data), rawIsRgb(isRgb) {
    typeTag = "image";
    parent = parentElement;
    tabStop = false;
    repaintWithContainer = true;
    width = w;
    height = h;
}

MyImage::~MyImage() { DropBuiltImage(); }

void MyImage::DropBuiltImage() {
    if (ownsImage) DestroyXImage(image);
    if (ownsImage) image = nullptr;
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

// The parent's colour, else the form's, else the default grey.
unsigned long MyImage::BackgroundColor() {
    if (parent != nullptr && parent->GetBackColor() != kNoColor) return parent->GetBackColor();
    Form* form = GetForm(this);
    if (form != nullptr && form->GetBackColor() != kNoColor) return form->GetBackColor();
    return kDefaultBack;
}

void MyImage::SetSize(int w, int h) {
    if (!created) {
        width = w;
        height = h;
        return;
    }
    Hide();
    width = w;
    height = h;
    Show();
}

void MyImage::SetPosition(int newX, int newY) {
    if (!created) {
        x = newX;
        y = newY;
        return;
    }
    Hide();
    x = newX;
    y = newY;
    Show();
}

void MyImage::Show() {
    Child::Show();
    Paint();
}

void MyImage::ShowWindow() {
    Child::ShowWindow();
    Paint();
}

void MyImage::Hide() {
    if (created) {
        Form* form = GetForm(this);
        if (form != nullptr) {
            Graphics g(form);
            Point a = ToFormCoordinates(this, x, y);
            g.FillRectangle(a.x, a.y, width + 1, height + 1, 0, 0, static_cast<int>(BackgroundColor()));
        }
    }
    Child::Hide();
    created = false;
}

void MyImage::Create() {
    if (id == 0) id = Application::NextId();
    created = true;
    visible = true;
}

void MyImage::Paint() {
    if (paintSuspended || !created) return;
    Form* form = GetForm(this);
    if (form == nullptr) return;
    Graphics g(form);
    Point a = ToFormCoordinates(this, x, y);

    if (rawData != nullptr && image == nullptr) {
        if (rawIsRgb) {
            image = CreateXImage(this, rawData, width, height);
        } else {
            unsigned char* rgb = DecodePalette4(width, height, rawData);
            image = CreateXImage(this, rgb, width, height);
            std::free(rgb);
        }
        ownsImage = image != nullptr;
    }

    if (image != nullptr)
        g.PutImage(a.x, a.y, width, height, image);
    else
        g.FillRectangle(a.x, a.y, width, height, 0, 0, static_cast<int>(BackgroundColor()));

    if (border) {
        const int right = a.x + width - 1, bottom = a.y + height - 1;
        g.DrawLine(a.x, a.y, right, a.y, 1, kBlack);
        g.DrawLine(a.x, bottom, a.x, a.y, 1, kBlack);
        g.DrawLine(right, a.y, right, bottom, 1, kWhite);
        g.DrawLine(a.x, bottom, right, bottom, 1, kWhite);
    }
}
