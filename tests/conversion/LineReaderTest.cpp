#include "conversion/LineReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <vector>

#include "../support/TempDir.h"
#include "conversion/FormFeedSplit.h"

namespace tabulizer {
namespace {

using V = std::vector<std::string>;

// Drives the reader as the run does and writes down what each call hands out:
// the text without its fill, then the flags.
class LineReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        d.Code = true;
        d.MaxLStr = 6;
        d.EtalStrN = 3;
        d.EtalStr = "ETAL";
        d.CountSepL = 1;
        d.SepStr[0] = "====";
        d.FixStr[0].Str = "TOTAL";
        d.FixStr[1].Str = "FIX";
        reader.CountTest = 2;
    }
    void OpenText(const std::string& bytes) {
        const auto path = temp.path() / "input.txt";
        std::ofstream(path, std::ios::binary) << bytes;
        OpenPath(path.string());
    }
    void OpenData(const std::string& name) {
        OpenPath(std::string(TABULIZER_TEST_DATA) + "/reader/" + name);
    }
    void OpenPath(const std::string& path) {
        flags = {};
        reader.Open(path);
    }
    std::string Next() {
        reader.GetStr();
        if (flags.IsEnd) return "#end";
        std::string s = reader.Current();
        s.erase(s.find_last_not_of(' ') + 1);
        if (flags.IsPage) s += " #page";
        if (flags.IsSep) s += " #sep";
        if (flags.IsFix) s += " #fix" + std::to_string(flags.FixIdx);
        if (flags.IsPS) s += " #ps";
        if (putSep) flags.IsSep = false;  // PutSep
        flags.IsFix = false;              // PutStr
        return s;
    }
    V All() {
        V out;
        while (out.empty() || out.back() != "#end") out.push_back(Next());
        return out;
    }

    test::TempDir temp{"tabulizer-reader"};
    DocumentDescription d;
    LineFlags flags;
    bool inInf = true;
    bool putSep = true;
    LineReader reader{d, flags, inInf};
};

TEST_F(LineReaderTest, PageBreakComesWithTheFirstLineOfThePageAndAgainAfter) {
    // Etalons at lines 1 and 2 of the first page break nothing: the window is not full.
    // The line opening page 2 holds a fixed-line text but belongs to the next title.
    OpenText("ETAL\nETAL\nc\nFIX 2\ny\nETAL\nz\n");
    EXPECT_EQ(All(), (V{"ETAL", "ETAL", "c", "FIX 2 #page", "FIX 2", "y", "ETAL", "z", "#end"}));
}

TEST_F(LineReaderTest, PageEndingAtTheLastLineStillHandsItsFirstLineOutAgain) {
    OpenData("etalon_on_last_line.txt");
    EXPECT_EQ(All(), (V{"T1 #page", "T1", "x", "ETAL", "T2 #page", "T2", "y", "ETAL", "#end"}));
    d.EtalStrN = 1;  // a window of one: the etalon line itself opens the page
    OpenText("a\nETAL\n");
    EXPECT_EQ(All(), (V{"a", "ETAL #page", "ETAL", "#end"}));
}

TEST_F(LineReaderTest, FileShorterThanTheWindowIsHandedOutFromTheFirstLine) {
    d.EtalStrN = 5;
    OpenData("fewer_lines_than_window.txt");
    reader.GetStr();
    EXPECT_EQ(reader.Current(), "one   ");  // filled to MaxLStr
    EXPECT_EQ(All(), (V{"two", "#end"}));
    OpenText("");
    EXPECT_EQ(Next(), "#end");
}

TEST_F(LineReaderTest, SeparatorInsidePostscriptDoesNotReachLaterLines) {
    putSep = false;  // the postscript block writes every line as text
    OpenData("separator_inside_postscript.txt");
    EXPECT_EQ(Next(), "data");
    EXPECT_EQ(Next(), "TOTAL 5 #ps");
    EXPECT_EQ(Next(), "==== #sep #ps");
    EXPECT_EQ(Next(), "signed #ps");
    EXPECT_EQ(Next(), "T2 #page #ps");
    flags.IsPS = false;  // the postscript block meets the page break
    inInf = false;       // and the next page begins
    EXPECT_EQ(All(), (V{"T2", "FIX here", "ETAL", "#end"}));
}

TEST_F(LineReaderTest, SeparatorsComeFirstAndFixedLinesOnlyInTheInformationPart) {
    d.SepStr[0] = "FIX ==";
    OpenText("FIX ==\nFIX ==  \nFIX 1\nFIX 2\nTOTAL\n");
    inInf = false;
    EXPECT_EQ(Next(), "FIX == #sep");
    EXPECT_EQ(Next(), "FIX ==");  // trailing blanks: no separator, and no fixed line yet
    EXPECT_EQ(Next(), "FIX 1");
    inInf = true;
    EXPECT_EQ(All(), (V{"FIX 2 #fix1", "TOTAL #ps", "#end"}));
}

TEST_F(LineReaderTest, SeparatorOpeningAPageKeepsItsFlagWhenHandedOutAgain) {
    OpenText("a\n====\nb\nETAL\nc\n");
    EXPECT_EQ(All(), (V{"a", "==== #page #sep", "==== #sep", "b", "ETAL", "c", "#end"}));
}

