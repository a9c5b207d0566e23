#include "conversion/CellWriter.h"

#include "common/Blanks.h"
#include "conversion/SheetFormatting.h"

namespace tabulizer {
namespace {

// Positions are 1-based; a line shorter than the position has nothing to blank.
void Blank(std::string& line, int position) {
    if (position >= 1 && position <= static_cast<int>(line.size())) line[position - 1] = ' ';
}

void BlankRange(std::string& line, int first, int last) {
    for (int p = first; p <= last; ++p) Blank(line, p);
}

std::string_view Cut(const std::string& line, int first, int last) {
    if (first < 1) first = 1;
    if (last > static_cast<int>(line.size())) last = static_cast<int>(line.size());
    if (first > last) return {};
    return std::string_view(line).substr(first - 1, last - first + 1);
}

const MergeCell* BlockAt(const RunContext& ctx, int pageLine, int column) {
    for (int i = 0; i < ctx.d.CountMerge; ++i) {
        const MergeCell& block = At(ctx.d.MergeCl, i);
        if (block.NStr <= pageLine && pageLine <= block.NStr + block.Depth - 1 && block.BegCol == column)
            return &block;
    }
    return nullptr;
}

// The locals of one PutStr call.
struct Cursor {
    i16 c = 1;
    i16 outputColumn = 1;
    i16 divider = 1;
    i16 previousEnd = 0;
    i16 extraWidth = 0;
};

void BlankDividerAfter(RunContext& ctx, std::string& line, i16 c) {
    if (ctx.d.PozDiv[0] > c) Blank(line, At(ctx.d.PozDiv, c + 1));
}

void MergeCapBlock(RunContext& ctx, std::string& line, Cursor& at, const MergeCell& block, int pageLine) {
    at.c = block.EndCol;
    i16 style = 0;
    if (pageLine == block.NStr + block.Depth - 1) {
        style = sheet::kContinuous;
        if (block.BottomLine) BlankRange(line, at.previousEnd + 1, At(ctx.CurPoz, at.c));
    }
    FormatStr(ctx, block.BegCol, block.EndCol, style, sheet::kThick, true);
    at.extraWidth = Sub16(block.EndCol, block.BegCol);
    BlankDividerAfter(ctx, line, at.c);
}

void MergeFixedLine(RunContext& ctx, std::string& line, Cursor& at, FixLine& fixed) {
    FormatStr(ctx, fixed.BegCol, fixed.EndCol, 0, sheet::kHairline, true);
    SetFont(ctx, kFontInf, ctx.BegBlock, 1, ctx.Columns());
    SetFont(ctx, kFontCap, ctx.NRow, fixed.BegCol, fixed.EndCol);
    ctx.BegBlock = Add16(ctx.NRow, 1);
    at.extraWidth = Sub16(fixed.EndCol, fixed.BegCol);
    at.c = Add16(at.c, at.extraWidth);
    BlankDividerAfter(ctx, line, at.c);
}

void BlankDividersOfColumn(RunContext& ctx, std::string& line, Cursor& at) {
    const PosList& pozDiv = ctx.d.PozDiv;
    i16 end = At(ctx.CurPoz, at.c);
    while (at.divider <= pozDiv[0]) {
        i16 position = At(pozDiv, at.divider);
        if (position > end) break;
        if (position >= at.previousEnd + 1) Blank(line, position);
        Inc16(at.divider);
    }
}

// The text a cut cell is written with; empty for a blank cell. It is the cut
// itself unless it has to change: then it is made in `changed`.
std::string_view CellText(const RunContext& ctx, std::string_view cut, std::string& changed) {
    std::string_view trimmed = TrimBlanks(cut);
    if (trimmed.empty()) return {};
    std::string_view text = ctx.InCap ? trimmed : cut;
    // A leading "=" would make the text a formula in the spreadsheet.
    if (text[0] != '=') return text;
    changed.assign(text);
    changed[0] = ' ';
    return changed;
}

void WriteCell(RunContext& ctx, std::string_view cut, i16 column) {
    std::string changed;
    std::string_view text = CellText(ctx, cut, changed);
    if (text.empty()) return;
    auto& app = ctx.app();
    app.SetCellValue(ctx.NRow, column, text);
    if (ctx.d.DelNull && app.IsZero(ctx.NRow, column)) app.SetCellValue(ctx.NRow, column, "");
}

}  // namespace

void PutStr(RunContext& ctx, bool blankDividers) {
    std::string& line = ctx.reader.Current();
    Cursor at;
    const i16 m = ctx.CurPoz[0];
    while (at.c <= m) {
        if (ctx.InCap && ctx.d.CountMerge > 0) {
            int pageLine = ctx.NRow + ctx.NSep;
            if (const MergeCell* block = BlockAt(ctx, pageLine, at.outputColumn))
                MergeCapBlock(ctx, line, at, *block, pageLine);
        }
        if (!ctx.InCap && ctx.flags.IsFix) {
            FixLine& fixed = At(ctx.d.FixStr, ctx.flags.FixIdx);
            if (fixed.BegCol == 0) {
                fixed.BegCol = 1;
                fixed.EndCol = ctx.Columns();
            }
            // A last column before the first (an end left unset) merges nothing.
            if (fixed.EndCol < fixed.BegCol) fixed.EndCol = fixed.BegCol;
            if (fixed.BegCol == at.c) MergeFixedLine(ctx, line, at, fixed);
        }
        if (blankDividers && ctx.d.PozDiv[0] > 0 && at.extraWidth == 0) BlankDividersOfColumn(ctx, line, at);

        i16 end = At(ctx.CurPoz, at.c);
        WriteCell(ctx, Cut(line, at.previousEnd + 1, end), at.outputColumn);

        at.outputColumn = Add16(at.outputColumn, 1 + at.extraWidth);
        at.previousEnd = end;
        at.extraWidth = 0;
        Inc16(at.c);
    }
    ctx.flags.IsFix = false;
}

std::vector<std::string> CutCells(RunContext& ctx) {
    std::string& line = ctx.reader.Current();
    std::vector<std::string> cells;
    Cursor at;
    for (; at.c <= ctx.CurPoz[0]; Inc16(at.c)) {
        if (ctx.d.PozDiv[0] > 0) BlankDividersOfColumn(ctx, line, at);
        i16 end = At(ctx.CurPoz, at.c);
        std::string changed;
        cells.emplace_back(CellText(ctx, Cut(line, at.previousEnd + 1, end), changed));
        at.previousEnd = end;
    }
    return cells;
}

}  // namespace tabulizer
