#pragma once
// A report prints the form feed where its printer ejects the page: at the end of a
// page's last line, or in front of the next page's first line. In form-feed mode
// such a line is cut in three: the text before the form feed (the old page's last
// line), the form feed alone (the page end, never written) and the text after it
// (the new page's first line); parts that hold nothing but blanks are dropped. A
// line of nothing but form feeds and blanks stays whole. Anything that numbers the
// lines of a page as the conversion does splits them the same way, as read, before
// tab expansion.
//
// The line is cut as it is read, a part at a time, each part kept to a bounded
// length: a line of any length, form feeds anywhere in it, costs bounded memory.
#include <cstdint>
#include <deque>
#include <string>

#include "conversion/InputFile.h"

namespace tabulizer {

class FormFeedParts {
public:
    // Each part keeps its first `limit` bytes.
    explicit FormFeedParts(std::size_t limit) : limit_(limit) {}

    // True while parts of the last line read remain to be handed out.
    bool Pending() const { return formFeedsDue_ > 0 || textDue_ || open_; }
    // The next part: of the line begun, or else of the next line of `input`
    // (which must not be at its end then).
    void Next(InputFile& input, std::string& part);

private:
    bool NextOfLine(InputFile& input, std::string& part);
    void ReadLine(InputFile& input, std::string& part);

    std::size_t limit_;
    std::uint64_t formFeedsDue_ = 0;  // form feeds to hand out, each a part alone
    bool textDue_ = false;            // then text_
    std::string text_;
    bool open_ = false;               // then the line goes on after a form feed not yet handed out
};

// The same cut of a line already held whole (the inference reads its sample so):
// `line` keeps the first part; the others are appended to `rest`, in order.
void SplitAtFormFeeds(std::string& line, std::deque<std::string>& rest);

}  // namespace tabulizer
