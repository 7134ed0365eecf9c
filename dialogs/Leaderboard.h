// The store of the ten best results of a game: the text file
// "Data/<game name>/Score/Classifica.txt", one result a line, best first.
//
// A line is the score as 8 decimal characters padded with "0" on the left
// (a longer text keeps its last 8), one blank, and the player's name as
// given. Lines are kept in descending byte order (unsigned bytes, a line that
// is a prefix of another after it), which puts the highest score first and,
// for equal scores, the name that sorts higher byte-wise first. Lines read
// from the file are entries as they stand, whatever their form.
//
// A board is never rewritten from a partial read: AddScore refuses when the
// existing file could not be read whole, and every save replaces the file in
// one step, so an interrupted save leaves the old board; a board that is a
// symbolic link stays one (the file it names is replaced), and a temporary
// file that a writer who died left is removed by the next writer, who holds
// the lock. Saves and AddScore's
// read-modify-write hold an exclusive lock on the lock file beside the board
// ("Classifica.txt.lock"), so that results added by several processes at once
// all land (a lock file that may only be read locks as well); a lock not had
// within kLockWaitMs is a failure, never a hang.
#pragma once
#include <cstdint>
#include <string>

#include "util/Strings.h"

class Leaderboard {
public:
    static constexpr const char* kFileName = "Classifica.txt";
    static constexpr size_t kMaxEntries = 10;
    // A line this long or longer cannot be read back by TextFile::ReadLines.
    static constexpr size_t kMaxLineBytes = 255;
    static constexpr int kLockWaitMs = 2000;

    explicit Leaderboard(const std::string& gameName);

    // Set by the last LoadEntries, SaveEntries or AddScore that failed.
    bool Failed() const { return failed; }
    // False when the last LoadEntries found a board it could not read whole
    // (could not open it, or the reading stopped early).
    bool ReadWhole() const { return readWhole; }

    // "Data/<gameName>/Score/", making the folders that are missing;
    // the empty string when one cannot be made.
    static std::string ScoreFolder(const std::string& gameName);
    // The path of the board file; empty when the folder cannot be made.
    std::string FilePath() const;

    // The file's lines; empty when it is missing or the folder cannot be made.
    StringList LoadEntries();
    // Sorts the given list, keeps its ten best lines and writes them.
    bool SaveEntries(StringList& lines);
    // Adds one result; false (and the file untouched) when it cannot.
    bool AddScore(int32_t score, const std::string& playerName);

    // The line for one result: "00001500 Anna".
    static std::string FormatEntry(int32_t score, const std::string& playerName);
    // True when line a comes before line b on the board.
    static bool EntryBefore(const std::string& a, const std::string& b);
    static void SortEntries(StringList& lines);

private:
    // Sorts the lines and keeps the ten best; false (failed) when one cannot
    // be stored.
    bool Prepare(StringList& lines);
    bool WriteFileReplacing(const std::string& path, const StringList& lines);

    std::string gameName;
    bool failed = false;
    bool readWhole = true;
};
