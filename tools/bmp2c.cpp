// bmp2c FILE.bmp...
// Writes each 4-bit bitmap as C source beside it (FILE.bmp.c): its width,
// its height and its bytes in the 4-bit palette format, ready to be built
// into the program. Exits non-zero when any file fails.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gfx/Picture.h"
#include "util/Files.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bmp2c FILE.bmp...\n");
        return 2;
    }
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string path = argv[i];
        int width = 0, height = 0;
        unsigned char* rgb = LoadBmp4(path, &width, &height);
        if (rgb == nullptr || !FileExists(path + ".c")) {
            std::fprintf(stderr, "bmp2c: %s: not written\n", path.c_str());
            ++failures;
        } else {
            std::printf("%s.c: %dx%d\n", path.c_str(), width, height);
        }
        std::free(rgb);
    }
    return failures == 0 ? 0 : 1;
}
