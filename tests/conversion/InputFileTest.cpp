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

// A line end is looked for as the LF ahead and the CR or form feed before it: each
// kind is found first wherever the others stand, in the same buffer or the next.
TEST(InputFile, TheFirstLineEndOrFormFeedEndsAPart) {
    const std::string full(65536, 'f');  // fills one buffer exactly
    std::string manyCr;
    for (int i = 0; i < 20000; ++i) manyCr += "line " + std::to_string(i) + "\r";
    V manyCrLines;
    for (int i = 0; i < 20000; ++i) manyCrLines.push_back("line " + std::to_string(i));
    const struct {
        const char* what;
        std::string bytes;
        V parts;  // read up to form feeds as well; a form feed ends its part
    } cases[] = {
        {"CR before a later LF", "a\rb\r\nc\n", {"a", "b", "c"}},
        {"form feed before CR LF", "a\fb\r\nc", {"a", "b", "c"}},
        {"form feed after the LF", "a\nb\fc", {"a", "b", "c"}},
        {"LF only in the next buffer", full + "\rg\rh\n", {full, "g", "h"}},
        {"lone CRs through several buffers", manyCr, manyCrLines},
    };
    test::TempDir temp("tabulizer-input");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = (temp.path() / "input.txt").string();
        std::ofstream(path, std::ios::binary) << c.bytes;
        InputFile file(path);
        V parts;
        while (!file.AtEnd()) file.ReadPart(parts.emplace_back(), 100000, true);
        EXPECT_EQ(parts, c.parts);
    }
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
