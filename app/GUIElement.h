// The root of every element: geometry, text, colours, font, flags, the
// registry id, the parent link and one user handler per kind of event.
// Elements are owned by the code that constructs them; the destructor is
// virtual so that an element is always destroyed whole, whatever pointer
// its owner holds.
#pragma once
#include <cstdint>
#include <string>

#include "app/Application.h"
#include "app/Geometry.h"
#include "app/TypeTags.h"
#include "gfx/FontSpec.h"
#include "util/TimeStamp.h"

class GUIElement;

// Background value meaning "no colour of its own".
constexpr uint64_t kNoColor = ~uint64_t{0};

using TagHandler = void (*)(GUIElement*, uint64_t tag);
using PointHandler = void (*)(GUIElement*, uint64_t tag, Point point);
using PassHandler = void (*)(GUIElement*, uint64_t tag, intptr_t a, intptr_t b);
using KeyHandler = void (*)(GUIElement*, uint32_t keysym);
using CharHandler = bool (*)(GUIElement*, char character);
using ArgHandler = void (*)(GUIElement*, intptr_t a, intptr_t b);
using PlainHandler = void (*)(GUIElement*);
using BoolHandler = bool (*)(GUIElement*);
using MoveHandler = void (*)(GUIElement*, int x, int y);

class GUIElement {
public:
    explicit GUIElement(uint64_t ownerData);
    virtual ~GUIElement();
    GUIElement(const GUIElement&) = delete;
    GUIElement& operator=(const GUIElement&) = delete;

    virtual int GetWidth();
    virtual int GetActualWidth();
    virtual int GetHeight();
    virtual int GetActualHeight();
    virtual Point GetPosition();
    virtual Size GetSize();
    virtual Size GetActualSize();
    virtual void SetSize(int w, int h);
    virtual void SetPosition(int x, int y);
    virtual void MoveClamped(int x, int y);
    virtual void SetLocation(Point point);
    virtual void SetBackColor(uint64_t rgb);
    virtual uint64_t GetBackColor();
    virtual void Show();
    virtual void ShowWindow();
    virtual void Hide();
    virtual bool IsVisible();
    virtual bool IsCreated();
    virtual void Update();
    virtual void Enable(bool flag);
    virtual bool IsEnabled();
    virtual void Attach(GUIElement* element);
    virtual void BringToFront();
    virtual void Raise();
    virtual void SendToBack();
    virtual void SetName(const std::string& text);
    virtual std::string GetName();
    virtual void SetFont(const FontSpec& description);
    virtual FontSpec& GetFont();
    virtual bool IsTabStop();
    virtual bool RepaintsWithContainer();
    virtual bool IsChild();
    virtual bool Contains(Point point);
    virtual void SetText(const std::string& value);
    virtual std::string GetText();
    virtual std::string GetValue();
    virtual void MouseUp(Point point);
    virtual void MouseDown(Point point);
    virtual void DoubleClick(Point point);
    virtual void OtherButtonUp(Point point);
    virtual void OtherButtonDown(Point point);
    virtual void Notify(intptr_t a, intptr_t b);
    virtual void KeyUp(uint32_t keysym);
    virtual void KeyDown(uint32_t keysym);
    virtual bool KeyChar(char character);
    virtual void MouseMove(int x, int y);
    virtual void UserEvent2(intptr_t a, intptr_t b);
    virtual void UserEvent3(intptr_t a, intptr_t b);
    virtual void SetFocus();
    virtual void Moved(intptr_t a, intptr_t b);
    virtual void Resized();
    virtual void Paint();
    virtual bool QueryClose();
    virtual void Closed();
    virtual void GotFocus();
    virtual void LostFocus();
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Load(uint64_t value);
    virtual void Refresh();
    virtual bool HasMarkA();
    virtual bool HasMarkB();
    virtual void SetMarkA(bool flag);
    virtual void SetMarkB(bool flag);
    virtual void Initialize();
    virtual uint64_t& GetTag();
    virtual void Create() = 0;
    virtual void ApplyPosition();
    virtual void ApplySize();
    virtual void ApplyRefresh();
    virtual void ApplyRaise();
    virtual void ApplyLower();
    virtual void ApplyAttach(GUIElement* element);
    virtual void ApplyStyle();

