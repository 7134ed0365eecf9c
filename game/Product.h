// The product's own texts: title, version, the maker's address and notice.
#pragma once
#include "ProductVersion.h"

namespace product {
constexpr const char* kTitle = RULLOMAT_NAME;
constexpr const char* kVersion = RULLOMAT_VERSION;
// A reserved example domain: no real site is ever opened.
constexpr const char* kWebAddress = "https://example.org/rullomat";
constexpr const char* kNotice = "Free software, for fun only: no real money is played.";
constexpr const char* kCredits = "Reels, sounds and toolkit by the Rullomat developers";
} // namespace product
