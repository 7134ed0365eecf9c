// The text box on a real X server: keys and clicks go through the loop's own
// dispatch, drawing is read back from the window. Beeps are counted through
// the process-start seam, so no sound process is started.
#include "tests/support/XTestSupport.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "app/Application.h"
#include "app/ChildProcesses.h"
#include "controls/PanelChildren.h"
#include "controls/TextBoxCustom.h"

namespace {

int beeps = 0;
pid_t CountBeep() {
    ++beeps;
    return getpid(); // "started": the beep returns at once
}
using Prep = void (*)(TextBoxCustom*);

class TextBoxCustomTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/textbox-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        scratch = pattern;
        std::filesystem::current_path(scratch);
        std::filesystem::create_directories("Data");
        std::ofstream("Data/beep.wav") << "RIFF";
        startSource = CountBeep;
        beeps = 0;
        form.SetBackColor(0x123456);
        form.Create();
        xt::Pump(&form);
    }
    void TearDown() override {
        Application::ClearFocus();
        boxes.clear();
        startSource = nullptr;
        std::filesystem::current_path(home);
        std::filesystem::remove_all(scratch);
    }
    // A shown box of w x h at (x, y); `prep` configures it first.
    TextBoxCustom* Make(const std::string& text, Prep prep = nullptr, int x = 10, int y = 10, int w = 200,
                        int h = 30) {
        TextBoxCustom* b = boxes.emplace_back(std::make_unique<TextBoxCustom>(&form, text)).get();
        b->SetPosition(x, y);
        b->SetSize(w, h);
        if (prep) prep(b);
        b->Show();
        return b;
    }
    // Releases the mouse over a cell: focuses the box and places the caret.
    void ClickCell(TextBoxCustom* b, int col, int row = 0) {
        xt::Click(&form, b->GetPosition().x + col * b->GetCharWidth() + b->GetCharWidth() / 2,
                  b->GetPosition().y + 4 + row * b->GetLineHeight() + b->GetLineHeight() / 2);
    }
    int CellX(TextBoxCustom* b, int col) { return b->GetPosition().x + 3 + col * b->GetCharWidth(); }
    std::vector<uint32_t> CellPixels(TextBoxCustom* b, int col) {
        return xt::Pixels(&form, CellX(b, col), b->GetPosition().y + 3, b->GetCharWidth() - 1, b->GetLineHeight());
    }
    int CountInCell(TextBoxCustom* b, int col, uint32_t rgb) {
        auto px = CellPixels(b, col);
        return static_cast<int>(std::count(px.begin(), px.end(), rgb));
    }
    void Keys(std::initializer_list<KeySym> syms) {
        for (KeySym k : syms) xt::Key(&form, k);
    }
    void Type(const std::string& s) { xt::Type(&form, s); }
    void Expect(TextBoxCustom* b, const std::string& text, int caret) {
        EXPECT_EQ(b->GetText(), text);
        EXPECT_EQ(b->GetCaret(), caret) << text;
    }

    std::string scratch, home = std::filesystem::current_path();
    xt::TestForm form{640, 480};
    std::vector<std::unique_ptr<TextBoxCustom>> boxes;
};

TEST_F(TextBoxCustomTest, SingleLineOverwritesAndBackspaceClosesTheGap) {
    TextBoxCustom* b = Make("hello  ");
    ClickCell(b, 1);
    Type("EY");
    Expect(b, "hEYlo", 3);
    Keys({XK_BackSpace});
    Expect(b, "hElo", 2);
    Keys({XK_Delete, XK_Return, XK_Escape, XK_Home}); // Delete blanks; the others are ignored silently
    Expect(b, "hE o", 2);
    EXPECT_EQ(beeps, 0);
    xt::Key(&form, XK_a, ControlMask); // other control characters beep
    Keys({XK_Left, XK_Left, XK_Left});
    EXPECT_EQ(b->GetCaret(), 0);
    ClickCell(b, 15); // past the end of the text
    EXPECT_EQ(b->GetCaret(), b->GetLength());
    Keys({XK_Right}); // the length bounds the caret
    EXPECT_EQ(beeps, 2);
}

