// The processes the toolkit starts to run shell commands.
//
// Sounds run under the shell (childShell, /bin/sh) in a session of their own
// (so no terminal ever stops them for writing to it, nor sends them its
// signals), whose process group id is the shell's pid. A group is remembered
// until nothing of it is left: the shell and whatever it started (the audio
// player), which this process adopts should the shell end first, for the
// program is the subreaper of its descendants. A group is only ever
// signalled while something of it is still ours, never after its id may
// have gone to another process. Sounds end with the program.
//
// The browser and the mail client are handed over instead: started in a
// session of their own by a short-lived intermediate process, so that this
// program is never their parent; never remembered, never signalled, they
// outlive the program.
//
// Collection never blocks and collects every child that has ended, started
// or adopted; no SIGCHLD handler is installed.
//
// A group may carry an owner (any address, e.g. the sound player that
// started it); only that owner may stop its shell.
#pragma once
#include <sys/types.h>

#include <cstddef>
#include <string>

// Sounds that may play at once. A sound that is replaced or stopped may
// still play out (the game's tick is 70 ms long and comes at most every
// 20 ms, so about four overlap); beyond this the oldest is told to end (and
// killed a short grace later if it has not), without waiting for it, so
// that a player that never ends cannot pile up.
constexpr size_t kMaxSounds = 8;

// Runs the command line through the shell in a session of its own, as a
// sound; returns the shell's pid (the group's id), or -1 when no process
// could be started (the caller may then run the command itself).
pid_t StartChild(const std::string& command, const void* owner = nullptr);

// Runs the command line through the shell, detached: not this program's
// child, not remembered. False when it could not be started.
bool StartDetached(const std::string& command);

// Collects every child that has ended; never blocks.
void ReapChildren();

// Sends SIGTERM to the shell of this owner's group when it is still running;
// what the shell started is left to finish. The group is then no longer the
// owner's. True when the signal was sent.
bool StopChild(pid_t pid, const void* owner);

// At the end of the program: every sound group still running is ended
// (SIGTERM, then SIGKILL for what is left after a short grace) and
// collected, in well under a second.
void EndChildren();

// Remembered groups not yet wholly collected; those not told to end yet.
size_t TrackedChildCount();
size_t SoundChildCount();

// The shell that runs started commands.
extern const char* childShell;

// Test seam: when set, StartChild and StartDetached call this instead of
// starting a process. -1 acts as a failed start; any other value as a
// started process that is not remembered.
extern pid_t (*startSource)();
