#pragma once
// Lookups in the text dumps of a workbook (the in-memory dump and readback.py's):
// "sheet NAME [active]" opens a sheet's block; each cell line starts with its address.
#include <sstream>
#include <string>
#include <vector>

namespace tabulizer::test {

inline bool IsSheetLine(const std::string& line, const std::string& sheet) {
    return line == "sheet " + sheet || line == "sheet " + sheet + " active";
}

// The lines of one sheet's block.
inline std::string SheetBlock(const std::string& dump, const std::string& sheet) {
    std::istringstream lines(dump);
    std::string line, block;
    bool inSheet = false;
    while (std::getline(lines, line)) {
        if (line.rfind("sheet ", 0) == 0) inSheet = IsSheetLine(line, sheet);
        else if (inSheet) block += line + "\n";
    }
    return block;
}

// One cell's line without its address; "" when the sheet has no such line.
inline std::string Cell(const std::string& dump, const std::string& sheet, const std::string& address) {
    std::istringstream lines(SheetBlock(dump, sheet));
    std::string line;
    while (std::getline(lines, line))
        if (line.rfind(address + " ", 0) == 0) return line.substr(address.size() + 1);
    return "";
}

inline std::vector<std::string> SheetLines(const std::string& dump) {
    std::vector<std::string> sheets;
    std::istringstream lines(dump);
    std::string line;
    while (std::getline(lines, line))
        if (line.rfind("sheet ", 0) == 0) sheets.push_back(line);
    return sheets;
}

inline bool Has(const std::string& dump, const std::string& line) {
    return ("\n" + dump).find("\n" + line + "\n") != std::string::npos;
}

}  // namespace tabulizer::test
