#pragma once
// Where the help file lies: beside the program (a build tree, or a program unpacked
// into one folder), then in the data folder of an installed program.
#include <filesystem>
#include <vector>

namespace tabulizer {

inline constexpr const char* kHelpFileName = "Help.txt";

// The folders searched for the help file, in order: `programDir`, the installed
// layout relative to it (../share/tabulizer), the data folder the build was
// configured to install into.
std::vector<std::filesystem::path> HelpFolders(const std::filesystem::path& programDir);

// The folder of the running program; empty when the system does not tell.
std::filesystem::path ProgramDir();

// The first regular "Help.txt" in HelpFolders(ProgramDir()); empty when there is none.
std::filesystem::path FindHelpFile();

}  // namespace tabulizer
