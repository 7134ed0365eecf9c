// The process-wide registry of elements, forms and timers, the focused
// element and the element ids. Parenthood is a pointer from child to parent:
// the children of an element are always a scan of the registry.
#pragma once
#include <X11/Xlib.h>
#include <cstdint>
#include <vector>

#include "app/Geometry.h"

class GUIElement;
class Form;
class Timer;

class Application {
public:
    Application() = delete;

    static std::vector<GUIElement*> elements; // construction order, not owned
    static std::vector<Form*> forms;
    static std::vector<Timer*> timers;
    static GUIElement* focused;
    static uint32_t idCounter;
    static uint64_t serialCounter; // the last registration number handed out

    // Appends to elements and gives the element its registration number.
    // Unlike an address, which the next element may reuse, a number is
    // never handed out twice in a run.
    static void Register(GUIElement* element);
    static void RegisterForm(GUIElement* element);
    static void RegisterTimer(GUIElement* element);
    static void RemoveWinForm(GUIElement* element);
    static void RemoveWindow(GUIElement* form);
    static void RemoveTimer(GUIElement* timer);

    static uint32_t NextId();
    // True while the element registered under this number is constructed and
    // not yet destroyed: a handler may destroy the element (or form) it was
    // called for, and another may be built at the same address.
    static bool IsRegistered(uint64_t serial);
    // The element registered under this number, or null once it is gone.
    static GUIElement* FindBySerial(uint64_t serial);

    static Form* FindFormByWindow(Window window);
    static std::vector<GUIElement*> CollectChildren(uint32_t containerId);
    static GUIElement* FindChildAt(uint32_t containerId, Point point);
    static Form* GetForm(GUIElement* element);
    static Point ToFormCoordinates(GUIElement* element, int x, int y);

    // Moves the keyboard focus (null: to no element). The previous owner
    // hears LostFocus first, then the new one GotFocus; nothing happens when
    // the element already has the focus.
    static void MoveFocus(GUIElement* element);
    // The focused element when it lives on this form, else null.
    static GUIElement* FocusedOn(const Form* form);
    static void ClearFocus();
    static void DestroyAllWindows();
};

// Shorthands used by the controls.
inline Form* GetForm(GUIElement* element) { return Application::GetForm(element); }
inline Point ToFormCoordinates(GUIElement* element, int x, int y) {
    return Application::ToFormCoordinates(element, x, y);
}
