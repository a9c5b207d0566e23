// Runs the built program from the command line, as a script would.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../support/Files.h"
#include "../support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using tabulizer::test::ReadFile;
using tabulizer::test::TempDir;

struct Outcome {
    int status = -1;
    std::string out, err;
};

class BatchCliTest : public ::testing::Test {
protected:

    // `arguments` go through the shell as written (quote paths yourself).
    Outcome Run(const std::string& arguments) {
        std::string command = std::string("'") + TABULIZER_BINARY + "' " + arguments + " >'" +
                              (dir / "out").string() + "' 2>'" + (dir / "err").string() + "'";
        int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(dir / "out"), ReadFile(dir / "err")};
    }

    TempDir temp{"tabulizer-cli"};
    const std::filesystem::path& dir = temp.path();
};

TEST_F(BatchCliTest, VersionAndHelpGoToStandardOutput) {
    Outcome version = Run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "tabulizer " TABULIZER_VERSION "\n");
    Outcome help = Run("-h");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("tabulizer [ПРОЕКТ.ini]"), std::string::npos);
    EXPECT_EQ(help.err, "");
}

TEST_F(BatchCliTest, MissingProjectFailsWithItsMessage) {
    const std::string project = (dir / "нет такого.ini").string();
    Outcome outcome = Run("'" + project + "'");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "      Пакетная обработка !\nУказанный файл проекта не найден !\n"
                           "Не удалось прочитать файл «" + project + "»: Нет такого файла или каталога\n");
    EXPECT_EQ(outcome.out, "");
}

// A report named like a workbook, and a project naming it as its output too: the
// report must survive, and nothing else may be written.
TEST_F(BatchCliTest, OutputEqualToInputLeavesTheReportAsItWas) {
    fs::copy_file(fs::path(TABULIZER_EXAMPLES) / "ved.txt", dir / "rep.xlsx");
    std::string project = ReadFile(fs::path(TABULIZER_EXAMPLES) / "ved.ini");
    project.replace(project.find("NameIn=ved.txt"), 14, "NameIn=rep.xlsx");
    project.replace(project.find("NameOut=ved.xlsx"), 16, "NameOut=.\\rep.xlsx");
    std::ofstream(dir / "ved.ini", std::ios::binary) << project;
    const std::string report = ReadFile(dir / "rep.xlsx");
    Outcome outcome = Run("'" + (dir / "ved.ini").string() + "'");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "Файл выходного документа совпадает с файлом входного документа !\n"
                           "Не удалось записать файл «" + (dir / "./rep.xlsx").string() +
                               "»: это файл входного документа «" + (dir / "rep.xlsx").string() + "»\n");
    EXPECT_EQ(ReadFile(dir / "rep.xlsx"), report);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 4);  // rep.xlsx, ved.ini, out, err
}

TEST_F(BatchCliTest, SampleProjectConvertsSilentlyAndReplacesTheOldWorkbook) {
    fs::path folder = dir / "мои отчёты";
    fs::create_directories(folder);
    for (const char* name : {"ved.ini", "ved.txt"}) fs::copy_file(fs::path(TABULIZER_EXAMPLES) / name, folder / name);
    std::ofstream(folder / "ved.xlsx") << "old";
    // Unquoted: the shell splits the path at its blank, the program joins it again.
    Outcome outcome = Run((folder / "ved.ini").string());
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(ReadFile(folder / "ved.xlsx").substr(0, 2), "PK");  // a zip container, not the old text
}

}  // namespace

