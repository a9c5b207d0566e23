#pragma once
// A temporary file or folder that must not outlive the process: while a guard
// stands, the signals that end a program (SIGTERM, SIGINT, SIGHUP, SIGPIPE when the
// reader of the output went away, and SIGXFSZ when a write passes the file size
// limit) first remove it and then end the program as they would have, with the
// signal's own status. Files go first, then folders (which are empty by then).
#include <signal.h>

#include <string>

namespace tabulizer {

class TemporaryFileGuard {
public:
    enum class Kind { File, Folder };
    explicit TemporaryFileGuard(const std::string& path, Kind kind = Kind::File);
    ~TemporaryFileGuard();
    TemporaryFileGuard(const TemporaryFileGuard&) = delete;
    TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;

private:
    int slot_;  // -1 when every slot was taken (the path is then not guarded)
};

// Holds those signals on the calling thread while a temporary file or folder is
// created and its guard set up, so that none ends the program between the two and
// leaves it behind; one that came meanwhile is taken when the hold ends, by the guard.
class EndingSignalsHeld {
public:
    EndingSignalsHeld();
    ~EndingSignalsHeld();
    EndingSignalsHeld(const EndingSignalsHeld&) = delete;
    EndingSignalsHeld& operator=(const EndingSignalsHeld&) = delete;

private:
    sigset_t before_;
};

}  // namespace tabulizer
