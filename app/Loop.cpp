#include "app/Loop.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "app/Application.h"
#include "app/Form.h"
#include "app/Log.h"
#include "app/StopSignals.h"
#include "app/Timer.h"
#include "util/TimeStamp.h"

unsigned char keyStates[255] = {0};
bool quitRequested = false;
std::unique_ptr<Form> pendingMessageBox;

bool IsKeyDown(int code) { return code >= 0 && code <= 254 && keyStates[code] == 1; }

namespace {

// Forms handed to DeleteLater while an event or a tick is being handled.
std::vector<std::unique_ptr<Form>> doomed;
int handlingDepth = 0;

// The one place where forms handed to DeleteLater are deleted. A destructor
// may hand over another form: each is taken off the list before it goes.
void DeleteDoomed() {
    while (!doomed.empty()) {
        std::unique_ptr<Form> form = std::move(doomed.back());
        doomed.pop_back();
        form.reset();
    }
}

// Marks an event or a tick as being handled; when the outermost one is
// finished, the forms given up meanwhile are deleted.
class HandlingScope {
public:
    HandlingScope() { ++handlingDepth; }
    ~HandlingScope() {
        if (--handlingDepth == 0) DeleteDoomed();
    }
    HandlingScope(const HandlingScope&) = delete;
    HandlingScope& operator=(const HandlingScope&) = delete;
};

} // namespace

void DeleteLater(std::unique_ptr<Form> form) {
    if (form == nullptr) return;
    doomed.push_back(std::move(form));
    if (handlingDepth == 0) DeleteDoomed();
}

void IdleTick() {
    HandlingScope handling;
    tickMs = (tickMs + 10) % 1000;
    TickTimers(10);
}

LoopWaiting loopWaiting{WaitForInput};

