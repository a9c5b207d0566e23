#pragma once
// A temporary file or folder that must not outlive the process: while a guard
// stands, the signals that end a program (SIGTERM, SIGINT, SIGHUP, SIGPIPE when the
// reader of the output went away, and SIGXFSZ when a write passes the file size
// limit) first remove it and then end the program as they would have, with the
// signal's own status. Files go first, then folders (which are empty by then).
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

}  // namespace tabulizer
