// Reading a report for its description in bounded memory. The elements are inferred
// from the report's leading lines, cut at a page's start, and its last page; what
// must hold for the whole report (its widest line, its pages, the reference line
// going on page after page) is gathered in one pass that holds one line at a time.
// A report that fits the sample is described from all its lines, as before.
#include <algorithm>
#include <deque>
#include <iterator>

#include "conversion/ConvStr.h"
#include "conversion/InputFile.h"
#include "conversion/inference/Elements.h"

namespace tabulizer::inference {
namespace {

constexpr std::size_t kSampleLines = 30000;
constexpr std::size_t kSampleBytes = 4u << 20;
constexpr long long kMaxLine = 32767;  // the longest line a description can use
// One byte more than a description uses tells a line too long; the rest of it is
// never held.
constexpr std::size_t kKeptBytes = kMaxLine + 1;
constexpr int kLeastPagesToCut = 3;  // the sample keeps two whole pages at least

Lines ReadSample(InputFile& input) {
    Lines lines;
    std::size_t bytes = 0;
    while (lines.size() < kSampleLines && bytes < kSampleBytes && !input.AtEnd()) {
        lines.emplace_back();
        input.ReadLine(lines.back(), kKeptBytes);
        bytes += lines.back().size();
    }
    return lines;
}

// Pages as a description cuts the report, counted from its converted lines in order:
// at form feeds, or where the reference line stands at its place on a page.
class PageCount {
public:
    explicit PageCount(const DocumentDescription& d) : d_(d), offset_(d.EtalStrN > 0 ? d.EtalStrN - 1 : 0) {}

    void Add(const std::string& line) {
        if (d_.FormFeed) AddAtFormFeeds(line);
        else if (line == d_.EtalStr) AddReference();
        ++lines_;
    }
    void Finish() {
        if (d_.FormFeed && open_) ++pages_;
        open_ = false;
    }

    long long lines() const { return lines_; }
    long long pages() const { return pages_; }
    long long lastStart() const { return lastStart_; }    // 0-based line
    long long longestPage() const { return longest_; }    // lines, the last page aside
    // 1-based line of the first reference line that cannot begin a page; 0 = none.
    long long misplaced() const { return misplaced_; }

private:
    void AddAtFormFeeds(const std::string& line) {
        if (line.find('\f') != std::string::npos) {
            if (open_) ++pages_;
            open_ = false;
        } else if (!open_) {
            open_ = true;
            lastStart_ = lines_;
        }
    }
    // Every copy must begin a page longer than the reference line's offset, as the
    // inference demands of the copies it picks the line by.
    void AddReference() {
        long long start = lines_ - offset_;
        bool fits = pages_ == 0 ? start == 0 : start - lastStart_ > offset_;
        if (!fits) {
            if (misplaced_ == 0) misplaced_ = lines_ + 1;
            return;
        }
        if (pages_ > 0) longest_ = std::max(longest_, start - lastStart_);
        ++pages_;
        lastStart_ = start;
    }

    const DocumentDescription& d_;
    long long offset_;
    long long lines_ = 0;
    long long pages_ = 0;
    long long lastStart_ = 0;
    long long longest_ = 0;
    long long misplaced_ = 0;
    bool open_ = false;
};

// The first line of the sample's last page, which may be cut short; 0 to keep the
// sample whole.
std::size_t LastPageStart(const Lines& sample, const DocumentDescription& d) {
    PageCount count(d);
    std::string line;
    for (const std::string& raw : sample) {
        line = raw;
        ConvStr(line, d.Code);
        count.Add(line);
    }
    return count.pages() >= kLeastPagesToCut ? static_cast<std::size_t>(count.lastStart()) : 0;
}

// What holds over the whole report, gathered one line at a time, and its last page
// (raw lines, as long as it stays within the sample's bounds): the end of a report,
// its postscript, is seen nowhere else.
class WholeReport {
public:
    WholeReport(const DocumentDescription& d, std::size_t inferredLines)
        : d_(d), pages_(d), inferredLines_(static_cast<long long>(inferredLines)) {}

    void Add(std::string&& raw) {
        line_ = raw;
        ConvStr(line_, d_.Code);
        widest_ = std::max(widest_, static_cast<long long>(line_.size()));
        // Lines the inference saw held no form feed, or it would have paged by them.
        if (!d_.FormFeed && formFeed_ == 0 && pages_.lines() >= inferredLines_ && line_.find('\f') != std::string::npos)
            formFeed_ = pages_.lines() + 1;
        pages_.Add(line_);
        Keep(std::move(raw));
    }

    long long widest() const { return widest_; }
    // The last page, when it follows the lines the inference saw and was kept whole.
    Lines TakeLastPage() {
        bool whole = lastFirst_ == pages_.lastStart() && lastFirst_ >= inferredLines_;
        return whole ? Lines(std::make_move_iterator(last_.begin()), std::make_move_iterator(last_.end())) : Lines();
    }

