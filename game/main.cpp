// Entry point: a fresh trace log, the display, the game window, the loop.
#include <memory>
#include <string>

#include "app/ChildProcesses.h"
#include "app/Log.h"
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

    auto screen = std::make_unique<Screen>();
    // Nothing can be shown without a display: end here, orderly.
    if (screen->OpenFailed()) return 1;
    auto window = std::make_unique<FormMain>(screen.get(), title);
    Run(window.get());
    window.reset();
    EndChildren();
    if (!screen->Close()) Log("Chiusura screen non riuscita");
    screen.reset();
    // Ended by a signal: the parent is told so (a shell then stops its
    // script on Ctrl-C as it should).
    const int sig = StopSignal();
    if (sig != 0) EndBySignal(sig);
    return sig != 0 ? 128 + sig : 0;
}
