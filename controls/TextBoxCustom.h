// The editable text field. Its text sits on a fixed grid of character cells
// (every character takes one cell of the same width), the caret is a cell
// painted in the caret colour, and only the cells whose character or colours
// changed are drawn again. Single-line boxes overwrite a space-padded buffer
// of fixed length; multi-line boxes insert and break lines at carriage
// returns. Filters for digits, one decimal point and a dd/mm/yyyy mask, and a
// password display, are switched on by setters.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/ControlBase.h"

class Graphics;

class TextBoxCustom : public ControlBase {
public:
    // What one grid cell showed when it was last drawn.
    struct CellRecord {
        char character = ' ';
        uint32_t fore = 0;
        uint32_t back = 0;
        int32_t index = 0; // text index shown by the cell
    };

    // The most cells a box remembers between paints; a larger grid is used
    // only up to this many cells.
    static constexpr int kMaxCells = 1600;

    TextBoxCustom(GUIElement* parentElement, const std::string& initialText);
    ~TextBoxCustom() override;

    // Stores enabled and repaints when created.
    virtual void SetEnabled(bool flag);
    // Draws the cells from the caret on (everything when full).
    virtual void Redraw(bool full);
    // Draws the text cells; without full, from one before `from` on, and only
    // the cells whose character or colours changed.
    virtual void DrawCells(bool full, int from);

    void SetForeColor(uint32_t rgb);
    void SetCaretColor(uint32_t rgb);
    // Only before Create: the buffer is sized there. 0 to 1 << 20.
    void SetMaxLength(int32_t n);
    void SetMultiLine(bool flag);
    // Date mask dd/mm/yyyy: digits only, ten characters.
    void SetDateMode(bool flag);
    void SetReadOnly(bool flag);
    void SetDigitsOnly(bool flag);
    void SetAllowDecimalPoint(bool flag);
    void SetPassword(bool flag);
    void SetAlignRight(bool flag);
    void SetAlignCentre(bool flag);
    void SetAlignLeft(bool flag);
    void SetBorder(bool flag);
    // Delete closes the gap instead of blanking; turns multi-line on.
    void SetShiftOnDelete(bool flag);
    void Repaint();

    // Settable properties with no effect of their own: two independent ones
    // (repainting), a pair in which setting one clears the other
    // (repainting), and one stored without a repaint.
    void SetOption1(bool flag);
    void SetOption2(bool flag);
    void SetOptionPairFirst(bool flag);
    void SetOptionPairSecond(bool flag);
    void SetOption5(bool flag);
    bool GetOption1() const { return option1; }
    bool GetOption2() const { return option2; }
    bool GetOptionPairFirst() const { return optionPairFirst; }
    bool GetOptionPairSecond() const { return optionPairSecond; }
    bool GetOption5() const { return option5; }

    uint32_t GetForeColor() const { return foreColor; }
    uint32_t GetCaretColor() const { return caretColor; }
    int32_t GetCaret() const { return caret; }
    int32_t GetLength() const { return length; }
    int32_t GetMaxLength() const { return maxLength; }
    bool IsMultiLine() const { return multiLine; }
    bool IsDateMode() const { return dateMode; }
    bool IsReadOnly() const { return readOnly; }
    bool IsDigitsOnly() const { return digitsOnly; }
    bool IsAllowDecimalPoint() const { return allowDecimalPoint; }
    bool IsPassword() const { return password; }
    bool IsAlignRight() const { return alignRight; }
    bool IsAlignCentre() const { return alignCentre; }
    bool HasBorder() const { return border; }
    bool IsShiftOnDelete() const { return shiftOnDelete; }
    int32_t GetLineHeight() const { return lineHeight; }
    int32_t GetCharWidth() const { return charWidth; }
    // Grid size for the current geometry (0 for a box too narrow for a cell).
    int Columns();
    int Rows();
    // Remembered cells (none before Create); null outside the table.
    int CellRecordCount() const { return static_cast<int>(cells.size()); }
    const CellRecord* GetCellRecord(int k) const;

    void SetSize(int w, int h) override;
    void Hide() override;
    void SetText(const std::string& value) override;
    std::string GetText() override;
    void Create() override;
    void Paint() override;
    void MouseUp(Point point) override;
    void KeyDown(uint32_t keysym) override;
    bool KeyChar(char character) override;
    void GotFocus() override;
    void LostFocus() override;
    void SetFocus() override;

protected:
    std::vector<char> buffer; // maxLength + 1 bytes once created, NUL last
    uint32_t foreColor = 0x000000;
    int32_t caret = 0;
    int32_t length = 0;
    uint32_t caretColor = kHighlight;
    int32_t maxLength = 256;
    bool multiLine = false;
    bool dateMode = false;
    bool readOnly = false;
    bool digitsOnly = false;
    bool allowDecimalPoint = false;
    bool password = false;
    bool alignRight = false;
    bool alignCentre = false;
    bool border = true;
    bool shiftOnDelete = false;
    int32_t lineHeight = 0;
    int32_t charWidth = 0;
    std::vector<CellRecord> cells;
    bool option1 = false;
    bool option2 = false;
    bool optionPairFirst = false;
    bool optionPairSecond = false;
    bool option5 = false;

private:
    // Copies the element text into the space-padded buffer; caret at its end.
    void LoadBuffer();
    // A single-line box types into its buffer only: copies that into the
    // element text before the buffer is remade or multi-line editing starts.
    void KeepTypedText();
    // Sizes the buffer (maxLength + 1) and the cell table for the grid.
    void Allocate();
    // A box is never lower than one row of cells.
    void RaiseHeight();
    int BackgroundColor();
    void RepaintIfCreated();
    // Stores a flag and repaints when created; the exclusive form first
    // clears the other flag of its pair when the flag is set.
    void Store(bool flag, bool& field);
    void StoreExclusive(bool flag, bool& field, bool& other);
    // The text being edited: the element text in multi-line mode, the
    // buffer's contents otherwise.
    std::string EditText();
    // The layout of the text on the grid that DrawCells and Fits share.
    template <typename Visit>
    int WalkCells(std::string_view shown, Visit visit);
    // Whether `candidate` leaves room on the grid up to index n.
    bool Fits(const std::string& candidate, int n);
    // Index of the remembered cell that shows the caret, or -1.
    int CaretCell();
    void ClampCaret();
    bool DateSeparatorAt(int index) const { return dateMode && (index == 2 || index == 5); }

    // The two kinds of grid place DrawCells draws: the rest of a line after
    // a line break (and a caret standing on the break), and one character.
    void DrawLineBreak(Graphics& g, const Rect& r, int i, int col, int line);
    void DrawCharacter(Graphics& g, const Rect& r, int i, int col, int line, bool full);
    // Horizontal alignment of a character in its cell, as DrawText takes it.
    int Alignment() const;

    void Backspace();
    void DeleteAtCaret();
    void TypeCharacter(char c);
    // A printable character: refused (with a beep) by a full box, and by a
    // digits-only box unless it is a digit or the one decimal point allowed.
    void TypePrintable(char character);
    // The caret one row up or down in a multi-line box.
    void CaretUp();
    void CaretDown();
};
