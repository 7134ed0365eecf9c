// The one event loop, its dispatch table (one handler per X event kind) and
// the deletion of forms given up while an event is being handled.
#pragma once
#include <X11/Xlib.h>

#include <cstdint>
#include <memory>

#include "app/Form.h"

// 1 while the key that produces that character is held down.
extern unsigned char keyStates[255];
// Set by application code to end the loop.
extern bool quitRequested;
// The message box opened last, open or already answered ("pending" for Run,
// which deletes it when it ends). This pointer is its only owner: the
// launchers hand the box it holds to DeleteLater before they put a new one
// here, and Run does the same when it ends.
extern std::unique_ptr<Form> pendingMessageBox;

// Deletes the form once the event or idle tick being handled is finished,
// or at once when none is. A form whose own code may still be on the stack
// (a message box replaced from its owner's DialogResult) is given up this
// way, never deleted directly.
void DeleteLater(std::unique_ptr<Form> form);

// Runs until quitRequested or a stop signal (StopSignals.h), then destroys
// every window, the pending message box, and calls the main form's Closed.
void Run(Form* mainForm);

// One pass of the loop, split so that tests can drive it without sleeping:
// DispatchEvent routes one X event as the loop does; IdleTick is what an idle
// 10 ms slice does (tickMs and every timer advance by 10). Each deletes the
// forms given up during it before it returns.
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
