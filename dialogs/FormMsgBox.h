// The modal message window: one text cell and either "OK" or "YES" and "NO".
// It disables its owner while it is open and reports the button that closed
// it through the owner's DialogResult (id, result). The launchers return at
// once; at most one box lives at a time, owned by pendingMessageBox (Loop.h):
// a launcher gives the previous box up to DeleteLater, so a box answered
// from its own button is deleted only after that click has been handled.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "app/Form.h"
#include "app/Screen.h"

class ButtonCustom;
class CellControl;

// Results handed to the owner's DialogResult.
enum MsgBoxResult : uint32_t {
    kMsgBoxClosed = 0, // closed from the window frame
    kMsgBoxOk = 1,
    kMsgBoxYes = 3,
    kMsgBoxNo = 4,
};

class FormMsgBox : public Form {
public:
    // Disables the owner, records the box as its dialog, centres the box on
    // it and shows the window at once.
    FormMsgBox(uint32_t id, bool yesNo, Screen* screen, Form* owner, const std::string& title, const std::string& text);
    ~FormMsgBox() override;

    virtual void Setup(uint32_t id, bool yesNoFlag, const std::string& title, const std::string& text);
    virtual void Build();
    virtual bool CanClose();
    virtual void ReportResult();
    virtual void ResizeHook();
    virtual bool KeyCharHook(char character);
    virtual bool IsDialogKey(char character);
    virtual void KeyDownHook(uint32_t keysym);
    virtual void KeyUpHook(uint32_t keysym);
    virtual void ChildEventHook1();
    virtual void ClickHook(Point point);
    virtual void MouseDownHook(Point point);
    virtual void ChildEventHook2();
    virtual void ChildEventHook3();
    virtual void ButtonClicked(GUIElement* sender);
    virtual void ChildEventHook4();
    virtual void SetMessage(const std::string& value);

    void Paint() override;
    void Initialize() override;
    void UserMessage() override;

    // The owner while it exists; null once it has been destroyed.
    Form* GetOwner() const;
    uint32_t GetBoxId() const { return boxId; }
    uint32_t GetResult() const { return result; }
    bool IsYesNo() const { return yesNo; }
    const std::string& GetMessage() const { return message; }
    CellControl* GetTextCell() const { return textCell.get(); }
    ButtonCustom* GetFirstButton() const { return firstButton.get(); }
    ButtonCustom* GetSecondButton() const { return secondButton.get(); }

private:
    std::unique_ptr<CellControl> textCell;
    std::string message;
    bool yesNo = false;
    uint32_t boxId = 0;
    uint32_t result = 0;
    std::unique_ptr<ButtonCustom> firstButton;
    std::unique_ptr<ButtonCustom> secondButton;
};

// Plain message with "OK".
void ShowMessage(uint32_t id, Form* owner, const std::string& text, const std::string& title);
void ShowMessage(Form* owner, const std::string& text, const std::string& title);
void ShowMessage(const std::string& text, const std::string& title);
// The same as the ShowMessage of the same parameters.
void ShowNotice(Form* owner, const std::string& text, const std::string& title);
void ShowNotice(const std::string& text, const std::string& title);
// Question with "YES" and "NO".
void ShowQuestion(uint32_t id, Form* owner, const std::string& text, const std::string& title);
void ShowQuestion(uint32_t id, const std::string& text, const std::string& title);
