#pragma once
// The fuzzed project driven through batch mode as the command line drives it, up to
// the conversion (recorded, not run): whatever NameIn and NameOut hold, written on
// Windows or not, the conversion gets a regular input file and an output that is
// neither the input (by another path or a link) nor anything but a file, and no
// path with a backslash; every stop before it comes with a message.
#include <filesystem>
#include <optional>
#include <string>

#include "DescriptionChecks.h"
#include "Files.h"
#include "FuzzHost.h"
#include "shell/FileChecks.h"
#include "shell/frmBegin.h"
#include "shell/frmOpenFile.h"

namespace tabulizer::fuzz {

// Beside the project: the report of the example projects, a link to it under a
// workbook's name, and a folder under another.
inline void PrepareProjectFolder(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    std::error_code ignored;
    if (fs::exists(folder / "ved.txt", ignored)) return;
    WriteFile((folder / "ved.txt").string(), "T\r\n");
    fs::create_symlink("ved.txt", folder / "rep.xlsx", ignored);
    fs::create_directory(folder / "dir.xlsx", ignored);
}

inline void CheckWizard(const std::string& path, Problems& problems) {
    PrepareProjectFolder(std::filesystem::path(path).parent_path());
    DocumentDescription d;
    RunState run;
    FuzzHost host;
    bool converted = false;
    frmBegin begin(d, run, host, path, [] { return OsVersion{6, 8}; });
    begin.OnWizardCreated = [&](frmOpenFile& wizard) {
        wizard.OpenConversion = [&] { converted = true; };
        wizard.OpenEditor = [&] { problems.push_back("batch mode opened the editor"); };
    };
    try {
        begin.Form_Load();
    } catch (const ui::ProgramExit& exit) {
        Expect(exit.status != 0 && !converted && !host.boxes.empty(), "batch ended without a message", problems);
        return;
    }
    if (!converted) {
        problems.push_back("batch mode stopped without conversion or message");
        return;
    }
    Expect(UnreadableReason(d.NameIn).empty(), "conversion of an input that is no regular file", problems);
    Expect(!SameFile(d.NameIn, d.NameOut), "conversion writing over its input: " + d.NameOut, problems);
    Expect(UnreplaceableReason(d.NameOut).empty(), "conversion writing over a non-file: " + d.NameOut, problems);
    Expect(d.NameIn.find('\\') == std::string::npos && d.NameOut.find('\\') == std::string::npos,
           "backslash in a path of the conversion", problems);
}

}  // namespace tabulizer::fuzz
