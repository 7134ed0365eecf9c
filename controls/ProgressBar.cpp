#include "controls/ProgressBar.h"

#include "app/Form.h"
#include "gfx/Graphics.h"

ProgressBar::ProgressBar(GUIElement* parentElement, int32_t minimumValue, int32_t maximumValue)
    : ControlBase(parentElement), minimum(minimumValue), maximum(maximumValue), value(minimumValue) {
    width = 190;
    height = 25;
    typeTag = kProgressBarTag;
    tabStop = false;
    repaintWithContainer = true;
}

void ProgressBar::SetValue(int32_t v) {
    if (v == value) return;
    if (v < minimum)
        v = minimum;
    else if (v > maximum)
        v = maximum;
    value = v;
    if (created) Paint();
}

void ProgressBar::SetBorder(bool flag) {
    border = flag;
    if (created) Paint();
}

// The frame covers the whole w x h, so the erase does too. Only a bar on
// screen is erased: elsewhere the area belongs to whatever is drawn there.
void ProgressBar::Hide() {
    if (created && visible) EraseArea(ParentBackOrChain(), 1);
    Child::Hide();
}

void ProgressBar::Create() { CreateBase(false); }

void ProgressBar::Paint() {
    // A hidden bar stays created; it must still not draw until shown again.
    if (!CanPaint() || !visible) return;
    const Rect r = FormRect();
    Graphics g(OwnerForm());
    g.FillRectangle(r, OwnBackOrDefault());
    if (border) g.DrawFrame(r, kBlack, kWhite);
    const double span = static_cast<double>(maximum) - static_cast<double>(minimum);
    if (span == 0) return; // an empty range has nothing to fill
    const double fraction = (static_cast<double>(value) - static_cast<double>(minimum)) / span;
    if (fraction > 0) {
        const int fill = static_cast<int>((r.width - 2) * fraction);
        g.FillRectangle({r.x + 1, r.y + 1, fill, r.height - 2}, kProgressFill);
    }
}
