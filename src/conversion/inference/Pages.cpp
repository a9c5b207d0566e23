// Pages: form feeds when the report has them; otherwise the reference line, the
// first line near the top of a page whose text stands at the same place on every page.
#include <algorithm>
#include <deque>
#include <map>
#include <set>

#include "common/Cp1251.h"
#include "conversion/ConvStr.h"
#include "conversion/FormFeedSplit.h"
#include "conversion/inference/Elements.h"
#include "conversion/inference/LineShapes.h"

namespace tabulizer::inference {
namespace {

constexpr int kWindow = 20;          // the reader's look-ahead: the reference line's limit
constexpr int kPrintedPageLines = 72;  // 12 inches at 6 lines an inch, the longest common form
constexpr std::size_t kMaxStored = 252;  // a project value holds 254 characters with its "#"
// Lines a report may print once above its first page: an empty line, a block
// of requisites.
constexpr int kMaxLead = 60;
constexpr std::size_t kSampledPages = 50;  // pages on which a reference line is weighed

std::string LeadNote(int lead) {
    return lead == 0 ? "" : "; над первой страницей напечатано строк сверх остальных: " + std::to_string(lead);
}

PageLayout PagesAtFormFeeds(const Lines& lines) {
    PageLayout layout;
    layout.formFeed = true;
    layout.pages.emplace_back();
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (lines[i].find('\f') == std::string::npos) {
            layout.pages.back().lines.push_back(i);
            continue;
        }
        if (!layout.pages.back().lines.empty()) layout.pages.emplace_back();
    }
    if (layout.pages.back().lines.empty()) layout.pages.pop_back();
    if (layout.pages.empty()) layout.pages.emplace_back();
    layout.finding.element = "Страницы";
    layout.finding.kind = Element::Pages;
    layout.finding.text = "по символу перевода страницы, страниц: " + std::to_string(layout.pages.size());
    return layout;
}

// Page starts when line `k` of every page is the reference line; empty when its
// text does not fit: every copy must begin a page of more than k lines.
// The first page may hold more lines above its reference line than the others
// (a report often prints an empty line first): it starts at the report's top.
std::vector<int> StartsFor(const std::vector<int>& copies, int k) {
    std::vector<int> starts;
    for (int copy : copies) {
        int start = starts.empty() ? 0 : copy - k;
        if (!starts.empty() && start - starts.back() <= k) return {};
        starts.push_back(start);
    }
    return starts;
}

std::vector<Page> PagesFrom(const std::vector<int>& starts, int lineCount) {
    std::vector<Page> pages;
    for (std::size_t p = 0; p < starts.size(); ++p) {
        int end = p + 1 < starts.size() ? starts[p + 1] : lineCount;
        Page page;
        for (int i = starts[p]; i < end; ++i) page.lines.push_back(i);
        pages.push_back(page);
    }
    return pages;
}

std::string WithoutDigits(std::string_view line) {
    std::string text(line);
    for (char& c : text)
        if (IsDigit(c)) c = '0';
    return text;
}

// Offsets at which every page holds the same non-blank text.
int RepeatedLines(const Lines& lines, const std::vector<Page>& pages) {
    int shortest = pages.front().size();
    for (const Page& page : pages) shortest = std::min(shortest, page.size());
    int repeated = 0;
    for (int o = 0; o < shortest; ++o) {
        const std::string& text = lines[pages.front().lines[o]];
        bool same = !IsBlankLine(text);
        for (const Page& page : pages) same = same && lines[page.lines[o]] == text;
        repeated += same ? 1 : 0;
    }
    return repeated;
}

// A page's top repeats: at least half of its non-blank lines down to the
// reference line stand on every page (a date or page number may differ), so that
// a line of the data that happens to recur does not cut pages. A line that is the
// same on every page but the first is the end of the page before (a signature
// under each page): the page starts below it. Tables printed one after another,
// each under a heading of its own, repeat their caps but no words above them: a
// page repeats the report's title, or at least its words (the digits of a date or a
// page number may change).
bool TopRepeats(const Lines& lines, const std::vector<Page>& pages, int k) {
    int text = 0, repeated = 0, words = 0, headings = 0;
    for (int o = 0; o < k; ++o) {
        const std::string& line = lines[pages[1].lines[o]];
        if (IsBlankLine(line)) continue;
        ++text;
        bool later = true, sameWords = true;
        for (std::size_t p = 1; p < pages.size(); ++p) later = later && lines[pages[p].lines[o]] == line;
        for (const Page& page : pages) sameWords = sameWords && WithoutDigits(lines[page.lines[o]]) == WithoutDigits(line);
        bool first = lines[pages[0].lines[o]] == line;
        if (later && !first && pages.size() > 2) return false;
        repeated += later && first ? 1 : 0;
        if (!HasLetter(line)) continue;
        words += sameWords ? 1 : 0;
        headings += sameWords ? 0 : 1;
    }
    if (headings > 0 && words == 0) return false;
    return (repeated + 1) * 2 >= text + 1;  // the reference line itself counts
}

// The last word-bearing line of the block printed once above page 1 has a kin
// (the same first word) right above every later page: the tables follow one another
// each under its own heading, and the block is the first table's heading.
bool HeadedTables(const Lines& lines, const std::vector<int>& starts, int lead) {
    auto lastText = [&](int from, int floor) {
        while (from > floor && IsBlankLine(lines[from])) --from;
        return from;
    };
    int heading = lastText(lead - 1, 0);
    std::vector<std::string_view> words = Words(lines[heading]);
    if (words.empty() || !HasLetter(words.front()) || starts.size() < 2) return false;
    for (std::size_t p = 1; p < starts.size(); ++p) {
        std::vector<std::string_view> above = Words(lines[lastText(starts[p] - 1, starts[p - 1])]);
        if (above.empty() || above.front() != words.front()) return false;
    }
    return true;
}

bool OnceOnly(const Lines& lines, std::map<std::string, std::vector<int>>& copies, int i) {
    return IsBlankLine(lines[i]) || copies[lines[i]].size() == 1;
}

// Lines at the top of the first page that the second page does not have: the
// first page is read as the others when they are left out.
PageLayout WithLead(const Lines& lines, PageLayout layout) {
    if (layout.pages.size() < 2) return layout;
    const Page& first = layout.pages[0];
    std::vector<Page> pair = {first, layout.pages[1]};
    int bestScore = RepeatedLines(lines, pair);
    std::set<std::string> second;
    for (int i : layout.pages[1].lines) second.insert(lines[i]);
    for (int lead = 1; lead <= kMaxLead && lead < first.size(); ++lead) {
        const std::string& line = lines[first.lines[lead - 1]];
        if (!IsBlankLine(line) && second.count(line)) break;  // not printed once
        pair[0].lines.assign(first.lines.begin() + lead, first.lines.end());
        int score = RepeatedLines(lines, pair);
        if (score > bestScore) bestScore = score, layout.lead = lead;
    }
    layout.pages[0].lines.erase(layout.pages[0].lines.begin(), layout.pages[0].lines.begin() + layout.lead);
    layout.finding.text += LeadNote(layout.lead);
    return layout;
}

}  // namespace

