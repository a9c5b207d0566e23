// The inputs the fuzz targets once failed on, fed again exactly as the targets feed
// them: every file of tests/data/fuzz/loader is a project for the loader, every
// file of tests/data/fuzz/run a derived project plus document for a conversion,
// every file of tests/data/fuzz/infer a report to describe.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "../../fuzz/InferCheck.h"
#include "../../fuzz/LoaderCheck.h"
#include "../../fuzz/RunCheck.h"

namespace tabulizer::test {
namespace {

namespace fs = std::filesystem;
using ::testing::IsEmpty;
using ::testing::Not;

std::vector<fs::path> FilesIn(const fs::path& folder, const std::string& extension = "") {
    std::vector<fs::path> files;
    std::error_code none;  // a target without findings has no folder
    for (const auto& entry : fs::directory_iterator(folder, none))
        if (entry.is_regular_file() && entry.path().string().ends_with(extension)) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<fs::path> Inputs(const char* target) { return FilesIn(fs::path(TABULIZER_TEST_DATA) / "fuzz" / target); }

class FuzzRegressionTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("tabulizer-fuzz-regression-" + std::to_string(::getpid()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
};

TEST_F(FuzzRegressionTest, EveryLoaderInputLoadsWithSaneReportsAndBounds) {
    const std::vector<fs::path> files = Inputs("loader");
    ASSERT_THAT(files, Not(IsEmpty()));
    for (const fs::path& file : files)
        EXPECT_THAT(fuzz::CheckLoaderInput(fuzz::ReadFile(file), (folder / "project.ini").string()), IsEmpty())
            << file.filename();
}

// The outcome a run input's name promises: "...-converts" ends in a workbook,
// "...-fails-<code>" in that failure; other names promise only a sane end.
std::optional<int> PromisedCode(const std::string& name) {
    if (name.ends_with("-converts")) return 0;
    std::size_t fails = name.rfind("-fails-");
    if (fails == std::string::npos) return std::nullopt;
    std::string code = name.substr(fails + 7);
    if (code.empty() || code.size() > 4 || code.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(code);
}

// A run input reaches the conversion (its project loads cleanly) and ends in a
// workbook or in a reported failure, leaving nothing but the workbook behind.
TEST_F(FuzzRegressionTest, EveryRunInputConvertsOrFailsWithAReport) {
    const std::vector<fs::path> files = Inputs("run");
    ASSERT_THAT(files, Not(IsEmpty()));
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        fuzz::RunReport report = fuzz::CheckRunInput(fuzz::ReadFile(file), folder / "run");
        EXPECT_TRUE(report.converted) << name;
        EXPECT_THAT(report.problems, IsEmpty()) << name;
        if (std::optional<int> code = PromisedCode(name)) {
            EXPECT_EQ(report.failureCode, *code) << name << ": " << report.failureText;
        }
    }
}

// A report the inference once failed on, and the reports the target starts from:
// what is described is written, loads back cleanly and converts; nothing is left
// behind.
TEST_F(FuzzRegressionTest, EveryInferenceInputIsDescribedLoadedBackAndConverted) {
    std::vector<fs::path> files = Inputs("infer");
    for (const char* seeds : {TABULIZER_EXAMPLES, TABULIZER_TEST_DATA "/inference"})
        for (const fs::path& file : FilesIn(seeds, ".txt")) files.push_back(file);
    ASSERT_THAT(files, Not(IsEmpty()));
    int described = 0;
    for (const fs::path& file : files) {
        fuzz::InferOutcome outcome = fuzz::CheckInferInput(fuzz::ReadFile(file), folder / "infer");
        EXPECT_THAT(outcome.problems, IsEmpty()) << file.filename();
        described += outcome.described ? 1 : 0;
    }
    EXPECT_GT(described, 0);
}

}  // namespace
}  // namespace tabulizer::test
