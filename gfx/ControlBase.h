// What every control drawn inside a form shares: the place in form
// coordinates, the background colour look-ups, the erase on hide, the
// hide-store-show of a created control that moves or is resized, the
// repaint on a change of focus for controls that show it, and the guard
// that keeps painting away from a form that cannot be drawn on yet.
// A concrete control derives from ControlBase (it still is a Child) and
// overrides only what its own rules change.
#pragma once
#include <cstdint>

#include "app/GUIElement.h"
#include "gfx/Palette.h"

class Form;

class ControlBase : public Child {
public:
    // Sets the parent (form or panel) that holds the control.
    explicit ControlBase(GUIElement* parentElement);

    // Created: Hide (erases the old area), store, Show. Not created: store.
    void SetSize(int w, int h) override;
    void SetPosition(int newX, int newY) override;
    // Base Show (creates if needed, marks visible), then Paint.
    void Show() override;
    void ShowWindow() override;
    // Created: erase w+1 x h+1 in ParentBackOrChain(), base Hide, not created.
    void Hide() override;
    // Not created: takes the next id (and tag) when it has none, then
    // becomes created and visible.
    void Create() override;
    // Base focus change, then a repaint when the control shows its focus.
    void GotFocus() override;
    void LostFocus() override;

    // True for a stored colour that means "none of its own" (low 32 bits all
    // ones, which covers both kNoColor and a signed -1).
    static bool IsUnset(uint64_t color) { return (color & 0xFFFFFFFFu) == 0xFFFFFFFFu; }

protected:
    // Set by controls that draw a focus frame: they repaint when the focus
    // comes or goes.
    bool repaintOnFocus = false;

    // The control's top-left corner in its form's coordinates.
    Point FormPos();
    // The control's place on its form: FormPos() and its size.
    Rect FormRect();
    // The form that holds the control, or null.
    Form* OwnerForm();
    // True when a paint may draw: created, no form load running, and the
    // form has its X window.
    bool CanPaint();
    // True when the form has a window to draw on (erasing ignores the
    // load-time paint suspension).
    bool CanDraw();
    // Flushes the form's display connection.
    void FlushDisplay();

    // Colour chains, each ending in 0xAAAAAA:
    int OwnBackOrChain(); // own, else parent's, else form's
    int ParentBackOrChain(); // parent's, else form's
    int FormBackOrDefault(); // form's
    int OwnBackOrDefault(); // own

    // FillRectangle of the control's area at its form position, w+extra by
    // h+extra as passed to the primitive (which fills one pixel less each
    // way); does nothing without a window.
    void EraseArea(int color, int extra = 1);
    // If created: EraseArea(color, extra), base Hide, mark not created.
    void HideErasing(int color, int extra = 1);
    // Base Create: the next id (and tag, when withTag) if none, created and
    // visible. Does nothing when already created.
    void CreateBase(bool withTag = true);
    // Plain stores of size and position, no drawing.
    void StoreSize(int w, int h) {
        width = w;
        height = h;
    }
    void StorePosition(int newX, int newY) {
        x = newX;
        y = newY;
    }
};
