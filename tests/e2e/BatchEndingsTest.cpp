// However a batch run ends — a full disk, a reader that went away, a signal, a
// limit — it says what failed with the file and the reason, leaves the earlier
// output as it was and nothing in the temporary folder.
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "../support/Command.h"
#include "../support/ProgramRun.h"

namespace tabulizer::test {
namespace {

namespace fs = std::filesystem;

class BatchEndings : public ProgramRun {
protected:
    // The children of `pid` that run as the converter of one report.
    static std::vector<pid_t> Converters(pid_t pid) {
        std::vector<pid_t> children;
        std::ifstream list("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
        for (pid_t child; list >> child;)
            if (ReadFile("/proc/" + std::to_string(child) + "/cmdline").find(std::string("--output\0", 9)) != std::string::npos)
                children.push_back(child);
        return children;
    }
    // Device and inode of each descriptor of `pid` on a file without a name (the
    // message files of the children, the pages put aside), by number.
    static std::map<int, std::pair<dev_t, ino_t>> Unnamed(pid_t pid) {
        std::map<int, std::pair<dev_t, ino_t>> files;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
            int fd = std::stoi(entry.path().filename().string());
            struct stat info {};
            std::string target = fs::read_symlink(entry.path(), error).string();
            if (target.ends_with(" (deleted)") && ::stat(entry.path().c_str(), &info) == 0)
                files[fd] = {info.st_dev, info.st_ino};
        }
        return files;
    }
};

TEST_F(BatchEndings, AFullDiskOrAGoneReaderOfStandardOutputIsAFailureThatSaysSo) {
    Report("big.txt", 10000);
    const bool small = MountSmall(dir / "full");
    for (const char* mode : {"", "--flat ", "--csv "}) {
        SCOPED_TRACE(mode);
        // A truncated file without its zip directory used to be reported as saved.
        if (small) {
            EXPECT_EQ(Script(std::string("exec \"$T\" --project ved.ini ") + mode + "--output - big.txt >full/o"), 1);
            EXPECT_EQ(err, "Не удалось записать стандартный поток вывода: Нет места на устройстве\n");
            fs::remove(dir / "full/o");
        }
        EXPECT_EQ(Script(std::string("trap '' PIPE\n\"$T\" --project ved.ini ") + mode +
                         "--output - big.txt | head -c 100 >/dev/null\nexit ${PIPESTATUS[0]}"),
                  1);
        EXPECT_EQ(err, "Не удалось записать стандартный поток вывода: Обрыв канала\n");
        EXPECT_TRUE(Names(tmp).empty());
    }
    if (!small) GTEST_SKIP() << "no small file system can be mounted here";
}

TEST_F(BatchEndings, NothingIsLeftInTheTemporaryFolderWhateverEndsAStandardOutputRun) {
    Report("big.txt", 10000);
    // The README's own example on a large report used to leave a 19 MB file.
    EXPECT_EQ(Script("\"$T\" --project ved.ini --csv --output - big.txt | head -3 >/dev/null\nexit ${PIPESTATUS[0]}"),
              128 + SIGPIPE);
    EXPECT_TRUE(Names(tmp).empty());
    EXPECT_EQ(Script("ulimit -c 0; ulimit -f 2000; exec \"$T\" --project ved.ini --csv --output - big.txt >out"),
              128 + SIGXFSZ);
    EXPECT_TRUE(Names(tmp).empty());
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        pid_t pid = Start({"--project", "ved.ini", "--output", "-", "big.txt"});
        EXPECT_TRUE(Await([&] { return !Names(tmp).empty(); }));
        ::kill(pid, signal);
        EXPECT_EQ(EndingSignal(pid), signal);
        EXPECT_TRUE(Names(tmp).empty());
    }
    // After SIGKILL the next run removes what the killed one left, and only that.
    pid_t gone = fork();
    if (gone == 0) _exit(0);
    waitpid(gone, nullptr, 0);
    const std::string dead = std::to_string(gone), alive = std::to_string(getpid());
    for (const std::string& name : {"tabulizer-stdout-" + dead + "-a1b2c3", "tabulizer-stdout-" + alive + "-a1b2c3",
                                    std::string("tabulizer-stdout-x-a1b2c3"), "other-" + dead + "-a1b2c3"}) {
        fs::create_directory(tmp / name);
        std::ofstream(tmp / name / "out.csv") << "left";
    }
    for (const std::string& pid : {dead, alive}) std::ofstream(dir / (".ved.xlsx.tabulizer-" + pid + "-d4e5f6.tmp")) << "x";
    ASSERT_EQ(Script("exec \"$T\" --project ved.ini --csv --output - ved.txt >out"), 0) << err;
    ASSERT_EQ(Script("exec \"$T\" ved.ini"), 0) << err;
    EXPECT_EQ(Names(tmp), (std::set<std::string>{"tabulizer-stdout-" + alive + "-a1b2c3", "tabulizer-stdout-x-a1b2c3",
                                                 "other-" + dead + "-a1b2c3"}));
    EXPECT_FALSE(fs::exists(dir / (".ved.xlsx.tabulizer-" + dead + "-d4e5f6.tmp")));
    EXPECT_TRUE(fs::exists(dir / (".ved.xlsx.tabulizer-" + alive + "-d4e5f6.tmp")));
}

// The children of --jobs used to go on writing after their parent was ended, and
// each inherited the message files of those started before it.
TEST_F(BatchEndings, AnEndedRunOfManyReportsEndsItsChildrenAndLeavesNothing) {
    Report("r1.txt", 10000);
    for (const char* name : {"r2.txt", "r3.txt"}) fs::copy_file(dir / "r1.txt", dir / name);
    fs::create_directory(dir / "books");
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        std::ofstream(dir / "books" / "r1.xlsx") << "earlier";
        pid_t pid = Start({"--project", "ved.ini", "--jobs", "2", "--output-dir", "books", "r1.txt", "r2.txt", "r3.txt"});
        std::vector<pid_t> children;
        ASSERT_TRUE(Await([&] { return (children = Converters(pid)).size() == 2; }));
        std::map<std::pair<dev_t, ino_t>, int> messageFiles;
        for (const auto& [fd, file] : Unnamed(pid)) messageFiles[file] = fd;
        for (pid_t child : children)
            for (const auto& [fd, file] : Unnamed(child))
                EXPECT_TRUE(fd == STDERR_FILENO || !messageFiles.contains(file))
                    << "a child holds the parent's descriptor " << messageFiles[file] << " as " << fd;
        ::kill(pid, signal);
        EXPECT_EQ(EndingSignal(pid), signal);
        for (pid_t child : children) EXPECT_NE(::kill(child, 0), 0) << "a child outlived the run";
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(Names(dir / "books"), std::set<std::string>{"r1.xlsx"});
        EXPECT_EQ(ReadFile(dir / "books" / "r1.xlsx"), "earlier");
        EXPECT_TRUE(Names(tmp).empty());
        err = ReadFile(dir / "err");
        EXPECT_TRUE(err.ends_with("Преобразовано 0 из 3\nНе преобразованы:\n  r1.txt\n  r2.txt\n  r3.txt\n")) << err;
    }
}

