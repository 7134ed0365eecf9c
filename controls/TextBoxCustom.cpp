#include "controls/TextBoxCustom.h"

#include <X11/keysym.h>

#include <algorithm>

#include "app/Application.h"
#include "app/Form.h"
#include "app/Log.h"
#include "app/Services.h"
#include "gfx/Graphics.h"
#include "util/Strings.h"

namespace {

constexpr char kCarriageReturn = 13;
constexpr char kLineFeed = 10;
// Longer buffers are refused: one is allocated whole for every box.
constexpr int32_t kLongestBuffer = 1 << 20;

} // namespace

TextBoxCustom::TextBoxCustom(GUIElement* parentElement, const std::string& initialText) : ControlBase(parentElement) {
    typeTag = kTextBoxTag;
    repaintWithContainer = true;
    backColor = 0xFFFFFF;
    width = 80;
    height = 30;
    text = StrTrimRight(initialText);
    length = static_cast<int32_t>(text.size());
    // Cells are sized on the main window's font.
    lineHeight = std::max(1, Graphics::MainAscent() + 1 + 4);
    charWidth = std::max(1, Graphics::TextWidth("M") + 2);
}

TextBoxCustom::~TextBoxCustom() = default;

// ---------------------------------------------------------------- setters

void TextBoxCustom::RepaintIfCreated() {
    if (created) Paint();
}

void TextBoxCustom::Store(bool flag, bool& field) {
    field = flag;
    RepaintIfCreated();
}

void TextBoxCustom::StoreExclusive(bool flag, bool& field, bool& other) {
    if (flag) other = false;
    Store(flag, field);
}

void TextBoxCustom::SetForeColor(uint32_t rgb) { foreColor = rgb & 0xFFFFFF; }
void TextBoxCustom::SetCaretColor(uint32_t rgb) { caretColor = rgb & 0xFFFFFF; }

void TextBoxCustom::SetMaxLength(int32_t n) {
    if (created) return;
    if (n < 0 || n > kLongestBuffer) {
        Log("TextBoxCustom::SetMaxLength: length " + IntToStr(n) + " out of range, ignored");
        return;
    }
    maxLength = n;
}

void TextBoxCustom::SetMultiLine(bool flag) {
    KeepTypedText();
    multiLine = flag;
    RepaintIfCreated();
}

void TextBoxCustom::SetDateMode(bool flag) {
    dateMode = flag;
    digitsOnly = flag;
    if (flag) {
        shiftOnDelete = false;
        if (maxLength != 10) {
            // A created box gets a buffer of the new size at once, so that
            // no index ever runs past the one it has.
            if (created) text = EditText();
            maxLength = 10;
            if (created) {
                Allocate();
                LoadBuffer();
            }
        }
    }
    RepaintIfCreated();
}

void TextBoxCustom::SetReadOnly(bool flag) { Store(flag, readOnly); }
void TextBoxCustom::SetDigitsOnly(bool flag) { Store(flag, digitsOnly); }
void TextBoxCustom::SetAllowDecimalPoint(bool flag) { Store(flag, allowDecimalPoint); }
void TextBoxCustom::SetPassword(bool flag) { Store(flag, password); }
void TextBoxCustom::SetAlignRight(bool flag) { StoreExclusive(flag, alignRight, alignCentre); }
void TextBoxCustom::SetAlignCentre(bool flag) { StoreExclusive(flag, alignCentre, alignRight); }

void TextBoxCustom::SetAlignLeft(bool flag) {
    if (flag) {
        alignRight = false;
        alignCentre = false;
    }
    RepaintIfCreated();
}

void TextBoxCustom::SetBorder(bool flag) { border = flag; }

void TextBoxCustom::SetShiftOnDelete(bool flag) {
    KeepTypedText();
    shiftOnDelete = flag;
    if (flag) multiLine = true;
}

void TextBoxCustom::Repaint() { RepaintIfCreated(); }

void TextBoxCustom::SetOption1(bool flag) { Store(flag, option1); }
void TextBoxCustom::SetOption2(bool flag) { Store(flag, option2); }
void TextBoxCustom::SetOptionPairFirst(bool flag) { StoreExclusive(flag, optionPairFirst, optionPairSecond); }
void TextBoxCustom::SetOptionPairSecond(bool flag) { StoreExclusive(flag, optionPairSecond, optionPairFirst); }

