// Title and cap: the cap runs from the table's top rule through the rule under the
// header, the part of the table that every page repeats; the title precedes it.
#include <algorithm>
#include <map>

#include "common/Cp1251.h"
#include "conversion/inference/Elements.h"
#include "conversion/inference/LineShapes.h"

namespace tabulizer::inference {
namespace {

constexpr std::size_t kMaxStored = 252;

const std::string& LineOf(const Lines& lines, const Page& page, int offset) { return lines[page.lines[offset]]; }

// same[o]: every page holds the same text at offset o (always true for one page).
std::vector<bool> SameOnEveryPage(const Lines& lines, const std::vector<Page>& pages) {
    int shortest = pages.front().size();
    for (const Page& page : pages) shortest = std::min(shortest, page.size());
    std::vector<bool> same(shortest, true);
    for (int o = 0; o < shortest; ++o)
        for (const Page& page : pages) same[o] = same[o] && LineOf(lines, page, o) == LineOf(lines, pages[0], o);
    return same;
}

// The non-blank lines right above `offset`: the header text over a lone rule.
int TextAbove(const Lines& lines, const Page& page, int offset) {
    int start = offset;
    while (start > 0 && !IsBlankLine(LineOf(lines, page, start - 1)) && !IsRule(LineOf(lines, page, start - 1)))
        --start;
    return start;
}

bool HasVertical(std::string_view line) {
    for (char c : line)
        if (IsVertical(c)) return true;
    return false;
}

// How the table draws its vertical lines: with '|' and '¦', with ':' in rows that
// begin and end with one, or not at all.
enum class Verticals { none, bars, colons };

bool ColonFramed(std::string_view line) {
    std::string_view text = Trim(line);
    return text.size() > 1 && text.front() == ':' && text.back() == ':';
}

// The vertical lines of a line, at its first character and past it (`inner`).
bool HasDivider(std::string_view line, Verticals verticals, bool inner = false) {
    bool colons = verticals == Verticals::colons && ColonFramed(line);
    std::size_t first = line.find_first_not_of(' '), last = line.find_last_not_of(' ');
    if (first == std::string_view::npos) return false;
    for (std::size_t i = inner ? first + 1 : first; i < (inner ? last : last + 1); ++i)
        if (IsVertical(line[i]) || (colons && line[i] == ':')) return true;
    return false;
}

// A line of the table drawn with vertical lines: a rule or a line crossed by one.
// A table drawn with rules alone (dashes under the header) has text lines in it.
bool InTable(std::string_view line, Verticals verticals) {
    return !IsBlankLine(line) && (IsRule(line) || verticals == Verticals::none || HasDivider(line, verticals));
}

// The value of a column number: digits, perhaps with one letter after them ("3а",
// a column added beside 3), which `lettered` tells. -1 for anything else.
int ColumnNumber(std::string_view word, bool& lettered) {
    std::size_t digits = 0;
    int value = 0;
    while (digits < word.size() && IsDigit(word[digits]) && value < 1000)
        value = value * 10 + (word[digits++] - '0');
    lettered = digits > 0 && digits + 1 == word.size() && IsLetter(word.back());
    return digits > 0 && (digits == word.size() || lettered) ? value : -1;
}

// "6+12+17": a column that sums others, numbered by the columns it adds.
bool ColumnSum(std::string_view word) {
    return word.find('+') != std::string_view::npos && word.front() != '+' && word.back() != '+' &&
           word.find_first_not_of("0123456789+") == std::string_view::npos && word.find("++") == std::string_view::npos;
}

// "1 | 2 | 3" or "А | 1 | 2": the numbers of the columns under their names, part
// of the cap; a column may be lettered before the numbered ones, numbered with a
// letter ("3а" beside 3) or by the sum of the columns it adds.
bool ColumnNumbers(std::string_view line) {
    std::string text(line);
    for (char& c : text)
        if (IsVertical(c)) c = ' ';
    int next = 0, numbers = 0;
    for (std::string_view word : Words(text)) {
        bool letter = word.size() == 1 && !HasDigit(word);
        if (letter && numbers == 0) continue;
        if (numbers > 0 && ColumnSum(word)) continue;
        bool lettered = false;
        int value = ColumnNumber(word, lettered);
        if (lettered && numbers > 0 && (value == next || value + 1 == next)) continue;
        if (value <= 0 || lettered || (numbers > 0 && value != next)) return false;
        next = value + 1;
        ++numbers;
    }
    return numbers >= 2;
}

// A rule with a short label printed after it, outside the frame (the sheet number
// "╦═   1"): the table's top rule, which differs from page to page by its label.
bool LabelledRule(std::string_view line) {
    std::string_view text = Trim(line);
    std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos) return false;
    std::string_view rule = text.substr(0, blank), label = Trim(text.substr(blank));
    return IsRuleSegment(rule) && IsRule(rule) && label.size() * 8 <= rule.size();
}

// The top line of the cap that ends with the rule at `capRule`: the rule above its
// header (past a line of column numbers), or the header's first line when no rule
// stands above it. A block of requisites framed above the table stays in the title.
int TableTop(const Lines& lines, const Page& page, int capRule, Verticals verticals) {
    int start = capRule;
    for (;;) {
        while (start > 0 && InTable(LineOf(lines, page, start - 1), verticals) && !IsRule(LineOf(lines, page, start - 1)))
            --start;
        if (start > 0 && LabelledRule(LineOf(lines, page, start - 1))) return start - 1;
        if (start == 0 || !IsRule(LineOf(lines, page, start - 1))) return start;
        bool numbers = start + 1 == capRule && ColumnNumbers(LineOf(lines, page, start));
        --start;
        if (!numbers) return start;
    }
}

// The lines under the rule at `offset` up to the next blank line or the bottom of
// its box: the data rows run
// under the cap (drawn with its lines or not), while a small box in the title has
// none or few.
int RowsBelow(const Lines& lines, const Page& page, int offset) {
    int rows = 0;
    for (int o = offset + 1; o < page.size() && !IsBlankLine(LineOf(lines, page, o)); ++o) {
        std::string_view line = Trim(LineOf(lines, page, o));
        if (!IsRule(line)) ++rows;
        else if (line.front() == 'L') break;  // the bottom corner closes the box
    }
    return rows;
}

// A line of header names over the rule under the cap: crossed by a vertical line
// inside the table, not only by the frame (a framed block of requisites is not).
bool HeaderLine(std::string_view line, Verticals verticals) {
    if (IsBlankLine(line) || IsRule(line)) return false;
    return verticals == Verticals::none || HasDivider(line, verticals, true);
}

// Cut at blanks and at the dividers of a table drawn with other characters (':').
std::vector<std::string_view> Cells(std::string_view line) {
    std::vector<std::string_view> cells;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] != ' ' && line[i] != ':' && !IsVertical(line[i])) continue;
        if (i > start) cells.push_back(line.substr(start, i - start));
        start = i + 1;
    }
    return cells;
}

