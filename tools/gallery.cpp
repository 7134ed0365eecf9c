// gallery [OUT.png]
// Opens the control gallery on $DISPLAY. With a path, paints it once, saves
// the window as a PNG file there and exits (non-zero when it cannot); with
// none, runs until the window is closed.
#include <X11/Xlib.h>

#include <cstdio>
#include <vector>

#include "app/Form.h"
#include "app/Loop.h"
#include "app/Screen.h"
#include "tools/GalleryForm.h"
#include "tools/png/PngFile.h"

namespace {

bool AllowClose(GUIElement*) {
    quitRequested = true;
    return true;
}

// Dispatches events until the form's first expose has been painted.
void WaitForFirstPaint(Display* d, Form& form) {
    for (;;) {
        XEvent ev;
        XNextEvent(d, &ev);
        DispatchEvent(&form, ev);
        if (ev.type == Expose && ev.xexpose.window == form.GetWindow() && ev.xexpose.count == 0) break;
    }
    XSync(d, False);
    // Paint whatever else the server sent meanwhile.
    while (XPending(d) > 0) {
        XEvent ev;
        XNextEvent(d, &ev);
        DispatchEvent(&form, ev);
    }
    XSync(d, False);
}

bool SaveWindow(Display* d, Window window, int w, int h, const char* path) {
    XImage* image = XGetImage(d, window, 0, 0, static_cast<unsigned>(w), static_cast<unsigned>(h), AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    std::vector<unsigned char> rgb(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            unsigned char* out = &rgb[(static_cast<size_t>(y) * w + x) * 3];
            out[0] = static_cast<unsigned char>((p >> 16) & 0xFF);
            out[1] = static_cast<unsigned char>((p >> 8) & 0xFF);
            out[2] = static_cast<unsigned char>(p & 0xFF);
        }
    XDestroyImage(image);
    return WritePng(path, w, h, rgb.data());
}

} // namespace

int main(int argc, char** argv) {
    Screen screen;
    Display* d = screen.GetDisplay();
    if (d == nullptr) {
        std::fprintf(stderr, "gallery: cannot open the display\n");
        return 1;
    }
    int status = 0;
    {
        Form form(0);
        form.SetScreen(&screen);
        form.SetPosition(0, 0);
        form.SetSize(kGalleryWidth, kGalleryHeight);
        form.SetOnQueryClose(AllowClose);
        form.SetBackColor(kGalleryBack);
        form.Create();
        GalleryControls controls;
        BuildGallery(&form, controls);
        if (form.GetWindow() == 0) {
            std::fprintf(stderr, "gallery: cannot create the window\n");
            status = 1;
        } else if (argc < 2) {
            Run(&form);
        } else {
            WaitForFirstPaint(d, form);
            if (!SaveWindow(d, form.GetWindow(), kGalleryWidth, kGalleryHeight, argv[1])) {
                std::fprintf(stderr, "gallery: cannot save %s\n", argv[1]);
                status = 1;
            }
        }
        controls.Clear();
    }
    screen.Close();
    return status;
}
