// A change made through the accessibility interface acts exactly as the user's own
// act on the control, or is refused and the control shows the model's value again:
// no control is left showing a value the program does not use.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleEditableTextInterface>
#include <QAccessibleTableInterface>
#include <QAccessibleValueInterface>
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QtTest/QTest>
#include <functional>
#include <string>

#include "QtFixture.h"
#include "ui/ComboBox.h"
#include "ui/ListView.h"
#include "ui/UpDown.h"

namespace tabulizer::test {
namespace {

using Kind = ui::ControlKind;

struct AllKinds : ui::Window {
    AllKinds() : ui::Window("frmControls") {
        Geometry = {0, 0, 9000, 6000};
        butGo.Caption = "Начать";
        butGo.Geometry = {6000, 150, 1500, 450};
        frGroup.Geometry = {150, 150, 3000, 1200};
        optA.Geometry = {150, 300, 1200, 300};
        optB.Geometry = {150, 700, 1200, 300};
        optA.Value = 1;
        cbFlag.Geometry = {3300, 150, 2400, 300};
        txtLine.Geometry = {3300, 600, 2400, 360};
        txtPath.MultiLine = true;
        txtPath.Geometry = {3300, 1050, 2400, 600};
        txtShown.ReadOnly = true;
        txtShown.Geometry = {3300, 1800, 2400, 360};
        txtShown.SetText("показ");
        cbChoice.SetEntries({"Общий", "Числовой", "Денежный"});
        cbChoice.SetListIndex(0);
        cbChoice.Geometry = {150, 1500, 2400, 360};
        txtDepth.Geometry = {150, 2000, 600, 360};
        udDepth.Geometry = {750, 2000, 255, 360};
        udDepth.SetRange(1, 4);
        udDepth.SetPosition(1);
        lstLines.Geometry = {150, 2500, 8000, 3000};
        lstLines.AddHeader({"№ строки", 1400, ui::Alignment::Left, ""});
        for (const char* line : {" 1", " 2", " 3"}) lstLines.AddItem({line, {}});
        lstLines.SetReportStyle(true);
        for (ui::Control* control : ui::Window::Controls())
            control->OnClick = [this, control] { events.push_back(control->Name()); };
        udDepth.OnChange = [this] { events.push_back("udDepth"); };
        txtLine.OnChange = [this] { events.push_back("txtLine"); };
        txtPath.OnChange = [this] { events.push_back("txtPath"); };
        lstLines.OnItemClick = [this](int item) { events.push_back("item " + std::to_string(item)); };
    }