// The cut of lines already held whole, as the inference cuts its sample, with the
// reader's "#page" marks left out of `read` to compare the two.
V CutInMemory(const std::string& input) {
    V parts;
    std::deque<std::string> rest;
    std::size_t start = 0;
    while (start < input.size()) {
        std::size_t end = std::min(input.find('\n', start), input.size());
        std::string line = input.substr(start, end - start);
        SplitAtFormFeeds(line, rest);
        parts.push_back(line);
        parts.insert(parts.end(), rest.begin(), rest.end());
        rest.clear();
        start = end + 1;
    }
    return parts;
}

V WithoutPageMarks(V read) {
    for (std::string& line : read)
        if (line.ends_with(" #page")) line.resize(line.size() - 6);
    return read;
}

// A form feed splits its line: the text before it ends the old page, the form feed
// alone breaks the page (handed out at once, unclassified), the text after it opens
// the next page. Tabs count from the start of each part.
TEST_F(LineReaderTest, FormFeedSplitsItsLineIntoPageEndBreakAndNextPage) {
    d.FormFeed = true;
    d.EtalStrN = 0;  // not used in form-feed mode
    inInf = false;   // the run passes the break line over and starts a title
    struct Case { std::string input; V out; };
    const Case cases[] = {
        {"a\n\fTOTAL\nb\n", {"a", "\f #page", "TOTAL", "b"}},
        {"b\f\nT2\n", {"b", "\f #page", "T2"}},
        {" - 1 -\f\n", {" - 1 -", "\f #page"}},
        {"x\fy\f\fz", {"x", "\f #page", "y", "\f #page", "\f #page", "z"}},
        {"  \f \t\nT", {"  \f #page", "T"}},   // nothing but a form feed and blanks: whole
        {"\f\f\nT", {"\f\f #page", "T"}},
        {"  \t\f\tb\n", {"\f #page", "        b"}},  // a blank part is no line
        {"ab\tc\fd\te", {"ab      c", "\f #page", "d       e"}},
    };
    for (const Case& c : cases) {
        OpenText(c.input);
        V out;
        for (std::string line = Next(); line != "#end"; line = Next()) {
            out.push_back(line);
            flags.IsPage = false;  // the page end in form-feed mode
        }
        EXPECT_EQ(out, c.out) << c.input;
        // The inference's cut is the same rule written over whole lines (before tabs expand).
        if (c.input.find('\t') == std::string::npos) {
            EXPECT_EQ(CutInMemory(c.input), WithoutPageMarks(c.out)) << c.input;
        }
    }
    d.FormFeed = false;  // in etalon mode a form feed is an ordinary character
    d.EtalStrN = 1;
    OpenText("a\fb\n");
    EXPECT_EQ(All(), (V{"a\fb", "#end"}));
}

// A line past the kept length costs no more than it: its first bytes are kept, a
// form feed anywhere in it still breaks the page, and an overlong line stays
// unequal to a separator as long as its kept part.
TEST_F(LineReaderTest, OverlongLinesKeepTheirStartAndTheirFormFeeds) {
    const std::string blanks(kLineLimit + 1000, ' ');
    const std::string kept(kLineLimit, 'x');
    const std::string sep(kLineLimit - 1, '=');
    d.EtalStrN = 1;
    d.SepStr[0] = sep;
    inInf = false;
    struct Case { bool formFeed; std::string input; V out; };
    const Case cases[] = {
        {false, kept + "yyy\nb", {kept, "b"}},
        {false, sep + "\n" + sep + "=\n" + sep + "====", {sep + " #sep", sep + "=", sep + "="}},
        {true, kept + "yyy\fb", {kept, "\f #page", "b"}},
        {true, blanks + "\fT", {"\f #page", "T"}},
        {true, blanks + "z\fT", {"", "\f #page", "T"}},  // text past the kept part: a line, blank in its cells
        {true, "  \f" + blanks + "\f\nT", {"  \f #page", "T"}},  // nothing but blanks and form feeds: whole
        {true, "a\f" + blanks + "\f" + kept + "\f", {"a", "\f #page", "\f #page", kept, "\f #page"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input.substr(0, 20));
        d.FormFeed = c.formFeed;
        OpenText(c.input);
        V out;
        for (std::string line = Next(); line != "#end"; line = Next()) {
            out.push_back(line);
            flags.IsPage = false;
        }
        EXPECT_EQ(out, c.out);
    }
}

TEST_F(LineReaderTest, EmptyAndLongLinesAreNotFilledAndTheWindowIsBounded) {
    OpenText("\nlonger line\n");
    reader.GetStr();
    EXPECT_EQ(reader.Current(), "");
    reader.GetStr();
    EXPECT_EQ(reader.Current(), "longer line");
    auto failure = [&](i16 window) {
        d.EtalStrN = window;
        try { reader.GetStr(); } catch (const Failure& f) { return f.code(); }
        return 0;
    };
    EXPECT_EQ(failure(0), kIndexOutOfRange);
    EXPECT_EQ(failure(21), kIndexOutOfRange);
}

}  // namespace
}  // namespace tabulizer
