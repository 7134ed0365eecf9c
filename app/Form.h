// A top-level window: the only element that owns an X window. Controls are
// drawn into their form's window and get their events through it.
#pragma once
#include <X11/Xlib.h>
#include <string>

#include "app/GUIElement.h"
#include "app/Screen.h"

// Set while a form's load handler runs; controls do not paint meanwhile.
extern bool paintSuspended;

class Form : public GUIElement {
public:
    explicit Form(uint64_t ownerData);
    Form(uint64_t ownerData, bool isDialog);
    ~Form() override;

    int GetWidth() override;
    int GetHeight() override;
    int GetActualWidth() override;
    int GetActualHeight() override;
    Point GetPosition() override;
    void SetBackColor(uint64_t rgb) override;
    void Show() override;
    void ShowWindow() override;
    void Hide() override;
    void SetFocus() override;
    // Disabling also takes the focus from the form's control that has it;
    // enabling again (a dialog closing) gives it back to that control.
    void Enable(bool flag) override;
    void Paint() override;
    void SetMarkA(bool flag) override;
    void Create() override;
    void ApplyPosition() override;
    void ApplySize() override;
    void ApplyRaise() override;
    void ApplyLower() override;

    virtual void Extension1();
    virtual void Extension2(intptr_t a);
    virtual std::string GetTitle();
    virtual void SetTitle(const std::string& title);
    virtual std::string GetCaption();
    virtual void SetCaption(const std::string& caption);
    virtual void Created();
    virtual void UserMessage();
    virtual void Extension3();
    virtual void SetOption2(bool flag);
    virtual void SetOption3(bool flag);
    virtual void SetOption4(bool flag);
    virtual void DestroyWindow();
    virtual void DialogResult(int dialogId, int result);
    virtual bool IsDialog();
    virtual void SetIcon(Pixmap pixmap);
    virtual void ResizeKeepingPlace(int w, int h);
    virtual void ResizeForDecorations(int w, int h, bool move);
    virtual void SetOption5(bool flag);
    virtual void SetOption1(bool flag);
    virtual void SetDialog(Form* form);
    virtual void SetGeometry(int x, int y, int width, int height);
    virtual void SetScreen(Screen* screen);
    virtual Screen* GetScreen();
    virtual void CenterOnScreen();
    // Centres the form on another (halves round toward zero; negative
    // coordinates become 0). Dialogs use it to stand over their owner.
    void CenterOn(GUIElement* owner);
    virtual void Open();
    virtual void OpenDialog();
    virtual Window GetWindow();
    virtual void SetMarkBIfCreated();
    virtual void ClearMarkBIfCreated();

    // Dialog plumbing. A dialog blocks the window it belongs to while it is
    // open: BlockOwner disables the owner (which takes the focus from its
    // control and remembers it), marks it (SetMarkA) and records this form
    // as its dialog. ReleaseOwner enables the owner again (the control gets
    // the focus back) and clears the mark; the owner forgets this form as
    // its dialog. Nothing happens without an owner or once it is destroyed.
    void BlockOwner(Form* owner);
    void ReleaseOwner();
    // The window this form blocks or blocked, while it exists; else null.
    Form* BlockedOwner() const;
    // True while the blocked owner still records this form as its dialog.
    bool IsOwnersDialog() const;

    Form* GetDialog() const { return dialog; }
    Atom GetDeleteAtom() const { return deleteAtom; }
    Display* GetDisplay() const { return screen ? screen->GetDisplay() : nullptr; }

private:
    void SetWMHints(Display* d);
    Size WindowSize();
    void DestroyXWindow();

    Form* dialog = nullptr;
    Atom deleteAtom = 0;
    Pixmap icon = 0;
    Screen* screen = nullptr;
    Window window = 0;
    bool option1 = true, option2 = true, option3 = true, option4 = true;
    bool isDialog = false;
    bool option5 = false;
    uint64_t focusToRestore = 0; // registration number of the control that had the focus when disabled
    uint64_t blockedOwner = 0; // registration number of the window this dialog blocks
};
