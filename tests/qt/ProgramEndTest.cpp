// A handler ends the program by throwing ProgramExit; no exception ever crosses
// the Qt event loop, and a nested end (inside ProcessEvents) unwinds the outer handler.
#include <QPushButton>
#include <stdexcept>

#include "QtFixture.h"
#include "SampleWindow.h"
#include "ui/qt/QtText.h"

namespace tabulizer::test {
namespace {

class ProgramEndTest : public QtTest {
protected:
    SampleWindow window;
    QPushButton* Go() { return Widget<QPushButton>(window.butGo); }
};

TEST_F(ProgramEndTest, ProgramExitFromAHandlerEndsTheLoopWithItsStatus) {
    int clicks = 0;
    window.butGo.OnClick = [&] {
        ++clicks;
        throw ui::ProgramExit{3};
    };
    host.Show(window);
    EXPECT_EQ(RunUntilEnd([this] { Go()->click(); }), 3);
    EXPECT_EQ(host.ExitStatus(), 3);
    EXPECT_FALSE(host.WidgetOf(window)->isVisible());

    Go()->click();  // the program is ending: nothing more reaches the logic
    EXPECT_EQ(clicks, 1);
}

TEST_F(ProgramEndTest, AnEndInsideProcessEventsUnwindsTheRunningHandler) {
    SampleWindow progress;
    bool ranPastTheEnd = false;
    progress.butGo.OnClick = [] { throw ui::ProgramExit{5}; };
    window.butGo.OnClick = [&] {
        host.Show(progress);
        QPushButton* cancel = Widget<QPushButton>(progress.butGo);
        QTimer::singleShot(0, cancel, [cancel] { cancel->click(); });
        for (int line = 0; line < 1000; ++line) host.ProcessEvents();
        ranPastTheEnd = true;
    };
    host.Show(window);
    EXPECT_EQ(RunUntilEnd([this] { Go()->click(); }), 5);
    EXPECT_FALSE(ranPastTheEnd);
}

TEST_F(ProgramEndTest, AnUnexpectedFailureIsShownAndEndsWithStatus70) {
    window.butGo.OnClick = [] { throw std::runtime_error("сбой"); };
    host.Show(window);
    EXPECT_EQ(RunUntilEnd([this] { Go()->click(); }), 70);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Внутренняя ошибка программы:\nсбой");
    EXPECT_EQ(boxes[0].buttons, ui::Buttons::Ok);
    EXPECT_EQ(boxes[0].icon, ui::Icon::Critical);
}

TEST_F(ProgramEndTest, TheCloseButtonRunsOnCloseOrElseEndsWithZero) {
    int closes = 0;
    window.OnClose = [&] { ++closes; };
    host.Show(window);
    host.WidgetOf(window)->close();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(host.ExitStatus().has_value());
    EXPECT_TRUE(host.WidgetOf(window)->isVisible());

    window.OnClose = nullptr;
    EXPECT_EQ(RunUntilEnd([this] { host.WidgetOf(window)->close(); }), 0);
}

TEST(FilterToQt, TurnsDescriptionPatternPairsIntoQtFilters) {
    EXPECT_EQ(qt::FilterToQt(""), QString());
    EXPECT_EQ(qt::FilterToQt("Файл описания проекта (*.ini)|*.ini"), QStringLiteral("Файл описания проекта (*.ini)"));
    EXPECT_EQ(qt::FilterToQt("Книга (*.xlsx *.xls)|*.xlsx;*.xls|Все файлы (*.*)|*.*"),
              QStringLiteral("Книга (*.xlsx *.xls);;Все файлы (*.*)"));
    // Without patterns in the description Qt would read the description as a pattern.
    EXPECT_EQ(qt::FilterToQt("Тексты|*.txt;*.prn"), QStringLiteral("Тексты (*.txt *.prn)"));
}

}  // namespace
}  // namespace tabulizer::test
