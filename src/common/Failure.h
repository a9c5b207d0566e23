#pragma once
// A failing operation inside the conversion run raises a Failure with a code in
// the family of the old runtime's error numbers; the run reports the code and ends.
#include <stdexcept>
#include <string>

namespace tabulizer {

enum FailureCode : int {
    kOverflow = 6,        // a 16-bit counter left its range
    kOutOfMemory = 7,
    kIndexOutOfRange = 9, // an index beyond a table's fixed bounds
    kInternalError = 51,  // anything else the program did not foresee
    kFileNotFound = 53,
    kDeviceIoError = 57,
    kPathAccessError = 75,
    kCannotWrite = 1004,  // the workbook cannot be written
};

class Failure : public std::runtime_error {
public:
    Failure(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

}  // namespace tabulizer