TEST_F(BatchEndings, FailuresOfTheFlatTableAndCsvNameTheFileAndTheReason) {
    Report("big.txt", 10000);
    struct Case {
        const char* script;
        const char* output;
        const char* err;
        bool needsMount;
    } cases[] = {
        {"exec \"$T\" --project ved.ini --csv --output-dir full big.txt", "full/big.csv",
         "Не удалось записать файл «full/big.csv»: Нет места на устройстве\n", true},
        {"exec \"$T\" --project ved.ini --flat --output-dir full big.txt", "full/big.xlsx",
         "Не удалось записать файл «full/big.xlsx»: Нет места на устройстве\n", true},
        {"ulimit -f 500; trap '' XFSZ; exec \"$T\" --project ved.ini --csv big.txt", "big.csv",
         "Не удалось записать файл «big.csv»: Файл слишком велик\n", false},
    };
    const bool small = MountSmall(dir / "full");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        if (c.needsMount && !small) continue;
        std::ofstream(dir / c.output) << "earlier";
        EXPECT_EQ(Script(c.script), 1);
        EXPECT_EQ(err, std::string("big.txt: Ошибка при выполнении программы Tabulizer ! \n          Код ошибки  Visual Basic: 1004\n") + c.err);
        EXPECT_EQ(ReadFile(dir / c.output), "earlier");
        for (const std::string& name : Names((dir / c.output).parent_path()))
            EXPECT_EQ(name.find(".tabulizer-"), std::string::npos) << "left beside the output: " << name;
        fs::remove(dir / c.output);
    }
    // A sheet holds 1,048,576 rows, the header one of them; the message points to CSV.
    std::istringstream lines(ReadFile(dir / "ved.txt"));
    std::ofstream rows(dir / "rows.txt", std::ios::binary);
    std::string text;
    for (int i = 0; i < 7 && std::getline(lines, text); ++i) rows << text << '\n';
    for (int i = 0; i < 1048576; ++i) rows << "\xB3" "00120\n";
    rows.close();
    std::ofstream(dir / "rows.xlsx") << "earlier";
    EXPECT_EQ(Script("exec \"$T\" --project ved.ini --flat rows.txt"), 1);
    EXPECT_EQ(err, "rows.txt: Ошибка при выполнении программы Tabulizer ! \n          Код ошибки  Visual Basic: 6\n"
                   "Не удалось записать файл «rows.xlsx»: в таблице больше строк, чем вмещает лист (1048576); "
                   "для такой таблицы укажите --csv\n");
    EXPECT_EQ(ReadFile(dir / "rows.xlsx"), "earlier");
    ASSERT_EQ(Script("exec \"$T\" --project ved.ini --csv rows.txt"), 0) << err;
    EXPECT_TRUE(Names(tmp).empty());
    if (!small) GTEST_SKIP() << "no small file system can be mounted here: the full folder was not tried";
}

