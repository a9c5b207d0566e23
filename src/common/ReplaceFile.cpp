#include "common/ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <optional>
#include <vector>

#include "common/Failure.h"
#include "common/SaveSignals.h"
#include "common/StaleTemporary.h"
#include "common/SystemReason.h"

namespace tabulizer {
namespace {

[[noreturn]] void CannotWrite(const std::string& path, const std::string& why, const std::string& reason) {
    throw Failure(kCannotWrite, "cannot write \"" + path + "\": " + why, CannotWriteDetail(path, reason));
}

[[noreturn]] void CannotWrite(const std::string& path, int error) {
    CannotWrite(path, std::strerror(error), SystemReason(error));
}

// Creates ".<name>.tabulizer-<pid>-XXXXXX.tmp" beside the target; gives its path.
// Such files of the same target left by a killed run are removed first.
std::string CreateTemporary(const std::filesystem::path& target) {
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    // The name is shortened so that the temporary name fits where the target's does.
    const std::string prefix = "." + target.filename().string().substr(0, 200) + ".tabulizer-";
    RemoveStaleTemporaries(folder, prefix, ".tmp", false);
    std::string pattern = (folder / (StaleTaggedPrefix(prefix) + "XXXXXX.tmp")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemps(name.data(), 4);
    if (fd < 0) {
        int error = errno;
        // The one file name that cannot be missing here is the folder's.
        std::string reason = error == ENOENT ? "Нет такого каталога" : SystemReason(error);
        throw Failure(kPathAccessError,
                      "cannot create a file beside \"" + target.string() + "\": " + std::strerror(error),
                      CannotWriteDetail(target.string(), reason));
    }
    // The workbook gets the permissions of any new file, not mkstemp's private ones.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    return name.data();
}

// 0 when the file reached the disk, otherwise the reason.
int Flush(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    int error = fsync(fd) == 0 ? 0 : errno;
    if (close(fd) != 0 && error == 0) error = errno;
    return error;
}

// A folder's entry survives a crash only once the folder itself is flushed.
void FlushFolder(const std::filesystem::path& target) {
    std::filesystem::path folder = target.parent_path();
    int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

void CheckTarget(const std::filesystem::path& target) {
    std::error_code error;
    auto status = std::filesystem::status(target, error);
    if (target.filename().empty() || std::filesystem::is_directory(status))
        CannotWrite(target.string(), "not a file name", "это каталог, а не файл");
    // A read-only workbook is not replaced behind its owner's back.
    if (std::filesystem::exists(status) && access(target.c_str(), W_OK) != 0) CannotWrite(target.string(), errno);
}

// What reaches the caller of a failed `write`: running out of memory stays what it
// is; every other failure is the target that cannot be written, for the reason the
// writer gave (the detail of its Failure).
[[noreturn]] void RethrowWriteFailure(const std::string& path) {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const Failure& failure) {
        if (failure.code() == kOutOfMemory) throw;
        CannotWrite(path, failure.what(), failure.detail().empty() ? "сбой записи" : failure.detail());
    } catch (const std::exception& e) {
        CannotWrite(path, e.what(), "сбой записи");
    }
}

// Gives the finished temporary file the target's name; `replace` false: only when
// no file has it. A link fails when the name is taken, whatever took it when.
void Publish(const std::string& temporary, const std::filesystem::path& target, bool replace) {
    if (replace) {
        if (std::rename(temporary.c_str(), target.c_str()) != 0) CannotWrite(target.string(), errno);
        return;
    }
    if (::link(temporary.c_str(), target.c_str()) != 0) {
        int error = errno;
        if (error == EEXIST)
            throw Failure(kFileExists, "\"" + target.string() + "\" exists",
                          CannotWriteDetail(target.string(), "файл уже существует"));
        CannotWrite(target.string(), error);
    }
    std::remove(temporary.c_str());
}

void WriteBeside(const std::string& utf8Path, const std::function<void(const std::string&)>& write,
                 const std::function<bool(const std::string&)>& probe, bool replace) {
    std::filesystem::path target(utf8Path);
    if (replace) CheckTarget(target);
    std::string temporary;
    std::optional<TemporaryFileGuard> guard;  // a signal does not leave it behind either
    {
        EndingSignalsHeld held;
        temporary = CreateTemporary(target);
        guard.emplace(temporary);
    }
    try {
        try {
            write(temporary);
        } catch (...) {
            RethrowWriteFailure(utf8Path);
        }
        if (int error = Flush(temporary)) CannotWrite(utf8Path, error);
        if (probe && !probe(temporary)) CannotWrite(utf8Path, "the write failed", "сбой записи");
        Publish(temporary, target, replace);
    } catch (...) {
        std::remove(temporary.c_str());
        throw;
    }
    FlushFolder(target);
}

void WriteContent(const std::string& temporary, std::string_view content) {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (!out) throw Failure(kCannotWrite, "cannot write \"" + temporary + "\"", "сбой записи");
}

}  // namespace

std::string CannotWriteDetail(const std::string& path, const std::string& reason) {
    return "Не удалось записать файл «" + path + "»: " + reason;
}

void ReplaceFile(const std::string& utf8Path, const std::function<void(const std::string&)>& write,
                 const std::function<bool(const std::string&)>& probe) {
    WriteBeside(utf8Path, write, probe, true);
}

void ReplaceFile(const std::string& utf8Path, std::string_view content) {
    WriteBeside(utf8Path, [content](const std::string& temporary) { WriteContent(temporary, content); }, {}, true);
}

void CreateNewFile(const std::string& utf8Path, std::string_view content,
                   const std::function<bool(const std::string&)>& probe) {
    WriteBeside(utf8Path, [content](const std::string& temporary) { WriteContent(temporary, content); }, probe, false);
}

}  // namespace tabulizer
