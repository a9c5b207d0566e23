#include "description/ProjectWriter.h"

#include <sys/stat.h>

#include "ProjectFixture.h"

namespace tabulizer::test {
namespace {

using ProjectWriter = ProjectFixture;

// A description that uses every key, with texts the reader would change if they
// were written bare.
DocumentDescription Varied() {
    DocumentDescription s;
    s.InitFontsAndMerges();
    s.NameIn = " отчёт.txt";
    s.NameOut = "'out'.xlsx";
    s.NoClose = true;
    s.Code = true;
    s.MaxLStr = 132;
    s.EndTitle = 2;
    s.EndCap = 5;
    s.EtalStrN = 1;
    s.EtalStr = Utf8ToCp1251("  ЛИСТ #1, \"итог\"  ");
    s.CountSepL = 2;
    s.SepStr[0] = "+--+--+";
    s.SepStr[1] = " \t";
    s.CountFixLines = 2;
    s.FixStr[1] = {0, 1, 3, Utf8ToCp1251("Итого ")};
    s.FixStr[2] = {0, 0, 0, "\"quoted\""};
    s.FixStr[0] = {0, 2, 3, ", #PS, "};
    s.EndPoz = {3, 8, 20, 40};
    s.PozDiv = {2, 9, 21};
    s.WidthGraf = {3, 30, 5, 12};
    s.CountFormat = 2;
    s.FormatCells[0] = {1, 3, 1, 2};
    s.FormatCells[2] = {3, 0, 4, 0};
    s.CountMerge = 2;
    s.MergeCl[0] = {3, 1, 3, 2, true};
    s.MergeCl[1] = {5, 2, 3, 1, false};
    s.NoSpace = s.UnderStr = s.DivideCol = s.DelNull = s.Flat = true;
    s.Fonts[kFontTitle] = {" Times New Roman", 14, 3};
    s.Fonts[kFontInf] = {"Шрифт", -8, 0};
    return s;
}

TEST_F(ProjectWriter, LoadingWhatWasWrittenGivesEveryFieldBack) {
    DocumentDescription formFeed = Varied();
    formFeed.FormFeed = true;
    formFeed.EtalStrN = 0;
    formFeed.EtalStr.clear();
    formFeed.FixStr[0] = {};
    formFeed.CountMerge = 0;
    formFeed.MergeCl = {};
    // A text from a report whose CP1251 bytes also form UTF-8 ("5.80Зª"), in a
    // project of nothing else but ASCII: it must not read back as other characters.
    DocumentDescription utf8Alike = formFeed;
    utf8Alike.NameIn = "r.txt";
    utf8Alike.EtalStr.clear();
    utf8Alike.FixStr[1].Str = "5.80\xC7\xAA";
    utf8Alike.FixStr[0] = {};
    utf8Alike.Fonts[kFontInf] = {"Arial", 8, 0};
    for (const DocumentDescription& source : {Varied(), formFeed, utf8Alike}) {
        run.NameIni = (dir / "w.ini").string();
        WriteProject(source, run.NameIni);
        DocumentDescription loaded;
        loaded.InitFontsAndMerges();
        ASSERT_EQ(LoadProject(loaded, run, host), LoadOutcome::Clean);
        loaded.NameIn = Cp1251ToUtf8(ReadIniValue(run.NameIni, "General", "NameIn"));
        loaded.NameOut = Cp1251ToUtf8(ReadIniValue(run.NameIni, "General", "NameOut"));
        loaded.NoClose = ReadIniValue(run.NameIni, "General", "OpenExcel") == "1";
        EXPECT_EQ(loaded, source);
    }
}

TEST_F(ProjectWriter, WritesCp1251CrLfOnlyMeaningfulKeysAndNoFreeSlots) {
    DocumentDescription s = Varied();
    s.FormFeed = true;
    s.CountMerge = 0;
    s.FixStr[0].Str.clear();
    s.WidthGraf[0] = 0;
    s.FormatCells[9] = {10, 1, 1, 1};  // a column that no longer exists
    s.SepStr = {};
    s.SepStr[3] = "==";
    s.SepStr[9] = "--";
    s.FixStr[1].Str.clear();
    s.FixStr[7] = {0, 0, 0, "seven"};
    std::string text = FormatProject(s);
    EXPECT_TRUE(text.starts_with("[Tabulizer]\r\nVersion=1.0\r\n[General]\r\nNameIn=\" \xEE\xF2\xF7\xB8\xF2.txt\"\r\n"));
    EXPECT_NE(text.find("CountSepL=2\r\nR0=#==#\r\nR1=#--#\r\n"), std::string::npos);
    EXPECT_NE(text.find("CountFixLines=2\r\nFS0=0,0,\"quoted\"\r\nFS1=0,0,seven\r\n"), std::string::npos);
    for (const char* absent : {"EtalStr", "MergeCl", "PS=", "WidthGraf", ",10,"})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
    // The flat table is written only when chosen: older projects keep their text.
    EXPECT_NE(text.find("Code=1\r\nFlat=1\r\n"), std::string::npos);
    s.Flat = false;
    EXPECT_EQ(FormatProject(s).find("Flat"), std::string::npos);
}

// The code of the failure WriteProject throws, or 0.
int WriteCode(const DocumentDescription& s, const std::filesystem::path& path, std::string* what = nullptr) {
    try {
        WriteProject(s, path.string());
        return 0;
    } catch (const Failure& failure) {
        if (what) *what = failure.what();
        return failure.code();
    }
}

TEST_F(ProjectWriter, RefusesValuesThatWouldNotReadBackAndKeepsTheOldFile) {
    const std::pair<const char*, void (*)(DocumentDescription&)> cases[] = {
        {"EtalStr", [](DocumentDescription& s) { s.EtalStr = "a\rb"; }},
        {"FS0", [](DocumentDescription& s) { s.FixStr[1].Str = std::string(251, 'x'); }},
        {"NameIn", [](DocumentDescription& s) { s.NameIn = "a\nEndTitle=9"; }},
        {"FontCap", [](DocumentDescription& s) { s.Fonts[kFontCap].Name = "A,B"; }}};
    run.NameIni = (dir / "kept.ini").string();
    WriteProject(Varied(), run.NameIni);
    for (auto [key, spoil] : cases) {
        DocumentDescription s = Varied();
        spoil(s);
        std::string what;
        EXPECT_EQ(WriteCode(s, run.NameIni, &what), kCannotWrite) << key;
        EXPECT_NE(what.find(key), std::string::npos) << what;
    }
    EXPECT_EQ(LoadProject(d, run, host), LoadOutcome::Clean);
    EXPECT_EQ(WriteCode(Varied(), dir / "no-folder" / "p.ini"), kPathAccessError);
    std::filesystem::create_directories(dir / "taken" / "inner");
    EXPECT_EQ(WriteCode(Varied(), dir / "taken"), kCannotWrite);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2);  // no temporary left
}

// Relative paths name files beside the project; projects written on Windows use
// backslashes, and their drive, server and root paths stand for the file of that
// name beside the project, with a note for batch mode.
TEST(ProjectPath, StoredPathsNameFilesBesideTheProjectAlsoFromWindows) {
    struct Case { std::string project, stored, path; bool noted; };
    const Case cases[] = {
        {"/data/p/x.ini", "in/rep.txt", "/data/p/in/rep.txt", false},
        {"/data/p/x.ini", "/abs/rep.txt", "/abs/rep.txt", false},
        {"x.ini", "rep.txt", "rep.txt", false},
        {"/data/p/x.ini", "", "", false},
        {"/data/p/x.ini", "sub\\out.xlsx", "/data/p/sub/out.xlsx", false},
        {"/data/p/x.ini", "..\\rep\\ved.txt", "/data/p/../rep/ved.txt", false},
        {"/data/p/x.ini", "C:\\REP\\OUT.TXT", "/data/p/OUT.TXT", true},
        {"/data/p/x.ini", "d:/rep/out.xlsx", "/data/p/out.xlsx", true},
        {"/data/p/x.ini", "C:OUT.TXT", "/data/p/OUT.TXT", true},
        {"/data/p/x.ini", "\\\\server\\share\\ved.xlsx", "/data/p/ved.xlsx", true},
        {"/data/p/x.ini", "\\DOCS\\ved.txt", "/data/p/ved.txt", true},
        {"x.ini", "C:\\REP\\OUT.TXT", "OUT.TXT", true},
    };
    for (const Case& c : cases) {
        StoredPath resolved = ResolveStoredPath(c.project, c.stored);
        EXPECT_EQ(resolved.path, c.path) << c.stored;
        EXPECT_EQ(ResolveProjectPath(c.project, c.stored), c.path) << c.stored;
        EXPECT_EQ(resolved.note.empty(), !c.noted) << c.stored;
    }
    EXPECT_EQ(ResolveStoredPath("/p/x.ini", "C:\\REP\\OUT.TXT").note,
              "Путь Windows «C:\\REP\\OUT.TXT» в проекте заменён на «/p/OUT.TXT»: файл рядом с проектом");
    DocumentDescription written;  // a project written here keeps the forward slashes
    written.NameIn = ResolveProjectPath("x.ini", "sub\\ved.txt");
    EXPECT_NE(FormatProject(written).find("\r\nNameIn=sub/ved.txt\r\n"), std::string::npos);
}

}  // namespace
}  // namespace tabulizer::test
