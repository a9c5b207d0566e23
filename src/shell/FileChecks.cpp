#include "shell/FileChecks.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
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
    if (std::string kind = KindReason(info.st_mode); !kind.empty()) return kind;
    return ::access(path.c_str(), R_OK) == 0 ? std::string() : SystemReason(errno);
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

namespace {

bool EndsIn(const std::string& path, std::string_view extension) {
    std::string ending = std::filesystem::path(path).extension().string();
    if (ending.size() != extension.size()) return false;
    for (std::size_t i = 0; i < ending.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(ending[i])) != extension[i]) return false;
    return true;
}

FileRefusal CheckOutput(const RunFiles& files, std::size_t index) {
    const std::string& out = files.outputs[index];
    if (!files.extensions.empty() &&
        std::none_of(files.extensions.begin(), files.extensions.end(), [&](const std::string& e) { return EndsIn(out, e); })) {
        std::string wanted(files.extensions.front());
        return {"Расширение файла не " + wanted + " !",
                WriteDetail(out, "у выходного файла должно быть расширение " + wanted)};
    }
    for (const std::string& input : files.inputs)
        if (SameFile(out, input))
            return {std::string(kOutputIsInput), WriteDetail(out, "это файл входного документа «" + input + "»")};
    if (!files.project.empty() && SameFile(out, files.project))
        return {std::string(kOutputIsProject), WriteDetail(out, "это файл проекта «" + files.project + "»")};
    for (std::size_t i = 0; i < index; ++i)
        if (!files.outputs[i].empty() && SameFile(out, files.outputs[i]))
            return {std::string(kOutputsMeet), WriteDetail(out, "это и файл «" + files.outputs[i] + "»")};
    if (std::string reason = UnreplaceableReason(out); !reason.empty())
        return {std::string(kOutputNotWritable), WriteDetail(out, reason)};
    return {};
}

}  // namespace

FileRefusal CheckRunFiles(const RunFiles& files) {
    if (files.readProject)
        if (std::string reason = UnreadableReason(files.project); !reason.empty())
            return {std::string(kProjectNotFound), ReadDetail(files.project, reason)};
    for (const std::string& input : files.inputs)
        if (std::string reason = files.readInputs ? UnreadableReason(input) : ""; !reason.empty())
            return {std::string(kInputNotFound), ReadDetail(input, reason)};
    for (std::size_t i = 0; i < files.outputs.size(); ++i)
        if (!files.outputs[i].empty())
            if (FileRefusal refusal = CheckOutput(files, i)) return refusal;
    return {};
}

}  // namespace tabulizer