// The underline of a header cell merged over the columns under it: a run of at
// least five horizontals between two dividers, in a line that holds text too.
bool HoldsHeaderUnderline(std::string_view line) {
    if (IsRule(line)) return false;
    for (std::string_view cell : Cells(line))
        if (cell.size() >= 5 && IsRuleSegment(cell) && std::count_if(cell.begin(), cell.end(), IsHorizontal) >= 5)
            return true;
    return false;
}

// The rule under a further block of header names below the rule at `capRule`: a
// block of a few lines between two rules that holds the underline of a merged
// header cell and hardly a number; -1 when the rows follow.
int MoreHeader(const Lines& lines, const Page& page, int capRule) {
    constexpr int kMaxBlock = 12;
    int words = 0, numbers = 0;
    bool underline = false;
    for (int o = capRule + 1; o < page.size() && o <= capRule + kMaxBlock + 1; ++o) {
        const std::string& line = LineOf(lines, page, o);
        if (IsBlankLine(line)) return -1;
        if (IsRule(line)) return o > capRule + 1 && underline && numbers * 5 < words ? o : -1;
        underline = underline || HoldsHeaderUnderline(line);
        for (std::string_view cell : Cells(line)) {
            ++words;
            numbers += ShapeOf(cell).number ? 1 : 0;
        }
    }
    return -1;
}

// One page: the first rule under header names with the rows below it, and further
// down past column numbers and more blocks of header names. `firstRule` tells the
// first, the one whose header the table's top rule stands over.
int CapRuleOfOnePage(const Lines& lines, const Page& page, const std::vector<int>& rules, Verticals verticals,
                     int& firstRule) {
    int most = 0;
    for (int r : rules) most = std::max(most, RowsBelow(lines, page, r));
    for (int r : rules) {
        if (r == 0 || !HeaderLine(LineOf(lines, page, r - 1), verticals)) continue;
        if (RowsBelow(lines, page, r) * 2 < most) continue;
        firstRule = r;
        for (;;) {
            while (r + 2 < page.size() && ColumnNumbers(LineOf(lines, page, r + 1)) && IsRule(LineOf(lines, page, r + 2)))
                r += 2;
            int next = MoreHeader(lines, page, r);
            if (next < 0 || RowsBelow(lines, page, next) * 2 < most) return r;
            r = next;
        }
    }
    return -1;
}

