#pragma once
// A temporary file that must not outlive the process: while a guard stands, the
// signals that end a program (SIGTERM, SIGINT, SIGHUP, and SIGXFSZ when a write
// passes the file size limit) first remove the file and then end the program as
// they would have, with the signal's own status.
#include <string>

namespace tabulizer {

class TemporaryFileGuard {
public:
    explicit TemporaryFileGuard(const std::string& path);
    ~TemporaryFileGuard();
    TemporaryFileGuard(const TemporaryFileGuard&) = delete;
    TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;

private:
    int slot_;  // -1 when every slot was taken (the file is then not guarded)
};

}  // namespace tabulizer
