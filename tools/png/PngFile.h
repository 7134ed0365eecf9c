// A small PNG writer: 8-bit RGB or RGBA, no interlace, rows without filters,
// compressed by the deflate writer beside it (tools/png/Deflate.h).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// rgb: width x height pixels of red, green, blue (and alpha when channels is
// 4), rows top to bottom. False (with one trace-log line) when the size is
// bad or the file cannot be written.
bool WritePng(const std::string& path, int width, int height, const unsigned char* rgb, int channels = 3);

uint32_t Crc32(const unsigned char* data, size_t length, uint32_t crc = 0);

// Reads back a picture as the writer makes it (8-bit RGB, rows without
// filters) into width, height and rgb; false for anything else, and for a
// chunk or zlib stream whose checksum does not match.
bool ReadPng(const std::string& path, int& width, int& height, std::vector<unsigned char>& rgb);
