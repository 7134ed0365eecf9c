#include "app/Loop.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstring>

#include "app/Application.h"
#include "app/Form.h"
#include "app/Log.h"
#include "app/StopSignals.h"
#include "app/Timer.h"
#include "util/TimeStamp.h"

unsigned char keyStates[255] = {0};
bool quitRequested = false;
Form* pendingMessageBox = nullptr;

bool IsKeyDown(int code) { return code >= 0 && code <= 254 && keyStates[code] == 1; }

void IdleTick() {
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
void OnKeyPress(Form* form, XKeyEvent& e) {
    if (!form->IsEnabled()) return;
    const uint64_t serial = form->GetSerial();
    KeyInfo k = Translate(e);
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

void OnKeyRelease(Form* form, XKeyEvent& e) {
    if (!form->IsEnabled()) return;
    const uint64_t serial = form->GetSerial();
    KeyInfo k = Translate(e);
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

} // namespace

void DispatchEvent(Form* mainForm, XEvent& ev) {
    Window w = ev.xany.window;
    if (ev.type == ConfigureNotify) w = ev.xconfigure.window;
    if (ev.type == DestroyNotify) w = ev.xdestroywindow.window;
    Form* form = Application::FindFormByWindow(w);
    if (form == nullptr) return;

    switch (ev.type) {
    case KeyPress: OnKeyPress(form, ev.xkey); break;
    case KeyRelease: OnKeyRelease(form, ev.xkey); break;
    case ButtonPress: {
        Point p{ev.xbutton.x, ev.xbutton.y};
        if (!form->IsEnabled())
            form->MouseDown(p);
        else if (ev.xbutton.button == Button1)
            LeftPress(form, p);
        else if (ev.xbutton.button >= 2 && ev.xbutton.button <= 4)
            form->OtherButtonDown(p);
        break;
    }
    case ButtonRelease: {
        Point p{ev.xbutton.x, ev.xbutton.y};
        if (!form->IsEnabled())
            form->MouseUp(p);
        else if (ev.xbutton.button == Button1)
            LeftRelease(form, p);
        else if (ev.xbutton.button >= 2 && ev.xbutton.button <= 4)
            form->OtherButtonUp(p);
        break;
    }
    case MotionNotify: {
        if (!form->IsEnabled()) break;
        const uint64_t serial = form->GetSerial();
        if (GUIElement* f = Application::FocusedOn(form)) {
            const std::string& t = f->TypeTag();
            if (t == kSliderTag || t == kScrollBarTag) f->MouseMove(ev.xmotion.x, ev.xmotion.y);
        }
        if (Application::IsRegistered(serial)) form->MouseMove(ev.xmotion.x, ev.xmotion.y);
        break;
    }
    case EnterNotify: form->MouseEnter(); break;
    case LeaveNotify: form->MouseLeave(); break;
    case Expose: form->Paint(); break;
    case ConfigureNotify: {
        Size s = form->GetSize();
        if (ev.xconfigure.width != s.width || ev.xconfigure.height != s.height) form->Resized();
        form->SetGeometry(ev.xconfigure.x, ev.xconfigure.y, ev.xconfigure.width, ev.xconfigure.height);
        break;
    }
    case ClientMessage:
        if (form->GetDeleteAtom() != 0 && static_cast<Atom>(ev.xclient.data.l[0]) == form->GetDeleteAtom()) {
            if (mainForm != nullptr && form->GetId() == mainForm->GetId()) {
                mainForm->QueryClose();
            } else if (form->QueryClose()) {
                form->DestroyWindow();
                form->Closed();
            }
        } else if (ev.xclient.message_type == None && ev.xclient.data.l[0] == 1) {
            form->UserMessage();
        }
        break;
    default: break;
    }
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
    if (pendingMessageBox != nullptr) {
        Form* box = pendingMessageBox;
        pendingMessageBox = nullptr;
        delete box;
    }
    if (mainForm) mainForm->Closed();
}
