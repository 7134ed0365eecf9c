// The one connection to the X server.
#pragma once
#include <X11/Xlib.h>
#include <X11/Xutil.h>

class Screen {
public:
    Screen();
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    bool Close();

    Display* GetDisplay() const { return display; }
    unsigned GetWidth() const { return width; }
    unsigned GetHeight() const { return height; }
    unsigned GetDepth() const { return depth; }
    int GetScreenNumber() const { return screenNumber; }
    XVisualInfo* GetVisualInfo() const { return visualInfo; }
    bool OpenFailed() const { return openFailed != 0; }

private:
    int screenNumber = 0;
    Display* display = nullptr;
    XVisualInfo* visualInfo = nullptr;
    unsigned openFailed = 0;
    unsigned width = 800;
    unsigned height = 600;
    unsigned depth = 8;
};

// The first Screen ever constructed; later ones do not replace it.
extern Screen* DefaultScreen;

unsigned ScreenWidth();
unsigned ScreenHeight();

// Installs the handlers that turn X protocol errors into one trace-log line
// each (the program goes on) and a lost connection into a trace-log line, the
// end of the sounds still playing, and an exit with a non-zero status.
// Screen's constructor calls it.
void InstallXErrorHandlers();
