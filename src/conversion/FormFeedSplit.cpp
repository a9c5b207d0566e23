#include "conversion/FormFeedSplit.h"

#include <iterator>
#include <string_view>
#include <vector>

#include "common/Blanks.h"

namespace tabulizer {
namespace {

bool HasText(const std::string& part, const InputFile::PartEnd& ended) {
    return ended.textDropped || !TrimBlanks(part).empty();
}

}  // namespace

void FormFeedParts::Next(InputFile& input, std::string& part) {
    if (!NextOfLine(input, part)) ReadLine(input, part);
}

// Form feeds come before the text read after them; the text after the last one
// handed out is read only when they are gone.
bool FormFeedParts::NextOfLine(InputFile& input, std::string& part) {
    for (;;) {
        if (formFeedsDue_ > 0) {
            --formFeedsDue_;
            part.assign(1, '\f');
            return true;
        }
        if (textDue_) {
            textDue_ = false;
            part.swap(text_);
            return true;
        }
        if (!open_) return false;
        const InputFile::PartEnd ended = input.ReadPart(text_, limit_, true);
        ++formFeedsDue_;
        textDue_ = HasText(text_, ended);
        open_ = ended.formFeed;
    }
}

void FormFeedParts::ReadLine(InputFile& input, std::string& part) {
    InputFile::PartEnd ended = input.ReadPart(part, limit_, true);
    if (!ended.formFeed) return;  // no form feed: the line as it is
    if (HasText(part, ended)) {
        open_ = true;
        return;
    }
    // Blanks before the first form feed: the line stays whole unless text follows.
    std::string whole = part + '\f';
    std::uint64_t formFeeds = 1;
    while (ended.formFeed) {
        ended = input.ReadPart(text_, limit_, true);
        if (HasText(text_, ended)) {
            formFeedsDue_ = formFeeds - 1;
            textDue_ = true;
            open_ = ended.formFeed;
            part.assign(1, '\f');
            return;
        }
        // Kept only to the limit; the form feed it holds is what counts.
        if (whole.size() < limit_) whole.append(text_, 0, limit_ - whole.size());
        if (ended.formFeed && whole.size() < limit_) whole += '\f';
        ++formFeeds;
    }
    part.swap(whole);
}

void SplitAtFormFeeds(std::string& line, std::deque<std::string>& rest) {
    if (line.find_first_not_of(" \t\f") == std::string::npos) return;
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t formFeed = line.find('\f', start);
        const std::string_view text =
            std::string_view(line).substr(start, formFeed == std::string::npos ? std::string::npos : formFeed - start);
        if (!TrimBlanks(text).empty()) parts.emplace_back(text);
        if (formFeed == std::string::npos) break;
        parts.emplace_back("\f");
        start = formFeed + 1;
    }
    rest.insert(rest.end(), std::make_move_iterator(parts.begin() + 1), std::make_move_iterator(parts.end()));
    line = std::move(parts.front());
}

}  // namespace tabulizer