TEST_F(TextBoxCustomTest, MaxLengthBoundsTypingCaretAndText) {
    TextBoxCustom* b = Make("", [](TextBoxCustom* t) { t->SetMaxLength(3); });
    b->SetMaxLength(50); // too late: the buffer is sized
    ClickCell(b, 0);
    Type("abcdef");
    Expect(b, "abc", 3);
    EXPECT_EQ(beeps, 3);
    b->SetText("a much longer text than the buffer");
    ClickCell(b, 10);
    Expect(b, "a m", 3);
    Keys({XK_Delete, XK_BackSpace}); // Delete on the end of the buffer: nothing
    Expect(b, "a", 2);

    // Exactly three cells, grown to one row: the end of the buffer lies past the grid.
    Prep threeCells = [](TextBoxCustom* t) { t->SetMaxLength(3); t->SetSize(6 + 3 * t->GetCharWidth(), 1); };
    TextBoxCustom* tiny = Make("", threeCells, 10, 100);
    EXPECT_EQ(tiny->GetSize().height, std::max(tiny->GetFont().GetSize() + 10, tiny->GetLineHeight() + 6));
    tiny->SetFocus();
    Type("abcd");
    EXPECT_EQ(tiny->GetText(), "abc");
}

TEST_F(TextBoxCustomTest, DateMaskAndDecimalFilter) {
    TextBoxCustom* b = Make("", [](TextBoxCustom* t) { t->SetDateMode(true); });
    ClickCell(b, 0);
    Type("01");
    Expect(b, "01/", 3);
    Keys({XK_Left});
    EXPECT_EQ(b->GetCaret(), 1);
    Keys({XK_Right, XK_BackSpace}); // the slash and the digit before it
    Expect(b, "0", 1);
    Type("10220249x"); // the mask is full before the 9
    Expect(b, "01/02/2024", 10);
    EXPECT_EQ(beeps, 2);
    Keys({XK_BackSpace});
    EXPECT_EQ(b->GetText(), "01/02/202");

    Prep decimal = [](TextBoxCustom* t) { t->SetDigitsOnly(true); t->SetAllowDecimalPoint(true); };
    TextBoxCustom* n = Make("", decimal, 10, 60);
    ClickCell(n, 0);
    Type("1a2.3.4");
    EXPECT_EQ(n->GetText(), "12.34");
    EXPECT_EQ(beeps, 4);
}

TEST_F(TextBoxCustomTest, MultiLineInsertsBreaksLinesAndMovesByRows) {
    Prep tenByThree = [](TextBoxCustom* t) {
        t->SetMultiLine(true);
        t->SetSize(6 + 10 * t->GetCharWidth(), 6 + 3 * t->GetLineHeight());
    };
    TextBoxCustom* b = Make("", tenByThree);
    ASSERT_EQ(b->Columns() * b->Rows(), 30);
    ClickCell(b, 0);
    Type("abc");
    Keys({XK_Left, XK_Left});
    Type("X");
    ClickCell(b, 9);
    Keys({XK_Return});
    Type("de");
    Expect(b, "aXbc\rde", 7);
    Keys({XK_Up, XK_Up, XK_Down}); // the second Up (first row) and the Down (past the text) beep
    EXPECT_EQ(b->GetCaret(), 2);
    EXPECT_EQ(beeps, 2);
    Keys({XK_Left, XK_Down});
    EXPECT_EQ(b->GetCaret(), 6);

    // The grid holds the text plus one cell for the caret; more is refused.
    TextBoxCustom* full = Make("", tenByThree, 10, 200);
    ClickCell(full, 0);
    Type(std::string(32, 'y'));
    Keys({XK_Return});
    EXPECT_EQ(full->GetText(), std::string(29, 'y'));
    EXPECT_EQ(beeps, 6);

    TextBoxCustom* shift = Make("abcd", [](TextBoxCustom* t) { t->SetShiftOnDelete(true); }, 300, 10);
    ClickCell(shift, 1);
    Keys({XK_Delete});
    Expect(shift, "acd", 1);
}

TEST_F(TextBoxCustomTest, ReadOnlyDisabledAndHandlerRefuseCharacters) {
    TextBoxCustom* b = Make("abc", [](TextBoxCustom* t) { t->SetReadOnly(true); });
    ClickCell(b, 3);
    Type("zz");
    Keys({XK_Left});
    Expect(b, "abc", 2);
    EXPECT_EQ(xt::CountColor(&form, 10, 10, 200, 30, 0xFFFF00), 0) << "no caret shown";
    b->SetReadOnly(false);
    b->SetOnKeyChar([](GUIElement*, char c) { return c != 'x'; });
    Type("xk");
    EXPECT_EQ(b->GetText(), "abk");
    EXPECT_GT(CountInCell(b, 3, 0xFFFF00), 0) << "caret cell";
    b->SetEnabled(false);
    EXPECT_FALSE(b->KeyChar('m'));
    EXPECT_EQ(b->GetText(), "abk");
    EXPECT_GT(CountInCell(b, 0, 0x9B9B9B), 0);
    EXPECT_EQ(xt::Pixel(&form, 12, 20), 0xAAAAAAu);
}

