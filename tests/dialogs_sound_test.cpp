// The sound player against a recording stand-in for "aplay" put first in
// PATH. Ends of children are awaited with waitid(WNOWAIT), which leaves them
// to the player's own collection.
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fstream>
#include <string>
#include <vector>

#include "app/ChildProcesses.h"
#include "dialogs/SoundPlayer.h"
#include "tests/support/XTestSupport.h"

namespace {

using Lines = std::vector<std::string>;

siginfo_t AwaitEnd(pid_t pid, int more = 0) {
    siginfo_t info{};
    while (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT | more) != 0 && errno == EINTR) {
    }
    return info;
}

bool KilledBySigterm(pid_t pid) {
    siginfo_t info = AwaitEnd(pid);
    return info.si_pid == pid && info.si_code == CLD_KILLED && info.si_status == SIGTERM;
}

bool Running(pid_t pid) { return AwaitEnd(pid, WNOHANG).si_pid == 0 && kill(pid, 0) == 0; }

// The children of this process and their states, from /proc.
std::vector<std::pair<pid_t, char>> OwnChildren() {
    std::vector<std::pair<pid_t, char>> children;
    DIR* proc = opendir("/proc");
    const std::string self = std::to_string(getpid());
    while (dirent* entry = proc ? readdir(proc) : nullptr) {
        std::ifstream in(std::string("/proc/") + entry->d_name + "/stat");
        std::string line;
        size_t close;
        if (!std::getline(in, line) || (close = line.rfind(')')) == std::string::npos || close + 4 >= line.size())
            continue;
        // After the name in parentheses: the state, then the parent's id.
        std::string rest = line.substr(close + 4);
        if (rest.substr(0, rest.find(' ')) == self) children.emplace_back(std::atoi(entry->d_name), line[close + 2]);
    }
    if (proc) closedir(proc);
    return children;
}

int Zombies() {
    auto children = OwnChildren();
    return static_cast<int>(std::count_if(children.begin(), children.end(), [](auto& c) { return c.second == 'Z'; }));
}

// A child of the test itself that only waits to be killed.
pid_t StartStranger() {
    pid_t pid = fork();
    while (pid == 0) pause();
    return pid;
}

void EndStranger(pid_t pid) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

pid_t FailingFork() { return -1; }

class Sound : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/dialogs_sound_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        oldCwd = std::string(getcwd(buffer, sizeof buffer));
        oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
        ASSERT_EQ(chdir(dir.c_str()), 0);
        mkdir("bin", 0755);
        mkdir("Data", 0755);
        std::ofstream("Data/ding.wav") << "RIFF";
        std::ofstream("Data/beep.wav") << "RIFF";
        setenv("PATH", (dir + "/bin:" + oldPath).c_str(), 1);
        StandIn("");
    }

    void TearDown() override {
        forkSource = nullptr;
        for (auto& child : OwnChildren()) AwaitEnd(child.first);
        ReapChildren();
        EXPECT_EQ(TrackedChildCount(), 0u);
        EXPECT_EQ(Zombies(), 0);
        setenv("PATH", oldPath.c_str(), 1);
        EXPECT_EQ(chdir(oldCwd.c_str()), 0);
        std::system(("rm -rf '" + dir + "'").c_str());
    }

    // The "aplay" stand-in: one line of its arguments per run, then the tail.
    void StandIn(const std::string& tail) {
        std::ofstream("bin/aplay") << "#!/bin/sh\nfor a; do printf '%s|' \"$a\"; done >> " << dir
                                   << "/played\necho >> " << dir << "/played\n" << tail << "\n";
        chmod("bin/aplay", 0755);
    }

    Lines Played() {
        Lines lines;
        std::ifstream in(dir + "/played");
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    char buffer[4096];
    std::string dir, oldCwd, oldPath;
};

} // namespace

TEST_F(Sound, EveryWayOfPlayingRunsAplayOnThePath) {
    SoundPlayer player;
    player.Play("Data/ding.wav");
    ASSERT_GT(player.GetPid(), 0);
    EXPECT_TRUE(player.IsPlaying());
    EXPECT_EQ(AwaitEnd(player.GetPid()).si_code, CLD_EXITED);
    player.PlayAndWait("Data/ding.wav");
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_EQ(player.GetPid(), 0);
    SoundPlayer::PlayOnce("Data/beep.wav");
    Beep();
    for (auto& child : OwnChildren()) AwaitEnd(child.first);
    EXPECT_EQ(Played(), (Lines{"Data/ding.wav|", "Data/ding.wav|", "Data/beep.wav|", "Data/beep.wav|"}));
}

TEST_F(Sound, MissingFilesPlayNothingAndLeaveTheCurrentSound) {
    StandIn("exec sleep 1");
    SoundPlayer player;
    player.Play("Data/ding.wav");
    const pid_t child = player.GetPid();
    xt::ClearLog();
    player.Play("Data/none.wav");
    player.PlayAndWait("Data/gone.wav");
    SoundPlayer::PlayOnce("Data/gone.wav");
    std::remove("Data/beep.wav");
    Beep();
    EXPECT_EQ(xt::LogLines(),
              (Lines{"Data/none.wav non trovato.", "Data/gone.wav non trovato.", "Data/gone.wav non trovato."}));
    EXPECT_EQ(player.GetPid(), child);
    EXPECT_TRUE(Running(child));
    EXPECT_EQ(TrackedChildCount(), 1u);
    player.Stop();
    EXPECT_TRUE(KilledBySigterm(child));
}

