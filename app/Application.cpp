#include "app/Application.h"

#include <algorithm>

#include "app/Form.h"
#include "app/GUIElement.h"
#include "app/Log.h"
#include "app/Timer.h"
#include "util/Strings.h"

std::vector<GUIElement*> Application::elements;
std::vector<Form*> Application::forms;
std::vector<Timer*> Application::timers;
GUIElement* Application::focused = nullptr;
uint32_t Application::idCounter = 0;
uint64_t Application::serialCounter = 0;

namespace {

template <typename T>
bool RemoveFirst(std::vector<T*>& list, const GUIElement* element) {
    auto it = std::find(list.begin(), list.end(), element);
    if (it == list.end()) return false;
    list.erase(it);
    return true;
}

std::string Describe(GUIElement* e, const char* sizeWord, size_t count) {
    return e->GetTypeTag() + sizeWord + IntToStr(static_cast<int64_t>(count)) + " id " + IntToStr(e->GetId());
}

} // namespace

void Application::Register(GUIElement* element) {
    element->serial = ++serialCounter;
    elements.push_back(element);
}

void Application::RegisterForm(GUIElement* element) {
    if (element->GetTypeTag() == kFormTag) forms.push_back(static_cast<Form*>(element));
}

void Application::RegisterTimer(GUIElement* element) {
    if (element->GetTypeTag() == kTimerTag) timers.push_back(static_cast<Timer*>(element));
}

void Application::RemoveWinForm(GUIElement* element) {
    const std::string tag = element->GetTypeTag();
    if (tag == kFormTag)
        RemoveWindow(element);
    else if (tag == kTimerTag)
        RemoveTimer(element);
    if (focused == element) focused = nullptr;
    if (!RemoveFirst(elements, element))
        Log(" NON TROVATO! Application::RemoveWinForm = " + Describe(element, " size ", elements.size()));
}

void Application::RemoveWindow(GUIElement* form) {
    if (!RemoveFirst(forms, form))
        Log(" NON TROVATO! Application::RemoveWindow = " + Describe(form, " lx ", forms.size()));
}

void Application::RemoveTimer(GUIElement* timer) {
    if (!RemoveFirst(timers, timer))
        Log(" NON TROVATO! Application::RemoveWindow = " + Describe(timer, " lx ", timers.size()));
}

uint32_t Application::NextId() { return ++idCounter; }

bool Application::IsRegistered(uint64_t serial) { return FindBySerial(serial) != nullptr; }

GUIElement* Application::FindBySerial(uint64_t serial) {
    for (GUIElement* e : elements)
        if (e->GetSerial() == serial) return e;
    return nullptr;
}

Form* Application::FindFormByWindow(Window window) {
    for (Form* f : forms)
        if (f->GetWindow() == window) return f;
    return nullptr;
}

std::vector<GUIElement*> Application::CollectChildren(uint32_t containerId) {
    std::vector<GUIElement*> result;
    for (size_t i = 0; i < elements.size(); ++i) {
        GUIElement* e = elements[i];
        if (!e->IsChild() || e->GetParent() == nullptr || e->GetParent()->GetId() != containerId) continue;
        result.push_back(e);
        // A panel's id is 0 until it is created; a panel without an id holds
        // nothing that could be found under it.
        if (e->GetTypeTag() == kPanelTag && e->GetId() != 0) {
            std::vector<GUIElement*> inner = CollectChildren(e->GetId());
            result.insert(result.end(), inner.begin(), inner.end());
        }
    }
    return result;
}

GUIElement* Application::FindChildAt(uint32_t containerId, Point point) {
    for (size_t i = 0; i < elements.size(); ++i) {
        GUIElement* e = elements[i];
        if (!e->IsChild() || !e->IsCreated() || !e->IsVisible() || !e->IsEnabled()) continue;
        if (e->GetParent() == nullptr || e->GetParent()->GetId() != containerId) continue;
        if (e->GetTypeTag() != kPanelTag) {
            if (e->Contains(point)) return e;
            continue;
        }
        Point p = e->GetPosition();
        GUIElement* hit = FindChildAt(e->GetId(), Point{point.x - p.x, point.y - p.y});
        if (hit != nullptr) return hit;
    }
    return nullptr;
}

Form* Application::GetForm(GUIElement* element) {
    if (element == nullptr) return nullptr;
    if (element->GetTypeTag() == kFormTag) return static_cast<Form*>(element);
    for (GUIElement* e = element->GetParent(); e != nullptr; e = e->GetParent())
        if (e->GetTypeTag() == kFormTag) return static_cast<Form*>(e);
    return nullptr;
}

Point Application::ToFormCoordinates(GUIElement* element, int x, int y) {
    Point result{x, y};
    if (element == nullptr) return result;
    for (GUIElement* e = element->GetParent(); e != nullptr && e->GetTypeTag() != kFormTag; e = e->GetParent()) {
        Point p = e->GetPosition();
        result.x += p.x;
        result.y += p.y;
    }
    return result;
}

void Application::MoveFocus(GUIElement* element) {
    GUIElement* previous = focused;
    if (previous == element) return;
    // The new owner is recorded first, so that a handler run by LostFocus
    // sees where the focus is going; it may also move it on or destroy it.
    focused = element;
    const uint64_t serial = element != nullptr ? element->GetSerial() : 0;
    if (previous != nullptr) previous->LostFocus();
    if (element != nullptr && focused == element && IsRegistered(serial)) element->GotFocus();
}

GUIElement* Application::FocusedOn(const Form* form) {
    return focused != nullptr && form != nullptr && GetForm(focused) == form ? focused : nullptr;
}

void Application::ClearFocus() { MoveFocus(nullptr); }

void Application::DestroyAllWindows() {
    // Numbers, not addresses: destroying a window may destroy elements and
    // build others in their place.
    std::vector<uint64_t> serials;
    for (GUIElement* e : elements)
        if (e->GetTypeTag() == kFormTag) serials.push_back(e->GetSerial());
    for (uint64_t serial : serials) {
        GUIElement* e = FindBySerial(serial);
        if (e != nullptr && e->IsCreated()) static_cast<Form*>(e)->DestroyWindow();
    }
}
