// An integer value between a minimum and a maximum, shown as a blue bar that
// fills a sunken box from the left.
#pragma once
#include <cstdint>

#include "gfx/ControlBase.h"

class ProgressBar : public ControlBase {
public:
    ProgressBar(GUIElement* parentElement, int32_t minimum, int32_t maximum);

    // Clamps into [minimum, maximum]; repaints when the value changed.
    void SetValue(int32_t v);
    int32_t Value() const { return value; }
    int32_t Minimum() const { return minimum; }
    int32_t Maximum() const { return maximum; }
    void SetBorder(bool flag);
    bool HasBorder() const { return border; }

    // Erases the area; the bar stays created and paints again on Show.
    void Hide() override;
    void Create() override;
    void Paint() override;

protected:
    int32_t minimum;
    int32_t maximum;
    int32_t value;
    bool border = true;
};
