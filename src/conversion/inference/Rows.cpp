// Fixed lines (subtotals and totals) and the postscript (the text under the table).
#include <algorithm>

#include "common/Cp1251.h"
#include "conversion/inference/Elements.h"
#include "conversion/inference/LineShapes.h"

namespace tabulizer::inference {
namespace {

constexpr std::size_t kMaxStored = 250;  // a fixed-line value also holds its two columns

bool HasLetter(std::string_view text) {
    for (char c : text) {
        auto u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u >= 0xC0 || u == 0xA8 || u == 0xB8 || u == 0xB2 ||
            u == 0xB3 || u == 0xAA || u == 0xBA || u == 0xAF || u == 0xBF)
            return true;
    }
    return false;
}

// The label without the numbers that follow it ("Итого по цеху 5" -> "Итого по цеху",
// "документов по ДТ - 15" -> "документов по ДТ"), so that one fixed line serves all
// its kind.
std::string Label(std::string_view cell) {
    std::vector<std::string_view> words = Words(cell);
    std::size_t count = 1;
    while (count < words.size() && !HasDigit(words[count])) ++count;
    while (count > 1 && !HasLetter(words[count - 1])) --count;
    std::string_view last = words[count - 1];
    return std::string(cell.substr(0, last.data() + last.size() - cell.data()));
}

int ColumnAt(const std::vector<int>& ends, int position) {
    for (std::size_t c = 0; c < ends.size(); ++c)
        if (position <= ends[c]) return static_cast<int>(c) + 1;
    return static_cast<int>(ends.size());
}

// A cell of one line: positions first..last (1-based), its trimmed text and where
// that text stands. A line crossed by vertical lines is cut at them; a line without
// them at gaps of two blanks, each text reaching back over the blanks before it.
struct Cell {
    int first = 1, last = 0, textFirst = 1, textLast = 0;
    std::string_view text;
};

std::vector<Cell> CellsOf(std::string_view line) {
    std::vector<Cell> cells;
    const bool ruled = line.find_first_of("|\xA6") != std::string_view::npos;
    const int size = static_cast<int>(line.size());
    int from = 1;
    for (int p = 1; p <= size + 1; ++p) {
        bool gap = p <= size && line[p - 1] == ' ' && CharAt(line, p + 1) == ' ' && CharAt(line, p - 1) != ' ';
        if (p <= size && !(ruled ? IsVertical(line[p - 1]) : gap)) continue;
        std::string_view text = Trim(Slice(line, from, p - 1));
        if (!text.empty()) {
            int textFirst = static_cast<int>(text.data() - line.data()) + 1;
            cells.push_back({from, p - 1, textFirst, textFirst + static_cast<int>(text.size()) - 1, text});
        }
        if (ruled || !text.empty()) from = p + (ruled ? 1 : 0);
    }
    return cells;
}

// A cell whose label crosses a column end: a heading or a total's label written
// across the columns, to be merged as one cell. Between vertical lines the whole
// text counts; without them, where single blanks may join a number to the next
// column's text, only the label does.
bool Spanning(const Cell& cell, const std::vector<int>& ends, bool ruled) {
    if (ends.empty() || !HasLetter(cell.text)) return false;
    std::string label = Label(cell.text);
    if (!ruled && HasDigit(Words(label).front())) return false;  // a number run into the next column's text
    int last = ruled ? cell.textLast : cell.textFirst + static_cast<int>(label.size()) - 1;
    return ColumnAt(ends, cell.textFirst) != ColumnAt(ends, last);
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
    int dropped = 0;
    for (int row : body.rows) {
        std::vector<Cell> cells = CellsOf(lines[row]);
        if (cells.empty()) continue;
        const bool ruled = lines[row].find_first_of("|\xA6") != std::string::npos;
        // A label across columns is merged from its cell's start; a total's label
        // standing in its own column keeps to its text.
        auto spanning =
            std::find_if(cells.begin(), cells.end(), [&](const Cell& c) { return Spanning(c, ends, ruled); });
        bool total = BeginsTotal(cells.front().text);
        // A line of text alone in a table of several columns drawn without lines: a
        // section heading. (Between lines an empty cell shows the columns go on.)
        // It starts in the first column: a text alone further right is a wrapped cell.
        bool heading = !ruled && ends.size() > 1 && cells.size() == 1 && HasLetter(cells.front().text) &&
                       !HasDigit(cells.front().text) && ColumnAt(ends, cells.front().textFirst) == 1;
        if (spanning == cells.end() && !total && !heading) continue;
        const Cell& cell = spanning != cells.end() ? *spanning : cells.front();
        fixed.rows.push_back(row);
        std::string label = Label(cell.text);
        auto same = [&](const FixLine& f) { return f.Str == label; };
        if (label.size() > kMaxStored || std::any_of(fixed.lines.begin(), fixed.lines.end(), same)) continue;
        if (static_cast<int>(fixed.lines.size()) == kMaxFixLines) {
            ++dropped;
            continue;
        }
        FixLine line;
        line.Str = label;
        if (!ends.empty()) {
            // Between vertical lines the label's cell is merged; without them the
            // label alone, so that the sums beside it keep their columns.
            int labelEnd = cell.textFirst + static_cast<int>(label.size()) - 1;
            line.BegCol = static_cast<i16>(heading || spanning != cells.end() ? ColumnAt(ends, cell.first)
                                                                                : ColumnAt(ends, cell.textFirst));
            line.EndCol = static_cast<i16>(heading ? ends.size() : ColumnAt(ends, ruled ? cell.last : labelEnd));
            if (heading) line.BegCol = 1;
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
    if (dropped > 0) {
        fixed.finding.decided = false;
        fixed.finding.text += "; проект вмещает 30 строк, не вошло: " + std::to_string(dropped);
    }
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