void TextBoxCustom::SetOption5(bool flag) { option5 = flag; }

void TextBoxCustom::SetEnabled(bool flag) { Store(flag, enabled); }

// ---------------------------------------------------------------- geometry

void TextBoxCustom::RaiseHeight() {
    if (height < lineHeight + 6) height = lineHeight + 6;
}

int TextBoxCustom::Columns() { return std::max(0, (width - 6) / charWidth); }

int TextBoxCustom::Rows() {
    const int h = std::max(height, lineHeight + 6);
    return std::max(0, (h - 6) / lineHeight);
}

const TextBoxCustom::CellRecord* TextBoxCustom::GetCellRecord(int k) const {
    if (k < 0 || k >= static_cast<int>(cells.size())) return nullptr;
    return &cells[static_cast<size_t>(k)];
}

int TextBoxCustom::BackgroundColor() { return enabled ? OwnBackOrDefault() : kDisabledBack; }

void TextBoxCustom::ClampCaret() {
    if (caret < 0) caret = 0;
    if (caret > maxLength) caret = maxLength;
}

// ---------------------------------------------------------------- lifecycle

void TextBoxCustom::SetSize(int w, int h) {
    const int minimum = std::max(font.GetSize() + 10, lineHeight + 6);
    ControlBase::SetSize(w, std::max(h, minimum));
}

void TextBoxCustom::KeepTypedText() {
    if (created && !multiLine && !buffer.empty()) GetText();
}

void TextBoxCustom::Hide() {
    // The buffer is made anew when the box shows again, so a move or resize
    // keeps what was typed through the element text.
    KeepTypedText();
    ControlBase::Hide();
}

void TextBoxCustom::Allocate() {
    buffer.assign(static_cast<size_t>(maxLength) + 1, ' ');
    buffer[static_cast<size_t>(maxLength)] = '\0';
    RaiseHeight();
    const long count = std::min<long>(static_cast<long>(Columns()) * Rows() + 1, kMaxCells);
    CellRecord blank;
    blank.character = ' ';
    blank.fore = enabled ? foreColor : kDisabledInk;
    blank.back = static_cast<uint32_t>(BackgroundColor());
    blank.index = maxLength;
    cells.assign(static_cast<size_t>(count), blank);
}

void TextBoxCustom::Create() {
    if (created) return;
    Allocate();
    LoadBuffer();
    CreateBase(true);
}

void TextBoxCustom::LoadBuffer() {
    if (buffer.empty()) return;
    std::string source = text;
    if (!multiLine) {
        const size_t lf = source.find(kLineFeed);
        if (lf != std::string::npos) source.resize(lf);
    }
    std::fill(buffer.begin(), buffer.end(), ' ');
    buffer[static_cast<size_t>(maxLength)] = '\0';
    const size_t count = std::min(static_cast<size_t>(maxLength), source.size());
    std::copy(source.begin(), source.begin() + static_cast<long>(count), buffer.begin());
    caret = static_cast<int32_t>(count);
}

void TextBoxCustom::SetText(const std::string& value) {
    text = value;
    length = static_cast<int32_t>(std::min<size_t>(value.size(), INT32_MAX));
    caret = std::max(length - 1, 0);
    ClampCaret();
    if (created) {
        LoadBuffer();
        Paint();
    }
}

std::string TextBoxCustom::GetText() {
    if (!created || buffer.empty()) return text;
    const std::string value = StrTrimRight(std::string(buffer.data()));
    // A multi-line box edits its element text directly; trimming that would
    // lose the line breaks typed at its end.
    if (!multiLine) text = value;
    return value;
}

std::string TextBoxCustom::EditText() { return multiLine ? text : GetText(); }

// ---------------------------------------------------------------- painting

void TextBoxCustom::Paint() {
    if (!CanPaint()) return;
    RaiseHeight();
    Graphics g(OwnerForm());
    const Rect r = FormRect();
    g.FillRectangle(r, BackgroundColor());
    if (border) {
        // A raised edge around a sunken one.
        g.DrawFrame(r, kWhite, kBlack);
        g.DrawFrame(r.Inset(1), kBlack, kWhite);
    }
    Redraw(true);
}

