// The text box on a real X server: keys and clicks go through the loop's own
// dispatch, drawing is read back from the window. Beeps are counted through
// the process-start seam, so no sound process is started.
#include "tests/support/XTestSupport.h"

#include <unistd.h>

#include <map>
#include <memory>

#include "app/Application.h"
#include "app/ChildProcesses.h"
#include "controls/TextBoxCustom.h"

namespace {

int beeps = 0;
enum Mode { kPlain = 0, kMax3 = 1, kDate = 2, kDecimal = 4, kGrid10x3 = 8, kShiftDelete = 16, kReadOnly = 32 };

class TextBoxCustomTest : public ::testing::Test {
protected:
    void SetUp() override {
        PutFile("Data/beep.wav", "RIFF");
        startSource = [] { return ++beeps, getpid(); }; // "started": the beep returns at once
        form.SetBackColor(0x123456);
        form.Create();
        xt::Pump(&form);
    }
    void TearDown() override {
        Application::ClearFocus();
        startSource = nullptr;
    }
    // A fresh shown box of 200 x 30 at (10, y) in the given modes.
    TextBoxCustom* Make(const std::string& text, int modes = kPlain, int y = 10, int h = 30) {
        beeps = 0;
        TextBoxCustom* b = boxes.emplace_back(std::make_unique<TextBoxCustom>(&form, text)).get();
        b->SetPosition(10, y);
        b->SetSize(200, h);
        if (modes & kMax3) b->SetMaxLength(3);
        b->SetDateMode(modes & kDate);
        b->SetDigitsOnly(modes & kDecimal);
        b->SetAllowDecimalPoint(modes & kDecimal);
        b->SetShiftOnDelete(modes & kShiftDelete);
        b->SetReadOnly(modes & kReadOnly);
        if (modes & kGrid10x3) {
            b->SetMultiLine(true);
            b->SetSize(6 + 10 * b->GetCharWidth(), 6 + 3 * b->GetLineHeight());
        }
        b->Show();
        return b;
    }
    // Releases the mouse over a cell: focuses the box and places the caret.
    void ClickCell(TextBoxCustom* b, int col, int row = 0) {
        xt::Click(&form, b->GetPosition().x + col * b->GetCharWidth() + b->GetCharWidth() / 2,
                  b->GetPosition().y + 4 + row * b->GetLineHeight() + b->GetLineHeight() / 2);
    }
    // Plays a script: "{@c}" or "{@c,r}" clicks a cell, "{Name}" presses a
    // key (Name as in kKeys), anything else is typed.
    void Play(TextBoxCustom* b, const std::string& script) {
        static const std::map<std::string, KeySym> kKeys = {
            {"L", XK_Left},     {"R", XK_Right},    {"U", XK_Up},       {"D", XK_Down},   {"BS", XK_BackSpace},
            {"DEL", XK_Delete}, {"RET", XK_Return}, {"ESC", XK_Escape}, {"HOME", XK_Home}};
        for (size_t i = 0; i < script.size(); ++i) {
            if (script[i] != '{') {
                xt::Type(&form, script.substr(i, 1));
                continue;
            }
            const size_t end = script.find('}', i);
            const std::string token = script.substr(i + 1, end - i - 1);
            i = end;
            if (token == "^A")
                xt::Key(&form, XK_a, ControlMask);
            else if (token[0] == '@')
                ClickCell(b, std::stoi(token.substr(1)),
                          token.find(',') == std::string::npos ? 0 : std::stoi(token.substr(token.find(',') + 1)));
            else
                xt::Key(&form, kKeys.at(token));
        }
    }

