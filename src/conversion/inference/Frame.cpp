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

// The last offset of the block that repeats from `from` on.
int RepeatedThrough(const std::vector<bool>& same, int from) {
    int end = from;
    while (end + 1 < static_cast<int>(same.size()) && same[end + 1]) ++end;
    return end;
}

// The non-blank lines right above `offset`: the header text over a lone rule.
int TextAbove(const Lines& lines, const Page& page, int offset) {
    int start = offset;
    while (start > 0 && !IsBlankLine(LineOf(lines, page, start - 1)) && !IsRule(LineOf(lines, page, start - 1)))
        --start;
    return start;
}

Frame RuledFrame(const Lines& lines, const PageLayout& layout, const std::vector<int>& rules) {
    const Page& first = layout.pages.front();
    const int top = rules.front();
    int capRule = -1;
    if (layout.pages.size() > 1) {
        int end = RepeatedThrough(SameOnEveryPage(lines, layout.pages), top);
        for (int r : rules)
            if (r > top && r <= end) capRule = r;
    } else {
        for (int r : rules)
            if (r > top + 1 && capRule < 0) {
                bool text = false;
                for (int o = top + 1; o < r; ++o) text = text || !IsRule(LineOf(lines, first, o));
                if (text) capRule = r;
            }
    }
    Frame frame;
    frame.ruled = true;
    if (capRule >= 0) {
        frame.endTitle = top;
        frame.endCap = capRule + 1;
    } else {  // one rule only: it underlines the header
        frame.endTitle = TextAbove(lines, first, top);
        frame.endCap = top + 1;
    }
    return frame;
}

Frame UnruledFrame(const Lines& lines, const PageLayout& layout) {
    const Page& first = layout.pages.front();
    std::vector<bool> same = SameOnEveryPage(lines, layout.pages);
    int end = -1;
    if (layout.pages.size() > 1) {
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
    frame.finding.decided = layout.pages.size() > 1;
    return frame;
}

std::string LineRange(int first, int last) {
    return first == last ? "строка " + std::to_string(first)
                         : "строки " + std::to_string(first) + "–" + std::to_string(last);
}

}  // namespace

Frame InferFrame(const Lines& lines, const PageLayout& layout) {
    const Page& first = layout.pages.front();
    std::vector<int> rules;
    for (int o = 0; o < first.size(); ++o)
        if (IsRule(LineOf(lines, first, o))) rules.push_back(o);
    Frame frame = rules.empty() ? UnruledFrame(lines, layout) : RuledFrame(lines, layout, rules);
    frame.finding.element = "Заголовок и шапка";
    if (frame.endCap == 0) {
        frame.finding.decided = false;
        frame.finding.text = "шапка таблицы не найдена";
        return frame;
    }
    if (frame.endTitle == 0) {
        // A page's title block takes at least one line: the top line of the cap.
        frame.endTitle = 1;
        frame.finding.decided = false;
        frame.finding.text = "над таблицей нет заголовка; первой строкой заголовка стала первая строка шапки; ";
    }
    if (frame.endCap <= frame.endTitle) frame.endCap = frame.endTitle + 1;
    frame.finding.text += "заголовок — " + LineRange(1, frame.endTitle) + ", шапка — " +
                          LineRange(frame.endTitle + 1, frame.endCap) +
                          (frame.ruled ? " (от верхней линии таблицы до линии под шапкой)"
                                       : " (строки, повторяющиеся на каждой странице; линий в таблице нет)");
    if (!frame.ruled && layout.pages.size() == 1) frame.finding.text += "; страница одна: шапка принята в одну строку";
    return frame;
}

Body FindBody(const Lines& lines, const PageLayout& layout, const Frame& frame) {
    Body body;
    for (const Page& page : layout.pages) {
        int lastRule = -1;
        for (int o = frame.endCap; o < page.size(); ++o)
            if (IsRule(LineOf(lines, page, o))) lastRule = o;
        int tableEnd = frame.ruled && lastRule >= 0 ? lastRule : page.size();
        for (int o = frame.endCap; o < page.size(); ++o) {
            const std::string& text = LineOf(lines, page, o);
            body.emptyLines = body.emptyLines || text.empty();
            if (o > tableEnd) body.afterTable.push_back(page.lines[o]);
            else if (o < tableEnd && !IsBlankLine(text) && !IsRule(text)) body.rows.push_back(page.lines[o]);
        }
    }
    return body;
}

Separators InferSeparators(const Lines& lines, const PageLayout& layout) {
    std::vector<std::string> order;
    std::map<std::string, int> count;
    int tooLong = 0;
    for (const Page& page : layout.pages)
        for (int i : page.lines) {
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
