#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "../../support/Files.h"
#include "../../support/Command.h"
#include "common/Cp1251.h"
#include "common/Failure.h"
#include "common/SaveSignals.h"
#include "conversion/spreadsheet/DeflatePool.h"
#include "conversion/spreadsheet/Spreadsheet.h"

namespace tabulizer::sheet {
namespace {

namespace fs = std::filesystem;
using tabulizer::test::ReadFile;

class Save : public ::testing::Test {
protected:
    Save() {
        folder = fs::temp_directory_path() / ("tabulizer-save-" + std::to_string(getpid()));
        fs::create_directories(folder);
        app.AddWorkbook();
        app.SetCellValue(1, 1, "1");
    }
    ~Save() override {
        Application::SetSaveProbe(nullptr);
        fs::permissions(folder, fs::perms::owner_all);
        fs::remove_all(folder);
    }
    // The detail of the failure.
    std::string ExpectSaveFails(const fs::path& path) {
        try {
            app.SaveActiveWorkbookAs(path.string());
            ADD_FAILURE() << "saved " << path;
        } catch (const Failure& f) {
            EXPECT_EQ(f.code(), kCannotWrite);
            return f.detail();
        }
        return {};
    }
    // Nothing but the given files is left in the folder: no temporary file.
    void ExpectOnlyInFolder(std::size_t files) {
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()),
                  static_cast<std::ptrdiff_t>(files));
    }
    fs::path folder;
    Application app;
};

TEST_F(Save, AFailedWriteLeavesTheEarlierFileUntouched) {
    fs::path out = folder / "out.xlsx";
    std::ofstream(out) << "earlier";
    Application::SetSaveProbe([](const std::string&) { return false; });  // a full disk
    ExpectSaveFails(out);
    EXPECT_EQ(ReadFile(out), "earlier");
    ExpectOnlyInFolder(1);
    Application::SetSaveProbe(nullptr);
    app.SaveActiveWorkbookAs(out.string());
    EXPECT_EQ(ReadFile(out).substr(0, 2), "PK");
    ExpectOnlyInFolder(1);
}

TEST_F(Save, MissingOrReadOnlyFoldersAndDirectoriesAreNotWritable) {
    ExpectSaveFails(folder / "missing" / "out.xlsx");
    ExpectSaveFails(folder);
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    ExpectSaveFails(folder / "out.xlsx");
}

TEST_F(Save, TheFileHoldsWhatTheWorkbookHolds) {
    app.SelectRange("A1:C1");
    app.SetMergeCells(true);
    app.SetHorizontalAlignment(kAlignCenter);
    app.SetBorderLineStyle(kEdgeBottom, kContinuous);
    app.SetBorderWeight(kEdgeBottom, kThick);
    app.SetCellValue(1, 1, Utf8ToCp1251("Ведомость \"А\" _x0041_"));
    app.SelectRange("A1");
    app.SetFontName("Arial");
    app.SetFontSize(12);
    app.SetFontBold(true);
    app.AddSheet();  // Лист2 stands first and is active
    app.SetCellValue(2, 1, "1,512.43");
    app.SetCellValue(2, 2, "00120");
    app.SelectRange("A2:B3");
    app.SetFontItalic(true);
    app.SetBorderLineStyle(kEdgeRight, kDashDot);
    app.SetBorderWeight(kEdgeRight, kHairline);
    app.SetBorderLineStyle(kEdgeLeft, kContinuous);
    app.SetBorderWeight(kEdgeLeft, kHairline);
    app.SelectRange("A2");
    app.SetNumberFormat("#,##0.00$");
    app.SetHorizontalAlignment(kAlignLeft);
    app.SetReadingOrder(kOrderLtr);
    app.SelectRange("B2:B3");
    app.SetNumberFormat("@");
    app.SetColumnWidth("B:B", 22);
    fs::path out = folder / "книга.xlsx";
    app.SaveActiveWorkbookAs(out.string());
    EXPECT_EQ(test::ReadBack(out.string()),
              "sheet Лист2 active\n"
              "A2 n 1512.43 italic align=left order=ltr left=hair format=\"#,##0.00$\"\n"
              "B2 s \"00120\" italic right=dashDot format=\"@\"\n"
              "A3 e italic left=hair\n"
              "B3 e italic right=dashDot format=\"@\"\n"
              "width B 22.71\n"
              "sheet Лист1\n"
              "A1 s \"Ведомость \\\"А\\\" _x005F_x0041_\" font=\"Arial\" size=12 bold align=center bottom=thick\n"
              "B1 e align=center bottom=thick\n"
              "C1 e align=center bottom=thick\n"
              "merge A1:C1\n");
}

}  // namespace
}  // namespace tabulizer::sheet

