// The small modal window that asks for the player's name: a prompt line, a
// ten-character text box and "OK". An accepted name is left in
// lastPlayerName; an empty one is refused with a beep.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "app/Form.h"
#include "app/FormHandler.h"
#include "controls/CommandElement.h"

class ButtonCustom;
class CellControl;
class TextBoxCustom;

// The name accepted last; every new dialog empties it.
extern std::string lastPlayerName;

class FormNamePlayer : public Form {
public:
    static constexpr int kMaxNameLength = 10;

    // Blocks the owner until the dialog closes and takes its screen.
    FormNamePlayer(Form* owner, uint64_t ownerData, const std::string& title);
    // The same dialog without an owner; the caller gives it a screen.
    FormNamePlayer(uint64_t ownerData, const std::string& title);
    ~FormNamePlayer() override;

    // Stores the prompt; shown at once when the dialog is up.
    void SetPrompt(const std::string& text);

    void Initialize() override;
    // Load handler: makes the controls and gives the name box the focus.
    virtual void Build();
    // Query-close handler: releases the owner; true.
    virtual bool CanClose();
    virtual void ResizeHook();
    // Key-character handler: 13 and 127 act as "OK" (and answer false).
    virtual bool KeyPressed(char character);
    virtual void KeyDownHook(uint32_t keysym);
    virtual void KeyUpHook(uint32_t keysym);
    // "OK": an empty name beeps and keeps the dialog; otherwise the name is
    // stored, the window destroyed and Closed run.
    virtual void OkClicked(GUIElement* sender);

    TextBoxCustom* GetNameBox() const { return nameBox.get(); }
    CellControl* GetPromptCell() const { return promptCell.get(); }
    ButtonCustom* GetOkButton() const { return okButton.get(); }

private:
    void Setup(const std::string& title);

    Form* owner = nullptr;
    // Destroyed after the window, from the bottom up.
    std::unique_ptr<ButtonCustom> okButton;
    std::unique_ptr<CellControl> promptCell;
    std::unique_ptr<TextBoxCustom> nameBox;
    std::string prompt;
};

// Command callback of the "OK" button.
inline constexpr CommandCallback NamePlayerCommand = ToForm<&FormNamePlayer::OkClicked>;
