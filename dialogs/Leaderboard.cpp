#include "dialogs/Leaderboard.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <vector>

#include "app/Log.h"
#include "util/Files.h"

Leaderboard::Leaderboard(const std::string& gameName) : gameName(gameName) {}

namespace {

// The exclusive lock on a board, held while this lives. An advisory lock on
// a file of its own beside the board, for the board itself is replaced by
// every save.
class BoardLock {
public:
    explicit BoardLock(const std::string& boardPath) {
        const std::string path = boardPath + ".lock";
        // A lock file that may only be read still locks: flock needs no
        // write access.
        fd = OpenRegularFile(path, O_RDWR | O_CREAT);
        if (fd < 0 && errno != ENOENT) fd = OpenRegularFile(path, O_RDONLY);
        const timespec step{0, 5 * 1000 * 1000};
        for (int waited = 0; fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) != 0; waited += 5) {
            if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= Leaderboard::kLockWaitMs) {
                close(fd);
                fd = -1;
                break;
            }
            nanosleep(&step, nullptr);
        }
        if (fd < 0) Log("Leaderboard: cannot lock " + path);
    }
    ~BoardLock() {
        if (fd >= 0) close(fd);
    }
    BoardLock(const BoardLock&) = delete;
    BoardLock& operator=(const BoardLock&) = delete;
    bool Held() const { return fd >= 0; }

private:
    int fd = -1;
};

} // namespace

std::string Leaderboard::ScoreFolder(const std::string& gameName) {
    std::string d = PathWithSlash(DataFolder()) + gameName;
    if (!FileExists(d) && !MakeDirIfMissing(d)) {
        Log("Leaderboard: cannot make the folder " + d);
        return "";
    }
    d = PathWithSlash(d) + "Score";
    if (!FileExists(d) && !MakeDirIfMissing(d)) {
        Log("Leaderboard: cannot make the folder " + d);
        return "";
    }
    return PathWithSlash(d);
}

std::string Leaderboard::FilePath() const {
    std::string dir = ScoreFolder(gameName);
    return dir.empty() ? dir : dir + kFileName;
}

StringList Leaderboard::LoadEntries() {
    failed = false;
    readWhole = true;
    std::string path = FilePath();
    if (path.empty()) {
        failed = true;
        return {};
    }
    if (!FileExists(path)) return {};
    TextFile file(path);
    StringList lines = file.ReadLines();
    if (file.NotOpened()) {
        // An unopened board reads as empty, but it is not known to be empty:
        // AddScore must not replace it.
        readWhole = false;
        Log("Leaderboard: cannot open " + path);
        return {};
    }
    if (file.Failed()) {
        failed = true;
        readWhole = false;
        Log("Leaderboard: " + path + " could not be read whole");
    }
    return lines;
}

bool Leaderboard::EntryBefore(const std::string& a, const std::string& b) {
    // std::string compares through char_traits<char>::compare, which orders
    // bytes as unsigned values and puts a prefix before the longer line;
    // the board wants the reverse.
    return a.compare(b) > 0;
}

void Leaderboard::SortEntries(StringList& lines) { std::stable_sort(lines.begin(), lines.end(), EntryBefore); }

bool Leaderboard::SaveEntries(StringList& lines) {
    failed = false;
    if (!Prepare(lines)) return false;
    const std::string path = FilePath();
    if (path.empty()) {
        failed = true;
        return false;
    }
    BoardLock lock(path);
    failed = !lock.Held() || !WriteFileReplacing(path, lines);
    return !failed;
}

bool Leaderboard::Prepare(StringList& lines) {
    SortEntries(lines);
    if (lines.size() > kMaxEntries) lines.resize(kMaxEntries);
    for (const std::string& line : lines) {
        // Such a line would split in two, or stop the next reading early.
        if (line.find('\n') != std::string::npos || line.size() >= kMaxLineBytes) {
            failed = true;
            Log("Leaderboard: a line cannot be stored (line feed, or 255 bytes or more)");
            return false;
        }
    }
    return true;
}

bool Leaderboard::AddScore(int32_t score, const std::string& playerName) {
    const std::string path = FilePath();
    if (path.empty()) {
        failed = true;
        return false;
    }
    BoardLock lock(path);
    StringList lines;
    if (lock.Held()) lines = LoadEntries();
    if (!lock.Held() || failed || !readWhole) {
        // Unlocked, another process may be saving; unread lines would be lost.
        failed = true;
        return false;
    }
    lines.push_back(FormatEntry(score, playerName));
    StringList copy = lines;
    failed = !Prepare(copy) || !WriteFileReplacing(path, copy);
    return !failed;
}

std::string Leaderboard::FormatEntry(int32_t score, const std::string& playerName) {
    std::string s = IntToStrPad(score, '0', 8);
    if (s.size() > 8) s = s.substr(s.size() - 8);
    return s + " " + playerName;
}

namespace {

bool WriteAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

mode_t NewFileMode(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The file a save writes: the board, or the file its symbolic link points to
// (followed to the end, so that the link stays and the file it names is
// the one renewed).
std::string SaveTarget(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::vector<char> buf(4096);
        const ssize_t n = readlink(path.c_str(), buf.data(), buf.size());
        if (n <= 0 || static_cast<size_t>(n) >= buf.size()) break;
        const std::string to(buf.data(), static_cast<size_t>(n));
        path = to[0] == '/' ? to : PathDirectory(path) + to;
    }
    return path;
}

// A name made by mkstemp from the board's: "<board>." and six letters or
// digits.
bool IsTemporaryOf(const std::string& name, const std::string& board) {
    if (name.size() != board.size() + 7 || name.compare(0, board.size() + 1, board + ".") != 0) return false;
    return std::all_of(name.end() - 6, name.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

// Removes what a writer that died left beside the board. Only a writer
// holding the lock calls this, so no other one is writing.
void RemoveLeftovers(const std::string& path) {
    const std::string dir = PathDirectory(path);
    DIR* d = opendir(dir.empty() ? "." : dir.c_str());
    if (d == nullptr) return;
    const std::string board = PathFileName(path);
    struct stat st;
    while (const dirent* e = readdir(d)) {
        const std::string name = dir + e->d_name;
        if (IsTemporaryOf(e->d_name, board) && lstat(name.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            unlink(name.c_str());
    }
    closedir(d);
}

} // namespace

// The new board is written beside the old one and renamed over it only when
// it is wholly on disk, so a failed or interrupted save leaves the old board.
bool Leaderboard::WriteFileReplacing(const std::string& board, const StringList& lines) {
    const std::string path = SaveTarget(board);
    RemoveLeftovers(path);
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    std::string pattern = path + ".XXXXXX";
    std::vector<char> tmp(pattern.begin(), pattern.end());
    tmp.push_back('\0');
    int fd = mkstemp(tmp.data());
    if (fd < 0) {
        Log("Leaderboard: cannot write beside " + path);
        return false;
    }
    bool ok = fchmod(fd, NewFileMode(path)) == 0;
    ok = WriteAll(fd, text) && ok;
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    if (ok && std::rename(tmp.data(), path.c_str()) != 0) ok = false;
    if (!ok) {
        unlink(tmp.data());
        Log("Leaderboard: cannot save " + path);
        return false;
    }
    // Make the new name itself durable.
    int dir = open(PathDirectory(path).c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return true;
}
