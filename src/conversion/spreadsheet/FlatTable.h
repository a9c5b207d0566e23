#pragma once
// The whole report as one table: one header row, then one row per information
// line, written as the rows come so that they are never held whole. Two forms: a
// single .xlsx sheet (bold, frozen header row with an autofilter) and CSV.
#include <memory>
#include <string>
#include <vector>

#include "conversion/spreadsheet/CellRef.h"
#include "conversion/spreadsheet/Spreadsheet.h"

namespace tabulizer::sheet {

struct FlatColumn {
    double width = 0;          // characters; 0 = the default width
    std::string numberFormat;  // "" = General
};

class FlatTable {
public:
    virtual ~FlatTable() = default;
    // Once, before the first row; texts CP1251, one per column.
    virtual void Header(const std::vector<std::string>& texts) = 0;
    // One row of values (texts CP1251), one per column; empty ones included.
    virtual void Row(const std::vector<CellValue>& cells) = 0;
    // Writes what remains and closes the file. Failure 1004 when that fails.
    virtual void Close() = 0;
};

// Both write to `utf8Path` (created or truncated); a table not closed leaves an
// unfinished file behind for the caller to remove. A failure's detail is its reason
// alone (the system's, or the row limit's), the caller names the file. An .xlsx table of more rows
// than a sheet holds (kMaxRows, the header included) fails with code 6 on the row that does not fit.
std::unique_ptr<FlatTable> CreateFlatXlsx(const std::string& utf8Path, const std::vector<FlatColumn>& columns);
// CSV for programs (commas, a decimal point), or for a spreadsheet opened with a
// double click in a Russian locale (a byte order mark, ';', a decimal comma).
enum class CsvDialect { kPrograms, kSpreadsheet };
std::unique_ptr<FlatTable> CreateFlatCsv(const std::string& utf8Path, CsvDialect dialect);

// A number as CSV writes it: plain decimal notation, the shortest that reads back
// as the same number ("1512.4", "-0.05"); exponent notation only for magnitudes
// whose plain form would run past 30 characters.
std::string PlainNumber(double value);

}  // namespace tabulizer::sheet
