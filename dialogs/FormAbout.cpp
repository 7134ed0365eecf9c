#include "dialogs/FormAbout.h"

#include <algorithm>
#include <cctype>

#include "app/Application.h"
#include "app/ChildProcesses.h"
#include "app/FormHandler.h"
#include "app/Services.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "controls/PanelChildren.h"
#include "gfx/Graphics.h"
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

// A link line: a cell that Tab reaches and that shows the focus with the
// toolkit's dashed frame in the link's colour. The caption fills the cell
// and its line reaches below it, so the frame lies two pixels outside both;
// a paint without the focus draws it over in the window's colour.
class LinkCell : public CellControl {
public:
    explicit LinkCell(GUIElement* parentElement);
    void Paint() override;

private:
    // The link's colour with the focus, the window's without.
    int FrameColor();
};

} // namespace

LinkCell::LinkCell(GUIElement* parentElement) : CellControl(parentElement) {
    tabStop = true;
    repaintOnFocus = true;
}

void LinkCell::Paint() {
    CellControl::Paint();
    if (!CanPaint()) return;
    const Rect r = FormRect();
    Graphics g(OwnerForm());
    g.DrawFocusFrame({r.x - 2, r.y - 2, r.width + 4, std::max(r.height, g.LineStep()) + 4}, FrameColor());
}

int LinkCell::FrameColor() {
    if (hasFocus && enabled) return static_cast<int>(foreColor);
    return ParentBackOrChain();
}

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
    BlockOwner(owner);
}

FormAbout::~FormAbout() {
    // A box deleted while open must not leave its owner blocked, nor
    // recording a dialog that no longer exists.
    if (IsOwnersDialog()) ReleaseOwner();
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

std::unique_ptr<CellControl> FormAbout::NewCell(const std::string& text, const Rect& place, CellKind kind) {
    std::unique_ptr<CellControl> cell =
        kind == CellKind::link ? std::make_unique<LinkCell>(this) : std::make_unique<CellControl>(this);
    cell->SetText(text);
    cell->SetAlignment(0);
    if (kind == CellKind::heading) cell->SetForeColor(0xFFFFFF);
    if (kind == CellKind::link) {
        cell->SetForeColor(kLinkColor);
        cell->SetMarkB(true);
        cell->SetOnMouseDown(AboutLinkCommand);
    }
    cell->SetBorder(kind == CellKind::notice);
    cell->SetSize(place.width, place.height);
    cell->MoveClamped(place.x, place.y);
    cell->Create();
    return cell;
}

// The controls are created in the order that gives their ids, and with them
// the Tab order: the web link, the mail link, "OK".
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
    headingCell = NewCell(heading, {x0, 17, cw, 25}, CellKind::heading);
    infoCell = NewCell(infoLine, {x0, 38, cw, 25}, CellKind::text);
    webCell = NewCell(webAddress, {x0, 68, 200, 12}, CellKind::link);
    mailCell = NewCell(MailAddressFor(webAddress), {p + 255, 68, 150, 12}, CellKind::link);
    noticeCell = NewCell(notice, {x0, 95, cw, h - 145}, CellKind::notice);

    okButton = std::make_unique<ButtonCustom>(this, "OK");
    okButton->SetSize(80, 28);
    okButton->MoveClamped(x0 + cw / 2 - okButton->GetWidth() / 2, h - 37);
    okButton->SetCommand(AboutOkCommand);
    okButton->Create();
}

bool FormAbout::CanClose() {
    Extension2(0);
    ReleaseOwner();
    ReapChildren();
    return true;
}

void FormAbout::ResizeHook() {}

// The space bar opens the link that has the focus, as a click on it does.
bool FormAbout::KeyPressed(char character) {
    if (character == 13 || character == 27 || character == 127) {
        OkClicked(okButton.get());
        return false;
    }
    if (character == ' ') {
        if (GUIElement* focused = Application::FocusedOn(this)) LinkClicked(focused);
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
