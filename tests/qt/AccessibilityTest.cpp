// What a screen reader sees: every control of every window has a name that says
// what it is and its true role, and a control found by its name works.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QtTest/QTest>

#include <filesystem>

#include "../support/TempDir.h"
#include "QtFixture.h"
#include "conversion/frmTabulizer.h"
#include "description/DocumentDescription.h"
#include "description/ProjectLoader.h"
#include "editor/frmParDoc.h"
#include "shell/frmBegin.h"
#include "shell/frmOpenFile.h"

namespace tabulizer::test {
namespace {

QAccessible::Role RoleOf(ui::ControlKind kind) {
    switch (kind) {
    case ui::ControlKind::Button: return QAccessible::Button;
    case ui::ControlKind::Label: return QAccessible::StaticText;
    case ui::ControlKind::TextBox: return QAccessible::EditableText;
    case ui::ControlKind::CheckBox: return QAccessible::CheckBox;
    case ui::ControlKind::OptionButton: return QAccessible::RadioButton;
    case ui::ControlKind::Panel: return QAccessible::Grouping;
    case ui::ControlKind::ProgressBar: return QAccessible::ProgressBar;
    case ui::ControlKind::ListView: return QAccessible::Tree;
    case ui::ControlKind::ComboBox: return QAccessible::ComboBox;
    case ui::ControlKind::UpDown: return QAccessible::SpinBox;
    case ui::ControlKind::Picture: break;
    }
    return QAccessible::Graphic;
}

// Looks for a control by its accessible name and role in the tree under `node`,
// as assistive technology walks it.
QAccessibleInterface* FindByName(QAccessibleInterface* node, const QString& name, QAccessible::Role role) {
    if (node == nullptr) return nullptr;
    if (node->role() == role && node->text(QAccessible::Name) == name) return node;
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface* found = FindByName(node->child(i), name, role)) return found;
    return nullptr;
}

class AccessibilityTest : public QtTest {
protected:
    // Every control of `window` that shows, with its name (empty when it has none) and role.
    std::vector<std::string> Unnamed(const ui::Window& window) {
        std::vector<std::string> faults;
        for (const ui::Control* control : window.Controls()) {
            QWidget* widget = host.WidgetOf(*control);
            if (widget == nullptr || !widget->isVisible()) continue;
            QAccessibleInterface* item = QAccessible::queryAccessibleInterface(widget);
            if (item->text(QAccessible::Name).trimmed().isEmpty()) faults.push_back(control->Name() + " без имени");
            if (item->role() != RoleOf(control->Kind())) faults.push_back(control->Name() + " не той роли");
        }
        return faults;
    }
    QAccessibleInterface* Find(const ui::Window& window, const char* name, QAccessible::Role role) {
        return FindByName(QAccessible::queryAccessibleInterface(host.WidgetOf(window)), QString::fromUtf8(name), role);
    }

    DocumentDescription description;
    RunState run;
    frmBegin start{description, run, host, std::string(), [] { return OsVersion{6, 1}; }};
};

TEST_F(AccessibilityTest, EveryControlShownHasANameAndItsTrueRole) {
    host.Forward([this] { start.Form_Load(); });
    EXPECT_EQ(Unnamed(start), std::vector<std::string>{});

    host.Forward([this] { start.NewProj.Click(); });
    frmOpenFile& wizard = start.OpenFile();
    host.Forward([&] {
        for (ui::Control* panel : {&wizard.frIniDoc, &wizard.frOutDoc, &wizard.frGroupProj, &wizard.frModIni})
            panel->Visible = true;
        wizard.CBoxNoClose.Visible = true;
    });
    EXPECT_EQ(Unnamed(wizard), std::vector<std::string>{});

    frmTabulizer conversion(description, run, host);
    host.Show(conversion);
    EXPECT_EQ(Unnamed(conversion), std::vector<std::string>{});
    host.Unload(conversion);
}

// The editor shows other panels and list modes at different steps: at each step
// every control shown has a name and its role. Names of the editor's own controls
// are given by its logic.
TEST_F(AccessibilityTest, EveryControlOfTheEditorHasANameAndItsRoleAtEveryStep) {
    namespace fs = std::filesystem;
    TempDir temp("tabulizer-accessible-editor");
    for (const char* name : {"ved.ini", "ved.txt"})
        fs::copy_file(fs::path(TABULIZER_EXAMPLES) / name, temp.path() / name);
    description.InitFontsAndMerges();
    run.NameIni = (temp.path() / "ved.ini").string();
    ASSERT_EQ(LoadProject(description, run, host), LoadOutcome::Clean);
    description.NameIn = (temp.path() / "ved.txt").string();
    frmParDoc editor(description, run, host);
    host.Forward([&] { editor.Form_Load(); });
    for (int step = 1; step <= 15; ++step) {
        EXPECT_EQ(Unnamed(editor), std::vector<std::string>{}) << "step " << step;
        if (step == 12) {
            // A selected column enables the format panel; a numeric format shows its decimals.
            host.Forward([&] {
                editor.lstDoc.ColumnClick(3);
                editor.ComBoxForm.Choose(1);
            });
            ASSERT_TRUE(editor.FrameCn.Visible);
            EXPECT_EQ(Unnamed(editor), std::vector<std::string>{}) << "step 12, a column selected";
        }
        if (step < 15) host.Forward([&] { editor.NextFr.Click(); });
    }
    EXPECT_EQ(host.WidgetOf(editor.ButUp)->accessibleName(), QStringLiteral("Предыдущая страница"));
    EXPECT_EQ(host.WidgetOf(editor.BackFr)->accessibleName(), QStringLiteral("Назад"));
    EXPECT_EQ(host.WidgetOf(editor.NextFr)->accessibleName(), QStringLiteral("Далее"));
    host.Unload(editor);
}

TEST_F(AccessibilityTest, ControlsAreFoundByTheirNamesAndWork) {
    host.Forward([this] { start.Form_Load(); });
    QAccessibleInterface* oldProject = Find(start, "Существующий проект !", QAccessible::Button);
    ASSERT_NE(oldProject, nullptr);
    oldProject->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !start.Visible; }));  // a press is animated
    frmOpenFile& wizard = start.OpenFile();
    ASSERT_TRUE(wizard.Visible);

    EXPECT_NE(Find(wizard, "Назад", QAccessible::Button), nullptr);
    EXPECT_NE(Find(wizard, "Далее", QAccessible::Button), nullptr);
    QAccessibleInterface* project = Find(wizard, "Описание проекта", QAccessible::EditableText);
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(project->object(), host.WidgetOf(wizard.txtIniDoc));
    QAccessibleInterface* modify = Find(wizard, "Нет", QAccessible::RadioButton);
    ASSERT_NE(modify, nullptr);
    EXPECT_TRUE(modify->state().checked);
}

}  // namespace
}  // namespace tabulizer::test
