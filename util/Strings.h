// Byte-string helpers: trimming, replacing, splitting, case, paths and
// number texts with the Italian separators.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

using StringList = std::vector<std::string>;

// Selects the number separators; set at start and never changed.
extern bool NumberFormatItalian;

std::string DecimalSeparator(); // "," when NumberFormatItalian, else "."
std::string ThousandsSeparator(); // "." when NumberFormatItalian, else ","

std::string StrTrim(const std::string& text);
std::string StrTrimRight(const std::string& text);
std::string StrReplaceAll(const std::string& text, const std::string& find, const std::string& replacement);
std::string StrReplaceChar(const std::string& text, char fromChar, char toChar);
std::string StrUpper(const std::string& text);
std::string StrLower(const std::string& text);
StringList StrSplit(const std::string& text, const std::string& separator);

std::string IntToStrPad(int64_t value, char fill, int width);
std::string IntToStr(int64_t value);
std::string IntToStrThousands(int64_t value);
std::string ByteToHex(unsigned char byte);

std::string PathDirectory(const std::string& path);
std::string PathFileName(const std::string& path);
std::string PathWithSlash(const std::string& path);
