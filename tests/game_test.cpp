// The game window on a real X server, through real clicks and the loop's idle
// ticks: the first paint, holds, the re-spin, payouts, refusals, the spin's
// pace, the exit question, the About box, the blocked window and start-up
// with a missing or wrongly sized reel sheet.
//
// Each test runs in a fresh folder holding a copy of Data/ (without the reel
// tick: every play starts a process, which is slow under the sanitizers),
// recording stand-ins for "aplay" and "firefox" first in PATH, a scripted
// random source and a fake clock that moves with the loop's idle ticks, so a
// 15-second spin runs in a moment.
#include <sys/resource.h>

#include <algorithm>

#include "app/ChildProcesses.h"
#include "app/Services.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "controls/ImageFrame.h"
#include "controls/Slider.h"
#include "dialogs/FormAbout.h"
#include "dialogs/FormMsgBox.h"
#include "dialogs/FormNamePlayer.h"
#include "game/FormMain.h"
#include "tests/support/XTestSupport.h"

namespace {
namespace fs = std::filesystem;

fs::path SourceRoot() { return fs::path(__FILE__).parent_path().parent_path(); }

// Milliseconds since the test began; tickMs is always its last three digits.
int64_t fakeMs = 0;
time_t FakeClock() { return static_cast<time_t>(1700000000 + fakeMs / 1000); }

// In the last second of the spin begun at spinBeganMs reel i gets
// finalSymbols[i]; before that, a jumble. Reels draw in order, one a change.
std::vector<int> finalSymbols;
int64_t spinBeganMs = 0, draws = 0;
int32_t ScriptedRandom(int32_t, int32_t) {
    const int64_t reel = draws++ % 5;
    if (fakeMs - spinBeganMs >= 14100) return finalSymbols[static_cast<size_t>(reel)];
    return static_cast<int32_t>((draws * 7 + reel * 5) % 12);
}

void Advance(int slices) {
    for (int i = 0; i < slices; ++i) {
        fakeMs += 10;
        IdleTick();
    }
}

pid_t FailingStart() { return -1; } // sounds then play at once, in-process

class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        Prepare();
        Open();
    }

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
        pendingMessageBox.reset();
        xt::Pump();
        TimeStamp::clockSource = nullptr;
        randomSource = nullptr;
        startSource = nullptr;
        quitRequested = false;
        scratch.reset();
    }

    // The game window, shown and painted once.
    void Open() {
        game = new FormMain(xt::TestScreen(), "Rullomat test");
        for (int i = 0; i < 20 && game->GetScore() != 100; ++i) xt::Pump(game);
        EXPECT_EQ("Score: 100", game->ScoreCell()->GetText());
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

TEST_F(GameTest, HoldPhaseRespinAndPayout) {
    Spin({2, 7, 4, 2, 9});
    // Reels showing 2 or 4 are held, the others not.
    for (int i = 0; i < 5; ++i) EXPECT_EQ(i == 0 || i == 2 || i == 3, game->IsLocked(i)) << i;

    // The player changes holds by clicking; the wager stays fixed.
    for (int reel : {1, 1, 0}) ClickOn(game->LockCell(reel));
    EXPECT_FALSE(game->IsLocked(0) || game->IsLocked(1));
    xt::Click(game, game->WagerSlider()->Ticks()[6].x, game->WagerSlider()->Ticks()[6].y);
    EXPECT_EQ(1, game->GetWager()) << "the slider is disabled";

    // Raises: held reels never move during the re-spin; the others do.
    finalSymbols = {5, 5, 5, 5, 5};
    spinBeganMs = fakeMs;
    ClickOn(game->StartButton());
    int reel1Changes = 0;
    for (int last = game->ReelSymbol(1); game->IsSpinning(); Advance(1)) {
        ASSERT_EQ(4, game->ReelSymbol(2));
        ASSERT_EQ(2, game->ReelSymbol(3));
        reel1Changes += game->ReelSymbol(1) != last;
        last = game->ReelSymbol(1);
    }
    xt::Pump(game);
    EXPECT_GT(reel1Changes, 5);
    EXPECT_EQ((std::vector<int>{5, 5, 4, 2, 5}), Symbols());
    // Paid, back to idle: result line, score, wager free again, locks off.
    EXPECT_EQ("You lost!|99|START", game->MessageCell()->GetText() + "|" + std::to_string(game->GetScore()) + "|" +
                                        game->StartButton()->GetText());
    EXPECT_TRUE(game->WagerSlider()->IsEnabled());
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(game->IsLocked(i) || game->LockCell(i)->IsEnabled());
    EXPECT_TRUE(Lines().empty());
}

// The hold keys toggle a lock as a click does, whichever control has the
// focus, but only in the hold phase and never under a dialog.
TEST_F(GameTest, HoldKeys) {
    // Per reel: H held and red, - free and yellow, g grey, ? anything else.
    constexpr uint32_t kGrey = 0xAAAAAA, kRed = 0xFF0000, kYellow = 0xFFFF00;
    auto locks = [this] {
        std::string s;
        for (int i = 0; i < 5; ++i) {
            const uint32_t c = Colour(game->LockCell(i));
            s += game->IsLocked(i) ? "?H"[c == kRed] : c == kYellow ? '-' : c == kGrey ? 'g' : '?';
        }
        return s;
    };
    // The main keyboard's digits, the keypad's with Num Lock on, and off.
    const KeySym rows[3][5] = {{XK_1, XK_2, XK_3, XK_4, XK_5},
                               {XK_KP_1, XK_KP_2, XK_KP_3, XK_KP_4, XK_KP_5},
                               {XK_KP_End, XK_KP_Down, XK_KP_Next, XK_KP_Left, XK_KP_Begin}};
    auto press = [&](Form* to, size_t row, size_t i) { xt::Key(to, rows[row][i], row == 1 ? Mod2Mask : 0); };
    auto pressAll = [&](Form* to) {
        for (size_t k = 0; k < 15; ++k) press(to, k / 5, k % 5);
    };
    pressAll(game);
    finalSymbols = {2, 7, 4, 2, 9};
    spinBeganMs = fakeMs;
    ClickOn(game->StartButton());
    pressAll(game);
    EXPECT_EQ("ggggg", locks()) << "before the first spin and during it";
    RunOut();
    ASSERT_EQ("H-HH-", locks());
    // Each key twice; the focus on Raises, then on the (disabled) slider, then on INFO.
    for (size_t row = 0; row < 3; ++row, xt::Key(game, XK_Tab))
        for (size_t i = 0; i < 5; ++i) {
            std::string toggled = "H-HH-";
            toggled[i] = "H-"[toggled[i] == 'H'];
            press(game, row, i);
            EXPECT_EQ(toggled, locks()) << rows[row][i];
            press(game, row, i);
            EXPECT_EQ("H-HH-", locks()) << rows[row][i];
        }
    ClickOn(game->InfoButton());
    pressAll(game);
    pressAll(game->AboutBox());
    xt::Key(game->AboutBox(), XK_Escape);
    EXPECT_EQ("H-HH-", locks()) << "under the About box";
    EXPECT_EQ("", scratch->Record()) << "no beep";
}

TEST_F(GameTest, PayTable) {
    struct {
        std::vector<int> reels;
        int wager;
        int64_t win;
        const char* cell0;
    } cases[] = {
        {{4, 4, 4, 4, 4}, 10, 5000, "X 500"}, {{2, 5, 6, 7, 8}, 3, 0, ""},        {{2, 2, 0, 1, 3}, 1, 2, "X 2"},
        {{2, 2, 2, 2, 3}, 2, 100, "X 50"},    {{2, 2, 2, 2, 2}, 1, 250, "X 250"}, {{4, 4, 4, 1, 3}, 3, 60, "X 20"},
        {{4, 0, 4, 4, 4}, 1, 100, "X 100"},   {{2, 2, 4, 4, 4}, 1, 22, "X 2"},    {{2, 4, 0, 1, 3}, 5, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.reels));
        for (int i = 0; i < 5; ++i) {
            game->Reel(i)->SetFrame(c.reels[static_cast<size_t>(i)], 0, false);
            game->ResultCell(i)->SetText("");
        }
        game->SetWagerText(c.wager);
        const int64_t before = game->GetScore();
        game->EvaluateSpin();
        EXPECT_EQ(before + c.win - c.wager, game->GetScore());
        EXPECT_EQ(c.cell0, game->ResultCell(0)->GetText());
        EXPECT_EQ(c.win ? "You have won " + std::to_string(c.win) + " points!" : "You lost!",
                  game->MessageCell()->GetText());
    }
}

