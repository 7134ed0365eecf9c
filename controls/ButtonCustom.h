// The push button: a bevelled face with a caption and/or a picture, a dashed
// focus frame, and a command fired on release under the pointer or on Return
// while it has the focus. Hiding, moving or resizing a shown button erases
// its whole old face, bevel included.
#pragma once
#include <X11/Xlib.h>
#include <cstdint>
#include <string>

#include "controls/CommandElement.h"
#include "gfx/ControlBase.h"

class ButtonCustom : public ControlBase, public CommandElement {
public:
    ButtonCustom(GUIElement* parentElement, const std::string& caption);

    // Stores enabled and repaints when created.
    virtual void SetEnabled(bool flag);
    // Stores the caption and focus-frame colour; no repaint.
    virtual void SetForeColor(uint32_t rgb);
    // Each stores its field and repaints when created.
    void SetBlankFace(bool flag);
    void SetPicture(XImage* image);
    void SetDisabledPicture(XImage* image);

    uint32_t GetForeColor() const { return foreColor; }
    bool IsPressed() const { return pressed; }
    void SetUserData(const std::string& value) { userData = value; }
    const std::string& GetUserData() const { return userData; }

    void SetText(const std::string& value) override;
    void MouseUp(Point point) override;
    void MouseDown(Point point) override;
    void KeyDown(uint32_t keysym) override;
    bool KeyChar(char character) override;
    void LostFocus() override;
    void Paint() override;

protected:
    std::string userData;
    uint32_t foreColor = 0x000000;
    bool pressed = false;
    bool blankFace = false;
    XImage* picture = nullptr; // not owned
    XImage* disabledPicture = nullptr; // not owned

private:
    // Draws the face pressed or raised at once.
    void PaintAndFlush();
};
