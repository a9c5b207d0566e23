// Position lists, column formats, fixed lines and the postscript, merged blocks and
// fonts.
#include "ProjectFixture.h"

namespace tabulizer::test {
namespace {

using LoaderGroups = ProjectFixture;

std::string Numbers(int count, int step) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += (i > 1 ? "," : "") + std::to_string(i * step);
    return text;
}

TEST_F(LoaderGroups, PositionListsCountTheirValues) {
    EXPECT_EQ(Load(Project("", "EndPoz=10,20,30,\nWidthGraf=9,3,3\nPozDiv=" + Numbers(50, 2) + ",\n")),
              LoadOutcome::Clean);
    EXPECT_EQ((std::vector<i16>(d.EndPoz.begin(), d.EndPoz.begin() + 4)), (std::vector<i16>{3, 10, 20, 30}));
    EXPECT_EQ((std::vector<i16>(d.WidthGraf.begin(), d.WidthGraf.begin() + 4)), (std::vector<i16>{3, 9, 3, 3}));
    EXPECT_EQ(d.PozDiv[0], 50);
    EXPECT_EQ(d.PozDiv[50], 100);
}

TEST_F(LoaderGroups, PositionListsRefuseDisorderOverflowAndLength) {
    const std::pair<std::string, Texts> cases[] = {
        {"EndPoz=10,,30\n", {Err("Vertical", "EndPoz", "Позиции колонок не упорядочены !")}},
        {"EndPoz=0,10\n", {Err("Vertical", "EndPoz", "Позиции колонок не упорядочены !"),
                           Err("Vertical", "EndPoz", "Параметр отсутствует !")}},
        {"EndPoz=40000\n", {Err("Vertical", "EndPoz", "Ошибка в параметрах !")}},
        {"EndPoz=" + Numbers(51, 1) + "\n", {Err("Vertical", "EndPoz", "Ошибка в параметрах !")}},
        {"PozDiv=5,5\n", {Err("Vertical", "PozDiv", "Позиции колонок не упорядочены !")}}};
    for (const auto& [line, boxes] : cases) {
        host.boxes.clear();
        d.EndPoz = {};
        d.PozDiv = {};
        Load(Project("", line));
        host.boxes.pop_back();  // the question
        EXPECT_EQ(host.BoxTexts(), boxes) << line;
        EXPECT_EQ(line.starts_with("EndPoz") ? d.EndPoz[0] : d.PozDiv[0], 0) << line;
    }
}

TEST_F(LoaderGroups, FormatCellsFillTheRecordOfEachColumn) {
    EXPECT_EQ(Load(Project("", "FormatCells=2,1,3,1,2,4,0,4,0,7,7\n")), LoadOutcome::Clean);
    EXPECT_EQ(d.CountFormat, 2);
    EXPECT_EQ(d.FormatCells[0], (FormatCell{1, 3, 1, 2}));
    EXPECT_EQ(d.FormatCells[3], (FormatCell{4, 0, 4, 0}));
    EXPECT_EQ(d.FormatCells[1], FormatCell{});

    d = {};
    EXPECT_EQ(Load(Project("", "FormatCells=1,2,3,4\n")), LoadOutcome::Clean);  // 7 characters
    EXPECT_EQ(d.CountFormat, 0);

    // Column 5 lies beyond the 4 columns: the group before it stays.
    Load(Project("", "FormatCells=2,2,1,0,0,5,1,0,0\n"));
    EXPECT_EQ(d.CountFormat, 2);
    EXPECT_EQ(d.FormatCells[1], (FormatCell{2, 1, 0, 0}));
    EXPECT_EQ(d.FormatCells[4], FormatCell{});
    EXPECT_EQ(host.boxes[0].text, Err("Vertical", "FormatCells", "Ошибка в параметрах !"));
}

TEST_F(LoaderGroups, FixedLinesKeepCommasInTheirText) {
    EXPECT_EQ(Load(Project("CountFixLines=2\nFS0=1,4,Итого, всего \"x\"\nFS1=0,0,#\nPS=0,0,\n")), LoadOutcome::Clean);
    EXPECT_EQ(d.CountFixLines, 2);
    EXPECT_EQ(d.FixStr[1].BegCol, 1);
    EXPECT_EQ(d.FixStr[1].EndCol, 4);
    EXPECT_EQ(Cp1251ToUtf8(d.FixStr[1].Str), "Итого, всего \"x\"");
    EXPECT_EQ(d.FixStr[2].Str, "#");
    EXPECT_EQ(d.FixStr[0].Str, "");  // a postscript without text: none
}

TEST_F(LoaderGroups, FixedLineProblems) {
    const std::pair<std::string, Texts> cases[] = {
        {"CountFixLines=1\nFS0=1,4,\n", {Err("Horizon", "FS0", "Фиксированная Строка - пустая FS0 !")}},
        {"CountFixLines=1\nFS0=1,4\n", {Err("Horizon", "FS", "Ошибка в параметрах !"),
                                         Err("Horizon", "FS0", "Фиксированная Строка - пустая FS0 !")}},
        {"CountFixLines=2\nFS0=1,5,x\nFS1=1,1,y\n", {Err("Horizon", "FS", "Ошибка в параметрах !"),
                                                    Err("Horizon", "FS0", "Фиксированная Строка - пустая FS0 !")}},
        {"CountFixLines=3\nFS0=1,1,a\nFS1=1,1,b\n", {Err("Horizon", "FS2", "Не найдена Фиксированная Строка FS2 !")}},
        {"CountFixLines=31\nFS0=1,1,a\n", {Err("Horizon", "CountFixLines", "Счётчик Фиксированных Строк > 30 !")}},
        {"CountFixLines=-1\nPS=,1,z\n", {Err("Horizon", "CountFixLines", "Ошибка в параметрах !"),
                                        Err("Horizon", "PS", "Ошибка в параметрах !")}}};
    const int counts[] = {1, 1, 2, 2, 0, 0};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        host.boxes.clear();
        d.FixStr = {};
        Load(Project(cases[i].first));
        host.boxes.pop_back();
        EXPECT_EQ(host.BoxTexts(), cases[i].second) << cases[i].first;
        EXPECT_EQ(d.CountFixLines, counts[i]) << cases[i].first;
    }
    // A bad column keeps the text the element had.
    d.FixStr[1].Str = "before";
    Load(Project("CountFixLines=1\nFS0=1,,after\n"));
    EXPECT_EQ(d.FixStr[1].Str, "before");
    EXPECT_EQ(d.FixStr[1].EndCol, 0);
}

