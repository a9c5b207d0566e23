// A window model is drawn with the right widgets, and every widget event comes
// back to the model, after which all widgets show the model again. Enter in a
// text box belongs to the logic; typed text keeps the model's CR LF line breaks.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <string>

#include "QtFixture.h"
#include "SampleWindow.h"
#include "ui/qt/Pictures.h"

namespace tabulizer::test {
namespace {

class RendererTest : public QtTest {
protected:
    SampleWindow window;
};

TEST_F(RendererTest, DrawsEachKindWithItsWidgetAndGeometryInPixels) {
    host.Show(window);
    ASSERT_NE(host.WidgetOf(window), nullptr);
    EXPECT_EQ(host.WidgetOf(window)->windowTitle(), QStringLiteral("Образец"));
    EXPECT_EQ(host.WidgetOf(window)->size(), QSize(400, 300));

    auto* go = Widget<QPushButton>(window.butGo);
    ASSERT_NE(go, nullptr);
    EXPECT_EQ(go->geometry(), QRect(10, 20, 100, 30));
    EXPECT_EQ(go->toolTip(), QStringLiteral("Начать"));
    EXPECT_FALSE(go->icon().isNull());
    EXPECT_NE(Widget<QLineEdit>(window.txtLine), nullptr);
    EXPECT_NE(Widget<QPlainTextEdit>(window.txtPath), nullptr);
    EXPECT_TRUE(Widget<QLabel>(window.lbHidden)->isHidden());
    EXPECT_EQ(Widget<QLabel>(window.picLogo)->pixmap().size(), QSize(32, 32));
    EXPECT_EQ(qt::LoadPicture(":/pictures/title.png").size(), QSize(729, 484));

    // optA is declared before its panel and still lands inside it, placed relative to it.
    auto* a = Widget<QRadioButton>(window.optA);
    EXPECT_EQ(a->parentWidget(), Widget<QGroupBox>(window.frChoice));
    EXPECT_EQ(a->geometry(), QRect(10, 20, 60, 20));
}

TEST_F(RendererTest, ClickReachesTheModelAndEveryWidgetFollowsIt) {
    int clicks = 0;
    window.butGo.OnClick = [&] {
        ++clicks;
        window.Caption = "Идёт работа";
        window.lbInfo.Caption = "Готово";
        window.butGo.Enabled = false;
        window.frOther.Visible = false;
        window.txtLine.SetText("abc");
        window.txtPath.SetFocus();
    };
    host.Show(window);
    Widget<QPushButton>(window.butGo)->click();

    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(host.WidgetOf(window)->windowTitle(), QStringLiteral("Идёт работа"));
    EXPECT_EQ(Widget<QLabel>(window.lbInfo)->text(), QStringLiteral("Готово"));
    EXPECT_FALSE(Widget<QPushButton>(window.butGo)->isEnabled());
    EXPECT_TRUE(Widget<QGroupBox>(window.frOther)->isHidden());
    EXPECT_EQ(Widget<QLineEdit>(window.txtLine)->text(), QStringLiteral("abc"));
    EXPECT_EQ(host.WidgetOf(window)->focusWidget(), host.WidgetOf(window.txtPath));
}

TEST_F(RendererTest, ChecksToggleOnceAndOptionsOfOnePanelAreExclusive) {
    host.Show(window);
    Widget<QCheckBox>(window.cbFlag)->click();
    EXPECT_EQ(window.cbFlag.Value, 1);
    EXPECT_TRUE(Widget<QCheckBox>(window.cbFlag)->isChecked());

    Widget<QRadioButton>(window.optA)->click();
    Widget<QRadioButton>(window.optA)->click();  // a click on the option that is on leaves it on
    EXPECT_EQ(window.optA.Value, 1);
    EXPECT_EQ(window.optB.Value, 0);
    EXPECT_TRUE(Widget<QRadioButton>(window.optA)->isChecked());
    EXPECT_FALSE(Widget<QRadioButton>(window.optB)->isChecked());
    EXPECT_TRUE(Widget<QRadioButton>(window.optC)->isChecked());  // another panel
}

TEST_F(RendererTest, EnterCallsOnEnterAndInsertsNothing) {
    int enters = 0;
    window.txtPath.SetText("C:\\отчёт.txt");
    window.txtPath.OnEnter = [&] { ++enters; };
    window.txtLine.OnEnter = [&] { ++enters; };
    host.Show(window);
    auto* edit = Widget<QPlainTextEdit>(window.txtPath);
    Press(edit, Qt::Key_Return);
    Press(edit, Qt::Key_Enter);
    Press(Widget<QLineEdit>(window.txtLine), Qt::Key_Return);
    EXPECT_EQ(enters, 3);
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("C:\\отчёт.txt"));
    EXPECT_EQ(window.txtPath.Text(), "C:\\отчёт.txt");
}

TEST_F(RendererTest, TypingReachesTheModelKeepingItsLineBreaks) {
    window.txtPath.SetText("Маршрут и имя \r\nфайла\r\n");
    host.Show(window);
    auto* edit = Widget<QPlainTextEdit>(window.txtPath);
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("Маршрут и имя \nфайла\n"));
    edit->moveCursor(QTextCursor::End);
    Press(edit, Qt::Key_X, QStringLiteral("x"));
    EXPECT_EQ(window.txtPath.Text(), "Маршрут и имя \r\nфайла\r\nx");
}

// A caption wider than its button is put on several lines at its spaces, each of
// which fits; one that fits, or a single word, stays on one line. A screen reader
// still hears the caption as one line.
struct CaptionCase {
    const char* caption;
    int width;  // twips
    int lines;
};

const CaptionCase kCaptionCases[] = {
    {"Пуск", 1500, 1},
    {"Отменить последнее объединение", 6000, 1},
    {"Отменить последнее объединение", 2760, 2},
    {"Отменить последнее объединение", 1400, 3},
    {"Переподключение", 600, 1},
};

TEST_F(RendererTest, ACaptionWiderThanItsButtonGoesOnSeveralLines) {
    for (const CaptionCase& c : kCaptionCases) {
        SCOPED_TRACE(std::string(c.caption) + " in " + std::to_string(c.width));
        SampleWindow sample;
        sample.butGo.Picture.clear();
        sample.butGo.ToolTip.clear();
        sample.butGo.Caption = c.caption;
        sample.butGo.Geometry = {150, 300, c.width, 900};
        host.Show(sample);
        auto* button = Widget<QPushButton>(sample.butGo);
        ASSERT_NE(button, nullptr);
        const QStringList lines = button->text().split(QLatin1Char('\n'));
        EXPECT_EQ(lines.size(), c.lines);
        EXPECT_EQ(lines.join(QLatin1Char(' ')), QString::fromUtf8(c.caption));
        if (lines.size() > 1) {
            for (const QString& line : lines) EXPECT_LE(button->fontMetrics().horizontalAdvance(line), button->width());
        }
        EXPECT_EQ(button->accessibleName(), QString::fromUtf8(c.caption));
        host.Unload(sample);
    }
}

}  // namespace
}  // namespace tabulizer::test
