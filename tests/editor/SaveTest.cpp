// The description is saved when the user finishes step 15, before the conversion
// window starts; a failed save keeps the editor at step 15.
#include <fstream>
#include <sstream>

#include "../support/Files.h"
#include "EditorFixture.h"
#include "description/ProjectSave.h"

namespace tabulizer::test {
namespace {

namespace fs = std::filesystem;

bool HasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\r\n") != std::string::npos;
}

TEST(ProjectRelativePath, InsideTheFolderRelativeOutsideAsGiven) {
    struct Case {
        const char* project;
        const char* path;
        const char* stored;
    } cases[] = {
        {"/p/x.ini", "/p/a.txt", "a.txt"},
        {"/p/x.ini", "/p/sub/b.xlsx", "sub/b.xlsx"},
        {"/p/x.ini", "/p/./sub/../c.txt", "c.txt"},
        {"/p/x.ini", "/q/a.txt", "/q/a.txt"},
        {"/p/x.ini", "/pp/a.txt", "/pp/a.txt"},  // a folder whose name starts alike
        {"/p/x.ini", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProjectRelativePath(c.project, c.path), c.stored) << c.path;
        if (*c.path) {
            EXPECT_EQ(fs::path(ResolveProjectPath(c.project, c.stored)).lexically_normal(),
                      fs::path(c.path).lexically_normal());
        }
    }
}

class SaveTest : public EditorTest {
protected:
    // The ved example opened for modification, moved on to step 15.
    void OpenAtLastStep(bool newProject) {
        LoadExample("ved");
        d.NameOut = (dir / "out" / "ved.xlsx").string();
        Open(d.NameIn, newProject);
        Forward(15);
    }
    fs::path Project() const { return run.NameIni; }
    bool ConversionStarted() const {
        return std::find(host.events.begin(), host.events.end(), "conversion") != host.events.end();
    }
};

TEST_F(SaveTest, FinishingWritesTheProjectBeforeTheConversionAndKeepsTheOldOne) {
    struct Case {
        bool newProject, group, existing;
    } cases[] = {{true, false, false}, {false, false, true}, {false, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.group ? "group" : c.newProject ? "new" : "modified");
        fs::remove_all(dir);
        fs::create_directories(dir);
        d = DocumentDescription{};
        run = RunState{};
        OpenAtLastStep(c.newProject);
        const std::string before = ReadFile(Project());
        if (!c.existing) fs::remove(Project());
        run.GroupProject = c.group;
        editor->OpenConversion = [&] {
            host.events.push_back("conversion");
            EXPECT_TRUE(fs::exists(Project()));  // written before the run starts
        };
        editor->NextFr.Click();
        ASSERT_TRUE(ConversionStarted());
        const std::string saved = ReadFile(Project());
        EXPECT_TRUE(HasLine(saved, c.group ? "NameIn=" : "NameIn=ved.txt"));
        EXPECT_TRUE(HasLine(saved, "NameOut=out/ved.xlsx"));
        EXPECT_EQ(fs::exists(Project().string() + ".bak"), c.existing);
        if (c.existing) {
            EXPECT_EQ(ReadFile(Project().string() + ".bak"), before);
        }
        EXPECT_TRUE(host.boxes.empty());
        host.events.clear();
    }
}

TEST_F(SaveTest, AFailedSaveSaysWhyAndStaysAtTheLastStepUntilTheCauseIsGone) {
    OpenAtLastStep(true);
    run.NameIni = (dir / "missing" / "ved.ini").string();
    editor->NextFr.Click();
    EXPECT_EQ(host.BoxTexts(), (Texts{"Описание проекта не сохранено !\nНет доступа к папке файла проекта !\n" +
                                      run.NameIni}));
    EXPECT_EQ(host.explanations.size(), 1u);
    EXPECT_FALSE(ConversionStarted());
    EXPECT_EQ(run.CurStep, 14);
    EXPECT_EQ(editor->lbNumber.Caption, "15");

    fs::create_directories(dir / "missing");
    editor->NextFr.Click();
    EXPECT_TRUE(ConversionStarted());
    EXPECT_TRUE(fs::exists(run.NameIni));
}

TEST_F(SaveTest, AValueTheFileCannotHoldLeavesTheOldProjectAndNoBackup) {
    OpenAtLastStep(false);
    const std::string before = ReadFile(Project());
    d.Fonts[0].Name = "Font, with comma";
    editor->NextFr.Click();
    EXPECT_EQ(host.BoxTexts(),
              (Texts{"Описание проекта не сохранено !\n"
                     "Описание содержит строку или имя шрифта, которые нельзя записать в файл проекта !\n" +
                     run.NameIni}));
    EXPECT_EQ(ReadFile(Project()), before);
    EXPECT_FALSE(fs::exists(Project().string() + ".bak"));
    EXPECT_FALSE(ConversionStarted());
}

}  // namespace
}  // namespace tabulizer::test
