#include "description/ProjectLoader.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "description/IniNumbers.h"
#include "description/ProjectReader.h"

namespace tabulizer {
namespace {

void LoadEtalon(ProjectReader& r) {
    DocumentDescription& d = r.Desc();
    r.ReadIniInt(kSecHorizon, "EtalStrN", d.EtalStrN);
    std::string value = r.Value(kSecHorizon, "EtalStr");
    if (value.empty()) {
        r.IniError(kSecHorizon, "EtalStr", kMsgMissing);
        d.EtalStrN = 0;
    } else if (value.size() < 2 || value.front() != '#' || value.back() != '#') {
        // A lone "#" is one delimiter, not two around an empty text.
        r.IniError(kSecHorizon, "EtalStr", "Отсутствует символ - ограничитель !");
        d.EtalStrN = 0;
    } else {
        d.EtalStr = value.substr(1, value.size() - 2);
    }
}

void LoadSeparators(ProjectReader& r) {
    DocumentDescription& d = r.Desc();
    const std::string limit = "Горизонтальных разделителей > " + std::to_string(kMaxSeparators) + " !";
    if (!r.ReadIniCount("CountSepL", r.Value(kSecHorizon, "CountSepL"), kMaxSeparators, limit, d.CountSepL))
        return;
    for (int i = 0; i < d.CountSepL; ++i) {
        const std::string key = "R" + std::to_string(i);
        std::string value = r.Value(kSecHorizon, key);
        // The first and the last character are delimiters, whatever they are.
        d.SepStr[i] = value.size() < 3 ? std::string() : value.substr(1, value.size() - 2);
        if (d.SepStr[i].empty()) {
            d.CountSepL = static_cast<i16>(i);
            r.IniError(kSecHorizon, key, "Не найден горизонтальный разделитель " + key + " !");
            return;
        }
    }
}

void LoadColumns(ProjectReader& r) {
    DocumentDescription& d = r.Desc();
    // A refused list has already been reported for this key; "missing" would be a
    // second report of the same problem.
    if (r.ReadIniList(kSecVertical, "EndPoz", d.EndPoz) != ListRead::Refused && d.EndPoz[1] == 0)
        r.IniError(kSecVertical, "EndPoz", kMsgMissing);
    r.ReadIniList(kSecVertical, "PozDiv", d.PozDiv);
}

// Groups of "column,alignment,format,decimals" after a count; a bad number ends the
// key and keeps what was stored before it.
void LoadFormats(ProjectReader& r) {
    DocumentDescription& d = r.Desc();
    std::string value = r.Value(kSecVertical, "FormatCells");
    if (value.size() < 9) return;
    value += ',';
    std::size_t pos = 0;
    std::optional<i16> count = NextNumber(value, pos, 1, kMaxColumns);
    d.CountFormat = count.value_or(0);
    const long lastColumn = std::min<long>(kMaxColumns, d.EndPoz[0]);
    bool valid = count.has_value();
    for (int g = 0; valid && g < d.CountFormat; ++g) {
        std::optional<i16> column = NextNumber(value, pos, 1, lastColumn);
        valid = column.has_value();
        if (!valid) break;
        FormatCell& cell = d.FormatCells[*column - 1];
        cell.Col = *column;
        const std::pair<i16*, long> fields[] = {{&cell.Alig, 3}, {&cell.Form, 4}, {&cell.Cn, 20}};
        for (auto [field, high] : fields) {
            std::optional<i16> number = NextNumber(value, pos, 0, high);
            *field = number.value_or(0);
            valid = number.has_value();
            if (!valid) break;
        }
    }
    if (!valid) r.IniError(kSecVertical, "FormatCells", kMsgBadParams);
}

void LoadFixedLines(ProjectReader& r) {
    DocumentDescription& d = r.Desc();
    std::string count = r.Value(kSecHorizon, "CountFixLines");
    const std::string limit = "Счётчик Фиксированных Строк > " + std::to_string(kMaxFixLines) + " !";
    if (!count.empty() && r.ReadIniCount("CountFixLines", count, kMaxFixLines, limit, d.CountFixLines)) {
        for (int line = 1; line <= d.CountFixLines; ++line) {
            const std::string key = "FS" + std::to_string(line - 1);
            std::string value = r.Value(kSecHorizon, key);
            if (value.empty()) {
                d.CountFixLines = static_cast<i16>(line - 1);
                r.IniError(kSecHorizon, key, "Не найдена Фиксированная Строка " + key + " !");
                break;
            }
            r.ReadIniFix(value, line, "FS");
            if (d.FixStr[line].Str.empty()) {
                r.IniError(kSecHorizon, key, "Фиксированная Строка - пустая " + key + " !");
                break;
            }
        }
    }
    // The postscript may have an empty text: no postscript.
    std::string postscript = r.Value(kSecHorizon, "PS");
    if (!postscript.empty()) r.ReadIniFix(postscript, 0, "PS");
}

void LoadOptions(ProjectReader& r) {
    DocumentDescription& d = r.Desc();
    r.ReadIniList(kSecVertical, "WidthGraf", d.WidthGraf);
    r.ReadIniFlag(kSecHorizon, "NoSpace", d.NoSpace);
    r.ReadIniFlag(kSecHorizon, "UnderStr", d.UnderStr);
    r.ReadIniFlag(kSecVertical, "DivideCol", d.DivideCol);
    r.ReadIniFlag(kSecHorizon, "DelNull", d.DelNull);
}

// One block "line,first column,last column,depth,line below" into `cell`.
bool ReadMergeBlock(const DocumentDescription& d, const std::string& value, std::size_t& pos, MergeCell& cell) {
    std::optional<i16> line = NextNumber(value, pos, d.EndTitle + 1L, d.EndCap);
    if (!line) return false;
    cell.NStr = *line;
    std::optional<i16> first = NextNumber(value, pos, 1, d.EndPoz[0]);
    if (!first) return false;
    cell.BegCol = *first;
    std::optional<i16> last = NextNumber(value, pos, *first + 1L, d.EndPoz[0]);
    if (!last) return false;
    cell.EndCol = *last;
    std::optional<i16> depth = NextNumber(value, pos, 1, d.EndCap - *line + 1L);
    if (!depth) return false;
    cell.Depth = *depth;
    std::optional<i16> below = NextNumber(value, pos, 0, 1);
    if (!below) return false;
    if (*below == 1) cell.BottomLine = true;
    return true;
}

void LoadMerges(ProjectReader& r) {
    DocumentDescription& d = r.Desc();
    std::string value = r.Value(kSecHorizon, "MergeCl");
    if (value.size() <= 6) return;
    value += ',';
    std::size_t pos = 0;
    std::optional<i16> count = NextNumber(value, pos, 1, kMaxMerges);
    bool valid = count.has_value();
    if (valid) d.CountMerge = *count;
    for (int i = 0; valid && i < d.CountMerge; ++i) valid = ReadMergeBlock(d, value, pos, d.MergeCl[i]);
    if (!valid) {
        d.CountMerge = 0;
        d.MergeCl = {};
        r.IniError(kSecHorizon, "MergeCl", kMsgBadParams);
    }
}

LoadOutcome Outcome(const ProjectReader& r, ui::Host& host) {
    if (!r.ErrIni()) return LoadOutcome::Clean;
    ui::Answer answer = host.MessageBox(
        "В параметрах описания файла обнаружены ошибки !\nМодифицировать проект ?",
        ui::Buttons::YesNo, ui::Icon::Question);
    return answer == ui::Answer::Yes ? LoadOutcome::ModifyYes : LoadOutcome::ModifyNo;
}

}  // namespace

LoadOutcome LoadProject(DocumentDescription& description, const RunState& run, ui::Host& host) {
    ProjectReader r(IniFile::Load(run.NameIni), description, run, host);
    if (r.Value(kSecTabulizer, "Version").empty()) {
        r.IniError(kSecTabulizer, "Version", "Отсутствует идентификатор проекта !");
        return LoadOutcome::NoIdentifier;
    }
    DocumentDescription& d = description;
    r.ReadIniInt(kSecGeneral, "MaxLStr", d.MaxLStr);
    r.ReadIniFlag(kSecGeneral, "Code", d.Code);
    r.ReadIniFlag(kSecGeneral, "Flat", d.Flat);
    r.ReadIniInt(kSecHorizon, "EndTitle", d.EndTitle);
    r.ReadIniInt(kSecHorizon, "EndCap", d.EndCap);
    r.ReadIniFlag(kSecHorizon, "FormFeed", d.FormFeed);
    if (!d.FormFeed) LoadEtalon(r);
    LoadSeparators(r);
    LoadColumns(r);
    LoadFormats(r);
    LoadFixedLines(r);
    LoadOptions(r);
    LoadMerges(r);
    r.ReadIniFont("FontTitle", kFontTitle);
    r.ReadIniFont("FontCap", kFontCap);
    r.ReadIniFont("FontInf", kFontInf);
    return Outcome(r, host);
}

}  // namespace tabulizer
