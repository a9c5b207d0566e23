#pragma once
// Temporary files and folders named after the process that made them: a run ended
// by SIGKILL (which nothing can catch) leaves its own behind, and the next run
// that makes one of the same kind removes it, telling it safely from what a
// running process still uses.
#include <filesystem>
#include <string>
#include <string_view>

namespace tabulizer {

// `prefix` + this process's id + "-": the start of such a name; mkstemp's or
// mkdtemp's "XXXXXX" and then `suffix` follow.
std::string StaleTaggedPrefix(std::string_view prefix);

// Removes the entries of `folder` named prefix + ID + "-XXXXXX" + suffix that
// belong to this user, are a regular file (a folder when `folders`) and whose
// process ID is no longer running. Nothing else is touched; failures are ignored.
void RemoveStaleTemporaries(const std::filesystem::path& folder, std::string_view prefix, std::string_view suffix,
                            bool folders);

}  // namespace tabulizer
