#include "controls/OptionBox.h"

#include <X11/keysym.h>

#include <algorithm>

#include "app/ElementTracker.h"
#include "controls/art/Markers.h"
#include "gfx/Graphics.h"

namespace {

constexpr int kRowHeight = 26;

// The entry at i, or the last one for an index outside the list (a
// negative one included); "" for an empty list.
std::string EntryOrLast(const std::vector<std::string>& list, int i) {
    if (list.empty()) return std::string();
    const size_t index = static_cast<size_t>(static_cast<unsigned>(i));
    return index < list.size() ? list[index] : list.back();
}

} // namespace

OptionBox::OptionBox(GUIElement* parentElement)
    : MarkerControl(parentElement, {imgOPTION_ON, imgOPTION_OFF, imgOPTION_ON_DIS, imgOPTION_OFF_DIS}) {
    width = 80;
    height = 30;
    typeTag = kOptionBoxTag;
    hasFocus = false;
    tabStop = true;
    repaintOnFocus = true;
    repaintWithContainer = true;
}

int OptionBox::GetSelectedIndex() { return selectedIndex; }

bool OptionBox::SetSelectedIndex(int i) {
    const int index = std::max(i, 0);
    if (index >= Count()) return false;
    selectedIndex = index;
    Paint();
    return true;
}

bool OptionBox::RemoveOption(int i) {
    if (i < 0 || i >= Count()) return false;
    const int oldCount = Count();
    captions.erase(captions.begin() + i);
    values.erase(values.begin() + i);
    if (selectedIndex >= oldCount - 1) --selectedIndex;
    Paint();
    return true;
}

void OptionBox::AddOption(const std::string& caption, const std::string& value) {
    captions.push_back(caption);
    values.push_back(value);
    Paint();
}

int OptionBox::GetOptionCount() { return Count(); }

std::string OptionBox::GetOptionCaptionAt(int i) { return GetOptionCaption(i); }

std::string OptionBox::GetOptionValueAt(int i) { return GetOptionValue(i); }

std::string OptionBox::GetOptionCaption(int i) { return EntryOrLast(captions, i); }

std::string OptionBox::GetOptionValue(int i) { return EntryOrLast(values, i); }

bool OptionBox::RemoveNone() { return RemoveOption(-1); }

bool OptionBox::ClearOptions() {
    captions.clear();
    values.clear();
    SetSelectedIndex(-1);
    return true;
}

void OptionBox::SelectFirst() { SetSelectedIndex(-1); }

bool OptionBox::Commit() {
    ElementTracker alive(*this);
    Paint();
    FlushDisplay();
    DoCommand(this);
    return static_cast<bool>(alive);
}

void OptionBox::MouseUp(Point point) {
    if (enabled) {
        const int ay = FormPos().y;
        // A point above the first row (only possible from a direct call)
        // counts as the first row.
        const int row = std::max((point.y - ay) / kRowHeight, 0);
        selectedIndex = row < Count() ? row : Count() - 1;
        if (!Commit()) return;
    }
    Child::MouseUp(point);
}

// Selection happens on release.
void OptionBox::MouseDown(Point) {}

void OptionBox::KeyDown(uint32_t keysym) {
    if (!enabled || !hasFocus) return;
    if (keysym == XK_Down) {
        const int64_t next = int64_t{selectedIndex} + 1;
        selectedIndex = next < Count() ? static_cast<int32_t>(next) : 0;
    } else if (keysym == XK_Up) {
        const int64_t prev = int64_t{selectedIndex} - 1;
        selectedIndex = prev < 0 ? Count() - 1 : static_cast<int32_t>(prev);
    } else {
        return;
    }
    Commit();
}

bool OptionBox::KeyChar(char character) {
    ElementTracker alive(*this);
    if (enabled && hasFocus && character == ' ') {
        KeyDown(XK_Down);
        if (!alive) return true;
    }
    return Child::KeyChar(character);
}

void OptionBox::Paint() {
    if (!CanPaint()) return;
    const int n = Count();
    const int64_t needed = int64_t{n} * kRowHeight;
    if (height < needed) height = static_cast<int32_t>(std::min<int64_t>(needed, INT32_MAX));
    MakeMarkers();
    const Rect r = FormRect();
    Graphics g(OwnerForm());
    const int bg = OwnBackOrChain();
    g.FillWhole(r, bg);

    const int fore = static_cast<int>(foreColor);
    const int fg = enabled ? fore : kDisabledInk;
    const int tx = r.x + 3 + kMarkerSize;
    const int tw = r.width - kMarkerSize - 10;
    const int framed = selectedIndex == -1 ? 0 : selectedIndex;
    for (int i = 0; i < n; ++i) {
        const int rb = r.y + 25 + kRowHeight * i;
        if (XImage* marker = Marker(i == selectedIndex)) {
            // The paste turns the marker's black pixels into what lies
            // beneath; a copy keeps the marker itself unchanged.
            XImage* copy = XSubImage(marker, 0, 0, kMarkerSize, kMarkerSize);
            if (copy != nullptr) {
                g.PutImageTransparent(r.x + 1, rb - 19, kMarkerSize, kMarkerSize, copy);
                XDestroyImage(copy);
            }
        }
        g.DrawText(tx + 5, rb - 24, tw, kRowHeight, captions[static_cast<size_t>(i)], fg, bg, 0);
        if (hasFocus && enabled && i == framed) g.DrawFocusFrame({tx + 2, rb - 23, tw, 24}, fore);
    }
}