TEST_F(Sound, ANewSoundStopsThePreviousOneAndStopIsIdempotent) {
    StandIn("exec sleep 1");
    SoundPlayer player;
    player.Stop();
    player.Play("Data/ding.wav");
    const pid_t first = player.GetPid();
    player.Play("Data/ding.wav", true);
    const pid_t second = player.GetPid();
    EXPECT_NE(first, second);
    EXPECT_TRUE(KilledBySigterm(first));
    player.Stop();
    EXPECT_TRUE(KilledBySigterm(second));
    EXPECT_FALSE(player.IsPlaying());
    player.Stop();
    EXPECT_EQ(player.GetPid(), 0);

    auto* dropped = new SoundPlayer();
    dropped->Play("Data/ding.wav");
    const pid_t third = dropped->GetPid();
    delete dropped;
    EXPECT_TRUE(KilledBySigterm(third));
}

TEST_F(Sound, RepeatReplaysUntilStopped) {
    // Opened for reading and writing on both sides, the pipe never blocks.
    ASSERT_EQ(mkfifo("plays", 0600), 0);
    const int plays = open("plays", O_RDWR);
    StandIn("exec 3<>" + dir + "/plays; echo >&3");
    SoundPlayer player;
    player.Play("Data/ding.wav", true);
    for (int seen = 0; seen < 3;) {
        pollfd ready{plays, POLLIN, 0};
        ASSERT_EQ(poll(&ready, 1, 20000), 1) << "the sound was not played again";
        seen += static_cast<int>(read(plays, buffer, sizeof buffer));
    }
    const pid_t child = player.GetPid();
    player.Stop();
    EXPECT_TRUE(KilledBySigterm(child));
    close(plays);
}

TEST_F(Sound, AFailingOrMissingAplayEndsTheChild) {
    StandIn("exit 1");
    SoundPlayer player;
    player.Play("Data/ding.wav", true);
    EXPECT_EQ(AwaitEnd(player.GetPid()).si_code, CLD_EXITED);
    EXPECT_EQ(Played().size(), 1u);
    setenv("PATH", (dir + "/none").c_str(), 1);
    player.Play("Data/ding.wav", true);
    EXPECT_EQ(AwaitEnd(player.GetPid()).si_code, CLD_EXITED);
}

TEST_F(Sound, WithoutForkTheSoundPlaysOnceInTheCaller) {
    forkSource = FailingFork;
    SoundPlayer player;
    player.Play("Data/ding.wav", true);
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_EQ(player.GetPid(), 0);
    Beep();
    EXPECT_EQ(Played(), (Lines{"Data/ding.wav|", "Data/beep.wav|"}));
}

TEST_F(Sound, ManyPlaysLeaveNoZombieAndSignalNoStranger) {
    StandIn("exec sleep 0.05");
    const pid_t stranger = StartStranger();
    SoundPlayer player, other;
    int worst = 0;
    for (int i = 0; i < 200; ++i) {
        (i % 2 ? player : other).Play("Data/ding.wav");
        if (i % 40 == 39) worst = std::max(worst, Zombies());
        // Only the player that started a child may stop it.
        EXPECT_FALSE(StopChild(stranger, &player));
        EXPECT_FALSE(StopChild(other.GetPid(), &player));
    }
    // Children signalled since the last collection may have ended meanwhile,
    // more of them on a busy machine; uncollected, there would be ~200.
    EXPECT_LE(worst, 50);
    player.Stop();
    other.Stop();
    EXPECT_FALSE(StopChild(0, nullptr));
    EXPECT_FALSE(StopChild(-1, nullptr));
    EXPECT_TRUE(Running(stranger));
    EndStranger(stranger);
}

// A collected child's id may go to another process: a player that still
// holds that id must leave the newcomer alone.
TEST_F(Sound, AReusedIdIsNeverSignalled) {
    SoundPlayer player;
    player.Play("Data/ding.wav");
    const pid_t gone = player.GetPid();
    AwaitEnd(gone);
    ReapChildren();
    pid_t stranger = -1;
    for (int attempt = 0; attempt < 50 && stranger != gone && kill(gone, 0) != 0; ++attempt) {
        if (stranger > 0) EndStranger(stranger);
        std::ofstream("/proc/sys/kernel/ns_last_pid") << gone - 1;
        stranger = StartStranger();
    }
    if (stranger != gone) {
        if (stranger > 0) EndStranger(stranger);
        GTEST_SKIP() << "could not place a process on a freed id";
    }
    EXPECT_TRUE(player.IsPlaying());
    player.Play("Data/ding.wav"); // replaces the sound it believes is playing
    EXPECT_TRUE(Running(stranger));
    EndStranger(stranger);
}
