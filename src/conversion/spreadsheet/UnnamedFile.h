#pragma once
// Temporary files without a name: nothing is left behind on disk whatever way the
// process ends.
namespace tabulizer::sheet {

// A read-write descriptor of a new unnamed file in `folder`, or when that is null
// or empty in $TMPDIR, or /tmp. O_TMPFILE where the file system has it, else a file
// unlinked at once. -1 with errno set when it cannot be made.
int OpenUnnamedFile(const char* folder) noexcept;

}  // namespace tabulizer::sheet
