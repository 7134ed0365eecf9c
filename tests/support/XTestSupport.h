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
Display* TestDisplay();

// A form ready for tests: screen set, size and position given, not created.
class TestForm : public Form {
public:
    TestForm(int w = 400, int h = 300, bool dialog = false);
};

// XSync, then dispatch every queued event as the loop does. The main form is
// the one given, else the first form constructed (as in the program).
void Pump(Form* mainForm = nullptr);
// Advance timers and tickMs by n idle 10 ms slices.
void Ticks(int n);

void Press(Form* form, int x, int y, unsigned button = 1);
void Release(Form* form, int x, int y, unsigned button = 1);
void Click(Form* form, int x, int y, unsigned button = 1);
void Motion(Form* form, int x, int y);
void KeyDown(Form* form, KeySym sym, unsigned state = 0);
void KeyUp(Form* form, KeySym sym, unsigned state = 0);
void Key(Form* form, KeySym sym, unsigned state = 0); // press and release
void Type(Form* form, const std::string& text); // printable ASCII
void CloseRequest(Form* form); // WM_DELETE_WINDOW

// 0xRRGGBB of a window pixel; 0xFFFFFFFF when it cannot be read.
uint32_t Pixel(Form* form, int x, int y);
std::vector<uint32_t> Pixels(Form* form, int x, int y, int w, int h);
// Number of pixels of the given colour in the area.
int CountColor(Form* form, int x, int y, int w, int h, uint32_t rgb);

std::string ReadFile(const std::string& path);
std::string ReadLog(); // contents of log.txt, "" when missing
std::vector<std::string> LogLines(); // its lines
void ClearLog();

} // namespace xt
