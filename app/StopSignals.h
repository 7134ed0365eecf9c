// SIGTERM, SIGINT and SIGHUP end the program as its own EXIT does. The
// handler only records the signal; the event loop sees it at its next pass
// (a loop with a timer passes at least every 10 ms) and ends, and the program
// then tears down as at any other end, with 128 + the signal as its status.
#pragma once

// Installs the handler for those of the three signals that were not ignored
// when the program started (as under nohup, or in a background job).
void CatchStopSignals();

// The signal that asked the program to end; 0 when none has.
int StopSignal();
