#include "conversion/InputFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "../support/TempDir.h"
#include "common/Failure.h"

namespace tabulizer {
namespace {

using V = std::vector<std::string>;

// The lines of a file holding `bytes`; a failure becomes its code as the only line.
V Lines(const std::string& bytes, std::string path = "") {
    test::TempDir temp("tabulizer-input");
    if (path.empty()) {
        path = (temp.path() / "input.txt").string();
        std::ofstream(path, std::ios::binary) << bytes;
    }
    V lines;
    try {
        InputFile file(path);
        while (!file.AtEnd()) file.ReadLine(lines.emplace_back());
    } catch (const Failure& f) {
        return {std::to_string(f.code())};
    }
    return lines;
}

TEST(InputFile, SplitsAtEveryKindOfLineEndAndKeepsNul) {
    EXPECT_EQ(Lines("a\r\nb\nc\rd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(Lines("a\r\n\r\n"), (V{"a", ""}));
    EXPECT_EQ(Lines("a\r\rb\n"), (V{"a", "", "b"}));
    EXPECT_EQ(Lines(""), V{});
    EXPECT_EQ(Lines(std::string("n\0l\r", 4)), (V{std::string("n\0l", 3)}));
}

TEST(InputFile, LinesCrossingTheBufferBoundaryStayWhole) {
    const std::string first(65535, 'a');  // CR ends the first buffer, LF opens the next
    EXPECT_EQ(Lines(first + "\r\nz"), (V{first, "z"}));
    const std::string longLine(100000, 'q');
    EXPECT_EQ(Lines(longLine + "\n" + longLine), (V{longLine, longLine}));
}

TEST(InputFile, CountsTheBytesReadAgainstTheSize) {
    test::TempDir temp("tabulizer-input");
    const std::string path = (temp.path() / "input.txt").string();
    std::ofstream(path, std::ios::binary) << std::string(70000, 'a') << "\nb\n";
    InputFile file(path);
    EXPECT_EQ(file.Size(), 70003u);
    EXPECT_EQ(file.BytesRead(), 0u);
    std::string line;
    file.ReadLine(line);
    EXPECT_EQ(file.BytesRead(), 70003u);  // the line crossed into the second buffer
    file.ReadLine(line);
    EXPECT_TRUE(file.AtEnd());
    EXPECT_EQ(file.BytesRead(), file.Size());
}

TEST(InputFile, FailuresCarryTheirCodes) {
    EXPECT_EQ(Lines("", "/nonexistent_dir/report.txt"), V{"53"});
    EXPECT_EQ(Lines("", std::filesystem::temp_directory_path().string()), V{"75"});
    EXPECT_EQ(Lines("", "/proc/self/mem"), V{"57"});  // reading at offset 0 fails
}

}  // namespace
}  // namespace tabulizer
