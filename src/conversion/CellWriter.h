#pragma once
// Cutting the current line into the cells of row NRow along CurPoz.
#include <string>
#include <vector>

#include "conversion/RunContext.h"

namespace tabulizer {

// Writes the non-blank cells of the current line. `blankDividers`: replace the
// vertical table line characters (PozDiv) by blanks first (cap and information
// lines). Merges the cells of cap blocks (MergeCl) and of fixed lines.
void PutStr(RunContext& ctx, bool blankDividers);

// The cells of the current information line, cut and blanked as PutStr cuts them
// but written nowhere: one text per column of CurPoz, empty for a blank cell.
std::vector<std::string> CutCells(RunContext& ctx);

}  // namespace tabulizer