namespace {

constexpr int64_t kNsPerMs = 1000000;
constexpr int64_t kSliceNs = 10 * kNsPerMs; // one idle tick

// True when no event is queued. XPending reads the connection, one system
// call on every idle wake-up; it is skipped while nothing can have arrived
// that the wait would not see: the last XPending found nothing, and since
// then no request was sent (awaiting a reply is when Xlib reads events
// ahead) and nothing was read into the queue. quietMark holds the request
// number of that last empty XPending, 0 when there is none.
bool NothingQueued(Display* d, unsigned long& quietMark) {
    if (quietMark != 0 && NextRequest(d) == quietMark && XQLength(d) == 0) return true;
    if (XPending(d) != 0) {
        quietMark = 0;
        return false;
    }
    quietMark = NextRequest(d);
    return true;
}

// The event handlers of the dispatch table below, one per X event kind
// (On...). Each gets the main form and the registered form the event is for.
using EventHandler = void (*)(Form* mainForm, Form* form, XEvent& ev);

struct KeyInfo {
    uint32_t keysym = 0;
    char c = 0;
};

KeyInfo Translate(XKeyEvent& e) {
    char buffer[50];
    KeySym sym = NoSymbol;
    int n = XLookupString(&e, buffer, sizeof buffer, &sym, nullptr);
    KeyInfo k;
    k.keysym = static_cast<uint32_t>(sym);
    k.c = n >= 1 ? static_cast<char>(buffer[0]) : 0;
    return k;
}

bool IsFocusedChildOf(Form* form) {
    GUIElement* f = Application::focused;
    return f != nullptr && f->GetParent() == form;
}

// The form is still the one the event arrived at (a handler may have
// destroyed it, and another may stand at its address) and still takes keys.
bool TakesKeys(Form* form, uint64_t serial) { return Application::IsRegistered(serial) && form->IsEnabled(); }

// Keys reach only a control of the form they were typed in: with the focus
// on another window's control, a key typed here belongs to this form alone.
void OnKeyPress(Form*, Form* form, XEvent& ev) {
    if (!form->IsEnabled()) return;
    const uint64_t serial = form->GetSerial();
    KeyInfo k = Translate(ev.xkey);
    if (GUIElement* f = Application::FocusedOn(form)) f->KeyDown(k.keysym);
    if (k.c > 0) keyStates[static_cast<unsigned char>(k.c)] = 1;
    if (TakesKeys(form, serial)) form->KeyDown(k.keysym);
}

// Among the form's own tab stops; focus on another form counts as none.
void TabNavigation(Form* form) {
    std::vector<GUIElement*> list = Application::CollectChildren(form->GetId());
    GUIElement* focused = Application::FocusedOn(form);
    GUIElement* candidate = nullptr;
    for (GUIElement* e : list)
        if ((focused == nullptr || e->GetId() > focused->GetId()) && e->IsTabStop()) {
            candidate = e;
            break;
        }
    if (candidate == nullptr)
        for (GUIElement* e : list)
            if (e->IsTabStop()) {
                candidate = e;
                break;
            }
    if (candidate != nullptr) Application::MoveFocus(candidate);
}

void OnKeyRelease(Form*, Form* form, XEvent& ev) {
    if (!form->IsEnabled()) return;
    const uint64_t serial = form->GetSerial();
    KeyInfo k = Translate(ev.xkey);
    GUIElement* f = Application::FocusedOn(form);
    if (k.keysym == XK_Tab && (f == nullptr || f->IsTabStop())) {
        TabNavigation(form);
    } else if (f != nullptr) {
        if (k.c > 0) f->KeyChar(k.c);
        if (GUIElement* still = Application::FocusedOn(form)) still->KeyUp(k.keysym);
    }
    if (k.c > 0) keyStates[static_cast<unsigned char>(k.c)] = 0;
    if (!TakesKeys(form, serial)) return;
    if (k.c > 0) form->KeyChar(k.c);
    if (TakesKeys(form, serial)) form->KeyUp(k.keysym);
}

void LeftPress(Form* form, Point p) {
    const uint64_t serial = form->GetSerial();
    GUIElement* f = Application::focused;
    if (IsFocusedChildOf(form) && f->Contains(p)) {
        f->MouseDown(p);
    } else if (GUIElement* hit = Application::FindChildAt(form->GetId(), p)) {
        const uint64_t hitSerial = hit->GetSerial();
        Application::MoveFocus(hit);
        if (Application::IsRegistered(hitSerial)) hit->MouseDown(p);
    } else {
        Application::MoveFocus(nullptr);
    }
    if (Application::IsRegistered(serial)) form->MouseDown(p);
}

void LeftRelease(Form* form, Point p) {
    const uint64_t serial = form->GetSerial();
    GUIElement* f = Application::focused;
    if (IsFocusedChildOf(form) && f->Contains(p)) {
        f->MouseUp(p);
    } else {
        GUIElement* hit = Application::FindChildAt(form->GetId(), p);
        if (hit != nullptr && hit == f)
            hit->MouseUp(p);
        else
            Application::MoveFocus(nullptr);
    }
    if (Application::IsRegistered(serial)) form->MouseUp(p);
}

// Buttons 2 to 4 reach only the form; buttons above 4 reach nothing.
bool IsOtherButton(unsigned button) { return button >= 2 && button <= 4; }

// A disabled form (one that has opened a dialog) hears every press itself.
void OnButtonPress(Form*, Form* form, XEvent& ev) {
    const Point p{ev.xbutton.x, ev.xbutton.y};
    if (!form->IsEnabled())
        form->MouseDown(p);
    else if (ev.xbutton.button == Button1)
        LeftPress(form, p);
    else if (IsOtherButton(ev.xbutton.button))
        form->OtherButtonDown(p);
}

void OnButtonRelease(Form*, Form* form, XEvent& ev) {
    const Point p{ev.xbutton.x, ev.xbutton.y};
    if (!form->IsEnabled())
        form->MouseUp(p);
    else if (ev.xbutton.button == Button1)
        LeftRelease(form, p);
    else if (IsOtherButton(ev.xbutton.button))
        form->OtherButtonUp(p);
}

// Of the controls only a focused slider or scroll bar follows the pointer.
void OnMotion(Form*, Form* form, XEvent& ev) {
    if (!form->IsEnabled()) return;
    const uint64_t serial = form->GetSerial();
    if (GUIElement* f = Application::FocusedOn(form)) {
        const std::string& t = f->GetTypeTag();
        if (t == kSliderTag || t == kScrollBarTag) f->MouseMove(ev.xmotion.x, ev.xmotion.y);
    }
    if (Application::IsRegistered(serial)) form->MouseMove(ev.xmotion.x, ev.xmotion.y);
}

void OnEnter(Form*, Form* form, XEvent&) { form->MouseEnter(); }
void OnLeave(Form*, Form* form, XEvent&) { form->MouseLeave(); }
// Every expose event repaints the whole form; its count and area are not read.
void OnExpose(Form*, Form* form, XEvent&) { form->Paint(); }

// Resized runs while the form still holds its old size.
void OnConfigure(Form*, Form* form, XEvent& ev) {
    const XConfigureEvent& c = ev.xconfigure;
    const Size s = form->GetSize();
    if (c.width != s.width || c.height != s.height) form->Resized();
    form->SetGeometry(c.x, c.y, c.width, c.height);
}

void OnDestroy(Form*, Form*, XEvent&) {}

// The window manager's close button: the main form's QueryClose alone
// decides (it sets quitRequested); another form closes when it agrees. A
// client message of type None carrying 1 is the form's user message.
void OnClientMessage(Form* mainForm, Form* form, XEvent& ev) {
    const Atom deleteAtom = form->GetDeleteAtom();
    if (deleteAtom != 0 && static_cast<Atom>(ev.xclient.data.l[0]) == deleteAtom) {
        if (mainForm != nullptr && form->GetId() == mainForm->GetId()) {
            mainForm->QueryClose();
        } else if (form->QueryClose()) {
            form->DestroyWindow();
            form->Closed();
        }
    } else if (ev.xclient.message_type == None && ev.xclient.data.l[0] == 1) {
        form->UserMessage();
    }
}

// Indexed by event type; event kinds without a handler are ignored.
const std::array<EventHandler, LASTEvent> kEventHandlers = [] {
    std::array<EventHandler, LASTEvent> h{};
    h[KeyPress] = OnKeyPress;
    h[KeyRelease] = OnKeyRelease;
    h[ButtonPress] = OnButtonPress;
    h[ButtonRelease] = OnButtonRelease;
    h[MotionNotify] = OnMotion;
    h[EnterNotify] = OnEnter;
    h[LeaveNotify] = OnLeave;
    h[Expose] = OnExpose;
    h[ConfigureNotify] = OnConfigure;
    h[DestroyNotify] = OnDestroy;
    h[ClientMessage] = OnClientMessage;
    return h;
}();

// The window an event is about: for a configure or destroy event that is the
// window configured or destroyed, not the one the event was reported on.
Window SubjectWindow(const XEvent& ev) {
    if (ev.type == ConfigureNotify) return ev.xconfigure.window;
    if (ev.type == DestroyNotify) return ev.xdestroywindow.window;
    return ev.xany.window;
}

} // namespace

