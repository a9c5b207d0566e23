// A window model is drawn with the right widgets, and every widget event comes
// back to the model, after which all widgets show the model again.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

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
    QWidget* top = host.WidgetOf(window);
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(window.Visible);
    EXPECT_EQ(top->windowTitle(), QStringLiteral("Образец"));
    EXPECT_EQ(top->size(), QSize(400, 300));

    auto* go = Widget<QPushButton>(window.butGo);
    ASSERT_NE(go, nullptr);
    EXPECT_EQ(go->geometry(), QRect(10, 20, 100, 30));
    EXPECT_EQ(go->text(), QStringLiteral("Пуск"));
    EXPECT_EQ(go->toolTip(), QStringLiteral("Начать"));
    EXPECT_FALSE(go->icon().isNull());
    EXPECT_NE(Widget<QLabel>(window.lbInfo), nullptr);
    EXPECT_NE(Widget<QLineEdit>(window.txtLine), nullptr);
    EXPECT_NE(Widget<QPlainTextEdit>(window.txtPath), nullptr);
    EXPECT_NE(Widget<QCheckBox>(window.cbFlag), nullptr);
    EXPECT_TRUE(Widget<QLabel>(window.lbHidden)->isHidden());

    auto* logo = Widget<QLabel>(window.picLogo);
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->pixmap().size(), QSize(32, 32));
}

TEST_F(RendererTest, ControlsOfAPanelLiveInsideItRelativeToIt) {
    host.Show(window);
    auto* panel = Widget<QGroupBox>(window.frChoice);
    auto* a = Widget<QRadioButton>(window.optA);
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->parentWidget(), panel);
    EXPECT_EQ(a->geometry(), QRect(10, 20, 60, 20));
    EXPECT_EQ(panel->geometry(), QRect(220, 20, 160, 100));
    EXPECT_TRUE(Widget<QRadioButton>(window.optB)->isChecked());
}

TEST_F(RendererTest, ProgramPicturesAreBuiltIn) {
    EXPECT_EQ(qt::LoadPicture(":/pictures/title.png").size(), QSize(729, 484));
    EXPECT_EQ(qt::LoadPicture("forward").size(), QSize(32, 32));
    EXPECT_FALSE(qt::LoadPicture("back.png").isNull());
    EXPECT_TRUE(qt::LoadPicture("").isNull());
    EXPECT_TRUE(qt::LoadPicture("no-such-picture").isNull());
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
        window.cbFlag.Value = 1;
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
    EXPECT_TRUE(Widget<QCheckBox>(window.cbFlag)->isChecked());
    EXPECT_EQ(host.WidgetOf(window)->focusWidget(), host.WidgetOf(window.txtPath));
}

TEST_F(RendererTest, CheckBoxClickTogglesTheModelOnce) {
    int changes = 0;
    window.cbFlag.OnClick = [&] { ++changes; };
    host.Show(window);
    auto* flag = Widget<QCheckBox>(window.cbFlag);
    flag->click();
    EXPECT_EQ(window.cbFlag.Value, 1);
    EXPECT_TRUE(flag->isChecked());
    flag->click();
    EXPECT_EQ(window.cbFlag.Value, 0);
    EXPECT_FALSE(flag->isChecked());
    EXPECT_EQ(changes, 2);
}

TEST_F(RendererTest, OptionsOfOnePanelAreExclusiveAndOtherPanelsKeepTheirs) {
    host.Show(window);
    Widget<QRadioButton>(window.optA)->click();
    EXPECT_EQ(window.optA.Value, 1);
    EXPECT_EQ(window.optB.Value, 0);
    EXPECT_TRUE(Widget<QRadioButton>(window.optA)->isChecked());
    EXPECT_FALSE(Widget<QRadioButton>(window.optB)->isChecked());
    EXPECT_TRUE(Widget<QRadioButton>(window.optC)->isChecked());

    // A click on the option that is on leaves it on.
    Widget<QRadioButton>(window.optA)->click();
    EXPECT_TRUE(Widget<QRadioButton>(window.optA)->isChecked());
}

TEST_F(RendererTest, UnloadDestroysTheWidgetAndShowMakesANewOne) {
    host.Show(window);
    QPointer<QWidget> first = host.WidgetOf(window);
    host.Unload(window);
    EXPECT_EQ(host.WidgetOf(window), nullptr);
    EXPECT_FALSE(window.Visible);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());

    host.Show(window);
    ASSERT_NE(host.WidgetOf(window), nullptr);
    EXPECT_TRUE(host.WidgetOf(window)->isVisible());
}

}  // namespace
}  // namespace tabulizer::test
