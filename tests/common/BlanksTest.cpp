#include "common/Blanks.h"

#include <gtest/gtest.h>

namespace tabulizer {
namespace {

// Only spaces and tabs are blanks: a form feed, a no-break space (CP1251 0xA0) or a
// NUL is text and stays.
TEST(Blanks, TrimmingTakesSpacesAndTabsFromBothEndsOnly) {
    const struct {
        std::string_view text, trimmed;
    } cases[] = {
        {"", ""},
        {" \t \t", ""},
        {"x", "x"},
        {"\t 12,50 \t", "12,50"},
        {"  a  b  ", "a  b"},
        {"\fa\f", "\fa\f"},
        {"\xA0 a \xA0", "\xA0 a \xA0"},
        {std::string_view(" \0 ", 3), std::string_view("\0", 1)},
    };
    for (const auto& c : cases) EXPECT_EQ(TrimBlanks(c.text), c.trimmed) << '"' << c.text << '"';
}

}  // namespace
}  // namespace tabulizer
