#include "ShellFixture.h"

namespace tabulizer::test {
namespace {

using Texts = std::vector<std::string>;

TEST_F(ShellTest, ProjectNameGetsIniOrIsRefused) {
    frmOpenFile& wizard = Begin(&frmBegin::NewProj);
    EXPECT_EQ(Enter(wizard.txtIniDoc, "x.txt"), "x.txt");
    EXPECT_EQ(host.BoxTexts(), Texts{"Расширение файла не .ini !"});
    EXPECT_FALSE(wizard.frOutDoc.Visible);
    EXPECT_EQ(Enter(wizard.txtIniDoc, ""), "");
    EXPECT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(Enter(wizard.txtIniDoc, "X.INI"), "X.INI");
    EXPECT_EQ(Enter(wizard.txtIniDoc, "old.v/pr"), "old.v/pr.ini");  // a dot in a folder is no extension
    EXPECT_EQ(run.NameIni, "old.v/pr.ini");
    EXPECT_TRUE(wizard.frOutDoc.Visible && wizard.ButOutDoc.HasFocus());
}

TEST_F(ShellTest, OutputNameGetsXlsxAcceptsXlsAndRefusesOthers) {
    frmOpenFile& wizard = Begin(&frmBegin::NewProj);
    EXPECT_EQ(Enter(wizard.txtOutDoc, "out.txt"), "out.txt");
    EXPECT_EQ(Enter(wizard.txtOutDoc, "out.docx"), "out.docx");
    EXPECT_EQ(host.BoxTexts(), Texts(2, "Расширение файла не .xlsx !"));
    EXPECT_FALSE(wizard.NextFr.Enabled);
    EXPECT_EQ(Enter(wizard.txtOutDoc, "OUT.XLS"), "OUT.XLS");
    EXPECT_EQ(Enter(wizard.txtOutDoc, "r.Xlsx"), "r.Xlsx");
    EXPECT_EQ(Enter(wizard.txtOutDoc, "out"), "out.xlsx");
    EXPECT_EQ(description.NameOut, "out.xlsx");
    EXPECT_TRUE(wizard.frGroupProj.Visible && wizard.NextFr.Enabled && wizard.NextFr.HasFocus());
}

TEST_F(ShellTest, PathBoxesDropLineBreaksAndClearPromptsOnClickOrFocus) {
    frmOpenFile& wizard = Begin(&frmBegin::NewProj);
    EXPECT_EQ(wizard.txtInDoc.Text(), "Маршрут и имя файла \r\nвходного документа\r\n");
    wizard.txtInDoc.SetText("C:\\Отчёты\\мар 2.txt\r\n");
    wizard.txtInDoc.Click();
    EXPECT_EQ(wizard.txtInDoc.Text(), "C:\\Отчёты\\мар 2.txt");
    wizard.txtOutDoc.SetText("МАРШРУТ к файлу");
    wizard.txtOutDoc.Click();
    EXPECT_EQ(wizard.txtOutDoc.Text(), "");
    // Reached by the keyboard or by the logic: the prompt goes all the same, a path stays.
    wizard.txtIniDoc.SetText(std::string(frmOpenFile::kIniDocPrompt));
    wizard.txtIniDoc.SetFocus();
    EXPECT_EQ(wizard.txtIniDoc.Text(), "");
    wizard.txtInDoc.SetFocus();
    EXPECT_EQ(wizard.txtInDoc.Text(), "C:\\Отчёты\\мар 2.txt");
}

TEST_F(ShellTest, ForwardTakesNoPromptForAPath) {
    frmOpenFile& wizard = Begin(&frmBegin::NewProj);
    wizard.txtOutDoc.SetText(std::string(frmOpenFile::kOutDocPrompt));
    wizard.NextFr_Click();
    EXPECT_EQ(host.BoxTexts(), Texts{"Файл входного документа не найден !"});
    EXPECT_EQ(description.NameIn, "");
    EXPECT_EQ(description.NameOut, "");
    EXPECT_EQ(run.NameIni, "");
}

TEST_F(ShellTest, ProjectPathsAreDecodedAndResolvedBesideTheProject) {
    Write("ведомость.txt", "x");
    frmOpenFile& wizard = Begin(&frmBegin::OldProj);
    Enter(wizard.txtIniDoc, Project("ведомость.txt", "итог"));
    EXPECT_EQ(wizard.txtInDoc.Text(), Path("ведомость.txt"));
    EXPECT_EQ(wizard.txtOutDoc.Text(), Path("итог.xlsx"));
    EXPECT_TRUE(wizard.frModIni.Visible && wizard.frInDoc.Visible && wizard.NextFr.HasFocus());
}

// A wrong path once read as a project without an input document: a group project,
// which step 15 then saved over the real project without its NameIn.
TEST_F(ShellTest, WrongProjectPathIsRefusedAtEnterNotTakenForAGroupProject) {
    Write("ved.txt", "x");
    std::filesystem::create_directory(dir / "folder.ini");
    frmOpenFile& wizard = Begin(&frmBegin::OldProj);
    for (const std::string& path : {Path("missing.ini"), Path("folder.ini")}) {
        host.boxes.clear();
        EXPECT_EQ(Enter(wizard.txtIniDoc, path), path);
        EXPECT_EQ(host.BoxTexts(), Texts{"Указанный файл проекта не найден !"}) << path;
        EXPECT_TRUE(wizard.txtIniDoc.HasFocus());
        EXPECT_FALSE(wizard.frModIni.Visible || wizard.frInDoc.Visible || wizard.NextFr.Enabled);
        EXPECT_EQ(wizard.optGrPrYes.Value, 0);
    }
}

// The group answer follows the project accepted last, and starts afresh with the
// next project, whichever way the user comes back to the start.
TEST_F(ShellTest, GroupAnswerFollowsTheProjectAndStartsAfresh) {
    Write("ved.txt", "x");
    const std::string group = Write("group.ini", "[Tabulizer]\nVersion=1\n[General]\nNameIn=\nNameOut=o.xlsx\n");
    frmOpenFile& wizard = Begin(&frmBegin::OldProj);
    auto answer = [&] { return std::to_string(wizard.optGrPrYes.Value) + std::to_string(wizard.optGrPrNo.Value); };
    Enter(wizard.txtIniDoc, group);
    EXPECT_EQ(answer(), "10");
    Enter(wizard.txtIniDoc, Project("ved.txt", "out"));
    EXPECT_EQ(answer(), "01");
    Enter(wizard.txtIniDoc, group);
    wizard.BackFr.Click();
    EXPECT_EQ(answer(), "01");
    start->NewProj.Click();
    EXPECT_EQ(answer(), "01");
    wizard.optGrPrYes.Click();
    wizard.BackFr.Click();
    start->NewProj.Click();
    EXPECT_EQ(answer(), "01");
}

TEST_F(ShellTest, OpenExcelKeepsTheWorkbookOpenWithoutOverwriteQuestion) {
    Write("ved.xlsx", "old");
    frmOpenFile& wizard = Begin(&frmBegin::OldProj);
    Enter(wizard.txtIniDoc, SampleProject("OpenExcel=0", "OpenExcel=1"));
    EXPECT_TRUE(wizard.CBoxNoClose.Value == 1 && !wizard.frOutDoc.Visible);
    EXPECT_TRUE(description.NoClose && description.NameOut.empty());
    wizard.NextFr.Click();
    EXPECT_TRUE(host.boxes.empty() && !run.Overwrite && Happened("conversion"));

    // The tick belongs to that project: the next one, without OpenExcel, is saved.
    wizard.BackFr.Click();
    start->OldProj.Click();
    Enter(wizard.txtIniDoc, Project("ved.txt", "other.xlsx"));
    EXPECT_TRUE(wizard.CBoxNoClose.Value == 0 && !description.NoClose && wizard.NextFr.Enabled);
    EXPECT_EQ(description.NameOut, Path("other.xlsx"));
}

TEST_F(ShellTest, ExistingOutputIsReplacedOnlyAfterYes) {
    Write("ved.xlsx", "old");
    frmOpenFile& wizard = Begin(&frmBegin::OldProj);
    Enter(wizard.txtIniDoc, SampleProject());
    wizard.NextFr.Click();
    EXPECT_EQ(host.BoxTexts(), Texts{"Файл выходного документа уже существует !\nПерезаписать файл ?"});
    EXPECT_EQ(host.boxes[0].buttons, ui::Buttons::YesNo);
    EXPECT_TRUE(wizard.ButOutDoc.HasFocus() && !run.Overwrite && !Happened("conversion"));
    host.answers.push_back(ui::Answer::Yes);
    wizard.NextFr.Click();
    EXPECT_TRUE(run.Overwrite && Happened("hide frmOpenFile") && Happened("conversion"));
}

TEST_F(ShellTest, ProjectProblemsLeadToExitOrEditor) {
    frmOpenFile& wizard = Begin(&frmBegin::OldProj);
    Enter(wizard.txtIniDoc, SampleProject("MaxLStr=61", "MaxLStr=0"));
    wizard.NextFr.Click();  // declines to modify
    EXPECT_TRUE(!wizard.NextFr.Enabled && wizard.ButExit.HasFocus());
    EXPECT_FALSE(Happened("conversion") || Happened("editor"));
    wizard.NextFr.Enabled = true;
    host.answers.push_back(ui::Answer::Yes);
    wizard.NextFr.Click();
    EXPECT_TRUE(wizard.optModYes.Value == 1 && Happened("editor") && !Happened("conversion"));
}

TEST_F(ShellTest, BatchFailuresEndTheRunWithTheirMessage) {
    struct Case { std::string from, to, message; };
    const Case cases[] = {
        {"NameIn=ved.txt", "NameIn=", "В проекте нет имени файла входного документа !"},
        {"NameIn=ved.txt", "NameIn=none.txt", "Файл входного документа не найден !"},
        {"NameOut=ved.xlsx", "NameOut=ved.txt", "Расширение файла не .xlsx !"},
        {"NameOut=ved.xlsx", "NameOut=", "В проекте нет имени файла выходного документа !"},
        {"MaxLStr=61", "MaxLStr=x",
         "Ошибка файла описания проекта !\nСекция: General  Параметр: MaxLStr - Параметр отсутствует !"},
        {"", "", "Расширение файла не .ini !"},  // the project itself named "ved.txt.bak"
    };
    for (const Case& c : cases) {
        ClearDir();
        host = {};
        std::string project = SampleProject(c.from, c.to);
        if (c.from.empty()) {
            std::filesystem::rename(project, Path("ved.txt.bak"));
            project = Path("ved.txt.bak");
        }
        Start(project);
        EXPECT_EQ(Load(), 1) << c.message;
        EXPECT_EQ(host.BoxTexts(), Texts{c.message});
        EXPECT_FALSE(Happened("conversion") || Happened("show frmBegin"));
    }
}

TEST_F(ShellTest, BatchReplacesAnExistingOutputAndAlwaysSaves) {
    Write("ved.xlsx", "old");
    Start(SampleProject("OpenExcel=0", "OpenExcel=1"));
    EXPECT_EQ(Load(), std::nullopt);
    EXPECT_TRUE(host.boxes.empty() && run.Batch && run.Overwrite && !description.NoClose);
    EXPECT_EQ(description.NameOut, Path("ved.xlsx"));
    EXPECT_TRUE(Happened("conversion") && !Happened("show frmBegin"));
}

}  // namespace
}  // namespace tabulizer::test
