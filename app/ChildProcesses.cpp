#include "app/ChildProcesses.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <vector>

pid_t (*forkSource)() = nullptr;

namespace {

struct Tracked {
    pid_t pid;
    const void* owner;
};

// Never destroyed: a player destroyed during exit-time clean-up may still
// look here.
std::vector<Tracked>& Known() {
    static auto* known = new std::vector<Tracked>();
    return *known;
}

// True when the child has ended (and is now collected) or is not ours at all.
bool Collect(pid_t pid) {
    int status = 0;
    pid_t r;
    do {
        r = waitpid(pid, &status, WNOHANG);
    } while (r < 0 && errno == EINTR);
    return r != 0;
}

} // namespace

void TrackChild(pid_t pid, const void* owner) {
    if (pid <= 0) return;
    for (Tracked& t : Known())
        if (t.pid == pid) {
            t.owner = owner;
            return;
        }
    Known().push_back(Tracked{pid, owner});
}

void ReapChildren() {
    std::vector<Tracked>& known = Known();
    size_t kept = 0;
    for (size_t i = 0; i < known.size(); ++i)
        if (!Collect(known[i].pid)) known[kept++] = known[i];
    known.resize(kept);
}

bool StopChild(pid_t pid, const void* owner) {
    if (pid <= 0) return false;
    std::vector<Tracked>& known = Known();
    for (size_t i = 0; i < known.size(); ++i) {
        if (known[i].pid != pid || known[i].owner != owner) continue;
        // Not yet collected, so the id cannot have been handed to another
        // process: a zombie or a running child of ours.
        if (Collect(pid)) {
            known.erase(known.begin() + static_cast<std::ptrdiff_t>(i));
            return false;
        }
        kill(pid, SIGTERM);
        known[i].owner = nullptr;
        return true;
    }
    return false;
}

pid_t ForkChild(const void* owner) {
    std::fflush(nullptr);
    pid_t r = forkSource != nullptr ? forkSource() : fork();
    if (r > 0) {
        TrackChild(r, owner);
    } else if (r == 0) {
        std::signal(SIGTERM, SIG_DFL);
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGTERM);
        sigprocmask(SIG_UNBLOCK, &set, nullptr);
    }
    return r;
}

void EndChild(int status) { _exit(status); }

size_t TrackedChildCount() { return Known().size(); }
