#include <algorithm>
#include <filesystem>

#include "description/ProjectLoader.h"

namespace tabulizer {
namespace {

// "C:\...", "C:...", "\\server\..." or "\...": a path written on Windows that
// names a place which does not exist on this system.
bool IsWindowsRooted(const std::string& path) {
    bool drive = path.size() >= 2 && path[1] == ':' &&
                 ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return drive || path.starts_with('\\');
}

}  // namespace

StoredPath ResolveStoredPath(const std::string& projectPath, const std::string& storedPath) {
    if (storedPath.empty()) return {};
    const std::filesystem::path folder = std::filesystem::path(projectPath).parent_path();
    if (IsWindowsRooted(storedPath)) {
        // Projects are carried over from Windows together with their reports: the
        // file of that name beside the project is the one meant.
        std::string name = storedPath.substr(storedPath.find_last_of("\\/:") + 1);
        std::string path = folder.empty() ? name : (folder / name).string();
        return {path, "Путь Windows «" + storedPath + "» в проекте заменён на «" + path + "»: файл рядом с проектом"};
    }
    // A backslash is the folder separator of projects written on Windows.
    std::string slashed = storedPath;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    std::filesystem::path stored(slashed);
    if (stored.is_absolute() || folder.empty()) return {slashed, {}};
    return {(folder / stored).string(), {}};
}

std::string ResolveProjectPath(const std::string& projectPath, const std::string& storedPath) {
    return ResolveStoredPath(projectPath, storedPath).path;
}

}  // namespace tabulizer