TEST_F(TextBoxCustomTest, PaintsBorderTextCaretAndPasswordMask) {
    TextBoxCustom* b = Make("ab");
    const int right = 10 + b->GetSize().width - 1, bottom = 10 + b->GetSize().height - 1;
    // Double bevel: white outer top-left and inner bottom-right, black the other two.
    EXPECT_EQ(xt::Pixel(&form, 10, 10) & xt::Pixel(&form, right - 1, bottom - 1), 0xFFFFFFu);
    EXPECT_EQ(xt::Pixel(&form, right, bottom) | xt::Pixel(&form, 11, 11), 0x000000u);
    EXPECT_GT(CountInCell(b, 0, 0x000000), 0);
    ClickCell(b, 5);
    EXPECT_GT(CountInCell(b, 2, 0xFFFF00), 0);
    xt::Click(&form, 400, 400); // the focus leaves and takes the caret along
    EXPECT_EQ(CountInCell(b, 2, 0xFFFF00), 0);

    // Masked characters look like typed asterisks; spaces stay blank, and a
    // carriage return is a cell of its own.
    TextBoxCustom* masked = Make("a b", [](TextBoxCustom* t) { t->SetPassword(true); }, 10, 60);
    TextBoxCustom* stars = Make("* *", nullptr, 10, 110);
    for (int col = 0; col < 3; ++col) EXPECT_EQ(CellPixels(masked, col), CellPixels(stars, col));
    masked->SetMultiLine(true);
    masked->SetText("a\rb");
    EXPECT_EQ(masked->GetCellRecord(1)->character, '*');
    EXPECT_EQ(masked->GetCellRecord(2)->index, 2);
}

TEST_F(TextBoxCustomTest, OnlyChangedCellsAreDrawnAgain) {
    TextBoxCustom* b = Make("abcdef");
    Display* d = xt::TestDisplay();
    GC gc = XCreateGC(d, form.GetWindow(), 0, nullptr);
    XSetForeground(d, gc, 0xFF0000);
    for (int col : {0, 1, 4})
        XFillRectangle(d, form.GetWindow(), gc, CellX(b, col), 13, b->GetCharWidth() - 1, b->GetLineHeight());
    XFreeGC(d, gc);
    ClickCell(b, 0);
    Type("Z");
    // Cell 0 changed its character, cell 1 took the caret; cell 4 is as it
    // was and keeps what is on screen until a full paint.
    EXPECT_EQ(CountInCell(b, 0, 0xFF0000) + CountInCell(b, 1, 0xFF0000), 0);
    EXPECT_GT(CountInCell(b, 4, 0xFF0000), 0);
    b->Repaint();
    EXPECT_EQ(CountInCell(b, 4, 0xFF0000), 0);
}

TEST_F(TextBoxCustomTest, HideMoveFocusAndUncreatedBoxes) {
    TextBoxCustom* b = Make("");
    ClickCell(b, 0);
    Type("abc");
    b->SetPosition(20, 100); // hidden and shown again: the typed text stays
    b->SetSize(150, 40);
    EXPECT_EQ(xt::Pixel(&form, 12, 12), 0x123456u) << "old place erased";
    b->Hide();
    EXPECT_EQ(xt::Pixel(&form, 22, 102), 0x123456u);
    EXPECT_TRUE(b->KeyChar('q')); // hidden: taken and dropped
    b->KeyDown(XK_Left);
    b->MouseUp(Point{25, 105});
    b->Show();
    EXPECT_EQ(b->GetText(), "abc");
    EXPECT_EQ(xt::Pixel(&form, 22, 102), 0xFFFFFFu);

    TextBoxCustom* other = Make("b", nullptr, 10, 300);
    other->SetFocus();
    TextBoxCustom(&form, "zz").SetFocus(); // not created: nothing
    EXPECT_FALSE(b->HasFocus());
    Type("c");
    EXPECT_EQ(other->GetText(), "bc");
}

