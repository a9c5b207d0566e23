#pragma once
#include <string>
#include <string_view>

namespace tabulizer {

// Writes `content` to a new file in the folder of `utf8Path` and renames it over
// `utf8Path`, so the old file stays whole until the new one is complete. Throws
// Failure(kPathAccessError) when the folder takes no new file, Failure(kCannotWrite)
// when writing or renaming fails; the temporary file is removed then.
void ReplaceFile(const std::string& utf8Path, std::string_view content);

}  // namespace tabulizer