TEST_F(GameTest, AllFiveHeldCannotRespin) {
    Spin({2, 7, 4, 2, 9});
    for (int reel : {1, 4}) ClickOn(game->LockCell(reel));
    ClickOn(game->StartButton());
    auto* box = static_cast<FormMsgBox*>(pendingMessageBox.get());
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Unable to lock all cells.", box->GetMessage());
    Advance(200);
    EXPECT_FALSE(game->IsSpinning());
    EXPECT_EQ((std::vector<int>{2, 7, 4, 2, 9}), Symbols());
}

TEST_F(GameTest, PaceAndOneSpinAtATime) {
    XMoveWindow(xt::TestDisplay(), game->GetWindow(), -300, -250); // partly off the screen
    finalSymbols = {2, 7, 4, 2, 9};
    for (int i = 0; i < 5; ++i) ClickOn(game->StartButton());
    xt::Key(game, XK_Return);
    // The first tick, 20 ms on, changes the reels; so does every tick of
    // the first second, every other one of the second.
    for (auto [slices, total] : {std::pair{2, 5}, {98, 250}, {100, 375}}) {
        Advance(slices);
        EXPECT_EQ(total, draws);
    }
    game->Command(game->StartButton());
    // It ends on the first tick past 15 s from its first one: one spin only.
    EXPECT_EQ(1504 - 200, RunOut());
    EXPECT_TRUE(game->InHoldPhase());
    // Raises before an idle tick has seen that spin end: a whole re-spin.
    finalSymbols = {5, 5, 5, 5, 5};
    spinBeganMs = fakeMs;
    ClickOn(game->StartButton());
    EXPECT_GE(RunOut(), 1500);
    EXPECT_EQ("You have won 2 points!", game->MessageCell()->GetText());
}

