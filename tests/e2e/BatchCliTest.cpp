// Runs the built program from the command line, as a script would.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using tabulizer::test::TempDir;

struct Outcome {
    int status = -1;
    std::string out, err;
};

std::string ReadFile(const fs::path& path) {
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

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
    Outcome outcome = Run("'" + (dir / "нет такого.ini").string() + "'");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "      Пакетная обработка !\nУказанный файл проекта не найден !\n");
    EXPECT_EQ(outcome.out, "");
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

