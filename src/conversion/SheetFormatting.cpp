#include "conversion/SheetFormatting.h"

#include "conversion/ColumnLetters.h"

namespace tabulizer {
namespace {

void Select(RunContext& ctx, int firstCol, int firstRow, int lastCol, int lastRow) {
    ctx.app().SelectRange(RangeText(ctx, firstCol, firstRow, lastCol, lastRow));
}

void SelectCellBelowLastRow(RunContext& ctx) {
    Select(ctx, 1, Add16(ctx.NRow, 1), 1, Add16(ctx.NRow, 1));
}

}  // namespace

std::string RangeText(RunContext& ctx, int firstCol, int firstRow, int lastCol, int lastRow) {
    return SymNameCol(CheckedI16(firstCol - 1), ctx.host, ctx.run) + std::to_string(firstRow) + ":" +
           SymNameCol(CheckedI16(lastCol - 1), ctx.host, ctx.run) + std::to_string(lastRow);
}

void FormatStr(RunContext& ctx, i16 firstCol, i16 lastCol, i16 style, i16 weight, bool merge) {
    if (ctx.NRow == 0) ctx.NRow = 1;
    Select(ctx, firstCol, ctx.NRow, lastCol, ctx.NRow);
    auto& app = ctx.app();
    if (merge) {
        if (!ctx.InInf) app.SetHorizontalAlignment(sheet::kAlignCenter);
        app.SetReadingOrder(sheet::kOrderContext);
        app.SetMergeCells(true);
    }
    if (style != 0) {
        app.SetBorderLineStyle(sheet::kEdgeBottom, style);
        app.SetBorderWeight(sheet::kEdgeBottom, weight);
    }
}

void SetFont(RunContext& ctx, i16 index, i16 firstRow, i16 firstCol, i16 lastCol) {
    const Font& font = At(ctx.d.Fonts, index);
    Select(ctx, firstCol, firstRow, lastCol, ctx.NRow);
    auto& app = ctx.app();
    // An empty name or a size the spreadsheet cannot show leaves that property as it is.
    if (!font.Name.empty()) app.SetFontName(font.Name);
    if (font.Size >= 1 && font.Size <= 409) app.SetFontSize(font.Size);
    switch (font.Style) {
    case 1: app.SetFontBold(true); break;
    case 2: app.SetFontItalic(true); break;
    case 3:
        app.SetFontBold(true);
        app.SetFontItalic(true);
        break;
    default: break;
    }
    if (ctx.InCap) {
        app.SetHorizontalAlignment(sheet::kAlignCenter);
        app.SetReadingOrder(sheet::kOrderContext);
    }
}

void SideLine(RunContext& ctx, char side, i16 column, i16 firstRow, i16 style, i16 weight) {
    Select(ctx, column, firstRow, column, Sub16(ctx.NRow, 1));
    int edge = side == 'R' ? sheet::kEdgeRight : sheet::kEdgeLeft;
    ctx.app().SetBorderLineStyle(edge, style);
    ctx.app().SetBorderWeight(edge, weight);
}

void DrawDiv(RunContext& ctx, const PosList& list) {
    i16 k = list[0];
    SideLine(ctx, 'L', 1, ctx.BegCap, sheet::kContinuous, sheet::kThick);
    for (i16 column = 1; column <= k - 1; ++column)
        SideLine(ctx, 'R', column, ctx.BegCap, sheet::kDashDot, sheet::kHairline);
    SideLine(ctx, 'R', ctx.Columns(), ctx.BegCap, sheet::kContinuous, sheet::kThick);
}

void WidthByPoz(RunContext& ctx) {
    i16 previousEnd = 0;
    for (i16 i = 1; i <= ctx.Columns(); ++i) {
        std::string letters = SymNameCol(CheckedI16(i - 1), ctx.host, ctx.run);
        i16 end = At(ctx.d.EndPoz, i);
        ctx.app().SetColumnWidth(letters + ":" + letters, Sub16(end, previousEnd));
        previousEnd = end;
    }
    SelectCellBelowLastRow(ctx);
}

void WidthByGraf(RunContext& ctx) {
    for (i16 i = 1; i <= ctx.d.WidthGraf[0]; ++i) {
        std::string letters = SymNameCol(CheckedI16(i - 1), ctx.host, ctx.run);
        ctx.app().SetColumnWidth(letters + ":" + letters, At(ctx.d.WidthGraf, i));
    }
    SelectCellBelowLastRow(ctx);
}

std::string NumberFormatText(i16 form, i16 decimals) {
    if (form == 0) return {};
    std::string base = form == 1 || form == 3 ? "0" : form == 2 ? "#,##0" : "";
    std::string suffix = form == 2 ? "$" : form == 3 ? "%" : form == 4 ? "@" : "";
    std::string fraction = form < 4 && decimals > 0 ? "." + std::string(decimals, '0') : "";
    return base + fraction + suffix;
}

void SetColFormat(RunContext& ctx, i16 column, i16 firstRow) {
    const FormatCell& format = At(ctx.d.FormatCells, column - 1);
    Select(ctx, column, firstRow, column, ctx.NRow);
    auto& app = ctx.app();
    bool textLike = format.Form == 0 || format.Form == 4;
    switch (format.Alig) {
    case 0: break;
    case 1:
        app.SetHorizontalAlignment(sheet::kAlignLeft);
        if (textLike) app.SetReadingOrder(sheet::kOrderLtr);
        break;
    case 2: app.SetHorizontalAlignment(sheet::kAlignCenter); break;
    case 3:
        app.SetHorizontalAlignment(sheet::kAlignRight);
        if (textLike) app.SetReadingOrder(sheet::kOrderRtl);
        break;
    default: break;
    }
    if (format.Alig != 0) app.SetMergeCells(false);
    std::string numberFormat = NumberFormatText(format.Form, format.Cn);
    if (!numberFormat.empty()) app.SetNumberFormat(numberFormat);
}

void PutSep(RunContext& ctx) {
    Dec16(ctx.NRow);
    // On the first row of a sheet the separator takes that row, so the page's line
    // count must not grow: row + separators would otherwise run one ahead.
    if (ctx.NRow != 0) Inc16(ctx.NSep);
    ctx.flags.IsSep = false;
    FormatStr(ctx, 1, ctx.Columns(), sheet::kContinuous, sheet::kThick, false);
}

}  // namespace tabulizer
