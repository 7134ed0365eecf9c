#include "util/Strings.h"

#include <cctype>
#include <cinttypes>
#include <cstdio>

bool NumberFormatItalian = true;

std::string DecimalSeparator() { return NumberFormatItalian ? "," : "."; }

std::string ThousandsSeparator() { return NumberFormatItalian ? "." : ","; }

static bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string StrTrim(const std::string& text) {
    size_t begin = 0;
    while (begin < text.size() && IsSpace(text[begin])) ++begin;
    size_t end = text.size();
    while (end > begin && IsSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::string StrTrimRight(const std::string& text) {
    size_t end = text.size();
    while (end > 0 && IsSpace(text[end - 1])) --end;
    return text.substr(0, end);
}

std::string StrReplaceAll(const std::string& text, const std::string& find, const std::string& replacement) {
    if (find.empty()) return text;
    std::string result = text;
    if (replacement.find(find) != std::string::npos) {
        // Rescanning would never end: replace each occurrence once, left to right.
        size_t pos = 0;
        while ((pos = result.find(find, pos)) != std::string::npos) {
            result.replace(pos, find.size(), replacement);
            pos += replacement.size();
        }
        return result;
    }
    // The leftmost occurrence is replaced until none is left. Nothing before
    // the replaced one matched, so a new match can start at most find.size()-1
    // bytes before it and the scan resumes there instead of at the start.
    size_t pos = result.find(find);
    while (pos != std::string::npos) {
        result.replace(pos, find.size(), replacement);
        size_t from = pos >= find.size() - 1 ? pos - (find.size() - 1) : 0;
        pos = result.find(find, from);
    }
    return result;
}

std::string StrReplaceChar(const std::string& text, char fromChar, char toChar) {
    return StrReplaceAll(text, std::string(1, fromChar), std::string(1, toChar));
}

std::string StrUpper(const std::string& text) {
    std::string result = text;
    for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

std::string StrLower(const std::string& text) {
    std::string result = text;
    for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

StringList StrSplit(const std::string& text, const std::string& separator) {
    StringList pieces;
    if (text.empty() || separator.empty()) return pieces;
    size_t start = 0;
    size_t pos;
    while ((pos = text.find(separator, start)) != std::string::npos) {
        pieces.push_back(text.substr(start, pos - start));
        start = pos + separator.size();
    }
    if (start < text.size()) pieces.push_back(text.substr(start));
    return pieces;
}

std::string IntToStrPad(int64_t value, char fill, int width) {
    char buffer[50];
    std::snprintf(buffer, sizeof buffer, "%" PRId64, value);
    std::string text = buffer;
    if (width > 0 && text.size() < static_cast<size_t>(width))
        text.insert(0, static_cast<size_t>(width) - text.size(), fill);
    return text;
}

std::string IntToStr(int64_t value) { return IntToStrPad(value, '0', 0); }

std::string IntToStrThousands(int64_t value) {
    // Work on the printed digits so that the most negative value needs no
    // negation; the sign is put back in front of the grouped digits.
    std::string digits = IntToStr(value);
    std::string sign;
    if (!digits.empty() && digits[0] == '-') {
        sign = "-";
        digits.erase(0, 1);
    }
    const std::string separator = ThousandsSeparator();
    std::string grouped;
    size_t lead = digits.size() % 3;
    if (lead == 0) lead = 3;
    grouped = digits.substr(0, lead);
    for (size_t i = lead; i < digits.size(); i += 3) grouped += separator + digits.substr(i, 3);
    return sign + grouped;
}

std::string ByteToHex(unsigned char byte) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02X", static_cast<unsigned>(byte));
    return buffer;
}

std::string PathDirectory(const std::string& path) {
    std::string normal = StrReplaceChar(path, '\\', '/');
    size_t pos = normal.rfind('/');
    if (pos == std::string::npos) pos = normal.rfind(':');
    if (pos == std::string::npos) return "";
    return normal.substr(0, pos + 1);
}

std::string PathFileName(const std::string& path) {
    std::string normal = StrReplaceChar(path, '\\', '/');
    return normal.substr(PathDirectory(normal).size());
}

std::string PathWithSlash(const std::string& path) {
    if (path.empty()) return path;
    char last = path.back();
    if (last == '/' || last == '\\' || last == ':') return path;
    return path + "/";
}
