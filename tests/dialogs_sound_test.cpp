// The sound player against a recording stand-in for "aplay" put first in
// PATH, under each shell there is (bash and busybox put a lone command in
// the shell's place). Ends of children are awaited with waitid(WNOWAIT),
// which leaves them to the player's own collection.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>

#include "app/ChildProcesses.h"
#include "dialogs/SoundPlayer.h"
#include "tests/support/XTestSupport.h"

namespace {

siginfo_t AwaitEnd(pid_t pid, int more = 0) {
    siginfo_t info{};
    while (waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT | more) != 0 && errno == EINTR) {
    }
    return info;
}

bool Running(pid_t pid) { return AwaitEnd(pid, WNOHANG).si_pid == 0 && kill(pid, 0) == 0; }

// For a shell the toolkit may already have collected: true once it is gone.
bool EndsSoon(pid_t pid) {
    for (int ms = 0; ms < 10000 && Running(pid); ++ms) usleep(1000);
    return !Running(pid);
}

// Waits until every remembered child has ended, and collects them.
void CollectAll() {
    siginfo_t info{};
    while (TrackedChildCount() > 0 && waitid(P_ALL, 0, &info, WEXITED | WNOWAIT) == 0) ReapChildren();
}

class Sound : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        if (access(GetParam(), X_OK) != 0) GTEST_SKIP() << GetParam() << " is not installed";
        childShell = GetParam();
        for (const char* f : {"Data/ding.wav", "Data/beep.wav"}) PutFile(f, "RIFF");
        scratch.StandIn("aplay");
    }
    // Every child ends and is collected: none is left, not even a zombie.
    void TearDown() override {
        startSource = nullptr;
        childShell = "/bin/sh";
        CollectAll();
        EXPECT_EQ(TrackedChildCount(), 0u);
        siginfo_t info{};
        waitid(P_ALL, 0, &info, WEXITED | WNOWAIT | WNOHANG);
        EXPECT_EQ(info.si_pid, 0) << "a child left uncollected";
    }

    ScratchFolder scratch;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Shells, Sound, ::testing::Values("/bin/sh", "/bin/bash", "/bin/busybox"));

TEST_P(Sound, EveryWayOfPlayingRunsAplayOnThePath) {
    SoundPlayer player;
    player.Play("Data/ding.wav");
    EXPECT_EQ(AwaitEnd(player.GetPid()).si_code, CLD_EXITED);
    player.PlayAndWait("Data/ding.wav");
    EXPECT_FALSE(player.IsPlaying());
    SoundPlayer::PlayOnce("Data/beep.wav");
    Beep();
    CollectAll();
    // When fork fails the sound plays once, here, even when asked to repeat.
    startSource = [] { return pid_t(-1); };
    player.Play("Data/ding.wav", true);
    EXPECT_FALSE(player.IsPlaying() || player.GetPid() != 0);
    EXPECT_EQ(scratch.Record(), "aplay Data/ding.wav\naplay Data/ding.wav\naplay Data/beep.wav\n"
                                "aplay Data/beep.wav\naplay Data/ding.wav\n");
}

TEST_P(Sound, MissingFilesPlayNothingAndANewSoundStopsThePreviousOne) {
    // Long enough that no sound ends by itself before it is stopped, however
    // slow the machine; the players left are ended at the end.
    scratch.StandIn("aplay", "exec sleep 60");
    SoundPlayer player;
    player.Stop();
    player.Play("Data/ding.wav");
    const pid_t first = player.GetPid();
    while (scratch.Record().empty()) usleep(1000); // its player has started
    xt::ClearLog();
    player.Play("Data/none.wav");
    SoundPlayer::PlayOnce("Data/gone.wav");
    std::remove("Data/beep.wav");
    Beep();
    mkfifo("Data/fifo.wav", 0600); // would hold a player for ever: missing too
    player.Play("Data/fifo.wav");
    EXPECT_EQ(xt::LogLines(), (std::vector<std::string>{"Data/none.wav non trovato.", "Data/gone.wav non trovato.",
                                                        "Data/fifo.wav non trovato."}));
    EXPECT_TRUE(player.GetPid() == first && Running(first)) << "a missing file leaves the sound playing";
    EXPECT_EQ(TrackedChildCount(), 1u);

    player.Play("Data/ding.wav", true);
    const pid_t second = player.GetPid();
    EXPECT_NE(first, second);
    // Its player holds it for a minute: ended now, it was stopped. (Starting
    // the second may collect it first, so how it ended is not always seen.)
    EXPECT_TRUE(EndsSoon(first));
    EXPECT_EQ(SoundChildCount(), 2u) << "the first one's player plays on";
    player.Stop();
    const siginfo_t end = AwaitEnd(second);
    EXPECT_TRUE(end.si_code == CLD_KILLED && end.si_status == SIGTERM && !player.IsPlaying());
    EndChildren();
}

TEST_P(Sound, RepeatReplaysUntilAplayFails) {
    // The stand-in fails on its third run, which ends the repeating child.
    scratch.StandIn("aplay", "[ $(wc -l < record) -lt 3 ]");
    SoundPlayer player;
    player.Play("Data/ding.wav", true);
    EXPECT_EQ(AwaitEnd(player.GetPid()).si_code, CLD_EXITED);
    EXPECT_EQ(scratch.Record(), "aplay Data/ding.wav\naplay Data/ding.wav\naplay Data/ding.wav\n");
    // So does a missing "aplay".
    setenv("PATH", "/nonexistent", 1);
    player.Play("Data/ding.wav", true);
    EXPECT_EQ(AwaitEnd(player.GetPid()).si_code, CLD_EXITED);
}

// Players that never end: however many sounds are started, no more than
// kMaxSounds play at once (the oldest are told to end first), and at the end
// of the program none is left. Only the player that
// started a sound may stop it, and never a process that is not its own.
TEST_P(Sound, PlayersThatNeverEndAreBoundedAndEndedWithTheProgram) {
    scratch.StandIn("aplay", "echo $$ >> pids; exec sleep 3600");
    auto alive = [] {
        std::ifstream in("pids");
        size_t n = 0;
        for (pid_t pid; in >> pid;) n += kill(pid, 0) == 0;
        return n;
    };
    SoundPlayer player, other;
    size_t most = 0;
    for (size_t i = 0; i < 3 * kMaxSounds; ++i) {
        i % 4 ? player.Play("Data/ding.wav") : other.Play("Data/beep.wav");
        most = std::max(most, SoundChildCount());
        EXPECT_FALSE(StopChild(getpid(), &player) || StopChild(other.GetPid(), &player));
    }
    EXPECT_LE(most, kMaxSounds);
    EXPECT_TRUE(Running(player.GetPid())) << "the newest plays";
    EXPECT_FALSE(StopChild(0, nullptr) || StopChild(-1, nullptr));
    EndChildren();
    EXPECT_EQ(alive() + TrackedChildCount(), 0u);
}

// The audio player itself is never signalled: each plays to its end.
TEST_P(Sound, StopAndANewPlayLetTheAudioPlayerFinish) {
    scratch.StandIn("aplay",
                    "trap 'echo TERM >> record' TERM\nuntil [ -e go ]; do sleep 0.01; done\necho end >> record");
    SoundPlayer player;
    for (const char* sound : {"Data/ding.wav", "Data/beep.wav"}) {
        player.Play(sound);
        while (scratch.Record().find(sound) == std::string::npos) usleep(1000);
    }
    player.Stop();
    PutFile("go", "");
    CollectAll();
    EXPECT_EQ(scratch.Record(), "aplay Data/ding.wav\naplay Data/beep.wav\nend\nend\n");
}
