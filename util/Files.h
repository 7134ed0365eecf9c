// Thin wrappers over the C library's file functions and file streams.
#pragma once
#include <sys/types.h>

#include <cstdint>
#include <string>

#include "util/Strings.h"

bool FileExists(const std::string& path);
bool FileRemove(const std::string& path);
int64_t FileSize(const std::string& path); // 0 when stat fails
bool MakeDirIfMissing(const std::string& path);
std::string DataFolder(); // "Data", created when missing

// True when path names a regular file (not a FIFO, device, folder or socket).
bool IsRegularFile(const std::string& path);
// Opens path with the open(2) flags only when it is a regular file; anything
// else is refused at once with -1, never by an open that blocks (a FIFO) or
// acts on a device. The descriptor is closed on exec.
int OpenRegularFile(const std::string& path, int flags, mode_t mode = 0666);

// A text file opened anew by every operation and closed before it returns.
// Only regular files are read or written; anything else fails as a file
// that cannot be opened.
class TextFile {
public:
    explicit TextFile(const char* path);
    explicit TextFile(const std::string& path);

    void AppendLine(const std::string& text);
    void WriteLines(const StringList& lines);
    StringList ReadLines();
    std::string ReadAll();

    bool Failed() const { return (flags & 0xFF) != 0; }
    bool NotOpened() const { return (flags & 0xFF00) != 0; }
    uint16_t Flags() const { return flags; }

private:
    uint16_t flags = 0; // low byte: error, high byte: could not be opened
    std::string path;
};

// A binary file (regular files only, as TextFile); every operation after
// Close does nothing and fails.
class BinaryFile {
public:
    BinaryFile() = default;
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    bool Open(const std::string& path, bool forReading, bool forWriting, bool append);
    bool OpenForReading(const std::string& path);
    // Returns the number of bytes read; sets the error flag on a failed seek
    // or a read that stopped early.
    int64_t ReadAt(int64_t offset, void* buffer, int64_t count);
    bool WriteAt(int64_t offset, const void* data, int64_t count);
    bool Write(const void* data, int64_t count);
    void Close();

    bool Error() const { return error != 0; }
    bool NotOpened() const { return notOpened != 0; }
    bool IsClosed() const { return closed != 0; }

private:
    unsigned char error = 0;
    unsigned char notOpened = 0;
    unsigned char closed = 0;
    int fd = -1;
};