TEST_F(LoaderGroups, MergedBlocks) {
    d.MergeCl[1].BottomLine = true;
    EXPECT_EQ(Load(Project("MergeCl=2,4,2,3,1,1,6,1,4,1,0,9,9\n")), LoadOutcome::Clean);
    EXPECT_EQ(d.CountMerge, 2);
    EXPECT_EQ(d.MergeCl[0], (MergeCell{4, 2, 3, 1, true}));
    EXPECT_EQ(d.MergeCl[1], (MergeCell{6, 1, 4, 1, true}));  // 0 leaves the flag as it was

    EXPECT_EQ(Load(Project("MergeCl=1,4,2\n")), LoadOutcome::Clean);  // 5 characters: ignored
    EXPECT_EQ(d.CountMerge, 2);

    for (const char* value : {"1,4,3,3,1,1", "1,4,2,3,4,1", "1,3,2,3,1,1", "1,4,2,5,1,1", "1,4,2,3,1,2", "21,4,2,3,1,1"}) {
        host.boxes.clear();
        Load(Project(std::string("MergeCl=") + value + "\n"));
        EXPECT_EQ(d.CountMerge, 0) << value;
        EXPECT_EQ(d.MergeCl, decltype(d.MergeCl){}) << value;
        EXPECT_EQ(host.boxes[0].text, Err("Horizon", "MergeCl", "Ошибка в параметрах !")) << value;
    }
}

TEST_F(LoaderGroups, FontsFallBackToTheirDefaultWhenAFieldIsBad) {
    EXPECT_EQ(Load(Project("FontTitle=Таймс,12.5,0\nFontInf=Arial,10,2,extra\n")), LoadOutcome::Clean);
    EXPECT_EQ(d.Fonts[kFontTitle], (Font{"Таймс", 12, 0}));
    EXPECT_EQ(d.Fonts[kFontInf], (Font{"Arial", 10, 2}));

    for (const char* value : {"Arial,9", "Arial,9,4", "Arial,9,-1", "Arial,9pt,1", ",9,1", "Arial,,1"}) {
        host.boxes.clear();
        d.Fonts[kFontCap] = {"Other", 1, 0};
        Load(Project(std::string("FontCap=") + value + "\n"));
        EXPECT_EQ(d.Fonts[kFontCap], (Font{"Courier New", 9, 3})) << value;
        EXPECT_EQ(host.boxes[0].text, Err("Horizon", "FontCap", "Ошибка в параметрах !")) << value;
    }
}

TEST_F(LoaderGroups, ExampleProjectLoadsIntoItsFields) {
    run.NameIni = std::string(TABULIZER_TEST_DATA) + "/projects/example.ini";
    ASSERT_EQ(LoadProject(d, run, host), LoadOutcome::Clean);
    DocumentDescription want;
    want.InitFontsAndMerges();
    want.MaxLStr = 80;
    want.EndTitle = 3;
    want.EndCap = 6;
    want.EtalStrN = 2;
    want.EtalStr = Utf8ToCp1251("ВЕДОМОСТЬ");
    want.CountSepL = 1;
    want.SepStr[0] = "+------+------+";
    want.CountFixLines = 1;
    want.FixStr[1] = {0, 1, 4, Utf8ToCp1251("Итого")};
    want.FixStr[0] = {0, 0, 0, Utf8ToCp1251("Главный бухгалтер")};
    want.CountMerge = 1;
    want.MergeCl[0] = {4, 2, 3, 1, true};
    want.Fonts[kFontTitle] = {"Arial", 12, 1};
    want.EndPoz = {4, 10, 30, 45, 80};
    want.PozDiv = {3, 11, 31, 46};
    want.CountFormat = 1;
    want.FormatCells[2] = {3, 1, 1, 2};
    want.WidthGraf = {4, 10, 20, 15, 35};
    want.DivideCol = true;
    EXPECT_EQ(d, want);
    EXPECT_EQ(ReadIniValue(run.NameIni, "General", "NameIn"), "C:\\REP\\OUT.TXT");
}

}  // namespace
}  // namespace tabulizer::test
