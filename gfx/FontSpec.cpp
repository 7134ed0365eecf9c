#include "gfx/FontSpec.h"

#include "app/Log.h"
#include "util/Strings.h"

FontSpec::FontSpec() = default;
FontSpec::FontSpec(const std::string& fam) : family(fam) {}
FontSpec::FontSpec(const std::string& fam, int sz) : family(fam), size(sz) {}

FontSpec::~FontSpec() { Free(); }

FontSpec::FontSpec(const FontSpec& other)
    : family(other.family), size(other.size), bold(other.bold), italic(other.italic), option1(other.option1),
      option2(other.option2), option3(other.option3), xlfdName(other.xlfdName) {}

FontSpec& FontSpec::operator=(const FontSpec& other) {
    if (this == &other) return *this;
    Free();
    family = other.family;
    size = other.size;
    bold = other.bold;
    italic = other.italic;
    option1 = other.option1;
    option2 = other.option2;
    option3 = other.option3;
    xlfdName = other.xlfdName;
    return *this;
}

void FontSpec::Free() {
    if (loaded && fontStruct != nullptr && display != nullptr) XFreeFont(display, fontStruct);
    fontStruct = nullptr;
    loaded = false;
}

std::string FontSpec::ComposeName() {
    std::string n = family.empty() ? "-*-*-" : "-" + family + "-";
    n += bold ? "Bold-R-" : "Medium-R-";
    n += italic ? "Italic--" : "Normal--";
    n += IntToStr(GetSize());
    n += "-*";
    xlfdName = n;
    return n;
}

void FontSpec::Load(Display* d) {
    Free();
    display = d;
    if (d == nullptr) {
        Log("XLoadQueryFont failed");
        return;
    }
    std::string n = ComposeName();
    XFontStruct* f = XLoadQueryFont(d, n.c_str());
    if (f == nullptr) {
        Log("XLoadQueryFont failed");
        return;
    }
    fontStruct = f;
    loaded = true;
}

XFontStruct* FontSpec::GetFontStruct(Display* d) {
    if (fontStruct != nullptr) return fontStruct;
    Load(d);
    return fontStruct;
}

int FontSpec::GetSize() const { return loaded && fontStruct ? fontStruct->ascent : size; }
