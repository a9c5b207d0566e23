#include "description/ReplaceFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/Failure.h"

namespace tabulizer {
namespace {

std::string Reason(const std::string& path) { return path + ": " + std::strerror(errno); }

// O_EXCL: never write into a file that someone else has just created.
int CreateTemporary(const std::string& target, std::string& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = target + ".~" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return ::fsync(fd) == 0;
}

}  // namespace

void ReplaceFile(const std::string& utf8Path, std::string_view content) {
    std::string tempPath;
    int fd = CreateTemporary(utf8Path, tempPath);
    if (fd < 0) throw Failure(kPathAccessError, Reason(utf8Path));
    bool written = WriteAll(fd, content);
    int writeErrno = errno;
    bool closed = ::close(fd) == 0;
    if (written && closed && std::rename(tempPath.c_str(), utf8Path.c_str()) == 0) return;
    if (!written) errno = writeErrno;
    std::string reason = Reason(utf8Path);
    ::unlink(tempPath.c_str());
    throw Failure(kCannotWrite, reason);
}

}  // namespace tabulizer