void DispatchEvent(Form* mainForm, XEvent& ev) {
    HandlingScope handling;
    if (ev.type < 0 || ev.type >= LASTEvent || kEventHandlers[ev.type] == nullptr) return;
    // Events of windows that belong to no registered form are ignored.
    if (Form* form = Application::FindFormByWindow(SubjectWindow(ev))) kEventHandlers[ev.type](mainForm, form, ev);
}

void Run(Form* mainForm) {
    std::memset(keyStates, 0, sizeof keyStates);
    Screen* screen = mainForm ? mainForm->GetScreen() : nullptr;
    Display* d = screen ? screen->GetDisplay() : nullptr;
    if (d == nullptr) {
        Log("Run: no display");
        quitRequested = true;
    }
    // Idle time waited since the last tick. An event that ends a wait keeps
    // what was waited before it: the next wait asks only for the rest of the
    // slice. Events that never leave a gap still hold the timers back.
    int64_t idleNs = 0;
    unsigned long quietMark = 0;
    while (!quitRequested && StopSignal() == 0) {
        if (!Application::timers.empty() && NothingQueued(d, quietMark)) {
            const int leftMs = static_cast<int>((kSliceNs - idleNs + kNsPerMs - 1) / kNsPerMs);
            int64_t waitedNs = 0;
            const int ready = loopWaiting.wait(ConnectionNumber(d), leftMs, &waitedNs);
            idleNs += std::max<int64_t>(0, waitedNs);
            if (idleNs >= kSliceNs) {
                // One tick per wait; time waited beyond the slice counts
                // toward the next one.
                idleNs = std::min(idleNs - kSliceNs, kSliceNs - 1);
                IdleTick();
                if (quitRequested) break;
            }
            if (ready == 0) continue;
            // A wait cut short by a signal, or data that is not yet a whole
            // event, must not block the timers in XNextEvent.
            quietMark = 0;
            if (NothingQueued(d, quietMark)) continue;
        }
        quietMark = 0;
        XEvent ev;
        XNextEvent(d, &ev);
        DispatchEvent(mainForm, ev);
    }
    Application::DestroyAllWindows();
    DeleteLater(std::move(pendingMessageBox));
    if (mainForm) mainForm->Closed();
}
