#include "tests/support/XTestSupport.h"

#include <X11/XKBlib.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "app/Application.h"
#include "tools/png/PngFile.h"
#include "util/Files.h"

namespace xt {

Screen* TestScreen() {
    static Screen* screen = new Screen();
    if (screen->GetDisplay() == nullptr) {
        ADD_FAILURE() << "no X server: DISPLAY must name a running server";
        std::fflush(stdout);
        std::exit(1);
    }
    return screen;
}

TestForm::TestForm(int w, int h, bool dialog) : Form(0, dialog) {
    SetScreen(TestScreen());
    SetPosition(10, 10);
    SetSize(w, h);
    SetTitle("test");
}

void Pump(Form* mainForm) {
    Display* d = TestDisplay();
    if (mainForm == nullptr && !Application::forms.empty()) mainForm = Application::forms.front();
    for (XSync(d, False); XPending(d) > 0; XSync(d, False)) {
        XEvent ev;
        XNextEvent(d, &ev);
        DispatchEvent(mainForm, ev);
    }
}

namespace {

// Key, button and motion events share these fields. The event is sent to the
// form's window and everything queued is dispatched.
template <class E>
void SendInput(Form* form, XEvent& ev, E& e, int type, int x, int y, long mask) {
    e.type = type;
    e.display = TestDisplay();
    e.window = form->GetWindow();
    e.root = DefaultRootWindow(TestDisplay());
    e.time = CurrentTime;
    e.x = x;
    e.y = y;
    e.same_screen = True;
    XSendEvent(TestDisplay(), form->GetWindow(), False, mask, &ev);
    Pump();
}

void Button(Form* form, int type, int x, int y, unsigned button, long mask) {
    XEvent ev{};
    ev.xbutton.button = button;
    SendInput(form, ev, ev.xbutton, type, x, y, mask);
}

void KeyEvent(Form* form, int type, KeySym sym, unsigned state, long mask) {
    XEvent ev{};
    ev.xkey.state = state;
    ev.xkey.keycode = XKeysymToKeycode(TestDisplay(), sym);
    SendInput(form, ev, ev.xkey, type, 0, 0, mask);
}

} // namespace

void Press(Form* form, int x, int y, unsigned button) { Button(form, ButtonPress, x, y, button, ButtonPressMask); }

void Release(Form* form, int x, int y, unsigned button) {
    Button(form, ButtonRelease, x, y, button, ButtonReleaseMask);
}

void Motion(Form* form, int x, int y) {
    XEvent ev{};
    SendInput(form, ev, ev.xmotion, MotionNotify, x, y, PointerMotionMask);
}

void KeyDown(Form* form, KeySym sym, unsigned state) { KeyEvent(form, KeyPress, sym, state, KeyPressMask); }

void KeyUp(Form* form, KeySym sym, unsigned state) { KeyEvent(form, KeyRelease, sym, state, KeyReleaseMask); }

void Type(Form* form, const std::string& text) {
    for (unsigned char u : text) {
        // Capitals and shifted punctuation: the key that carries the character
        // yields something else without Shift.
        KeyCode code = XKeysymToKeycode(TestDisplay(), u);
        bool shift =
            std::isupper(u) || (!std::isalnum(u) && code != 0 && XkbKeycodeToKeysym(TestDisplay(), code, 0, 0) != u);
        Key(form, static_cast<KeySym>(std::tolower(u)), shift ? ShiftMask : 0);
    }
}

void CloseRequest(Form* form) {
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = form->GetWindow();
    ev.xclient.message_type = XInternAtom(TestDisplay(), "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(form->GetDeleteAtom());
    XSendEvent(TestDisplay(), form->GetWindow(), False, NoEventMask, &ev);
    Pump();
}

std::vector<uint32_t> Pixels(Form* form, int x, int y, int w, int h) {
    std::vector<uint32_t> out(static_cast<size_t>(w * h), 0xFFFFFFFFu);
    XSync(TestDisplay(), False);
    XImage* img = XGetImage(TestDisplay(), form->GetWindow(), x, y, static_cast<unsigned>(w), static_cast<unsigned>(h),
                            AllPlanes, ZPixmap);
    if (img == nullptr) return out;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out[static_cast<size_t>(j * w + i)] = XGetPixel(img, i, j) & 0xFFFFFF;
    XDestroyImage(img);
    return out;
}

int CountColor(Form* form, int x, int y, int w, int h, uint32_t rgb) {
    std::vector<uint32_t> pixels = Pixels(form, x, y, w, h);
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), rgb));
}

void ExpectWindow(Form* form, const std::string& name) {
    Pump();
    const int w = form->GetWidth(), h = form->GetHeight();
    std::vector<unsigned char> actual, expected, diff;
    for (uint32_t p : Pixels(form, 0, 0, w, h))
        actual.insert(actual.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
    const std::string reference = RULLOMAT_REFERENCES "/" + name + ".png";
    if (std::getenv("RULLOMAT_UPDATE_REFERENCES") != nullptr) {
        EXPECT_TRUE(WritePng(reference, w, h, actual.data())) << reference;
        return;
    }
    int rw = 0, rh = 0, count = 0, first = -1;
    const bool read = ReadPng(reference, rw, rh, expected) && rw == w && rh == h;
    for (size_t i = 0; i < actual.size(); i += 3) {
        const bool same = read && std::equal(&actual[i], &actual[i] + 3, &expected[i]);
        if (!same && count++ == 0) first = static_cast<int>(i / 3);
        diff.insert(diff.end(), {uint8_t(same ? actual[i] / 3 : 255), uint8_t(same ? actual[i + 1] / 3 : 0),
                                 uint8_t(same ? actual[i + 2] / 3 : 0)});
    }
    if (count == 0) return;
    const std::string out = RULLOMAT_FAILED_PICTURES "/" + name;
    std::filesystem::create_directories(RULLOMAT_FAILED_PICTURES);
    WritePng(out + ".png", w, h, actual.data());
    WritePng(out + "-diff.png", w, h, diff.data());
    ADD_FAILURE() << name << ": " << (read ? "" : "no readable reference of this size; ") << count << " of " << w * h
                  << " pixels differ, the first at (" << first % w << ", " << first / w << "); the window: " << out
                  << ".png, the differences in red: " << out << "-diff.png, the reference: " << reference;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> LogLines() {
    std::vector<std::string> lines;
    std::istringstream in(ReadLog());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

void ClearLog() { FileRemove("log.txt"); }

} // namespace xt
