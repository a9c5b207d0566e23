#pragma once
// Checks on the finished in-memory workbook, read from its dump: no two merged
// areas of a sheet may intersect (the written file would be broken).
#include <sstream>
#include <string>
#include <vector>

#include "DescriptionChecks.h"
#include "conversion/spreadsheet/CellRef.h"

namespace tabulizer::fuzz {

inline void CheckMergedAreas(const std::vector<sheet::CellRange>& areas, const std::string& sheetName,
                             Problems& problems) {
    for (std::size_t i = 0; i < areas.size(); ++i)
        for (std::size_t j = i + 1; j < areas.size(); ++j)
            Expect(!areas[i].Intersects(areas[j]),
                   "intersecting merged areas " + sheet::RangeName(areas[i]) + " and " +
                       sheet::RangeName(areas[j]) + " on " + sheetName,
                   problems);
}

inline void CheckWorkbookDump(const std::string& dump, Problems& problems) {
    std::istringstream lines(dump);
    std::string line, sheetName;
    std::vector<sheet::CellRange> areas;
    int sheets = 0;
    while (std::getline(lines, line)) {
        if (line.starts_with("sheet ")) {
            CheckMergedAreas(areas, sheetName, problems);
            areas.clear();
            sheetName = line.substr(6);
            ++sheets;
        } else if (line.starts_with("merge ")) {
            areas.push_back(sheet::ParseRange(line.substr(6)));
        }
    }
    CheckMergedAreas(areas, sheetName, problems);
    Expect(sheets >= 1, "a workbook without sheets", problems);
}

}  // namespace tabulizer::fuzz