const std::string kSheet = xt::ReadFile(SourceRoot() / "Data/frutta96x96.bin");

// Pixels of reel i on the window.
std::vector<uint32_t> ReelPixels(FormMain* game, int i) { return xt::Pixels(game, 155 + 99 * i, 235, 96, 96); }
int CountNot(const std::vector<uint32_t>& pixels, uint32_t rgb) {
    return static_cast<int>(pixels.size()) - static_cast<int>(std::count(pixels.begin(), pixels.end(), rgb));
}

TEST_F(GameTest, AboutBoxAndBlockedWindow) {
    ClickOn(game->InfoButton());
    ASSERT_NE(nullptr, game->AboutBox());
    xt::Key(game->AboutBox(), XK_Escape);
    EXPECT_TRUE(game->IsEnabled() && Application::focused == game->InfoButton()) << "INFO has its focus back";
    ClickOn(game->InfoButton());
    game->Command(game->InfoButton());
    EXPECT_EQ(1, std::count_if(Application::forms.begin(), Application::forms.end(),
                               [](Form* f) { return dynamic_cast<FormAbout*>(f) != nullptr; }))
        << "INFO again replaces the box";

    // A click on the blocked window beeps.
    startSource = FailingStart;
    ClickOn(game->StartButton());
    xt::Key(game, XK_Return);
    EXPECT_FALSE(game->IsSpinning());
    EXPECT_EQ("aplay Data/beep.wav\n", scratch->Record());
}

