// The wizard by the keyboard alone: Tab leaves every path box without typing a tab,
// and a box reached by the keyboard holds exactly what the user types, never its prompt.
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include "QtFixture.h"
#include "description/DocumentDescription.h"
#include "shell/frmBegin.h"
#include "shell/frmOpenFile.h"

namespace tabulizer::test {
namespace {

class KeyboardTest : public QtTest {
protected:
    frmOpenFile& OpenWizard(ui::Control frmBegin::*button) {
        host.Forward([this] { start.Form_Load(); });
        host.Forward([&] { (start.*button).Click(); });
        frmOpenFile& wizard = start.OpenFile();
        QWidget* window = host.WidgetOf(wizard);
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        return wizard;
    }
    QWidget* Focused() const { return QApplication::focusWidget(); }

    DocumentDescription description;
    RunState run;
    frmBegin start{description, run, host, std::string(), [] { return OsVersion{6, 1}; }};
};

TEST_F(KeyboardTest, TabAndShiftTabLeaveEveryPathBoxUnchanged) {
    frmOpenFile& wizard = OpenWizard(&frmBegin::NewProj);
    host.Forward([&] { wizard.frIniDoc.Visible = wizard.frOutDoc.Visible = true; });
    for (ui::Control* box : {&wizard.txtInDoc, &wizard.txtIniDoc, &wizard.txtOutDoc}) {
        auto* edit = Widget<QPlainTextEdit>(*box);
        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
            edit->setFocus();
            ASSERT_EQ(Focused(), edit) << box->Name();
            QTest::keyClicks(edit, "a/b");
            QTest::keyClick(edit, key);
            EXPECT_NE(Focused(), edit) << box->Name();
            EXPECT_FALSE(edit->toPlainText().contains(QLatin1Char('\t'))) << box->Name();
            EXPECT_EQ(box->Text().find('\t'), std::string::npos) << box->Name();
            host.Forward([box] { box->SetText(""); });
        }
    }
}

TEST_F(KeyboardTest, ABoxReachedByTheKeyboardHoldsExactlyWhatIsTyped) {
    frmOpenFile& wizard = OpenWizard(&frmBegin::OldProj);
    auto* box = Widget<QPlainTextEdit>(wizard.txtIniDoc);
    ASSERT_EQ(Focused(), Widget<QPushButton>(wizard.ButIniDoc));
    ASSERT_TRUE(box->toPlainText().startsWith(QStringLiteral("Маршрут и имя INI-файла")));

    QTest::keyClick(Focused(), Qt::Key_Backtab);
    ASSERT_EQ(Focused(), box);
    QTest::keyClicks(box, QStringLiteral("/no/ved.ini"));
    EXPECT_EQ(box->toPlainText(), QStringLiteral("/no/ved.ini"));
    EXPECT_EQ(wizard.txtIniDoc.Text(), "/no/ved.ini");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(run.NameIni, "/no/ved.ini");
}

}  // namespace
}  // namespace tabulizer::test
