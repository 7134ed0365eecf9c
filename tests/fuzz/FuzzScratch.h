// Shared by the bitmap fuzz targets. The input is written to "input.bmp" in
// the working folder (the C source is exported beside it, and the trace log
// goes there too), so run the targets from a scratch folder of their own.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "util/Files.h"

namespace fuzz {

// Runs one bitmap loader on the input, written to the scratch file (every
// few thousand runs the trace log is emptied so that it does not grow without
// end): a picture must come with a positive size whose last pixel can be
// read; nothing is the other allowed answer.
inline int LoadOneBitmap(unsigned char* (*loader)(const std::string&, int*, int*), const uint8_t* data, size_t size) {
    static unsigned runs = 0;
    if (++runs % 4096 == 0) FileRemove("log.txt");
    FILE* f = std::fopen("input.bmp", "wb");
    if (f == nullptr || (size > 0 && std::fwrite(data, 1, size, f) != size)) std::abort();
    std::fclose(f);
    int width = 0, height = 0;
    unsigned char* rgb = loader("input.bmp", &width, &height);
    if (rgb != nullptr) {
        if (width <= 0 || height <= 0) std::abort();
        volatile unsigned char last = rgb[static_cast<size_t>(width) * height * 3 - 1];
        (void)last;
        std::free(rgb);
    }
    return 0;
}

} // namespace fuzz
