// Sounds are played by the outside program "aplay" on a WAV file, run
// through the shell in a child process. A SoundPlayer holds at most one such
// child and stops its shell with SIGTERM; the player it started may finish
// the sound (how many may, and how they end, is up to ChildProcesses).
// Only regular files are played; anything else is reported as missing.
#pragma once
#include <cstdint>
#include <string>

#include "app/Services.h" // Beep, the audible warning

class SoundPlayer {
public:
    SoundPlayer();
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Starts the file in a child and returns at once; a sound already
    // playing is stopped first. With repeat the child plays it again and
    // again until stopped. When no child can be started the file is played
    // once here.
    void Play(const std::string& path, bool repeat = false);
    // Plays the file in the calling process and returns when it has ended.
    void PlayAndWait(const std::string& path);
    // Stops the child started by the last Play, if it is still ours.
    void Stop();
    // PlayAndWait on a temporary player.
    static void PlayOnce(const std::string& path);

    int32_t GetPid() const { return pid; }
    bool IsPlaying() const { return playing; }

private:
    int32_t pid = 0;
    bool playing = false;
};
