// The modal information window: a framed picture on the left, a heading, an
// information line, a web link and a mail link, a bordered notice and "OK".
// Clicking a link, or the space bar on a link that Tab has reached, starts
// the browser or the mail client in a forked child, so the game goes on at
// once. Return, Escape and Delete (127) close it.
#pragma once
#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <string>

#include "app/Form.h"
#include "app/FormHandler.h"
#include "controls/CommandElement.h"

class ButtonCustom;
class CellControl;
class MyImage;
class PanelChildren;

class FormAbout : public Form {
public:
    // Blocks the owner until the box closes; centred on the owner.
    explicit FormAbout(Form* owner);
    ~FormAbout() override;

    // Each only stores its value: call them before Show.
    void SetWebAddress(const std::string& text);
    void SetPicture(XImage* image, uint32_t width, uint32_t height); // not owned
    void SetHeading(const std::string& text);
    void SetInfoLine(const std::string& text);
    void SetNotice(const std::string& text);

    void Initialize() override;
    // Load handler: makes the controls.
    virtual void Build();
    // Query-close handler: releases the owner; true.
    virtual bool CanClose();
    virtual void ResizeHook();
    // Key-character handler: 13, 27 and 127 act as "OK" (and answer false);
    // the space bar opens the focused link.
    virtual bool KeyPressed(char character);
    virtual void KeyDownHook(uint32_t keysym);
    virtual void KeyUpHook(uint32_t keysym);
    // "OK": releases the owner, destroys the window, runs Closed.
    virtual void OkClicked(GUIElement* sender);
    // Web cell: the browser on the web address; mail cell: a new message.
    virtual void LinkClicked(GUIElement* sender);

    ButtonCustom* GetOkButton() const { return okButton.get(); }
    CellControl* GetWebCell() const { return webCell.get(); }
    CellControl* GetMailCell() const { return mailCell.get(); }
    CellControl* GetHeadingCell() const { return headingCell.get(); }
    CellControl* GetInfoCell() const { return infoCell.get(); }
    CellControl* GetNoticeCell() const { return noticeCell.get(); }
    PanelChildren* GetPicturePanel() const { return picturePanel.get(); }

    // "info@" and the web address's host without its scheme and a leading
    // "www.": "https://www.example.org/x" gives "info@example.org".
    static std::string MailAddressFor(const std::string& webAddress);
    // The shell command lines run for the two links. An ordinary address
    // goes in as it is ("firefox ADDRESS", "thunderbird -compose
    // to=\"ADDRESS\""); one with characters the shell would act on is put in
    // single quotes instead, so it always reaches the program as one word.
    static std::string BrowserCommand(const std::string& address);
    static std::string MailCommand(const std::string& address);

private:
    // The box's text cells: left-aligned captions; the heading white, the
    // links blue, reached with Tab and opened by a click or the space bar,
    // the notice framed.
    enum class CellKind { heading, text, link, notice };
    // A cell of that kind with its caption and place, created.
    std::unique_ptr<CellControl> NewCell(const std::string& text, const Rect& place, CellKind kind);
    // Hands a command line over to a process that is not this program's;
    // when none can be started, runs it here and waits.
    static void RunDetached(const std::string& command);

    Form* owner = nullptr;
    // Destroyed from the bottom up, after the window: the button, the five
    // cells, the panel, and first of all the picture that lies on it.
    std::unique_ptr<ButtonCustom> okButton;
    std::unique_ptr<CellControl> mailCell, webCell, noticeCell, infoCell, headingCell;
    std::unique_ptr<PanelChildren> picturePanel;
    std::unique_ptr<MyImage> picture;
    XImage* pictureImage = nullptr; // not owned
    uint32_t pictureWidth = 0;
    uint32_t pictureHeight = 0;
    std::string heading;
    std::string infoLine;
    std::string notice;
    std::string webAddress;
};

// Command callback of the "OK" button.
inline constexpr CommandCallback AboutOkCommand = ToForm<&FormAbout::OkClicked>;
// Mouse-down handler of the two link cells.
inline constexpr PointHandler AboutLinkCommand = ToForm<&FormAbout::LinkClicked>;
