// Batch conversion under the limits a shell can set and with an output it cannot
// write: the program ends as it says, and the earlier workbook stays.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

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
using ::testing::EndsWith;

class BatchLimitsTest : public ::testing::Test {
protected:
    // A report of 1,000 pages of the example, its project, and an earlier workbook.
    void SetUp() override {
        std::ifstream report(TABULIZER_EXAMPLES "/ved.txt", std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(report, line);) lines.push_back(line);
        std::ofstream big(dir / "ved.txt", std::ios::binary);
        for (int page = 0; page < 1000; ++page)
            for (int i = 0; i < 18; ++i) big << lines[i] << '\n';
        big << lines[48] << '\n' << lines[49] << '\n';
        fs::copy_file(TABULIZER_EXAMPLES "/ved.ini", dir / "ved.ini");
        std::ofstream(dir / "ved.xlsx") << "earlier";
    }

    // Runs the program on the project in a shell that first runs `limits`; the
    // status is the shell's (128 + the signal when a signal ended the program).
    int Run(const std::string& limits, const std::string& arguments = "ved.ini") {
        std::string command = "cd '" + dir.string() + "' && (" + limits + "; exec '" TABULIZER_BINARY
                              "' " + arguments + ") >out 2>err";
        int raw = std::system(command.c_str());
        err = ReadFile(dir / "err");
        return WIFSIGNALED(raw) ? 128 + WTERMSIG(raw) : WEXITSTATUS(raw);
    }

    // The earlier workbook is as it was, and no temporary file is left beside it.
    void ExpectEarlierWorkbookAlone() {
        EXPECT_EQ(ReadFile(dir / "ved.xlsx"), "earlier");
        for (const auto& entry : fs::directory_iterator(dir))
            EXPECT_THAT(entry.path().filename().string(), ::testing::AnyOf("ved.ini", "ved.txt", "ved.xlsx", "out", "err"));
    }

    tabulizer::test::TempDir temp{"tabulizer-limits"};
    const fs::path& dir = temp.path();
    std::string err;
};

// A thousand pages once needed more than 200 MB of address space (every sheet was
// held until the save); now one page is, so the program's own start is what counts.
TEST_F(BatchLimitsTest, AThousandPagesConvertFarBelowWhatHoldingEveryPageNeededAndWriteTheSameWorkbook) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than any such limit";
#endif
    ASSERT_EQ(Run("export SOURCE_DATE_EPOCH=0"), 0);
    const std::string unlimited = ReadFile(dir / "ved.xlsx");
    EXPECT_EQ(Run("export SOURCE_DATE_EPOCH=0; ulimit -v 120000"), 0) << err;
    EXPECT_EQ(ReadFile(dir / "ved.xlsx"), unlimited) << "the workbook differs under the limit";
    EXPECT_EQ(unlimited.substr(0, 2), "PK");
}

// From the least address space the program starts in (its libraries' own start-up
// may fail below that) up to what the conversion needs, every limit ends the same
// way: out of memory is code 7 and leaves the earlier workbook alone; no limit
// crashes the program or reports another failure.
TEST_F(BatchLimitsTest, EveryLimitBelowTheNeedIsCodeSevenAndKeepsTheEarlierWorkbook) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than any such limit";
#endif
    int outOfMemory = 0, status = -1;
    for (int kilobytes = 40000; status != 0 && kilobytes <= 400000; kilobytes += 1000) {
        SCOPED_TRACE(kilobytes);
        const std::string limits = "ulimit -c 0; ulimit -v " + std::to_string(kilobytes);
        if (Run(limits, "--version") != 0) continue;
        std::ofstream(dir / "ved.xlsx", std::ios::trunc) << "earlier";
        status = Run(limits);
        if (status == 0) continue;
        ++outOfMemory;
        ASSERT_EQ(status, 1) << err;
        EXPECT_THAT(err, ::testing::HasSubstr("Код ошибки  Visual Basic: 7\n"));
        ExpectEarlierWorkbookAlone();
    }
    EXPECT_EQ(status, 0) << "never converted: " << err;
    EXPECT_GT(outOfMemory, 0) << "no limit let the program start but not finish";
}

TEST_F(BatchLimitsTest, AWorkbookPastTheFileSizeLimitEndsWithItsSignalAndLeavesNoTemporaryFile) {
    EXPECT_EQ(Run("ulimit -c 0; ulimit -f 64"), 128 + SIGXFSZ);
    ExpectEarlierWorkbookAlone();
}

TEST_F(BatchLimitsTest, AnUnwritableOutputIsExplainedOnTheLineAfterItsMessage) {
    const fs::path out = dir / "missing" / "ved.xlsx";
    std::string project = ReadFile(dir / "ved.ini");
    project.replace(project.find("NameOut=ved.xlsx"), 16, "NameOut=" + out.string());
    std::ofstream(dir / "ved.ini", std::ios::binary | std::ios::trunc) << project;
    EXPECT_EQ(Run("true"), 1);
    EXPECT_THAT(err, EndsWith("Код ошибки  Visual Basic: 1004\nНе удалось записать файл «" + out.string() +
                              "»: Нет такого каталога\n"));
    ExpectEarlierWorkbookAlone();
}

}  // namespace
