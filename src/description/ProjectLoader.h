#pragma once
// Reading a project file into the document description, with every check and
// message of the loader. The loader reports through the Host; it knows nothing of
// the wizard's controls and returns what the wizard has to act on.
#include <string>
#include <string_view>

#include "description/DocumentDescription.h"
#include "ui/Host.h"

namespace tabulizer {

// One value of an INI-style CP1251 file: section and key matched without regard to
// case and surrounding blanks; the value after the first "=", trimmed, one pair of
// quotes removed, cut at 254 characters. Missing file, section or key -> "".
std::string ReadIniValue(const std::string& utf8Path, std::string_view section, std::string_view key);

// A path stored in a project (UTF-8) as the program uses it: a relative path names a
// file beside the project, a backslash separates folders, and a Windows drive,
// server or root path stands for the file of its name beside the project.
struct StoredPath {
    std::string path;
    std::string note;  // one line saying what a Windows path was taken for; else empty
};
StoredPath ResolveStoredPath(const std::string& projectPath, const std::string& storedPath);
std::string ResolveProjectPath(const std::string& projectPath, const std::string& storedPath);

enum class LoadOutcome {
    NoIdentifier,  // [Tabulizer] Version empty: reported, nothing else read, no question
    Clean,         // no problem reported
    ModifyYes,     // problems reported, the user chose to modify the project
    ModifyNo,      // problems reported, the user declined
};

// Loads the project named by run.NameIni into `description`. In batch mode the
// first report ends the program (ProgramExit with a non-zero status).
LoadOutcome LoadProject(DocumentDescription& description, const RunState& run, ui::Host& host);

}  // namespace tabulizer
