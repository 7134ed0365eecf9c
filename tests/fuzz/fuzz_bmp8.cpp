// Any file given to the 8-bit bitmap loader yields a picture or nothing,
// never a read or write outside a buffer.
#include <cstdlib>

#include "gfx/Picture.h"
#include "tests/fuzz/FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int width = 0, height = 0;
    unsigned char* rgb = LoadBmp8(fuzz::WriteInput(data, size), &width, &height);
    if (rgb != nullptr) {
        if (width <= 0 || height <= 0) std::abort();
        volatile unsigned char last = rgb[static_cast<size_t>(width) * height * 3 - 1];
        (void)last;
        std::free(rgb);
    }
    return 0;
}
