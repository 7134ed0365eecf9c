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

    static void Register(GUIElement* element);
    static void RegisterForm(GUIElement* element);
    static void RegisterTimer(GUIElement* element);
    static void RemoveWinForm(GUIElement* element);
    static void RemoveWindow(GUIElement* form);
    static void RemoveTimer(GUIElement* timer);

    static uint32_t NextId();
    // True while the element is constructed and not yet destroyed: a handler
    // may destroy the element (or form) it was called for.
    static bool IsRegistered(const GUIElement* element);

    static Form* FindFormByWindow(Window window);
    static std::vector<GUIElement*> CollectChildren(uint32_t containerId);
    static GUIElement* FindChildAt(uint32_t containerId, Point point);
    static Form* GetForm(GUIElement* element);
    static Point ToFormCoordinates(GUIElement* element, int x, int y);

    static void ClearFocus();
    static void DestroyAllWindows();
};

// Shorthands used by the controls.
inline Form* GetForm(GUIElement* element) { return Application::GetForm(element); }
inline Point ToFormCoordinates(GUIElement* element, int x, int y) {
    return Application::ToFormCoordinates(element, x, y);
}
