// Pages: form feeds when the report has them; otherwise the reference line, the
// first line near the top of a page whose text stands at the same place on every page.
#include <algorithm>
#include <map>

#include "common/Cp1251.h"
#include "conversion/inference/Elements.h"
#include "conversion/inference/LineShapes.h"

namespace tabulizer::inference {
namespace {

constexpr int kWindow = 20;          // the reader's look-ahead: the reference line's limit
constexpr std::size_t kMaxStored = 252;  // a project value holds 254 characters with its "#"

PageLayout SplitAtFormFeeds(const Lines& lines) {
    PageLayout layout;
    layout.formFeed = true;
    layout.pages.emplace_back();
    int lost = 0;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (lines[i].find('\f') == std::string::npos) {
            layout.pages.back().lines.push_back(i);
            continue;
        }
        if (!IsBlankLine(lines[i])) ++lost;
        if (!layout.pages.back().lines.empty()) layout.pages.emplace_back();
    }
    if (layout.pages.back().lines.empty()) layout.pages.pop_back();
    layout.finding.element = "Страницы";
    layout.finding.text = "по символу перевода страницы, страниц: " + std::to_string(layout.pages.size());
    if (lost > 0) {
        layout.finding.decided = false;
        layout.finding.text += "; строк с текстом рядом с переводом страницы: " + std::to_string(lost) +
                               " (такие строки в книгу не попадут)";
    }
    return layout;
}

// Page starts when line `k` of every page is the reference line; empty when its
// text does not fit: every copy must begin a page of more than k lines.
std::vector<int> StartsFor(const std::vector<int>& copies, int k) {
    std::vector<int> starts;
    for (int copy : copies) {
        int start = copy - k;
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

}  // namespace

PageLayout InferPages(const Lines& lines) {
    for (const std::string& line : lines)
        if (line.find('\f') != std::string::npos) return SplitAtFormFeeds(lines);

    std::map<std::string, std::vector<int>> copies;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) copies[lines[i]].push_back(i);

    PageLayout best;
    int bestScore = 1;  // the reference line alone repeats nothing else of the page
    for (int k = 0; k < std::min<int>(kWindow, lines.size()); ++k) {
        const std::vector<int>& same = copies[lines[k]];
        if (IsBlankLine(lines[k]) || lines[k].size() > kMaxStored || same.size() < 2 || same.front() != k) continue;
        std::vector<int> starts = StartsFor(same, k);
        if (starts.empty()) continue;
        std::vector<Page> pages = PagesFrom(starts, static_cast<int>(lines.size()));
        int score = RepeatedLines(lines, pages);
        if (score <= bestScore) continue;
        bestScore = score;
        best.pages = pages;
        best.etalonLine = k + 1;
        best.etalon = lines[k];
    }
    best.finding.element = "Страницы";
    if (best.etalonLine > 0) {
        best.finding.text = "по эталонной строке " + std::to_string(best.etalonLine) + " «" +
                            Cp1251ToUtf8(Trim(best.etalon)) + "», одинаковой на всех " +
                            std::to_string(best.pages.size()) + " страницах (повторяются строк: " +
                            std::to_string(bestScore) + ")";
        return best;
    }
    // No line repeats page by page: the report is taken as one page, which the
    // form-feed mode converts whole.
    best.formFeed = true;
    best.pages = PagesFrom({0}, static_cast<int>(lines.size()));
    best.finding.decided = false;
    best.finding.text = "ни перевода страницы, ни строки, повторяющейся на каждой странице: "
                        "отчёт принят за одну страницу (режим перевода страницы)";
    return best;
}

}  // namespace tabulizer::inference
