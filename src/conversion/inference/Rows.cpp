// Fixed lines (headings, subtotals and totals kept out of the columns) and the
// postscript (the text under the table, written as whole lines).
#include <algorithm>
#include <limits>

#include "common/Cp1251.h"
#include "conversion/inference/Elements.h"
#include "conversion/inference/LineShapes.h"

namespace tabulizer::inference {
namespace {

constexpr std::size_t kMaxStored = 250;  // a fixed-line value also holds its two columns
constexpr std::size_t kShortestWord = 4;  // a single word shorter than this is no key
constexpr int kPagesTried = 5;             // postscripts of the last pages tried for its text

bool Ruled(std::string_view line) { return line.find_first_of("|\xA6") != std::string_view::npos; }

// The label without the numbers that follow it ("Итого по цеху 5  12.40" -> "Итого по цеху",
// "документов по ДТ - 15" -> "документов по ДТ"), so that one fixed line serves all
// its kind.
std::string Label(std::string_view cell) {
    std::vector<std::string_view> words = Words(cell);
    if (words.empty()) return {};
    // A number followed by words is part of the label ("ИТОГО: 118 докум.").
    auto inLabel = [&](std::size_t w) {
        if (!HasDigit(words[w])) return true;
        return w + 1 < words.size() && ShapeOf(words[w]).number && HasLetter(words[w + 1]) && !HasDigit(words[w + 1]);
    };
    std::size_t count = 1;
    while (count < words.size() && inLabel(count)) ++count;
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
    const bool ruled = Ruled(line);
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

bool Crosses(const Cell& cell, const std::vector<int>& ends) {
    return ColumnAt(ends, cell.textFirst) != ColumnAt(ends, cell.textLast);
}

// A cell between vertical lines drawn over several columns whose text crosses a
// column end: a heading or a total's label, merged as one cell. (A cell of a row
// printed a character or two off the cap's lines covers no column end.)
bool Spanning(const Cell& cell, const std::vector<int>& ends) {
    if (!HasLetter(cell.text) || ColumnAt(ends, cell.textFirst) == ColumnAt(ends, cell.textLast)) return false;
    return std::any_of(ends.begin(), ends.end(), [&](int end) { return end >= cell.first + 2 && end <= cell.last - 2; });
}

// Where a column end falls within the text of a line: inside a word with letters,
// or between two of them. A column end next to a number ("Начислено:14675.22") is
// where a row of the table divides its cells.
bool Wordy(std::string_view word) { return HasLetter(word) && !HasDigit(word); }

bool LetterCrossing(std::string_view line, const Cell& cell, const std::vector<int>& ends) {
    auto wordAt = [&](int position, int step) {  // the word at `position`, or the next one in `step`'s direction
        while (position >= cell.textFirst && position <= cell.textLast && CharAt(line, position) == ' ') position += step;
        int first = position, last = position;
        while (first > cell.textFirst && CharAt(line, first - 1) != ' ') --first;
        while (last < cell.textLast && CharAt(line, last + 1) != ' ') ++last;
        return Slice(line, first, last);
    };
    for (int end : ends)
        if (end >= cell.textFirst && end < cell.textLast && Wordy(wordAt(end, -1)) && Wordy(wordAt(end + 1, 1)))
            return true;
    return false;
}

// A line of a table drawn without vertical lines that stands apart from its columns:
// text alone in the first column ("Склад N 2 (запчасти)"), or words only, written
// across the column ends ("12 Бакалея", "Продолжение следует", "Счет 185010
// Наименование: ..."). A label beside its number ("Удержано:  2650.35") is a row, and
// so is a text starting right of the table's left edge `left`: the rest of a name
// wrapped in its column.
bool Heading(std::string_view line, const std::vector<Cell>& cells, const std::vector<int>& ends, int left) {
    if (ends.size() < 2 || cells.front().textFirst > left + 2) return false;
    for (const Cell& cell : cells)
        if (!HasLetter(cell.text)) return false;
    if (cells.size() == 1 && ColumnAt(ends, cells.front().textLast) == 1) return true;
    return std::any_of(cells.begin(), cells.end(), [&](const Cell& c) { return LetterCrossing(line, c, ends); });
}

bool Contains(const std::string& line, const std::string& text) { return line.find(text) != std::string::npos; }

// A fixed line as the rows show it: its columns and the rows it stands for.
struct Kind {
    i16 begCol = 0, endCol = 0;
    bool whole = false;
    std::vector<int> rows;
    std::vector<std::string> texts;  // the label of each row
};

// The words of a label before its first number ("ИТОГО: 118 докум." -> "ИТОГО:"),
// or those after the number that opens it ("15 Кондитерськi вироби" ->
// "Кондитерськi вироби"): what the rows of other counts and groups share.
std::string Unnumbered(std::string_view label) {
    std::vector<std::string_view> words = Words(label);
    std::size_t first = 0;
    while (first < words.size() && HasDigit(words[first])) ++first;
    std::size_t last = first;
    while (last < words.size() && !HasDigit(words[last])) ++last;
    if (last == first) return {};
    return std::string(label.substr(words[first].data() - label.data(),
                                    words[last - 1].data() + words[last - 1].size() - words[first].data()));
}

// Texts that might name a row of a kind: its label without numbers, its label, its
// whole text, and the longer words without digits that several rows may share
// ("Инв.номер"). Of texts naming as many rows the first is taken: a text without the
// row's own numbers names the rows of the next report of the kind as well.
std::vector<std::string> KeyCandidates(const std::string& text) {
    std::vector<std::string> keys;
    auto add = [&](std::string key) {
        if (key.empty() || key.size() > kMaxStored || !HasLetter(key)) return;
        if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(std::move(key));
    };
    add(Unnumbered(Label(text)));
    add(Label(text));
    add(text);
    for (std::string_view word : Words(text))
        if (word.size() >= kShortestWord && !HasDigit(word)) add(std::string(word));
    return keys;
}

// Keys for the rows of one kind not yet `covered`, none of them found in the
// `others`: for the first row still unnamed, of its texts the one that names most
// rows. The search stops where the project could not hold more.
std::vector<std::string> KeysOf(const Kind& kind, const Lines& lines, const std::vector<int>& others,
                                std::vector<bool>& covered) {
    std::vector<std::string> chosen;
    int missed = 0;
    for (std::size_t r = 0; r < kind.rows.size() && chosen.size() < kMaxFixLines && missed < kMaxFixLines; ++r) {
        if (covered[r]) continue;
        std::string best;
        std::size_t bestCount = 0;
        for (const std::string& key : KeyCandidates(kind.texts[r])) {
            if (std::any_of(others.begin(), others.end(), [&](int row) { return Contains(lines[row], key); }))
                continue;
            std::size_t count = 0;
            for (std::size_t k = r; k < kind.rows.size(); ++k) count += !covered[k] && Contains(lines[kind.rows[k]], key);
            if (count > bestCount) {
                best = key;
                bestCount = count;
            }
        }
        if (bestCount == 0) {
            ++missed;
            continue;
        }
        for (std::size_t k = r; k < kind.rows.size(); ++k) covered[k] = covered[k] || Contains(lines[kind.rows[k]], best);
        chosen.push_back(best);
    }
    return chosen;
}

// How a row is written: a heading or a total (`fixedRow`, kept out of the evidence
// for the columns), merged over begCol..endCol when they differ, named by `label`.
struct RowMerge {
    bool fixedRow = false;
    int begCol = 0, endCol = 0;
    std::string label;
    bool whole = false;  // a heading over the whole row, however many columns the project gets
};

// Between vertical lines the label's cell is merged when its text crosses a column
// end or stands right of the cell's first column; a total whose label fits the
// cell's first column needs no merging.
RowMerge RuledMerge(const std::vector<Cell>& cells, const std::vector<int>& ends) {
    RowMerge merge;
    auto spanning = std::find_if(cells.begin(), cells.end(), [&](const Cell& c) { return Spanning(c, ends); });
    bool total = BeginsTotal(cells.front().text);
    if (spanning == cells.end() && !total) return merge;
    const Cell& cell = spanning != cells.end() ? *spanning : cells.front();
    merge.fixedRow = true;
    merge.label = Label(cell.text);
    merge.begCol = ColumnAt(ends, cell.first);
    bool apart = spanning != cells.end() || ColumnAt(ends, cell.textFirst) > merge.begCol;
    merge.endCol = apart ? ColumnAt(ends, cell.last) : merge.begCol;
    return merge;
}

// Where the label's text ends in `text` (which starts with `label`): past a number
// written one blank after it that names what the line totals ("Итого  по
// приоритету 22", "Итого по цеху 5  12.40"); a number after a colon or a gap is the
// line's sum.
std::size_t LabelTextEnd(std::string_view text, const std::string& label) {
    std::size_t end = label.size();
    if (label.back() == ':' || end + 1 >= text.size() || text[end] != ' ' || !IsDigit(text[end + 1])) return end;
    std::size_t number = text.find_first_not_of("0123456789", end + 1);
    if (number == std::string_view::npos) return text.size();
    return text.substr(number).starts_with("  ") ? number : end;
}

// Without vertical lines a heading is merged over all the columns; a total's or a
// caption's label ("Остаток на начало дня:  3412.57"), or a label that a column end
// would cut inside a word ("В т.ч. по операции  101  1229333.07"), from the first
// column through the label's end, so that the sums beside it keep their columns.
RowMerge UnruledMerge(std::string_view line, const std::vector<Cell>& cells, const std::vector<int>& ends,
                      const std::vector<int>& dividers, int left) {
    RowMerge merge;
    std::string_view text = Trim(line);
    std::string label = Label(text);
    bool total = BeginsTotal(text);
    if (!total && Heading(line, cells, ends, left)) {
        merge = {true, 1, static_cast<int>(ends.size()), std::string(cells.front().text), true};
        return merge;
    }
    bool caption = !total && label.back() == ':' && HasLetter(label);
    for (std::string_view word : Words(text.substr(label.size()))) caption = caption && ShapeOf(word).number;
    bool cut = cells.front().textFirst <= left + 2 && Wordy(Words(text).front()) &&
               LetterCrossing(line, cells.front(), ends);
    if (!total && !caption && !cut) return merge;
    int labelFirst = static_cast<int>(text.data() - line.data()) + 1;
    int labelEnd = labelFirst + static_cast<int>(LabelTextEnd(text, label)) - 1;
    merge = {true, 1, ColumnAt(ends, labelEnd), label};
    if (ColumnAt(ends, labelFirst) < merge.endCol) return merge;
    // A label within its column is merged only where a letter of it stands on a
    // vertical line that the run blanks out of the rows (a line of the cap over rows
    // printed without them: "Перенос:" would lose its colon), and then over two
    // columns at least, since a cell of one column is blanked.
    bool onDivider = std::any_of(dividers.begin(), dividers.end(), [&](int d) { return d >= labelFirst && d <= labelEnd; });
    bool nextBlank = ends.size() > 1 && Trim(Slice(line, ends[0] + 1, ends[1])).empty();
    if (!onDivider || (merge.endCol == 1 && !nextBlank)) merge.endCol = 1;
    else merge.endCol = std::max(merge.endCol, 2);
    return merge;
}

RowMerge MergeOf(std::string_view line, const std::vector<int>& ends, const std::vector<int>& dividers, int left) {
    std::vector<Cell> cells = CellsOf(line);
    if (cells.empty()) return {};
    if (ends.empty()) return {BeginsTotal(cells.front().text), 0, 0, {}};
    return Ruled(line) ? RuledMerge(cells, ends) : UnruledMerge(line, cells, ends, dividers, left);
}

// ---- The postscript ----

struct Extent {
    int first = 0, last = -1;  // 1-based; empty when last < first
};

Extent ExtentOf(std::string_view line) {
    std::size_t first = line.find_first_not_of(' '), last = line.find_last_not_of(' ');
    if (first == std::string_view::npos) return {};
    return {static_cast<int>(first) + 1, static_cast<int>(last) + 1};
}

Extent Union(Extent a, Extent b) {
    if (a.last < a.first) return b;
    if (b.last < b.first) return a;
    return {std::min(a.first, b.first), std::max(a.last, b.last)};
}

// How wide the table is drawn: its cap, or the rules of its page when the cap is
// empty.
Extent TableExtent(const Lines& lines, const Page& page, const Frame& frame) {
    Extent extent;
    for (int o = frame.endTitle; o < std::min(frame.endCap, page.size()); ++o)
        extent = Union(extent, ExtentOf(lines[page.lines[o]]));
    if (extent.last >= extent.first) return extent;
    for (int i : page.lines)
        if (IsRule(lines[i])) extent = Union(extent, ExtentOf(lines[i]));
    return extent;
}

// A rule drawn across the table, give or take a twentieth of its width (a rule of
// dashes may stop short of a closing colon).
bool Wide(std::string_view line, const Extent& table) {
    Extent e = ExtentOf(line);
    int slack = std::max(2, (table.last - table.first) / 20);
    return table.last >= table.first && e.first <= table.first + slack && e.last >= table.last - slack;
}

// Numbers among the words of a line, colons taken for column lines ("10:  1845230.45:").
int NumberWords(std::string_view line) {
    std::string text(line);
    std::replace(text.begin(), text.end(), ':', ' ');
    int count = 0;
    for (std::string_view word : Words(text)) count += ShapeOf(word).number ? 1 : 0;
    return count;
}

// A line of the table's body: crossed by vertical lines over most of the table's
// width from its left part, or (without them) holding two numbers or more. A small
// box under the table (a count of lines in a box of its own) is not one.
bool DataRow(std::string_view line, const Extent& table) {
    if (Ruled(line)) {
        int first = static_cast<int>(line.find_first_of("|\xA6")) + 1;
        int last = static_cast<int>(line.find_last_of("|\xA6")) + 1;
        int width = table.last - table.first;
        return (last - first) * 3 >= width * 2 && (first - table.first) * 3 <= width;
    }
    return NumberWords(line) >= 2;
}

// No number of the line ("42 377,98", read as a number or not) is cut by a column end.
bool Aligned(std::string_view line, const std::vector<int>& ends) {
    if (ends.empty()) return true;
    for (const Cell& cell : CellsOf(line))
        if (HasDigit(cell.text) && !HasLetter(cell.text) && Crosses(cell, ends)) return false;
    return true;
}

bool SignatureBlank(std::string_view line) { return line.find("___") != std::string_view::npos; }

// Where the table of one page ends (the offset after its last line) and where the
// postscript would start (-1: none).
struct PageEnd {
    int tableEnd = 0;
    int start = -1;
};

PageEnd EndOfPage(const Lines& lines, const Page& page, const Frame& frame, const Extent& table,
                  const std::vector<int>& ends) {
    auto line = [&](int o) -> const std::string& { return lines[page.lines[o]]; };
    int last = frame.endCap - 1;
    bool closed = false;  // the table ends with a rule across its width
    bool ruledRows = false;  // its rows are crossed by vertical lines: lines without them under it are no rows
    for (int o = frame.endCap; o < page.size(); ++o) {
        if (IsBlankLine(line(o))) continue;
        if (IsRule(line(o))) {
            if (Wide(line(o), table)) last = o, closed = true;
            continue;
        }
        if (BeginsTotal(Trim(line(o)))) continue;  // totals and balances are no rows of data
        if (!DataRow(line(o), table) || (closed && ruledRows && !Ruled(line(o)))) continue;
        last = o;
        closed = false;
        ruledRows = Ruled(line(o));
    }
    PageEnd end;
    end.tableEnd = last + 1;
    // Under the table its drawing may go on (a box of totals hung under it), and
    // totals may follow it: they stay in the table unless the table's lines would cut
    // their numbers or words follow them (the sum in words opens the postscript;
    // a signature right under them does not).
    auto endsTotals = [&](int next) {
        return next >= page.size() || IsBlankLine(line(next)) || IsRule(line(next)) ||
               BeginsTotal(Trim(line(next)), false) || SignatureBlank(line(next));
    };
    int o = last + 1;
    for (bool attached = true; o < page.size(); ++o) {
        const std::string& text = line(o);
        if (IsBlankLine(text)) {
            attached = false;
            continue;
        }
        if (IsRule(text) || (attached && Ruled(text))) continue;
        if (!BeginsTotal(Trim(text), false) || !HasDigit(text) || !endsTotals(o + 1)) break;
        if (closed && !Aligned(text, ends)) break;
    }
    if (o >= page.size()) return end;
    // A table without a closing rule runs on into what follows it; a signature line
    // tells the text under it from lines that continue the table's sections.
    bool signed_ = closed;
    for (int s = o; s < page.size() && !signed_; ++s) signed_ = SignatureBlank(line(s));
    if (signed_) end.start = o;
    return end;
}

// The text up to the first gap of two blanks, the line to sign on or the end of a
// caption: "Главный бухгалтер  ____  /.../", "Кассир_______", "Распечатал: Петренко".
std::string FirstWords(std::string_view text) {
    std::size_t colon = text.find(':');
    std::size_t end = std::min({text.find("  "), text.find("__"), colon == std::string_view::npos ? colon : colon + 1});
    return std::string(Trim(text.substr(0, end)));
}

// Texts that might start the postscript at `line`: its first words without the
// numbers after them, then ever longer beginnings of the line.
std::vector<std::string> StartCandidates(std::string_view line) {
    std::string_view text = Trim(line);
    std::vector<std::string> keys;
    std::string first = Label(FirstWords(text));
    if (first.empty() || !HasLetter(first)) return keys;
    keys.push_back(first);
    for (std::string_view word : Words(text)) {
        std::size_t length = word.data() + word.size() - text.data();
        if (length > kMaxStored) break;
        if (length > first.size()) keys.emplace_back(text.substr(0, length));
    }
    return keys;
}

// The first offset of `page` (past the cap, which is not searched) holding `key`.
int FirstHolding(const Lines& lines, const Page& page, const Frame& frame, const std::string& key) {
    for (int o = 0; o < page.size(); ++o) {
        if (o >= frame.endTitle && o < frame.endCap) continue;
        if (Contains(lines[page.lines[o]], key)) return o;
    }
    return -1;
}

}  // namespace

ColumnSpan MergedColumns(const FixLine& line, int columnCount) {
    if (line.BegCol == 0) return {1, columnCount};
    return {line.BegCol, std::max<int>(line.EndCol, line.BegCol)};
}

const FixLine* FixedLines::Of(std::string_view line) const {
    for (const FixLine& f : lines)
        if (!f.Str.empty() && line.find(f.Str) != std::string_view::npos) return &f;
    return nullptr;
}

FixedLines InferFixedLines(const Lines& lines, const Body& body, const std::vector<int>& ends,
                           const std::vector<int>& dividers) {
    FixedLines fixed;
    fixed.finding.element = "Фиксированные строки";
    fixed.finding.kind = Element::FixedLines;
    std::vector<Kind> kinds;
    std::vector<int> plain;  // information lines written cell by cell
    int left = std::numeric_limits<int>::max();  // where the table's lines start
    for (int row : body.rows) left = std::min(left, static_cast<int>(lines[row].find_first_not_of(' ')) + 1);
    for (int row : body.rows) {
        RowMerge merge = MergeOf(lines[row], ends, dividers, left);
        if (merge.fixedRow) fixed.rows.push_back(row);
        if (merge.endCol <= merge.begCol) {
            plain.push_back(row);
            continue;
        }
        auto kind = std::find_if(kinds.begin(), kinds.end(),
                                 [&](const Kind& k) {
                                     return k.begCol == merge.begCol && k.endCol == merge.endCol && k.whole == merge.whole;
                                 });
        if (kind == kinds.end()) {
            kinds.emplace_back();
            kind = kinds.end() - 1;
            kind->begCol = static_cast<i16>(merge.begCol);
            kind->endCol = static_cast<i16>(merge.endCol);
            kind->whole = merge.whole;
        }
        kind->rows.push_back(row);
        kind->texts.push_back(merge.label);
    }
    // A line containing a fixed line's text is that fixed line, the first of them
    // in the project's order: a text is found in no information line written cell
    // by cell, and best in no row of another kind; where it must be ("Итого" in
    // "Итого по цеху"), the longer text comes first.
    std::vector<FixLine> named;
    for (const Kind& kind : kinds) {
        std::vector<int> others = plain;
        for (const Kind& other : kinds)
            if (&other != &kind) others.insert(others.end(), other.rows.begin(), other.rows.end());
        std::vector<bool> covered(kind.rows.size(), false);
        std::vector<std::string> keys = KeysOf(kind, lines, others, covered);
        std::vector<std::string> more = KeysOf(kind, lines, plain, covered);
        keys.insert(keys.end(), more.begin(), more.end());
        for (const std::string& key : keys) {
            FixLine line;
            // Columns not given: the run merges the whole row.
            line.BegCol = kind.whole ? 0 : kind.begCol;
            line.EndCol = kind.whole ? 0 : kind.endCol;
            line.Str = key;
            named.push_back(line);
        }
    }
    std::stable_sort(named.begin(), named.end(),
                     [](const FixLine& a, const FixLine& b) { return a.Str.size() > b.Str.size(); });
    int dropped = std::max(0, static_cast<int>(named.size()) - kMaxFixLines);
    named.resize(named.size() - dropped);
    fixed.lines = std::move(named);
    int unnamed = 0;  // rows that no text makes the fixed line of their kind
    for (const Kind& kind : kinds)
        for (int row : kind.rows) {
            const FixLine* first = fixed.Of(lines[row]);
            unnamed += first == nullptr || first->BegCol != (kind.whole ? 0 : kind.begCol) ||
                       first->EndCol != (kind.whole ? 0 : kind.endCol);
        }
    for (const FixLine& line : fixed.lines)
        fixed.finding.text += (fixed.finding.text.empty() ? "«" : "; «") + Cp1251ToUtf8(line.Str) + "» (графы " +
                              std::to_string(line.BegCol) + "–" + std::to_string(line.EndCol) + ")";
    if (fixed.lines.empty()) fixed.finding.text = "нет";
    if (dropped > 0) {
        fixed.finding.decided = false;
        fixed.finding.text += "; проект вмещает 30 строк, не вошло: " + std::to_string(dropped);
    }
    if (unnamed > 0) {
        fixed.finding.decided = false;
        fixed.finding.text += "; строк без текста, которого нет в других строках таблицы: " + std::to_string(unnamed);
    }
    return fixed;
}

Postscript InferPostscript(const Lines& lines, const PageLayout& layout, const Frame& frame,
                           const std::vector<int>& ends) {
    Postscript ps;
    ps.finding.element = "Заключение";
    ps.finding.kind = Element::Postscript;
    const std::vector<Page>& pages = layout.pages;
    const Extent table = TableExtent(lines, pages[frame.firstPage], frame);
    std::vector<PageEnd> endOf(pages.size());
    for (std::size_t p = frame.firstPage; p < pages.size(); ++p)
        endOf[p] = EndOfPage(lines, pages[p], frame, table, ends);
    // The text must not stand in a title or a table line of any page: the postscript
    // would start there and take the rest of the page out of the table.
    auto startsOnlyUnderTables = [&](const std::string& key) {
        for (std::size_t p = 0; p < pages.size(); ++p) {
            int at = FirstHolding(lines, pages[p], frame, key);
            if (at >= 0 && (p < static_cast<std::size_t>(frame.firstPage) || at < endOf[p].tableEnd)) return false;
        }
        return true;
    };
    int found = -1;  // the page whose postscript gave the text
    int tried = 0;  // pages whose postscript gave no text: a few tell enough
    for (std::size_t p = pages.size(); p-- > static_cast<std::size_t>(frame.firstPage) && ps.text.empty();) {
        if (endOf[p].start < 0 || tried++ >= kPagesTried) continue;
        for (const std::string& key : StartCandidates(lines[pages[p].lines[endOf[p].start]]))
            if (startsOnlyUnderTables(key)) {
                ps.text = key;
                found = static_cast<int>(p);
                break;
            }
    }
    // The information lines: from the cap to the postscript, or to the page's end.
    for (std::size_t p = frame.firstPage; p < pages.size(); ++p) {
        int stop = ps.text.empty() ? -1 : FirstHolding(lines, pages[p], frame, ps.text);
        if (stop < 0) stop = pages[p].size();
        for (int o = frame.endCap; o < stop; ++o) {
            const std::string& text = lines[pages[p].lines[o]];
            if (!IsBlankLine(text) && !IsRule(text)) ps.rows.push_back(pages[p].lines[o]);
        }
    }
    if (!ps.text.empty()) {
        ps.finding.text = "с текста «" + Cp1251ToUtf8(ps.text) + "» под таблицей (страница " +
                          std::to_string(found + 1) + ")";
        return ps;
    }
    ps.finding.text = "нет";
    bool under = std::any_of(endOf.begin(), endOf.end(), [](const PageEnd& e) { return e.start >= 0; });
    if (under) {
        ps.finding.decided = false;
        ps.finding.text += ": текст под таблицей встречается и выше, в заголовке или в строках таблицы";
    }
    return ps;
}

}  // namespace tabulizer::inference
