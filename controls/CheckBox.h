// The two-state control: a 20 x 20 box picture followed by a caption,
// toggled by a click or the space bar, with a dashed focus frame around the
// caption. Every toggle by the user fires the command; SetChecked does not.
#pragma once
#include <X11/Xlib.h>
#include <cstdint>
#include <string>

#include "controls/CommandElement.h"
#include "gfx/ControlBase.h"

class CheckBox : public ControlBase, public CommandElement {
public:
    CheckBox(GUIElement* parentElement, const std::string& caption);
    ~CheckBox() override;

    virtual void SetEnabled(bool flag);     // stores, repaints
    virtual void SetForeColor(uint32_t rgb); // stores, repaints

    void SetChecked(bool flag); // repaints; fires no command
    bool IsChecked() const { return checked; }
    void SetExtraFlag(bool flag) { extraFlag = flag; }
    bool GetExtraFlag() const { return extraFlag; }
    uint32_t GetForeColor() const { return foreColor; }

    void SetText(const std::string& value) override;
    void Hide() override;
    void MouseUp(Point point) override;
    void MouseDown(Point point) override;
    void KeyDown(uint32_t keysym) override;
    bool KeyChar(char character) override;
    void Create() override;
    void Paint() override;

protected:
    bool checked = false;
    bool extraFlag = false;
    XImage* checkedPicture = nullptr;
    XImage* checkedDisabledPicture = nullptr;
    XImage* uncheckedPicture = nullptr;
    XImage* uncheckedDisabledPicture = nullptr;
    uint32_t foreColor = 0x000000;

private:
    // Toggles, shows the new state at once, then fires the command. False
    // when the command destroyed the box.
    bool Toggle();
    void MakePictures();
};
