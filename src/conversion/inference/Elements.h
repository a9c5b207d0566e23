#pragma once
// One function per element of a description, each returning its decision with the
// Finding that tells the evidence. They work on the report's lines after code-page
// conversion and tab expansion, as the conversion run will see them.
#include <string>
#include <vector>

#include "conversion/inference/Inference.h"

namespace tabulizer::inference {

using Lines = std::vector<std::string>;

// A page as the run will cut it: indices into the lines, in order.
struct Page {
    std::vector<int> lines;
    int size() const { return static_cast<int>(lines.size()); }
};

struct CodePage {
    bool windows = false;
    Finding finding;
};
CodePage InferCodePage(const Lines& rawLines);

struct PageLayout {
    bool formFeed = false;
    int etalonLine = 0;      // page line number of the reference line; 0 = none
    std::string etalon;      // its text
    // Pages as the table repeats them: the first page without the `lead` empty
    // lines a report may print above it (they stay its lines in the conversion).
    std::vector<Page> pages;
    int lead = 0;
    Finding finding;
};
// Pages of converted lines: at form feeds when they hold any (lines already cut at
// them), otherwise at a reference line.
PageLayout InferPages(const Lines& lines);
// In form-feed mode the conversion cuts a line at its form feeds before converting
// it: the raw lines cut the same way.
Lines SplitFormFeedLines(const Lines& rawLines);

// The report's lines as the conversion will read them in the page mode inferred:
// converted to CP1251 with tabs expanded, and cut at form feeds in form-feed mode.
struct PagedLines {
    Lines lines;
    PageLayout layout;
    int longestLine = 0;  // MaxLStr, by LongestLine over the lines before their cut at form feeds
};
PagedLines InferPagedLines(const Lines& rawLines, bool windows);

// Where the title and the cap end (page line numbers), and whether the table is
// drawn with rules at all.
struct Frame {
    int endTitle = 0;
    int endCap = 0;
    bool ruled = false;
    int firstPage = 0;  // the first page that holds the table (a title page may precede it)
    int tableTop = 0;   // page offset of the table's first line, its top rule when ruled
    Finding finding;
};
Frame InferFrame(const Lines& lines, const PageLayout& layout);
// A header whose words the column ends would cut in two, or that bridge the gaps
// between the fields of the data rows (`rows`), stays whole in the title, and the
// page has no cap.
void KeepCutHeaderInTitle(const Lines& lines, const Page& sample, const std::vector<int>& columnEnds,
                          const std::vector<int>& rows, Frame& frame);

// The part of every page between the cap and the table's end: the lines the
// columns are read from, and what follows the table's last rule.
struct Body {
    std::vector<int> rows;        // non-blank table lines that are not rules
    std::vector<int> afterTable;  // lines after the last rule of a page
    bool emptyLines = false;      // an empty line in the information part
};
Body FindBody(const Lines& lines, const PageLayout& layout, const Frame& frame);

struct Separators {
    std::vector<std::string> texts;
    Finding finding;
};
Separators InferSeparators(const Lines& lines, const PageLayout& layout, const Frame& frame);

struct Columns {
    std::vector<int> ends;      // EndPoz values
    std::vector<int> dividers;  // PozDiv values
    int maxLength = 0;          // MaxLStr
    bool capLines = false;      // the dividers are the cap's lines, the rows drawn without them
    bool colonLines = false;    // colons stand for the vertical lines
    Finding finding;
};
// `capRows`: the cap's lines, whose vertical lines part the columns of data rows
// printed without them; `longestLine`: MaxLStr, from LongestLine.
Columns InferColumns(const Lines& lines, const Body& body, const std::vector<int>& fixedRows,
                     const std::vector<int>& capRows, int longestLine);
// The length of the longest line as the editor measures it: each line as read,
// converted and with tabs expanded (`lines`), before any cut at a form feed (a form
// feed that ends a page's last line counts as a character of it).
int LongestLine(const Lines& lines);

struct Merges {
    std::vector<MergeCell> cells;
    Finding finding;
};
Merges InferMerges(const Lines& lines, const Page& first, const Frame& frame, const Columns& columns);

struct FixedLines {
    std::vector<FixLine> lines;  // FixStr entries 1..
    std::vector<int> rows;       // the body rows that are fixed lines
    Finding finding;

    // The fixed line the run takes `line` for: the first whose text it holds.
    const FixLine* Of(std::string_view line) const;
};
// The columns a fixed line is merged over, as the run takes them: BegCol 0 is the
// whole row, and a last column before the first merges nothing past the first.
struct ColumnSpan {
    int first, last;
};
ColumnSpan MergedColumns(const FixLine& line, int columnCount);
// Headings and totals kept out of the columns; `columnEnds` may be empty (columns not
// yet known): then only the rows that begin a total, and no fixed line. `dividers`:
// the vertical lines the run blanks out of the rows.
FixedLines InferFixedLines(const Lines& lines, const Body& body, const std::vector<int>& columnEnds,
                           const std::vector<int>& dividers = {});

// For rows printed without the cap's lines: the lines blanked out of the rows (those
// on which no text of a row stands, a fixed line's merged text aside), and the
// column ends moved before a line on which the texts of a column begin. Returns
// what the columns' finding adds.
std::string SettleCapLines(const Lines& lines, const Body& body, const FixedLines& fixed, Columns& columns);

// After a merged cap cell the run blanks the line that closes it by its place in
// PozDiv, one entry a column from the table's left line: a table drawn without a
// left line, whose first position is blank in all its lines (a fixed line merged
// from the first column aside: nothing of it is blanked there), takes that position
// as one. Returns what the columns' finding adds.
std::string AlignDividersWithMerges(const Lines& lines, const Body& information, const FixedLines& fixed,
                                    const std::vector<int>& capRows, const Merges& merges, Columns& columns);
// A vertical line the run would blank where a letter or digit of text stands, in a
// line of the cap (of `sample`) or in an information line, is kept out of the
// dividers, so that the text stays whole, unless most information rows draw it.
// Returns what the columns' finding adds.
std::string KeepTextUnblanked(const Lines& lines, const Page& sample, const Frame& frame, const Body& information,
                              const FixedLines& fixed, const Merges& merges, Columns& columns);

struct Postscript {
    std::string text;       // FixStr entry 0; empty = none
    std::vector<int> rows;  // the information lines of every page: from the cap to the postscript
    Finding finding;
};
// The text that starts the block under the table on every page that has one.
Postscript InferPostscript(const Lines& lines, const PageLayout& layout, const Frame& frame,
                           const std::vector<int>& columnEnds);

struct Formats {
    std::vector<FormatCell> cells;  // one per column; Col 0 = no format of its own
    std::vector<int> widths;        // WidthGraf values
    Finding finding;
};
// `capRows`: the cap's lines, whose header words tell identifiers from quantities.
Formats InferFormats(const Lines& lines, const Body& body, const FixedLines& fixed, const Columns& columns,
                     const std::vector<int>& capRows);

}  // namespace tabulizer::inference
