// What a load stores when nothing is wrong.
#include "ProjectFixture.h"

namespace tabulizer::test {
namespace {

using LoaderValues = ProjectFixture;

TEST_F(LoaderValues, ExampleProjectLoadsIntoItsFields) {
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

TEST_F(LoaderValues, LenientFormsAndIgnoredRemainders) {
    d.UnderStr = true;
    d.MergeCl[1].BottomLine = true;
    std::string horizon =
        "EtalStr=# a,#b #\nCountSepL=1\nR0=| -- |\nCountFixLines=1\nFS0=1,3,Итого, всего \"x\"\nPS=0,0,\n"
        "MergeCl=2,4,2,3,1,1,6,1,3,1,0,9,9\nFontTitle=Таймс,12.5,0\nNoSpace=1\nUnderStr=0\nDelNull=-1\n";
    std::string vertical = "EndPoz=10,20,30,\nWidthGraf=9,3,3\nFormatCells=1,2,3,4\nDivideCol= 1 \n";
    ASSERT_EQ(Load(Project(horizon, vertical)), LoadOutcome::Clean);
    EXPECT_EQ(d.EtalStr, " a,#b ");
    EXPECT_EQ(d.SepStr[0], " -- ");
    EXPECT_EQ(Cp1251ToUtf8(d.FixStr[1].Str), "Итого, всего \"x\"");
    EXPECT_EQ(d.FixStr[0].Str, "");
    EXPECT_EQ(d.CountMerge, 2);
    EXPECT_EQ(d.MergeCl[1], (MergeCell{6, 1, 3, 1, true}));  // a 0 leaves the flag as it was
    EXPECT_EQ(d.Fonts[kFontTitle], (Font{"Таймс", 12, 0}));
    EXPECT_TRUE(d.NoSpace && d.UnderStr && d.DivideCol);
    EXPECT_FALSE(d.DelNull);
    EXPECT_EQ((std::vector<i16>(d.EndPoz.begin(), d.EndPoz.begin() + 4)), (std::vector<i16>{3, 10, 20, 30}));
    EXPECT_EQ((std::vector<i16>(d.WidthGraf.begin(), d.WidthGraf.begin() + 4)), (std::vector<i16>{3, 9, 3, 3}));
    EXPECT_EQ(d.CountFormat, 0);  // seven characters: ignored
}

TEST_F(LoaderValues, FormFeedSkipsTheEtalonKeys) {
    d.EtalStrN = 7;
    d.EtalStr = "kept";
    EXPECT_EQ(Load(Project("FormFeed=1\nEtalStrN=0\nEtalStr=bad\n")), LoadOutcome::Clean);
    EXPECT_TRUE(d.FormFeed);
    EXPECT_EQ(d.EtalStrN, 7);
    EXPECT_EQ(d.EtalStr, "kept");
}

}  // namespace
}  // namespace tabulizer::test
