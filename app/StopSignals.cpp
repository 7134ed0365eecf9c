#include "app/StopSignals.h"

#include <csignal>
#include <cstdio>
#include <initializer_list>

namespace {

volatile std::sig_atomic_t received = 0;

void Record(int sig) {
    if (received == 0) received = sig;
}

} // namespace

void CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = Record;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        // One ignored from the start stays so (nohup, a background job).
        struct sigaction old {};
        if (sigaction(sig, nullptr, &old) == 0 && old.sa_handler != SIG_IGN) sigaction(sig, &action, nullptr);
    }
    std::signal(SIGPIPE, SIG_IGN);
}

int StopSignal() { return received; }

void EndBySignal(int sig) {
    std::fflush(nullptr);
    std::signal(sig, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, sig);
    sigprocmask(SIG_UNBLOCK, &only, nullptr);
    std::raise(sig);
}
