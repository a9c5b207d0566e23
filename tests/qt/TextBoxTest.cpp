// Text boxes: Enter belongs to the logic, typing reaches the model, and the
// model's CR LF line breaks survive the round trip through the widget.
#include <QLineEdit>
#include <QPlainTextEdit>

#include "QtFixture.h"
#include "SampleWindow.h"

namespace tabulizer::test {
namespace {

class TextBoxTest : public QtTest {
protected:
    SampleWindow window;
};

TEST_F(TextBoxTest, EnterInAMultiLineBoxCallsOnEnterAndInsertsNothing) {
    int enters = 0;
    window.txtPath.SetText("C:\\отчёт.txt");
    window.txtPath.OnEnter = [&] { ++enters; };
    host.Show(window);
    auto* edit = Widget<QPlainTextEdit>(window.txtPath);
    ASSERT_NE(edit, nullptr);

    Press(edit, Qt::Key_Return);
    Press(edit, Qt::Key_Enter);
    EXPECT_EQ(enters, 2);
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("C:\\отчёт.txt"));
    EXPECT_EQ(window.txtPath.Text(), "C:\\отчёт.txt");
}

TEST_F(TextBoxTest, EnterInASingleLineBoxCallsOnEnter) {
    int enters = 0;
    window.txtLine.OnEnter = [&] { ++enters; };
    host.Show(window);
    Press(Widget<QLineEdit>(window.txtLine), Qt::Key_Return);
    EXPECT_EQ(enters, 1);
}

TEST_F(TextBoxTest, TypingReachesTheModelKeepingItsLineBreaks) {
    std::vector<std::string> changes;
    window.txtPath.SetText("Маршрут и имя \r\nфайла\r\n");
    window.txtPath.OnChange = [&] { changes.push_back(window.txtPath.Text()); };
    host.Show(window);
    auto* edit = Widget<QPlainTextEdit>(window.txtPath);
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("Маршрут и имя \nфайла\n"));

    edit->moveCursor(QTextCursor::End);
    Press(edit, Qt::Key_X, QStringLiteral("x"));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(window.txtPath.Text(), "Маршрут и имя \r\nфайла\r\nx");
}

TEST_F(TextBoxTest, AChangeHandlerRewritingTheTextIsShownWithoutEchoingBack) {
    int changes = 0;
    window.txtLine.OnChange = [&] {
        ++changes;
        window.txtLine.SetText("A");
    };
    host.Show(window);
    auto* line = Widget<QLineEdit>(window.txtLine);
    Press(line, Qt::Key_B, QStringLiteral("b"));
    EXPECT_EQ(line->text(), QStringLiteral("A"));
    EXPECT_EQ(window.txtLine.Text(), "A");
    EXPECT_EQ(changes, 2);  // the user's "b", then the handler's own "A"
}

TEST_F(TextBoxTest, AClickOnATextBoxIsTheModelsClick) {
    window.txtPath.SetText("Маршрут и имя файла");
    window.txtPath.OnClick = [&] { window.txtPath.SetText(""); };
    host.Show(window);
    auto* edit = Widget<QPlainTextEdit>(window.txtPath);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(edit->viewport(), &press);
    QCoreApplication::sendEvent(edit->viewport(), &release);
    EXPECT_EQ(edit->toPlainText(), QString());
}

}  // namespace
}  // namespace tabulizer::test
