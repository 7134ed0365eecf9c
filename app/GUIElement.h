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

    // "If created" below means: only once Create has run; before, the
    // operation only stores. The Apply hooks tell a window-owning subclass
    // (Form) that something changed; they do nothing in every control.

    // Stored width, height, position and size; a form answers its real
    // window for the Actual ones and its place on the screen for GetPosition.
    virtual int GetWidth();
    virtual int GetActualWidth();
    virtual int GetHeight();
    virtual int GetActualHeight();
    virtual Point GetPosition();
    virtual Size GetSize();
    virtual Size GetActualSize();
    // Stores both; nothing at all when both are unchanged; if created, ApplySize.
    virtual void SetSize(int w, int h);
    // Stores both (relative to the parent; a form's on the screen); if created, ApplyPosition.
    virtual void SetPosition(int x, int y);
    // SetPosition with negative coordinates made 0.
    virtual void MoveClamped(int x, int y);
    virtual void SetLocation(Point point); // SetPosition (point.x, point.y)
    // Stores the colour (kNoColor: none of its own); if created, Paint.
    virtual void SetBackColor(uint64_t rgb);
    virtual uint64_t GetBackColor();
    // Creates the element when it is not yet, then marks it visible.
    virtual void Show();
    virtual void ShowWindow(); // Show; a form also maps its window
    // If created, marks it not visible (controls also drop created).
    virtual void Hide();
    virtual bool IsVisible();
    virtual bool IsCreated();
    virtual void Update(); // nothing
    // Stores the flag; a disabled form gets no keys, motion or control clicks.
    virtual void Enable(bool flag);
    virtual bool IsEnabled();
    virtual void Attach(GUIElement* element); // if created and given one, ApplyAttach
    virtual void BringToFront(); // if created, ApplyRaise
    virtual void Raise(); // BringToFront
    virtual void SendToBack(); // if created, ApplyLower
    virtual void SetName(const std::string& text);
    virtual std::string GetName();
    virtual void SetFont(const FontSpec& description); // stores a copy; if created, ApplyStyle
    virtual FontSpec& GetFont();
    virtual bool IsTabStop(); // takes part in Tab navigation
    virtual bool RepaintsWithContainer(); // its form's or panel's Paint paints it
    virtual bool IsChild(); // lives inside a form
    // True for a created, visible element when the point lies in its area,
    // the far edges included: x <= p.x <= x + width, so an element 10 wide
    // answers for 11 columns. The loop's hit test relies on it as it is.
    virtual bool Contains(Point point);
    virtual void SetText(const std::string& value);
    virtual std::string GetText();
    // What a change is measured by (GotFocus/LostFocus); the text unless overridden.
    virtual std::string GetValue();

    // Event operations: each calls its handler (onClick for MouseUp, and so
    // on) with the element first, when one is set; subclasses override them
    // and call the base so that the handler still runs.
    // Click: onClick, then DoubleClick when the previous release on this
    // element was at most 999 ms before (a negative gap counts too, and the
    // first release counts from construction); every release is a click.
    virtual void MouseUp(Point point);
    virtual void MouseDown(Point point);
    virtual void DoubleClick(Point point);
    virtual void OtherButtonUp(Point point); // buttons 2 to 4
    virtual void OtherButtonDown(Point point); // buttons 2 to 4
    virtual void Notify(intptr_t a, intptr_t b); // never called by the toolkit
    virtual void KeyUp(uint32_t keysym);
    virtual void KeyDown(uint32_t keysym);
    // The handler's answer; true (go on) without a handler.
    virtual bool KeyChar(char character);
    // Form coordinates; of the controls only sliders and scroll bars get it.
    virtual void MouseMove(int x, int y);
    virtual void UserEvent2(intptr_t a, intptr_t b); // never called by the toolkit
    virtual void UserEvent3(intptr_t a, intptr_t b); // never called by the toolkit
    // Sets hasFocus (a form also asks for the input focus); it does not move
    // the loop's focused element (Application::MoveFocus does).
    virtual void SetFocus();
    virtual void Moved(intptr_t a, intptr_t b); // never called by the toolkit
    virtual void Resized(); // repaints (SetBackColor of its own colour), then onResize
    virtual void Paint(); // draws the element; nothing here
    // May the form close? The handler's answer; true without a handler.
    virtual bool QueryClose();
    virtual void Closed(); // onClosed, then closed := true
    // Remembers GetValue for LostFocus, then onGotFocus.
    virtual void GotFocus();
    // onLostFocus, then onChange when GetValue differs from the remembered one.
    virtual void LostFocus();
    virtual void MouseEnter();
    virtual void MouseLeave();
    // Takes the value as tag when the tag is 0; runs onLoad the first time only.
    virtual void Load(uint64_t value);
    virtual void Refresh(); // if created, ApplyRefresh
    // Two flags of no meaning to the base; setting one true clears the other.
    virtual bool HasMarkA();
    virtual bool HasMarkB();
    virtual void SetMarkA(bool flag);
    virtual void SetMarkB(bool flag);
    virtual void Initialize(); // nothing
    virtual uint64_t& GetTag();
    // Makes the element exist on screen: takes its id, sets created (a form
    // also builds its X window).
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

    // The kind of element ("form", "slider", ... TypeTags.h). A reference
    // to the element's own tag: keep a copy if it must outlive the element.
    const std::string& GetTypeTag() const { return typeTag; }
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
