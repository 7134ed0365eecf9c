// The passive text cell: one wrapped caption, an optional sunken border, a
// small picture, a corner asterisk and a highlight colour pair that leaves
// the normal colours untouched. It takes no input of its own.
#pragma once
#include <X11/Xlib.h>
#include <cstdint>
#include <string>

#include "gfx/ControlBase.h"

class CellControl : public ControlBase {
public:
    explicit CellControl(GUIElement* parentElement);

    // These compare first; a new value is stored, marks the cell changed and
    // repaints when created.
    void SetAlignment(int32_t value);
    void SetForeColor(uint32_t rgb);
    void SetBorder(bool flag);
    void SetMarked(bool flag);
    void SetFontName(const std::string& value);
    void SetFontSize(int32_t value);
    void SetBold(bool flag);
    void SetItalic(bool flag);
    void SetUnderline(bool flag);
    // These store without comparing and leave the changed mark alone.
    void SetHighlight(bool flag);
    void SetHighlightForeColor(uint32_t rgb);
    void SetHighlightBackColor(uint32_t rgb);
    void SetPicture(XImage* image, int32_t w, int32_t h, int32_t alignment);
    // Back to the colour the cell had when it last appeared, if it changed.
    void RestoreBackColor();

    uint32_t GetForeColor() const { return foreColor; }
    bool IsChanged() const { return changed; }
    void ClearChanged() { changed = false; }
    bool IsHighlight() const { return highlight; }
    bool IsMarked() const { return marked; }
    bool HasBorder() const { return border; }
    int32_t GetAlignment() const { return alignment; }
    const std::string& GetFontName() const { return fontName; }
    int32_t GetFontSize() const { return fontSize; }
    void SetUserData(const std::string& value) { userData = value; }
    const std::string& GetUserData() const { return userData; }

    // A cell keeps the element's plain size and position stores.
    void SetSize(int w, int h) override;
    void SetPosition(int newX, int newY) override;
    void SetText(const std::string& value) override;
    void Hide() override;
    void Create() override;
    void Paint() override;

protected:
    std::string userData;
    uint32_t foreColor = 0x000000;
    int32_t alignment = 2;
    bool border = false;
    bool highlight = false;
    uint32_t highlightForeColor = 0x000000;
    uint32_t highlightBackColor = kHighlight;
    bool marked = false;
    XImage* picture = nullptr; // not owned
    int32_t pictureWidth = 0;
    int32_t pictureHeight = 0;
    int32_t pictureAlignment = 1;
    int64_t savedBackColor = -1;
    std::string fontName = "Topaz";
    int32_t fontSize = 8;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool changed = false;

private:
    // Stores a compared property: marks changed and repaints when created.
    template <typename T>
    void Store(T& field, const T& value);
};
