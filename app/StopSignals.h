// SIGTERM, SIGINT and SIGHUP end the program as its own EXIT does. The
// handler only records the signal; the event loop sees it at its next pass
// (a loop with a timer passes at least every 10 ms) and ends, and the program
// then tears down as at any other end and ends by that same signal
// (EndBySignal), so that whoever started it sees it killed by the signal.
// SIGPIPE is ignored: a reader of standard output that has gone never ends
// the program.
#pragma once

// Installs the handler for those of the three signals that were not ignored
// when the program started (as under nohup, or in a background job).
void CatchStopSignals();

// The signal that asked the program to end; 0 when none has.
int StopSignal();

// With the signal's default action restored, raises it: the program ends
// here. Returns only when the signal does not end it.
void EndBySignal(int sig);
