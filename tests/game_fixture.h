// Rig of the game window tests: each test runs in a fresh folder holding a
// copy of Data/ (without the reel tick unless asked: every play forks, which
// is slow under the sanitizers), with recording "aplay" and "firefox" first
// in PATH, a scripted random source and a fake clock that moves with the
// loop's idle ticks, so a 15-second spin runs in a moment.
#pragma once
#include <X11/Xlib.h>
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/Services.h"
#include "app/Timer.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "controls/ImageFrame.h"
#include "controls/Slider.h"
#include "app/ChildProcesses.h"
#include "dialogs/FormAbout.h"
#include "dialogs/FormMsgBox.h"
#include "dialogs/SoundPlayer.h"
#include "game/FormMain.h"
#include "gfx/Graphics.h"
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

inline std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline pid_t FailingFork() { return -1; } // sounds then play at once, in-process

class GameTest : public ::testing::Test {
protected:
    enum class DataKind { Full, NoTick, NoData };
    void SetUp() override { Prepare(DataKind::NoTick); }

    void Prepare(DataKind kind) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        if (home.empty()) home = fs::current_path();
        dir = home / (std::string(info->test_suite_name()) + "." + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "bin");
        if (kind != DataKind::NoData) {
            fs::create_directories(dir / "Data");
            for (const char* f : {"frutta96x96.bin", "beep.wav", "ding.wav"})
                if (kind == DataKind::Full || std::string(f) != "ding.wav")
                    fs::copy_file(SourceRoot() / "Data" / f, dir / "Data" / f);
        }
        fs::current_path(dir);
        for (const char* program : {"aplay", "firefox"}) {
            std::ofstream(dir / "bin" / program)
                << "#!/bin/sh\necho \"$*\" >> \"" << (dir / program).string() << ".log\"\n";
            fs::permissions(dir / "bin" / program, fs::perms::owner_all);
        }
        if (oldPath.empty()) oldPath = std::getenv("PATH");
        setenv("PATH", ((dir / "bin").string() + ":" + oldPath).c_str(), 1);
        fakeMs = tickMs = draws = spinBeganMs = 0;
        TimeStamp::clockSource = FakeClock;
        randomSource = ScriptedRandom;
        quitRequested = false;
        xt::ClearLog();
    }

    void TearDown() override {
        delete game;
        game = nullptr;
        delete pendingMessageBox;
        pendingMessageBox = nullptr;
        xt::Pump();
        TimeStamp::clockSource = nullptr;
        randomSource = nullptr;
        forkSource = nullptr;
        quitRequested = false;
        setenv("PATH", oldPath.c_str(), 1);
        fs::current_path(home);
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

    // Lines of a log file: "log.txt" without the missing tick's lines, or
    // a stand-in's record.
    std::vector<std::string> Lines(const std::string& file = "log.txt") {
        std::vector<std::string> lines;
        std::istringstream in(ReadText(dir / file));
        for (std::string l; std::getline(in, l);)
            if (l != "Data/ding.wav non trovato.") lines.push_back(l);
        return lines;
    }

    FormMain* game = nullptr;
    fs::path home, dir;
    std::string oldPath;
};

} // namespace game_rig
