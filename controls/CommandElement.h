// The command of a clickable control (buttons, check boxes, option boxes):
// one callback that the control fires with itself as the sender.
#pragma once

class Child;

using CommandCallback = void (*)(Child* sender);

class CommandElement {
public:
    // Stores the callback; null clears it.
    void SetCommand(CommandCallback callback) { command = callback; }
    // Calls the stored callback with the sending control; nothing when none.
    void DoCommand(Child* sender) {
        if (command != nullptr) command(sender);
    }

protected:
    CommandCallback command = nullptr;
};
