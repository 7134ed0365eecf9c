// Sounds are played by the outside program "aplay" on a WAV file, run
// through the shell in a forked child. A SoundPlayer holds at most one such
// child and stops it with SIGTERM.
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

    // Starts the file in a forked child and returns at once; a sound already
    // playing is stopped first. With repeat the child plays it again and
    // again until stopped. When fork fails the file is played once here.
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

