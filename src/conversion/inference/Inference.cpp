#include "conversion/inference/Inference.h"

#include <algorithm>

#include "conversion/ConvStr.h"
#include "conversion/InputFile.h"
#include "conversion/inference/Elements.h"
#include "conversion/inference/LineShapes.h"
#include "description/IniFile.h"
#include "description/ProjectWriter.h"

namespace tabulizer::inference {
namespace {

constexpr int kMaxPageLine = 32767;  // line numbers of a description are 16-bit
constexpr int kMaxColumnWidth = 255;  // the widest column a sheet takes; a wider one fails the run

template <typename List>
void Store(PosList& target, const List& values) {
    // A position list holds 50 values; the columns were cut to 50 already.
    std::size_t count = std::min<std::size_t>(values.size(), kMaxColumns);
    target = {};
    target[0] = static_cast<i16>(count);
    for (std::size_t i = 0; i < count; ++i) target[i + 1] = static_cast<i16>(values[i]);
}

// A project value ends at a NUL byte, and a file full of them reads as another
// encoding: a text is stored up to its first NUL, which still finds the lines that
// hold it; a text that must equal a whole line cannot be stored at all.
bool HoldsNul(const std::string& text) { return text.find('\0') != std::string::npos; }
std::string UpToNul(const std::string& text) { return text.substr(0, text.find('\0')); }

void StorePages(DocumentDescription& d, const PageLayout& layout, std::vector<Finding>& findings) {
    d.FormFeed = layout.formFeed;
    d.EtalStrN = static_cast<i16>(layout.etalonLine);
    d.EtalStr = layout.etalon;
    if (!HoldsNul(layout.etalon)) return;
    d.FormFeed = true;
    d.EtalStrN = 0;
    d.EtalStr.clear();
    findings.push_back({"Страницы", "в эталонной строке есть нулевой байт, который проект не хранит: отчёт принят "
                                    "за одну страницу (режим перевода страницы)", false, Element::Pages});
}

void StoreRows(DocumentDescription& d, const Separators& separators, const FixedLines& fixed,
               const Postscript& ps, const Merges& merges, std::vector<Finding>& findings) {
    d.CountSepL = 0;
    for (const std::string& text : separators.texts)
        if (!HoldsNul(text)) d.SepStr[d.CountSepL++] = text;
    d.CountFixLines = 0;
    for (const FixLine& line : fixed.lines) {
        FixLine& stored = d.FixStr[d.CountFixLines + 1] = line;
        stored.Str = UpToNul(line.Str);
        if (!Trim(stored.Str).empty()) ++d.CountFixLines;
        else stored = {};
    }
    d.FixStr[0].Str = UpToNul(ps.text);
    // A fixed line is told by the beginning of its text: one too long for a project
    // value keeps the beginning that fits.
    for (int i = 0; i <= d.CountFixLines; ++i) {
        std::size_t stored = FixValue(d.FixStr[i]).size();
        if (stored > IniFile::kMaxValueLength)
            d.FixStr[i].Str.resize(d.FixStr[i].Str.size() - (stored - IniFile::kMaxValueLength));
    }
    d.CountMerge = static_cast<i16>(merges.cells.size());
    for (std::size_t i = 0; i < merges.cells.size(); ++i) d.MergeCl[i] = merges.cells[i];
    // A project value holds 254 characters: merged cells that would not fit are
    // left out, the last first, and the user is told.
    int dropped = 0;
    while (d.CountMerge > 0 && MergeClValue(d).size() > IniFile::kMaxValueLength) {
        d.MergeCl[--d.CountMerge] = {};
        ++dropped;
    }
    if (dropped > 0)
        findings.push_back({"Объединения в шапке",
                            "проект вмещает не все объединения, не вошло: " + std::to_string(dropped), false,
                            Element::Merges});
}

void StoreColumns(DocumentDescription& d, const Columns& columns, const Formats& formats) {
    d.MaxLStr = static_cast<i16>(columns.maxLength);
    Store(d.EndPoz, columns.ends);
    Store(d.PozDiv, columns.dividers);
    std::vector<int> widths = formats.widths;
    for (int& width : widths) width = std::min(width, kMaxColumnWidth);
    Store(d.WidthGraf, widths);
    d.CountFormat = 0;
    for (std::size_t c = 0; c < formats.cells.size(); ++c) {
        d.FormatCells[c] = formats.cells[c];
        if (formats.cells[c].Col != 0) ++d.CountFormat;
    }
}

Finding EmptyLines(const Body& body) {
    return {"Пустые строки", body.emptyLines ? "есть в таблице или под ней: не выводятся" : "нет", true,
            Element::EmptyLines};
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
    const std::size_t frameFinding = result.findings.size();
    result.findings.push_back(frame.finding);
    if (frame.endCap > kMaxPageLine) return NotATable(std::move(result), "шапка таблицы начинается слишком далеко от начала страницы");
    if (frame.endCap == 0) return NotATable(std::move(result), "не найдена шапка таблицы");

    Body body = FindBody(lines, layout, frame);
    FixedLines totals = InferFixedLines(lines, body, {});
    const Page& sample = layout.pages[frame.firstPage];
    std::vector<int> capRows;
    for (int o = frame.endTitle; o < std::min(frame.endCap, sample.size()); ++o) capRows.push_back(sample.lines[o]);
    Columns columns = InferColumns(lines, body, totals.rows, capRows, paged.longestLine);
    const std::size_t columnsFinding = result.findings.size();
    result.findings.push_back(columns.finding);
    if (columns.ends.empty()) return NotATable(std::move(result), "под шапкой нет строк таблицы");
    if (columns.ends.size() == 1) {
        // The lines still make a table of one column: the best reading loses no text.
        result.findings.back().decided = false;
        result.findings.back().text += "; ни вертикальных линий, ни пробелов, общих для всех строк таблицы: "
                                       "строки взяты в одну графу";
    }
    if (columns.maxLength > kMaxPageLine) return NotATable(std::move(result), "строки длиннее 32767 символов");
    KeepCutHeaderInTitle(lines, sample, columns.ends, body.rows, frame);
    result.findings[frameFinding] = frame.finding;

    Separators separators = InferSeparators(lines, layout, frame);
    // Fixed lines are looked for in the lines the run writes as information lines.
    Postscript ps = InferPostscript(lines, layout, frame, columns.ends);
    Body information = body;
    information.rows = ps.rows;
    FixedLines fixed = InferFixedLines(lines, information, columns.ends, columns.dividers);
    result.findings[columnsFinding].text += SettleCapLines(lines, information, fixed, columns);
    Merges merges = InferMerges(lines, layout.pages[frame.firstPage], frame, columns);
    result.findings[columnsFinding].text += AlignDividersWithMerges(lines, information, fixed, capRows, merges, columns);
    result.findings[columnsFinding].text +=
        KeepTextUnblanked(lines, sample, frame, information, fixed, merges, columns);
    Formats formats = InferFormats(lines, information, fixed, columns, capRows);
    for (const Finding* f : {&separators.finding, &merges.finding, &fixed.finding, &ps.finding, &formats.finding})
        result.findings.push_back(*f);
    result.findings.push_back(EmptyLines(body));

    DocumentDescription& d = result.description;
    d.InitFontsAndMerges();
    d.Code = code.windows;
    d.EndTitle = static_cast<i16>(frame.endTitle);
    d.EndCap = static_cast<i16>(frame.endCap);
    d.NoSpace = body.emptyLines;
    StorePages(d, layout, result.findings);
    StoreRows(d, separators, fixed, ps, merges, result.findings);
    StoreColumns(d, columns, formats);
    result.described = true;
    return result;
}

}  // namespace tabulizer::inference
