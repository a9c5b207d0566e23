#pragma once
// A report prints the form feed where its printer ejects the page: at the end of a
// page's last line, or in front of the next page's first line. In form-feed mode
// such a line is cut in three: the text before the form feed (the old page's last
// line), the form feed alone (the page end, never written) and the text after it
// (the new page's first line); parts that hold nothing but blanks are dropped. A
// line of nothing but form feeds and blanks stays whole. Anything that numbers the
// lines of a page as the conversion does splits them the same way, as read, before
// tab expansion.
#include <deque>
#include <string>

namespace tabulizer {

// `line` keeps the first part; the others are appended to `rest`, in order.
void SplitAtFormFeeds(std::string& line, std::deque<std::string>& rest);

}  // namespace tabulizer
