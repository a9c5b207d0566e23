#pragma once
// Standard output as the output file ("--output -"): the conversion writes a file
// in a folder of its own under the temporary folder, which is copied out once it
// is complete. Nothing of it is left, whatever ends the run: the folder goes with
// this object, on a signal that ends the program, and (after SIGKILL) with the
// next run's start.
#include <memory>
#include <optional>
#include <string>

#include "common/SaveSignals.h"

namespace tabulizer {

class StandardOutput {
public:
    // Nothing is made unless `output` is "-". Failure(75) with a detail line when
    // the folder cannot be made.
    StandardOutput(const std::string& output, const std::string& extension);
    ~StandardOutput();
    StandardOutput(const StandardOutput&) = delete;
    StandardOutput& operator=(const StandardOutput&) = delete;

    // The file the conversion is to write: `output` itself, or the one in the folder.
    const std::string& Path(const std::string& output) const { return file_.empty() ? output : file_; }
    // After a saved conversion: copies the file to standard output and closes it.
    // Empty when that succeeded (or there is nothing to copy), else the message.
    std::string CopyOut() const;

private:
    std::string folder_, file_;
    std::optional<TemporaryFileGuard> folderGuard_, fileGuard_;
};

}  // namespace tabulizer
