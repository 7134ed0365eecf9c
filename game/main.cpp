// Entry point: a fresh trace log, the display, the game window, the loop.
#include <string>

#include "app/Form.h"
#include "app/Loop.h"
#include "app/Screen.h"
#include "game/Product.h"
#include "util/Files.h"

namespace {
bool QuitOnClose(GUIElement*) {
    quitRequested = true;
    return false;
}
} // namespace

int main() {
    if (FileExists("log.txt")) FileRemove("log.txt");
    const std::string title = std::string(product::kTitle) + " - " + product::kWebAddress + " " + product::kNotice;

    Screen* screen = new Screen();
    if (screen->OpenFailed()) {
        // Nothing can be shown without a display: end here, orderly.
        delete screen;
        return 1;
    }
    Form* window = new Form(0);
    window->SetScreen(screen);
    window->SetSize(800, 600);
    window->SetTitle(title);
    window->SetBackColor(0x000000);
    window->SetOnQueryClose(QuitOnClose);
    window->Create();
    Run(window);
    delete window;
    if (!screen->Close()) Log("Chiusura screen non riuscita");
    delete screen;
    return 0;
}
