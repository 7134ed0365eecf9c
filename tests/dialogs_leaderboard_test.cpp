// The leaderboard store against real files in a scratch folder.

#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "dialogs/Leaderboard.h"
#include "tests/support/XTestSupport.h"

namespace fs = std::filesystem;

namespace {

const char* kBoard = "Data/game/Score/Classifica.txt";

class LeaderboardStore : public ::testing::Test {
protected:
    static std::string Board() { return xt::ReadFile(kBoard); }

    ScratchFolder scratch;
    Leaderboard board{"game"};
};

TEST_F(LeaderboardStore, FormatOrderAndTheTenBest) {
    EXPECT_EQ(Leaderboard::FormatEntry(-5, "x") + Leaderboard::FormatEntry(INT32_MIN, "y"), "000000-5 x47483648 y");
    ASSERT_TRUE(board.AddScore(1500, "Anna"));
    EXPECT_EQ(Board(), "00001500 Anna\n");

    for (const char* name : {"Zoe", "Annabel", "\xC3\x89lodie"}) ASSERT_TRUE(board.AddScore(1500, name));
    ASSERT_TRUE(board.AddScore(123456789, "big")); // keeps its last 8 digits
    ASSERT_TRUE(board.AddScore(99000000, "top"));
    EXPECT_EQ(Board(), "99000000 top\n23456789 big\n00001500 \xC3\x89lodie\n00001500 Zoe\n"
                       "00001500 Annabel\n00001500 Anna\n");

    for (int i = 1; i <= 5; ++i) ASSERT_TRUE(board.AddScore(i * 100, "p"));
    EXPECT_TRUE(board.AddScore(550, "mid")); // past ten lines the lowest go
    const StringList lines = board.LoadEntries();
    EXPECT_EQ(std::pair(lines.size(), lines.back()), std::pair(size_t{10}, std::string("00000300 p")));

    // Lines that are not scores are kept as they stand.
    PutFile(kBoard, "no score\n00000500 Bob\r\n\n00000100 Zo\xEB\n00000700 Last");
    EXPECT_TRUE(board.AddScore(300, "Cy"));
    EXPECT_EQ(Board(), "no score\n00000700 Last\n00000500 Bob\r\n00000300 Cy\n00000100 Zo\xEB\n\n");
}

TEST_F(LeaderboardStore, BoardNotReadWholeIsNeverWritten) {
    // A line of 255 bytes ends the reading: the lines after it were not seen.
    const std::string cut = "00000900 A\n" + std::string(255, 'x') + "\n00000100 B\n";
    PutFile(kBoard, cut);
    EXPECT_EQ(board.LoadEntries(), StringList{"00000900 A"});
    EXPECT_TRUE(board.Failed());
    EXPECT_FALSE(board.AddScore(5000, "New"));
    EXPECT_EQ(Board(), cut);

    // Nor is one whose folder cannot be made.
    fs::remove_all("Data");
    PutFile("Data/game", "in the way");
    EXPECT_TRUE(board.LoadEntries().empty() && board.Failed());
    EXPECT_FALSE(board.AddScore(1, "a"));
    EXPECT_EQ(xt::ReadFile("Data/game"), "in the way");
    EXPECT_FALSE(xt::LogLines().empty());
}

TEST_F(LeaderboardStore, FailedSaveLeavesTheOldBoard) {
    const std::string before = "00000900 Alpha\n00000800 Bravo\n00000700 Charlie\n";
    PutFile(kBoard, before);
    ASSERT_EQ(chmod(kBoard, 0640), 0);

    // The write stops after 20 bytes, as on a full disk.
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved, tight;
    getrlimit(RLIMIT_FSIZE, &saved);
    tight = saved;
    tight.rlim_cur = 20;
    setrlimit(RLIMIT_FSIZE, &tight);
    const bool added = board.AddScore(1000, "Echo");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(added) << "a failed write is reported";
    EXPECT_EQ(Board(), before);
    EXPECT_EQ(xt::ReadLog(), "Leaderboard: cannot ") << "logged, and cut short by the same limit";

    EXPECT_TRUE(board.AddScore(1000, "Echo"));
    EXPECT_EQ(Board(), "00001000 Echo\n" + before);
    EXPECT_EQ(fs::status(kBoard).permissions(), fs::perms(0640));
    EXPECT_EQ(std::distance(fs::directory_iterator("Data/game/Score"), {}), 2) << "only the board and its lock";
}

TEST_F(LeaderboardStore, LinesThatCouldNotBeReadBackAreRefused) {
    ASSERT_TRUE(board.AddScore(10, "Anna"));
    const std::string before = Board();
    EXPECT_FALSE(board.AddScore(20, "Eve\n00099999 Mallory"));
    EXPECT_FALSE(board.AddScore(20, std::string(246, 'n'))); // a 255-byte line
    EXPECT_EQ(Board(), before);
    EXPECT_TRUE(board.AddScore(20, std::string(245, 'n')));
    EXPECT_EQ(board.LoadEntries().size(), 2u);
}

// Saving through a symbolic link renews the file it names and keeps the link;
// a dead writer's temporary file goes, the player's own files stay; a lock
// file that may only be read still locks (as another user, when root).
TEST_F(LeaderboardStore, LinkedBoardLeftoversAndReadOnlyLock) {
    PutFile("elsewhere/board.txt", "00000900 A\n");
    for (const char* f :
         {"elsewhere/board.txt.Ab12Z9", "elsewhere/board.txt.bak", "Data/game/Score/Classifica.txt.lock"})
        PutFile(f, "x");
    ASSERT_EQ(symlink("../../../elsewhere/board.txt", kBoard), 0);
    ASSERT_TRUE(board.AddScore(5, "B"));
    EXPECT_TRUE(fs::is_symlink(kBoard) && !fs::exists("elsewhere/board.txt.Ab12Z9"));
    EXPECT_EQ(xt::ReadFile("elsewhere/board.txt") + xt::ReadFile("elsewhere/board.txt.bak"),
              "00000900 A\n00000005 B\nx");
    for (const char* d : {".", "Data", "Data/game", "Data/game/Score", "elsewhere"}) chmod(d, 0777);
    chmod("Data/game/Score/Classifica.txt.lock", 0444);
    const pid_t other = fork();
    if (other == 0) _exit(geteuid() == 0 && setuid(65534) != 0 ? 2 : !board.AddScore(7, "ro"));
    int status = -1;
    waitpid(other, &status, 0);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(xt::ReadFile("elsewhere/board.txt"), "00000900 A\n00000007 ro\n00000005 B\n");
}

// Two processes adding 50 results each at the same time: every one lands, so
// the board holds the ten best of all 100. A lock held elsewhere is a
// failure after a short wait, the board and the open files unchanged.
TEST_F(LeaderboardStore, ConcurrentAddsAllLand) {
    pid_t adders[2];
    for (int k = 0; k < 2; ++k) {
        if ((adders[k] = fork()) != 0) continue;
        int failures = 0;
        for (int i = 0; i < 50; ++i) failures += !board.AddScore(2 * i + k, "p" + std::to_string(k));
        _exit(failures);
    }
    std::string best;
    for (int score = 99; score >= 90; --score)
        best += Leaderboard::FormatEntry(score, "p" + std::to_string(score % 2)) + "\n";
    for (pid_t adder : adders) {
        int status = -1;
        waitpid(adder, &status, 0);
        EXPECT_EQ(status, 0) << "failed adds";
    }
    EXPECT_EQ(Board(), best);

    const int held = open((std::string(kBoard) + ".lock").c_str(), O_RDWR);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    auto openFiles = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
    const auto files = openFiles();
    EXPECT_FALSE(board.AddScore(1000, "late"));
    EXPECT_EQ(openFiles(), files) << "no descriptor left open";
    close(held);
    EXPECT_EQ(Board(), best);
}

} // namespace
