#include "conversion/FormFeedSplit.h"

#include <iterator>
#include <string_view>
#include <vector>

#include "common/Blanks.h"

namespace tabulizer {

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