Lines SplitFormFeedLines(const Lines& rawLines) {
    Lines lines;
    std::deque<std::string> rest;
    for (std::string line : rawLines) {
        tabulizer::SplitAtFormFeeds(line, rest);
        lines.push_back(std::move(line));
        for (std::string& part : rest) lines.push_back(std::move(part));
        rest.clear();
    }
    return lines;
}

namespace {

bool HasFormFeed(const Lines& lines) {
    for (const std::string& line : lines)
        if (line.find('\f') != std::string::npos) return true;
    return false;
}

PageLayout ReferencePages(const Lines& lines) {
    std::map<std::string, std::vector<int>> copies;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) copies[lines[i]].push_back(i);

    PageLayout best;
    int bestScore = 1;  // the reference line alone repeats nothing else of the page
    const std::vector<int>* bestCopies = nullptr;
    // Candidate i of the first page stands at k = i - lead on the others. Candidates
    // are weighed on the first pages only, so that a long report costs no more.
    for (int i = 0; i < std::min<int>(kWindow + kMaxLead, lines.size()); ++i) {
        const std::vector<int>& same = copies[lines[i]];
        if (IsBlankLine(lines[i]) || lines[i].size() > kMaxStored || same.size() < 2 || same.front() != i) continue;
        std::vector<int> sampled(same.begin(), same.begin() + std::min(same.size(), kSampledPages));
        // Below a block printed once, a recurring row of the table (a wrapped cell's
        // empty columns) could pass for a page's top: only a title line or a rule may.
        bool tableRow = !IsRule(lines[i]) && std::count_if(lines[i].begin(), lines[i].end(), IsVertical) >= 2;
        // Lines printed once: none of them recurs in the report.
        for (int lead = 0; lead <= std::min(i, kMaxLead) && (lead == 0 || OnceOnly(lines, copies, lead - 1)); ++lead) {
            int k = i - lead;
            if (k >= kWindow || same[1] - k <= i || (lead > 0 && tableRow)) continue;
            std::vector<int> starts = StartsFor(sampled, k);
            if (starts.empty() || (lead > 0 && HeadedTables(lines, starts, lead))) continue;
            int end = sampled.size() < same.size() ? same[sampled.size()] - k : static_cast<int>(lines.size());
            std::vector<Page> pages = PagesFrom(starts, end);
            pages.front().lines.erase(pages.front().lines.begin(), pages.front().lines.begin() + lead);
            int score = RepeatedLines(lines, pages);
            if (score <= bestScore || !TopRepeats(lines, pages, k)) continue;
            bestScore = score;
            bestCopies = &same;
            best.lead = lead;
            best.etalonLine = k + 1;
            best.etalon = lines[i];
        }
    }
    if (bestCopies) {
        std::vector<int> starts = StartsFor(*bestCopies, best.etalonLine - 1);
        if (starts.empty()) {
            best.etalonLine = 0;  // a copy further on stands too close to the one before
        } else {
            best.pages = PagesFrom(starts, static_cast<int>(lines.size()));
            best.pages.front().lines.erase(best.pages.front().lines.begin(),
                                           best.pages.front().lines.begin() + best.lead);
        }
    }
    best.finding.element = "Страницы";
    best.finding.kind = Element::Pages;
    if (best.etalonLine > 0) {
        best.finding.text = "по эталонной строке " + std::to_string(best.etalonLine) + " «" +
                            Cp1251ToUtf8(Trim(best.etalon)) + "», одинаковой на всех " +
                            std::to_string(best.pages.size()) + " страницах (повторяются строк: " +
                            std::to_string(bestScore) + ")" + LeadNote(best.lead);
        return best;
    }
    // No line repeats page by page: the report is taken as one page, which the
    // form-feed mode converts whole. A report no longer than a printed page is one
    // for certain; a longer one may be pages whose top changes.
    best.formFeed = true;
    best.pages = PagesFrom({0}, static_cast<int>(lines.size()));
    if (static_cast<int>(lines.size()) <= kPrintedPageLines) {
        best.finding.text = "отчёт не длиннее печатной страницы (" + std::to_string(lines.size()) +
                            " строк) и без перевода страницы: одна страница (режим перевода страницы)";
        return best;
    }
    best.finding.decided = false;
    best.finding.text = "ни перевода страницы, ни строки, повторяющейся на каждой странице: "
                        "отчёт принят за одну страницу (режим перевода страницы)";
    return best;
}

}  // namespace

