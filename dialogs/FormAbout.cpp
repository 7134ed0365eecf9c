#include "dialogs/FormAbout.h"

#include <cctype>

#include "app/ChildProcesses.h"
#include "app/FormHandler.h"
#include "app/Services.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "controls/PanelChildren.h"
#include "gfx/MyImage.h"

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 210;
constexpr uint32_t kLinkColor = 0x0000FF;
constexpr const char* kMailbox = "info";

// Quoted for the shell so that every byte reaches the program as it is.
std::string SingleQuoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

// Bytes that the shell leaves alone in an unquoted word.
bool PlainWord(const std::string& text) {
    if (!text.empty() && text[0] == '~') return false;
    for (unsigned char c : text) {
        if (std::isalnum(c)) continue;
        if (std::string("%+,-./:=@_~").find(static_cast<char>(c)) != std::string::npos) continue;
        return false;
    }
    return true;
}

// Bytes that the shell leaves alone between double quotes.
bool PlainInDoubleQuotes(const std::string& text) {
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F) return false;
        if (c == '$' || c == '`' || c == '\\' || c == '"' || c == '!') return false;
    }
    return true;
}

} // namespace

FormAbout::FormAbout(Form* ownerForm) : Form(ownerForm ? ownerForm->GetOwnerData() : 0, true), owner(ownerForm) {
    SetTitle("Info...");
    SetSize(kWidth, kHeight);
    CenterOn(owner);
    SetOption1(false);
    SetOption5(true);
    SetOption3(false);
    SetOption2(false);
    SetOnLoad(ToForm<&FormAbout::Build>);
    SetOnQueryClose(ToForm<&FormAbout::CanClose>);
    SetOnKeyChar(ToForm<&FormAbout::KeyPressed>);
    SetOnKeyDown(ToForm<&FormAbout::KeyDownHook>);
    SetOnKeyUp(ToForm<&FormAbout::KeyUpHook>);
    if (owner != nullptr) {
        owner->Enable(false);
        owner->SetMarkA(true);
        owner->SetDialog(this);
    }
}

FormAbout::~FormAbout() {
    // A box deleted while open must not leave its owner blocked, nor
    // recording a dialog that no longer exists.
    if (owner != nullptr && owner->GetDialog() == this) ReleaseOwner();
    DestroyWindow();
    ReapChildren();
}

void FormAbout::SetWebAddress(const std::string& text) { webAddress = text; }

void FormAbout::SetPicture(XImage* image, uint32_t width, uint32_t height) {
    pictureImage = image;
    pictureWidth = width;
    pictureHeight = height;
}

void FormAbout::SetHeading(const std::string& text) { heading = text; }
void FormAbout::SetInfoLine(const std::string& text) { infoLine = text; }
void FormAbout::SetNotice(const std::string& text) { notice = text; }

void FormAbout::Initialize() {}

