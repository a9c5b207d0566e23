#include "conversion/inference/Inference.h"

#include <algorithm>

#include "conversion/InputFile.h"
#include "conversion/inference/Elements.h"

namespace tabulizer::inference {
namespace {

constexpr int kMaxPageLine = 32767;  // line numbers of a description are 16-bit

template <typename List>
void Store(PosList& target, const List& values) {
    // A position list holds 50 values; the columns were cut to 50 already.
    std::size_t count = std::min<std::size_t>(values.size(), kMaxColumns);
    target = {};
    target[0] = static_cast<i16>(count);
    for (std::size_t i = 0; i < count; ++i) target[i + 1] = static_cast<i16>(values[i]);
}

void StorePages(DocumentDescription& d, const PageLayout& layout) {
    d.FormFeed = layout.formFeed;
    d.EtalStrN = static_cast<i16>(layout.etalonLine);
    d.EtalStr = layout.etalon;
}

void StoreRows(DocumentDescription& d, const Separators& separators, const FixedLines& fixed,
               const Postscript& ps, const Merges& merges) {
    d.CountSepL = static_cast<i16>(separators.texts.size());
    for (std::size_t i = 0; i < separators.texts.size(); ++i) d.SepStr[i] = separators.texts[i];
    d.CountFixLines = static_cast<i16>(fixed.lines.size());
    for (std::size_t i = 0; i < fixed.lines.size(); ++i) d.FixStr[i + 1] = fixed.lines[i];
    d.FixStr[0].Str = ps.text;
    d.CountMerge = static_cast<i16>(merges.cells.size());
    for (std::size_t i = 0; i < merges.cells.size(); ++i) d.MergeCl[i] = merges.cells[i];
}

void StoreColumns(DocumentDescription& d, const Columns& columns, const Formats& formats) {
    d.MaxLStr = static_cast<i16>(columns.maxLength);
    Store(d.EndPoz, columns.ends);
    Store(d.PozDiv, columns.dividers);
    d.DivideCol = columns.divideCol;
    Store(d.WidthGraf, formats.widths);
    d.CountFormat = 0;
    for (std::size_t c = 0; c < formats.cells.size(); ++c) {
        d.FormatCells[c] = formats.cells[c];
        if (formats.cells[c].Col != 0) ++d.CountFormat;
    }
}

Finding EmptyLines(const Body& body) {
    return {"Пустые строки", body.emptyLines ? "есть в таблице или под ней: не выводятся" : "нет", true};
}

ReportInference NotATable(ReportInference result, std::string reason) {
    result.described = false;
    result.reason = std::move(reason);
    return result;
}

}  // namespace

ReportInference InferLines(const std::vector<std::string>& rawLines) {
    ReportInference result;
    if (rawLines.empty()) return NotATable(std::move(result), "отчёт пуст");
    CodePage code = InferCodePage(rawLines);
    result.findings.push_back(code.finding);

    PagedLines paged = InferPagedLines(rawLines, code.windows);
    const Lines& lines = paged.lines;
    const PageLayout& layout = paged.layout;
    result.findings.push_back(layout.finding);
    Frame frame = InferFrame(lines, layout);
    result.findings.push_back(frame.finding);
    if (frame.endCap > kMaxPageLine) return NotATable(std::move(result), "шапка таблицы начинается слишком далеко от начала страницы");
    if (frame.endCap == 0) return NotATable(std::move(result), "не найдена шапка таблицы");

    Body body = FindBody(lines, layout, frame);
    FixedLines totals = InferFixedLines(lines, body, {});
    const Page& sample = layout.pages[frame.firstPage];
    std::vector<int> capRows;
    for (int o = frame.endTitle; o < std::min(frame.endCap, sample.size()); ++o) capRows.push_back(sample.lines[o]);
    Columns columns = InferColumns(lines, body, totals.rows, capRows);
    result.findings.push_back(columns.finding);
    if (columns.ends.empty()) return NotATable(std::move(result), "под шапкой нет строк таблицы");
    if (columns.ends.size() == 1) {
        // The lines still make a table of one column: the best reading loses no text.
        result.findings.back().decided = false;
        result.findings.back().text += "; ни вертикальных линий, ни пробелов, общих для всех строк таблицы: "
                                       "строки взяты в одну графу";
    }
    if (columns.maxLength > kMaxPageLine) return NotATable(std::move(result), "строки длиннее 32767 символов");

    Separators separators = InferSeparators(lines, layout, frame);
    Merges merges = InferMerges(lines, layout.pages[frame.firstPage], frame, columns);
    FixedLines fixed = InferFixedLines(lines, body, columns.ends);
    Postscript ps = InferPostscript(lines, body);
    Formats formats = InferFormats(lines, body, fixed, columns, capRows);
    for (const Finding* f : {&separators.finding, &merges.finding, &fixed.finding, &ps.finding, &formats.finding})
        result.findings.push_back(*f);
    result.findings.push_back(EmptyLines(body));

    DocumentDescription& d = result.description;
    d.InitFontsAndMerges();
    d.Code = code.windows;
    d.EndTitle = static_cast<i16>(frame.endTitle);
    d.EndCap = static_cast<i16>(frame.endCap);
    d.NoSpace = body.emptyLines;
    StorePages(d, layout);
    StoreRows(d, separators, fixed, ps, merges);
    StoreColumns(d, columns, formats);
    result.described = true;
    return result;
}

ReportInference InferReport(const std::string& utf8Path) {
    InputFile input(utf8Path);
    std::vector<std::string> raw;
    while (!input.AtEnd()) raw.emplace_back(), input.ReadLine(raw.back());
    ReportInference result = InferLines(raw);
    result.description.NameIn = utf8Path;
    return result;
}

}  // namespace tabulizer::inference
