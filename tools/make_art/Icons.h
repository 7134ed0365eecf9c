// The desktop icons of the art generator: the red seven of the reels on a
// gold-framed reel window, at the sizes desktops ask for.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Draws reel symbol `symbol` filling a square of `size` pixels over the grey
// background `background`: raw RGB rows, top to bottom.
using SymbolPainter = std::function<std::vector<uint8_t>(int symbol, int size, uint8_t background)>;

// Writes dist/icons/rullomat-SIZE.png (RGBA) under root, for SIZE 48, 64,
// 128 and 256. False when a file cannot be written.
bool WriteIcons(const std::string& root, const SymbolPainter& paintSymbol);
