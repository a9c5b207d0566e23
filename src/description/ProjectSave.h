#pragma once
// Saving the description the editor built to its project file: the previous file
// is kept as NAME.ini.bak, the new one replaces it in one rename, and the paths
// of the input and output are stored relative to the project's folder when they
// lie inside it, so a folder moved with its project keeps working.
#include <string>

#include "description/DocumentDescription.h"

namespace tabulizer {

// Why a save failed, in the words a message box shows, and the system's detail.
struct ProjectSaveError {
    std::string reason;  // Russian, one line
    std::string detail;  // path and the system's reason
};

// `group`: one description for a group of input files, written without NameIn.
// Throws ProjectSaveError; the previous project is then as it was.
void SaveProject(const DocumentDescription& description, const std::string& projectPath, bool group);

// `path` relative to the folder of `projectPath` when it lies in that folder or
// below; otherwise unchanged. ResolveProjectPath turns the result back.
std::string ProjectRelativePath(const std::string& projectPath, const std::string& path);

}  // namespace tabulizer
