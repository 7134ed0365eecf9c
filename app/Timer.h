// An invisible element that calls its handler every time a given number of
// milliseconds of idle time has passed. Timers advance only while the loop
// is idle, in 10 ms slices.
#pragma once
#include <cstdint>

#include "app/GUIElement.h"

class Timer : public Child {
public:
    Timer(GUIElement* parent, uint32_t interval);
    ~Timer() override;

    void Create() override;
    void Start();
    void Stop();
    void SetInterval(uint32_t ms);
    uint32_t GetInterval() const { return interval; }
    bool IsRunning() const { return running; }
    uint32_t GetElapsed() const { return elapsed; }

    void (*onTick)(Timer*) = nullptr;

private:
    friend void TickTimers(uint32_t ms);
    bool running = false;
    uint32_t interval = 0;
    uint32_t elapsed = 0;
};

// Waits until fd is readable or ms milliseconds have passed; select's result.
// With waitedNs, also the time actually waited, read from what select leaves
// of the time-out, so the loop needs no clock of its own.
int WaitForInput(int fd, int ms, int64_t* waitedNs = nullptr);
// Advances every running timer by ms; each fires at most once per call.
void TickTimers(uint32_t ms);
