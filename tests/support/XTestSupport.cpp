#include "tests/support/XTestSupport.h"

#include <X11/XKBlib.h>
#include <X11/Xutil.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/Application.h"
#include "util/Files.h"

namespace xt {

Screen* TestScreen() {
    static Screen* screen = nullptr;
    if (screen == nullptr) {
        screen = new Screen();
        if (screen->GetDisplay() == nullptr) {
            ADD_FAILURE() << "no X server: DISPLAY must name a running server";
            std::fflush(stdout);
            std::exit(1);
        }
    }
    return screen;
}

Display* TestDisplay() { return TestScreen()->GetDisplay(); }

TestForm::TestForm(int w, int h, bool dialog) : Form(0, dialog) {
    SetScreen(TestScreen());
    SetPosition(10, 10);
    SetSize(w, h);
    SetTitle("test");
}

TestForm::~TestForm() = default;

void Pump(Form* mainForm) {
    Display* d = TestDisplay();
    if (mainForm == nullptr && !Application::forms.empty()) mainForm = Application::forms.front();
    XSync(d, False);
    while (XPending(d) > 0) {
        XEvent ev;
        XNextEvent(d, &ev);
        DispatchEvent(mainForm, ev);
        XSync(d, False);
    }
}

void Ticks(int n) {
    for (int i = 0; i < n; ++i) IdleTick();
}

namespace {

void Send(Form* form, XEvent& ev, long mask) {
    Display* d = TestDisplay();
    XSendEvent(d, form->GetWindow(), False, mask, &ev);
    Pump();
}

XEvent ButtonEvent(Form* form, int type, int x, int y, unsigned button) {
    XEvent ev{};
    ev.xbutton.type = type;
    ev.xbutton.display = TestDisplay();
    ev.xbutton.window = form->GetWindow();
    ev.xbutton.root = DefaultRootWindow(TestDisplay());
    ev.xbutton.time = CurrentTime;
    ev.xbutton.x = x;
    ev.xbutton.y = y;
    ev.xbutton.button = button;
    ev.xbutton.same_screen = True;
    return ev;
}

XEvent KeyEvent(Form* form, int type, KeySym sym, unsigned state) {
    XEvent ev{};
    ev.xkey.type = type;
    ev.xkey.display = TestDisplay();
    ev.xkey.window = form->GetWindow();
    ev.xkey.root = DefaultRootWindow(TestDisplay());
    ev.xkey.time = CurrentTime;
    ev.xkey.state = state;
    ev.xkey.keycode = XKeysymToKeycode(TestDisplay(), sym);
    ev.xkey.same_screen = True;
    return ev;
}

} // namespace

void Press(Form* form, int x, int y, unsigned button) {
    XEvent ev = ButtonEvent(form, ButtonPress, x, y, button);
    Send(form, ev, ButtonPressMask);
}

void Release(Form* form, int x, int y, unsigned button) {
    XEvent ev = ButtonEvent(form, ButtonRelease, x, y, button);
    Send(form, ev, ButtonReleaseMask);
}

void Click(Form* form, int x, int y, unsigned button) {
    Press(form, x, y, button);
    Release(form, x, y, button);
}

void Motion(Form* form, int x, int y) {
    XEvent ev{};
    ev.xmotion.type = MotionNotify;
    ev.xmotion.display = TestDisplay();
    ev.xmotion.window = form->GetWindow();
    ev.xmotion.root = DefaultRootWindow(TestDisplay());
    ev.xmotion.x = x;
    ev.xmotion.y = y;
    ev.xmotion.same_screen = True;
    Send(form, ev, PointerMotionMask);
}

void KeyDown(Form* form, KeySym sym, unsigned state) {
    XEvent ev = KeyEvent(form, KeyPress, sym, state);
    Send(form, ev, KeyPressMask);
}

void KeyUp(Form* form, KeySym sym, unsigned state) {
    XEvent ev = KeyEvent(form, KeyRelease, sym, state);
    Send(form, ev, KeyReleaseMask);
}

void Key(Form* form, KeySym sym, unsigned state) {
    KeyDown(form, sym, state);
    KeyUp(form, sym, state);
}

void Type(Form* form, const std::string& text) {
    for (char c : text) {
        unsigned char u = static_cast<unsigned char>(c);
        KeySym sym = u;
        unsigned state = 0;
        if (std::isupper(u)) {
            sym = std::tolower(u);
            state = ShiftMask;
        }
        // Shifted punctuation is found by asking which keycode carries it.
        KeyCode code = XKeysymToKeycode(TestDisplay(), u);
        if (!std::isalnum(u) && code != 0 && XkbKeycodeToKeysym(TestDisplay(), code, 0, 0) != u) state = ShiftMask;
        Key(form, sym, state);
    }
}

void CloseRequest(Form* form) {
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = form->GetWindow();
    ev.xclient.message_type = XInternAtom(TestDisplay(), "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(form->GetDeleteAtom());
    ev.xclient.data.l[1] = CurrentTime;
    Send(form, ev, NoEventMask);
}

std::vector<uint32_t> Pixels(Form* form, int x, int y, int w, int h) {
    std::vector<uint32_t> out;
    XSync(TestDisplay(), False);
    XImage* img = XGetImage(TestDisplay(), form->GetWindow(), x, y, static_cast<unsigned>(w),
                            static_cast<unsigned>(h), AllPlanes, ZPixmap);
    if (img == nullptr) return std::vector<uint32_t>(static_cast<size_t>(w * h), 0xFFFFFFFFu);
    out.reserve(static_cast<size_t>(w * h));
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.push_back(static_cast<uint32_t>(XGetPixel(img, i, j) & 0xFFFFFF));
    XDestroyImage(img);
    return out;
}

uint32_t Pixel(Form* form, int x, int y) { return Pixels(form, x, y, 1, 1)[0]; }

int CountColor(Form* form, int x, int y, int w, int h, uint32_t rgb) {
    int n = 0;
    for (uint32_t p : Pixels(form, x, y, w, h))
        if (p == rgb) ++n;
    return n;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string ReadLog() { return ReadFile("log.txt"); }

std::vector<std::string> LogLines() {
    std::vector<std::string> lines;
    std::istringstream in(ReadLog());
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

void ClearLog() { FileRemove("log.txt"); }

} // namespace xt
