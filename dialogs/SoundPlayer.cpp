#include "dialogs/SoundPlayer.h"

#include "app/ChildProcesses.h"
#include "app/Loop.h"
#include "app/Services.h"
#include "util/Files.h"

namespace {

const char* const kAudioPlayer = "aplay";

// True when the audio player reported a failure.
bool PlayFile(const std::string& path) { return RunProgram(kAudioPlayer, path); }

} // namespace

SoundPlayer::SoundPlayer() = default;

// Children that have ended are collected before a new one is signalled; the
// one signalled now is collected by a later call.
SoundPlayer::~SoundPlayer() {
    ReapChildren();
    if (playing) StopChild(pid, this);
}

void SoundPlayer::Stop() {
    ReapChildren();
    if (playing) StopChild(pid, this);
    pid = 0;
    playing = false;
}

void SoundPlayer::Play(const std::string& path, bool repeat) {
    if (!FileExists(path)) {
        Log(path + " non trovato.");
        return;
    }
    ReapChildren();
    if (playing) {
        StopChild(pid, this);
        pid = 0;
        playing = false;
    }
    const pid_t started = ForkChild(this);
    if (started > 0) {
        pid = started;
        playing = true;
        return;
    }
    // The child, or this process when fork failed: only a real child repeats.
    playing = true;
    bool failed = PlayFile(path);
    // A player that cannot play (missing or failing "aplay") would otherwise
    // restart it as fast as the machine forks, until stopped.
    while (playing && started == 0 && repeat && !failed) failed = PlayFile(path);
    pid = 0;
    playing = false;
    if (started == 0) EndChild(0);
}

void SoundPlayer::PlayAndWait(const std::string& path) {
    if (!FileExists(path)) {
        Log(path + " non trovato.");
        return;
    }
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