void FormAbout::Build() {
    const int h = GetActualHeight();
    const int w = GetActualWidth();
    const int p = static_cast<int>(pictureWidth);

    picturePanel = std::make_unique<PanelChildren>(this);
    picturePanel->SetSize(p + 20, h - 73);
    picturePanel->MoveClamped(10, 23);
    picturePanel->SetBorder(true);
    picturePanel->Create();

    picture = std::make_unique<MyImage>(picturePanel.get(), pictureImage);
    picture->SetSize(static_cast<int>(pictureWidth), static_cast<int>(pictureHeight));
    picture->MoveClamped(5, 5);
    picture->Create();

    const int x0 = p + 45;
    const int cw = w - x0 - 10;

    headingCell = std::make_unique<CellControl>(this);
    headingCell->SetText(heading);
    headingCell->SetForeColor(0xFFFFFF);
    headingCell->SetSize(cw, 25);
    headingCell->MoveClamped(x0, 17);
    headingCell->SetAlignment(0);
    headingCell->Create();

    infoCell = std::make_unique<CellControl>(this);
    infoCell->SetText(infoLine);
    infoCell->SetAlignment(0);
    infoCell->SetSize(cw, 25);
    infoCell->MoveClamped(x0, 38);
    infoCell->Create();

    webCell = std::make_unique<CellControl>(this);
    webCell->SetText(webAddress);
    webCell->SetForeColor(kLinkColor);
    webCell->SetAlignment(0);
    webCell->SetMarkB(true);
    webCell->SetOnMouseDown(AboutLinkCommand);
    webCell->SetSize(200, 12);
    webCell->SetPosition(x0, 68);
    webCell->Create();

    mailCell = std::make_unique<CellControl>(this);
    mailCell->SetText(MailAddressFor(webAddress));
    mailCell->SetAlignment(0);
    mailCell->SetForeColor(kLinkColor);
    mailCell->SetMarkB(true);
    mailCell->SetOnMouseDown(AboutLinkCommand);
    mailCell->SetSize(150, 12);
    mailCell->SetPosition(p + 255, 68);
    mailCell->Create();

    noticeCell = std::make_unique<CellControl>(this);
    noticeCell->SetText(notice);
    noticeCell->SetAlignment(0);
    noticeCell->SetBorder(true);
    noticeCell->SetSize(cw, h - 145);
    noticeCell->MoveClamped(x0, 95);
    noticeCell->Create();

    okButton = std::make_unique<ButtonCustom>(this, "OK");
    okButton->SetSize(80, 28);
    okButton->MoveClamped(x0 + cw / 2 - okButton->GetWidth() / 2, h - 37);
    okButton->SetCommand(AboutOkCommand);
    okButton->Create();
}

void FormAbout::ReleaseOwner() {
    owner->SetDialog(nullptr);
    owner->Enable(true);
    owner->SetMarkA(false);
}

bool FormAbout::CanClose() {
    Extension2(0);
    if (owner != nullptr) ReleaseOwner();
    ReapChildren();
    return true;
}

void FormAbout::ResizeHook() {}

bool FormAbout::KeyPressed(char character) {
    if (character == 13 || character == 27 || character == 127) {
        OkClicked(okButton.get());
        return false;
    }
    return true;
}

void FormAbout::KeyDownHook(uint32_t) {}
void FormAbout::KeyUpHook(uint32_t) {}

void FormAbout::OkClicked(GUIElement* sender) {
    if (sender == nullptr || okButton == nullptr || sender->GetId() != okButton->GetId()) return;
    if (!CanClose()) return;
    DestroyWindow();
    Form::Closed();
}

void FormAbout::LinkClicked(GUIElement* sender) {
    if (sender == nullptr) return;
    if (webCell != nullptr && sender->GetId() == webCell->GetId())
        RunDetached(BrowserCommand(webAddress));
    else if (mailCell != nullptr && sender->GetId() == mailCell->GetId())
        RunDetached(MailCommand(mailCell->GetText()));
}

void FormAbout::RunDetached(const std::string& command) {
    if (!StartDetached(command)) RunCommand(command);
}

std::string FormAbout::MailAddressFor(const std::string& web) {
    std::string host = web;
    size_t scheme = host.find("://");
    if (scheme != std::string::npos) host = host.substr(scheme + 3);
    host = host.substr(0, host.find_first_of("/?#"));
    size_t at = host.rfind('@');
    if (at != std::string::npos) host = host.substr(at + 1);
    host = host.substr(0, host.find(':'));
    if (host.size() > 4 && (host.compare(0, 4, "www.") == 0 || host.compare(0, 4, "WWW.") == 0)) host = host.substr(4);
    if (host.empty()) return "";
    return std::string(kMailbox) + "@" + host;
}

std::string FormAbout::BrowserCommand(const std::string& address) {
    return "firefox " + (PlainWord(address) ? address : SingleQuoted(address));
}

std::string FormAbout::MailCommand(const std::string& address) {
    if (PlainInDoubleQuotes(address)) return "thunderbird -compose to=\"" + address + "\"";
    return "thunderbird -compose to=" + SingleQuoted(address);
}
