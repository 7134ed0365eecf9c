// Xlib calls its screen record "Screen", the name of the toolkit's display
// wrapper. This header is included first in every C++ file (see the build's
// forced include), so Xlib's record is known as XScreen throughout.
#pragma once
#define Screen XScreen
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#undef Screen
