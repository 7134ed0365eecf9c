// Any file given to the 8-bit bitmap loader yields a picture or nothing,
// never a read or write outside a buffer.
#include "gfx/Picture.h"
#include "tests/fuzz/FuzzScratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz::LoadOneBitmap(LoadBmp8, data, size);
}
