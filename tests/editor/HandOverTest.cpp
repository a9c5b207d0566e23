#include <optional>

#include "../shell/ShellFixture.h"
#include "editor/frmParDoc.h"

namespace tabulizer::test {
namespace {

// The wiring an owner gives: the wizard opens the editor, whose Back returns to
// the wizard as it was left, and a new load of the editor measures afresh.
TEST_F(ShellTest, TheWizardHandsANewProjectToTheEditorAndGetsItBackUnchanged) {
    std::optional<frmParDoc> editor;
    Start();
    start->OnWizardCreated = [&](frmOpenFile& wizard) {
        wizard.OpenEditor = [&] {
            if (!editor) {
                editor.emplace(description, run, host);
                editor->ReturnToWizard = [&] { host.Show(Wizard()); };
            }
            editor->Form_Load();
        };
    };
    Load();
    start->NewProj.Click();
    frmOpenFile& wizard = Wizard();
    Enter(wizard.txtInDoc, Write("doc.txt", "a\r\nbb\r\n"));
    Enter(wizard.txtIniDoc, Path("p"));
    Enter(wizard.txtOutDoc, Path("out"));
    wizard.NextFr.Click();
    ASSERT_TRUE(editor && editor->Visible && !wizard.Visible);
    EXPECT_FALSE(run.GroupProject);
    EXPECT_EQ(editor->lbSumDoc.Caption, "Строк в документе:       2\nМаксимальная длина записи: 2");
    editor->BackFr.Click();
    EXPECT_TRUE(wizard.Visible && !editor->Visible);
    EXPECT_EQ(wizard.txtIniDoc.Text(), Path("p.ini"));
    EXPECT_TRUE(wizard.NextFr.Enabled);
    Write("doc.txt", "a\r\nbb\r\nccc\r\n");
    wizard.optGrPrYes.Click();  // the group answer reaches the editor's save
    wizard.NextFr.Click();
    EXPECT_TRUE(run.GroupProject);
    EXPECT_EQ(editor->lbNumber.Caption, "1");
    EXPECT_EQ(editor->lbSumDoc.Caption, "Строк в документе:       3\nМаксимальная длина записи: 3");
}

}  // namespace
}  // namespace tabulizer::test
