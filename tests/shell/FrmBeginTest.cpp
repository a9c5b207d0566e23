#include "shell/OsVersion.h"
#include "ShellFixture.h"

namespace tabulizer::test {
namespace {

const char* const kProjectNotFound = "      Пакетная обработка !\nУказанный файл проекта не найден !";

TEST(OsVersionTest, ReadsMajorAndMinorOfAKernelRelease) {
    EXPECT_EQ(ParseKernelRelease("6.8.0-45-generic").Major, 6);
    EXPECT_EQ(ParseKernelRelease("6.8.0-45-generic").Minor, 8);
    EXPECT_EQ(ParseKernelRelease("5.10").Minor, 10);
    EXPECT_EQ(ParseKernelRelease("7-rc1").Minor, 0);  // no minor number
    EXPECT_EQ(ParseKernelRelease("").Major, 0);
}

TEST_F(ShellTest, OldSystemsAreBelow51OrHaveMinorZero) {
    struct Case { OsVersion version; bool old; };
    for (Case c : {Case{{5, 0}, true}, Case{{5, 1}, false}, Case{{6, 0}, true}, Case{{4, 9}, true},
                   Case{{6, 8}, false}}) {
        run = {};
        Start("", c.version);
        ASSERT_EQ(Load(), std::nullopt);
        EXPECT_EQ(run.OldWindows, c.old) << c.version.Major << "." << c.version.Minor;
    }
}

TEST_F(ShellTest, WithoutArgumentsTheStartWindowWaits) {
    Start();
    EXPECT_EQ(Load(), std::nullopt);
    EXPECT_TRUE(start->Visible);
    EXPECT_FALSE(run.Batch);
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(ShellTest, NewProjectAfterGoingBackResetsOnlyTheCodePage) {
    Start();
    Load();
    description.Code = true;
    description.MaxLStr = 61;
    start->OldProj.Click();
    Wizard().BackFr.Click();
    EXPECT_TRUE(start->Visible);
    start->NewProj.Click();
    EXPECT_FALSE(description.Code);
    EXPECT_EQ(description.MaxLStr, 61);
    EXPECT_TRUE(run.NewProject);
    EXPECT_TRUE(Wizard().frInDoc.Visible);
    EXPECT_TRUE(Wizard().ButInDoc.HasFocus());
    EXPECT_FALSE(start->Visible);
}

TEST_F(ShellTest, ProjectBoxShowsItsLongPromptAgainAfterBack) {
    Start();
    Load();
    start->OldProj.Click();
    Wizard().txtIniDoc.SetText(Path("x.ini"));
    Wizard().BackFr.Click();
    EXPECT_EQ(Wizard().txtIniDoc.Text(), "Маршрут и имя INI-файла");
    start->OldProj.Click();
    EXPECT_EQ(Wizard().txtIniDoc.Text(), "Маршрут и имя INI-файла, содержащего описание проекта");
    EXPECT_TRUE(Wizard().ButIniDoc.HasFocus());
    EXPECT_FALSE(Wizard().NextFr.Enabled);
}

TEST_F(ShellTest, BatchEndsWhenTheProjectIsMissingOrAFolder) {
    for (const std::string& path : {Path("none.ini"), dir.string()}) {
        host.boxes.clear();
        Start(path);
        EXPECT_EQ(Load(), 1) << path;
        EXPECT_EQ(host.BoxTexts(), std::vector<std::string>{kProjectNotFound});
        EXPECT_FALSE(start->Visible);
        EXPECT_FALSE(run.Batch);
    }
}

TEST_F(ShellTest, ExitButtonsEndTheProgramWithSuccess) {
    Start();
    Load();
    EXPECT_THROW(start->ButExit.Click(), ui::ProgramExit);
    start->OldProj.Click();
    try {
        Wizard().ButExit.Click();
        FAIL() << "the wizard's exit button did not end the program";
    } catch (const ui::ProgramExit& exit) {
        EXPECT_EQ(exit.status, 0);
    }
}

}  // namespace
}  // namespace tabulizer::test
