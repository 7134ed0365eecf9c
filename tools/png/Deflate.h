// A small zlib-format compressor (deflate with the fixed Huffman codes and
// a one-candidate LZ77 match finder): enough to keep screenshots of flat
// window contents small without a compression library.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

std::vector<uint8_t> ZlibCompress(const uint8_t* data, size_t size);
uint32_t Adler32(const uint8_t* data, size_t size);
