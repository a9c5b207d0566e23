#pragma once
// Converting a report with a project from a test folder and keeping of the workbook
// only what two projects of one report must agree on: the sheets, the values of the
// cells and the merged areas, read back by the independent reader. Fonts, borders,
// alignment, number formats and widths are left out.
#include <filesystem>
#include <sstream>
#include <string>

#include "Command.h"

namespace tabulizer::test {

// The sheets, the values of the cells that hold one ("A1 s \"...\"", "C6 n 1512.43")
// and the merged areas of a read-back dump, in order. `dropZeros`: numeric zeros are
// left out, as a project that does not write zeros leaves them.
inline std::string ValuesAndMerges(const std::string& dump, bool dropZeros) {
    std::istringstream lines(dump);
    std::string line, out;
    while (std::getline(lines, line)) {
        if (line.starts_with("sheet ") || line.starts_with("merge ")) {
            out += line + "\n";
            continue;
        }
        std::size_t kind = line.find(' ');
        if (kind == std::string::npos || line.starts_with("width ") || line[kind + 1] == 'e') continue;
        // A text runs from its opening quote to the closing one; a number to the next blank.
        std::size_t end = line.find(' ', kind + 3);
        if (line[kind + 1] == 's') {
            end = kind + 4;
            while (end < line.size() && line[end] != '"') end += line[end] == '\\' ? 2 : 1;
            ++end;
        }
        std::string cell = line.substr(0, std::min(end, line.size()));
        if (dropZeros && cell.ends_with(" n 0")) continue;
        out += cell + "\n";
    }
    return out;
}

// Runs the program in `dir` with `arguments` (quoted by the caller); what it printed
// on both streams goes to `output`. Returns the exit status.
inline int RunProgram(const std::filesystem::path& dir, const std::string& arguments, std::string& output) {
    int status = -1;
    output = Capture("cd '" + dir.string() + "' && '" TABULIZER_BINARY "' " + arguments + " 2>&1", status);
    return status;
}

// Converts with `project` (a file in `dir`) and returns the values and merges of
// `workbook`, which is removed afterwards. A conversion that fails returns "" and
// leaves its status and messages in `status` and `output`.
inline std::string ConvertedValues(const std::filesystem::path& dir, const std::string& project,
                                   const std::string& workbook, bool dropZeros, int& status, std::string& output) {
    status = RunProgram(dir, "'" + project + "'", output);
    if (status != 0) return "";
    std::string book = ReadBack((dir / workbook).string());
    std::filesystem::remove(dir / workbook);
    return ValuesAndMerges(book, dropZeros);
}

}  // namespace tabulizer::test
