// The vertical lines the run blanks (PozDiv), checked against the lines it blanks
// them in: the cap's lines and the information lines. Besides the lines of each
// column, the run blanks, after a merged cap cell or a fixed line that ends at
// column c, the position PozDiv holds for column c + 1, counting one entry a column
// from the table's left line.
#include <algorithm>
#include <map>

#include "conversion/inference/Elements.h"
#include "conversion/inference/LineShapes.h"

namespace tabulizer::inference {
namespace {

// A fixed line merged from the first column over more: the run blanks no line of
// its first column.
bool MergedFromFirstColumn(const std::string& line, const FixedLines& fixed, int columnCount) {
    const FixLine* f = fixed.Of(line);
    if (f == nullptr) return false;
    const ColumnSpan span = MergedColumns(*f, columnCount);
    return span.first == 1 && span.last > 1;
}

// How the run meets one line: as a line of the cap (its page line, for the merged
// cells) or as an information line (the fixed line it is, if any).
struct LineRole {
    int pageLine = 0;  // 0: an information line
    const FixLine* fixed = nullptr;
};

// The positions whose letter or digit the run blanks out of `line`. A merged cell's
// last line blanked under its rule loses nothing: that is the rule.
std::vector<int> ErasedText(std::string line, const Columns& columns, const Merges& merges, LineRole role) {
    const std::vector<int>& ends = columns.ends;
    const std::vector<int>& dividers = columns.dividers;
    const int n = static_cast<int>(ends.size());
    std::vector<int> erased;
    auto blank = [&](int p) {
        char c = CharAt(line, p);
        if ((IsLetter(c) || IsDigit(c)) && !JunctionAt(line, p)) erased.push_back(p);
        if (p >= 1 && p <= static_cast<int>(line.size())) line[p - 1] = ' ';
    };
    auto blankAfter = [&](int c) {
        if (static_cast<int>(dividers.size()) > c) blank(dividers[c]);
    };
    std::size_t next = 0;  // the next divider to blank
    int previousEnd = 0, output = 1;
    for (int c = 1; c <= n; ++c) {
        int extra = 0;
        if (role.pageLine > 0) {
            for (const MergeCell& m : merges.cells) {
                if (m.NStr > role.pageLine || role.pageLine > m.NStr + m.Depth - 1 || m.BegCol != output) continue;
                c = std::min<int>(m.EndCol, n);
                if (role.pageLine == m.NStr + m.Depth - 1 && m.BottomLine)
                    for (int p = previousEnd + 1; p <= ends[c - 1] && p <= static_cast<int>(line.size()); ++p)
                        line[p - 1] = ' ';
                extra = c - m.BegCol;
                blankAfter(c);
                break;
            }
        } else if (role.fixed != nullptr) {
            const ColumnSpan span = MergedColumns(*role.fixed, n);
            if (span.first == c) {
                extra = span.last - span.first;
                c = std::min(c + extra, n);
                blankAfter(c);
            }
        }
        if (extra == 0)
            for (; next < dividers.size() && dividers[next] <= ends[c - 1]; ++next)
                if (dividers[next] > previousEnd) blank(dividers[next]);
        previousEnd = ends[c - 1];
        output += 1 + extra;
    }
    return erased;
}

// A line the information rows draw in most of them.
bool DrawnInMostRows(const Lines& lines, const std::vector<int>& rows, int p) {
    std::size_t drawn = 0;
    for (int row : rows) drawn += IsVertical(CharAt(lines[row], p)) || CharAt(lines[row], p) == ':' ? 1 : 0;
    return drawn * 5 >= rows.size() * 3;
}

}  // namespace

std::string AlignDividersWithMerges(const Lines& lines, const Body& information, const FixedLines& fixed,
                                    const std::vector<int>& capRows, const Merges& merges, Columns& columns) {
    std::vector<int>& dividers = columns.dividers;
    const int columnCount = static_cast<int>(columns.ends.size());
    if (merges.cells.empty() || dividers.empty() || dividers.size() >= kMaxColumns ||
        dividers.front() != columns.ends.front() || dividers.front() == 1)
        return "";
    for (int row : information.rows)
        if (CharAt(lines[row], 1) != ' ' && !IsRule(lines[row]) && !MergedFromFirstColumn(lines[row], fixed, columnCount))
            return "";
    for (int row : capRows)
        if (CharAt(lines[row], 1) != ' ' && !IsRule(lines[row])) return "";
    dividers.insert(dividers.begin(), 1);
    return "; позиция 1, пустая во всех строках таблицы, взята за её левую линию";
}

std::string KeepTextUnblanked(const Lines& lines, const Page& sample, const Frame& frame, const Body& information,
                              const FixedLines& fixed, const Merges& merges, Columns& columns) {
    std::vector<int> capRows, rows;
    for (int o = frame.endTitle; o < std::min(frame.endCap, sample.size()); ++o)
        if (!IsRule(lines[sample.lines[o]])) capRows.push_back(o);
    for (int row : information.rows)
        if (!IsRule(lines[row])) rows.push_back(row);
    // The first position whose blanking in a line erases text that is not the line's
    // own: one the rows draw in most of them is theirs, and blanking it keeps their
    // values whole.
    std::map<int, bool> drawn;  // by position, counted once
    auto firstLost = [&](const std::string& line, LineRole role) {
        for (int p : ErasedText(line, columns, merges, role)) {
            auto at = drawn.find(p);
            if (at == drawn.end()) at = drawn.emplace(p, DrawnInMostRows(lines, rows, p)).first;
            if (!at->second) return p;
        }
        return 0;
    };
    std::vector<int> kept;
    // Each line dropped moves the entries after it: look again until nothing is lost.
    for (std::size_t round = 0; round <= kMaxColumns && !columns.dividers.empty(); ++round) {
        int lost = 0;
        for (std::size_t i = 0; i < capRows.size() && lost == 0; ++i)
            lost = firstLost(lines[sample.lines[capRows[i]]], {capRows[i] + 1, nullptr});
        for (std::size_t i = 0; i < rows.size() && lost == 0; ++i)
            lost = firstLost(lines[rows[i]], {0, fixed.Of(lines[rows[i]])});
        if (lost == 0) break;
        std::erase(columns.dividers, lost);
        kept.push_back(lost);
    }
    std::sort(kept.begin(), kept.end());
    return kept.empty() ? "" : "; не вычищаются линии в позициях " + JoinPositions(kept) +
                                   ": там стоят буквы или цифры текста";
}

}  // namespace tabulizer::inference
