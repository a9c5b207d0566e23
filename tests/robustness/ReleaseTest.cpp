// Many conversions in one process, saved and failed in every way the fuzzers meet:
// none may leave a descriptor (the file of finished sheets included) or a file in
// the temporary folder behind.
#include <signal.h>
#include <sys/resource.h>

#include "../conversion/RunFixture.h"
#include "conversion/spreadsheet/Spreadsheet.h"

namespace tabulizer::test {
namespace {

namespace fs = std::filesystem;

enum class Kind {
    Saved, EmptySaved, HandedOver, RefusedValue, FailedRename, MissingFolder, FileSizeLimit, Overflow, Cancelled,
    DesktopRefuses
};

struct Case {
    Kind kind;
    int status;  // of the conversion window
    int code;    // of the failure shown, 0 for none
    int every;   // run in every `every`-th round (the overflow is slow)
};

const Case kCases[] = {
    {Kind::Saved, 0, 0, 1},          {Kind::EmptySaved, 0, 0, 1},   {Kind::RefusedValue, 1, 1004, 1},
    {Kind::FailedRename, 1, 1004, 1}, {Kind::MissingFolder, 1, 1004, 1}, {Kind::FileSizeLimit, 1, 1004, 1},
    {Kind::Overflow, 1, 6, 20},       {Kind::Cancelled, 3, 0, 1},        {Kind::HandedOver, 0, 0, 1},
    {Kind::DesktopRefuses, 1, 0, 1},  // kept for the user, reported apart
};

int OpenDescriptors() {
    return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

class ReleaseTest : public RunTest {
protected:
    void SetUp() override {
        RunTest::SetUp();
        fs::create_directories(tmp);
        if (const char* old = std::getenv("TMPDIR")) oldTmp = old;
        setenv("TMPDIR", tmp.c_str(), 1);
        d.EtalStr = Utf8ToCp1251("ВЕДОМОСТЬ");
    }
    void TearDown() override {
        if (oldTmp.empty()) unsetenv("TMPDIR");
        else setenv("TMPDIR", oldTmp.c_str(), 1);
        sheet::Application::SetSaveProbe(nullptr);
        RunTest::TearDown();
    }

    // Prepares the input and surroundings of one kind of run, runs the window and undoes them.
    int RunOnce(Kind kind, ScriptedHost& runHost) {
        std::vector<std::string> lines{"ВЕДОМОСТЬ", Cols("1", "два", "3,50"), Cols("4")};
        d.MaxLStr = 20;
        SetColumns({5, 12, 20});
        d.NameOut = (dir / "out.xlsx").string();
        if (kind == Kind::EmptySaved) lines.clear();
        if (kind == Kind::Overflow) lines.resize(32770, "x");
        if (kind == Kind::RefusedValue) {  // each NUL is written as 7 characters: past a cell's 32767
            d.MaxLStr = 5000;
            SetColumns({5000});
            lines.push_back(std::string(5000, '\0'));
        }
        if (kind == Kind::MissingFolder) d.NameOut = (dir / "missing" / "out.xlsx").string();
        d.NoClose = kind == Kind::HandedOver || kind == Kind::DesktopRefuses;
        runHost.desktopTakesWorkbooks = kind != Kind::DesktopRefuses;
        Input(lines);
        sheet::SaveProbe fail = [](const std::string&) { return false; };
        sheet::Application::SetSaveProbe(kind == Kind::FailedRename ? fail : nullptr);
        frmTabulizer window(d, run, runHost);
        window.EventInterval = {};
        if (kind == Kind::Cancelled) {
            runHost.answers = {ui::Answer::Yes};
            runHost.onProcessEvents = [&](int call) {
                if (call == 1) window.ButExit.Click();
            };
        }
        // A workbook larger than the limit fails halfway through its writing.
        rlimit oldLimit{};
        getrlimit(RLIMIT_FSIZE, &oldLimit);
        if (kind == Kind::FileSizeLimit) {
            signal(SIGXFSZ, SIG_IGN);
            rlimit small{1024, oldLimit.rlim_max};
            setrlimit(RLIMIT_FSIZE, &small);
        }
        int status = RunWindow(window);
        setrlimit(RLIMIT_FSIZE, &oldLimit);
        signal(SIGXFSZ, SIG_DFL);
        return status;
    }

    fs::path tmp = dir / "tmp";
    std::string oldTmp;
};

TEST_F(ReleaseTest, HundredsOfSavedAndFailedRunsLeaveNothingOpen) {
    const int descriptors = OpenDescriptors();
    for (int round = 0; round < 40; ++round) {
        for (const Case& c : kCases) {
            if (round % c.every != 0) continue;
            ScriptedHost runHost;
            SCOPED_TRACE(::testing::Message() << "round " << round << ", kind " << static_cast<int>(c.kind));
            ASSERT_EQ(RunOnce(c.kind, runHost), c.status);
            // A workbook handed over, or kept because no program took it, is the user's to remove.
            for (const std::string& handed : runHost.openedInDesktop)
                if (c.status == 0 || c.kind == Kind::DesktopRefuses) fs::remove_all(fs::path(handed).parent_path());
            if (c.code != 0) {
                ASSERT_EQ(runHost.BoxTexts(), (std::vector<std::string>{FailureReport(c.code)}));
            }
            ASSERT_EQ(OpenDescriptors(), descriptors);
            ASSERT_TRUE(fs::is_empty(tmp));
            for (const auto& entry : fs::directory_iterator(dir))
                ASSERT_THAT(entry.path().filename().string(), ::testing::AnyOf("in.txt", "out.xlsx", "tmp"));
        }
    }
}

}  // namespace
}  // namespace tabulizer::test