    // What the user reads about the whole report, and what in it does not fit the
    // description inferred from its beginning.
    Finding Finish(bool lastPageSeen) {
        pages_.Finish();
        Finding f{"Объём отчёта",
                  "строк: " + std::to_string(pages_.lines()) + ", страниц: " + std::to_string(pages_.pages()) +
                      ", самая длинная строка " + std::to_string(widest_) + " символов; остальное выведено по первым " +
                      std::to_string(inferredLines_) + " строкам" + (lastPageSeen ? " и последней странице" : ""),
                  true, Element::Pages};
        auto doubt = [&f](const std::string& text) {
            f.decided = false;
            f.text += "; " + text;
        };
        long long lastPage = pages_.lines() - pages_.lastStart();
        if (pages_.misplaced() > 0)
            doubt("в строке " + std::to_string(pages_.misplaced()) + " эталонная строка стоит не на своём месте страницы");
        else if (!d_.FormFeed && lastPage > 2 * pages_.longestPage())
            doubt("со строки " + std::to_string(pages_.lastStart() + 1) + " до конца отчёта (" +
                  std::to_string(lastPage) + " строк) эталонная строка не встречается: всё это станет одной страницей");
        if (formFeed_ > 0)
            doubt("перевод страницы впервые встречается в строке " + std::to_string(formFeed_) +
                  ", дальше прочитанных строк: проверьте деление на страницы");
        return f;
    }

private:
    // Lines before the latest page start go; a page longer than the sample is let go
    // from its front and no longer counts as whole.
    void Keep(std::string&& raw) {
        lastBytes_ += raw.size();
        last_.push_back(std::move(raw));
        auto drop = [this] {
            lastBytes_ -= last_.front().size();
            last_.pop_front();
            ++lastFirst_;
        };
        while (!last_.empty() && lastFirst_ < pages_.lastStart()) drop();
        while (last_.size() > kSampleLines || lastBytes_ > kSampleBytes) drop();
    }

    const DocumentDescription& d_;
    PageCount pages_;
    long long inferredLines_;
    long long widest_ = 0;
    long long formFeed_ = 0;
    std::string line_;
    std::deque<std::string> last_;
    long long lastFirst_ = 0;  // the line number of last_.front()
    std::size_t lastBytes_ = 0;
};

// The sample cut at its last page's start (which may be cut short) and the
// inference of its whole pages; the sample stays whole when it holds too few pages.
ReportInference InferWholePages(Lines& sample) {
    ReportInference result = InferLines(sample);
    if (!result.described) return result;
    std::size_t cut = LastPageStart(sample, result.description);
    if (cut == 0) return result;
    ReportInference wholePages = InferLines(Lines(sample.begin(), sample.begin() + static_cast<std::ptrdiff_t>(cut)));
    if (!wholePages.described) return result;
    sample.resize(cut);
    return wholePages;
}

bool SamePaging(const DocumentDescription& a, const DocumentDescription& b) {
    return a.FormFeed == b.FormFeed && a.EtalStrN == b.EtalStrN && a.EtalStr == b.EtalStr;
}

// The inference of a report longer than its sample: from the sample's whole pages
// and the report's last page, checked against the rest, which is read one line at
// a time.
ReportInference InferLongReport(InputFile& input, Lines& sample) {
    Lines head(sample.begin(), sample.end());
    ReportInference result = InferWholePages(head);
    if (!result.described) return result;
    WholeReport whole(result.description, head.size());
    for (std::string& line : sample) whole.Add(std::move(line));
    Lines().swap(sample);
    std::string line;
    while (!input.AtEnd()) {
        input.ReadLine(line, kKeptBytes);
        whole.Add(std::move(line));
    }
    Lines last = whole.TakeLastPage();
    if (!last.empty()) {
        std::size_t inferred = head.size();
        head.insert(head.end(), std::make_move_iterator(last.begin()), std::make_move_iterator(last.end()));
        ReportInference withEnd = InferLines(head);
        // Pages were counted as the beginning cuts them; an end that pages otherwise is left out.
        if (withEnd.described && SamePaging(withEnd.description, result.description)) {
            result = std::move(withEnd);
        } else {
            head.resize(inferred);
            last.clear();
        }
    }
    Finding size = whole.Finish(!last.empty());
    if (whole.widest() > kMaxLine) {
        result.described = false;
        result.reason = "строки длиннее 32767 символов";
        return result;
    }
    DocumentDescription& d = result.description;
    d.MaxLStr = static_cast<i16>(std::max<long long>(d.MaxLStr, whole.widest()));
    result.findings.push_back(size);
    return result;
}

}  // namespace

ReportInference InferReport(const std::string& utf8Path) {
    InputFile input(utf8Path);
    Lines sample = ReadSample(input);
    ReportInference result = input.AtEnd() ? InferLines(sample) : InferLongReport(input, sample);
    result.description.NameIn = utf8Path;
    return result;
}

}  // namespace tabulizer::inference
