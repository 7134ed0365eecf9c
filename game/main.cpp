// Entry point: a fresh trace log, the display, the game window, the loop.
#include <string>

#include "app/ChildProcesses.h"
#include "app/Loop.h"
#include "app/Screen.h"
#include "app/StopSignals.h"
#include "game/FormMain.h"
#include "game/Product.h"
#include "util/Files.h"

int main() {
    CatchStopSignals();
    if (FileExists("log.txt")) FileRemove("log.txt");
    const std::string title = std::string(product::kTitle) + " - " + product::kWebAddress + " " + product::kNotice;

    Screen* screen = new Screen();
    if (screen->OpenFailed()) {
        // Nothing can be shown without a display: end here, orderly.
        delete screen;
        return 1;
    }
    FormMain* window = new FormMain(screen, title);
    Run(window);
    delete window;
    EndChildren();
    if (!screen->Close()) Log("Chiusura screen non riuscita");
    delete screen;
    const int sig = StopSignal();
    return sig != 0 ? 128 + sig : 0;
}