void TextBoxCustom::Redraw(bool full) { DrawCells(full, caret); }

// The grid's one layout rule, shared by drawing and by the check that an
// edit fits. Each index from 0 to maxLength takes the next cell of its
// line, or the first of the next line when its line is full; a carriage
// return (but not in a password box, which shows it as a character) ends
// its line. visit(index, column, line, lineBreak) is called with the cell
// of each character, or with the place of each line break; the walk stops
// when it returns false. Returns the first index that lands outside the
// grid (below the last row or past the remembered cells), else -1.
template <typename Visit>
int TextBoxCustom::WalkCells(std::string_view shown, Visit visit) {
    const int cols = Columns();
    const long cellCount = std::min<long>(static_cast<long>(cols) * Rows(), static_cast<long>(cells.size()));
    const int h = std::max(height, lineHeight + 6);
    int col = 0;
    int line = 0;
    for (int i = 0; i <= maxLength; ++i) {
        const char c = i < static_cast<int>(shown.size()) ? shown[static_cast<size_t>(i)] : ' ';
        if (!password && c == kCarriageReturn) {
            if (!visit(i, col, line, true)) return -1;
            ++line;
            col = 0;
            continue;
        }
        if (charWidth * col > (width - 6) - charWidth) {
            ++line;
            col = 0;
        }
        const long k = static_cast<long>(cols) * line + col;
        if ((line + 1) * lineHeight > h - 6 || k >= cellCount) return i;
        if (!visit(i, col, line, false)) return -1;
        ++col;
    }
    return -1;
}

void TextBoxCustom::DrawCells(bool full, int from) {
    if (!CanPaint() || buffer.empty()) return;
    RaiseHeight();
    if (static_cast<long>(Columns()) * Rows() <= 0) return;

    int start = 0;
    if (!full) {
        start = std::max(from - 1, 0);
        if (dateMode && (from == 3 || from == 6)) start = std::max(start - 1, 0);
    }

    Graphics g(OwnerForm());
    const Rect r = FormRect();
    const int dropped = WalkCells({buffer.data(), buffer.size()}, [&](int i, int col, int line, bool lineBreak) {
        if (lineBreak)
            DrawLineBreak(g, r, i, col, line);
        else if (i >= start)
            DrawCharacter(g, r, i, col, line, full);
        return true;
    });
    if (dropped < 0) return;
    // Text below the last row (or past the last usable cell) is dropped; the
    // closing NUL stays.
    if (dropped < maxLength) buffer[static_cast<size_t>(dropped)] = ' ';
    if (dropped == start) {
        if (caret > 0) --caret;
        Beep();
    }
}

void TextBoxCustom::DrawLineBreak(Graphics& g, const Rect& r, int i, int col, int line) {
    const int cw = charWidth, lh = lineHeight, cols = Columns();
    const int x = r.x + 3 + cw * col;
    const int y = r.y + 2 + lh * line;
    // The rest of the line is blanked and remembered as the break.
    if (r.width - 6 - cw > cw * col) {
        const int bg = BackgroundColor();
        if ((line + 1) * lh < r.height) g.FillRectangle(x, y + 1, (r.width - 6) - cw * col, lh + 1, 0, 0, bg);
        const long rowEnd = std::min<long>(static_cast<long>(cols) * (line + 1), static_cast<long>(cells.size()));
        for (long k = static_cast<long>(cols) * line + col; k < rowEnd; ++k) {
            CellRecord& record = cells[static_cast<size_t>(k)];
            record.character = kCarriageReturn;
            record.fore = foreColor;
            record.back = static_cast<uint32_t>(bg);
            record.index = i;
        }
    }
    // A caret on a line break below the grid is not drawn outside the box.
    if (hasFocus && enabled && caret == i && !readOnly && line < Rows())
        g.DrawText(x, y + 1, cw, lh, " ", static_cast<int>(foreColor), static_cast<int>(caretColor), 0);
}

