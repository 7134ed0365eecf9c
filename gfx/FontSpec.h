// A font description (family, pixel size, bold, italic) that loads its X
// font on first use and frees it when destroyed.
#pragma once
#include <X11/Xlib.h>
#include <string>

class FontSpec {
public:
    FontSpec();
    explicit FontSpec(const std::string& family);
    FontSpec(const std::string& family, int size);
    ~FontSpec();
    // Copies the description only; the copy loads its own font on first use.
    FontSpec(const FontSpec& other);
    FontSpec& operator=(const FontSpec& other);

    std::string ComposeName();
    void Load(Display* display);
    XFontStruct* GetFontStruct(Display* display);
    int GetSize() const;

    std::string GetFamily() const { return family; }
    bool IsBold() const { return bold; }
    bool IsItalic() const { return italic; }
    bool IsLoaded() const { return loaded; }
    bool GetOption1() const { return option1; }
    bool GetOption2() const { return option2; }
    bool GetOption3() const { return option3; }
    void SetBold(bool flag) { bold = flag; }
    void SetItalic(bool flag) { italic = flag; }
    void SetOption1(bool flag) { option1 = flag; }
    void SetOption2(bool flag) { option2 = flag; }
    void SetOption3(bool flag) { option3 = flag; }
    std::string GetXlfdName() const { return xlfdName; }

private:
    void Free();

    XFontStruct* fontStruct = nullptr;
    bool loaded = false;
    Display* display = nullptr;
    std::string family;
    int size = 14;
    bool bold = false;
    bool italic = false;
    bool option1 = false;
    bool option2 = false;
    bool option3 = true;
    std::string xlfdName;
};
