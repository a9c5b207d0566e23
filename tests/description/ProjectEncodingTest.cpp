// Project files saved by text editors: UTF-8 with or without a byte order mark is
// read as UTF-8, UTF-16 and UTF-32 are refused, everything else is CP1251.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../support/TempDir.h"
#include "common/Cp1251.h"
#include "description/IniFile.h"
#include "description/ProjectEncoding.h"

namespace tabulizer {
namespace {

const std::string kUtf16Refused =
    "Файл проекта записан в кодировке UTF-16 !\nСохраните его в кодировке Windows-1251 или UTF-8 !";
const std::string kUtf32Refused =
    "Файл проекта записан в кодировке UTF-32 !\nСохраните его в кодировке Windows-1251 или UTF-8 !";

std::string Utf16Le(std::string_view ascii) {
    std::string out;
    for (char c : ascii) out += std::string{c, '\0'};
    return out;
}

TEST(ProjectEncoding, Utf8IsConvertedWideEncodingsAreRefusedTheRestIsCp1251) {
    const std::string text = "[Horizon]\nEtalStr=#ВЕДОМОСТЬ ¦ №#\n";
    const std::string cp1251 = Utf8ToCp1251(text);
    struct Case { std::string bytes, cp1251, problem; };
    const Case cases[] = {
        {text, cp1251, ""},
        {"\xEF\xBB\xBF" + text, cp1251, ""},
        {"\xEF\xBB\xBF[General]\n", "[General]\n", ""},  // a mark before ASCII text
        {cp1251, cp1251, ""},
        {Utf8ToCp1251("Всё Сё\n"), Utf8ToCp1251("Всё Сё\n"), ""},  // CP1251 bytes that look like lead bytes
        {"EtalStr=\xC3\xA9\xC0", "EtalStr=\xC3\xA9\xC0", ""},   // broken UTF-8 is CP1251
        {"\xED\xA0\x80", "\xED\xA0\x80", ""},                  // a surrogate is no UTF-8 either
        {"\xC0\xAF", "\xC0\xAF", ""},                          // nor an overlong form
        {"\xFF\xFE" + Utf16Le("[Tabulizer]"), "", kUtf16Refused},
        {"\xFE\xFF" + std::string("\0[", 2), "", kUtf16Refused},
        {Utf16Le("[Tabulizer]\r\nVersion=1\r\n"), "", kUtf16Refused},
        {"\xFF\xFE" + std::string("\0\0[\0\0\0", 6), "", kUtf32Refused},
        {"a=ок\nb=日本\n", "", "Символ \"日\" в строке 2 файла проекта не входит в кодировку Windows-1251 !"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        DecodedProject decoded = DecodeProjectBytes(c.bytes);
        EXPECT_EQ(decoded.problem, c.problem) << c.bytes;
        if (c.problem.empty()) {
            EXPECT_EQ(decoded.cp1251, c.cp1251) << c.bytes;
        }
    }
}

TEST(ProjectEncoding, AUtf8ProjectReadsAsItsCp1251TwinAndAUtf16OneAsNothing) {
    test::TempDir temp{"tabulizer-encoding"};
    const auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(temp.path() / name, std::ios::binary) << bytes;
        return (temp.path() / name).string();
    };
    const std::string text = "[Horizon]\r\nEtalStr=#   ВЕДОМОСТЬ#\r\nR0=#--T--¬#\r\n";
    const std::string utf8 = write("utf8.ini", "\xEF\xBB\xBF" + text);
    EXPECT_EQ(IniFile::Load(utf8).Value("Horizon", "EtalStr"), Utf8ToCp1251("#   ВЕДОМОСТЬ#"));
    EXPECT_EQ(IniFile::Load(utf8).Value("Horizon", "R0"), Utf8ToCp1251("#--T--¬#"));
    EXPECT_EQ(ProjectEncodingProblem(utf8), "");
    const std::string wide = write("wide.ini", "\xFF\xFE" + Utf16Le("[Horizon]\r\nR0=#--#\r\n"));
    EXPECT_EQ(IniFile::Load(wide).Value("Horizon", "R0"), "");
    EXPECT_EQ(ProjectEncodingProblem(wide), kUtf16Refused);
    EXPECT_EQ(ProjectEncodingProblem((temp.path() / "none.ini").string()), "");
}

}  // namespace
}  // namespace tabulizer
