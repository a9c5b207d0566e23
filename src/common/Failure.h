#pragma once
// A failing operation inside the conversion run raises a Failure with a code in
// the family of the old runtime's error numbers; the run reports the code and ends.
#include <stdexcept>
#include <string>
#include <utility>

namespace tabulizer {

enum FailureCode : int {
    kOverflow = 6,        // a 16-bit counter left its range
    kOutOfMemory = 7,
    kIndexOutOfRange = 9, // an index beyond a table's fixed bounds
    kInternalError = 51,  // anything else the program did not foresee
    kFileNotFound = 53,
    kDeviceIoError = 57,
    kFileExists = 58,     // a file that was to be new exists
    kPathAccessError = 75,
    kCannotWrite = 1004,  // the workbook cannot be written
};

// `detail`, when known, says in plain Russian what failed (a path and the system's
// reason); batch mode prints it under the message, the windows show only the code.
class Failure : public std::runtime_error {
public:
    Failure(int code, const std::string& what, std::string detail = {})
        : std::runtime_error(what), code_(code), detail_(std::move(detail)) {}
    int code() const { return code_; }
    const std::string& detail() const { return detail_; }

private:
    int code_;
    std::string detail_;
};

}  // namespace tabulizer
