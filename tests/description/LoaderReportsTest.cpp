// Every report of the loader, with what it leaves in the description.
#include <functional>

#include "ProjectFixture.h"

namespace tabulizer::test {
namespace {

std::string H(const std::string& key, const std::string& message) { return Err("Horizon", key, message); }
std::string V(const std::string& key, const std::string& message) { return Err("Vertical", key, message); }

const std::string kMissing = "Параметр отсутствует !";
const std::string kBad = "Ошибка в параметрах !";
const std::string kDisorder = "Позиции колонок не упорядочены !";
const std::string kDelimiter = "Отсутствует символ - ограничитель !";

struct Case {
    std::string horizon, vertical;
    Texts boxes;  // before the question
    std::function<bool(const DocumentDescription&)> holds;
};

std::string Numbers(int count) {
    std::string text = "1";
    for (int i = 2; i <= count; ++i) text += "," + std::to_string(i);
    return text;
}

const Case kCases[] = {
    {"EndTitle=abc\nEndCap=40000\n", "", {H("EndTitle", kMissing), H("EndCap", kBad)},
     [](auto& d) { return d.EndTitle == 0 && d.EndCap == 0; }},
    {"EtalStr=\n", "", {H("EtalStr", kMissing)}, [](auto& d) { return d.EtalStrN == 0; }},
    {"EtalStr=ВЕДОМОСТЬ#\n", "", {H("EtalStr", kDelimiter)}, [](auto& d) { return d.EtalStrN == 0; }},
    {"EtalStr=#\n", "", {H("EtalStr", kDelimiter)}, [](auto& d) { return d.EtalStr.empty(); }},
    {"CountSepL=3\nR0=#+--+#\nR1=| -- |\nR3=#x#\n", "", {H("R2", "Не найден горизонтальный разделитель R2 !")},
     [](auto& d) { return d.CountSepL == 2 && d.SepStr[1] == " -- "; }},
    {"CountSepL=1\nR0=##\n", "", {H("R0", "Не найден горизонтальный разделитель R0 !")},
     [](auto& d) { return d.CountSepL == 0; }},
    {"CountSepL=16\nR0=#x#\n", "", {H("CountSepL", "Горизонтальных разделителей > 15 !")},
     [](auto& d) { return d.CountSepL == 0 && d.SepStr[0].empty(); }},
    {"CountSepL=-2\n", "", {H("CountSepL", kBad)}, [](auto& d) { return d.CountSepL == 0; }},
    {"", "EndPoz=10,,30\n", {V("EndPoz", kDisorder)}, [](auto& d) { return d.EndPoz[0] == 0; }},
    {"", "EndPoz=0,10\n", {V("EndPoz", kDisorder), V("EndPoz", kMissing)}, [](auto& d) { return d.EndPoz[0] == 0; }},
    {"", "EndPoz=40000\n", {V("EndPoz", kBad)}, [](auto& d) { return d.EndPoz[0] == 0; }},
    {"", "EndPoz=" + Numbers(51) + "\n", {V("EndPoz", kBad)}, [](auto& d) { return d.EndPoz[0] == 0; }},
    {"", "PozDiv=5,5\n", {V("PozDiv", kDisorder)}, [](auto& d) { return d.PozDiv[0] == 0; }},
    {"", "FormatCells=2,2,1,0,0,5,1,0,0\n", {V("FormatCells", kBad)}, [](auto& d) {
         return d.CountFormat == 2 && d.FormatCells[1] == FormatCell{2, 1, 0, 0} && d.FormatCells[4] == FormatCell{};
     }},
    {"CountFixLines=1\nFS0=1,4,\n", "", {H("FS0", "Фиксированная Строка - пустая FS0 !")},
     [](auto& d) { return d.CountFixLines == 1; }},
    {"CountFixLines=1\nFS0=1,4\n", "", {H("FS", kBad), H("FS0", "Фиксированная Строка - пустая FS0 !")},
     [](auto& d) { return d.CountFixLines == 1 && d.FixStr[1].EndCol == 0; }},
    {"CountFixLines=3\nFS0=1,1,a\nFS1=1,1,b\n", "", {H("FS2", "Не найдена Фиксированная Строка FS2 !")},
     [](auto& d) { return d.CountFixLines == 2; }},
    {"CountFixLines=31\nFS0=1,1,a\n", "", {H("CountFixLines", "Счётчик Фиксированных Строк > 30 !")},
     [](auto& d) { return d.CountFixLines == 0 && d.FixStr[1].Str.empty(); }},
    {"CountFixLines=-1\nPS=,1,z\n", "", {H("CountFixLines", kBad), H("PS", kBad)},
     [](auto& d) { return d.CountFixLines == 0 && d.FixStr[0].Str.empty(); }},
    {"MergeCl=2,4,2,3,1,1,4,3,3,1,1\n", "", {H("MergeCl", kBad)},  // second block: first column not below last
     [](auto& d) { return d.CountMerge == 0 && d.MergeCl == decltype(d.MergeCl){}; }},
    {"MergeCl=1,3,2,3,1,1\n", "", {H("MergeCl", kBad)}, [](auto& d) { return d.CountMerge == 0; }},
    {"FontCap=Arial,9\n", "", {H("FontCap", kBad)}, [](auto& d) { return d.Fonts[1] == Font{"Courier New", 9, 3}; }},
    {"FontCap=Arial,9,-1\n", "", {H("FontCap", kBad)}, [](auto& d) { return d.Fonts[1] == d.FontDef[1]; }},
    {"FontCap=Arial,9pt,1\n", "", {H("FontCap", kBad)}, [](auto& d) { return d.Fonts[1] == d.FontDef[1]; }},
    {"FontCap=,9,1\n", "", {H("FontCap", kBad)}, [](auto& d) { return d.Fonts[1] == d.FontDef[1]; }},
};

using LoaderReports = ProjectFixture;

TEST_F(LoaderReports, EachProblemIsReportedForItsKeyWithItsEffect) {
    for (const Case& c : kCases) {
        d = {};
        d.InitFontsAndMerges();
        host.boxes.clear();
        EXPECT_EQ(Load(Project(c.horizon, c.vertical)), LoadOutcome::ModifyNo) << c.horizon << c.vertical;
        Texts expected = c.boxes;
        expected.push_back(kQuestion);
        EXPECT_EQ(host.BoxTexts(), expected) << c.horizon << c.vertical;
        EXPECT_TRUE(c.holds(d)) << c.horizon << c.vertical;
    }
}

TEST_F(LoaderReports, ProblemsComeInKeyOrderAndTheAnswerDecides) {
    const std::string text = Project("MergeCl=1,9,1,2,1,0\nCountSepL=16\n", "EndPoz=5,4\n");
    host.answers = {ui::Answer::Yes};
    EXPECT_EQ(Load(text), LoadOutcome::ModifyYes);
    EXPECT_EQ(host.BoxTexts(), (Texts{H("CountSepL", "Горизонтальных разделителей > 15 !"), V("EndPoz", kDisorder),
                                      H("MergeCl", kBad), kQuestion}));
    EXPECT_EQ(host.boxes[0].buttons, ui::Buttons::Ok);
    EXPECT_EQ(host.boxes[0].icon, ui::Icon::Question);
    EXPECT_EQ(host.boxes[3].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(host.boxes[3].icon, ui::Icon::Question);
}

TEST_F(LoaderReports, MissingFileReportsOnlyTheIdentifier) {
    run.NameIni = (dir / "absent.ini").string();
    EXPECT_EQ(LoadProject(d, run, host), LoadOutcome::NoIdentifier);
    EXPECT_EQ(host.BoxTexts(), Texts{Err("Tabulizer", "Version", "Отсутствует идентификатор проекта !")});
}

TEST_F(LoaderReports, BatchModeEndsAtTheFirstReport) {
    run.Batch = true;
    try {
        Load(Project("EndTitle=0\nEndCap=0\n"));
        FAIL() << "the load went on";
    } catch (const ui::ProgramExit& exit) {
        EXPECT_EQ(exit.status, 1);
    }
    EXPECT_EQ(host.BoxTexts(), Texts{H("EndTitle", kMissing)});
}

}  // namespace
}  // namespace tabulizer::test