TEST_F(TextBoxCustomTest, EditsAreNotLostOrMisplaced) {
    // A date mask set on a created box with a smaller buffer gets room for it.
    TextBoxCustom* date = Make("", [](TextBoxCustom* t) { t->SetMaxLength(4); });
    date->SetDateMode(true);
    ClickCell(date, 0);
    Type("12345678");
    EXPECT_EQ(date->GetText(), "12/34/5678");
    date->SetDateMode(false);
    date->SetText("");
    Type("ab"); // typed into the buffer only, then kept when multi-line editing starts
    date->SetMultiLine(true);
    Type("c");
    EXPECT_EQ(date->GetText(), "abc");

    // Multi-line: a blanked character stays blank after the next insertion,
    // and a line break at the end survives a change of focus.
    TextBoxCustom* m = Make("abc", [](TextBoxCustom* t) { t->SetMultiLine(true); }, 10, 50, 200, 60);
    ClickCell(m, 1);
    Keys({XK_Delete});
    Type("X");
    ClickCell(m, 9);
    Keys({XK_Return});
    xt::Click(&form, 400, 400);
    ClickCell(m, 0, 1);
    Type("d");
    EXPECT_EQ(m->GetText(), "aX c\rd");

    // A click right of the last column stays on its own row.
    m->SetSize(6 + 5 * m->GetCharWidth() - 1, 60);
    m->SetText("abcd\rxyz");
    xt::Click(&form, m->GetPosition().x + 3 + 4 * m->GetCharWidth() + 2, m->GetPosition().y + 8);
    EXPECT_EQ(m->GetCaret(), 3);

    // Inside a panel, a click lands in the box's own cells.
    PanelChildren panel(&form);
    panel.SetPosition(300, 200);
    panel.SetSize(250, 80);
    TextBoxCustom inner(&panel, "panelled");
    inner.SetPosition(10, 10);
    inner.SetSize(200, 30);
    panel.Show();
    xt::Click(&form, 310 + 3 * inner.GetCharWidth() + 1, 225);
    EXPECT_EQ(inner.GetCaret(), 3);
    Application::ClearFocus();
}

TEST_F(TextBoxCustomTest, GridLargerThanTheRememberedCells) {
    TextBoxCustom* b = Make("", [](TextBoxCustom* t) { t->SetMultiLine(true); t->SetMaxLength(2500); }, 5, 5, 620, 460);
    ASSERT_GT(b->Columns() * b->Rows(), TextBoxCustom::kMaxCells);
    b->SetFocus();
    // The text fills the remembered cells but for the caret's; more is refused.
    for (int i = 0; i < 1700; ++i) b->KeyChar(static_cast<char>('a' + i % 26));
    EXPECT_EQ(b->GetText().size(), 1599u);
    EXPECT_EQ(beeps, 101);
    Keys({XK_Up, XK_Down}); // the row below holds no text
    xt::Click(&form, 600, 450); // past the used cells: nothing
    EXPECT_EQ(b->GetCaret(), 1599 - b->Columns());
    Keys({XK_BackSpace, XK_BackSpace});
    Type("z");
    EXPECT_EQ(b->GetText().size(), 1598u);
}

// Random keys, clicks and calls on boxes of every odd geometry and mode:
// each does what it should or nothing, with the sanitizers watching.
TEST_F(TextBoxCustomTest, StormOfInputOnOddBoxes) {
    std::mt19937 rng(1234);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const int widths[] = {1, 5, 7, 20, 120, 620}, heights[] = {1, 20, 45, 460}, lengths[] = {0, 1, 3, 10, 256, 2000};
    const KeySym keys[] = {XK_Left, XK_Right, XK_Up, XK_Down, XK_BackSpace, XK_Delete, XK_Return, XK_Escape,
                           XK_a,    XK_1,     XK_period, XK_slash, XK_space};
    for (int round = 0; round < 24; ++round) {
        TextBoxCustom b(&form, std::string(static_cast<size_t>(pick(40)), 'w'));
        b.SetMaxLength(lengths[round % 6]);
        b.SetSize(widths[round / 4], heights[round % 4]); // every width with every height
        b.SetMultiLine(pick(2));
        b.SetDateMode(pick(4) == 0);
        b.SetDigitsOnly(pick(4) == 0);
        b.SetAllowDecimalPoint(pick(2));
        b.SetPassword(pick(4) == 0);
        b.SetShiftOnDelete(pick(4) == 0);
        b.Show();
        b.SetFocus();
        for (int step = 0; step < 60; ++step) {
            switch (pick(10)) {
            case 0: xt::Click(&form, pick(650), pick(490)); break;
            case 1: b.SetText(std::string(static_cast<size_t>(pick(3000)), "ab\r\n 9/"[pick(7)])); break;
            case 2: b.KeyChar(static_cast<char>(pick(256))); break;
            case 3:
                b.MouseUp(Point{pick(700), pick(500)});
                b.KeyDown(static_cast<uint32_t>(0xFF50 + pick(8)));
                break;
            case 4:
                if (pick(4) == 0) b.SetSize(widths[pick(6)], heights[pick(4)]);
                b.SetEnabled(pick(4) != 0);
                b.SetReadOnly(pick(4) == 0);
                pick(2) ? b.Hide() : b.Show();
                break;
            default: xt::Key(&form, keys[pick(13)]); break;
            }
            ASSERT_GE(b.GetCaret(), 0);
            ASSERT_LE(b.GetCaret(), b.GetMaxLength());
            b.GetText();
        }
        Application::ClearFocus();
    }
}

} // namespace
