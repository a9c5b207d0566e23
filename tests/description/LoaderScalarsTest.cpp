// Required integers, the etalon, separators, flags, the question at the end and
// batch mode.
#include "ProjectFixture.h"

namespace tabulizer::test {
namespace {

using Loader = ProjectFixture;

TEST_F(Loader, CleanProjectAsksNothing) {
    EXPECT_EQ(Load(Project()), LoadOutcome::Clean);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(d.MaxLStr, 80);
    EXPECT_EQ(d.EtalStr, "\xC2\xC5\xC4\xCE\xCC\xCE\xD1\xD2\xDC");  // ВЕДОМОСТЬ, CP1251
}

TEST_F(Loader, MissingFileReportsOnlyTheIdentifier) {
    run.NameIni = (dir / "absent.ini").string();
    EXPECT_EQ(LoadProject(d, run, host), LoadOutcome::NoIdentifier);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, Err("Tabulizer", "Version", "Отсутствует идентификатор проекта !"));
    EXPECT_EQ(host.boxes[0].buttons, ui::Buttons::Ok);
    EXPECT_EQ(host.boxes[0].icon, ui::Icon::Question);
}

TEST_F(Loader, RequiredIntegersReportOneProblemEach) {
    d.EndTitle = 9;
    Load(Project("EndTitle=abc\nEndCap=40000\n", "", "MaxLStr=2.5\n"));
    EXPECT_EQ(d.MaxLStr, 2);
    EXPECT_EQ(d.EndTitle, 0);
    EXPECT_EQ(d.EndCap, 0);
    EXPECT_EQ(host.BoxTexts(), (Texts{Err("Horizon", "EndTitle", "Параметр отсутствует !"),
                                      Err("Horizon", "EndCap", "Ошибка в параметрах !"),
                                      "В параметрах описания файла обнаружены ошибки !\nМодифицировать проект ?"}));
    EXPECT_EQ(host.boxes.back().buttons, ui::Buttons::YesNo);
}

TEST_F(Loader, EtalonNeedsTwoDelimiters) {
    const std::pair<const char*, const char*> bad[] = {
        {"EtalStr=\n", "Параметр отсутствует !"},
        {"EtalStr=ВЕДОМОСТЬ#\n", "Отсутствует символ - ограничитель !"},
        {"EtalStr=#\n", "Отсутствует символ - ограничитель !"}};
    for (auto [line, message] : bad) {
        host.boxes.clear();
        d.EtalStr = "old";
        Load(Project(line));
        EXPECT_EQ(d.EtalStrN, 0) << line;
        EXPECT_EQ(d.EtalStr, "old") << line;
        EXPECT_EQ(host.boxes.front().text, Err("Horizon", "EtalStr", message)) << line;
    }
    host.boxes.clear();
    EXPECT_EQ(Load(Project("EtalStr=##\n")), LoadOutcome::Clean);
    EXPECT_EQ(d.EtalStr, "");
    EXPECT_EQ(Load(Project("EtalStr=# a,#b #\n")), LoadOutcome::Clean);
    EXPECT_EQ(d.EtalStr, " a,#b ");
}

TEST_F(Loader, FormFeedSkipsTheEtalonKeys) {
    d.EtalStrN = 7;
    d.EtalStr = "kept";
    EXPECT_EQ(Load(Project("FormFeed=1\nEtalStrN=0\nEtalStr=bad\n")), LoadOutcome::Clean);
    EXPECT_TRUE(d.FormFeed);
    EXPECT_EQ(d.EtalStrN, 7);
    EXPECT_EQ(d.EtalStr, "kept");
}

TEST_F(Loader, SeparatorsStopAtTheFirstMissingOne) {
    Load(Project("CountSepL=3\nR0=#+--+#\nR1=| -- |\nR3=#later#\n"));
    EXPECT_EQ(d.CountSepL, 2);
    EXPECT_EQ(d.SepStr[0], "+--+");
    EXPECT_EQ(d.SepStr[1], " -- ");
    EXPECT_EQ(host.boxes[0].text, Err("Horizon", "R2", "Не найден горизонтальный разделитель R2 !"));

    host.boxes.clear();
    Load(Project("CountSepL=1\nR0=##\n"));
    EXPECT_EQ(d.CountSepL, 0);
    EXPECT_EQ(host.boxes[0].text, Err("Horizon", "R0", "Не найден горизонтальный разделитель R0 !"));
}

TEST_F(Loader, SeparatorCountAboveFifteenOrNegativeIsRefused) {
    d.SepStr[0] = "old";
    Load(Project("CountSepL=16\nR0=#new#\n"));
    EXPECT_EQ(d.CountSepL, 0);
    EXPECT_EQ(d.SepStr[0], "old");
    EXPECT_EQ(host.boxes[0].text, Err("Horizon", "CountSepL", "Горизонтальных разделителей > 15 !"));

    host.boxes.clear();
    Load(Project("CountSepL=-2\n"));
    EXPECT_EQ(d.CountSepL, 0);
    EXPECT_EQ(host.boxes[0].text, Err("Horizon", "CountSepL", "Ошибка в параметрах !"));
}

TEST_F(Loader, OnlyAOneSetsAFlagAndNothingClearsOne) {
    d.UnderStr = true;
    Load(Project("NoSpace=1\nUnderStr=0\nDelNull=-1\n", "DivideCol= 1 \n", "Code=true\n"));
    EXPECT_TRUE(d.NoSpace);
    EXPECT_TRUE(d.UnderStr);
    EXPECT_TRUE(d.DivideCol);
    EXPECT_FALSE(d.DelNull);
    EXPECT_FALSE(d.Code);
}

TEST_F(Loader, EveryProblemGetsItsBoxInKeyOrderThenOneQuestion) {
    host.answers = {ui::Answer::Yes};
    std::string text = Project("MergeCl=1,9,1,2,1,0\nCountSepL=16\n", "EndPoz=5,4\n");
    EXPECT_EQ(Load(text), LoadOutcome::ModifyYes);
    EXPECT_EQ(host.BoxTexts(), (Texts{Err("Horizon", "CountSepL", "Горизонтальных разделителей > 15 !"),
                                      Err("Vertical", "EndPoz", "Позиции колонок не упорядочены !"),
                                      Err("Horizon", "MergeCl", "Ошибка в параметрах !"),
                                      "В параметрах описания файла обнаружены ошибки !\nМодифицировать проект ?"}));
    host.boxes.clear();
    EXPECT_EQ(Load(text), LoadOutcome::ModifyNo);
}

TEST_F(Loader, BatchModeEndsAtTheFirstReport) {
    run.Batch = true;
    try {
        Load(Project("EndTitle=0\nEndCap=0\n"));
        FAIL() << "the load went on";
    } catch (const ui::ProgramExit& exit) {
        EXPECT_EQ(exit.status, 1);
    }
    EXPECT_EQ(host.BoxTexts(), Texts{Err("Horizon", "EndTitle", "Параметр отсутствует !")});
}

}  // namespace
}  // namespace tabulizer::test