void TextBoxCustom::DrawCharacter(Graphics& g, const Rect& r, int i, int col, int line, bool full) {
    char c = buffer[static_cast<size_t>(i)];
    if (c == kLineFeed || c == '\0') c = ' ';
    if (password && c != ' ') c = '*';
    const uint32_t bg = static_cast<uint32_t>(BackgroundColor());
    const uint32_t fg = enabled ? foreColor : static_cast<uint32_t>(kDisabledInk);
    const uint32_t cellBack = (enabled && hasFocus && caret == i && !readOnly) ? caretColor : bg;
    CellRecord& record = cells[static_cast<size_t>(static_cast<long>(Columns()) * line + col)];
    record.index = i;
    if (!full && record.character == c && record.fore == fg && record.back == cellBack) return;
    const int x = r.x + 3 + charWidth * col;
    const int y = r.y + 2 + lineHeight * line;
    g.DrawText(x, y + 1, charWidth, lineHeight, std::string(1, c), static_cast<int>(fg), static_cast<int>(cellBack),
               Alignment());
    record.character = c;
    record.fore = fg;
    record.back = cellBack;
}

int TextBoxCustom::Alignment() const {
    if (multiLine) return 0;
    return alignCentre ? 2 : alignRight ? 1 : 0;
}

// ---------------------------------------------------------------- editing

bool TextBoxCustom::Fits(const std::string& candidate, int n) {
    bool reached = false;
    WalkCells(candidate, [&](int i, int, int, bool lineBreak) {
        reached = !lineBreak && i >= n;
        return !reached;
    });
    return reached;
}

void TextBoxCustom::Backspace() {
    if (caret <= 0) return;
    const bool dateJump = dateMode && (caret == 3 || caret == 6);
    std::string t = EditText();
    if (static_cast<int>(t.size()) < caret) t.resize(static_cast<size_t>(caret), ' ');
    const int removeCount = dateJump ? 2 : 1;
    t.erase(static_cast<size_t>(caret - removeCount), static_cast<size_t>(removeCount));
    if (dateMode) {
        t.erase(std::remove(t.begin(), t.end(), '/'), t.end());
        t = StrTrimRight(t);
        if (t.size() > 1) t.insert(2, 1, '/');
        if (t.size() > 4) t.insert(5, 1, '/');
    }
    const int oldCaret = caret;
    text = t;
    LoadBuffer();
    length = std::max(length - removeCount, 0);
    caret = oldCaret - removeCount;
    ClampCaret();
    DrawCells(false, caret);
}

void TextBoxCustom::DeleteAtCaret() {
    if (shiftOnDelete) {
        std::string t = EditText();
        const int keep = caret;
        if (caret < static_cast<int>(t.size())) {
            t.erase(static_cast<size_t>(caret), 1);
            length = std::max(length - 1, 0);
        }
        text = t;
        LoadBuffer();
        caret = keep;
        ClampCaret();
    } else if (caret < maxLength) {
        buffer[static_cast<size_t>(caret)] = ' ';
        // Multi-line edits work on the element text: blank it there too, or
        // the next insertion would bring the character back.
        if (multiLine && caret < static_cast<int>(text.size())) text[static_cast<size_t>(caret)] = ' ';
    }
    Redraw(false);
}

void TextBoxCustom::TypeCharacter(char c) {
    if (!multiLine) {
        buffer[static_cast<size_t>(caret)] = c;
        ++caret;
        if (DateSeparatorAt(caret) && caret < maxLength) {
            buffer[static_cast<size_t>(caret)] = '/';
            ++caret;
            length += 2;
        } else {
            ++length;
        }
        Redraw(false);
        return;
    }
    std::string t = text;
    if (static_cast<int>(t.size()) < caret) t.resize(static_cast<size_t>(caret), ' ');
    t.insert(static_cast<size_t>(caret), 1, c);
    if (!Fits(t, length + 1)) {
        Beep();
        return;
    }
    const int oldCaret = caret;
    text = t;
    LoadBuffer();
    caret = oldCaret + 1;
    ClampCaret();
    ++length;
    Redraw(false);
}

bool TextBoxCustom::KeyChar(char character) {
    if (!enabled || readOnly) return false;
    if (!GUIElement::KeyChar(character)) return false;
    if (!created || buffer.empty()) return true;
    ClampCaret();
    const unsigned char u = static_cast<unsigned char>(character);

    if (u == 8) {
        Backspace();
    } else if (u == 127) {
        DeleteAtCaret();
    } else if (u == kCarriageReturn) {
        if (multiLine && caret < maxLength) TypeCharacter(character);
    } else if (u < 32) {
        if (u != 27) Beep();
    } else {
        TypePrintable(character);
    }
    return true;
}

