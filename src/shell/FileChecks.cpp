#include "shell/FileChecks.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "common/ReplaceFile.h"
#include "common/SystemReason.h"

namespace tabulizer {
namespace {

// "" for a regular file, else what the file is instead.
std::string KindReason(mode_t mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return "это каталог";
    if (S_ISFIFO(mode)) return "не обычный файл: именованный канал";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "не обычный файл: устройство";
    if (S_ISSOCK(mode)) return "не обычный файл: сокет";
    return "не обычный файл";
}

}  // namespace

std::string UnreadableReason(const std::string& path) {
    struct stat info {};
    if (path.empty()) return SystemReason(ENOENT);
    if (::stat(path.c_str(), &info) != 0) return SystemReason(errno);
    return KindReason(info.st_mode);
}

std::string UnreplaceableReason(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) return {};
    return KindReason(info.st_mode);
}

bool SameFile(const std::string& first, const std::string& second) {
    struct stat a {}, b {};
    if (::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0)
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
    std::error_code firstError, secondError;
    auto firstPath = std::filesystem::weakly_canonical(std::filesystem::absolute(first, firstError), firstError);
    auto secondPath = std::filesystem::weakly_canonical(std::filesystem::absolute(second, secondError), secondError);
    return !firstError && !secondError && firstPath == secondPath;
}

std::string ReadDetail(const std::string& path, const std::string& reason) {
    return "Не удалось прочитать файл «" + path + "»: " + reason;
}

std::string WriteDetail(const std::string& path, const std::string& reason) { return CannotWriteDetail(path, reason); }

}  // namespace tabulizer