    // Handler setters: each only stores the pointer; null clears it.
    void SetOnLoad(TagHandler h) { onLoad = h; }
    void SetOnClick(PointHandler h) { onClick = h; }
    void SetOnMouseDown(PointHandler h) { onMouseDown = h; }
    void SetOnDoubleClick(PointHandler h) { onDoubleClick = h; }
    void SetOnOtherButtonUp(PointHandler h) { onOtherButtonUp = h; }
    void SetOnOtherButtonDown(PointHandler h) { onOtherButtonDown = h; }
    void SetOnNotify(PassHandler h) { onNotify = h; }
    void SetOnKeyUp(KeyHandler h) { onKeyUp = h; }
    void SetOnKeyDown(KeyHandler h) { onKeyDown = h; }
    void SetOnKeyChar(CharHandler h) { onKeyChar = h; }
    void SetOnMoved(ArgHandler h) { onMoved = h; }
    void SetOnResize(PlainHandler h) { onResize = h; }
    void SetOnQueryClose(BoolHandler h) { onQueryClose = h; }
    void SetOnClosed(PlainHandler h) { onClosed = h; }
    void SetOnGotFocus(PlainHandler h) { onGotFocus = h; }
    void SetOnLostFocus(PlainHandler h) { onLostFocus = h; }
    void SetOnMouseEnter(PlainHandler h) { onMouseEnter = h; }
    void SetOnMouseLeave(PlainHandler h) { onMouseLeave = h; }
    void SetOnChange(PlainHandler h) { onChange = h; }
    void SetOnMouseMove(MoveHandler h) { onMouseMove = h; }
    void SetOnUserEvent2(ArgHandler h) { onUserEvent2 = h; }
    void SetOnUserEvent3(ArgHandler h) { onUserEvent3 = h; }

    std::string GetTypeTag() const { return typeTag; }
    const std::string& TypeTag() const { return typeTag; }
    GUIElement* GetParent() const { return parent; }
    uint32_t GetId() const { return id; }
    // The registration number, given at construction and never reused.
    uint64_t GetSerial() const { return serial; }
    uint64_t GetOwnerData() const { return ownerData; }
    bool IsClosed() const { return closed; }
    bool HasFocus() const { return hasFocus; }
    void AssignId();

protected:
    std::string typeTag;
    bool isChild = false;
    bool tabStop = true;
    bool repaintWithContainer = false;
    bool visible = false;
    bool closed = false;
    bool markA = false;
    bool markB = false;
    uint64_t tag = 0;
    uint64_t ownerData = 0;
    FontSpec font;
    int32_t width = 100;
    int32_t height = 50;
    int32_t x = 100;
    int32_t y = 100;
    bool created = false;
    uint64_t backColor = kNoColor;
    bool enabled = true;
    uint32_t id = 0;
    std::string name;
    std::string text;
    std::string focusValue;
    GUIElement* parent = nullptr;
    TagHandler onLoad = nullptr;
    bool loaded = false;
    PointHandler onClick = nullptr;
    PointHandler onMouseDown = nullptr;
    PointHandler onDoubleClick = nullptr;
    PointHandler onOtherButtonUp = nullptr;
    PointHandler onOtherButtonDown = nullptr;
    PassHandler onNotify = nullptr;
    KeyHandler onKeyUp = nullptr;
    KeyHandler onKeyDown = nullptr;
    CharHandler onKeyChar = nullptr;
    ArgHandler onMoved = nullptr;
    PlainHandler onResize = nullptr;
    BoolHandler onQueryClose = nullptr;
    PlainHandler onClosed = nullptr;
    PlainHandler onGotFocus = nullptr;
    PlainHandler onLostFocus = nullptr;
    PlainHandler onMouseEnter = nullptr;
    PlainHandler onMouseLeave = nullptr;
    PlainHandler onChange = nullptr;
    MoveHandler onMouseMove = nullptr;
    ArgHandler onUserEvent2 = nullptr;
    ArgHandler onUserEvent3 = nullptr;
    bool hasFocus = false;
    TimeStamp lastClick;

private:
    friend class Application; // hands out the registration number
    uint64_t serial = 0;
};

// Everything placed inside a form: controls, timers and images.
class Child : public GUIElement {
public:
    Child();
    ~Child() override;
};
