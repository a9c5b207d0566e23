// Reports printed by real programs (tests/data/real/<case>/report.txt), each beside
// the project a careful user of the editor wrote for it (hand.ini): the project
// `tabulizer --describe` infers must convert the report into the same sheets, cell
// values and merges. Every case gets one line ("identical", or "differs:" with the
// elements whose keys differ and the first line where the workbooks part), then the
// share of identical cases. The cases named in identical.txt must stay identical;
// the others are measured, not required. A differing case also names the elements
// that change the workbook on their own.
//
// Run alone: build/tests/tabulizer_tests --gtest_filter='RealReports.*'
//   TABULIZER_REAL_CASES=a,b   only these cases
//   TABULIZER_REAL_KEEP=DIR    keep each inferred project and what --describe said
//                              in DIR/<case>.ini and DIR/<case>.txt
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "../support/Files.h"
#include "../support/ProjectElements.h"
#include "../support/ScriptedHost.h"
#include "../support/TempDir.h"
#include "../support/WorkbookValues.h"
#include "description/ProjectLoader.h"
#include "description/ProjectWriter.h"

namespace tabulizer::test {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(TABULIZER_TEST_DATA) / "real";

std::vector<std::string> SplitList(const std::string& text, char separator) {
    std::vector<std::string> items;
    std::istringstream in(text);
    std::string item;
    while (std::getline(in, item, separator)) {
        while (!item.empty() && (item.back() == '\r' || item.back() == ' ')) item.pop_back();
        if (!item.empty() && item[0] != '#') items.push_back(item);
    }
    return items;
}

// Every folder of the corpus that holds a report and its hand-written project.
std::vector<std::string> Cases() {
    std::vector<std::string> cases;
    for (const fs::directory_entry& entry : fs::directory_iterator(kCorpus))
        if (entry.is_directory() && fs::exists(entry.path() / "report.txt") && fs::exists(entry.path() / "hand.ini"))
            cases.push_back(entry.path().filename().string());
    std::sort(cases.begin(), cases.end());
    if (const char* only = std::getenv("TABULIZER_REAL_CASES")) {
        std::vector<std::string> wanted = SplitList(only, ',');
        std::erase_if(cases, [&](const std::string& c) {
            return std::find(wanted.begin(), wanted.end(), c) == wanted.end();
        });
    }
    return cases;
}

bool LoadsClean(const fs::path& project, DocumentDescription& d) {
    d.InitFontsAndMerges();
    RunState run;
    run.NameIni = project.string();
    ScriptedHost host;
    return LoadProject(d, run, host) == LoadOutcome::Clean;
}

// A character boundary of UTF-8 text at or before `n`.
std::size_t CharStart(const std::string& s, std::size_t n) {
    while (n > 0 && n < s.size() && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
    return n;
}

// The part of `s` around `at`, at most 60 bytes, with "…" where it was cut.
std::string Around(const std::string& s, std::size_t at) {
    std::size_t from = CharStart(s, at > 20 ? at - 20 : 0);
    std::size_t to = CharStart(s, std::min(s.size(), from + 60));
    return (from > 0 ? "…" : "") + s.substr(from, to - from) + (to < s.size() ? "…" : "");
}

// The first line at which two value dumps part, the two lines shown around the
// first character where they differ.
std::string FirstDifference(const std::string& hand, const std::string& inferred) {
    std::istringstream a(hand), b(inferred);
    std::string lineA, lineB, sheet;
    for (;;) {
        bool moreA = static_cast<bool>(std::getline(a, lineA)), moreB = static_cast<bool>(std::getline(b, lineB));
        if (!moreA && !moreB) return "";
        if (!moreA) lineA = "(end)";
        if (!moreB) lineB = "(end)";
        if (lineA != lineB) {
            std::size_t at = std::mismatch(lineA.begin(), lineA.end(), lineB.begin(), lineB.end()).first - lineA.begin();
            return "first difference" + (sheet.empty() ? "" : " in «" + sheet + "»") + ": hand «" + Around(lineA, at) +
                   "», inferred «" + Around(lineB, at) + "»";
        }
        if (lineA.starts_with("sheet ")) sheet = lineA.substr(6);
    }
}

struct Outcome {
    bool identical = false;
    std::string line;  // what follows the case name in the output
};

class RealReports : public ::testing::Test {
protected:
    // Converts one case with both projects and says how they compare.
    Outcome Compare(const std::string& name) {
        const fs::path dir = temp.path() / name;
        fs::create_directories(dir);
        fs::copy_file(kCorpus / name / "report.txt", dir / "report.txt");
        fs::copy_file(kCorpus / name / "hand.ini", dir / "hand.ini");

        DocumentDescription hand;
        EXPECT_TRUE(LoadsClean(dir / "hand.ini", hand)) << name << ": the hand-written project does not load clean";
        int status = -1;
        std::string output;
        std::string expected = ConvertedValues(dir, "hand.ini", "report.xlsx", false, status, output);
        EXPECT_EQ(status, 0) << name << ": the hand-written project does not convert\n" << output;
        EXPECT_NE(expected.find(" s \""), std::string::npos) << name << ": the hand-written project writes no cell";

        std::string said;
        int described = RunProgram(dir, "--describe report.txt --project inferred.ini", said);
        if (const char* keep = std::getenv("TABULIZER_REAL_KEEP")) {
            fs::create_directories(keep);
            std::ofstream(fs::path(keep) / (name + ".txt"), std::ios::binary) << said;
            if (fs::exists(dir / "inferred.ini"))
                fs::copy_file(dir / "inferred.ini", fs::path(keep) / (name + ".ini"),
                              fs::copy_options::overwrite_existing);
        }
        if (described != 0 || !fs::exists(dir / "inferred.ini")) {
            std::vector<std::string> lines = SplitList(said, '\n');
            return {false, "differs: no project (" + (lines.empty() ? std::string("nothing said") : lines.back()) + ")"};
        }
        DocumentDescription inferred;
        bool inferredLoads = LoadsClean(dir / "inferred.ini", inferred);
        EXPECT_TRUE(inferredLoads) << name << ": the inferred project does not load clean";

        std::string got = ConvertedValues(dir, "inferred.ini", "report.xlsx", hand.DelNull, status, output);
        if (status != 0) return {false, "differs: the inferred project does not convert (" + output + ")"};
        if (got == expected) return {true, "identical"};
        std::vector<ElementDifference> differences = ElementsThatDiffer(hand, inferred);
        std::string elements = DescribeDifferences(differences);
        return {false, "differs: " + (elements.empty() ? std::string("no key that matters") : elements) + " | " +
                           FirstDifference(expected, got) + " | alone changes the workbook: " +
                           ElementsThatMatter(dir, hand, inferred, differences, expected)};
    }

    // Which of the differing elements change the workbook when the hand-written
    // project takes the inferred keys of that element alone: the ones to mend first.
    std::string ElementsThatMatter(const fs::path& dir, const DocumentDescription& hand,
                                   const DocumentDescription& inferred,
                                   const std::vector<ElementDifference>& differences, const std::string& expected) {
        std::string named;
        for (const ElementDifference& difference : differences) {
            DocumentDescription mixed = hand;
            mixed.NameIn = "report.txt";  // the loader leaves the report's path to its caller
            mixed.NameOut = "report.xlsx";
            CopyElement(difference.element, inferred, mixed);
            WriteProject(mixed, (dir / "mixed.ini").string());
            int status = -1;
            std::string output;
            if (ConvertedValues(dir, "mixed.ini", "report.xlsx", hand.DelNull, status, output) != expected)
                named += (named.empty() ? "" : ", ") + difference.element;
        }
        return named.empty() ? "none alone" : named;
    }

    TempDir temp{"tabulizer-real"};
};

TEST(RealReportsElements, NamesTheElementsWhoseKeysDiffer) {
    DocumentDescription base;
    base.InitFontsAndMerges();
    base.EndTitle = 2;
    base.EndCap = 5;
    base.EtalStrN = 1;
    base.EtalStr = "TITLE";
    base.EndPoz = {3, 10, 20, 30};
    base.CountFixLines = 1;
    base.FixStr[1] = {0, 1, 2, "Total"};
    base.CountFormat = 1;
    base.FormatCells[1] = {2, 3, 1, 2};
    auto formFeeds = [](DocumentDescription& d) { d.FormFeed = true; };
    struct Case {
        const char* change;
        void (*both)(DocumentDescription&);  // applied to both descriptions first, or null
        void (*apply)(DocumentDescription&);
        const char* named;
    } cases[] = {
        {"nothing", nullptr, [](DocumentDescription&) {}, ""},
        {"fonts, widths, hairlines", nullptr,
         [](DocumentDescription& d) { d.Fonts[0] = {"Arial", 12, 1}; d.WidthGraf = {1, 40}; d.UnderStr = true; }, ""},
        {"form feeds", nullptr, formFeeds, "pages [FormFeed]"},
        {"the etalon of form-feed pages", formFeeds, [](DocumentDescription& d) { d.EtalStr = "x"; d.EtalStrN = 3; },
         ""},
        {"the etalon line", nullptr, [](DocumentDescription& d) { d.EtalStr = "x"; }, "pages [EtalStr]"},
        {"cap and last column", nullptr, [](DocumentDescription& d) { d.EndCap = 6; d.EndPoz[3] = 31; },
         "title/cap [EndCap]; columns [EndPoz]"},
        {"a position past the count", nullptr, [](DocumentDescription& d) { d.EndPoz[4] = 40; }, ""},
        {"one column more", nullptr, [](DocumentDescription& d) { d.EndPoz[0] = 4; d.EndPoz[4] = 40; },
         "columns [EndPoz]"},
        {"fixed line text", nullptr, [](DocumentDescription& d) { d.FixStr[1].Str = "Всего"; },
         "fixed lines [CountFixLines/FS*]"},
        {"a fixed line past the count", nullptr, [](DocumentDescription& d) { d.FixStr[2].Str = "x"; }, ""},
        {"postscript", nullptr, [](DocumentDescription& d) { d.FixStr[0].Str = "Исполнитель"; }, "postscript [PS]"},
        {"the columns of no postscript", nullptr, [](DocumentDescription& d) { d.FixStr[0].EndCol = 2; }, ""},
        {"a format record", nullptr, [](DocumentDescription& d) { d.FormatCells[1].Cn = 0; },
         "formats [FormatCells]"},
        {"no format records", nullptr, [](DocumentDescription& d) { d.CountFormat = 0; }, "formats [FormatCells]"},
        {"code, separators, zeros", nullptr,
         [](DocumentDescription& d) { d.Code = true; d.CountSepL = 1; d.SepStr[0] = "---"; d.DelNull = true; },
         "code page [Code]; separators [CountSepL/R*]; zeros [DelNull]"},
    };
    for (const Case& c : cases) {
        DocumentDescription hand = base;
        if (c.both) c.both(hand);
        DocumentDescription inferred = hand;
        c.apply(inferred);
        EXPECT_EQ(DescribeDifferences(ElementsThatDiffer(hand, inferred)), c.named) << c.change;
    }
}

TEST(RealReportsValues, KeepsSheetsValuesAndMergesOnly) {
    const std::string dump =
        "sheet Лист1 active\n"
        "A1 s \"Итого \\\"по\\\" листу\" font=\"Arial\" bold\n"
        "B1 n 1512.43 align=right\n"
        "C1 n 0\n"
        "D1 e bottom=thick\n"
        "merge A1:B1\n"
        "width A 22.71\n";
    struct Case {
        bool dropZeros;
        const char* want;
    } cases[] = {
        {false, "sheet Лист1 active\nA1 s \"Итого \\\"по\\\" листу\"\nB1 n 1512.43\nC1 n 0\nmerge A1:B1\n"},
        {true, "sheet Лист1 active\nA1 s \"Итого \\\"по\\\" листу\"\nB1 n 1512.43\nmerge A1:B1\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(ValuesAndMerges(dump, c.dropZeros), c.want) << c.dropZeros;
    // Two texts that differ only after their first character must not compare equal.
    EXPECT_NE(ValuesAndMerges("A1 s \"Итого\"\n", false), ValuesAndMerges("A1 s \"Всего\"\n", false));
}

TEST_F(RealReports, InferredProjectsConvertLikeTheHandWrittenOnes) {
    std::vector<std::string> cases = Cases();
    ASSERT_FALSE(cases.empty()) << "no case under " << kCorpus;
    std::vector<std::string> required = SplitList(ReadFile(kCorpus / "identical.txt"), '\n');
    std::set<std::string> present(cases.begin(), cases.end());
    if (!std::getenv("TABULIZER_REAL_CASES")) {
        for (const std::string& name : required)
            EXPECT_TRUE(present.count(name)) << "identical.txt names a case that is not in the corpus: " << name;
    }

    int identical = 0;
    for (const std::string& name : cases) {
        Outcome outcome = Compare(name);
        identical += outcome.identical;
        std::cout << "  " << name << ": " << outcome.line << "\n" << std::flush;
        if (std::find(required.begin(), required.end(), name) != required.end()) {
            EXPECT_TRUE(outcome.identical) << name << " is listed in identical.txt: " << outcome.line;
        }
    }
    std::cout << "  identical: " << identical << " of " << cases.size() << " ("
              << (100 * identical + static_cast<int>(cases.size()) / 2) / static_cast<int>(cases.size()) << "%)\n";
}

}  // namespace
}  // namespace tabulizer::test
