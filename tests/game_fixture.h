// Rig of the game window tests: each test runs in a fresh folder holding a
// copy of Data/ (without the reel tick unless asked: every play starts a
// process, which is slow under the sanitizers), recording stand-ins for
// "aplay" and "firefox" first in PATH, a scripted random source and a fake clock that
// moves with the loop's idle ticks, so a 15-second spin runs in a moment.
#pragma once
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/ChildProcesses.h"
#include "app/Services.h"
#include "app/Timer.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "controls/ImageFrame.h"
#include "controls/Slider.h"
#include "dialogs/FormAbout.h"
#include "dialogs/FormMsgBox.h"
#include "game/FormMain.h"
#include "gfx/Graphics.h"
#include "tests/scratch_folder.h"
#include "tests/support/XTestSupport.h"

namespace game_rig {
namespace fs = std::filesystem;

inline fs::path SourceRoot() { return fs::path(__FILE__).parent_path().parent_path(); }

// Milliseconds since the test began; tickMs is always its last three digits.
inline int64_t fakeMs = 0;
inline time_t FakeClock() { return static_cast<time_t>(1700000000 + fakeMs / 1000); }

// In the last second of the spin begun at spinBeganMs reel i gets
// finalSymbols[i]; before that, a jumble. Reels draw in order, one a change.
inline std::vector<int> finalSymbols;
inline int64_t spinBeganMs = 0, draws = 0;
inline int32_t ScriptedRandom(int32_t, int32_t) {
    const int64_t reel = draws++ % 5;
    if (fakeMs - spinBeganMs >= 14100) return finalSymbols[static_cast<size_t>(reel)];
    return static_cast<int32_t>((draws * 7 + reel * 5) % 12);
}

inline void Advance(int slices) {
    for (int i = 0; i < slices; ++i) {
        fakeMs += 10;
        IdleTick();
    }
}

inline pid_t FailingStart() { return -1; } // sounds then play at once, in-process

class GameTest : public ::testing::Test {
protected:
    void SetUp() override { Prepare(); }

    // A fresh folder with these files of Data/ (no Data/ at all for none).
    void Prepare(std::vector<std::string> data = {"frutta96x96.bin", "beep.wav"}) {
        scratch.reset();
        scratch = std::make_unique<ScratchFolder>();
        if (!data.empty()) fs::create_directories("Data");
        for (const auto& f : data) fs::copy_file(SourceRoot() / "Data" / f, "Data/" + f);
        scratch->StandIn("aplay");
        scratch->StandIn("firefox");
        fakeMs = tickMs = draws = spinBeganMs = 0;
        TimeStamp::clockSource = FakeClock;
        randomSource = ScriptedRandom;
        quitRequested = false;
    }

    void TearDown() override {
        delete game;
        game = nullptr;
        delete pendingMessageBox;
        pendingMessageBox = nullptr;
        xt::Pump();
        TimeStamp::clockSource = nullptr;
        randomSource = nullptr;
        startSource = nullptr;
        quitRequested = false;
        scratch.reset();
    }

    // The game window, shown and painted once.
    FormMain* Open() {
        game = new FormMain(xt::TestScreen(), "Rullomat test");
        for (int i = 0; i < 20 && game->GetScore() != 100; ++i) xt::Pump(game);
        EXPECT_EQ("Score: 100", game->ScoreCell()->GetText());
        return game;
    }

    Point Corner(GUIElement* c) { return ToFormCoordinates(c, c->GetPosition().x, c->GetPosition().y); }
    void ClickOn(GUIElement* c) { xt::Click(game, Corner(c).x + c->GetWidth() / 2, Corner(c).y + c->GetHeight() / 2); }
    uint32_t Colour(GUIElement* c) { return xt::Pixel(game, Corner(c).x + 3, Corner(c).y + 3); }

    // START (or Raises) clicked; the spin runs out with the given symbols.
    void Spin(std::vector<int> symbols) {
        finalSymbols = std::move(symbols);
        spinBeganMs = fakeMs;
        ClickOn(game->StartButton());
        ASSERT_TRUE(game->IsSpinning());
        RunOut();
    }
    int RunOut() {
        int slices = 0;
        for (; game->IsSpinning() && slices < 2000; ++slices) Advance(1);
        EXPECT_FALSE(game->IsSpinning()) << "the spin did not end";
        xt::Pump(game);
        return slices;
    }

    std::vector<int> Symbols() {
        std::vector<int> s;
        for (int i = 0; i < FormMain::kReels; ++i) s.push_back(game->ReelSymbol(i));
        return s;
    }

    // The log's lines but those of the missing reel tick.
    std::vector<std::string> Lines() {
        std::vector<std::string> lines = xt::LogLines();
        lines.erase(std::remove(lines.begin(), lines.end(), "Data/ding.wav non trovato."), lines.end());
        return lines;
    }

    FormMain* game = nullptr;
    std::unique_ptr<ScratchFolder> scratch;
};
} // namespace game_rig
