// Columns: the vertical lines that stand at the same positions through the table's
// lines; for a table drawn without them, the blank gutters that hold through every line.
#include <algorithm>
#include <map>
#include <set>

#include "conversion/inference/Elements.h"
#include "conversion/inference/LineShapes.h"

namespace tabulizer::inference {
namespace {

std::vector<int> TableRows(const Body& body, const std::vector<int>& fixedRows) {
    std::vector<int> rows;
    for (int row : body.rows)
        if (std::find(fixedRows.begin(), fixedRows.end(), row) == fixedRows.end()) rows.push_back(row);
    return rows;
}

int LastText(const std::string& line) { return static_cast<int>(line.find_last_not_of(" \f") + 1); }

// Positions holding a vertical line in most rows: a total line may lack some of them.
std::vector<int> VerticalLines(const Lines& lines, const std::vector<int>& rows, int width,
                               bool (*isLine)(char) = IsVertical) {
    std::vector<int> dividers;
    for (int p = 1; p <= width; ++p) {
        int hits = 0;
        for (int row : rows) hits += isLine(CharAt(lines[row], p)) ? 1 : 0;
        if (hits * 5 >= static_cast<int>(rows.size()) * 3) dividers.push_back(p);
    }
    return dividers;
}

bool IsColon(char c) { return c == ':'; }

// A table drawn with colons for its vertical lines (":Бюджет    :   238353.89:"): a
// colon in most rows, at the rows' left edge or where a line of the cap holds one
// too; three such positions at least.
std::vector<int> ColonLines(const Lines& lines, const std::vector<int>& rows, const std::vector<int>& capRows,
                            int width) {
    std::vector<int> colons = VerticalLines(lines, rows, width, IsColon), dividers;
    if (colons.empty()) return {};
    int bordered = 0;
    for (int row : rows) bordered += Trim(lines[row]).substr(0, 1) == ":" ? 1 : 0;
    bool leftEdge = bordered * 5 >= static_cast<int>(rows.size()) * 3;
    for (int p : colons)
        if (leftEdge ||
            std::any_of(capRows.begin(), capRows.end(), [&](int row) { return CharAt(lines[row], p) == ':'; }))
            dividers.push_back(p);
    return dividers.size() >= 3 ? dividers : std::vector<int>{};
}

// Positions of the vertical lines of the cap's text lines.
std::vector<int> CapLines(const Lines& lines, const std::vector<int>& capRows) {
    std::set<int> positions;
    for (int row : capRows) {
        if (IsRule(lines[row])) continue;
        for (std::size_t p = 0; p < lines[row].size(); ++p)
            if (IsVertical(lines[row][p])) positions.insert(static_cast<int>(p) + 1);
    }
    return {positions.begin(), positions.end()};
}

// Column ends at the dividers; a first divider with nothing left of it is the
// table's left edge and belongs to the first column.
std::vector<int> EndsAtDividers(const Lines& lines, const std::vector<int>& rows, const std::vector<int>& dividers,
                                int textEnd) {
    bool leftEdge = true;
    for (int row : rows) leftEdge = leftEdge && IsBlankLine(Slice(lines[row], 1, dividers.front() - 1));
    std::vector<int> ends(dividers.begin() + (leftEdge ? 1 : 0), dividers.end());
    if (ends.empty() || textEnd > ends.back()) ends.push_back(textEnd);
    return ends;
}

bool IsText(char c) { return c != ' ' && !IsVertical(c); }

// Rows that break over two lines may draw a line in only one of them: a position of
// the cap's lines where some rows draw one and no row has text is a line too, and so
// is the cap's own right edge beyond the rows' lines.
void AddCapConfirmedLines(const Lines& lines, const std::vector<int>& rows, const std::vector<int>& capDividers,
                          std::vector<int>& dividers) {
    const int rowsEdge = dividers.back();
    for (int d : capDividers) {
        bool drawn = false, text = false;
        for (int row : rows) {
            drawn = drawn || IsVertical(CharAt(lines[row], d));
            text = text || IsText(CharAt(lines[row], d));
        }
        if ((drawn || d > rowsEdge) && !text && std::find(dividers.begin(), dividers.end(), d) == dividers.end())
            dividers.push_back(d);
    }
    std::sort(dividers.begin(), dividers.end());
}

// A line of the rows that no line of the cap draws or crosses, and a text of the cap
// runs over ("6+12+17+21+23+25|" over a right edge one position left): the column
// goes on to the cap's line, the rows' line is only blanked.
bool CapTextCrosses(const Lines& lines, const std::vector<int>& capRows, int d) {
    bool text = false;
    for (int row : capRows) {
        char c = CharAt(lines[row], d);
        bool rule = IsRule(lines[row]);
        if (rule ? IsJunction(c) : IsVertical(c)) return false;
        text = text || (!rule && c != ' ');
    }
    return text;
}

// Column ends under a cap underlined by runs of "-" or "=" parted by blanks (report
// generators print no vertical lines): each column runs from the start of its run
// to the blank before the next one. Empty when no cap line is such an underline of
// three columns or more.
std::vector<int> EndsAtUnderlineRuns(const Lines& lines, const std::vector<int>& capRows, int textEnd) {
    for (auto it = capRows.rbegin(); it != capRows.rend(); ++it) {
        const std::string& line = lines[*it];
        if (!IsRule(line) || line.find_first_of("|\xA6") != std::string::npos) continue;
        std::vector<int> starts;
        int last = -1;
        for (int p = 1; p <= static_cast<int>(line.size()); ++p) {
            if (!IsHorizontal(line[p - 1])) continue;
            if (p > last + 1) starts.push_back(p);
            last = p;
        }
        if (starts.size() < 3) continue;
        std::vector<int> ends;
        for (std::size_t r = 1; r < starts.size(); ++r) ends.push_back(starts[r] - 1);
        ends.push_back(std::max(last, textEnd));
        return ends;
    }
    return {};
}

int TextEnd(const Lines& lines, const std::vector<int>& rows) {
    int end = 0;
    for (int row : rows) end = std::max(end, LastText(lines[row]));
    return end;
}

bool Gap(char c) { return c == ' ' || c == ':'; }

// The rows that hold the gutters: those with a digit when most have one, without
// the headings written across the columns (rows that put text into three gutters
// or more of those nearly every row keeps).
std::vector<int> GutterRows(const Lines& lines, const std::vector<int>& rows, int textEnd) {
    std::vector<int> held;
    for (int row : rows)
        if (HasDigit(lines[row])) held.push_back(row);
    if (held.size() * 4 < rows.size() * 3) held = rows;
    std::vector<bool> nearly(textEnd + 2, false);
    for (int p = 1; p <= textEnd; ++p) {
        std::size_t gaps = 0;
        for (int row : held) gaps += Gap(CharAt(lines[row], p)) ? 1 : 0;
        nearly[p] = gaps * 10 >= held.size() * 9;
    }
    std::vector<int> kept;
    for (int row : held) {
        int crossed = 0;
        bool inside = false;  // text met in the current run of such positions
        for (int p = 1; p <= textEnd + 1; ++p) {
            if (!nearly[p]) {
                crossed += inside ? 1 : 0;
                inside = false;
            } else if (!Gap(CharAt(lines[row], p))) {
                inside = true;
            }
        }
        if (crossed < 3) kept.push_back(row);
    }
    return kept.empty() ? held : kept;
}

// Texts of positions first..last that end at one position in most rows and begin at
// different ones.
bool RightAligned(const Lines& lines, const std::vector<int>& rows, int first, int last) {
    std::map<int, int> lefts, rights;
    int texts = 0;
    for (int row : rows) {
        std::string_view part = Slice(lines[row], first, last);
        std::size_t left = part.find_first_not_of(' ');
        if (left == std::string_view::npos) continue;
        ++texts;
        ++lefts[static_cast<int>(left)];
        ++rights[static_cast<int>(part.find_last_not_of(' '))];
    }
    auto most = [](const std::map<int, int>& counts) {
        int best = 0;
        for (const auto& [position, count] : counts) best = std::max(best, count);
        return best;
    };
    return texts > 0 && most(rights) * 5 >= texts * 3 && most(rights) > most(lefts);
}

// Column ends at the last blank of each gutter, so that a column's text starts
// right after the end of the one before. A single blank between texts, with few
// rows writing in what would be the column right of it, parts words of a text
// ("... по дог. N 14"), not columns. A colon that closes right-aligned labels
// ("Начислено:14675.22") ends their column as a blank does, and is blanked
// (`colonEnds`); the colons of a time ("17:27:46") stay in it.
std::vector<int> EndsAtGutters(const Lines& lines, const std::vector<int>& rows, int textEnd,
                               std::vector<int>& colonEnds) {
    const std::vector<int> held = GutterRows(lines, rows, textEnd);
    int textStart = textEnd + 1;
    for (int row : held) {
        std::size_t first = lines[row].find_first_not_of(' ');
        if (first != std::string::npos) textStart = std::min(textStart, static_cast<int>(first) + 1);
    }
    std::vector<bool> gutter(textEnd + 2, false), colon(textEnd + 2, false);
    for (int p = textStart; p < textEnd; ++p) {
        bool blank = true, time = false;
        std::size_t colons = 0;
        for (int row : held) {
            char c = CharAt(lines[row], p);
            colons += c == ':' ? 1 : 0;
            time = time || (c == ':' && IsDigit(CharAt(lines[row], p - 1)) && IsDigit(CharAt(lines[row], p + 1)));
            blank = blank && Gap(c);
        }
        gutter[p] = blank && (colons == 0 || (colons * 2 >= held.size() && !time));
        colon[p] = colons > 0;
    }
    std::vector<int> ends;
    const int rowsEnd = TextEnd(lines, held);
    for (int p = textStart; p < rowsEnd; ++p) {
        if (!gutter[p] || gutter[p + 1]) continue;
        int first = p, next = p + 1;
        while (gutter[first - 1] && first - 1 >= textStart) --first;
        while (next < textEnd && !gutter[next]) ++next;
        std::size_t filled = 0;
        for (int row : held) filled += IsBlankLine(Slice(lines[row], p + 1, next - 1)) ? 0 : 1;
        if (first == p && !colon[p] && filled * 4 < held.size()) continue;
        // Numbers aligned on their right take the blanks before them, where a wider
        // one (a total's) may begin.
        ends.push_back(colon[p] || !RightAligned(lines, held, p + 1, next - 1) ? p : first);
        if (colon[p]) colonEnds.push_back(p);
    }
    ends.push_back(textEnd);
    return ends;
}

// Column ends at the rows' lines, but for those a text of the cap runs over.
std::vector<int> EndsAtRowLines(const Lines& lines, const std::vector<int>& rows, const std::vector<int>& capRows,
                                const Columns& columns, int textEnd) {
    std::vector<int> parting;
    for (int d : columns.dividers)
        if (columns.colonLines || !CapTextCrosses(lines, capRows, d)) parting.push_back(d);
    if (parting.empty()) parting = columns.dividers;
    if (parting.size() < columns.dividers.size()) textEnd = std::max(textEnd, TextEnd(lines, capRows));
    return EndsAtDividers(lines, rows, parting, textEnd);
}

}  // namespace

int LongestLine(const Lines& lines) {
    std::size_t longest = 0;
    for (const std::string& line : lines) longest = std::max(longest, line.size());
    return static_cast<int>(longest);
}

Columns InferColumns(const Lines& lines, const Body& body, const std::vector<int>& fixedRows,
                     const std::vector<int>& capRows, int longestLine) {
    Columns columns;
    columns.finding.element = "Графы";
    columns.finding.kind = Element::Columns;
    columns.maxLength = longestLine;
    std::vector<int> rows = TableRows(body, fixedRows);
    if (rows.empty()) {
        columns.finding.decided = false;
        columns.finding.text = "под шапкой нет строк таблицы";
        return columns;
    }
    // The last column reaches the end of every table line, a total's included.
    int textEnd = TextEnd(lines, body.rows);
    columns.dividers = VerticalLines(lines, rows, TextEnd(lines, rows));
    if (columns.dividers.empty()) {
        columns.dividers = ColonLines(lines, rows, capRows, TextEnd(lines, rows));
        columns.colonLines = !columns.dividers.empty();
    }
    std::vector<int> capDividers = CapLines(lines, capRows);
    // The last column of a table without lines reaches as far as its cap's rules.
    std::vector<int> underlined = EndsAtUnderlineRuns(lines, capRows, std::max(textEnd, TextEnd(lines, capRows)));
    if (!columns.dividers.empty()) {
        if (!columns.colonLines) AddCapConfirmedLines(lines, rows, capDividers, columns.dividers);
        columns.ends = EndsAtRowLines(lines, rows, capRows, columns, textEnd);
        columns.finding.text = std::string(columns.colonLines ? "двоеточия вместо вертикальных линий" : "вертикальные линии") +
                               " в позициях " + JoinPositions(columns.dividers);
    } else if (capDividers.size() >= 3) {
        // Data printed without the lines its cap draws: the cap's lines part the
        // columns, and are blanked out of the lines where no text stands on them.
        textEnd = std::max(textEnd, TextEnd(lines, capRows));
        columns.ends = EndsAtDividers(lines, capRows, capDividers, textEnd);
        columns.dividers = capDividers;
        columns.capLines = true;
        columns.finding.text = "строки таблицы без линий, графы по вертикальным линиям шапки в позициях " +
                               JoinPositions(capDividers);
    } else if (!underlined.empty()) {
        columns.ends = underlined;
        columns.finding.text = "линий нет, графы по чертам, которыми подчёркнута шапка";
    } else {
        columns.ends = EndsAtGutters(lines, rows, std::max(textEnd, TextEnd(lines, capRows)), columns.dividers);
        columns.finding.text = "линий нет, графы по пробелам, общим для всех строк таблицы";
    }
    if (columns.ends.size() > kMaxColumns) {
        columns.ends.resize(kMaxColumns);
        columns.finding.decided = false;
        columns.finding.text += "; взяты первые 50 граф";
    }
    std::vector<int> kept;
    for (int d : columns.dividers)
        if (d <= columns.ends.back()) kept.push_back(d);
    columns.dividers = kept;
    columns.finding.text = "граф: " + std::to_string(columns.ends.size()) + ", концы граф " + JoinPositions(columns.ends) +
                           "; " + columns.finding.text + "; самая длинная строка " +
                           std::to_string(columns.maxLength) + " символов";
    return columns;
}

namespace {

// The last column a fixed line merges its text over: a row that holds no fixed
// text is cut into all its columns.
int MergedThrough(const std::string& line, const FixedLines& fixed, int columnCount) {
    const FixLine* f = fixed.Of(line);
    return f == nullptr ? 0 : MergedColumns(*f, columnCount).last;
}

// How the texts of the rows meet a cap's line at position d, a fixed line's merged
// text aside (it is not cut, and keeps what stands on a line).
struct OnTheLine {
    bool text = false;  // some text stands on it
    int starts = 0;     // rows whose text begins on it
    int ends = 0;       // rows whose text ends on it
    std::map<int, int> crossingFrom;  // rows whose text runs over it, by where that text begins
    int Crossing() const {
        int rows = 0;
        for (auto [from, count] : crossingFrom) rows += count;
        return rows;
    }
};

OnTheLine TextsOn(const Lines& lines, const Body& body, const FixedLines& fixed, const std::vector<int>& ends, int d) {
    OnTheLine on;
    for (int row : body.rows) {
        const std::string& line = lines[row];
        int merged = MergedThrough(line, fixed, static_cast<int>(ends.size()));
        if ((merged > 0 && d <= ends[merged - 1]) || !IsText(CharAt(line, d))) continue;
        bool before = IsText(CharAt(line, d - 1)), after = IsText(CharAt(line, d + 1));
        on.text = true;
        on.starts += !before && after ? 1 : 0;
        on.ends += after ? 0 : 1;
        if (before && after) {
            int from = IsText(CharAt(line, d - 2)) ? d - 2 : d - 1;
            ++on.crossingFrom[IsText(CharAt(line, from - 1)) ? 0 : from];  // 0: from further left
        }
    }
    return on;
}

}  // namespace

std::string SettleCapLines(const Lines& lines, const Body& body, const FixedLines& fixed, Columns& columns) {
    if (!columns.capLines) return "";
    std::vector<int>& ends = columns.ends;
    std::vector<int> kept, standing, moved;
    for (int d : columns.dividers) {
        OnTheLine on = TextsOn(lines, body, fixed, ends, d);
        (on.text ? standing : kept).push_back(d);
        // Rows printed against the cap may begin a text on its line ("... 62 293 400
        // BYR" with the currency under it, a name printed one position left): the
        // column ends before the line, so that the text stays whole in the next one,
        // unless as many texts end on it.
        auto at = std::find(ends.begin(), ends.end(), d);
        if (at == ends.end() || at + 1 == ends.end() || d <= 1) continue;
        const int previous = at == ends.begin() ? 0 : *(at - 1);
        if (on.starts > on.ends && previous < d - 1) *at = d - 1;
        // Fields printed a position or two left of the cap's boxes run over its line in
        // most rows ("… 19317.70 101" with the code across the box of "КОП"): the
        // column ends before them, so that they stay whole in the next column.
        int crossing = on.Crossing();
        if (crossing > on.starts && crossing > on.ends) {
            auto most = std::max_element(on.crossingFrom.begin(), on.crossingFrom.end(),
                                         [](auto a, auto b) { return a.second < b.second; });
            if (most->first > 0 && most->first - 1 > previous) {
                *at = most->first - 1;
                moved.push_back(static_cast<int>(at - ends.begin()) + 1);
            }
        }
    }
    columns.dividers = kept;
    std::string said;
    if (!moved.empty()) {
        said = "; строки таблицы напечатаны левее линий шапки: графы " + JoinPositions(moved) +
               " кончаются перед их полями (концы граф " + JoinPositions(ends) + ")";
    }
    if (!standing.empty())
        said += "; не вычищаются линии шапки в позициях " + JoinPositions(standing) + ", где в строках таблицы стоит текст";
    return said;
}

namespace {

// The text of columns b..e of a line, without the divider that closes column e.
std::string_view Region(const std::string& line, const std::vector<int>& ends, int b, int e) {
    int first = b > 1 ? ends[b - 2] + 1 : 1;
    return Slice(line, first, ends[e - 1] - 1);
}

// The line that closes column c: on its end, or up to three positions past it where
// the column ends before the fields that the rows print on or across that line.
bool DividerAfter(const std::string& line, const std::vector<int>& ends, int c) {
    if (JunctionAt(line, ends[c - 1])) return true;
    if (c >= static_cast<int>(ends.size())) return false;
    for (int p = ends[c - 1] + 1; p <= ends[c - 1] + 3 && p < ends[c]; ++p)
        if (IsVertical(CharAt(line, p))) return true;
    return false;
}

// The last column of the cell that starts at column b: columns join while no
// divider stands between them.
int SpanEnd(const std::string& line, const std::vector<int>& ends, int b) {
    int e = b;
    while (e < static_cast<int>(ends.size()) && !DividerAfter(line, ends, e)) ++e;
    return e;
}

bool Intact(const std::string& line, const std::vector<int>& ends, int b, int e) {
    for (int c = b; c < e; ++c)
        if (DividerAfter(line, ends, c)) return false;
    return true;
}

// Texts apart by two blanks or more, each within its own column of b..e ("Дебет
// Кредит" under a merged "Обороты"): the columns' own names, even where the line
// between them is drawn only in the rule below. The rule under a merged name
// beside them parts them as blanks do. Single letters apart ("Н   А   Ч   И") are
// one name written letter-spaced, and words apart within one column ("ИЗ     НИХ")
// one name too.
bool SeparateTexts(const std::string& line, const std::vector<int>& ends, int b, int e) {
    int first = b > 1 ? ends[b - 2] + 1 : 1, last = ends[e - 1] - 1;
    int pieces = 0, column = b, pieceColumn = 0, lastText = first - 3, firstColumn = 0;
    bool letterSpaced = true, columnsApart = false;
    for (int p = first; p <= last; ++p) {
        while (column < e && p > ends[column - 1]) ++column;
        char c = CharAt(line, p);
        if (c == ' ' || IsHorizontal(c) || IsVertical(c)) continue;
        if (p - lastText > 2) {  // two blanks or more since the text before
            ++pieces;
            pieceColumn = column;
            if (firstColumn == 0) firstColumn = column;
            columnsApart = columnsApart || column != firstColumn;
        } else if (column != pieceColumn) {
            return false;  // a text across a column end
        } else {
            letterSpaced = false;
        }
        lastText = p;
    }
    return pieces > 1 && columnsApart && !letterSpaced;
}

std::string Describe(const MergeCell& m) {
    return "строка " + std::to_string(m.NStr) + ", графы " + std::to_string(m.BegCol) + "–" +
           std::to_string(m.EndCol) + ", строк " + std::to_string(m.Depth) + (m.BottomLine ? ", с линией снизу" : "");
}

}  // namespace

Merges InferMerges(const Lines& lines, const Page& first, const Frame& frame, const Columns& columns) {
    Merges merges;
    merges.finding.element = "Объединения в шапке";
    merges.finding.kind = Element::Merges;
    const std::vector<int>& ends = columns.ends;
    std::set<std::pair<int, int>> covered;  // (offset, column) inside a block found already
    int capEnd = std::min(frame.endCap, first.size());
    // The cap's lines by page offset; a cap drawn with colons reads as one drawn with
    // vertical lines.
    Lines cap(std::max(capEnd, 0));
    bool drawn = false;  // a cap without vertical lines shows nowhere where a header cell ends
    for (int o = frame.endTitle; o < capEnd; ++o) {
        cap[o] = lines[first.lines[o]];
        if (columns.colonLines) std::replace(cap[o].begin(), cap[o].end(), ':', '|');
        drawn = drawn || (!IsRule(cap[o]) && cap[o].find_first_of("|\xA6") != std::string::npos);
    }
    if (!frame.ruled || !drawn) capEnd = 0;
    for (int o = frame.endTitle; o < capEnd; ++o) {
        const std::string& line = cap[o];
        if (IsRule(line)) continue;
        for (int b = 1; b <= static_cast<int>(ends.size()); ++b) {
            int e = SpanEnd(line, ends, b);
            std::string_view text = Trim(Region(line, ends, b, e));
            if (e == b || covered.count({o, b}) || IsRuleSegment(text) || SeparateTexts(line, ends, b, e)) {
                b = e;
                continue;
            }
            MergeCell cell{static_cast<i16>(o + 1), static_cast<i16>(b), static_cast<i16>(e), 1, false};
            for (int next = o + 1; next < capEnd; ++next) {
                const std::string& below = cap[next];
                if (IsRule(below)) break;
                if (IsRuleSegment(Trim(Region(below, ends, b, e)))) {
                    ++cell.Depth;
                    cell.BottomLine = true;
                    break;
                }
                if (!Intact(below, ends, b, e) || SeparateTexts(below, ends, b, e)) break;
                ++cell.Depth;
            }
            // A block may open with an empty line; one that is empty throughout is no header cell.
            bool filled = false;
            for (int d = 0; d < cell.Depth; ++d)
                filled = filled || !Trim(Region(cap[o + d], ends, b, e)).empty();
            if (!filled || (text.empty() && cell.Depth == 1)) {
                b = e;
                continue;
            }
            for (int d = 0; d < cell.Depth; ++d) covered.insert({o + d, b});
            if (static_cast<int>(merges.cells.size()) < kMaxMerges) merges.cells.push_back(cell);
            b = e;
        }
    }
    merges.finding.text = merges.cells.empty() ? "нет" : "";
    for (const MergeCell& m : merges.cells)
        merges.finding.text += (merges.finding.text.empty() ? "" : "; ") + Describe(m);
    return merges;
}

}  // namespace tabulizer::inference
