// Tells whether an element still lives after a call into application code.
// A handler may destroy the element it was called for (or its whole form),
// and another element may then be built at the same address, so the tracker
// keeps the element's registration number, never its address:
//     ElementTracker alive(*this);
//     DoCommand(this);
//     if (!alive) return; // nothing of *this may be touched any more
#pragma once
#include <cstdint>

#include "app/Application.h"
#include "app/GUIElement.h"

class ElementTracker {
public:
    explicit ElementTracker(const GUIElement& element) : serial(element.GetSerial()) {}

    explicit operator bool() const { return Application::IsRegistered(serial); }

private:
    uint64_t serial;
};
