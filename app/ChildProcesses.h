// The processes the toolkit forks to run shell commands (sounds, the browser,
// the mail client). Every started child is remembered here until it has been
// collected, so none stays behind as a defunct entry. Collection only ever
// waits for a remembered id, without blocking: the exit status of a command
// run through system() elsewhere still goes to its own caller. No SIGCHLD
// handler is installed.
//
// A remembered id may carry an owner (any address, e.g. the sound player that
// started it). Only that owner may signal it, and only while the child has not
// been collected: once collected, the id may belong to some other process and
// is never signalled again.
#pragma once
#include <sys/types.h>

#include <cstddef>

// Remembers a child started by this process; ids <= 0 are ignored.
void TrackChild(pid_t pid, const void* owner = nullptr);

// Collects every remembered child that has ended; never blocks.
void ReapChildren();

// Sends SIGTERM to pid when it is a remembered child of this owner that is
// still running; the child is then no longer attributed to the owner and is
// collected by a later ReapChildren. A child that has already ended is
// collected and nothing is sent. True when the signal was sent.
bool StopChild(pid_t pid, const void* owner);

// Flushes the C streams and forks. In the parent a started child is
// remembered for the owner; in the child SIGTERM is back to its default
// action, so that stopping works. Returns what fork returned.
pid_t ForkChild(const void* owner = nullptr);

// Ends a forked child at once, without the parent's exit-time clean-up
// (static destructors, stream buffers, leak reports).
[[noreturn]] void EndChild(int status = 0);

// Number of remembered children not yet collected.
size_t TrackedChildCount();

// Test seam: when set, ForkChild calls this instead of fork (tests use it to
// make fork fail).
extern pid_t (*forkSource)();
