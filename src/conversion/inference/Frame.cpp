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

// A line of the table drawn with vertical lines: a rule or a line crossed by one.
// A table drawn with rules alone (dashes under the header) has text lines in it.
bool InTable(std::string_view line, bool verticals) {
    return !IsBlankLine(line) && (IsRule(line) || !verticals || HasVertical(line));
}

// "1 | 2 | 3" or "А | 1 | 2": the numbers of the columns under their names, part
// of the cap; a column may be lettered before the numbered ones.
bool ColumnNumbers(std::string_view line) {
    std::string text(line);
    for (char& c : text)
        if (IsVertical(c)) c = ' ';
    int next = 0, numbers = 0;
    for (std::string_view word : Words(text)) {
        bool letter = word.size() == 1 && !HasDigit(word);
        if (letter && numbers == 0) continue;
        int value = 0;
        for (char c : word) value = c >= '0' && c <= '9' && value >= 0 && value < 1000 ? value * 10 + (c - '0') : -1;
        if (value <= 0 || (numbers > 0 && value != next)) return false;
        next = value + 1;
        ++numbers;
    }
    return numbers >= 2;
}

// The top line of the cap that ends with the rule at `capRule`: the rule above its
// header (past a line of column numbers), or the header's first line when no rule
// stands above it. A block of requisites framed above the table stays in the title.
int TableTop(const Lines& lines, const Page& page, int capRule, bool verticals) {
    int start = capRule;
    for (;;) {
        while (start > 0 && InTable(LineOf(lines, page, start - 1), verticals) && !IsRule(LineOf(lines, page, start - 1)))
            --start;
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
bool HeaderLine(std::string_view line, bool verticals) {
    if (IsBlankLine(line) || IsRule(line)) return false;
    if (!verticals) return true;
    std::size_t first = line.find_first_not_of(' '), last = line.find_last_not_of(' ');
    for (std::size_t i = first + 1; i < last; ++i)
        if (IsVertical(line[i])) return true;
    return false;
}

int CapRuleOfOnePage(const Lines& lines, const Page& page, const std::vector<int>& rules, bool verticals) {
    int most = 0;
    for (int r : rules) most = std::max(most, RowsBelow(lines, page, r));
    for (int r : rules) {
        if (r == 0 || !HeaderLine(LineOf(lines, page, r - 1), verticals)) continue;
        if (RowsBelow(lines, page, r) * 2 < most) continue;
        while (r + 2 < page.size() && ColumnNumbers(LineOf(lines, page, r + 1)) && IsRule(LineOf(lines, page, r + 2)))
            r += 2;
        return r;
    }
    return -1;
}

// Over several pages: the last rule that closes a header repeated on every page.
int CapRuleOfPages(const Lines& lines, const Page& page, const std::vector<int>& rules, const std::vector<bool>& same,
                   bool verticals) {
    int capRule = -1;
    for (int r : rules) {
        if (r >= static_cast<int>(same.size())) break;
        bool repeated = true, text = false;
        for (int o = TableTop(lines, page, r, verticals); o <= r; ++o) {
            repeated = repeated && same[o];
            text = text || !IsRule(LineOf(lines, page, o));
        }
        if (repeated && text) capRule = r;
    }
    return capRule;
}

Frame RuledFrame(const Lines& lines, const std::vector<Page>& pages, const std::vector<int>& rules) {
    const Page& first = pages.front();
    bool verticals = false;
    for (int o = 0; o < first.size(); ++o) verticals = verticals || HasVertical(LineOf(lines, first, o));
    int capRule = pages.size() > 1 ? CapRuleOfPages(lines, first, rules, SameOnEveryPage(lines, pages), verticals)
                                   : CapRuleOfOnePage(lines, first, rules, verticals);
    Frame frame;
    frame.ruled = true;
    if (capRule < 0) {  // one rule only: it underlines the header
        frame.endTitle = TextAbove(lines, first, rules.front());
        frame.endCap = rules.front() + 1;
        return frame;
    }
    int top = TableTop(lines, first, capRule, verticals);
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
    frame.finding.text += "заголовок — " + LineRange(1, frame.endTitle) + ", шапка — " +
                          LineRange(frame.endTitle + 1, frame.endCap) +
                          (frame.ruled ? " (от верхней линии таблицы до линии под шапкой)"
                                       : " (строки, повторяющиеся на каждой странице; линий в таблице нет)");
    if (!frame.ruled && pages.size() == 1) frame.finding.text += "; страница одна: шапка принята в одну строку";
    return frame;
}

Body FindBody(const Lines& lines, const PageLayout& layout, const Frame& frame) {
    Body body;
    for (std::size_t p = frame.firstPage; p < layout.pages.size(); ++p) {
        const Page& page = layout.pages[p];
        int lastRule = -1;
        for (int o = frame.endCap; o < page.size(); ++o)
            if (IsRule(LineOf(lines, page, o))) lastRule = o;
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
        for (int o = frame.endTitle; o < layout.pages[p].size(); ++o) {
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
