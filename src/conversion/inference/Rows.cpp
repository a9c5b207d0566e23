// Fixed lines (subtotals and totals) and the postscript (the text under the table).
#include <algorithm>

#include "common/Cp1251.h"
#include "conversion/inference/Elements.h"
#include "conversion/inference/LineShapes.h"

namespace tabulizer::inference {
namespace {

// Words that begin a subtotal or total line, in UTF-8 lower case: Russian and
// Ukrainian totals, and the closing balance of a statement.
const char* const kTotalWords[] = {"итого", "всего", "разом", "всього", "усього", "сальдо"};

constexpr std::size_t kMaxStored = 250;  // a fixed-line value also holds its two columns

// The first cell of a table line: from its first character that is not a blank or
// a table line up to the next vertical line. `start` receives its 1-based position.
std::string_view FirstCell(const std::string& line, int& start) {
    std::size_t from = 0;
    while (from < line.size() && (line[from] == ' ' || IsVertical(line[from]))) ++from;
    std::size_t to = from;
    while (to < line.size() && !IsVertical(line[to])) ++to;
    start = static_cast<int>(from) + 1;
    return Trim(std::string_view(line).substr(from, to - from));
}

// Blanks left out, so that a letter-spaced "И т о г о" reads as the word.
bool BeginsTotal(std::string_view cell) {
    std::string lower;
    for (char c : Lower(cell))
        if (c != ' ') lower += c;
    static const std::vector<std::string> words = [] {
        std::vector<std::string> cp1251;
        for (const char* word : kTotalWords) cp1251.push_back(Utf8ToCp1251(word));
        return cp1251;
    }();
    for (const std::string& word : words)
        if (lower.starts_with(word)) return true;
    return false;
}

// The label without the numbers that follow it ("Итого по цеху 5" -> "Итого по цеху"),
// so that one fixed line serves all its kind.
std::string Label(std::string_view cell) {
    std::vector<std::string_view> words = Words(cell);
    while (words.size() > 1 && HasDigit(words.back())) words.pop_back();
    std::string_view last = words.back();
    return std::string(cell.substr(0, last.data() + last.size() - cell.data()));
}

int ColumnAt(const std::vector<int>& ends, int position) {
    for (std::size_t c = 0; c < ends.size(); ++c)
        if (position <= ends[c]) return static_cast<int>(c) + 1;
    return static_cast<int>(ends.size());
}

// The text up to the first gap of two blanks: "Главный бухгалтер  ____  /.../".
std::string FirstWords(std::string_view text) {
    std::size_t gap = text.find("  ");
    return std::string(Trim(text.substr(0, gap)));
}

bool InAnyRow(const Lines& lines, const std::vector<int>& rows, const std::string& text) {
    for (int row : rows)
        if (lines[row].find(text) != std::string::npos) return true;
    return false;
}

}  // namespace

FixedLines InferFixedLines(const Lines& lines, const Body& body, const std::vector<int>& ends) {
    FixedLines fixed;
    fixed.finding.element = "Фиксированные строки";
    for (int row : body.rows) {
        int start = 0;
        std::string_view cell = FirstCell(lines[row], start);
        if (!BeginsTotal(cell)) continue;
        fixed.rows.push_back(row);
        std::string label = Label(cell);
        auto same = [&](const FixLine& f) { return f.Str == label; };
        if (label.size() > kMaxStored || std::any_of(fixed.lines.begin(), fixed.lines.end(), same)) continue;
        if (static_cast<int>(fixed.lines.size()) == kMaxFixLines) continue;
        FixLine line;
        line.Str = label;
        if (!ends.empty()) {
            // The label's cell reaches the next vertical line, or the label's own end.
            int labelEnd = start + static_cast<int>(label.size()) - 1;
            std::size_t divider = lines[row].find_first_of("|\xA6", labelEnd);
            line.BegCol = static_cast<i16>(ColumnAt(ends, start));
            line.EndCol = static_cast<i16>(ColumnAt(ends, divider == std::string::npos ? labelEnd : divider + 1));
        }
        fixed.lines.push_back(line);
    }
    // A longer label first: "Итого по цеху" must not be taken for "Итого".
    std::stable_sort(fixed.lines.begin(), fixed.lines.end(),
                     [](const FixLine& a, const FixLine& b) { return a.Str.size() > b.Str.size(); });
    for (const FixLine& line : fixed.lines)
        fixed.finding.text += (fixed.finding.text.empty() ? "«" : "; «") + Cp1251ToUtf8(line.Str) + "» (графы " +
                              std::to_string(line.BegCol) + "–" + std::to_string(line.EndCol) + ")";
    if (fixed.lines.empty()) fixed.finding.text = "нет";
    return fixed;
}

Postscript InferPostscript(const Lines& lines, const Body& body) {
    Postscript ps;
    ps.finding.element = "Заключение";
    for (int i : body.afterTable) {
        if (IsBlankLine(lines[i])) continue;
        std::string words = FirstWords(Trim(lines[i]));
        // The text must not occur in a table line, or the postscript would start there.
        if (InAnyRow(lines, body.rows, words)) words = std::string(Trim(lines[i]));
        if (InAnyRow(lines, body.rows, words) || words.size() > kMaxStored) continue;
        ps.text = words;
        break;
    }
    ps.finding.text = ps.text.empty() ? "нет" : "с текста «" + Cp1251ToUtf8(ps.text) + "» под последней линией таблицы";
    return ps;
}

}  // namespace tabulizer::inference
