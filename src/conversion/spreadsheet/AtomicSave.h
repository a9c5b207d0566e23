#pragma once
// Replacing a file so that a failed write never destroys the previous one: the
// new content goes to a temporary file in the same folder, is flushed to disk and
// then renamed over the target.
#include <functional>
#include <string>

#include "conversion/spreadsheet/Spreadsheet.h"

namespace tabulizer::sheet {

// `write` fills the temporary file named by its argument (and throws on failure);
// `probe`, when set, may fail the save just before the rename. Any failure removes
// the temporary file and throws Failure 1004; the target is then as it was.
void SaveReplacing(const std::string& utf8Path,
                   const std::function<void(const std::string&)>& write, SaveProbe probe);

}  // namespace tabulizer::sheet
