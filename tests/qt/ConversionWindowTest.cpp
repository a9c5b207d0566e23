// The conversion window under Qt: read-only counters, a bar over the input read, and
// a window that goes on processing its events while the workbook is saved.
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "../support/TempDir.h"
#include "QtFixture.h"
#include "conversion/frmTabulizer.h"
#include "conversion/spreadsheet/Spreadsheet.h"

namespace tabulizer::test {
namespace {

std::atomic<int> ticksWhileSaving{0};

// Lets the save finish only once the window's timer has ticked during it; the
// bound only keeps a fault from hanging the suite.
bool WaitForTicks(const std::string&) {
    for (int i = 0; i < 2000 && ticksWhileSaving < 3; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return true;
}

TEST_F(QtTest, TheConversionWindowProcessesEventsWhileTheWorkbookIsSaved) {
    TempDir temp("tabulizer-qt-save");
    DocumentDescription d;
    RunState run;
    d.InitFontsAndMerges();
    d.Code = true;
    d.MaxLStr = 20;
    d.EndTitle = d.EndCap = d.EtalStrN = 1;
    d.EndPoz[0] = 1;
    d.EndPoz[1] = 20;
    d.EtalStr = "HEAD";
    d.NameIn = (temp.path() / "in.txt").string();
    d.NameOut = (temp.path() / "out.xlsx").string();
    {
        std::ofstream in(d.NameIn, std::ios::binary);
        in << "HEAD\r\n";
        for (int i = 0; i < 3000; ++i) in << i << "\r\n";
    }
    ticksWhileSaving = 0;
    sheet::Application::SetSaveProbe(WaitForTicks);
    frmTabulizer window(d, run, host);

    bool sawSheetsWritten = false;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        auto* state = Widget<QLabel>(window.lbState);
        if (state == nullptr || !state->isVisible()) return;
        EXPECT_EQ(state->text(), QStringLiteral("Сохранение книги…"));
        EXPECT_TRUE(Widget<QLineEdit>(window.txtCountLine)->isReadOnly());
        // A bar of the sheets written, not a busy bar: all of them once the probe holds the save.
        auto* bar = Widget<QProgressBar>(window.prgRead);
        EXPECT_EQ(bar->maximum(), 100);
        sawSheetsWritten = sawSheetsWritten || bar->value() == 100;
        ++ticksWhileSaving;
    });
    ticker.start(1);
    const int status = RunUntilEnd([&] { host.Forward([&] { window.Form_Load(); }); });
    sheet::Application::SetSaveProbe(nullptr);

    EXPECT_EQ(status, 0);
    EXPECT_GE(ticksWhileSaving, 3);
    EXPECT_TRUE(sawSheetsWritten);
    EXPECT_TRUE(std::filesystem::exists(d.NameOut));
}

}  // namespace
}  // namespace tabulizer::test
