// The processes the toolkit starts to run shell commands: sounds, the
// browser, the mail client. Each command runs under /bin/sh in a process
// group of its own, whose id is the shell's pid, and the group is remembered
// until nothing of it is left: the shell and whatever it started (the audio
// player), which this process adopts should the shell end first. So every
// process started is collected here, none stays defunct, and a group is only
// ever signalled while something of it is still ours, never after its id
// may have gone to another process. Collection never blocks and only waits
// for remembered groups; no SIGCHLD handler is installed.
//
// A group may carry an owner (any address, e.g. the sound player that
// started it); only that owner may stop its shell.
#pragma once
#include <sys/types.h>

#include <cstddef>
#include <string>

enum class ChildRole {
    // Ended with the program, and at most kMaxSounds at once.
    sound,
    // The browser or mail client: not counted among the sounds.
    helper,
};

// Sounds that may play at once. A sound that is replaced or stopped may
// still play out (the game's tick is 70 ms long and comes at most every
// 20 ms, so about four overlap); beyond this the oldest is ended first, so
// that a player that never ends cannot pile up.
constexpr size_t kMaxSounds = 8;

// Runs the command line through /bin/sh in a new process group; returns the
// shell's pid (the group's id), or -1 when no process could be started (the
// caller may then run the command itself).
pid_t StartChild(const std::string& command, ChildRole role, const void* owner = nullptr);

// Collects whatever has ended in every remembered group; never blocks.
void ReapChildren();

// Sends SIGTERM to the shell of this owner's group when it is still running;
// what the shell started is left to finish. The group is then no longer the
// owner's. True when the signal was sent.
bool StopChild(pid_t pid, const void* owner);

// At the end of the program: every group still running, sounds and helpers
// alike, is ended (SIGTERM, then SIGKILL for what is left after a short
// grace) and collected, in well under a second, so nothing the program
// started outlives it.
void EndChildren();

// Remembered groups not yet wholly collected; those that are sounds.
size_t TrackedChildCount();
size_t SoundChildCount();

// Test seam: when set, StartChild calls this instead of starting a process.
// -1 acts as a failed start; any other value as a started process that is
// not remembered (nothing is ever signalled or collected for it).
extern pid_t (*startSource)();
