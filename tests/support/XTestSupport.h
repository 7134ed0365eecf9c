// Shared rig for tests that run against the real X server named by DISPLAY:
// real events are sent to a form's window and go through the loop's own
// dispatch; drawing is checked by reading the window's pixels back.
#pragma once
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/Form.h"
#include "app/Loop.h"
#include "app/Screen.h"

namespace xt {

// The process's one Screen; fails the calling test when no X server answers.
Screen* TestScreen();
inline Display* TestDisplay() { return TestScreen()->GetDisplay(); }

// A form ready for tests: screen set, size and position given, not created.
class TestForm : public Form {
public:
    TestForm(int w = 400, int h = 300, bool dialog = false);
};

// XSync, then dispatch every queued event as the loop does. The main form is
// the one given, else the first form constructed (as in the program).
void Pump(Form* mainForm = nullptr);
// Advance timers and tickMs by n idle 10 ms slices.
inline void Ticks(int n) {
    for (; n > 0; --n) IdleTick();
}

void Press(Form* form, int x, int y, unsigned button = 1);
void Release(Form* form, int x, int y, unsigned button = 1);
inline void Click(Form* form, int x, int y, unsigned button = 1) {
    Press(form, x, y, button);
    Release(form, x, y, button);
}
void Motion(Form* form, int x, int y);
void KeyDown(Form* form, KeySym sym, unsigned state = 0);
void KeyUp(Form* form, KeySym sym, unsigned state = 0);
inline void Key(Form* form, KeySym sym, unsigned state = 0) { // press and release
    KeyDown(form, sym, state);
    KeyUp(form, sym, state);
}
void Type(Form* form, const std::string& text); // printable ASCII
void CloseRequest(Form* form); // WM_DELETE_WINDOW

// 0xRRGGBB of a window pixel; 0xFFFFFFFF when it cannot be read.
std::vector<uint32_t> Pixels(Form* form, int x, int y, int w, int h);
inline uint32_t Pixel(Form* form, int x, int y) { return Pixels(form, x, y, 1, 1)[0]; }
// Number of pixels of the given colour in the area.
int CountColor(Form* form, int x, int y, int w, int h, uint32_t rgb);

std::string ReadFile(const std::string& path);
inline std::string ReadLog() { return ReadFile("log.txt"); } // contents of log.txt, "" when missing
std::vector<std::string> LogLines(); // its lines
void ClearLog();

} // namespace xt
