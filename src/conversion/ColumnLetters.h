#pragma once
// Spreadsheet column letters: A..Z, then AA..ZZ.
#include <string>

#include "common/Int16.h"
#include "description/DocumentDescription.h"
#include "ui/Host.h"

namespace tabulizer {

// Builds the table of the 26 letters; the conversion and the editor call it once.
void InitSymCol();
// Letters of the 0-based column `nCol`. A negative number is reported (the message
// names the editor step `run.CurStep` + 1) and gives the empty text; from 702 on
// the letters run out of the table (Failure, code 9).
std::string SymNameCol(i16 nCol, ui::Host& host, const RunState& run);

}  // namespace tabulizer
