// A 4-bit palette picture of any size that fits the input decodes within
// its buffers. The first two bytes choose the width and the height.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "gfx/Picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int width = data[0] % 64 + 1;
    const int height = data[1] % 64 + 1;
    // Exactly the bytes the picture needs, in a buffer of their own, so
    // that any read past them is caught.
    const size_t needed = 48 + static_cast<size_t>(height) * ((width + 1) / 2);
    std::vector<unsigned char> picture(needed, 0);
    for (size_t i = 0; i < needed && i + 2 < size; ++i) picture[i] = data[i + 2];
    unsigned char* rgb = DecodePalette4(width, height, picture.data());
    if (rgb == nullptr) std::abort();
    volatile unsigned char last = rgb[static_cast<size_t>(width) * height * 3 - 1];
    (void)last;
    std::free(rgb);
    return 0;
}
