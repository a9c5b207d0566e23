#include "common/StaleTemporary.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <system_error>

namespace tabulizer {
namespace {

constexpr std::size_t kRandomPart = 6;  // the "XXXXXX" of mkstemp and mkdtemp

// The process id of `name`, or 0 when it is not such a name.
pid_t TaggedProcess(std::string_view name, std::string_view prefix, std::string_view suffix) {
    if (!name.starts_with(prefix) || !name.ends_with(suffix)) return 0;
    name.remove_prefix(prefix.size());
    name.remove_suffix(suffix.size());
    if (name.size() < kRandomPart + 2 || name[name.size() - kRandomPart - 1] != '-') return 0;
    std::string_view digits = name.substr(0, name.size() - kRandomPart - 1);
    long pid = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (ec != std::errc() || end != digits.data() + digits.size() || pid <= 0) return 0;
    return static_cast<pid_t>(pid);
}

bool Gone(pid_t pid) { return pid != getpid() && ::kill(pid, 0) != 0 && errno == ESRCH; }

}  // namespace

std::string StaleTaggedPrefix(std::string_view prefix) {
    return std::string(prefix) + std::to_string(getpid()) + "-";
}

void RemoveStaleTemporaries(const std::filesystem::path& folder, std::string_view prefix, std::string_view suffix,
                            bool folders) {
    std::error_code error;
    std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error), end;
    for (; !error && entries != end; entries.increment(error)) {
        const std::filesystem::path& path = entries->path();
        pid_t pid = TaggedProcess(path.filename().string(), prefix, suffix);
        struct stat info {};
        if (pid == 0 || ::lstat(path.c_str(), &info) != 0 || info.st_uid != geteuid()) continue;
        if (folders ? !S_ISDIR(info.st_mode) : !S_ISREG(info.st_mode)) continue;
        if (!Gone(pid)) continue;
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
}

}  // namespace tabulizer
