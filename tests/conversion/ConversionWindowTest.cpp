// The conversion window: how a run ends (saved, handed over, cancelled, failed),
// its failure report and its progress boxes.
#include "RunFixture.h"

#include "conversion/spreadsheet/Spreadsheet.h"

#include <atomic>
#include <thread>

#include "conversion/RunBeside.h"

namespace tabulizer::test {
namespace {

class WindowTest : public RunTest {
protected:
    void SetUp() override {
        RunTest::SetUp();
        d.EtalStr = Utf8ToCp1251("ВЕДОМОСТЬ");
    }
    void TearDown() override {
        sheet::Application::SetSaveProbe(nullptr);
        RunTest::TearDown();
    }
    std::vector<std::string> ManyLines(int count) {
        std::vector<std::string> lines{"ВЕДОМОСТЬ"};
        for (int i = 0; i < count; ++i) lines.push_back(std::to_string(i));
        return lines;
    }
    std::vector<std::string> FilesInDir() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(WindowTest, ASavedRunEndsWithStatusZeroAndShowsItsProgress) {
    Input({"ВЕДОМОСТЬ", "a", "b", "ВЕДОМОСТЬ", "c", "ВЕДОМОСТЬ", "d", "e", "f"});
    frmTabulizer window(d, run, host);
    window.EventInterval = {};
    int linesWithEvents = 0;
    host.onProcessEvents = [&](int) { linesWithEvents += window.lbState.Visible ? 0 : 1; };
    int status = RunWindow(window);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_TRUE(std::filesystem::exists(d.NameOut));
    EXPECT_EQ(window.txtCount.Text(), "2");
    EXPECT_EQ(window.txtCountLine.Text(), "4");
    EXPECT_EQ(window.Caption, "Конвертирование документа");
    EXPECT_EQ(linesWithEvents, 6);  // once per information line, outside batch mode
    EXPECT_TRUE(window.txtCountLine.ReadOnly && window.txtCount.ReadOnly);
    EXPECT_EQ(window.prgRead.Value, 100);
    EXPECT_FALSE(window.lbState.Visible);
}

// The save runs on a thread of its own while the window keeps processing events
// (the probe lets it finish only once they have been processed); a cancel then is
// refused, and the workbook is saved all the same.
std::atomic<int> eventsWhileSaving{0};
std::atomic<bool> savedOnTheRunThread{false};
std::thread::id runThread;

bool WaitForEventsWhileSaving(const std::string&) {
    savedOnTheRunThread = std::this_thread::get_id() == runThread;
    // A guard against a hang, not a measure: the events come at once when they come at all.
    for (int i = 0; i < 2000 && !savedOnTheRunThread && eventsWhileSaving < 3; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return true;
}

TEST_F(WindowTest, TheWindowStaysResponsiveWhileSavingAndRefusesACancelThen) {
    Input(ManyLines(20));
    std::ofstream(d.NameOut) << "earlier";
    run.Overwrite = true;
    runThread = std::this_thread::get_id();
    eventsWhileSaving = 0;
    sheet::Application::SetSaveProbe(WaitForEventsWhileSaving);
    frmTabulizer window(d, run, host);
    host.answers = {ui::Answer::Yes};
    // The bar tells the sheets written: it starts from nothing and never goes back.
    std::vector<int> shown;
    host.onProcessEvents = [&](int) {
        if (!window.lbState.Visible) return;
        EXPECT_EQ(window.lbState.Caption, frmTabulizer::kSavingText);
        EXPECT_GE(window.prgRead.Value, shown.empty() ? 0 : shown.back());
        shown.push_back(window.prgRead.Value);
        if (++eventsWhileSaving == 2) window.ButExit.Click();
    };
    EXPECT_EQ(RunWindow(window), 0);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back(), 100);  // the probe holds the save back once every sheet is written
    EXPECT_FALSE(savedOnTheRunThread);
    EXPECT_GE(eventsWhileSaving, 3);
    EXPECT_EQ(host.BoxTexts(), std::vector<std::string>{std::string(frmTabulizer::kSaveNotCancelled)});
    EXPECT_GT(std::filesystem::file_size(d.NameOut), 1000u);

    // Batch mode saves where it converts, without events.
    host = {};
    run.Batch = true;
    EXPECT_EQ(RunWindow(), 0);
    EXPECT_TRUE(savedOnTheRunThread);
}

TEST(RunBeside, FailuresOfTheJobComeBackAndAFailureMeanwhileWaitsForTheJob) {
    EXPECT_THROW(RunBeside([] { throw Failure(1004, "save"); }, [] {}, std::chrono::milliseconds(1)), Failure);
    std::atomic<bool> finished{false};
    EXPECT_THROW(RunBeside(
                     [&] {
                         std::this_thread::sleep_for(std::chrono::milliseconds(30));
                         finished = true;
                     },
                     [] { throw ui::ProgramExit{3}; }, std::chrono::milliseconds(1)),
                 ui::ProgramExit);
    EXPECT_TRUE(finished);
}

TEST_F(WindowTest, EventsAreProcessedInRoundsNotAfterEveryLine) {
    Input(ManyLines(5000));
    EXPECT_EQ(RunWindow(), 0);
    EXPECT_GE(host.processEventsCalls, 1);  // the first line always lets the window breathe
    EXPECT_LT(host.processEventsCalls, 2500);
}

TEST_F(WindowTest, BatchRunsAreMinimisedAndProcessNoEvents) {
    run.Batch = true;
    Input({"ВЕДОМОСТЬ", "a", "b"});
    EXPECT_EQ(RunWindow(), 0);
    EXPECT_EQ(host.processEventsCalls, 0);
    EXPECT_EQ(host.events, (std::vector<std::string>{"show frmTabulizer"}));
}

TEST_F(WindowTest, AReferenceLinePositionBeyondTheWindowFailsBeforeAnyWorkbook) {
    d.EtalStrN = 25;
    d.NameIn = (dir / "missing.txt").string();
    EXPECT_EQ(RunWindow(), 1);
    EXPECT_EQ(host.BoxTexts(), (std::vector<std::string>{FailureReport(9)}));
    EXPECT_FALSE(std::filesystem::exists(d.NameOut));
}

TEST_F(WindowTest, MoreRowsThanASheetCountsIsAnOverflow) {
    Input(ManyLines(32770));
    EXPECT_EQ(RunWindow(), 1);
    EXPECT_EQ(host.BoxTexts(), (std::vector<std::string>{FailureReport(6)}));
    EXPECT_FALSE(std::filesystem::exists(d.NameOut));
}

TEST_F(WindowTest, AMissingInputIsReportedAsFileNotFound) {
    EXPECT_EQ(RunWindow(), 1);
    EXPECT_EQ(host.BoxTexts(), (std::vector<std::string>{FailureReport(53)}));
}

TEST_F(WindowTest, AnUnwritableOutputIsReportedAndLeavesNoFileBehind) {
    Input({"ВЕДОМОСТЬ", "a"});
    d.NameOut = (dir / "no-such-folder" / "out.xlsx").string();
    EXPECT_EQ(RunWindow(), 1);
    EXPECT_EQ(host.BoxTexts(), (std::vector<std::string>{FailureReport(1004)}));
    EXPECT_EQ(host.explanations,
              (std::vector<std::string>{"Не удалось записать файл «" + d.NameOut + "»: Нет такого каталога"}));
    EXPECT_EQ(FilesInDir(), (std::vector<std::string>{"in.txt"}));
}

TEST_F(WindowTest, AFailedSaveKeepsTheEarlierWorkbook) {
    Input({"ВЕДОМОСТЬ", "a"});
    std::ofstream(d.NameOut) << "earlier";
    run.Overwrite = true;
    sheet::Application::SetSaveProbe([](const std::string&) { return false; });
    EXPECT_EQ(RunWindow(), 1);
    EXPECT_EQ(host.BoxTexts(), (std::vector<std::string>{FailureReport(1004)}));
    std::ifstream earlier(d.NameOut);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(earlier), {}), "earlier");
    EXPECT_EQ(FilesInDir(), (std::vector<std::string>{"in.txt", "out.xlsx"}));
}

TEST_F(WindowTest, OverwriteReplacesTheEarlierWorkbook) {
    Input({"ВЕДОМОСТЬ", "a"});
    std::ofstream(d.NameOut) << "earlier";
    run.Overwrite = true;
    EXPECT_EQ(RunWindow(), 0);
    EXPECT_GT(std::filesystem::file_size(d.NameOut), 1000u);
}

TEST_F(WindowTest, CancelInTheMiddleOfAPageSavesNothing) {
    Input(ManyLines(50));
    frmTabulizer window(d, run, host);
    window.EventInterval = {};
    host.answers = {ui::Answer::No, ui::Answer::Yes};
    host.onProcessEvents = [&](int call) {
        if (call == 3 || call == 10) window.ButExit.Click();
    };
    int status = RunWindow(window);
    EXPECT_EQ(status, 3);
    EXPECT_EQ(host.BoxTexts(), (std::vector<std::string>(2, "Вы действительно хотите прервать процесс ?")));
    EXPECT_EQ(host.boxes[0].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(host.processEventsCalls, 10);  // the cancel is seen at the top of the next line
    EXPECT_FALSE(std::filesystem::exists(d.NameOut));
}

TEST_F(WindowTest, NoCloseHandsTheWorkbookOverOrKeepsItWhereTheUserIsTold) {
    Input({"ВЕДОМОСТЬ", "a"});
    d.NoClose = true;
    for (bool taken : {true, false}) {
        host = {};
        host.desktopTakesWorkbooks = taken;
        EXPECT_EQ(RunWindow(), taken ? 0 : 1);
        EXPECT_FALSE(std::filesystem::exists(d.NameOut));
        ASSERT_EQ(host.openedInDesktop.size(), 1u);
        std::filesystem::path handed = host.openedInDesktop[0];
        EXPECT_EQ(handed.filename(), "in.xlsx");
        EXPECT_TRUE(std::filesystem::exists(handed));
        EXPECT_EQ(host.BoxTexts(),
                  taken ? std::vector<std::string>{}
                        : std::vector<std::string>{"Выходной документ не удалось открыть !\nКнига сохранена в файле\n" +
                                                   handed.string()});
        std::filesystem::remove_all(handed.parent_path());
    }
}

}  // namespace
}  // namespace tabulizer::test
