#pragma once
// Writing a description to a project file that the loader reads back into the same
// fields: CP1251, CR LF line ends, written to a temporary file beside the target and
// renamed over it, so a failed write never destroys the previous project.
#include <string>

#include "description/DocumentDescription.h"

namespace tabulizer {

// The text of the project file (CP1251; UTF-8 with a byte order mark in the rare
// case that the CP1251 bytes would read back as UTF-8). Separators and fixed lines are written
// without the free slots the editor may leave between them. Throws
// Failure(kCannotWrite) for a value the format cannot hold: a line break in a text,
// a comma in a font name, or a value longer than the 254 characters a read returns.
std::string FormatProject(const DocumentDescription& description);

// The value of an FS or PS key: the first and last column, then the text.
std::string FixValue(const FixLine& line);

// The value of the MergeCl key: the count of merged cells, then five numbers each.
std::string MergeClValue(const DocumentDescription& description);

// Throws Failure(kPathAccessError) when no file can be created in the target's
// folder, Failure(kCannotWrite) when writing or replacing fails. `replace` false:
// an existing file is never replaced, not even one created while this one was
// written; Failure(kFileExists) then.
void WriteProject(const DocumentDescription& description, const std::string& utf8Path, bool replace = true);

}  // namespace tabulizer
