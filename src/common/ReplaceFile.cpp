#include "common/ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "common/Failure.h"

namespace tabulizer {
namespace {

[[noreturn]] void CannotWrite(const std::string& path, const std::string& why) {
    throw Failure(kCannotWrite, "cannot write \"" + path + "\": " + why);
}

std::string SystemError() { return std::strerror(errno); }

// Creates ".<name>.XXXXXX.tmp" beside the target; gives its path.
std::string CreateTemporary(const std::filesystem::path& target) {
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    // The name is shortened so that the temporary name fits where the target's does.
    std::string stem = target.filename().string().substr(0, 200);
    std::string pattern = (folder / ("." + stem + ".XXXXXX.tmp")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemps(name.data(), 4);
    if (fd < 0) throw Failure(kPathAccessError, "cannot create a file beside \"" + target.string() + "\": " + SystemError());
    // The workbook gets the permissions of any new file, not mkstemp's private ones.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    return name.data();
}

bool Flush(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    bool ok = fsync(fd) == 0;
    return close(fd) == 0 && ok;
}

// A folder's entry survives a crash only once the folder itself is flushed.
void FlushFolder(const std::filesystem::path& target) {
    std::filesystem::path folder = target.parent_path();
    int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

void CheckTarget(const std::filesystem::path& target) {
    std::error_code error;
    auto status = std::filesystem::status(target, error);
    if (target.filename().empty() || std::filesystem::is_directory(status))
        CannotWrite(target.string(), "not a file name");
    // A read-only workbook is not replaced behind its owner's back.
    if (std::filesystem::exists(status) && access(target.c_str(), W_OK) != 0)
        CannotWrite(target.string(), SystemError());
}

}  // namespace

void ReplaceFile(const std::string& utf8Path, const std::function<void(const std::string&)>& write,
                 const std::function<bool(const std::string&)>& probe) {
    std::filesystem::path target(utf8Path);
    CheckTarget(target);
    std::string temporary = CreateTemporary(target);
    try {
        write(temporary);
        if (!Flush(temporary)) CannotWrite(utf8Path, "flushing failed: " + SystemError());
        if (probe && !probe(temporary)) CannotWrite(utf8Path, "the write failed");
        if (std::rename(temporary.c_str(), target.c_str()) != 0)
            CannotWrite(utf8Path, SystemError());
    } catch (const std::exception& e) {
        std::remove(temporary.c_str());
        auto* failure = dynamic_cast<const Failure*>(&e);
        if (failure && failure->code() == kCannotWrite) throw;
        CannotWrite(utf8Path, e.what());
    }
    FlushFolder(target);
}

}  // namespace tabulizer

namespace tabulizer {

void ReplaceFile(const std::string& utf8Path, std::string_view content) {
    ReplaceFile(utf8Path, [content](const std::string& temporary) {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        if (!out) throw Failure(kCannotWrite, "cannot write \"" + temporary + "\"");
    });
}

}  // namespace tabulizer
