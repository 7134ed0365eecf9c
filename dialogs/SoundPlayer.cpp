#include "dialogs/SoundPlayer.h"

#include "app/ChildProcesses.h"
#include "app/Log.h"
#include "app/Services.h"
#include "util/Files.h"

namespace {

// True when the audio player reported a failure.
bool PlayFile(const std::string& path) { return RunProgram(kAudioPlayer, path); }

// Only a regular file is handed to the player: on a FIFO or a device it
// would wait or play for ever.
bool Playable(const std::string& path) {
    if (IsRegularFile(path)) return true;
    Log(path + " non trovato.");
    return false;
}

} // namespace

SoundPlayer::SoundPlayer() = default;

// The stopped shell and what it started are collected by a later call.
SoundPlayer::~SoundPlayer() {
    if (playing) StopChild(pid, this);
}

void SoundPlayer::Stop() {
    if (playing) StopChild(pid, this);
    pid = 0;
    playing = false;
}

void SoundPlayer::Play(const std::string& path, bool repeat) {
    if (!Playable(path)) return;
    if (playing) {
        StopChild(pid, this);
        pid = 0;
        playing = false;
    }
    // Repeating stops at the first failure: a player that cannot play
    // (missing or failing "aplay") would otherwise restart without end.
    const std::string command = ProgramLine(kAudioPlayer, path);
    const pid_t started = StartChild(repeat ? "while " + command + "; do :; done" : command, this);
    if (started > 0) {
        pid = started;
        playing = true;
        return;
    }
    // No process could be started: the sound plays once, here.
    PlayFile(path);
}

void SoundPlayer::PlayAndWait(const std::string& path) {
    if (!Playable(path)) return;
    if (playing) {
        StopChild(pid, this);
        pid = 0;
        playing = false;
    }
    PlayFile(path);
}

void SoundPlayer::PlayOnce(const std::string& path) {
    SoundPlayer player;
    player.PlayAndWait(path);
    if (player.playing) player.Stop();
}