// Over several pages: the last rule that closes a header repeated on every page.
int CapRuleOfPages(const Lines& lines, const Page& page, const std::vector<int>& rules, const std::vector<bool>& same,
                   Verticals verticals) {
    int capRule = -1;
    for (int r : rules) {
        if (r >= static_cast<int>(same.size())) break;
        bool repeated = true, text = false;
        for (int o = TableTop(lines, page, r, verticals); o <= r; ++o) {
            const std::string& line = LineOf(lines, page, o);
            if (LabelledRule(line)) continue;  // its label may count the pages
            repeated = repeated && same[o];
            text = text || !IsRule(line);
        }
        if (repeated && text) capRule = r;
    }
    return capRule;
}

Frame RuledFrame(const Lines& lines, const std::vector<Page>& pages, const std::vector<int>& rules) {
    const Page& first = pages.front();
    Verticals verticals = Verticals::none;
    int colonRows = 0;
    for (int o = 0; o < first.size(); ++o) {
        if (HasVertical(LineOf(lines, first, o))) verticals = Verticals::bars;
        colonRows += ColonFramed(LineOf(lines, first, o)) ? 1 : 0;
    }
    if (verticals == Verticals::none && colonRows >= 2) verticals = Verticals::colons;
    int firstRule = -1;
    int capRule = pages.size() > 1 ? CapRuleOfPages(lines, first, rules, SameOnEveryPage(lines, pages), verticals)
                                   : CapRuleOfOnePage(lines, first, rules, verticals, firstRule);
    Frame frame;
    frame.ruled = true;
    if (capRule < 0) {  // one rule only: it underlines the header
        frame.endTitle = TextAbove(lines, first, rules.front());
        frame.endCap = rules.front() + 1;
        return frame;
    }
    int top = TableTop(lines, first, firstRule >= 0 ? firstRule : capRule, verticals);
    frame.endTitle = top;
    frame.endCap = capRule + 1;
    return frame;
}

Frame UnruledFrame(const Lines& lines, const std::vector<Page>& pages) {
    const Page& first = pages.front();
    std::vector<bool> same = SameOnEveryPage(lines, pages);
    int end = -1;
    if (pages.size() > 1) {
        // The repeated top of a page; one differing line (a page number) may stand in it.
        for (int o = 0; o < static_cast<int>(same.size()); ++o) {
            if (same[o]) end = o;
            else if (o + 1 >= static_cast<int>(same.size()) || !same[o + 1]) break;
        }
    } else {
        // One page: the title is the first block of text, the cap the next line.
        int o = 0;
        while (o < first.size() && IsBlankLine(LineOf(lines, first, o))) ++o;
        while (o < first.size() && !IsBlankLine(LineOf(lines, first, o))) ++o;
        while (o < first.size() && IsBlankLine(LineOf(lines, first, o))) ++o;
        end = o < first.size() ? o : -1;
    }
    while (end >= 0 && IsBlankLine(LineOf(lines, first, end))) --end;
    Frame frame;
    if (end < 0) return frame;
    int start = end;
    while (start > 0 && !IsBlankLine(LineOf(lines, first, start - 1)) && same[start - 1]) --start;
    frame.endTitle = start;
    frame.endCap = end + 1;
    frame.finding.decided = pages.size() > 1;
    return frame;
}

std::string LineRange(int first, int last) {
    return first == last ? "строка " + std::to_string(first)
                         : "строки " + std::to_string(first) + "–" + std::to_string(last);
}

// Lines that are rules or crossed by a vertical line: how much table a page holds.
int TableLines(const Lines& lines, const Page& page) {
    int count = 0;
    for (int i : page.lines) count += IsRule(lines[i]) || HasVertical(lines[i]) ? 1 : 0;
    return count;
}

// A page printed once before the table (a title page, a block of requisites) holds
// far less table than the page after it: the table's pages start there.
int FirstTablePage(const Lines& lines, const PageLayout& layout) {
    if (layout.pages.size() < 2) return 0;
    return TableLines(lines, layout.pages[0]) * 2 < TableLines(lines, layout.pages[1]) ? 1 : 0;
}

}  // namespace

