// Inputs and surroundings that must never crash a conversion or lose data: control
// bytes, odd line ends, huge lines, positions past the line end, unwritable outputs.
#include "../conversion/RunFixture.h"
#include "../support/Command.h"

namespace tabulizer::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class BadInputTest : public RunTest {
protected:
    void SetUp() override {
        RunTest::SetUp();
        d.FormFeed = true;
    }
    void RawInput(const std::string& bytes) { std::ofstream(d.NameIn, std::ios::binary) << bytes; }

};

TEST_F(BadInputTest, NulAndControlBytesSurviveIntoTheWrittenWorkbook) {
    d.MaxLStr = 8;
    SetColumns({8});
    RawInput(std::string("T\r\nab\0cd\x1A\x01z\r\n", 14));
    EXPECT_EQ(RunWindow(), 0);
    std::string book = ReadBack(d.NameOut);
    // The reader shows the file's escaped form of the control characters.
    EXPECT_THAT(Cell(book, "Лист1", "A2"), StartsWith("s \"ab_x0000_cd_x001A__x0001_z\""));
}

TEST_F(BadInputTest, EveryLineEndIsALineAndTheLastNeedsNone) {
    RawInput("T\r\na\rb\nc\r\nd");
    std::string dump = Convert();
    EXPECT_THAT(Cell(dump, "Лист1", "A2"), StartsWith("s \"a    \""));
    EXPECT_THAT(Cell(dump, "Лист1", "A3"), StartsWith("s \"b    \""));
    EXPECT_THAT(Cell(dump, "Лист1", "A4"), StartsWith("s \"c    \""));
    EXPECT_THAT(Cell(dump, "Лист1", "A5"), StartsWith("s \"d    \""));
    EXPECT_EQ(Cell(dump, "Лист1", "A6").rfind("s ", 0), std::string::npos);
}

TEST_F(BadInputTest, AHugeLineAndPositionsPastTheLineEndAreCutSafely) {
    SetColumns({5, 12, 200});
    d.PozDiv = {3, 1, 150, 300};
    std::string huge(100000, 'x');
    RawInput("T\r\n" + huge + "\r\nshort\r\n");
    std::string dump = Convert();
    EXPECT_THAT(Cell(dump, "Лист1", "A2"), StartsWith("s \" xxxx\""));
    EXPECT_THAT(Cell(dump, "Лист1", "C2"), StartsWith("s \"" + std::string(137, 'x') + " " + std::string(50, 'x')));
    EXPECT_THAT(Cell(dump, "Лист1", "A3"), StartsWith("s \" hort\""));  // position 1 is a table line
    EXPECT_EQ(Cell(dump, "Лист1", "C3").rfind("s ", 0), std::string::npos);
}

TEST_F(BadInputTest, AnInputThatIsADirectoryIsAnAccessFailure) {
    d.NameIn = dir.string();
    EXPECT_EQ(RunWindow(), 1);
    EXPECT_EQ(host.BoxTexts(), (std::vector<std::string>{FailureReport(75)}));
    EXPECT_FALSE(std::filesystem::exists(d.NameOut));
}

TEST_F(BadInputTest, AnOutputThatIsADirectoryFailsAndStaysADirectory) {
    RawInput("T\r\na\r\n");
    std::filesystem::create_directory(d.NameOut);
    EXPECT_EQ(RunWindow(), 1);
    EXPECT_EQ(host.BoxTexts(), (std::vector<std::string>{FailureReport(1004)}));
    EXPECT_TRUE(std::filesystem::is_directory(d.NameOut));
}

}  // namespace
}  // namespace tabulizer::test
