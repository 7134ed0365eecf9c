// A group of mutually exclusive options held by one control: rows of 26
// pixels, each a 20 x 20 marker and a caption, at most one selected. The
// user's selections (click, arrow keys, space) fire the command; the
// program's do not. Each option carries a caption and a value.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "controls/CommandElement.h"
#include "controls/MarkerControl.h"

class OptionBox : public MarkerControl, public CommandElement {
public:
    explicit OptionBox(GUIElement* parentElement);

    virtual int GetSelectedIndex();
    // A negative i counts as 0; false (and no change) when out of range.
    virtual bool SetSelectedIndex(int i);
    // False for -1 and for any index outside the list.
    virtual bool RemoveOption(int i);
    virtual void AddOption(const std::string& caption, const std::string& value);
    virtual int GetOptionCount();
    virtual std::string GetOptionCaptionAt(int i);
    virtual std::string GetOptionValueAt(int i);
    // An index outside the list gives the last entry; an empty list "".
    virtual std::string GetOptionCaption(int i);
    virtual std::string GetOptionValue(int i);
    virtual bool RemoveNone();
    // Empties the list; the selected index stays as it was.
    virtual bool ClearOptions();
    virtual void SelectFirst();

    void MouseUp(Point point) override;
    void MouseDown(Point point) override;
    void KeyDown(uint32_t keysym) override;
    bool KeyChar(char character) override;
    void Paint() override;

protected:
    std::vector<std::string> captions;
    std::vector<std::string> values;
    int32_t selectedIndex = -1;

private:
    // Shows the user's new selection at once, then fires the command. False
    // when the command destroyed the control.
    bool Commit();
    int Count() const { return static_cast<int>(captions.size()); }
};