// A 16-bit page counter used to stop both at page 32,768 with a bare code 6.
TEST_F(BatchEndings, FlatTableAndCsvOfFortyThousandPagesConvert) {
    Report("pages.txt", 40000, true);
    ASSERT_EQ(Script("exec \"$T\" --project ved.ini --csv pages.txt"), 0) << err;
    ASSERT_EQ(Script("exec \"$T\" --project ved.ini --flat pages.txt"), 0) << err;
    const std::string csv = ReadFile(dir / "pages.csv");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 40001);
    int status = -1;
    std::string facts = Capture("'" TABULIZER_PYTHON "' '" TABULIZER_FLATCHECK "' '" + (dir / "pages.xlsx").string() +
                                    "' '" + (dir / "pages.csv").string() + "'",
                                status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(facts.find("\nrows 40001\n"), std::string::npos) << facts;
    EXPECT_NE(facts.find("\ncsv equal\n"), std::string::npos) << facts;
}

TEST_F(BatchEndings, TextPastTheReportWidthIsSaidOncePerReportWithItsFirstLine) {
    std::string report = ReadFile(dir / "ved.txt");
    for (int line : {12, 9}) {  // lines end in CR LF
        std::size_t at = 0;
        for (int i = 1; i < line; ++i) at = report.find('\n', at) + 1;
        report.insert(report.find('\r', at), "   ещё");
    }
    std::ofstream(dir / "wide.txt", std::ios::binary) << report;
    std::ofstream(dir / "narrow.txt", std::ios::binary) << ReadFile(dir / "ved.txt");
    EXPECT_EQ(Script("exec \"$T\" --project ved.ini --jobs 1 wide.txt narrow.txt"), 0);
    EXPECT_EQ(err, "Отчёт «wide.txt»: строки длиннее 61 знаков (MaxLStr) обрезаны, первая из них — строка 9\n"
                   "Преобразовано 2 из 2\n");
}

}  // namespace
}  // namespace tabulizer::test
