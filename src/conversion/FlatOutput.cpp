#include "conversion/FlatOutput.h"

#include "common/Blanks.h"
#include "common/Failure.h"
#include "common/ReplaceFile.h"
#include "conversion/CellWriter.h"
#include "conversion/SheetFormatting.h"
#include "conversion/spreadsheet/TypedInput.h"

namespace tabulizer {
namespace {

constexpr char kVerticalLine = '\xA6';  // CP866 box verticals after conversion
constexpr char kCornerLine = '\xAC';

bool IsVerticalLine(char ch) { return ch == kVerticalLine || ch == kCornerLine || ch == '|'; }
bool IsHorizontalLine(char ch) { return ch == '-' || ch == '=' || ch == '+' || ch == '_'; }

bool TextFormat(const DocumentDescription& d, int column) {
    const FormatCell& f = At(d.FormatCells, column - 1);
    return d.CountFormat > 0 && f.Col > 0 && f.Form == 4;
}

}  // namespace

std::string WithoutLineCharacters(std::string_view cp1251) {
    std::string result, word;
    auto endWord = [&] {
        bool lineOnly = !word.empty();
        for (char ch : word) lineOnly = lineOnly && IsHorizontalLine(ch);
        if (!word.empty() && !lineOnly) result += (result.empty() ? "" : " ") + word;
        word.clear();
    };
    for (char ch : cp1251) {
        if (ch == ' ' || IsVerticalLine(ch)) endWord();
        else word += ch;
    }
    endWord();
    return result;
}

sheet::CellValue FlatValue(std::string_view text, bool textFormat, bool delNull) {
    sheet::CellValue value;
    std::string_view trimmed = TrimBlanks(text);
    if (trimmed.empty()) return value;
    auto number = sheet::ParseTyped(trimmed);
    if (number && delNull && number->value == 0) return value;
    if (number && !textFormat) {
        value.kind = sheet::CellValue::kNumber;
        value.number = number->value;
    } else {
        value.kind = sheet::CellValue::kText;
        value.text = std::string(trimmed);
    }
    return value;
}

std::vector<sheet::FlatColumn> FlatColumns(const DocumentDescription& d) {
    std::vector<sheet::FlatColumn> columns(static_cast<std::size_t>(std::max<int>(d.EndPoz[0], 0)));
    for (int c = 1; c <= static_cast<int>(columns.size()); ++c) {
        auto& column = columns[c - 1];
        column.width = d.WidthGraf[0] == 0 ? At(d.EndPoz, c) - (c > 1 ? At(d.EndPoz, c - 1) : 0)
                       : c <= d.WidthGraf[0] ? At(d.WidthGraf, c) : 0;
        const FormatCell& f = At(d.FormatCells, c - 1);
        if (d.CountFormat > 0 && f.Col > 0) column.numberFormat = NumberFormatText(f.Form, f.Cn);
    }
    return columns;
}

FlatOutput::FlatOutput(RunContext& ctx, const std::string& utf8Path, const std::string& shownPath, bool csv)
    : ctx_(ctx), shownPath_(shownPath) {
    using sheet::CsvDialect;
    const CsvDialect dialect = ctx.run.CsvForSpreadsheet ? CsvDialect::kSpreadsheet : CsvDialect::kPrograms;
    Named([&] { table_ = csv ? sheet::CreateFlatCsv(utf8Path, dialect) : sheet::CreateFlatXlsx(utf8Path, FlatColumns(ctx.d)); });
}

// The table's failures give their reason alone; the message names the file, as a
// failed save of the paged workbook does. The code stays what it was.
template <class Step> void FlatOutput::Named(Step step) {
    try {
        step();
    } catch (const Failure& failure) {
        if (failure.detail().empty() || failure.code() == kOutOfMemory) throw;
        throw Failure(failure.code(), failure.what(), CannotWriteDetail(shownPath_, failure.detail()));
    }
}

void FlatOutput::Header(std::vector<std::string> texts) {
    if (headerDone_) return;
    texts.resize(static_cast<std::size_t>(std::max<int>(ctx_.Columns(), 0)));
    Named([&] { table_->Header(texts); });
    headerDone_ = true;
}

// Each column's header is the texts of the cap rows in it, top to bottom, one blank
// between them; a merged cap cell gives its text to every column it spans, once.
void FlatOutput::TakeHeader(i16 firstRow, i16 lastRow) {
    if (headerDone_) return;
    std::vector<std::string> texts;
    for (int c = 1; c <= ctx_.Columns(); ++c) {
        std::string joined;
        int lastSourceRow = 0, lastSourceColumn = 0;
        for (int row = firstRow; row <= lastRow; ++row) {
            int sourceRow = 0, sourceColumn = 0;
            std::string text = WithoutLineCharacters(ctx_.app().ShownText(row, c, sourceRow, sourceColumn));
            bool again = sourceRow == lastSourceRow && sourceColumn == lastSourceColumn;
            lastSourceRow = sourceRow;
            lastSourceColumn = sourceColumn;
            if (text.empty() || again) continue;
            joined += (joined.empty() ? "" : " ") + text;
        }
        texts.push_back(joined);
    }
    Header(std::move(texts));
}

void FlatOutput::TakeLine() {
    std::vector<std::string> texts = CutCells(ctx_);
    std::vector<sheet::CellValue> cells;
    bool any = false;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        cells.push_back(FlatValue(texts[i], TextFormat(ctx_.d, static_cast<int>(i) + 1), ctx_.d.DelNull));
        any = any || cells.back().kind != sheet::CellValue::kEmpty;
    }
    if (!any) return;
    Header({});
    Named([&] { table_->Row(cells); });
    ++rows_;
}

void FlatOutput::Close() {
    Header({});
    Named([&] { table_->Close(); });
}

}  // namespace tabulizer
