#include "description/ProjectSave.h"

#include <filesystem>
#include <system_error>

#include "common/Failure.h"
#include "common/ReplaceFile.h"
#include "description/ProjectWriter.h"

namespace tabulizer {
namespace fs = std::filesystem;

std::string ProjectRelativePath(const std::string& projectPath, const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    const fs::path folder = fs::absolute(fs::path(projectPath), error).parent_path().lexically_normal();
    const fs::path target = fs::absolute(fs::path(path), error).lexically_normal();
    if (error) return path;
    fs::path relative = target.lexically_relative(folder);
    // "../x" lies outside the folder: an absolute path survives moving the project.
    if (relative.empty() || *relative.begin() == "..") return path;
    return relative.string();
}

namespace {

void KeepPrevious(const std::string& projectPath) {
    std::error_code error;
    if (!fs::is_regular_file(projectPath, error)) return;
    const std::string backup = projectPath + ".bak";
    fs::copy_file(projectPath, backup, fs::copy_options::overwrite_existing, error);
    if (error)
        throw ProjectSaveError{"Не удалось сохранить прежний файл проекта в " + fs::path(backup).filename().string() + " !",
                               "cannot copy \"" + projectPath + "\" to \"" + backup + "\": " + error.message()};
}

std::string Reason(const Failure& failure, bool formatted) {
    if (!formatted) return "Описание содержит строку или имя шрифта, которые нельзя записать в файл проекта !";
    if (failure.code() == kPathAccessError) return "Нет доступа к папке файла проекта !";
    return "Файл проекта не может быть записан !";
}

}  // namespace

void SaveProject(const DocumentDescription& description, const std::string& projectPath, bool group) {
    DocumentDescription stored = description;
    stored.NameIn = group ? std::string() : ProjectRelativePath(projectPath, description.NameIn);
    stored.NameOut = ProjectRelativePath(projectPath, description.NameOut);
    bool formatted = false;
    try {
        // Formatting first: a value the file cannot hold leaves every file untouched.
        const std::string text = FormatProject(stored);
        formatted = true;
        KeepPrevious(projectPath);
        ReplaceFile(projectPath, text);
    } catch (const Failure& failure) {
        throw ProjectSaveError{Reason(failure, formatted), failure.what()};
    }
}

}  // namespace tabulizer