void TextBoxCustom::TypePrintable(char character) {
    if (digitsOnly && (character < '0' || character > '9')) {
        const bool point =
            character == '.' && allowDecimalPoint && GetText().find('.') == std::string::npos && caret < maxLength;
        if (!point) {
            Beep();
            return;
        }
    }
    if (caret >= maxLength) {
        Beep();
        return;
    }
    TypeCharacter(character);
}

// ---------------------------------------------------------------- caret

int TextBoxCustom::CaretCell() {
    const long count = std::min<long>(static_cast<long>(Columns()) * Rows(), static_cast<long>(cells.size()));
    for (int k = 0; k < count; ++k)
        if (cells[static_cast<size_t>(k)].index == caret) return k;
    return -1;
}

void TextBoxCustom::KeyDown(uint32_t keysym) {
    GUIElement::KeyDown(keysym);
    if (!created || buffer.empty()) return;
    ClampCaret();
    switch (keysym) {
    case XK_Right:
        if (caret >= length) {
            Beep();
            return;
        }
        caret = std::min(caret + 1, maxLength);
        if (DateSeparatorAt(caret)) caret = std::min(caret + 1, maxLength);
        Redraw(false);
        break;
    case XK_Left:
        if (DateSeparatorAt(caret - 1))
            caret -= 2;
        else
            caret -= 1;
        ClampCaret();
        Redraw(false);
        break;
    case XK_Up: CaretUp(); break;
    case XK_Down: CaretDown(); break;
    default: break;
    }
}

void TextBoxCustom::CaretUp() {
    if (!multiLine) return;
    const int cols = Columns();
    const int k = CaretCell();
    if (k < 0 || cols <= 0) return;
    if (k / cols == 0) {
        Beep();
        return;
    }
    caret = cells[static_cast<size_t>(k - cols)].index;
    ClampCaret();
    DrawCells(false, caret);
}

// Down stops at the last row and at the end of the text.
void TextBoxCustom::CaretDown() {
    if (!multiLine) return;
    const int cols = Columns();
    const int k = CaretCell();
    if (k < 0 || cols <= 0) return;
    const int below = k + cols;
    if (k / cols >= Rows() - 1 || below >= static_cast<int>(cells.size())) {
        Beep();
        return;
    }
    const int target = cells[static_cast<size_t>(below)].index;
    if (target >= length) {
        Beep();
        return;
    }
    const int oldCaret = caret;
    caret = target;
    ClampCaret();
    DrawCells(false, oldCaret);
}

void TextBoxCustom::MouseUp(Point point) {
    ControlBase::MouseUp(point);
    if (!created || buffer.empty()) return;
    // The point is in form coordinates, so the box's corner is taken there
    // too (it differs from the stored position inside a panel).
    const Point corner = FormPos();
    const int dx = point.x - corner.x;
    const int dy = point.y - corner.y - 4;
    const int cols = Columns();
    if (dx < 0 || cols <= 0) return;
    // A click right of the last column stays on its own row.
    const int col = std::min(dx / charWidth, cols - 1);
    const int row = dy / lineHeight;
    const long k = static_cast<long>(col) + static_cast<long>(row) * cols;
    if (k < 0 || k > kMaxCells - 1 || k >= static_cast<long>(cells.size()) || k >= static_cast<long>(cols) * Rows())
        return;
    const int index = cells[static_cast<size_t>(k)].index;
    caret = index < length ? index : std::max(length, 0);
    if (DateSeparatorAt(caret)) --caret;
    ClampCaret();
    DrawCells(false, 0);
}

// ---------------------------------------------------------------- focus

void TextBoxCustom::GotFocus() {
    ControlBase::GotFocus();
    Redraw(false);
}

void TextBoxCustom::LostFocus() {
    ControlBase::LostFocus();
    Redraw(false);
}

void TextBoxCustom::SetFocus() {
    if (!created) return;
    ControlBase::SetFocus();
    GotFocus();
    GUIElement* previous = Application::focused;
    if (previous != nullptr && previous != this) previous->LostFocus();
    Application::focused = this;
}
