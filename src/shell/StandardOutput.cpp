#include "shell/StandardOutput.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "common/Failure.h"
#include "common/StaleTemporary.h"
#include "common/SystemReason.h"

namespace tabulizer {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFolderPrefix = "tabulizer-stdout-";

std::string CannotWriteOut(int error) {
    return "Не удалось записать стандартный поток вывода: " + SystemReason(error ? error : EIO);
}

// Writes all of `size` bytes, going on after an interrupted or partial write.
bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

StandardOutput::StandardOutput(const std::string& output, const std::string& extension) {
    if (output != "-") return;
    std::error_code error;
    fs::path temp = fs::temp_directory_path(error);
    if (error) temp = "/tmp";
    RemoveStaleTemporaries(temp, kFolderPrefix, "", true);
    std::string pattern = (temp / (StaleTaggedPrefix(kFolderPrefix) + "XXXXXX")).string();
    EndingSignalsHeld held;
    if (!mkdtemp(pattern.data())) {
        int reason = errno;
        throw Failure(kPathAccessError, "cannot create a temporary folder",
                      "Не удалось создать папку в «" + temp.string() + "»: " + SystemReason(reason));
    }
    folder_ = pattern;
    file_ = (fs::path(folder_) / ("out" + extension)).string();
    folderGuard_.emplace(folder_, TemporaryFileGuard::Kind::Folder);
    fileGuard_.emplace(file_);
}

StandardOutput::~StandardOutput() {
    if (folder_.empty()) return;
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    fileGuard_.reset();
    folderGuard_.reset();
}

std::string StandardOutput::CopyOut() const {
    if (file_.empty()) return {};
    int in = ::open(file_.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return "Не удалось прочитать файл «" + file_ + "»: " + SystemReason(errno);
    std::fflush(stdout);
    char buffer[64 * 1024];
    int error = 0;
    for (;;) {
        ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            std::string message = "Не удалось прочитать файл «" + file_ + "»: " + SystemReason(errno);
            ::close(in);
            return message;
        }
        if (n == 0) break;
        if (!WriteAll(STDOUT_FILENO, buffer, static_cast<std::size_t>(n))) {
            error = errno;
            break;
        }
    }
    ::close(in);
    if (error) return CannotWriteOut(error);
    // A file system may report a failed write only when the file is closed.
    if (::close(STDOUT_FILENO) != 0 && errno != EINTR) return CannotWriteOut(errno);
    return {};
}

}  // namespace tabulizer
