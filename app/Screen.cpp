#include "app/Screen.h"

#include <cstdio>
#include <unistd.h>

#include "app/ChildProcesses.h"
#include "app/Log.h"
#include "util/Strings.h"

Screen* DefaultScreen = nullptr;

unsigned ScreenWidth() { return DefaultScreen ? DefaultScreen->GetWidth() : 0; }
unsigned ScreenHeight() { return DefaultScreen ? DefaultScreen->GetHeight() : 0; }

namespace {

int OnXError(Display* d, XErrorEvent* e) {
    char text[256] = {0};
    XGetErrorText(d, e->error_code, text, sizeof text - 1);
    Log("X error: " + std::string(text) + " (request " + IntToStr(e->request_code) + "." + IntToStr(e->minor_code) +
        ", resource " + IntToStr(static_cast<int64_t>(e->resourceid)) + ")");
    return 0;
}

int OnXIOError(Display*) {
    Log("X connection lost");
    std::fflush(stdout);
    // Xlib cannot go on after this; end without running exit-time clean-up
    // that would talk to the dead connection, but not before the sounds.
    EndChildren();
    _exit(2);
}

} // namespace

void InstallXErrorHandlers() {
    XSetErrorHandler(OnXError);
    XSetIOErrorHandler(OnXIOError);
}

Screen::Screen() {
    if (DefaultScreen == nullptr) DefaultScreen = this;
    InstallXErrorHandlers();
    display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        openFailed = 1;
        Log("XOpenDisplay(0) failed.");
        return;
    }
    screenNumber = DefaultScreen(display);
    XScreen* s = ScreenOfDisplay(display, screenNumber);
    width = static_cast<unsigned>(WidthOfScreen(s));
    height = static_cast<unsigned>(HeightOfScreen(s));
    depth = static_cast<unsigned>(DefaultDepthOfScreen(s));
    if (depth < 24) Log("This app requires 24-bit depth.");

    XVisualInfo tmpl{};
    tmpl.screen = screenNumber;
    tmpl.depth = static_cast<int>(depth);
    int count = 0;
    visualInfo = XGetVisualInfo(display, VisualScreenMask | VisualDepthMask, &tmpl, &count);
    if (count == 0) {
        if (visualInfo) XFree(visualInfo);
        visualInfo = nullptr;
        Log("GetVisualInfo failed.");
    }
    height = static_cast<unsigned>(XDisplayHeight(display, screenNumber));
    width = static_cast<unsigned>(XDisplayWidth(display, screenNumber));
}

Screen::~Screen() {
    if (display != nullptr) {
        if (visualInfo) XFree(visualInfo);
        visualInfo = nullptr;
        XCloseDisplay(display);
    }
}

bool Screen::Close() {
    if (display == nullptr) return false;
    if (visualInfo != nullptr) XFree(visualInfo);
    visualInfo = nullptr;
    XCloseDisplay(display);
    display = nullptr;
    return true;
}
