// The two-state control: a 20 x 20 box picture followed by a caption,
// toggled by a click or the space bar, with a dashed focus frame around the
// caption. Every toggle by the user fires the command; SetChecked does not.
#pragma once
#include <cstdint>
#include <string>

#include "controls/CommandElement.h"
#include "controls/MarkerControl.h"

class CheckBox : public MarkerControl, public CommandElement {
public:
    CheckBox(GUIElement* parentElement, const std::string& caption);

    void SetChecked(bool flag); // repaints; fires no command
    bool IsChecked() const { return checked; }
    void SetExtraFlag(bool flag) { extraFlag = flag; }
    bool GetExtraFlag() const { return extraFlag; }

    void SetText(const std::string& value) override;
    void MouseUp(Point point) override;
    void MouseDown(Point point) override;
    void KeyDown(uint32_t keysym) override;
    bool KeyChar(char character) override;
    void Paint() override;

protected:
    bool checked = false;
    bool extraFlag = false;

private:
    // Toggles, shows the new state at once, then fires the command. False
    // when the command destroyed the box.
    bool Toggle();
};
