#pragma once

// Work that must be done also when the process is interrupted (SIGINT),
// terminated (SIGTERM) or hung up (SIGHUP): on such a signal every piece
// registered runs, the latest first, and then the signal ends the process
// as it would have (through whatever handled it before). Each piece must be
// safe in a signal handler.
void DoOnTerminationSignals(void (*work)());

// Takes a piece back; with none left, the signals are handled as before.
void StopDoingOnTerminationSignals(void (*work)());
