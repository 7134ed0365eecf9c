#include "util/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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
    // Another process may make it at the same moment: that is no failure.
    return mkdir(path.c_str(), 0777) == 0 || (errno == EEXIST && FileExists(path));
}

std::string DataFolder() {
    const std::string name = "Data";
    MakeDirIfMissing(name);
    return name;
}

bool IsRegularFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

int OpenRegularFile(const std::string& path, int flags, mode_t mode) {
    struct stat info;
    if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) return -1;
    // Not blocking: the path may have become a FIFO since the test above.
    const int fd = open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode);
    if (fd < 0) return -1;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

namespace {

// A C stream on a regular file; null when it cannot be opened.
std::FILE* OpenStream(const std::string& path, int flags, const char* mode) {
    const int fd = OpenRegularFile(path, flags);
    if (fd < 0) return nullptr;
    std::FILE* f = fdopen(fd, mode);
    if (f == nullptr) close(fd);
    return f;
}

// Writes the lines, each followed by a line feed, and closes the stream;
// false when anything failed.
bool WriteAndClose(std::FILE* f, const StringList& lines) {
    bool ok = true;
    for (const std::string& line : lines) {
        ok = std::fwrite(line.data(), 1, line.size(), f) == line.size() && std::fputc('\n', f) != EOF &&
             std::fflush(f) == 0;
        if (!ok) break;
    }
    return std::fclose(f) == 0 && ok;
}

} // namespace

TextFile::TextFile(const char* path) : path(path ? path : "") {}

TextFile::TextFile(const std::string& path) : path(path) {}

void TextFile::AppendLine(const std::string& text) {
    flags = 0;
    std::FILE* f = OpenStream(path, O_WRONLY | O_CREAT | O_APPEND, "ab");
    if (f == nullptr)
        flags = kOpenFailedFlags;
    else if (!WriteAndClose(f, {text}))
        flags |= kErrorFlag;
}

void TextFile::WriteLines(const StringList& lines) {
    flags = 0;
    std::FILE* f = OpenStream(path, O_WRONLY | O_CREAT | O_TRUNC, "wb");
    if (f == nullptr)
        flags = kOpenFailedFlags;
    else if (!WriteAndClose(f, lines))
        flags |= kErrorFlag;
}

StringList TextFile::ReadLines() {
    flags = 0;
    StringList lines;
    std::FILE* f = OpenStream(path, O_RDONLY, "rb");
    if (f == nullptr) {
        flags = kOpenFailedFlags;
        return lines;
    }
    std::string line;
    int c;
    while ((c = std::getc(f)) != EOF) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (line.size() + 1 >= kMaxLineBytes) {
            // The rest of the file is not read: report it, so that a caller
            // that writes the lines back does not silently drop the tail.
            flags |= kErrorFlag;
            line.clear();
            break;
        } else {
            line += static_cast<char>(c);
        }
    }
    if (!line.empty()) lines.push_back(line);
    if (std::ferror(f)) flags |= kErrorFlag;
    std::fclose(f);
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

BinaryFile::~BinaryFile() {
    if (fd >= 0) close(fd);
}

bool BinaryFile::Open(const std::string& path, bool forReading, bool forWriting, bool append) {
    if (closed) {
        error = 1;
        return false;
    }
    if (fd >= 0) close(fd);
    error = 0;
    notOpened = 0;
    int flags;
    if (forReading && !forWriting)
        flags = O_RDONLY;
    else if (forWriting && !forReading)
        flags = O_RDWR | O_CREAT | O_TRUNC;
    else if (!forReading && !forWriting && append)
        flags = O_RDWR | O_CREAT | O_APPEND;
    else
        flags = O_RDWR;
    fd = OpenRegularFile(path, flags);
    if (fd < 0) {
        error = 1;
        notOpened = 1;
        return false;
    }
    return true;
}

bool BinaryFile::OpenForReading(const std::string& path) { return Open(path, true, false, false); }

int64_t BinaryFile::ReadAt(int64_t offset, void* buffer, int64_t count) {
    if (closed || fd < 0 || offset < 0 || count < 0 || (count > 0 && !buffer)) {
        error = 1;
        return 0;
    }
    int64_t got = 0;
    while (got < count) {
        const ssize_t n = pread(fd, static_cast<char*>(buffer) + got, static_cast<size_t>(count - got),
                                static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += n;
    }
    if (got < count) error = 1;
    return got;
}

bool BinaryFile::WriteAt(int64_t offset, const void* data, int64_t count) {
    if (closed || fd < 0 || offset < 0 || lseek(fd, static_cast<off_t>(offset), SEEK_SET) < 0) {
        error = 1;
        return false;
    }
    return Write(data, count);
}

bool BinaryFile::Write(const void* data, int64_t count) {
    if (closed || fd < 0 || count < 0 || (count > 0 && !data)) {
        error = 1;
        return false;
    }
    int64_t done = 0;
    while (done < count) {
        const ssize_t n = write(fd, static_cast<const char*>(data) + done, static_cast<size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = 1;
            return false;
        }
        done += n;
    }
    return true;
}

void BinaryFile::Close() {
    if (closed) return;
    if (fd >= 0 && close(fd) != 0) error = 1;
    fd = -1;
    closed = 1;
}
