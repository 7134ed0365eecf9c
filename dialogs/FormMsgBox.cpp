#include "dialogs/FormMsgBox.h"

#include <utility>

#include "app/Application.h"
#include "app/FormHandler.h"
#include "app/Log.h"
#include "app/Loop.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"

namespace {

constexpr int kBoxWidth = 250;
constexpr int kBoxHeight = 150;

// The command of both buttons: their form is the box that made them.
constexpr CommandCallback MessageBoxCommand = ToForm<&FormMsgBox::ButtonClicked>;

// The window a new box belongs to: the one given, else the main window (the
// first form). A message box never owns another: it is about to be given up.
Form* ResolveOwner(Form* owner) {
    if (owner == nullptr) {
        for (Form* f : Application::forms)
            if (dynamic_cast<FormMsgBox*>(f) == nullptr) return f;
        return nullptr;
    }
    auto* box = dynamic_cast<FormMsgBox*>(owner);
    return box != nullptr ? box->GetOwner() : owner;
}

// The open box is replaced: its window goes now, the box itself once the
// event being handled is finished, for its own code may be the caller (the
// owner's DialogResult opening the next box). No result is reported for it,
// and its owner stays blocked for the new box, unless that is another window.
void GiveUpPendingBox(Form* newOwner) {
    Form* previous = pendingMessageBox.get();
    if (previous == nullptr) return;
    if (previous->IsCreated() && previous->BlockedOwner() != newOwner) previous->ReleaseOwner();
    previous->DestroyWindow();
    DeleteLater(std::move(pendingMessageBox));
}

void Launch(uint32_t id, bool yesNo, Form* owner, const std::string& text, const std::string& title) {
    owner = ResolveOwner(owner);
    if (owner == nullptr) {
        Log("Message box without an owner and without a main window: " + title);
        return;
    }
    GiveUpPendingBox(owner);
    pendingMessageBox = std::make_unique<FormMsgBox>(id, yesNo, owner->GetScreen(), owner, title, text);
}

} // namespace

FormMsgBox::FormMsgBox(uint32_t id, bool yesNoFlag, Screen* screen, Form* owner, const std::string& title,
                       const std::string& text)
    : Form(0, true) {
    if (screen != nullptr) SetScreen(screen);
    yesNo = yesNoFlag;
    result = kMsgBoxClosed;
    boxId = id;
    message = text;
    parent = owner;
    BlockOwner(owner);
    SetSize(kBoxWidth, kBoxHeight);
    CenterOn(owner);
    SetTitle(title);
    SetOption3(false);
    SetOption2(false);
    // Installed on the box itself, these always find the box.
    SetOnLoad(ToForm<&FormMsgBox::Build>);
    SetOnQueryClose(ToForm<&FormMsgBox::CanClose>);
    SetOnClosed(ToForm<&FormMsgBox::ReportResult>);
    SetOnResize(ToForm<&FormMsgBox::ResizeHook>);
    SetOnKeyChar(ToForm<&FormMsgBox::KeyCharHook>);
    SetOnKeyDown(ToForm<&FormMsgBox::KeyDownHook>);
    SetOnKeyUp(ToForm<&FormMsgBox::KeyUpHook>);
    SetOnClick(ToForm<&FormMsgBox::ClickHook>);
    SetOnMouseDown(ToForm<&FormMsgBox::MouseDownHook>);
    SetBackColor(0xAAAAAA);
    Create();
    // A box that could not get a window can never be answered: the owner
    // must not stay blocked behind it.
    if (!IsCreated()) ReleaseOwner();
}

// Deleting a box does not give its owner back its input: a box is deleted
// when a new one replaces it (which blocks the owner again) or when the
// windows are gone. The owner only forgets it as its dialog (Form does that).
FormMsgBox::~FormMsgBox() { DestroyWindow(); }

Form* FormMsgBox::GetOwner() const { return BlockedOwner(); }

void FormMsgBox::Setup(uint32_t id, bool yesNoFlag, const std::string& title, const std::string& text) {
    boxId = id;
    yesNo = yesNoFlag;
    SetTitle(title);
    SetMessage(text);
}

void FormMsgBox::Build() {
    const Size s = GetSize();
    textCell = std::make_unique<CellControl>(this);
    textCell->MoveClamped(10, 10);
    textCell->SetBorder(true);
    textCell->SetBackColor(0xB7B7B7);
    textCell->SetForeColor(0x000000);
    textCell->SetText(message);
    textCell->SetSize(s.width - 20, s.height - 60);
    textCell->Create();

    firstButton = std::make_unique<ButtonCustom>(this, yesNo ? "YES" : "OK");
    firstButton->SetSize(110, 28);
    firstButton->MoveClamped(s.width - 120, s.height - 40);
    firstButton->SetCommand(MessageBoxCommand);
    firstButton->Create();

    secondButton = std::make_unique<ButtonCustom>(this, "NO");
    secondButton->SetSize(110, 28);
    secondButton->MoveClamped(10, s.height - 40);
    secondButton->SetCommand(MessageBoxCommand);
    secondButton->Create();

    if (!yesNo) secondButton->Hide();
}

bool FormMsgBox::CanClose() {
    ReleaseOwner();
    return true;
}

void FormMsgBox::ReportResult() {
    Form* owner = GetOwner();
    if (owner != nullptr) owner->DialogResult(static_cast<int>(boxId), static_cast<int>(result));
}

void FormMsgBox::ResizeHook() {}
bool FormMsgBox::KeyCharHook(char) { return true; }
bool FormMsgBox::IsDialogKey(char character) { return character != 9 && character != 13; }
void FormMsgBox::KeyDownHook(uint32_t) {}
void FormMsgBox::KeyUpHook(uint32_t) {}
void FormMsgBox::ChildEventHook1() {}
void FormMsgBox::ClickHook(Point) {}
void FormMsgBox::MouseDownHook(Point) {}
void FormMsgBox::ChildEventHook2() {}
void FormMsgBox::ChildEventHook3() {}
void FormMsgBox::ChildEventHook4() {}

void FormMsgBox::ButtonClicked(GUIElement* sender) {
    if (!CanClose()) return;
    if (sender != nullptr && firstButton != nullptr && sender->GetId() == firstButton->GetId())
        result = yesNo ? kMsgBoxYes : kMsgBoxOk;
    else if (sender != nullptr && secondButton != nullptr && sender->GetId() == secondButton->GetId())
        result = kMsgBoxNo;
    DestroyWindow();
    Closed();
}

void FormMsgBox::SetMessage(const std::string& value) {
    message = value;
    if (created && textCell != nullptr) textCell->SetText(value);
}

void FormMsgBox::Paint() { Form::Paint(); }
void FormMsgBox::Initialize() {}
void FormMsgBox::UserMessage() {}

void ShowMessage(uint32_t id, Form* owner, const std::string& text, const std::string& title) {
    Launch(id, false, owner, text, title);
}

void ShowMessage(Form* owner, const std::string& text, const std::string& title) {
    Launch(0, false, owner, text, title);
}

void ShowMessage(const std::string& text, const std::string& title) { Launch(0, false, nullptr, text, title); }

void ShowNotice(Form* owner, const std::string& text, const std::string& title) {
    Launch(0, false, owner, text, title);
}

void ShowNotice(const std::string& text, const std::string& title) { Launch(0, false, nullptr, text, title); }

void ShowQuestion(uint32_t id, Form* owner, const std::string& text, const std::string& title) {
    Launch(id, true, owner, text, title);
}

void ShowQuestion(uint32_t id, const std::string& text, const std::string& title) {
    Launch(id, true, nullptr, text, title);
}
