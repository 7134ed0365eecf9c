#include "util/Files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace {
constexpr uint16_t kErrorFlag = 0x0001;
constexpr uint16_t kOpenFailedFlags = 0x0101; // error and could-not-be-opened
// Lines are read into a 256-byte buffer: one of this length or longer does
// not fit with its terminator and ends the reading.
constexpr size_t kMaxLineBytes = 255;
} // namespace

bool FileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

bool FileRemove(const std::string& path) { return std::remove(path.c_str()) == 0; }

int64_t FileSize(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return 0;
    return static_cast<int64_t>(info.st_size);
}

bool MakeDirIfMissing(const std::string& path) {
    if (FileExists(path)) return true;
    return mkdir(path.c_str(), 0777) == 0;
}

std::string DataFolder() {
    const std::string name = "Data";
    MakeDirIfMissing(name);
    return name;
}

TextFile::TextFile(const char* path) : path(path ? path : "") {}

TextFile::TextFile(const std::string& path) : path(path) {}

void TextFile::AppendLine(const std::string& text) {
    flags = 0;
    std::ofstream out(path, std::ios::out | std::ios::app | std::ios::binary);
    if (!out.is_open()) {
        flags = kOpenFailedFlags;
        return;
    }
    out << text << '\n';
    out.flush();
    if (!out) flags |= kErrorFlag;
    out.close();
    if (out.fail()) flags |= kErrorFlag;
}

void TextFile::WriteLines(const StringList& lines) {
    flags = 0;
    std::ofstream out(path, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!out.is_open()) {
        flags = kOpenFailedFlags;
        return;
    }
    for (const std::string& line : lines) {
        out << line << '\n';
        out.flush();
        if (!out) {
            flags |= kErrorFlag;
            break;
        }
    }
    out.close();
    if (out.fail()) flags |= kErrorFlag;
}

StringList TextFile::ReadLines() {
    flags = 0;
    StringList lines;
    std::ifstream in(path, std::ios::in | std::ios::binary);
    if (!in.is_open()) {
        flags = kOpenFailedFlags;
        return lines;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() >= kMaxLineBytes) {
            // The rest of the file is not read: report it, so that a caller
            // that writes the lines back does not silently drop the tail.
            flags |= kErrorFlag;
            break;
        }
        lines.push_back(line);
    }
    if (in.bad()) flags |= kErrorFlag;
    return lines;
}

std::string TextFile::ReadAll() {
    StringList lines = ReadLines();
    if (Failed()) return "";
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

BinaryFile::~BinaryFile() = default;

bool BinaryFile::Open(const std::string& path, bool forReading, bool forWriting, bool append) {
    if (closed) {
        error = 1;
        return false;
    }
    error = 0;
    notOpened = 0;
    std::ios::openmode mode;
    if (forReading && !forWriting)
        mode = std::ios::in | std::ios::binary;
    else if (forWriting && !forReading)
        mode = std::ios::in | std::ios::out | std::ios::binary | std::ios::trunc;
    else if (!forReading && !forWriting && append)
        mode = std::ios::in | std::ios::out | std::ios::binary | std::ios::app;
    else
        mode = std::ios::in | std::ios::out | std::ios::binary;
    stream = std::make_unique<std::fstream>(path, mode);
    if (!stream->is_open()) {
        stream.reset();
        error = 1;
        notOpened = 1;
        return false;
    }
    return true;
}

bool BinaryFile::OpenForReading(const std::string& path) { return Open(path, true, false, false); }

int64_t BinaryFile::ReadAt(int64_t offset, void* buffer, int64_t count) {
    if (closed || !stream || offset < 0 || count < 0 || (count > 0 && !buffer)) {
        error = 1;
        return 0;
    }
    stream->clear();
    stream->seekg(static_cast<std::streamoff>(offset), std::ios::beg);
    if (stream->fail()) {
        stream->clear();
        error = 1;
        return 0;
    }
    stream->read(static_cast<char*>(buffer), static_cast<std::streamsize>(count));
    int64_t got = static_cast<int64_t>(stream->gcount());
    if (got < count) error = 1;
    stream->clear();
    return got;
}

bool BinaryFile::WriteAt(int64_t offset, const void* data, int64_t count) {
    if (closed || !stream || offset < 0) {
        error = 1;
        return false;
    }
    stream->clear();
    stream->seekp(static_cast<std::streamoff>(offset), std::ios::beg);
    if (stream->fail()) {
        stream->clear();
        error = 1;
        return false;
    }
    return Write(data, count);
}

bool BinaryFile::Write(const void* data, int64_t count) {
    if (closed || !stream || count < 0 || (count > 0 && !data)) {
        error = 1;
        return false;
    }
    stream->clear();
    stream->write(static_cast<const char*>(data), static_cast<std::streamsize>(count));
    stream->flush();
    if (stream->fail()) {
        stream->clear();
        error = 1;
        return false;
    }
    return true;
}

void BinaryFile::Close() {
    if (closed) return;
    if (stream) {
        stream->close();
        if (stream->fail()) error = 1;
        stream.reset();
    }
    closed = 1;
}
