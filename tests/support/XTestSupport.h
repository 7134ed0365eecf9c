// Shared rig for tests that run against the real X server named by DISPLAY:
// real events are sent to a form's window and go through the loop's own
// dispatch; drawing is checked by reading the window's pixels back. Tests
// that write files do so in a scratch folder of their own.
#pragma once
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
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
// The whole window must show tests/references/NAME.png. A difference leaves
// the window's picture and one with the differing pixels in red under the
// build's Testing/references/. With RULLOMAT_UPDATE_REFERENCES set, the
// window's picture becomes the reference instead.
void ExpectWindow(Form* form, const std::string& name);

std::string ReadFile(const std::string& path);
inline std::string ReadLog() { return ReadFile("log.txt"); } // contents of log.txt, "" when missing
std::vector<std::string> LogLines(); // its lines
void ClearLog();

} // namespace xt

// Writes the bytes to the file, making its folders first; gives back the path.
inline std::string PutFile(const std::string& path, std::string_view bytes) {
    std::error_code none; // a file of the working folder itself
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), none);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// A fresh folder under /tmp that is the working directory while it lives,
// with its bin/ first in PATH for stand-ins of the outside programs.
class ScratchFolder {
public:
    ScratchFolder() {
        char pattern[] = "/tmp/rullomat-test-XXXXXX";
        if (mkdtemp(pattern) == nullptr) throw std::runtime_error("no scratch folder");
        dir = pattern;
        std::filesystem::current_path(dir);
        std::filesystem::create_directories("bin");
        setenv("PATH", (dir.string() + "/bin:" + oldPath).c_str(), 1);
    }
    ~ScratchFolder() {
        setenv("PATH", oldPath.c_str(), 1);
        std::filesystem::current_path(home);
        // A stand-in whose shell was stopped may still be finishing its one
        // write: try again briefly until the folder is really gone.
        for (int attempt = 0; attempt < 50 && std::filesystem::exists(dir); ++attempt) {
            std::error_code ignored;
            std::filesystem::remove_all(dir, ignored);
            if (std::filesystem::exists(dir)) usleep(20000);
        }
    }

    // A stand-in that adds its command line to the file "record", then runs tail.
    void StandIn(const std::string& program, const std::string& tail = "") {
        std::ofstream(dir / "bin" / program)
            << "#!/bin/sh\nprintf '%s\\n' \"" << program << " $*\" >> '" << (dir / "record").string() << "'\n"
            << tail << "\n";
        std::filesystem::permissions(dir / "bin" / program, std::filesystem::perms::owner_all);
    }
    std::string Record() const { return xt::ReadFile((dir / "record").string()); }

    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::path dir;
    const std::string oldPath = std::getenv("PATH");
};
