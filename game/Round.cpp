// One round of the fruit machine: a first spin of all reels, the hold phase
// (reels showing a paying symbol are held, the player may change the holds),
// the re-spin of the reels that are not held, and the payout.
//
// Spins are driven by the window's 20 ms timer, which advances only while
// the loop is idle. During second k of a spin the reels change on every
// (k+1)-th tick, so they slow down from 50 changes a second to about 3.
#include <sys/resource.h>

#include <cstdio>
#include <ctime>

#include "app/Services.h"
#include "app/Timer.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "controls/ImageFrame.h"
#include "controls/Slider.h"
#include "dialogs/FormMsgBox.h"
#include "dialogs/SoundPlayer.h"
#include "game/FormMain.h"
#include "game/PayTable.h"
#include "util/Strings.h"

namespace {

int64_t ClockNs(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return int64_t{t.tv_sec} * 1000000000 + t.tv_nsec;
}

long MinorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

} // namespace

void FormMain::StartSpin() {
    // One spin at a time, whatever reaches this (a queued click, a key).
    if (spinning) return;
    int held = 0;
    for (int i = 0; i < kReels; ++i)
        if (IsLocked(i)) ++held;
    if (held == kReels) {
        ShowMessage(this, "Unable to lock all cells.", "Attention");
        return;
    }
    EnableControls(false);
    messageCell->SetText("");
    for (int i = 0; i < kReels; ++i) {
        lockCells[i]->Enable(false);
        resultCells[i]->SetText("");
    }
    // The new spin is timed from its own first tick, even when it starts
    // before an idle tick has noticed that the previous one ended.
    ResetSpinClock();
    spinning = true;
}

void FormMain::ResetSpinClock() {
    spinClockStarted = false;
    changeTicks = 0;
}

void FormMain::SpinTick() {
    if (tickBusy) return;
    tickBusy = true;
    struct ClearBusy {
        bool& flag;
        ~ClearBusy() { flag = false; }
    } clearBusy{tickBusy};

    if (!spinning) {
        ResetSpinClock();
        return;
    }
    if (!spinClockStarted) {
        spinStart = TimeStamp::Now();
        spinClockStarted = true;
        if (stats.enabled)
            stats = SpinStats{true,         ClockNs(CLOCK_MONOTONIC), 0, 0, 0, ClockNs(CLOCK_PROCESS_CPUTIME_ID), 0, 0,
                              MinorFaults()};
        PlaySpinSound();
    }
    ++changeTicks;
    const int64_t elapsed = spinStart.ElapsedMs(TimeStamp::Now());
    if (elapsed / 1000 < changeTicks) {
        changeTicks = 0;
        Display* d = GetDisplay();
        const unsigned long before = d != nullptr ? XNextRequest(d) : 0;
        const int64_t cpuBefore = stats.enabled ? ClockNs(CLOCK_THREAD_CPUTIME_ID) : 0;
        for (int i = 0; i < kReels; ++i) {
            // A number is drawn for every reel, held or not.
            const int32_t r = Random(0, kSymbols - 1);
            if (!IsLocked(i)) reels[i]->SetFrame(r, 0, false);
        }
        if (stats.enabled) NoteReelChange(before, cpuBefore);
        PlaySpinSound();
    }
    if (elapsed <= kSpinMs) return;
    EndOfSpin();
}

void FormMain::EndOfSpin() {
    sound->Stop();
    if (stats.enabled) WriteSpinStats();
    if (holdPhase) {
        holdPhase = false;
        ResetLocks();
        EnableControls(true);
        EvaluateSpin();
    } else {
        holdPhase = true;
        int paying = 0;
        for (int i = 0; i < kReels; ++i) {
            const bool pays = paytable::IsPaying(ReelSymbol(i));
            paying += pays;
            lockCells[i]->Enable(true);
            SetHeld(i, pays);
        }
        if (paying == kReels) {
            // Every reel pays: nothing is left to re-spin.
            holdPhase = false;
            ResetLocks();
            EnableControls(true);
            EvaluateSpin();
        } else {
            startButton->SetText("Raises");
            startButton->SetEnabled(true);
        }
    }
    spinning = false;
}

void FormMain::EvaluateSpin() {
    const int64_t wager = GetWager();
    int64_t total = 0;
    for (const paytable::Line& line : paytable::kLines) {
        int count = 0;
        for (int i = 0; i < kReels; ++i)
            if (ReelSymbol(i) == line.symbol) ++count;
        const int m = paytable::Multiplier(line, count);
        if (m == 0) continue;
        for (int i = 0; i < kReels; ++i)
            if (ReelSymbol(i) == line.symbol) resultCells[i]->SetText("X " + IntToStr(m));
        total += m * wager;
    }
    if (total != 0) {
        messageCell->SetText("You have won " + IntToStr(total) + " points!");
        ChangeScore(total - wager);
    } else {
        messageCell->SetText("You lost!");
        ChangeScore(-wager);
    }
}

void FormMain::PlaySpinSound() {
    const int64_t before = stats.enabled ? ClockNs(CLOCK_THREAD_CPUTIME_ID) : 0;
    sound->Play(kSpinSound);
    if (stats.enabled) stats.soundCpuNs += ClockNs(CLOCK_THREAD_CPUTIME_ID) - before;
}

void FormMain::NoteReelChange(unsigned long requestsBefore, int64_t cpuBefore) {
    stats.paintCpuNs += ClockNs(CLOCK_THREAD_CPUTIME_ID) - cpuBefore;
    Display* d = GetDisplay();
    if (d != nullptr) stats.requests += XNextRequest(d) - requestsBefore;
    ++stats.changes;
    if (ClockNs(CLOCK_MONOTONIC) - stats.startNs < 1000000000) ++stats.firstSecondChanges;
}

void FormMain::WriteSpinStats() {
    const double seconds = static_cast<double>(ClockNs(CLOCK_MONOTONIC) - stats.startNs) / 1e9;
    const double perChange = stats.changes > 0 ? static_cast<double>(stats.requests) / stats.changes : 0.0;
    std::fprintf(stderr,
                 "stats: spin seconds=%.2f changes=%d first-second=%d requests-per-change=%.1f cpu-ms=%.1f "
                 "paint-cpu-ms=%.1f sound-start-cpu-ms=%.1f minor-faults=%ld\n",
                 seconds, stats.changes, stats.firstSecondChanges, perChange,
                 static_cast<double>(ClockNs(CLOCK_PROCESS_CPUTIME_ID) - stats.startCpuNs) / 1e6,
                 static_cast<double>(stats.paintCpuNs) / 1e6, static_cast<double>(stats.soundCpuNs) / 1e6,
                 MinorFaults() - stats.startFaults);
    std::fflush(stderr);
}

void FormMain::WriteFirstFrameStats() {
    // Once the server has drawn it: the monotonic clock, for the benchmark's
    // start-up figure.
    if (Display* d = GetDisplay()) XSync(d, False);
    std::fprintf(stderr, "stats: first-frame monotonic-ns=%lld\n", static_cast<long long>(ClockNs(CLOCK_MONOTONIC)));
    std::fflush(stderr);
}
