#include "app/Timer.h"

#include <sys/select.h>

#include <algorithm>

Timer::Timer(GUIElement* parentElement, uint32_t intervalMs) : interval(intervalMs) {
    parent = parentElement;
    typeTag = kTimerTag;
    text = "timer";
    width = 0;
    height = 0;
    tabStop = false;
    Application::RegisterTimer(this);
}

Timer::~Timer() { running = false; }

void Timer::Create() {
    if (created) return;
    if (id == 0) id = Application::NextId();
    created = true;
}

void Timer::Start() {
    if (running) return;
    Create();
    running = true;
}

void Timer::Stop() { running = false; }

void Timer::SetInterval(uint32_t ms) {
    interval = ms;
    if (running) {
        Stop();
        Start();
    }
}

int WaitForInput(int fd, int ms, int64_t* waitedNs) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(fd, &set);
    timeval tv{};
    tv.tv_sec = ms / 1000;
    tv.tv_usec = (ms % 1000) * 1000;
    const int ready = select(fd + 1, &set, nullptr, nullptr, &tv);
    // A time-out waited it all; otherwise Linux leaves the time not slept in
    // tv, also when a signal cut the wait short.
    if (waitedNs != nullptr) {
        const int64_t leftUs = ready == 0 ? 0 : int64_t{tv.tv_sec} * 1000000 + tv.tv_usec;
        *waitedNs = std::max<int64_t>(0, int64_t{ms} * 1000 - leftUs) * 1000;
    }
    return ready;
}

void TickTimers(uint32_t ms) {
    // By index: a handler may start or stop timers (but not destroy one).
    for (size_t i = 0; i < Application::timers.size(); ++i) {
        Timer* t = Application::timers[i];
        if (!t->running) continue;
        t->elapsed += ms;
        if (t->elapsed >= t->interval) {
            t->elapsed = 0;
            if (t->onTick) t->onTick(t);
        }
    }
}
