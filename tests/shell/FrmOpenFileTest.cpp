#include <fstream>
#include <sstream>

#include "ShellFixture.h"

namespace tabulizer::test {
namespace {

const char* const kOverwrite = "Файл выходного документа уже существует !\nПерезаписать файл ?";

class WizardTest : public ShellTest {
protected:
    // The sample project and its document, with `from` replaced by `to` in the project.
    std::string SampleProject(const std::string& from = "", const std::string& to = "") {
        std::filesystem::copy_file(std::filesystem::path(TABULIZER_EXAMPLES) / "ved.txt", dir / "ved.txt");
        std::ifstream in(std::filesystem::path(TABULIZER_EXAMPLES) / "ved.ini", std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        std::string text = content.str();
        if (!from.empty()) text.replace(text.find(from), from.size(), to);
        std::ofstream(dir / "ved.ini", std::ios::binary) << text;
        return Path("ved.ini");
    }

    frmOpenFile& NewProject() {
        Start();
        Load();
        start->NewProj.Click();
        return Wizard();
    }

    frmOpenFile& OpenProject(const std::string& path) {
        Start();
        Load();
        start->OldProj.Click();
        Wizard().txtIniDoc.SetText(path);
        Wizard().txtIniDoc.PressEnter();
        return Wizard();
    }

    // Runs batch mode on `project`; the status, or nullopt when the run went on.
    std::optional<int> Batch(const std::string& project) {
        Start(project);
        return Load();
    }

    std::string LastBox() const { return host.boxes.empty() ? "" : host.boxes.back().text; }
};

TEST_F(WizardTest, ProjectNameGetsIniOrIsRefused) {
    frmOpenFile& wizard = NewProject();
    auto enter = [&](const std::string& typed) {
        wizard.txtIniDoc.SetText(typed);
        wizard.txtIniDoc.PressEnter();
        return wizard.txtIniDoc.Text();
    };
    EXPECT_EQ(enter("x.txt"), "x.txt");
    EXPECT_EQ(host.BoxTexts(), std::vector<std::string>{"Расширение файла не .ini !"});
    EXPECT_FALSE(wizard.frOutDoc.Visible);
    EXPECT_EQ(enter(""), "");
    EXPECT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(enter("X.INI"), "X.INI");
    EXPECT_EQ(enter("proj"), "proj.ini");
    EXPECT_EQ(enter("old.v/pr"), "old.v/pr.ini");  // a dot in a folder is no extension
    EXPECT_EQ(run.NameIni, "old.v/pr.ini");
    EXPECT_TRUE(wizard.frOutDoc.Visible);
    EXPECT_TRUE(wizard.ButOutDoc.HasFocus());
}

TEST_F(WizardTest, OutputNameGetsXlsxAcceptsXlsAndRefusesOthers) {
    frmOpenFile& wizard = NewProject();
    auto enter = [&](const std::string& typed) {
        wizard.txtOutDoc.SetText(typed);
        wizard.txtOutDoc.PressEnter();
        return wizard.txtOutDoc.Text();
    };
    EXPECT_EQ(enter("out.txt"), "out.txt");
    EXPECT_EQ(enter("out.docx"), "out.docx");
    EXPECT_EQ(host.BoxTexts(), std::vector<std::string>(2, "Расширение файла не .xlsx !"));
    EXPECT_FALSE(wizard.NextFr.Enabled);
    EXPECT_EQ(enter("OUT.XLS"), "OUT.XLS");
    EXPECT_EQ(enter("r.Xlsx"), "r.Xlsx");
    EXPECT_EQ(enter("out"), "out.xlsx");
    EXPECT_EQ(description.NameOut, "out.xlsx");
    EXPECT_TRUE(wizard.frGroupProj.Visible);
    EXPECT_TRUE(wizard.NextFr.Enabled && wizard.NextFr.HasFocus());
}

TEST_F(WizardTest, PathBoxesDropLineBreaksAndClearPromptsOnClick) {
    frmOpenFile& wizard = NewProject();
    EXPECT_EQ(wizard.txtInDoc.Text(), "Маршрут и имя файла \r\nвходного документа\r\n");
    wizard.txtInDoc.Click();
    EXPECT_EQ(wizard.txtInDoc.Text(), "");
    wizard.txtInDoc.SetText("C:\\Отчёты\\мар 2.txt\r\n");
    EXPECT_EQ(wizard.txtInDoc.Text(), "C:\\Отчёты\\мар 2.txt");
    wizard.txtInDoc.Click();
    EXPECT_EQ(wizard.txtInDoc.Text(), "C:\\Отчёты\\мар 2.txt");
    wizard.txtOutDoc.SetText("МАРШРУТ к файлу");
    wizard.txtOutDoc.Click();
    EXPECT_EQ(wizard.txtOutDoc.Text(), "");
}

TEST_F(WizardTest, ProjectPathsAreDecodedAndResolvedBesideTheProject) {
    Write("ведомость.txt", "x");
    frmOpenFile& wizard = OpenProject(Project("ведомость.txt", "итог"));
    EXPECT_EQ(wizard.txtInDoc.Text(), Path("ведомость.txt"));
    EXPECT_EQ(wizard.txtOutDoc.Text(), Path("итог.xlsx"));
    EXPECT_TRUE(wizard.frModIni.Visible && wizard.frInDoc.Visible && wizard.frGroupProj.Visible);
    EXPECT_TRUE(wizard.NextFr.HasFocus());
}

TEST_F(WizardTest, OpenExcelKeepsTheWorkbookOpenWithoutOverwriteQuestion) {
    Write("ved.xlsx", "old");
    frmOpenFile& wizard = OpenProject(SampleProject("OpenExcel=0", "OpenExcel=1"));
    EXPECT_EQ(wizard.CBoxNoClose.Value, 1);
    EXPECT_FALSE(wizard.frOutDoc.Visible);
    EXPECT_TRUE(description.NoClose);
    EXPECT_EQ(description.NameOut, "");
    wizard.NextFr.Click();
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_FALSE(run.Overwrite);
    EXPECT_TRUE(Happened("conversion"));

    // The tick belongs to that project: the next one, without OpenExcel, is saved.
    wizard.BackFr.Click();
    start->OldProj.Click();
    wizard.txtIniDoc.SetText(Project("ved.txt", "other.xlsx"));
    wizard.txtIniDoc.PressEnter();
    EXPECT_EQ(wizard.CBoxNoClose.Value, 0);
    EXPECT_FALSE(description.NoClose);
    EXPECT_EQ(description.NameOut, Path("other.xlsx"));
    EXPECT_TRUE(wizard.NextFr.Enabled);
}

TEST_F(WizardTest, ExistingOutputIsReplacedOnlyAfterYes) {
    Write("ved.xlsx", "old");
    frmOpenFile& wizard = OpenProject(SampleProject());
    wizard.NextFr.Click();
    EXPECT_EQ(host.BoxTexts(), std::vector<std::string>{kOverwrite});
    EXPECT_EQ(host.boxes[0].buttons, ui::Buttons::YesNo);
    EXPECT_TRUE(wizard.ButOutDoc.HasFocus());
    EXPECT_FALSE(run.Overwrite || Happened("conversion"));
    host.answers.push_back(ui::Answer::Yes);
    wizard.NextFr.Click();
    EXPECT_TRUE(run.Overwrite);
    EXPECT_TRUE(Happened("conversion") && Happened("hide frmOpenFile"));
}

TEST_F(WizardTest, ProjectProblemsLeadToExitOrEditor) {
    std::string project = SampleProject("MaxLStr=61", "MaxLStr=0");
    frmOpenFile& wizard = OpenProject(project);
    wizard.NextFr.Click();  // declines to modify
    EXPECT_FALSE(wizard.NextFr.Enabled);
    EXPECT_TRUE(wizard.ButExit.HasFocus());
    EXPECT_FALSE(Happened("conversion") || Happened("editor"));
    wizard.NextFr.Enabled = true;
    host.answers.push_back(ui::Answer::Yes);
    wizard.NextFr.Click();
    EXPECT_EQ(wizard.optModYes.Value, 1);
    EXPECT_TRUE(Happened("editor"));
    EXPECT_FALSE(Happened("conversion"));
}

TEST_F(WizardTest, BatchFailuresEndTheRunWithTheirMessage) {
    struct Case { std::string from, to, message; };
    const Case cases[] = {
        {"NameIn=ved.txt", "NameIn=", "В проекте нет имени файла входного документа !"},
        {"NameIn=ved.txt", "NameIn=none.txt", "Файл входного документа не найден !"},
        {"NameOut=ved.xlsx", "NameOut=ved.txt", "Расширение файла не .xlsx !"},
        {"NameOut=ved.xlsx", "NameOut=", "В проекте нет имени файла выходного документа !"},
        {"MaxLStr=61", "MaxLStr=x",
         "Ошибка файла описания проекта !\nСекция: General  Параметр: MaxLStr - Параметр отсутствует !"},
    };
    for (const Case& c : cases) {
        TearDown();
        SetUp();
        host = {};
        std::string project = SampleProject(c.from, c.to);
        std::optional<int> status = Batch(project);
        ASSERT_TRUE(status.has_value()) << c.message;
        EXPECT_NE(*status, 0) << c.message;
        EXPECT_EQ(host.BoxTexts(), std::vector<std::string>{c.message});
        EXPECT_FALSE(Happened("conversion") || Happened("show frmBegin"));
    }
    std::filesystem::copy_file(Path("ved.ini"), Path("ved.txt.bak"));
    EXPECT_EQ(Batch(Path("ved.txt.bak")), 1);
    EXPECT_EQ(LastBox(), "Расширение файла не .ini !");
}

TEST_F(WizardTest, BatchReplacesAnExistingOutputAndAlwaysSaves) {
    Write("ved.xlsx", "old");
    EXPECT_EQ(Batch(SampleProject("OpenExcel=0", "OpenExcel=1")), std::nullopt);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_TRUE(run.Batch && run.Overwrite);
    EXPECT_FALSE(description.NoClose);
    EXPECT_EQ(description.NameOut, Path("ved.xlsx"));
    EXPECT_TRUE(Happened("conversion"));
    EXPECT_FALSE(Happened("show frmBegin"));
}

TEST_F(WizardTest, BatchGivesAnExtensionlessOutputXlsx) {
    EXPECT_EQ(Batch(SampleProject("NameOut=ved.xlsx", "NameOut=ved")), std::nullopt);
    EXPECT_EQ(description.NameOut, Path("ved.xlsx"));
    EXPECT_FALSE(run.Overwrite);
}

}  // namespace
}  // namespace tabulizer::test
