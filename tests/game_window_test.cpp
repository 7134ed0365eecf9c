// The game window on a real X server: the first paint, the wager slider, the
// score cell, the exit question, the About box, the blocked window, and
// start-up with a missing, damaged or odd reel sheet.
#include <sys/resource.h>

#include <algorithm>

#include "dialogs/FormNamePlayer.h"
#include "tests/game_fixture.h"

namespace {

using namespace game_rig;

const std::string kSheet = xt::ReadFile(SourceRoot() / "Data/frutta96x96.bin");

// Pixels of symbol s as the sheet has them, or of reel i on the window.
std::vector<uint32_t> SheetSymbol(int s) {
    std::vector<uint32_t> out;
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x) {
            const auto* p = reinterpret_cast<const unsigned char*>(&kSheet[(y * 1152u + s * 96u + x) * 3]);
            out.push_back(static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]));
        }
    return out;
}
std::vector<uint32_t> ReelPixels(FormMain* game, int i) { return xt::Pixels(game, 155 + 99 * i, 235, 96, 96); }
int CountNot(const std::vector<uint32_t>& pixels, uint32_t rgb) {
    return static_cast<int>(pixels.size()) - static_cast<int>(std::count(pixels.begin(), pixels.end(), rgb));
}
FormMsgBox* Box() { return static_cast<FormMsgBox*>(pendingMessageBox); }
void ClickIn(Form* form, GUIElement* c) { xt::Click(form, c->GetPosition().x + 5, c->GetPosition().y + 5); }

using GameWindowTest = GameTest;

TEST_F(GameWindowTest, StartUpState) {
    Open();
    EXPECT_EQ("Wager: 1", game->WagerCell()->GetText());
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(SheetSymbol(i), ReelPixels(game, i)) << "reel " << i;
        EXPECT_FALSE(game->LockCell(i)->IsEnabled());
        EXPECT_EQ(0xAAAAAAu, Colour(game->LockCell(i)));
    }
    EXPECT_GT(CountNot(xt::Pixels(game, 30, 150, 300, 75), 0), 1000) << "title picture";
    EXPECT_GT(CountNot(xt::Pixels(game, 300, 30, 470, 100), 0), 1000) << "pay-table picture";
    EXPECT_TRUE(xt::ReadLog().empty()) << xt::ReadLog();
    EXPECT_EQ(nullptr, game->SheetData()) << "the reels hold the sheet; the file's bytes are let go";
    game->Paint(); // a later expose sets nothing up again
    EXPECT_EQ("Score: 100", game->ScoreCell()->GetText());
}

TEST_F(GameWindowTest, ExitAsksFirst) {
    Open();
    ClickOn(game->ExitButton());
    ASSERT_NE(nullptr, Box());
    EXPECT_EQ("Do you really want to go exit?", Box()->GetMessage());
    ClickIn(Box(), Box()->GetSecondButton()); // NO
    EXPECT_FALSE(quitRequested);
    EXPECT_TRUE(game->IsEnabled());
    // The window manager's close asks the same; YES ends the game.
    xt::CloseRequest(game);
    ASSERT_NE(nullptr, Box());
    EXPECT_EQ("Do you really want to go exit?", Box()->GetMessage());
    ClickIn(Box(), Box()->GetFirstButton());
    EXPECT_TRUE(quitRequested);
    EXPECT_FALSE(game->SpinTimer()->IsRunning());
}

TEST_F(GameWindowTest, AboutBoxAndBlockedWindow) {
    Open();
    ClickOn(game->InfoButton());
    ASSERT_NE(nullptr, game->AboutBox());
    xt::Key(game->AboutBox(), XK_Escape);
    EXPECT_TRUE(game->IsEnabled());
    ClickOn(game->InfoButton());
    game->Command(game->InfoButton());
    EXPECT_EQ(1, std::count_if(Application::forms.begin(), Application::forms.end(),
                               [](Form* f) { return dynamic_cast<FormAbout*>(f) != nullptr; }))
        << "INFO again replaces the box";

    // A click on the blocked window beeps and brings the box back on top.
    Display* d = xt::TestDisplay();
    XRaiseWindow(d, game->GetWindow());
    startSource = FailingStart;
    ClickOn(game->StartButton());
    xt::Key(game, XK_Return);
    EXPECT_FALSE(game->IsSpinning());
    EXPECT_EQ("aplay Data/beep.wav\n", scratch->Record());
    Window root, parent, *children = nullptr;
    unsigned n = 0;
    ASSERT_TRUE(XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n));
    std::vector<Window> stack(children, children + n);
    XFree(children);
    auto at = [&](Window w) { return std::find(stack.begin(), stack.end(), w) - stack.begin(); };
    EXPECT_GT(at(game->AboutBox()->GetWindow()), at(game->GetWindow()));
}

// A missing or wrongly sized sheet: one line in the log, blank reels, a
// game that still plays. (Folders, FIFOs and devices in a file's place are
// refused by the file layer, whose own test covers them.)
TEST_F(GameWindowTest, BadSheets) {
    // Size -1: no Data folder. A huge sheet is refused by its size, unread.
    struct { long size; std::string line; } cases[] = {
        {-1, "Data/frutta96x96.bin: non trovato"},
        {1L << 30, "Data/frutta96x96.bin: 1073741824 bytes instead of 331776"},
        {331775, "Data/frutta96x96.bin: 331775 bytes instead of 331776"},
        {331779, "Data/frutta96x96.bin: 331779 bytes instead of 331776"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        TearDown();
        Prepare(c.size == -1 ? std::vector<std::string>{} : std::vector<std::string>{"beep.wav"});
        const char* sheet = "Data/frutta96x96.bin";
        if (c.size > 331779) {
            std::ofstream{sheet};
            fs::resize_file(sheet, static_cast<uintmax_t>(c.size)); // sparse
        } else if (c.size >= 0)
            std::ofstream(sheet, std::ios::binary) << kSheet.substr(0, static_cast<size_t>(c.size))
                                                   << std::string(static_cast<size_t>(std::max(0L, c.size - 331776)), '\x7f');
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

} // namespace
