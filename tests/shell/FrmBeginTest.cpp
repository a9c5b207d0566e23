#include "shell/OsVersion.h"
#include "ShellFixture.h"

namespace tabulizer::test {
namespace {

const char* const kProjectNotFound = "      Пакетная обработка !\nУказанный файл проекта не найден !";

TEST(OsVersionTest, ReadsMajorAndMinorOfAKernelRelease) {
    OsVersion version = ParseKernelRelease("6.8.0-45-generic");
    EXPECT_TRUE(version.Major == 6 && version.Minor == 8);
    EXPECT_EQ(ParseKernelRelease("7-rc1").Minor, 0);  // no minor number
}

TEST_F(ShellTest, WithoutArgumentsOnlyTheSystemVersionIsTaken) {
    struct Case { OsVersion version; bool old; };
    for (Case c : {Case{{5, 0}, true}, Case{{5, 1}, false}, Case{{6, 0}, true}, Case{{4, 9}, true}}) {
        run = {};
        Start("", c.version);
        ASSERT_EQ(Load(), std::nullopt);
        EXPECT_EQ(run.OldWindows, c.old) << c.version.Major << "." << c.version.Minor;
        EXPECT_TRUE(start->Visible && !run.Batch && host.boxes.empty());
    }
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

}  // namespace
}  // namespace tabulizer::test