Frame InferFrame(const Lines& lines, const PageLayout& layout) {
    int firstPage = FirstTablePage(lines, layout);
    std::vector<Page> pages(layout.pages.begin() + firstPage, layout.pages.end());
    const Page& first = pages.front();
    std::vector<int> rules;
    for (int o = 0; o < first.size(); ++o)
        if (IsRule(LineOf(lines, first, o))) rules.push_back(o);
    Frame frame = rules.empty() ? UnruledFrame(lines, pages) : RuledFrame(lines, pages, rules);
    frame.firstPage = firstPage;
    frame.finding.element = "Заголовок и шапка";
    frame.finding.kind = Element::TitleAndCap;
    if (firstPage > 0) frame.finding.text = "первая страница напечатана до таблицы, шапка взята со второй; ";
    if (frame.endCap == 0) {
        frame.finding.decided = false;
        frame.finding.text = "шапка таблицы не найдена";
        return frame;
    }
    if (frame.endTitle == 0) {
        // A page's title block takes at least one line: the top line of the cap.
        frame.endTitle = 1;
        frame.finding.decided = false;
        frame.finding.text += "над таблицей нет заголовка; первой строкой заголовка стала первая строка шапки; ";
    }
    if (frame.endCap <= frame.endTitle) frame.endCap = frame.endTitle + 1;
    frame.tableTop = frame.endTitle;
    frame.finding.text += "заголовок — " + LineRange(1, frame.endTitle) + ", шапка — " +
                          LineRange(frame.endTitle + 1, frame.endCap) +
                          (frame.ruled ? " (от верхней линии таблицы до линии под шапкой)"
                                       : " (строки, повторяющиеся на каждой странице; линий в таблице нет)");
    if (!frame.ruled && pages.size() == 1) frame.finding.text += "; страница одна: шапка принята в одну строку";
    return frame;
}

namespace {

// Positions blank in nine of ten rows at least: the gaps between the fields. The
// first rows of a long report show them as well as all of them.
std::vector<bool> DataGaps(const Lines& lines, const std::vector<int>& allRows) {
    constexpr std::size_t kSampled = 5000;
    std::vector<int> rows(allRows.begin(), allRows.begin() + std::min(allRows.size(), kSampled));
    std::size_t width = 0;
    for (int i : rows) width = std::max(width, lines[i].size());
    std::vector<int> blanks(width + 2, 0);
    for (int i : rows)
        for (std::size_t p = 1; p <= width; ++p) blanks[p] += CharAt(lines[i], static_cast<int>(p)) == ' ' ? 1 : 0;
    std::vector<bool> gaps(width + 2, false);
    for (std::size_t p = 1; p <= width && rows.size() >= 3; ++p)
        gaps[p] = blanks[p] * 10 >= static_cast<int>(rows.size()) * 9;
    return gaps;
}

// Where a header word would be cut: at a column end inside it, or over a gap of
// the data rows that it bridges from one field into the next; 0 for nowhere.
int CutOfHeader(std::string_view line, const std::vector<int>& columnEnds, const std::vector<bool>& gaps) {
    auto wordChar = [](char c) { return IsLetter(c) || IsDigit(c); };
    for (int end : columnEnds)
        if (wordChar(CharAt(line, end)) && wordChar(CharAt(line, end + 1))) return end;
    auto gap = [&](int p) { return p < static_cast<int>(gaps.size()) && gaps[p]; };
    int length = static_cast<int>(line.size());
    for (int first = 1; first <= length;) {
        if (CharAt(line, first) == ' ') {
            ++first;
            continue;
        }
        int last = first;
        while (last < length && CharAt(line, last + 1) != ' ') ++last;
        for (int p = first + 1; p < last; ++p)
            if (gap(p) && !gap(first) && !gap(last)) return p;
        first = last + 1;
    }
    return 0;
}

}  // namespace

void KeepCutHeaderInTitle(const Lines& lines, const Page& sample, const std::vector<int>& columnEnds,
                          const std::vector<int>& rows, Frame& frame) {
    int capEnd = std::min(frame.endCap, sample.size());
    // Between dividers a header name may span columns, merged over them, and a
    // header underlined column by column names the columns its dashes show; a
    // header of words parted by blanks alone can be neither.
    for (int o = frame.endTitle; o < capEnd; ++o) {
        const std::string& line = LineOf(lines, sample, o);
        bool rule = IsRule(line);
        if (rule && Trim(line).find(' ') != std::string_view::npos) return;
        if (!rule && (HasVertical(line) || line.find(':') != std::string::npos)) return;
    }
    std::vector<bool> gaps = DataGaps(lines, rows);
    for (int o = frame.endTitle; o < capEnd; ++o) {
        const std::string& line = LineOf(lines, sample, o);
        if (IsRule(line)) continue;
        int cut = CutOfHeader(line, columnEnds, gaps);
        if (cut == 0) continue;
        frame.finding.text += "; слово шапки «" + Cp1251ToUtf8(Trim(Slice(line, cut - 2, cut + 3))) +
                              "» разрезала бы граница графы в позиции " + std::to_string(cut) +
                              ": шапка оставлена в заголовке, заголовок — " + LineRange(1, frame.endCap);
        frame.endTitle = frame.endCap;
        return;
    }
}

