#pragma once
// The state of one conversion run, shared by the page loop, the cell writer and
// the sheet formatting. Counters are 16-bit and checked.
#include <memory>

#include "conversion/LineReader.h"
#include "conversion/spreadsheet/Spreadsheet.h"
#include "description/DocumentDescription.h"
#include "ui/Host.h"

namespace tabulizer {

class FlatOutput;

struct RunContext {
    RunContext(DocumentDescription& description, RunState& run, ui::Host& host)
        : d(description), run(run), host(host), reader(description, flags, InInf) {}

    DocumentDescription& d;
    RunState& run;
    ui::Host& host;
    std::unique_ptr<sheet::Application> ExcelApp;

    LineFlags flags;
    i16 NRow = 0;      // current row of the current sheet, from 1
    i16 NSep = 0;      // separator lines that took no row on the current page
    i16 NList = 0;     // finished sheets
    long FlatPages = 0;  // pages of the flat table, which keeps no sheet per page
    PosList CurPoz{};  // active column ends: [1, MaxLStr] or a copy of EndPoz
    bool InCap = false;
    bool InInf = false;
    bool Abort = false;
    i16 BegBlock = 0;  // first row still waiting for its font; 0 = none
    i16 BegCap = 0;
    i16 BegInf = 0;

    LineReader reader;
    // Set while the run writes the flat table: information lines go there, and the
    // active sheet only holds the current page's title, cap and postscript.
    FlatOutput* flat = nullptr;

    sheet::Application& app() { return *ExcelApp; }
    i16 Columns() const { return d.EndPoz[0]; }
};

}  // namespace tabulizer
