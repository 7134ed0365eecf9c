// Arbitrary bytes as a leaderboard file plus one new result: a board read
// whole loses no line, a board not read whole is never written, and what is
// written is sorted, at most ten lines, and reads back as written.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "dialogs/Leaderboard.h"
#include "util/Files.h"

namespace {

const char* kPath = "Data/fuzz/Score/Classifica.txt";
std::string scratch;

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

std::string Slurp(const char* path) {
    return (std::ostringstream() << std::ifstream(path, std::ios::binary).rdbuf()).str();
}

std::string Join(const StringList& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    return text;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char pattern[] = "/dev/shm/fuzz-leaderboard-XXXXXX"; // every save is synced
    if (mkdtemp(pattern) == nullptr || chdir(pattern) != 0) std::abort();
    scratch = pattern;
    std::atexit([] { std::filesystem::remove_all(scratch); });
    if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort(); // the store's log lines
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) return 0;
    int32_t score;
    std::memcpy(&score, data, 4);
    const size_t nameLength = std::min<size_t>(data[4] % 64, size - 5);
    const std::string name(reinterpret_cast<const char*>(data) + 5, nameLength);
    const std::string file(reinterpret_cast<const char*>(data) + 5 + nameLength, size - 5 - nameLength);
    FileRemove("log.txt");
    std::ofstream(Leaderboard::ScoreFolder("fuzz") + Leaderboard::kFileName, std::ios::binary) << file;

    Leaderboard board("fuzz");
    const StringList lines = board.LoadEntries();
    const std::string read = Join(lines);
    const bool whole = board.ReadWhole();
    Check(whole ? !board.Failed() && (read == file || read == file + "\n") : file.compare(0, read.size(), read) == 0);

    const std::string line = Leaderboard::FormatEntry(score, name);
    Check(line.size() == 9 + name.size() && line[8] == ' ');
    StringList expected = lines;
    expected.push_back(line);
    Leaderboard::SortEntries(expected);
    for (size_t i = 1; i < expected.size(); ++i) Check(!Leaderboard::EntryBefore(expected[i], expected[i - 1]));
    if (expected.size() > Leaderboard::kMaxEntries) expected.resize(Leaderboard::kMaxEntries);
    bool storable = whole;
    for (const std::string& l : expected)
        storable = storable && l.find('\n') == std::string::npos && l.size() < Leaderboard::kMaxLineBytes;

    Check(board.AddScore(score, name) == storable);
    Check(Slurp(kPath) == (storable ? Join(expected) : file));
    if (storable) Check(board.LoadEntries() == expected);
    return 0;
}