Body FindBody(const Lines& lines, const PageLayout& layout, const Frame& frame) {
    Body body;
    // The table ends at its last rule drawn half as long as the rule under the cap
    // at least, or at a shorter one that follows it with no blank line between (the
    // cells of its totals); the rules of small boxes printed apart under it (a
    // form's count boxes) belong to the postscript. Without a long rule, at its last
    // rule of any length.
    auto length = [&](const Page& page, int o) {
        const std::string& line = LineOf(lines, page, o);
        return std::count_if(line.begin(), line.end(), IsHorizontal);
    };
    const Page& sample = layout.pages[frame.firstPage];
    long capRule = 0;
    if (frame.endCap >= 1 && frame.endCap <= sample.size() && IsRule(LineOf(lines, sample, frame.endCap - 1)))
        capRule = length(sample, frame.endCap - 1);
    for (std::size_t p = frame.firstPage; p < layout.pages.size(); ++p) {
        const Page& page = layout.pages[p];
        int lastRule = -1, lastLong = -1;
        for (int o = frame.endCap; o < page.size(); ++o) {
            if (!IsRule(LineOf(lines, page, o))) continue;
            lastRule = o;
            if (length(page, o) * 2 >= capRule) lastLong = o;
        }
        if (lastLong >= 0) {
            lastRule = lastLong;
            for (int o = lastLong + 1; o < page.size() && !IsBlankLine(LineOf(lines, page, o)); ++o)
                if (IsRule(LineOf(lines, page, o))) lastRule = o;
        }
        int tableEnd = frame.ruled && lastRule >= 0 ? lastRule : page.size();
        // Totals with their sums printed under the table's last rule still belong to it.
        int rowsEnd = tableEnd;
        for (int o = tableEnd + 1; o < page.size(); ++o) {
            const std::string& text = LineOf(lines, page, o);
            if (IsBlankLine(text)) continue;
            if (!BeginsTotal(text, false) || !HasDigit(text)) break;  // a balance opens the postscript
            rowsEnd = o;
        }
        for (int o = frame.endCap; o < page.size(); ++o) {
            const std::string& text = LineOf(lines, page, o);
            body.emptyLines = body.emptyLines || text.empty();
            if (o > rowsEnd) body.afterTable.push_back(page.lines[o]);
            else if (o != tableEnd && !IsBlankLine(text) && !IsRule(text)) body.rows.push_back(page.lines[o]);
        }
    }
    return body;
}

Separators InferSeparators(const Lines& lines, const PageLayout& layout, const Frame& frame) {
    std::vector<std::string> order;
    std::map<std::string, int> count;
    int tooLong = 0;
    // The rules of the table: a box in the title stays text of the title.
    for (std::size_t p = frame.firstPage; p < layout.pages.size(); ++p)
        for (int o = frame.tableTop; o < layout.pages[p].size(); ++o) {
            int i = layout.pages[p].lines[o];
            if (!IsRule(lines[i])) continue;
            if (lines[i].size() > kMaxStored) {
                ++tooLong;
                continue;
            }
            if (count[lines[i]]++ == 0) order.push_back(lines[i]);
        }
    Separators result;
    result.finding.element = "Разделители";
    result.finding.kind = Element::Separators;
    // Fifteen fit a project: the most frequent lines are kept, in their order.
    std::vector<std::string> kept = order;
    std::stable_sort(kept.begin(), kept.end(), [&](const auto& a, const auto& b) { return count[a] > count[b]; });
    if (kept.size() > kMaxSeparators) kept.resize(kMaxSeparators);
    for (const std::string& text : order)
        if (std::find(kept.begin(), kept.end(), text) != kept.end()) result.texts.push_back(text);
    result.finding.text = "различных линий: " + std::to_string(result.texts.size());
    if (order.size() > kMaxSeparators || tooLong > 0) {
        result.finding.decided = false;
        if (order.size() > kMaxSeparators)
            result.finding.text += "; из " + std::to_string(order.size()) + " взяты 15 самых частых";
        if (tooLong > 0)
            result.finding.text += "; линий длиннее 252 символов, которые проект не вмещает: " + std::to_string(tooLong);
    }
    return result;
}

}  // namespace tabulizer::inference
