// Column formats: numbers right-aligned with their common number of decimals,
// percentages as percent, codes with leading zeros kept as text; widths from the
// columns' character counts.
#include <algorithm>
#include <map>

#include "common/Cp1251.h"
#include "conversion/inference/Elements.h"
#include "conversion/inference/LineShapes.h"

namespace tabulizer::inference {
namespace {

constexpr i16 kAlignLeft = 1, kAlignRight = 3;
constexpr i16 kFormNumber = 1, kFormPercent = 3, kFormText = 4;

// What the cells of one column hold.
struct ColumnCells {
    int numbers = 0, percents = 0, texts = 0, codes = 0;  // codes: zero-padded digit groups
    int wholes = 0;  // numbers of digits alone
    std::map<int, int> decimals;  // number of decimals -> cells

    int CommonDecimals() const {
        int best = 0, cells = 0;
        for (auto [places, count] : decimals)
            if (count >= cells) best = places, cells = count;
        return best;
    }
};

bool IsPlaceholder(std::string_view text) {
    for (char c : text)
        if (!IsHorizontal(c)) return false;
    return true;
}

enum class Code { kNone, kDigitGroups, kZeroPadded };

// Digits in groups joined by "-", "/" or "." ("45-5123"); zero-padded when a group of
// several digits starts with a zero ("12-0345", "01.04.1999").
Code CodeShape(std::string_view text) {
    bool zeroFirst = false;
    std::size_t group = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        char c = i < text.size() ? text[i] : '-';
        if (c >= '0' && c <= '9') {
            ++group;
            continue;
        }
        if ((c != '-' && c != '/' && c != '.') || group == 0) return Code::kNone;
        zeroFirst = zeroFirst || (group > 1 && text[i - group] == '0');
        group = 0;
    }
    return zeroFirst ? Code::kZeroPadded : Code::kDigitGroups;
}

ColumnCells Survey(const Lines& lines, const std::vector<int>& rows, int first, int last) {
    ColumnCells cells;
    for (int row : rows) {
        std::string cut(Slice(lines[row], first, last));
        for (char& c : cut)
            if (IsVertical(c)) c = ' ';
        std::string_view text = Trim(cut);
        if (text.empty() || IsPlaceholder(text)) continue;
        NumberShape shape = ShapeOf(text);
        Code code = shape.number ? Code::kNone : CodeShape(text);
        // Zero-padded codes, and item numbers closed by a point ("332."), keep their form.
        bool numbered = shape.number && text.back() == '.';
        if (shape.leadingZero || code == Code::kZeroPadded || numbered) ++cells.codes;
        else if (code == Code::kDigitGroups) continue;  // a code, but no evidence of zeros
        else if (!shape.number) ++cells.texts;
        else {
            ++cells.numbers;
            cells.wholes += text.find_first_not_of("0123456789") == std::string_view::npos ? 1 : 0;
            cells.percents += shape.percent ? 1 : 0;
            ++cells.decimals[shape.decimals];
        }
    }
    return cells;
}

// Words of a header naming identifiers: document and line numbers, codes, tax and
// bank numbers (CP1251 lower case, as the words begin).
bool NamesIdentifiers(const Lines& lines, const std::vector<int>& capRows, int first, int last) {
    static const std::vector<std::string> words = [] {
        std::vector<std::string> cp1251;
        for (const char* w : {"номер", "код", "шифр", "инн", "бик", "кпп", "окпо", "артикул", "табел", "доку", "рядка",
                              "строки", "счет", "счёт", "рахун"})
            cp1251.push_back(Utf8ToCp1251(w));
        return cp1251;
    }();
    for (int row : capRows) {
        // Only words wholly inside the column: a header merged over several columns
        // names none of them alone.
        std::string_view line = lines[row];
        std::string cut(Slice(line, first, last));
        if (CharAt(line, first - 1) != ' ' && !IsVertical(CharAt(line, first - 1)) && !cut.empty() && cut[0] != ' ')
            cut[0] = ' ';
        for (char& c : cut)
            if (IsVertical(c)) c = ' ';
        std::vector<std::string_view> inside = Words(cut);
        if (!inside.empty() && CharAt(line, last + 1) != ' ' && !IsVertical(CharAt(line, last + 1)) && cut.back() != ' ')
            inside.pop_back();
        for (std::string_view word : inside)
            for (const std::string& id : words)
                if (Lower(word).starts_with(id)) return true;
    }
    return false;
}

FormatCell FormatOf(const ColumnCells& cells, int column, bool identifiers) {
    auto c = static_cast<i16>(column);
    if (cells.texts > 0) return {};
    // Codes keep their zeros as text; a column of codes may hold plain numbers too.
    if (cells.codes > 0) return {c, kAlignLeft, kFormText, 0};
    // Whole numbers under a header that names identifiers are document numbers, not
    // quantities.
    if (identifiers && cells.numbers > 0 && cells.wholes == cells.numbers) return {c, kAlignLeft, kFormText, 0};
    if (cells.numbers == 0) return {};
    i16 form = cells.percents == cells.numbers ? kFormPercent : kFormNumber;
    return {c, kAlignRight, form, static_cast<i16>(cells.CommonDecimals())};
}

std::string Describe(const FormatCell& f) {
    std::string text = "графа " + std::to_string(f.Col);
    if (f.Form == kFormText) return text + " — текст (номера и коды)";
    text += f.Form == kFormPercent ? " — проценты" : " — числа";
    return text + ", знаков после точки: " + std::to_string(f.Cn);
}

}  // namespace

Formats InferFormats(const Lines& lines, const Body& body, const FixedLines& fixed, const Columns& columns,
                     const std::vector<int>& capRows) {
    Formats formats;
    formats.finding.element = "Форматы граф";
    std::vector<int> rows;
    for (int row : body.rows)
        if (std::find(fixed.rows.begin(), fixed.rows.end(), row) == fixed.rows.end()) rows.push_back(row);
    int previous = 0;
    for (std::size_t c = 0; c < columns.ends.size(); ++c) {
        FormatCell format = FormatOf(Survey(lines, rows, previous + 1, columns.ends[c]), static_cast<int>(c) + 1,
                                     NamesIdentifiers(lines, capRows, previous + 1, columns.ends[c]));
        formats.cells.push_back(format);
        // As the editor stores an untouched column: one unit wider than its characters.
        formats.widths.push_back(columns.ends[c] - previous + 1);
        previous = columns.ends[c];
        if (format.Col != 0) formats.finding.text += (formats.finding.text.empty() ? "" : "; ") + Describe(format);
    }
    if (formats.finding.text.empty()) formats.finding.text = "все графы текстовые, общий формат";
    return formats;
}

}  // namespace tabulizer::inference
