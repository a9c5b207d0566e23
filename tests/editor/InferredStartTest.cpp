#include <algorithm>
#include <filesystem>
#include <optional>

#include "../shell/ShellFixture.h"
#include "conversion/inference/Inference.h"
#include "editor/frmParDoc.h"

namespace tabulizer::test {
namespace {

using Texts = std::vector<std::string>;

const char* const kNoTable = "В документе не распознана таблица !\nОписание документа задаётся с начала.";

// The wizard of a new project wired to a real editor; the description is kept as
// the wizard handed it over, before the editor measures the report.
class InferredStartTest : public ShellTest {
protected:
    // Each case of a table starts from no editor, no answers and an empty folder.
    void Afresh() {
        editor.reset();
        host = {};
        run = {};
        description = {};
        ClearDir();
    }
    frmOpenFile& NewProjectWizard() {
        Start();
        start->OnWizardCreated = [this](frmOpenFile& wizard) {
            wizard.OpenEditor = [this] {
                handedOver = description;
                if (!editor) {
                    editor.emplace(description, run, host);
                    editor->ReturnToWizard = [this] { host.Show(Wizard()); };
                }
                editor->Form_Load();
            };
        };
        Load();
        start->NewProj.Click();
        return Wizard();
    }
    // Names the files and goes forward, the automatic marking ticked or not.
    void Forward(frmOpenFile& wizard, const std::string& report, bool autoMark) {
        Enter(wizard.txtInDoc, report);
        Enter(wizard.txtIniDoc, Path("p"));
        Enter(wizard.txtOutDoc, Path("out"));
        if ((wizard.CBoxAutoMark.Value != 0) != autoMark) wizard.CBoxAutoMark.Click();
        wizard.NextFr.Click();
    }
    std::string Ved() const {
        std::filesystem::copy_file(std::filesystem::path(TABULIZER_EXAMPLES) / "ved.txt", dir / "ved.txt",
                                   std::filesystem::copy_options::overwrite_existing);
        return Path("ved.txt");
    }
    // Whether Next may be pressed at each step from 2 on, going forward by it up to
    // step `last` or to the first step that holds the user.
    std::vector<bool> NextEnabledFromStep2(int last) {
        std::vector<bool> enabled;
        editor->NextFr.Click();
        for (int step = 2; step <= last && run.CurStep + 1 == step; ++step) {
            enabled.push_back(editor->NextFr.Enabled);
            if (step < last) editor->NextFr.Click();
        }
        return enabled;
    }
    // The positions whose character header carries the column-end arrow.
    std::vector<int> MarkedPositions() const {
        std::vector<int> marked;
        const auto& headers = editor->lstDoc.Headers();
        for (std::size_t i = 1; i < headers.size(); ++i)
            if (headers[i].Image == "Arrow") marked.push_back(static_cast<int>(i));
        return marked;
    }
    static std::vector<int> Positions(const PosList& list) { return {list.begin() + 1, list.begin() + 1 + list[0]}; }

