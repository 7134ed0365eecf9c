#include "app/ChildProcesses.h"

#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <ctime>
#include <initializer_list>
#include <vector>

extern char** environ;

const char* childShell = "/bin/sh";
pid_t (*startSource)() = nullptr;

namespace {

// How long a sound told to end may take before it is killed.
constexpr int64_t kGraceMs = 300;

struct Group {
    pid_t id; // the shell's pid, the group's and the session's id
    const void* owner;
    bool shellCollected;
    int64_t endingSince; // when it was told to end; 0 while it plays
    bool killed;
};

// Never destroyed: a player destroyed during exit-time clean-up may still
// look here. Oldest first.
std::vector<Group>& Groups() {
    static auto* groups = new std::vector<Group>();
    return *groups;
}

int64_t NowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1000000 + 1;
}

void Collected(pid_t pid) {
    for (Group& g : Groups())
        if (g.id == pid) g.shellCollected = true;
}

// True when nothing of the group is left. While this is false some member
// is a child of ours (the shell, or a process it started and we adopted),
// so the group id is still ours.
bool Gone(Group& g) {
    for (;;) {
        const pid_t r = waitpid(-g.id, nullptr, WNOHANG);
        if (r == g.id) g.shellCollected = true;
        if (r > 0) continue;
        if (r < 0 && errno == EINTR) continue;
        return r < 0;
    }
}

// Collects every child that has ended, remembered or adopted, forgets the
// groups of which nothing is left, and kills those told to end that have
// outlived their grace.
void CollectAll() {
    for (pid_t r; (r = waitpid(-1, nullptr, WNOHANG)) != 0;) {
        if (r > 0)
            Collected(r);
        else if (errno != EINTR)
            break;
    }
    std::vector<Group>& groups = Groups();
    size_t kept = 0;
    const int64_t now = NowMs();
    for (Group& g : groups) {
        if (Gone(g)) continue;
        if (g.endingSince != 0 && !g.killed && now - g.endingSince >= kGraceMs) {
            killpg(g.id, SIGKILL);
            g.killed = true;
        }
        groups[kept++] = g;
    }
    groups.resize(kept);
}

// Tells the group to end: SIGTERM to all of it, and SIGCONT for a member
// that someone has stopped.
void TellToEnd(Group& g) {
    killpg(g.id, SIGTERM);
    killpg(g.id, SIGCONT);
    g.endingSince = NowMs();
}

bool Playing(const Group& g) { return g.endingSince == 0; }

// The spawn attributes of every started shell: signals as at a fresh start
// (this program ignores SIGPIPE), in a session of its own when asked.
void InitAttributes(posix_spawnattr_t& attr, bool session) {
    posix_spawnattr_init(&attr);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(
        &attr, static_cast<short>(POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | (session ? POSIX_SPAWN_SETSID : 0)));
}

pid_t Spawn(const std::string& command, bool session) {
    posix_spawnattr_t attr;
    InitAttributes(attr, session);
    const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, childShell, nullptr, &attr, const_cast<char* const*>(argv), environ);
    posix_spawnattr_destroy(&attr);
    return rc == 0 ? pid : -1;
}

// Adopt what a shell leaves behind, so that an audio player whose shell was
// stopped is still ours to collect and to end.
void BecomeSubreaper() {
    static const bool adopting = prctl(PR_SET_CHILD_SUBREAPER, 1) == 0;
    (void)adopting;
}

} // namespace

pid_t StartChild(const std::string& command, const void* owner) {
    if (startSource != nullptr) return startSource();
    BecomeSubreaper();
    CollectAll();
    // Room is made without waiting: the oldest sounds still playing are told
    // to end and collected by a later call.
    size_t playing = static_cast<size_t>(std::count_if(Groups().begin(), Groups().end(), Playing));
    for (Group& g : Groups())
        if (playing >= kMaxSounds && Playing(g)) {
            TellToEnd(g);
            --playing;
        }
    // A shell would replace itself with a lone last command (bash does, and
    // busybox), which would then take the signals meant for the shell: a
    // no-op after it keeps the shell in its place.
    const pid_t pid = Spawn(command + "\n:", true);
    if (pid > 0) Groups().push_back(Group{pid, owner, false, 0, false});
    return pid;
}

// The intermediate process starts the command's shell in a session of its
// own and ends at once; the shell, orphaned, goes to the system rather than
// to this program, which is no subreaper while the intermediate runs. Only
// the intermediate is waited for.
bool StartDetached(const std::string& command) {
    if (startSource != nullptr) return startSource() >= 0;
    prctl(PR_SET_CHILD_SUBREAPER, 0);
    const pid_t intermediate = fork();
    if (intermediate == 0) {
        setsid();
        _exit(Spawn(command, false) > 0 ? 0 : 1);
    }
    int status = 0;
    while (intermediate > 0 && waitpid(intermediate, &status, 0) < 0 && errno == EINTR) {
    }
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    return intermediate > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void ReapChildren() { CollectAll(); }

bool StopChild(pid_t pid, const void* owner) {
    if (pid <= 0) return false;
    CollectAll();
    for (Group& g : Groups()) {
        if (g.id != pid || g.owner != owner) continue;
        g.owner = nullptr;
        if (g.shellCollected) return false;
        kill(g.id, SIGTERM);
        return true;
    }
    return false;
}

void EndChildren() {
    CollectAll();
    for (Group& g : Groups())
        if (Playing(g)) TellToEnd(g);
    // Within the grace and a little more everything is collected: SIGKILL
    // cannot be refused.
    const timespec ms{0, 1000000};
    for (int i = 0; i < 4 * kGraceMs && !Groups().empty(); ++i) {
        CollectAll();
        nanosleep(&ms, nullptr);
    }
}

size_t TrackedChildCount() {
    CollectAll();
    return Groups().size();
}

size_t SoundChildCount() {
    CollectAll();
    return static_cast<size_t>(std::count_if(Groups().begin(), Groups().end(), Playing));
}
