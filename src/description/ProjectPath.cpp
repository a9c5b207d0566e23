#include <filesystem>

#include "description/ProjectLoader.h"

namespace tabulizer {
namespace {

// "C:\..." or "\\server\...": a path written on Windows. It is not relative on this
// system either, and joining it to the project's folder would only hide it.
bool IsWindowsAbsolute(const std::string& path) {
    bool drive = path.size() >= 2 && path[1] == ':' &&
                 ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return drive || path.starts_with("\\\\");
}

}  // namespace

std::string ResolveProjectPath(const std::string& projectPath, const std::string& storedPath) {
    if (storedPath.empty() || IsWindowsAbsolute(storedPath)) return storedPath;
    std::filesystem::path stored(storedPath);
    if (stored.is_absolute()) return storedPath;
    std::filesystem::path folder = std::filesystem::path(projectPath).parent_path();
    return folder.empty() ? storedPath : (folder / stored).string();
}

}  // namespace tabulizer
