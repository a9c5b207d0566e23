// The files of a batch run are compared as files before anything starts: no output
// replaces a report, the project or another output, however the paths are spelt;
// --describe refuses what is no regular file at once.
#include <sys/stat.h>

#include "../support/ProgramRun.h"

namespace tabulizer::test {
namespace {

namespace fs = std::filesystem;

class BatchFiles : public ProgramRun {};

TEST_F(BatchFiles, AnOutputThatIsAnyInputTheProjectOrAnotherOutputIsRefusedBeforeAnythingStarts) {
    const std::string sameAsInput = "Файл выходного документа совпадает с файлом входного документа !\n";
    const std::string xlsxOnly = "Расширение файла не .xlsx !\n";
    struct Case {
        const char* arguments;
        std::string err;
    } cases[] = {
        // The first child used to replace the second report through the linked folder.
        {"--jobs 2 a/y.txt alink/y.xlsx", sameAsInput + "Не удалось записать файл «a/y.xlsx»: это файл входного документа «alink/y.xlsx»\n"},
        // Two reports used to be converted into one file: "Преобразовано 2 из 2".
        {"--jobs 2 a/y.txt alink/y.rep", "Два выходных документа записываются в один файл !\n"
                                         "Не удалось записать файл «alink/y.xlsx»: это и файл «a/y.xlsx»\n"},
        {"ved.txt ./ved.txt", "Два выходных документа записываются в один файл !\n"
                              "Не удалось записать файл «./ved.xlsx»: это и файл «ved.xlsx»\n"},
        {"--output alink/y.xlsx a/y.xlsx", sameAsInput + "Не удалось записать файл «alink/y.xlsx»: это файл входного документа «a/y.xlsx»\n"},
        // The project used to be replaced by a workbook, with status 0.
        {"--output keep.ini ved.txt", xlsxOnly + "Не удалось записать файл «keep.ini»: у выходного файла должно быть расширение .xlsx\n"},
        {"--output keep.ini", xlsxOnly + "Не удалось записать файл «keep.ini»: у выходного файла должно быть расширение .xlsx\n"},
        {"--output ved.txt", xlsxOnly + "Не удалось записать файл «ved.txt»: у выходного файла должно быть расширение .xlsx\n"},
        {"--csv --output t.xlsx ved.txt", "Расширение файла не .csv !\nНе удалось записать файл «t.xlsx»: у выходного файла должно быть расширение .csv\n"},
        {"--output alink/../keep.xlsx ved.txt", "Файл выходного документа совпадает с файлом проекта !\n"
                                                "Не удалось записать файл «alink/../keep.xlsx»: это файл проекта «keep.xlsx»\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        for (const auto& name : Names(dir))
            if (name != "ved.txt" && name != "ved.ini" && name != "tmp") fs::remove_all(dir / name);
        fs::create_directory(dir / "a");
        fs::create_symlink("a", dir / "alink");
        for (const char* report : {"a/y.txt", "a/y.xlsx", "a/y.rep"}) fs::copy_file(dir / "ved.txt", dir / report);
        fs::copy_file(dir / "ved.ini", dir / "keep.ini");
        const bool projectIsXlsx = std::string(c.arguments).find("keep.xlsx") != std::string::npos;
        if (projectIsXlsx) fs::copy_file(dir / "ved.ini", dir / "keep.xlsx");
        const std::string project = projectIsXlsx ? "keep.xlsx" : "keep.ini";
        EXPECT_EQ(Script("exec \"$T\" --project " + project + " " + c.arguments), 1);
        EXPECT_EQ(err, c.err);
        EXPECT_EQ(ReadFile(dir / "a/y.xlsx"), ReadFile(dir / "ved.txt")) << "a report was replaced";
        EXPECT_EQ(ReadFile(dir / project), ReadFile(dir / "ved.ini")) << "the project was replaced";
        EXPECT_EQ(Names(dir / "a"), (std::set<std::string>{"y.txt", "y.xlsx", "y.rep"}));
        EXPECT_TRUE(Names(tmp).empty());
    }
}

TEST_F(BatchFiles, DescribeRefusesWhatIsNoRegularFileAtOnce) {
    ASSERT_EQ(::mkfifo((dir / "pipe.txt").c_str(), 0600), 0);
    fs::create_directory(dir / "folder");
    struct Case {
        const char* report;
        const char* err;
    } cases[] = {
        {"pipe.txt", "Не удалось прочитать файл «pipe.txt»: не обычный файл: именованный канал\n"},
        {"/dev/zero", "Не удалось прочитать файл «/dev/zero»: не обычный файл: устройство\n"},
        {"folder", "Не удалось прочитать файл «folder»: это каталог\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        // Reading a pipe without a writer, or a device without end, would never return.
        EXPECT_EQ(Script(std::string("exec timeout 20 \"$T\" --describe ") + c.report + " --project d.ini"), 1);
        EXPECT_EQ(err, c.err);
        EXPECT_FALSE(fs::exists(dir / "d.ini"));
    }
}

}  // namespace
}  // namespace tabulizer::test