    ScratchFolder scratch;
    xt::TestForm form{640, 480};
    std::vector<std::unique_ptr<TextBoxCustom>> boxes;
};

// Typing overwrites, Backspace closes the gap, Delete blanks; control
// characters other than the ignored ones beep, and so do keys that cannot
// move the caret or characters that do not fit the mode or the buffer.
TEST_F(TextBoxCustomTest, EditingRules) {
    const std::string full(29, 'y');
    struct {
        int modes;
        std::string text, script, expected;
        int caret, beeps;
    } cases[] = {
        {kPlain, "hello  ", "{@1}EY", "hEYlo", 3, 0},
        {kPlain, "hello  ", "{@1}EY{BS}{DEL}{RET}{ESC}{HOME}", "hE o", 2, 0},
        {kPlain, "hello", "{@1}{^A}{L}{L}{L}", "hello", 0, 1},
        {kPlain, "hello", "{@15}{R}", "hello", 5, 1},
        {kMax3, "", "{@0}abcdef", "abc", 3, 3},
        {kMax3, "", "{@0}abc{DEL}{BS}", "ab", 2, 0},
        {kDate, "", "{@0}01", "01/", 3, 0},
        {kDate, "", "{@0}01{L}{R}{BS}", "0", 1, 0},
        {kDate, "", "{@0}01{L}{R}{BS}10220249x{BS}", "01/02/202", 9, 2},
        {kDecimal, "", "{@0}1a2.3.4", "12.34", 5, 2},
        {kGrid10x3, "", "{@0}abc{L}{L}X{@9}{RET}de", "aXbc\rde", 7, 0},
        {kGrid10x3, "", "{@0}abc{L}{L}X{@9}{RET}de{U}{U}{D}", "aXbc\rde", 2, 2},
        {kGrid10x3, "", "{@0}abc{L}{L}X{@9}{RET}de{U}{L}{D}", "aXbc\rde", 6, 0},
        {kGrid10x3, "", "{@0}" + full + "yyy{RET}", full, 29, 4}, // the text and one cell for the caret
        {kShiftDelete, "abcd", "{@1}{DEL}", "acd", 1, 0},
        {kReadOnly, "abc", "{@3}zz{L}", "abc", 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        TextBoxCustom* b = Make(c.text, c.modes);
        Play(b, c.script);
        EXPECT_EQ(b->GetText(), c.expected);
        EXPECT_EQ(b->GetCaret(), c.caret);
        EXPECT_EQ(beeps, c.beeps);
        b->Hide();
    }
}

// The buffer is sized when the box is first shown: text set later is cut to
// it, and a later maximum changes nothing.
TEST_F(TextBoxCustomTest, MaxLengthBoundsTypingCaretAndText) {
    TextBoxCustom* b = Make("", kMax3);
    b->SetMaxLength(50);
    b->SetText("a much longer text than the buffer");
    ClickCell(b, 10);
    EXPECT_EQ(b->GetText() + std::to_string(b->GetCaret()), "a m3");
    EXPECT_TRUE(b->GetCellRecord(0) && !b->GetCellRecord(b->Columns() * b->Rows() + 1)); // a cell past the last: none
    TextBoxCustom unshown(&form, "");
    unshown.SetMaxLength(3);
    unshown.SetText("abcdef"); // before its buffer exists, the caret still stays inside it
    EXPECT_EQ(unshown.GetCaret(), 3);
    static uint32_t heard = 0;
    b->SetOnKeyDown([](GUIElement*, uint32_t key) { heard = key; }); // a handler hears keys too
    xt::Key(&form, XK_Home);
    EXPECT_EQ(heard, XK_Home);
}

TEST_F(TextBoxCustomTest, EditsAreNotLostOrMisplaced) {
    // A date mask set on a created box with a smaller buffer gets room for it.
    TextBoxCustom* date = Make("");
    date->SetMaxLength(4);
    date->SetDateMode(true);
    ClickCell(date, 0);
    xt::Type(&form, "12345678");
    EXPECT_EQ(date->GetText(), "12/34/5678");
    date->SetDateMode(false);
    date->SetText("");
    xt::Type(&form, "ab"); // typed into the buffer only, then kept when multi-line editing starts
    date->SetMultiLine(true);
    xt::Type(&form, "c");
    EXPECT_EQ(date->GetText(), "abc");

    // Multi-line: a blanked character stays blank after the next insertion,
    // and a line break at the end survives a change of focus.
    TextBoxCustom* m = Make("abc", kPlain, 50, 60);
    m->SetMultiLine(true);
    Play(m, "{@1}{DEL}X{@9}{RET}");
    xt::Click(&form, 400, 400);
    Play(m, "{@0,1}d");
    EXPECT_EQ(m->GetText(), "aX c\rd");
}

} // namespace
