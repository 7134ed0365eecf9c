// The one event loop and its dispatch table.
#pragma once
#include <X11/Xlib.h>

#include <cstdint>

class Form;

// 1 while the key that produces that character is held down.
extern unsigned char keyStates[255];
// Set by application code to end the loop.
extern bool quitRequested;
// The one live message box, owned by the loop.
extern Form* pendingMessageBox;

// Runs until quitRequested or a stop signal (StopSignals.h), then destroys
// every window, the pending message box, and calls the main form's Closed.
void Run(Form* mainForm);

// One pass of the loop, split so that tests can drive it without sleeping:
// DispatchEvent routes one X event as the loop does; IdleTick is what an idle
// 10 ms slice does (tickMs and every timer advance by 10).
void DispatchEvent(Form* mainForm, XEvent& event);
void IdleTick();

// How Run waits while timers are registered: the wait on the X connection,
// which also reports the time it waited (WaitForInput by default). Tests put
// a scripted wait here.
struct LoopWaiting {
    int (*wait)(int fd, int ms, int64_t* waitedNs);
};
extern LoopWaiting loopWaiting;

bool IsKeyDown(int code);
