#pragma once
// While many reports are converted in children, the signals that end a run
// (SIGTERM, SIGINT, SIGHUP) are passed on to every running child, so that none
// goes on writing after the run was ended; each removes its own temporary files.
// The parent then waits for them and ends by the same signal. A signal the program
// was told to ignore stays ignored.
#include <signal.h>
#include <sys/types.h>

namespace tabulizer {

class ChildSignals {
public:
    ChildSignals();
    ~ChildSignals();
    ChildSignals(const ChildSignals&) = delete;
    ChildSignals& operator=(const ChildSignals&) = delete;

    // fork() with the signals held until the child is known: the child gets the
    // dispositions and mask the program started with; the parent records it.
    pid_t Fork();
    void Ended(pid_t child);
    // The signal that ended the run; 0 while none came.
    int Caught() const;
    // Ends the program by the signal caught (as it would have ended without us).
    [[noreturn]] void EndByCaught();
};

}  // namespace tabulizer