// A missing or wrongly sized sheet: one line in the log, blank reels, a
// game that still plays. (Folders, FIFOs and devices in a file's place are
// refused by the file layer, whose own test covers them.)
TEST_F(GameTest, BadSheets) {
    // Size -1: no Data folder. A huge sheet is refused by its size, unread.
    struct {
        long size;
        std::string line;
    } cases[] = {{-1, "Data/frutta96x96.bin: non trovato"},
                 {1L << 30, "Data/frutta96x96.bin: 1073741824 bytes instead of 331776"},
                 {331775, "Data/frutta96x96.bin: 331775 bytes instead of 331776"},
                 {331779, "Data/frutta96x96.bin: 331779 bytes instead of 331776"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        TearDown();
        Prepare(c.size == -1 ? std::vector<std::string>{} : std::vector<std::string>{"beep.wav"});
        const std::string sheet = "Data/frutta96x96.bin";
        if (c.size > 331779)
            fs::resize_file(PutFile(sheet, ""), static_cast<uintmax_t>(c.size)); // sparse
        else if (c.size >= 0)
            PutFile(sheet, kSheet.substr(0, static_cast<size_t>(c.size)) +
                               std::string(static_cast<size_t>(std::max(0L, c.size - 331776)), 'x'));
        Open();
        EXPECT_EQ(nullptr, game->SheetData());
        for (int i = 0; i < 5; ++i) EXPECT_EQ(0, CountNot(ReelPixels(game, i), 0)) << "reel " << i;
        Spin({2, 2, 4, 4, 2});
        EXPECT_EQ("You have won 14 points!", game->MessageCell()->GetText());
        EXPECT_EQ(std::vector<std::string>{c.line}, Lines());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss, 512 * 1024) << "kB at the peak: the huge sheet was read";
}

// Whole windows in their notable states: the start, the wager at 10, the
// hold phase with holds changed, both message boxes, a payout, the About
// box and the name window.
TEST_F(GameTest, ReferenceWindows) {
    // The process's first picture finds the server's image format with a
    // pixel drawn on its window: a window opened after that shows none.
    TearDown();
    Prepare();
    Open();
    EXPECT_EQ(nullptr, game->SheetData()) << "the reels hold the sheet; the file's bytes are let go";
    game->Paint(); // a later expose sets nothing up again
    xt::ExpectWindow(game, "game-start");
    const XPoint top = game->WagerSlider()->Ticks().back();
    xt::Click(game, top.x, top.y);
    xt::ExpectWindow(game, "game-wager10");
    Spin({2, 7, 4, 2, 9});
    for (int reel : {1, 3}) ClickOn(game->LockCell(reel));
    xt::ExpectWindow(game, "game-hold");
    for (int reel : {3, 4}) ClickOn(game->LockCell(reel));
    ClickOn(game->StartButton());
    xt::ExpectWindow(pendingMessageBox.get(), "msgbox-ok");
    xt::CloseRequest(pendingMessageBox.get());
    for (int reel : {3, 4}) ClickOn(game->LockCell(reel));
    Spin({0, 0, 0, 4, 4});
    xt::ExpectWindow(game, "game-payout");
    ClickOn(game->InfoButton());
    xt::ExpectWindow(game->AboutBox(), "about");
    const Point about = game->AboutBox()->GetPosition(), under = game->GetPosition(); // centred on the game
    EXPECT_NEAR(2 * about.x + game->AboutBox()->GetWidth(), 2 * under.x + game->GetWidth(), 2);
    xt::Key(game->AboutBox(), XK_Escape);
    ClickOn(game->ExitButton());
    xt::ExpectWindow(pendingMessageBox.get(), "msgbox-yesno");
    xt::CloseRequest(pendingMessageBox.get());
    game->OpenNameDialog();
    xt::ExpectWindow(game->NameDialog(), "name");
}

} // namespace
