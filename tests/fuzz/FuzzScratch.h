// Shared by the bitmap fuzz targets: the loader run, and a scratch folder for the file holding
// the input (and the C source exported beside it). The trace log goes to
// the working folder, so run the targets from a scratch folder of their own.
#pragma once
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "util/Files.h"

namespace fuzz {

inline const std::string& ScratchFile() {
    static std::string path;
    if (path.empty()) {
        char pattern[] = "/tmp/rullomat_fuzz_XXXXXX";
        if (mkdtemp(pattern) == nullptr) std::abort();
        path = std::string(pattern) + "/input.bmp";
        static std::string folder = pattern;
        std::atexit([] {
            FileRemove(path);
            FileRemove(path + ".c");
            rmdir(folder.c_str());
        });
    }
    return path;
}

// Writes the input to the scratch file; every few thousand runs the trace
// log is emptied so that it does not grow without end.
inline const std::string& WriteInput(const uint8_t* data, size_t size) {
    static unsigned runs = 0;
    if (++runs % 4096 == 0) FileRemove("log.txt");
    const std::string& path = ScratchFile();
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);
    return path;
}

// Runs one bitmap loader on the input: a picture must come with a positive
// size whose last pixel can be read; nothing is the other allowed answer.
inline int LoadOneBitmap(unsigned char* (*loader)(const std::string&, int*, int*), const uint8_t* data,
                         size_t size) {
    int width = 0, height = 0;
    unsigned char* rgb = loader(WriteInput(data, size), &width, &height);
    if (rgb != nullptr) {
        if (width <= 0 || height <= 0) std::abort();
        volatile unsigned char last = rgb[static_cast<size_t>(width) * height * 3 - 1];
        (void)last;
        std::free(rgb);
    }
    return 0;
}

} // namespace fuzz
