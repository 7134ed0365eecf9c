#include "dialogs/FormMsgBox.h"

#include <algorithm>
#include <vector>

#include "app/Application.h"
#include "app/FormHandler.h"
#include "app/Log.h"
#include "app/Loop.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"

// Marks a box as running its own code for as long as the scope lasts.
class BusyScope {
public:
    explicit BusyScope(FormMsgBox* b) : box(b) { ++box->busy; }
    ~BusyScope() { --box->busy; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    FormMsgBox* box;
};

namespace {

constexpr int kBoxWidth = 250;
constexpr int kBoxHeight = 150;

// The box a launcher put into pendingMessageBox last.
FormMsgBox* lastBox = nullptr;

// Boxes replaced while their own code was still running (a launcher called
// from the owner's DialogResult): they are freed once that code has returned,
// by the next launcher call or when any box is destroyed, at the latest when
// the loop deletes the pending box at its end.
std::vector<FormMsgBox*>& Retired() {
    static auto* retired = new std::vector<FormMsgBox*>();
    return *retired;
}

void FreeRetired() {
    static bool freeing = false;
    if (freeing) return;
    freeing = true;
    std::vector<FormMsgBox*>& retired = Retired();
    for (size_t i = 0; i < retired.size();) {
        FormMsgBox* box = retired[i];
        if (box->IsBusy()) {
            ++i;
            continue;
        }
        retired.erase(retired.begin() + static_cast<std::ptrdiff_t>(i));
        delete box;
    }
    freeing = false;
}

// Gives an owner back its input and forgets the box as its dialog.
void ReleaseOwner(Form* owner, Form* box) {
    if (owner == nullptr) return;
    if (owner->GetDialog() == box) owner->SetDialog(nullptr);
    owner->Enable(true);
    owner->SetMarkA(false);
}

// The command of both buttons: their form is the box that made them.
constexpr CommandCallback MessageBoxCommand = ToForm<&FormMsgBox::ButtonClicked>;

bool IsMessageBox(const Form* form) {
    const std::vector<FormMsgBox*>& retired = Retired();
    return form != nullptr && (form == lastBox || std::find(retired.begin(), retired.end(), form) != retired.end());
}

// The window a new box belongs to: the one given, else the main window (the
// first form). A message box never owns another: it is about to be deleted.
Form* ResolveOwner(Form* owner) {
    if (owner == nullptr) {
        for (Form* f : Application::forms)
            if (!IsMessageBox(f)) return f;
        return nullptr;
    }
    return IsMessageBox(owner) ? static_cast<FormMsgBox*>(owner)->GetOwner() : owner;
}

void Launch(uint32_t id, bool yesNo, Form* owner, const std::string& text, const std::string& title) {
    owner = ResolveOwner(owner);
    if (owner == nullptr) {
        Log("Message box without an owner and without a main window: " + title);
        return;
    }
    if (pendingMessageBox != nullptr) {
        Form* previous = pendingMessageBox;
        pendingMessageBox = nullptr;
        if (previous == lastBox) {
            // An open box of another owner would leave that owner blocked.
            if (previous->IsCreated() && lastBox->GetOwner() != owner) ReleaseOwner(lastBox->GetOwner(), previous);
            lastBox = nullptr;
            Retired().push_back(static_cast<FormMsgBox*>(previous));
        } else {
            delete previous;
        }
    }
    FreeRetired();
    auto* box = new FormMsgBox(id, yesNo, owner->GetScreen(), owner, title, text);
    pendingMessageBox = box;
    lastBox = box;
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
    ownerSerial = owner != nullptr ? owner->GetSerial() : 0;
    if (owner != nullptr) {
        owner->Enable(false);
        owner->SetMarkA(true);
        owner->SetDialog(this);
    }
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
    if (!IsCreated()) ReleaseOwner(owner, this);
}

FormMsgBox::~FormMsgBox() {
    DestroyWindow();
    Form* owner = GetOwner();
    if (owner != nullptr && owner->GetDialog() == this) owner->SetDialog(nullptr);
    if (lastBox == this) lastBox = nullptr;
    if (pendingMessageBox == this) pendingMessageBox = nullptr;
    std::vector<FormMsgBox*>& retired = Retired();
    retired.erase(std::remove(retired.begin(), retired.end(), this), retired.end());
    FreeRetired();
}

Form* FormMsgBox::GetOwner() const {
    return parent != nullptr && Application::IsRegistered(ownerSerial) ? static_cast<Form*>(parent) : nullptr;
}

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
    BusyScope scope(this);
    ReleaseOwner(GetOwner(), this);
    return true;
}

void FormMsgBox::ReportResult() {
    BusyScope scope(this);
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
    BusyScope scope(this);
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

void FormMsgBox::Closed() {
    // The owner's DialogResult may open the next box; this one stays alive
    // until the call has come back here.
    BusyScope scope(this);
    Form::Closed();
}

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
