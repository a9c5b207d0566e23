#include <sys/stat.h>

#include <random>

#include "description/IniFile.h"
#include "description/IniNumbers.h"
#include "ProjectFixture.h"

namespace tabulizer::test {
namespace {

using IniReader = ProjectFixture;

TEST_F(IniReader, MatchesNamesAndCleansValuesLikeTheProfileReader) {
    std::string path = WriteRaw(
        "key=outside any section\r\n"
        "  [ horizon ]  \r\n"
        "  EndTitle  =  ' 5 ' \t\r\n"
        "Mixed=\"a\"b\"\n"
        "Unpaired='x\"\r"
        "Empty=\"\"\n"
        "Eq=a=b\n"
        "no equals sign\n"
        "Dup=first\n"
        "DUP=second\n"
        "[\xD0\xE0\xE7\xE4\xE5\xEB]\n"  // [Раздел]
        "\xCA\xEB\xFE\xF7=\xB8\n"       // Ключ=ё
        "[HORIZON]\n"
        "Late=never read\n");
    EXPECT_EQ(ReadIniValue(path, "Horizon", "endtitle"), " 5 ");
    EXPECT_EQ(ReadIniValue(path, "Horizon", "Mixed"), "a\"b");
    EXPECT_EQ(ReadIniValue(path, "Horizon", "Unpaired"), "'x\"");
    EXPECT_EQ(ReadIniValue(path, "Horizon", "Empty"), "");
    EXPECT_EQ(ReadIniValue(path, "Horizon", "Eq"), "a=b");
    EXPECT_EQ(ReadIniValue(path, "Horizon", "Dup"), "first");
    EXPECT_EQ(ReadIniValue(path, "Horizon", "Late"), "");
    EXPECT_EQ(ReadIniValue(path, "Horizon", "key"), "");
    EXPECT_EQ(ReadIniValue(path, "Horizon", "no equals sign"), "");
    EXPECT_EQ(ReadIniValue(path, "\xF0\xE0\xE7\xE4\xE5\xEB", "\xEA\xCB\xDE\xD7"), "\xB8");  // раздел / кЛЮЧ
    EXPECT_EQ(ReadIniValue(path, "Vertical", "EndTitle"), "");
}

TEST_F(IniReader, CutsValuesAfter254CharactersOnceTheQuotesAreGone) {
    std::string path = WriteRaw("[S]\nLong=" + std::string(300, 'x') + "\nQuoted=\"" + std::string(254, 'y') +
                                "\"\n");
    EXPECT_EQ(ReadIniValue(path, "S", "Long"), std::string(254, 'x'));
    EXPECT_EQ(ReadIniValue(path, "S", "Quoted"), std::string(254, 'y'));
}

TEST_F(IniReader, MissingDirectoryUnreadableAndGarbageFilesReadAsEmpty) {
    EXPECT_EQ(ReadIniValue((dir / "none.ini").string(), "Tabulizer", "Version"), "");
    EXPECT_EQ(ReadIniValue(dir.string(), "Tabulizer", "Version"), "");
    std::string locked = WriteRaw("[Tabulizer]\nVersion=1\n", "locked.ini");
    ::chmod(locked.c_str(), 0);
    if (::geteuid() != 0) {
        EXPECT_EQ(ReadIniValue(locked, "Tabulizer", "Version"), "");
    }

    std::mt19937 random(20240601);
    std::string garbage;
    for (int i = 0; i < 200000; ++i) garbage += static_cast<char>(random() % 256);
    std::string path = WriteRaw(garbage);
    for (const char* key : {"Version", "EndPoz", "x"}) (void)ReadIniValue(path, "Tabulizer", key);

    // A 10 MB line neither hides the keys after it nor lends them its length.
    path = WriteRaw("[S]\nHuge=" + std::string(10 << 20, 'z') + "\r\nAfter=1\r\n" + std::string(10 << 20, '[') +
                    "\n");
    EXPECT_EQ(ReadIniValue(path, "S", "Huge").size(), 254u);
    EXPECT_EQ(ReadIniValue(path, "S", "After"), "1");
}

TEST(IniNumbers, IntegerSyntaxRoundsHalfToEvenAndRefusesMoreThan16Bits) {
    const std::pair<const char*, int> accepted[] = {
        {"  12abc", 12}, {"-7", -7}, {"+3", 3}, {"abc", 0}, {"", 0}, {"-", 0}, {"2.5", 2}, {"3.5", 4},
        {"-2.5", -2}, {"2.51", 3}, {"1.49", 1}, {".5", 0}, {"0.6", 1}, {"1e3", 1}, {"\t32767", 32767},
        {"-32768", -32768}, {"32767.4", 32767}};
    for (auto [text, value] : accepted) EXPECT_EQ(ParseIniInteger(text), std::optional<i16>(value)) << text;
    for (const char* text : {"32768", "-32769", "32767.5", "99999999999999999999999"})
        EXPECT_FALSE(ParseIniInteger(text).has_value()) << text;

    EXPECT_EQ(ParseIniNumberField(" 12 "), std::optional<i16>(12));
    EXPECT_EQ(ParseIniNumberField("9.5"), std::optional<i16>(10));
    for (const char* text : {"", " ", "12pt", "-", "1 2", "40000"}) EXPECT_FALSE(ParseIniNumberField(text)) << text;
}

}  // namespace
}  // namespace tabulizer::test