namespace tabulizer::sheet {
namespace {

// A process allowed fewer open files than the workbook has sheets still saves it
// whole (each sheet would otherwise hold a temporary file open until the end).
TEST_F(Save, MoreSheetsThanOpenFilesAllowedStillSave) {
    const fs::path file = folder / "many.xlsx";
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit limit{40, 40};
        if (setrlimit(RLIMIT_NOFILE, &limit) != 0) _exit(3);
        for (int i = 0; i < 60; ++i) app.AddSheet();
        try {
            app.SaveActiveWorkbookAs(file.string());
        } catch (...) {
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    std::istringstream book(test::ReadBack(file.string()));
    int sheets = 0;
    for (std::string line; std::getline(book, line);) sheets += line.rfind("sheet ", 0) == 0;
    EXPECT_EQ(sheets, 61);
}

}  // namespace
}  // namespace tabulizer::sheet

namespace tabulizer::sheet {
namespace {

// Batch mode prints the detail under the failure's message: the file and the reason.
TEST_F(Save, AFailureNamesTheFileAndTheSystemsReason) {
    const fs::path longName = folder / (std::string(300, 'x') + ".xlsx");
    struct {
        fs::path path;
        SaveProbe probe;
        rlim_t fileSizeLimit;
        std::string reason;
        const char* threads = "1";
    } const cases[] = {
        {folder / "missing" / "out.xlsx", nullptr, RLIM_INFINITY, "Нет такого каталога"},
        {folder, nullptr, RLIM_INFINITY, "это каталог, а не файл"},
        {longName, nullptr, RLIM_INFINITY, "Слишком длинное имя файла"},
        {folder / "out.xlsx", [](const std::string&) { return false; }, RLIM_INFINITY, "сбой записи"},
        {folder / "out.xlsx", nullptr, 2048, "Файл слишком велик"},
        // The write fails with sheets still being deflated on other threads.
        {folder / "out.xlsx", nullptr, 2048, "Файл слишком велик", "4"},
    };
    for (int row = 2; row < 2000; ++row) app.SetCellValue(row, 1, std::to_string(row) + " строка");
    for (int sheet = 0; sheet < 20; ++sheet) {
        app.AddSheet();
        for (int row = 1; row < 300; ++row) app.SetCellValue(row, 2, std::to_string(row * sheet));
    }
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
    for (const auto& c : cases) {
        Application::SetSaveProbe(c.probe);
        setenv(kThreadsVariable, c.threads, 1);
        rlimit limit{std::min(c.fileSizeLimit, old.rlim_max), old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::string detail = ExpectSaveFails(c.path);
        setrlimit(RLIMIT_FSIZE, &old);
        EXPECT_EQ(detail, "Не удалось записать файл «" + c.path.string() + "»: " + c.reason);
        ExpectOnlyInFolder(0);
    }
    unsetenv(kThreadsVariable);
    signal(SIGXFSZ, SIG_DFL);
}

// A save ended by a signal removes its temporary file, and the program then ends as
// the signal would have ended it; the earlier workbook stays.
TEST_F(Save, ASignalDuringTheSaveRemovesTheTemporaryFile) {
    const fs::path out = folder / "out.xlsx";
    std::ofstream(out) << "earlier";
    for (int row = 2; row < 2000; ++row) app.SetCellValue(row, 1, std::to_string(row) + " строка");
    for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGXFSZ}) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            static int raised;
            raised = signal;
            rlimit noCore{0, 0};
            setrlimit(RLIMIT_CORE, &noCore);
            if (signal == SIGXFSZ) {  // the kernel's own, from a write past the limit
                rlimit limit{2048, RLIM_INFINITY};
                setrlimit(RLIMIT_FSIZE, &limit);
            } else {
                Application::SetSaveProbe([](const std::string&) { return raise(raised) == 0; });
            }
            try {
                app.SaveActiveWorkbookAs(out.string());
            } catch (...) {
                _exit(2);
            }
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "signal " << signal << ", status " << status;
        EXPECT_EQ(ReadFile(out), "earlier");
        ExpectOnlyInFolder(1);
    }
}

// A signal that comes after the temporary file exists but before its guard stands
// waits for the guard, which removes the file; without the hold it was left behind.
TEST_F(Save, ASignalBeforeTheGuardStandsWaitsForIt) {
    const fs::path temporary = folder / "pending.tmp";
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::optional<TemporaryFileGuard> guard;
        {
            EndingSignalsHeld held;
            std::ofstream(temporary) << "x";
            raise(SIGTERM);
            guard.emplace(temporary.string());
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "status " << status;
    EXPECT_FALSE(fs::exists(temporary));
}

}  // namespace
}  // namespace tabulizer::sheet
