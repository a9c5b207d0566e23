#pragma once
// The command line that begins with an option (other than --describe, --help and
// --version): one project, converting the project's own report or the reports named.
//   tabulizer --project P.ini [--output-dir DIR | --output FILE] [--jobs N] [--flat]
//             [--csv | --csv-excel] [REPORT...]
#include <string>
#include <vector>

namespace tabulizer {

struct ReportsCall {
    std::string project;
    std::string outputDir;
    std::string output;  // "-" = standard output
    int jobs = 0;        // 0 = one per processor core
    bool flat = false;
    bool csv = false;
    bool csvExcel = false;  // CSV for a spreadsheet: a byte order mark, ';', decimal commas
    bool help = false;
    std::vector<std::string> reports;
    std::string error;  // empty when the call is right

    // The file a report is converted into: in DIR, or beside the report, named as
    // the report with ".xlsx" or ".csv".
    std::string OutputFor(const std::string& report) const;
    bool AnyCsv() const { return csv || csvExcel; }
    std::string Extension() const { return AnyCsv() ? ".csv" : ".xlsx"; }
};

ReportsCall ParseReportsCall(const std::vector<std::string>& arguments);

}  // namespace tabulizer
