#pragma once
// The look of the written rows: merged title rows, thick lines under the title, the
// cap and separators, hairlines under information rows, vertical table lines, fonts,
// column alignment and number formats, column widths. Each operation selects a range
// of the active sheet and sets properties of the selection.
#include <string>

#include "conversion/RunContext.h"

namespace tabulizer {

// "B7:E7" for columns 2..5 (from 1) of rows 7..7.
std::string RangeText(RunContext& ctx, int firstCol, int firstRow, int lastCol, int lastRow);

// Row NRow, columns first..last: merge (centred unless in the information part),
// and a bottom border when `style` is not 0.
void FormatStr(RunContext& ctx, i16 firstCol, i16 lastCol, i16 style, i16 weight, bool merge);
// Font `index` over rows first..NRow, columns first..last; centred while in the cap.
void SetFont(RunContext& ctx, i16 index, i16 firstRow, i16 firstCol, i16 lastCol);
// Left ('L') or right edge of a column over rows first..NRow-1.
void SideLine(RunContext& ctx, char side, i16 column, i16 firstRow, i16 style, i16 weight);
// The table's vertical lines from the cap down, by a position list's count.
void DrawDiv(RunContext& ctx, const PosList& list);
void WidthByPoz(RunContext& ctx);
void WidthByGraf(RunContext& ctx);
// Alignment and number format of a column over rows first..NRow.
void SetColFormat(RunContext& ctx, i16 column, i16 firstRow);
// A separator line takes no row: a thick line under the row above it.
void PutSep(RunContext& ctx);

// "0.00", "#,##0.00$", "0.0%", "@" or "" (no format) for a column's format record.
std::string NumberFormatText(i16 form, i16 decimals);

}  // namespace tabulizer
