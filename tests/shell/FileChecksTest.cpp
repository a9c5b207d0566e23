// The wizard's checks of the files of a run before anything is written: an output
// that is the report itself, inputs that are no regular files, projects from
// Windows and from UTF-8 or UTF-16 editors. Batch mode prints a detail line.
#include <sys/stat.h>

#include "ShellFixture.h"
#include "shell/FileChecks.h"

namespace tabulizer::test {
namespace {

using Texts = std::vector<std::string>;

const std::string kSameFile = "Файл выходного документа совпадает с файлом входного документа !";
const std::string kInputNotFound = "Файл входного документа не найден !";
const std::string kOutputNotWritable = "Файл выходного документа не может быть записан !";

class FileChecksTest : public ShellTest {
protected:
    // The sample project and its report under `nameIn`, writing to `nameOut`.
    std::string Sample(const std::string& nameIn, const std::string& nameOut) {
        std::string project = SampleProject("NameIn=ved.txt", "NameIn=" + nameIn);
        std::string text = ReadAll(project);
        text.replace(text.find("NameOut=ved.xlsx"), 16, "NameOut=" + nameOut);
        std::ofstream(project, std::ios::binary) << text;
        return project;
    }
    static std::string ReadAll(const std::string& path) {
        std::stringstream content;
        content << std::ifstream(path, std::ios::binary).rdbuf();
        return content.str();
    }
    std::optional<int> Batch(const std::string& project) {
        host = {};
        Start(project);
        return Load();
    }
};

TEST_F(FileChecksTest, OutputNamingTheReportIsRefusedBeforeAnythingIsWritten) {
    const char* const outputs[] = {"rep.xlsx", "rep", "./sub/../rep.xlsx", "sub\\..\\rep.xlsx", "link.xlsx", "hard.xlsx"};
    for (const char* out : outputs) {
        ClearDir();
        std::string project = Sample("rep.xlsx", out);
        std::filesystem::rename(Path("ved.txt"), Path("rep.xlsx"));
        std::filesystem::create_directory(dir / "sub");
        std::filesystem::create_symlink("rep.xlsx", dir / "link.xlsx");
        std::filesystem::create_hard_link(dir / "rep.xlsx", dir / "hard.xlsx");
        const std::string report = ReadAll(Path("rep.xlsx"));
        EXPECT_EQ(Batch(project), 1) << out;
        EXPECT_EQ(host.BoxTexts(), Texts{kSameFile}) << out;
        ASSERT_EQ(host.explanations.size(), 1u) << out;
        EXPECT_EQ(host.explanations[0], "Не удалось записать файл «" + description.NameOut +
                                            "»: это файл входного документа «" + Path("rep.xlsx") + "»");
        EXPECT_FALSE(Happened("conversion")) << out;
        EXPECT_EQ(ReadAll(Path("rep.xlsx")), report);
    }
    // In the windows the user picks another output; no overwrite question comes.
    host = {};
    run = {};
    frmOpenFile& wizard = Begin(&frmBegin::OldProj);
    Enter(wizard.txtIniDoc, Sample("rep.xlsx", "rep.xlsx"));
    wizard.NextFr.Click();
    EXPECT_EQ(host.BoxTexts(), Texts{kSameFile});
    EXPECT_TRUE(wizard.ButOutDoc.HasFocus() && !run.Overwrite && !Happened("conversion"));
}

TEST_F(FileChecksTest, InputsAndOutputsThatAreNoRegularFilesAreNamedWithTheReason) {
    struct Case { std::string nameIn, nameOut, message, path, detail; };
    const Case cases[] = {
        {"sub", "ved.xlsx", kInputNotFound, Path("sub"), "прочитать файл «%»: это каталог"},
        {"pipe.txt", "ved.xlsx", kInputNotFound, Path("pipe.txt"), "прочитать файл «%»: не обычный файл: именованный канал"},
        {"/dev/null", "ved.xlsx", kInputNotFound, "/dev/null", "прочитать файл «%»: не обычный файл: устройство"},
        {"none.txt", "ved.xlsx", kInputNotFound, Path("none.txt"), "прочитать файл «%»: Нет такого файла или каталога"},
        {"ved.txt", "sub", kOutputNotWritable, Path("sub.xlsx"), "записать файл «%»: это каталог"},
        {"ved.txt", "pipe.xlsx", kOutputNotWritable, Path("pipe.xlsx"), "записать файл «%»: не обычный файл: именованный канал"},
    };
    for (const Case& c : cases) {
        ClearDir();
        std::string project = Sample(c.nameIn, c.nameOut);
        std::filesystem::create_directory(dir / "sub");
        std::filesystem::create_directory(dir / "sub.xlsx");
        ASSERT_EQ(::mkfifo(Path("pipe.txt").c_str(), 0600), 0);
        ASSERT_EQ(::mkfifo(Path("pipe.xlsx").c_str(), 0600), 0);
        EXPECT_EQ(Batch(project), 1) << c.nameIn << " " << c.nameOut;
        EXPECT_EQ(host.BoxTexts(), Texts{c.message});
        std::string detail = "Не удалось " + c.detail;
        detail.replace(detail.find('%'), 1, c.path);
        EXPECT_EQ(host.explanations, Texts{detail});
        EXPECT_FALSE(Happened("conversion"));
    }
    // A project that is a pipe: the message stands as it was, the reason follows.
    ClearDir();
    host = {};
    ASSERT_EQ(::mkfifo(Path("p.ini").c_str(), 0600), 0);
    EXPECT_EQ(Batch(Path("p.ini")), 1);
    EXPECT_EQ(host.BoxTexts(), Texts{"      Пакетная обработка !\nУказанный файл проекта не найден !"});
    EXPECT_EQ(host.explanations,
              Texts{"Не удалось прочитать файл «" + Path("p.ini") + "»: не обычный файл: именованный канал"});
}

TEST_F(FileChecksTest, WindowsPathsOfAProjectNameFilesBesideIt) {
    std::string project = Sample("C:\\REP\\ved.txt", "\\\\server\\share\\ved.xlsx");
    EXPECT_EQ(Batch(project), std::nullopt);
    EXPECT_TRUE(Happened("conversion") && host.boxes.empty());
    EXPECT_EQ(description.NameIn, Path("ved.txt"));
    EXPECT_EQ(description.NameOut, Path("ved.xlsx"));
    EXPECT_EQ(host.explanations,
              (Texts{"Путь Windows «C:\\REP\\ved.txt» в проекте заменён на «" + Path("ved.txt") + "»: файл рядом с проектом",
                     "Путь Windows «\\\\server\\share\\ved.xlsx» в проекте заменён на «" + Path("ved.xlsx") +
                         "»: файл рядом с проектом"}));
    ClearDir();
    project = Sample("rep\\ved.txt", "out\\ved.xlsx");
    std::filesystem::create_directory(dir / "rep");
    std::filesystem::rename(Path("ved.txt"), Path("rep/ved.txt"));
    EXPECT_EQ(Batch(project), std::nullopt);
    EXPECT_EQ(description.NameIn, Path("rep/ved.txt"));
    EXPECT_EQ(description.NameOut, Path("out/ved.xlsx"));
    EXPECT_TRUE(host.explanations.empty() && Happened("conversion"));
}

TEST_F(FileChecksTest, ProjectsFromUtf8EditorsLoadAsTheirCp1251TwinAndUtf16IsRefused) {
    std::string project = SampleProject();
    EXPECT_EQ(Batch(project), std::nullopt);
    const DocumentDescription fromCp1251 = description;
    const std::string utf8 = "\xEF\xBB\xBF" + Cp1251ToUtf8(ReadAll(project));
    for (const std::string& bytes : {utf8, utf8.substr(3)}) {
        std::ofstream(project, std::ios::binary) << bytes;
        description = {};
        EXPECT_EQ(Batch(project), std::nullopt);
        EXPECT_TRUE(Happened("conversion") && host.boxes.empty());
        EXPECT_EQ(description.EtalStr, fromCp1251.EtalStr);
        EXPECT_EQ(description.SepStr, fromCp1251.SepStr);
        EXPECT_EQ(description.FixStr[1].Str, fromCp1251.FixStr[1].Str);
        EXPECT_EQ(description.FixStr[0].Str, fromCp1251.FixStr[0].Str);
        EXPECT_EQ(description.NameIn, fromCp1251.NameIn);
    }
    // A UTF-16 project would read as empty: a project for a group of files.
    std::string wide = "\xFF\xFE";
    for (char c : std::string("[Tabulizer]\r\nVersion=1\r\n[General]\r\nNameIn=ved.txt\r\n")) wide += {c, '\0'};
    std::ofstream(project, std::ios::binary) << wide;
    const Texts refused{"Файл проекта записан в кодировке UTF-16 !\nСохраните его в кодировке Windows-1251 или UTF-8 !"};
    EXPECT_EQ(Batch(project), 1);
    EXPECT_EQ(host.BoxTexts(), refused);
    host = {};
    run = {};
    frmOpenFile& wizard = Begin(&frmBegin::OldProj);
    Enter(wizard.txtIniDoc, project);
    EXPECT_EQ(host.BoxTexts(), refused);
    EXPECT_TRUE(wizard.ButIniDoc.HasFocus() && !wizard.frInDoc.Visible && !wizard.frModIni.Visible);
}

// The one check behind the wizard, batch mode, many reports and --describe.
TEST_F(FileChecksTest, RunFilesAreComparedAsFilesInTheirOrder) {
    Write("p.ini", "project");
    Write("r.txt", "report");
    std::filesystem::create_hard_link(dir / "p.ini", dir / "p.xlsx");
    std::filesystem::create_directory(dir / "d");
    std::filesystem::create_symlink(".", dir / "here");
    struct Case {
        std::vector<std::string> inputs, outputs;
        std::vector<std::string> extensions;
        bool readInputs;
        std::string message, detail;  // empty: accepted
    } cases[] = {
        {{"r.txt"}, {"out.XLSX"}, {".xlsx"}, true, "", ""},
        {{"r.txt"}, {"out.xls"}, {".xlsx"}, true, "Расширение файла не .xlsx !",
         "Не удалось записать файл «out.xls»: у выходного файла должно быть расширение .xlsx"},
        {{"r.txt"}, {"p.xlsx"}, {}, true, std::string(kOutputIsProject),
         "Не удалось записать файл «p.xlsx»: это файл проекта «p.ini»"},
        {{"none.txt"}, {"out.xlsx"}, {}, true, std::string(kInputNotFound),
         "Не удалось прочитать файл «none.txt»: Нет такого файла или каталога"},
        {{"none.txt"}, {"out.xlsx"}, {}, false, "", ""},
        {{"r.txt"}, {"", "here/r.txt"}, {}, true, std::string(kOutputIsInput),
         "Не удалось записать файл «here/r.txt»: это файл входного документа «r.txt»"},
        {{"r.txt", "q.txt"}, {"d/../n.xlsx", "here/n.xlsx"}, {}, false, std::string(kOutputsMeet),
         "Не удалось записать файл «here/n.xlsx»: это и файл «d/../n.xlsx»"},
        {{"r.txt"}, {"d"}, {}, true, std::string(kOutputNotWritable), "Не удалось записать файл «d»: это каталог"},
    };
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir);  // the paths as a user types them
    for (const Case& c : cases) {
        SCOPED_TRACE(c.outputs.back());
        RunFiles files;
        files.project = "p.ini";
        files.inputs = c.inputs;
        files.readInputs = c.readInputs;
        files.outputs = c.outputs;
        files.extensions = c.extensions;
        FileRefusal refusal = CheckRunFiles(files);
        EXPECT_EQ(refusal.message, c.message);
        EXPECT_EQ(refusal.detail, c.detail);
    }
    std::filesystem::current_path(before);
}

}  // namespace
}  // namespace tabulizer::test