    std::optional<frmParDoc> editor;
    DocumentDescription handedOver;
};

TEST_F(InferredStartTest, TheTickIsOfferedTickedForANewProjectOnlyAndNamed) {
    frmOpenFile& wizard = NewProjectWizard();
    EXPECT_TRUE(wizard.CBoxAutoMark.Visible);
    EXPECT_EQ(wizard.CBoxAutoMark.Value, 1);
    EXPECT_EQ(wizard.CBoxAutoMark.Caption, "разметить документ автоматически");
    EXPECT_EQ(wizard.CBoxAutoMark.AccessibleName, "разметить документ автоматически");
    wizard.BackFr.Click();
    EXPECT_FALSE(wizard.CBoxAutoMark.Visible);
    start->OldProj.Click();
    EXPECT_FALSE(wizard.CBoxAutoMark.Visible);
    wizard.BackFr.Click();
    start->NewProj.Click();
    EXPECT_TRUE(wizard.CBoxAutoMark.Visible);
}

// The example, and a one-page CP1251 table drawn with ASCII characters, whose page
// mode is the form feed instead of a reference line and whose title the inference
// could not tell from the cap: the editor opens at the title step and says why.
TEST_F(InferredStartTest, TickedTheEditorGetsTheInferredDescriptionAndStepsThroughUnblocked) {
    struct Case {
        const char* name;
        std::string report;  // written as CP1251; empty: the example ved.txt
        int openStep;        // 1-based
        Texts boxes;
    };
    const Case cases[] = {
        {"ved", "", 1, {}},
        {"one page without a title",
         "+------+------+\r\n| Код  |Сумма |\r\n+------+------+\r\n| 01   | 1.50 |\r\n| 02   | 2.50 |\r\n"
         "+------+------+\r\n",
         3,
         {"Не удалось определить однозначно: Заголовок и шапка — над таблицей нет заголовка; первой строкой "
          "заголовка стала первая строка шапки; заголовок — строка 1, шапка — строки 2–3 (от верхней линии таблицы "
          "до линии под шапкой).\nРедактор откроется на шаге 3: проверьте его."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Afresh();
        const std::string report = c.report.empty() ? Ved() : Write("table.txt", c.report);
        frmOpenFile& wizard = NewProjectWizard();
        Forward(wizard, report, true);
        ASSERT_TRUE(editor && editor->Visible && !wizard.Visible);
        DocumentDescription expected = inference::InferReport(report).description;
        expected.NameOut = Path("out.xlsx");
        EXPECT_EQ(handedOver, expected);
        EXPECT_GT(handedOver.EndPoz[0], 0);  // the columns were found, not left empty
        EXPECT_EQ(host.BoxTexts(), c.boxes);
        EXPECT_EQ(run.CurStep + 1, c.openStep);
        EXPECT_EQ(run.StartStep, 0);  // taken: a later return to the editor starts at step 1
        EXPECT_TRUE(run.NewProject && run.Inferred);
        EXPECT_EQ(run.NameIni, Path("p.ini"));  // saved as the new project, not over another
        while (run.CurStep > 0) editor->BackFr.Click();
        editor->NextFr.Click();  // to the column ends: the inferred ones are marked
        EXPECT_EQ(MarkedPositions(), Positions(handedOver.EndPoz));
        editor->BackFr.Click();
        // Every step lets the user on, as for a project to modify, up to the last one.
        EXPECT_EQ(NextEnabledFromStep2(15), std::vector<bool>(14, true));
        EXPECT_EQ(run.CurStep, 14);
    }
}

// The empty start as without the automatic marking: only step 1 lets the user on
// before an element is marked.
TEST_F(InferredStartTest, UntickedOrWithoutATableTheEditorStartsEmpty) {
    struct Case {
        const char* name;
        bool autoMark;
        bool tableless;
        Texts boxes;
    };
    const Case cases[] = {
        {"unticked", false, false, {}},
        {"no table", true, true, {kNoTable}},
        {"unticked, no table", false, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Afresh();
        frmOpenFile& wizard = NewProjectWizard();
        const std::string report = c.tableless ? Write("doc.txt", "Справка\r\nбез таблицы\r\n") : Ved();
        Forward(wizard, report, c.autoMark);
        ASSERT_TRUE(editor && editor->Visible);
        EXPECT_EQ(host.BoxTexts(), c.boxes);
        for (const RecordedBox& box : host.boxes)
            EXPECT_TRUE(box.buttons == ui::Buttons::Ok && box.icon == ui::Icon::Question);
        EXPECT_FALSE(run.Inferred);
        DocumentDescription empty;
        empty.InitFontsAndMerges();
        empty.NameIn = report;
        empty.NameOut = Path("out.xlsx");
        EXPECT_EQ(handedOver, empty);
        EXPECT_EQ(NextEnabledFromStep2(15), std::vector<bool>{false});
        EXPECT_EQ(MarkedPositions(), std::vector<int>{});
    }
}

// Back in the wizard the user may change the choice: an inferred description is not
// the ground of an empty start, and is inferred afresh when ticked again.
TEST_F(InferredStartTest, GoingBackAndChangingTheTickChangesTheStart) {
    frmOpenFile& wizard = NewProjectWizard();
    Forward(wizard, Ved(), true);
    ASSERT_TRUE(run.Inferred);
    editor->BackFr.Click();
    ASSERT_TRUE(wizard.Visible);
    wizard.CBoxAutoMark.Click();
    wizard.NextFr.Click();
    EXPECT_FALSE(run.Inferred);
    EXPECT_EQ(handedOver.EndPoz[0], 0);
    EXPECT_EQ(handedOver.EndCap, 0);
    EXPECT_EQ(handedOver.NameIn, Path("ved.txt"));
    EXPECT_EQ(handedOver.NameOut, Path("out.xlsx"));
    editor->BackFr.Click();
    wizard.CBoxAutoMark.Click();
    wizard.NextFr.Click();
    EXPECT_TRUE(run.Inferred);
    EXPECT_GT(handedOver.EndPoz[0], 0);
    EXPECT_TRUE(host.boxes.empty());
}

// Back from step 1 to the wizard and forward again once inferred anew over the
// user's corrections, and the positions kept showed plain in step 2, where a click
// removed a position the user could not see.
TEST_F(InferredStartTest, BackToTheWizardAndForwardKeepsWhatTheUserMarked) {
    for (bool autoMark : {true, false}) {
        SCOPED_TRACE(autoMark ? "ticked" : "unticked");
        Afresh();
        frmOpenFile& wizard = NewProjectWizard();
        Forward(wizard, Ved(), autoMark);
        editor->NextFr.Click();
        for (int position : {3, 28}) editor->lstDoc.ColumnClick(position + 1);  // 28 taken back when inferred
        const PosList marked = description.EndPoz;
        ASSERT_NE(Positions(marked), Positions(handedOver.EndPoz));
        editor->BackFr.Click();
        editor->BackFr.Click();
        ASSERT_TRUE(wizard.Visible);
        wizard.NextFr.Click();
        EXPECT_EQ(Positions(handedOver.EndPoz), Positions(marked));
        EXPECT_TRUE(host.boxes.empty());
        editor->NextFr.Click();
        EXPECT_EQ(MarkedPositions(), Positions(marked));
        EXPECT_TRUE(editor->NextFr.Enabled);
        editor->lstDoc.ColumnClick(4);
        EXPECT_EQ(MarkedPositions(), Positions(description.EndPoz));
        EXPECT_EQ(std::count(description.EndPoz.begin() + 1, description.EndPoz.begin() + 1 + description.EndPoz[0], 3),
                  0);
    }
}

// Another report is inferred only when the user agrees to lose what was marked;
// the question is asked once for it.
TEST_F(InferredStartTest, AChangedReportReplacesTheMarksOnlyAfterYes) {
    const char* const kReplace = "Элементы документа уже указаны !\nРазметить документ автоматически заново ?";
    for (ui::Answer answer : {ui::Answer::No, ui::Answer::Yes}) {
        SCOPED_TRACE(answer == ui::Answer::Yes ? "yes" : "no");
        Afresh();
        frmOpenFile& wizard = NewProjectWizard();
        Forward(wizard, Ved(), true);
        editor->NextFr.Click();
        editor->lstDoc.ColumnClick(4);
        const PosList marked = description.EndPoz;
        editor->BackFr.Click();
        editor->BackFr.Click();
        const std::string other = Write("other.txt", "+------+------+\r\n| Код  |Сумма |\r\n+------+------+\r\n"
                                                     "| 01   | 1.50 |\r\n+------+------+\r\n");
        host.answers.push_back(answer);
        Forward(wizard, other, true);
        ASSERT_GE(host.boxes.size(), 1u);
        EXPECT_EQ(host.BoxTexts().front(), kReplace);
        EXPECT_EQ(host.boxes.size(), answer == ui::Answer::Yes ? 2u : 1u);  // Yes: where the editor opens, and why
        EXPECT_EQ(host.boxes.at(0).buttons, ui::Buttons::YesNo);
        EXPECT_EQ(handedOver.NameIn, other);
        const PosList expected = answer == ui::Answer::Yes ? inference::InferReport(other).description.EndPoz : marked;
        EXPECT_EQ(Positions(handedOver.EndPoz), Positions(expected));
        const std::size_t said = host.boxes.size();
        while (run.CurStep > 0) editor->BackFr.Click();
        editor->BackFr.Click();
        wizard.NextFr.Click();
        EXPECT_EQ(host.boxes.size(), said);
        EXPECT_EQ(Positions(handedOver.EndPoz), Positions(expected));
    }
}

// The tick of a new project does not reach a project loaded afterwards.
TEST_F(InferredStartTest, AnExistingProjectOpensAsLoaded) {
    const std::string project = SampleProject();  // beside its report ved.txt
    frmOpenFile& wizard = NewProjectWizard();
    Forward(wizard, Path("ved.txt"), true);
    ASSERT_TRUE(run.Inferred);
    editor->BackFr.Click();
    wizard.BackFr.Click();
    start->OldProj.Click();
    Enter(wizard.txtIniDoc, project);
    wizard.optModYes.Click();
    wizard.NextFr.Click();
    EXPECT_FALSE(run.NewProject || run.Inferred);
}

}  // namespace
}  // namespace tabulizer::test
