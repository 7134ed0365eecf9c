#include "app/ChildProcesses.h"

#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <initializer_list>
#include <vector>

extern char** environ;

pid_t (*startSource)() = nullptr;

namespace {

struct Group {
    pid_t id; // the shell's pid and the group's id
    ChildRole role;
    const void* owner;
    bool shellCollected;
};

// Never destroyed: a player destroyed during exit-time clean-up may still
// look here. Oldest first.
std::vector<Group>& Groups() {
    static auto* groups = new std::vector<Group>();
    return *groups;
}

// Collects what has ended in the group; true when nothing of it is left.
// While this is false some member is an unreaped child of ours (the shell,
// or a process it started and we adopted), so the group id is still ours.
bool Collect(Group& g) {
    for (;;) {
        const pid_t r = waitpid(-g.id, nullptr, WNOHANG);
        if (r == g.id) g.shellCollected = true;
        if (r > 0) continue;
        if (r < 0 && errno == EINTR) continue;
        return r < 0;
    }
}

void CollectAll() {
    std::vector<Group>& groups = Groups();
    size_t kept = 0;
    for (size_t i = 0; i < groups.size(); ++i)
        if (!Collect(groups[i])) groups[kept++] = groups[i];
    groups.resize(kept);
}

void Pause1ms() {
    const timespec ms{0, 1000000};
    nanosleep(&ms, nullptr);
}

// Collects until every group matching `ended` is gone or about `ms` have
// passed.
template <typename Pred>
void AwaitGone(Pred ended, int ms) {
    for (int i = 0; i <= ms; ++i) {
        CollectAll();
        if (std::none_of(Groups().begin(), Groups().end(), ended)) return;
        Pause1ms();
    }
}

// Ends the groups that match: SIGTERM, then SIGKILL for the stragglers.
template <typename Pred>
void EndGroups(Pred match) {
    constexpr int kGraceMs = 300;
    for (int sig : {SIGTERM, SIGKILL}) {
        CollectAll();
        for (const Group& g : Groups())
            if (match(g)) killpg(g.id, sig);
        AwaitGone(match, kGraceMs);
    }
}

pid_t Spawn(const std::string& command) {
    // Adopt what a shell leaves behind, so that an audio player whose shell
    // was stopped is still ours to collect and to end.
    static const bool adopting = prctl(PR_SET_CHILD_SUBREAPER, 1) == 0;
    (void)adopting;
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    const char* argv[] = {"sh", "-c", command.c_str(), nullptr};
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, "/bin/sh", nullptr, &attr, const_cast<char* const*>(argv), environ);
    posix_spawnattr_destroy(&attr);
    return rc == 0 ? pid : -1;
}

bool IsSound(const Group& g) { return g.role == ChildRole::sound; }

} // namespace

pid_t StartChild(const std::string& command, ChildRole role, const void* owner) {
    if (startSource != nullptr) return startSource();
    CollectAll();
    if (role == ChildRole::sound) {
        while (SoundChildCount() >= kMaxSounds) {
            const pid_t oldest = std::find_if(Groups().begin(), Groups().end(), IsSound)->id;
            EndGroups([oldest](const Group& g) { return g.id == oldest; });
            // One that even SIGKILL has not ended yet is left to a later
            // collection rather than waited for here.
            if (SoundChildCount() >= kMaxSounds) break;
        }
    }
    const pid_t pid = Spawn(command);
    if (pid > 0) Groups().push_back(Group{pid, role, owner, false});
    return pid;
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
    EndGroups([](const Group&) { return true; });
}

size_t TrackedChildCount() {
    CollectAll();
    return Groups().size();
}

size_t SoundChildCount() {
    CollectAll();
    return static_cast<size_t>(std::count_if(Groups().begin(), Groups().end(), IsSound));
}
