// Included first in every test file: GoogleTest must be read before Xlib's
// macros (None, Bool, Status), and Xlib under the toolkit's names.
#pragma once
#include <gtest/gtest.h>

#include "app/XlibNames.h"
