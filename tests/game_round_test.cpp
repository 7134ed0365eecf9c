// Rounds of the game through the real window, real clicks and the loop's
// idle ticks: holds, the re-spin, payouts, refusals and the spin's pace.
#include <signal.h>
#include <sys/wait.h>

#include <cerrno>

#include "tests/game_fixture.h"

namespace {

using namespace game_rig;

constexpr uint32_t kGrey = 0xAAAAAA, kRed = 0xFF0000, kYellow = 0xFFFF00;

class GameRoundTest : public GameTest {};

TEST_F(GameRoundTest, HoldPhaseRespinAndPayout) {
    Open();
    const auto paytable = xt::Pixels(game, 300, 30, 470, 100);
    Spin({2, 7, 4, 2, 9});
    // Reels showing 2 or 4 are held (red), the others not (yellow).
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(i == 0 || i == 2 || i == 3, game->IsLocked(i)) << i;
        EXPECT_EQ(game->IsLocked(i) ? kRed : kYellow, Colour(game->LockCell(i))) << i;
    }
    EXPECT_EQ("Raises", game->StartButton()->GetText());
    EXPECT_FALSE(game->WagerSlider()->IsEnabled());
    EXPECT_EQ(100, game->GetScore());
    EXPECT_TRUE(paytable == xt::Pixels(game, 300, 30, 470, 100)) << "painted over the pay table";

    // The player changes holds by clicking; the wager stays fixed.
    for (int reel : {1, 1, 0}) ClickOn(game->LockCell(reel));
    EXPECT_FALSE(game->IsLocked(0) || game->IsLocked(1));
    EXPECT_EQ(kYellow, Colour(game->LockCell(0)));
    xt::Click(game, game->WagerSlider()->Ticks()[6].x, game->WagerSlider()->Ticks()[6].y);
    EXPECT_EQ(1, game->GetWager());

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
    // Paid, back to idle: result line, score, wager free again, grey locks.
    EXPECT_EQ("You lost!", game->MessageCell()->GetText());
    EXPECT_EQ(99, game->GetScore());
    EXPECT_EQ("START", game->StartButton()->GetText());
    EXPECT_TRUE(game->WagerSlider()->IsEnabled());
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(game->IsLocked(i) || game->LockCell(i)->IsEnabled());
        EXPECT_EQ(kGrey, Colour(game->LockCell(i)));
    }
    EXPECT_TRUE(Lines().empty());
}

TEST_F(GameRoundTest, PayTable) {
    Open();
    struct { std::vector<int> reels; int wager; int64_t win; const char* cell0; } cases[] = {
        {{4, 4, 4, 4, 4}, 10, 5000, "X 500"}, {{2, 5, 6, 7, 8}, 3, 0, ""},    {{2, 2, 0, 1, 3}, 1, 2, "X 2"},
        {{2, 2, 2, 2, 3}, 2, 100, "X 50"},    {{2, 2, 2, 2, 2}, 1, 250, "X 250"}, {{4, 4, 4, 1, 3}, 3, 60, "X 20"},
        {{4, 0, 4, 4, 4}, 1, 100, "X 100"},   {{2, 2, 4, 4, 4}, 1, 22, "X 2"}, {{2, 4, 0, 1, 3}, 5, 0, ""},
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

TEST_F(GameRoundTest, AllFiveHeldCannotRespin) {
    Open();
    Spin({2, 7, 4, 2, 9});
    for (int reel : {1, 4}) ClickOn(game->LockCell(reel));
    ClickOn(game->StartButton());
    auto* box = static_cast<FormMsgBox*>(pendingMessageBox);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Unable to lock all cells.", box->GetMessage());
    EXPECT_EQ("Attention", box->GetTitle());
    Advance(200);
    EXPECT_FALSE(game->IsSpinning());
    EXPECT_EQ((std::vector<int>{2, 7, 4, 2, 9}), Symbols());
    // While the box is open the window takes no clicks; after OK it does.
    ClickOn(game->LockCell(4));
    EXPECT_TRUE(game->IsLocked(4));
    xt::Click(box, Corner(box->GetFirstButton()).x + 5, Corner(box->GetFirstButton()).y + 5);
    ClickOn(game->LockCell(4));
    EXPECT_FALSE(game->IsLocked(4));
}

TEST_F(GameRoundTest, PaceAndOneSpinAtATime) {
    Open();
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

} // namespace