    ui::Control butGo{*this, Kind::Button, "butGo"};
    ui::Control frGroup{*this, Kind::Panel, "frGroup"};
    ui::Control optA{*this, Kind::OptionButton, "optA", &frGroup};
    ui::Control optB{*this, Kind::OptionButton, "optB", &frGroup};
    ui::Control cbFlag{*this, Kind::CheckBox, "cbFlag"};
    ui::Control txtLine{*this, Kind::TextBox, "txtLine"};
    ui::Control txtPath{*this, Kind::TextBox, "txtPath"};
    ui::Control txtShown{*this, Kind::TextBox, "txtShown"};
    ui::ComboBox cbChoice{*this, "cbChoice"};
    ui::Control txtDepth{*this, Kind::TextBox, "txtDepth"};
    ui::UpDown udDepth{*this, "udDepth", &txtDepth};
    ui::ListView lstLines{*this, "lstLines"};
    std::vector<std::string> events;
};

QAccessibleInterface* Accessible(QWidget* widget) { return QAccessible::queryAccessibleInterface(widget); }

void Act(QWidget* widget, const QString& action) { Accessible(widget)->actionInterface()->doAction(action); }

void SetValue(QWidget* widget, const QVariant& value) { Accessible(widget)->valueInterface()->setCurrentValue(value); }

void Replace(QWidget* widget, const QString& text) {
    QAccessibleInterface* box = Accessible(widget);
    box->editableTextInterface()->replaceText(0, box->textInterface()->characterCount(), text);
}

struct Scene {
    qt::QtHost& host;
    AllKinds& w;
    QWidget* W(const ui::Control& control) const { return host.WidgetOf(control); }
    bool Checked(const ui::Control& control) const { return qobject_cast<QAbstractButton*>(W(control))->isChecked(); }
    QSpinBox* Spin() const { return qobject_cast<QSpinBox*>(W(w.udDepth)); }
    QLineEdit* Line(const ui::Control& control) const { return qobject_cast<QLineEdit*>(W(control)); }
};

struct Case {
    const char* name;
    std::function<void(const Scene&)> act;
    // The model afterwards, and the widget showing it.
    std::function<bool(const Scene&)> agrees;
    std::vector<std::string> events;
};

const QString kToggle = QAccessibleActionInterface::toggleAction();
const QPoint kIndicator(7, 10);  // on the round mark of an option without caption

const Case kCases[] = {
    {"check box toggled on", [](const Scene& s) { Act(s.W(s.w.cbFlag), kToggle); },
     [](const Scene& s) { return s.w.cbFlag.Value == 1 && s.Checked(s.w.cbFlag); }, {"cbFlag"}},
    {"check box toggled on and off again",
     [](const Scene& s) {
         Act(s.W(s.w.cbFlag), kToggle);
         Act(s.W(s.w.cbFlag), kToggle);
     },
     [](const Scene& s) { return s.w.cbFlag.Value == 0 && !s.Checked(s.w.cbFlag); }, {"cbFlag", "cbFlag"}},
    {"disabled check box refuses",
     [](const Scene& s) {
         s.host.Forward([&] { s.w.cbFlag.Enabled = false; });
         qobject_cast<QAbstractButton*>(s.W(s.w.cbFlag))->toggle();
     },
     [](const Scene& s) { return s.w.cbFlag.Value == 0 && !s.Checked(s.w.cbFlag); }, {}},
    {"option toggled on switches its group", [](const Scene& s) { Act(s.W(s.w.optB), kToggle); },
     [](const Scene& s) {
         return s.w.optB.Value == 1 && s.w.optA.Value == 0 && s.Checked(s.w.optB) && !s.Checked(s.w.optA);
     },
     {"optB"}},
    {"option already on stays on", [](const Scene& s) { Act(s.W(s.w.optA), kToggle); },
     [](const Scene& s) { return s.w.optA.Value == 1 && s.w.optB.Value == 0 && s.Checked(s.w.optA); }, {}},
    {"option refused by its handler shows the model's choice",
     [](const Scene& s) {
         s.w.optB.OnClick = [&w = s.w] { w.optA.SetValue(1); };
         Act(s.W(s.w.optB), kToggle);
     },
     [](const Scene& s) { return s.w.optA.Value == 1 && s.Checked(s.w.optA) && !s.Checked(s.w.optB); },
     {"optA"}},
    {"option clicked by the mouse runs its click once",
     [](const Scene& s) { QTest::mouseClick(s.W(s.w.optB), Qt::LeftButton, {}, kIndicator); },
     [](const Scene& s) { return s.w.optB.Value == 1 && s.Checked(s.w.optB); }, {"optB"}},
    {"option already on clicked by the mouse runs its click",
     [](const Scene& s) { QTest::mouseClick(s.W(s.w.optA), Qt::LeftButton, {}, kIndicator); },
     [](const Scene& s) { return s.w.optA.Value == 1 && s.Checked(s.w.optA); }, {"optA"}},
    {"button pressed",
     [](const Scene& s) {
         Act(s.W(s.w.butGo), QAccessibleActionInterface::pressAction());
         (void)QTest::qWaitFor([&] { return !s.w.events.empty(); });  // the press is animated
     },
     [](const Scene&) { return true; }, {"butGo"}},
    {"spin value set", [](const Scene& s) { SetValue(s.W(s.w.udDepth), 3); },
     [](const Scene& s) { return s.w.udDepth.Position() == 3 && s.w.txtDepth.Text() == "3" && s.Spin()->value() == 3; },
     {"udDepth"}},
    {"spin value beyond the model's range is clamped",
     [](const Scene& s) {
         s.Spin()->setMaximum(9);  // a widget that has not caught up with a narrower range
         SetValue(s.W(s.w.udDepth), 9);
     },
     [](const Scene& s) { return s.w.udDepth.Position() == 4 && s.w.txtDepth.Text() == "4" && s.Spin()->value() == 4; },
     {"udDepth"}},
    {"disabled spin refuses",
     [](const Scene& s) {
         s.host.Forward([&] { s.w.udDepth.Enabled = false; });
         s.Spin()->setValue(2);
     },
     [](const Scene& s) { return s.w.udDepth.Position() == 1 && s.Spin()->value() == 1; }, {}},
    {"spin stepped up by its key, once", [](const Scene& s) { QTest::keyClick(s.Spin(), Qt::Key_Up); },
     [](const Scene& s) { return s.w.udDepth.Position() == 2 && s.Spin()->value() == 2; }, {"udDepth"}},
    {"line box text replaced", [](const Scene& s) { Replace(s.W(s.w.txtLine), QStringLiteral("Итого")); },
     [](const Scene& s) { return s.w.txtLine.Text() == "Итого" && s.Line(s.w.txtLine)->text() == QStringLiteral("Итого"); },
     {"txtLine"}},
    {"multi-line box text replaced", [](const Scene& s) { Replace(s.W(s.w.txtPath), QStringLiteral("/tmp/ved.txt")); },
     [](const Scene& s) { return s.w.txtPath.Text() == "/tmp/ved.txt"; }, {"txtPath"}},
    {"read-only box refuses", [](const Scene& s) { s.Line(s.w.txtShown)->setText(QStringLiteral("чужое")); },
     [](const Scene& s) { return s.w.txtShown.Text() == "показ" && s.Line(s.w.txtShown)->text() == QStringLiteral("показ"); },
     {}},
    {"combo entry selected", [](const Scene& s) { qobject_cast<QComboBox*>(s.W(s.w.cbChoice))->setCurrentIndex(2); },
     [](const Scene& s) {
         return s.w.cbChoice.ListIndex() == 2 && qobject_cast<QComboBox*>(s.W(s.w.cbChoice))->currentIndex() == 2;
     },
     {"cbChoice"}},
    {"list row selected",
     [](const Scene& s) {
         QAccessibleInterface* cell = Accessible(s.W(s.w.lstLines))->tableInterface()->cellAt(1, 0);
         cell->actionInterface()->doAction(kToggle);
     },
     [](const Scene&) { return true; }, {"item 2", "lstLines"}},
};

class AssistiveChangeTest : public QtTest {};

TEST_F(AssistiveChangeTest, EveryKindChangedThroughItsAccessibleInterfaceReachesTheModel) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        AllKinds window;
        host.Show(window);
        window.events.clear();  // what showing ran
        const Scene scene{host, window};
        c.act(scene);
        EXPECT_TRUE(c.agrees(scene));
        EXPECT_EQ(window.events, c.events);
        host.Unload(window);
        QCoreApplication::processEvents();
    }
}

}  // namespace
}  // namespace tabulizer::test