PageLayout InferPages(const Lines& lines) {
    return HasFormFeed(lines) ? WithLead(lines, PagesAtFormFeeds(lines)) : ReferencePages(lines);
}

PagedLines InferPagedLines(const Lines& rawLines, bool windows) {
    Lines whole = rawLines;
    for (std::string& line : whole) ConvStr(line, windows);
    const int longest = LongestLine(whole);
    if (!HasFormFeed(whole)) {
        PageLayout layout = ReferencePages(whole);
        return {std::move(whole), std::move(layout), longest};
    }
    Lines split = SplitFormFeedLines(rawLines);
    for (std::string& line : split) ConvStr(line, windows);
    PageLayout byFeeds = InferPages(split);
    bool blankLead = byFeeds.lead > 0;
    for (int i = 0; i < byFeeds.lead; ++i) blankLead = blankLead && IsBlankLine(split[i]);
    if (blankLead) {
        // The first page starts with more empty lines than the pages after a form
        // feed, while a reference line may cut pages that all start alike.
        PageLayout byReference = ReferencePages(whole);
        if (byReference.etalonLine > 0 && byReference.lead == 0) {
            byReference.finding.text += "; переводы страницы есть, но первая страница начинается иначе, чем "
                                        "следующие за ними";
            return {std::move(whole), std::move(byReference), longest};
        }
    }
    return {std::move(split), std::move(byFeeds), longest};
}

}  // namespace tabulizer::inference
