#include "dialogs/FormNamePlayer.h"

#include "app/FormHandler.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "controls/TextBoxCustom.h"
#include "dialogs/SoundPlayer.h"
#include "util/Strings.h"

std::string lastPlayerName;

namespace {

constexpr int kWidth = 250;
constexpr int kHeight = 115;

} // namespace

FormNamePlayer::FormNamePlayer(Form* ownerForm, uint64_t ownerData, const std::string& title) : Form(ownerData, true) {
    lastPlayerName.clear();
    if (ownerForm != nullptr) {
        SetScreen(ownerForm->GetScreen());
        owner = ownerForm;
        BlockOwner(owner);
    }
    SetOption1(false);
    Setup(title);
}

FormNamePlayer::FormNamePlayer(uint64_t ownerData, const std::string& title) : Form(ownerData, true) {
    lastPlayerName.clear();
    SetOption1(false);
    Setup(title);
}

void FormNamePlayer::Setup(const std::string& title) {
    SetSize(kWidth, kHeight);
    SetTitle(title);
    SetOption3(false);
    SetOption2(false);
    SetOnLoad(ToForm<&FormNamePlayer::Build>);
    SetOnQueryClose(ToForm<&FormNamePlayer::CanClose>);
    SetOnResize(ToForm<&FormNamePlayer::ResizeHook>);
    SetOnKeyChar(ToForm<&FormNamePlayer::KeyPressed>);
    SetOnKeyDown(ToForm<&FormNamePlayer::KeyDownHook>);
    SetOnKeyUp(ToForm<&FormNamePlayer::KeyUpHook>);
}

FormNamePlayer::~FormNamePlayer() {
    // A dialog deleted while open must not leave its owner blocked, nor
    // recording a dialog that no longer exists.
    if (IsOwnersDialog()) ReleaseOwner();
    DestroyWindow();
}

void FormNamePlayer::SetPrompt(const std::string& text) {
    prompt = text;
    if (IsCreated() && promptCell != nullptr) promptCell->SetText(text);
}

void FormNamePlayer::Initialize() {}

void FormNamePlayer::Build() {
    const int w = GetActualWidth();

    promptCell = std::make_unique<CellControl>(this);
    promptCell->SetText(prompt);
    promptCell->SetAlignment(2);
    promptCell->SetSize(w, 14);
    promptCell->MoveClamped(0, 15);
    promptCell->Create();

    nameBox = std::make_unique<TextBoxCustom>(this, "");
    nameBox->SetSize(w / 2, 20);
    nameBox->MoveClamped(w / 4, 45);
    nameBox->SetMaxLength(kMaxNameLength);
    nameBox->SetAlignCentre(true);
    nameBox->Create();

    okButton = std::make_unique<ButtonCustom>(this, "OK");
    okButton->SetSize(80, 28);
    okButton->MoveClamped((w - 80) / 2, 80);
    okButton->SetCommand(NamePlayerCommand);
    okButton->Create();

    nameBox->SetFocus();
}

bool FormNamePlayer::CanClose() {
    Extension2(0);
    ReleaseOwner();
    return true;
}

void FormNamePlayer::ResizeHook() {}

bool FormNamePlayer::KeyPressed(char character) {
    if (character == 13 || character == 127) {
        OkClicked(okButton.get());
        return false;
    }
    return true;
}

void FormNamePlayer::KeyDownHook(uint32_t) {}
void FormNamePlayer::KeyUpHook(uint32_t) {}

void FormNamePlayer::OkClicked(GUIElement* sender) {
    if (sender == nullptr || okButton == nullptr || sender->GetId() != okButton->GetId()) return;
    const std::string name = StrTrimRight(nameBox->GetText());
    if (name.empty()) {
        Beep();
        nameBox->SetFocus();
        return;
    }
    if (!CanClose()) return;
    lastPlayerName = name;
    DestroyWindow();
    Form::Closed();
}
