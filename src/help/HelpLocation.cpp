#include "help/HelpLocation.h"

#include <system_error>

namespace tabulizer {

std::vector<std::filesystem::path> HelpFolders(const std::filesystem::path& programDir) {
    std::vector<std::filesystem::path> folders;
    if (!programDir.empty()) {
        folders.push_back(programDir);
        folders.push_back((programDir / ".." / "share" / "tabulizer").lexically_normal());
    }
#ifdef TABULIZER_DATADIR
    const std::filesystem::path configured(TABULIZER_DATADIR);
    if (folders.size() < 2 || folders[1] != configured) folders.push_back(configured);
#endif
    return folders;
}

std::filesystem::path ProgramDir() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

std::filesystem::path FindHelpFile() {
    for (const std::filesystem::path& folder : HelpFolders(ProgramDir())) {
        std::error_code error;
        const std::filesystem::path file = folder / kHelpFileName;
        if (std::filesystem::is_regular_file(file, error)) return file;
    }
    return {};
}

}  // namespace tabulizer
