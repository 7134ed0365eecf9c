// art_sheet [OUT.png]
// Opens a window on $DISPLAY, draws the reel sheet and every picture the
// program carries as data through the toolkit's own decoding and drawing,
// and saves the window as a PNG (docs/art.png unless another path is given).
// Run it from the source folder: the reel sheet is read from Data/.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/Form.h"
#include "app/Screen.h"
#include "gfx/Graphics.h"
#include "gfx/Picture.h"
#include "tools/png/PngFile.h"

extern "C" {
extern char imgTITLE[], imgPAYTABLE[], imgABOUT[];
extern int wTITLE, hTITLE, wPAYTABLE, hPAYTABLE, wABOUT, hABOUT;
extern char imgCHECK_ON[], imgCHECK_OFF[], imgCHECK_ON_DIS[], imgCHECK_OFF_DIS[];
extern char imgOPTION_ON[], imgOPTION_OFF[], imgOPTION_ON_DIS[], imgOPTION_OFF_DIS[];
extern int wCHECK_ON, hCHECK_ON, wCHECK_OFF, hCHECK_OFF, wCHECK_ON_DIS, hCHECK_ON_DIS, wCHECK_OFF_DIS, hCHECK_OFF_DIS;
extern int wOPTION_ON, hOPTION_ON, wOPTION_OFF, hOPTION_OFF, wOPTION_ON_DIS, hOPTION_ON_DIS, wOPTION_OFF_DIS,
    hOPTION_OFF_DIS;
}

namespace {

constexpr int kWidth = 1172, kHeight = 320;
constexpr int kBack = 0x404850, kText = 0xFFFFFF;

struct Picture {
    const char* name;
    const char* data;
    int width;
    int height;
};

// Decodes a 4-bit picture and draws it with its name underneath.
void DrawPicture(Form* form, Graphics& g, const Picture& p, int x, int y) {
    unsigned char* rgb = DecodePalette4(p.width, p.height, reinterpret_cast<const unsigned char*>(p.data));
    XImage* image = CreateXImage(form, rgb, p.width, p.height);
    std::free(rgb);
    if (image != nullptr) g.PutImage(x, y, image);
    DestroyXImage(image);
    g.DrawText(x, y + p.height + 2, p.name, kText);
}

bool SaveWindow(Form* form, const std::string& path) {
    Display* d = form->GetDisplay();
    XImage* shot = XGetImage(d, form->GetWindow(), 0, 0, kWidth, kHeight, AllPlanes, ZPixmap);
    if (shot == nullptr) return false;
    std::vector<unsigned char> rgb;
    rgb.reserve(static_cast<size_t>(kWidth) * kHeight * 3);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            unsigned long pixel = XGetPixel(shot, x, y);
            rgb.push_back(static_cast<unsigned char>(pixel >> 16));
            rgb.push_back(static_cast<unsigned char>(pixel >> 8));
            rgb.push_back(static_cast<unsigned char>(pixel));
        }
    XDestroyImage(shot);
    return WritePng(path, kWidth, kHeight, rgb.data());
}

} // namespace

int main(int argc, char** argv) {
    const std::string out = argc > 1 ? argv[1] : "docs/art.png";
    Screen screen;
    if (screen.GetDisplay() == nullptr) {
        std::fprintf(stderr, "art_sheet: no X display; set DISPLAY to a running server\n");
        return 1;
    }
    Form form(0);
    form.SetScreen(&screen);
    form.SetPosition(0, 0);
    form.SetSize(kWidth, kHeight);
    form.SetTitle("art sheet");
    form.Create();
    XSync(screen.GetDisplay(), False);

    Graphics g(&form);
    g.FillWhole({0, 0, kWidth, kHeight}, kBack);

    std::ifstream in("Data/frutta96x96.bin", std::ios::binary);
    std::vector<unsigned char> sheet((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (sheet.size() == 1152u * 96u * 3u) {
        XImage* image = CreateXImage(&form, sheet.data(), 1152, 96);
        g.PutImage(10, 10, image);
        DestroyXImage(image);
        g.DrawText(10, 108, "Data/frutta96x96.bin", kText);
    } else {
        g.DrawText(10, 50, "Data/frutta96x96.bin missing", kText);
    }

    const Picture large[] = {{"TITLE", imgTITLE, wTITLE, hTITLE},
                             {"PAYTABLE", imgPAYTABLE, wPAYTABLE, hPAYTABLE},
                             {"ABOUT", imgABOUT, wABOUT, hABOUT}};
    int x = 10;
    for (const Picture& p : large) {
        DrawPicture(&form, g, p, x, 140);
        x += p.width + 20;
    }
    const Picture markers[] = {{"CHECK_ON", imgCHECK_ON, wCHECK_ON, hCHECK_ON},
                               {"CHECK_OFF", imgCHECK_OFF, wCHECK_OFF, hCHECK_OFF},
                               {"CHECK_ON_DIS", imgCHECK_ON_DIS, wCHECK_ON_DIS, hCHECK_ON_DIS},
                               {"CHECK_OFF_DIS", imgCHECK_OFF_DIS, wCHECK_OFF_DIS, hCHECK_OFF_DIS},
                               {"OPTION_ON", imgOPTION_ON, wOPTION_ON, hOPTION_ON},
                               {"OPTION_OFF", imgOPTION_OFF, wOPTION_OFF, hOPTION_OFF},
                               {"OPTION_ON_DIS", imgOPTION_ON_DIS, wOPTION_ON_DIS, hOPTION_ON_DIS},
                               {"OPTION_OFF_DIS", imgOPTION_OFF_DIS, wOPTION_OFF_DIS, hOPTION_OFF_DIS}};
    x = 10;
    for (const Picture& p : markers) {
        DrawPicture(&form, g, p, x, 275);
        x += 110;
    }
    XSync(screen.GetDisplay(), False);

    const bool saved = SaveWindow(&form, out);
    form.DestroyWindow();
    if (!saved) {
        std::fprintf(stderr, "art_sheet: cannot save %s\n", out.c_str());
        return 1;
    }
    std::printf("%s\n", out.c_str());
    return 0;
}
