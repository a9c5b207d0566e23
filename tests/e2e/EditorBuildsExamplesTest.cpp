// The examples described from scratch through the editor's handlers, in the order
// of the steps and with the clicks a user would make; the saved projects convert
// to workbooks identical to those of the hand-written projects, and a saved
// project stepped through unchanged is saved again as it was.
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>

#include "../support/Files.h"
#include "../editor/EditorFixture.h"
#include "../support/Command.h"
#include "editor/ItemText.h"

namespace tabulizer::test {
namespace {

namespace fs = std::filesystem;

class EditorBuildsExamplesTest : public EditorTest {
protected:
    void SetUp() override {
        for (const char* name : {"ved.ini", "ved.txt", "svod.ini", "svod.txt"})
            fs::copy_file(fs::path(TABULIZER_EXAMPLES) / name, dir / name);
    }

    // The wizard's part: a new project for `example`, saved as built-NAME.ini.
    frmParDoc& NewProject(const std::string& example) {
        d = DocumentDescription{};
        d.InitFontsAndMerges();
        d.NameOut = (dir / ("built-" + example + ".xlsx")).string();
        run.NameIni = (dir / ("built-" + example + ".ini")).string();
        return Open((dir / (example + ".txt")).string(), true);
    }

    // Clicks the first shown line that `wanted` accepts, paging down from the top.
    void ClickLine(const std::function<bool(const ui::ListItem&)>& wanted, const std::string& what) {
        while (editor->view.TopLine > 0) editor->ButUp.Click();
        for (int page = 0; page < 10; ++page) {
            const auto& items = editor->lstDoc.Items();
            for (std::size_t i = 0; i < items.size(); ++i)
                if (wanted(items[i])) {
                    editor->lstDoc.MouseDown();
                    editor->lstDoc.ItemClick(static_cast<int>(i) + 1);
                    return;
                }
            editor->ButDown.Click();
        }
        for (const auto& row : Items()) std::cerr << row << "\n";  // what was shown instead
        FAIL() << what << " is not shown in step " << run.CurStep + 1;
    }
    void ClickLine(int line) {
        ClickLine([line](const ui::ListItem& item) { return ItemLineNumber(item.Text) == line; },
                  "line " + std::to_string(line));
    }
    void ClickLineWith(const std::string& text) {
        ClickLine([&](const ui::ListItem& item) {
            std::string cells;
            for (const auto& cell : item.SubItems) cells += cell;
            return cells.find(text) != std::string::npos;
        }, text);
    }
    void ClickColumns(std::initializer_list<int> positions) {
        for (int p : positions) editor->lstDoc.ColumnClick(p + 1);
    }
    void Next() {
        const i16 before = run.CurStep;
        ASSERT_TRUE(editor->NextFr.Enabled) << "step " << before + 1;
        editor->NextFr.Click();
        ASSERT_EQ(run.CurStep, before + 1) << "step " << before + 1 << " refused to go on";
    }
    void ChooseFont(const std::string& name, double size, bool bold, bool italic) {
        host.chosenFonts.push_back(ui::FontChoice{name, size, bold, italic});
        editor->ComFont.Click();
    }
    // Step 12: a column's format kind, decimals (spun from the 2 offered) and alignment.
    void Format(int column, int form, int decimals, ui::Control& alignment) {
        editor->lstDoc.ColumnClick(column + 1);
        editor->ComBoxForm.Choose(form);
        for (int n = 2; n > decimals; --n) editor->UpDwCn.Spin(-1);
        alignment.Click();
    }
    // The last step finished: the project is saved and the conversion would start.
    void Finish() {
        host.events.clear();
        editor->NextFr.Click();
        ASSERT_EQ(host.BoxTexts(), Texts{});
        ASSERT_NE(std::find(host.events.begin(), host.events.end(), "conversion"), host.events.end());
    }
    std::string Convert(const std::string& project, const std::string& workbook) {
        int status = -1;
        std::string errors = Capture("'" TABULIZER_BINARY "' '" + (dir / project).string() + "' 2>&1", status);
        EXPECT_EQ(status, 0) << errors;
        return ReadBack((dir / workbook).string());
    }
    // Cell by cell; a difference is shown by its first line, not by two whole dumps.
    static void ExpectSameWorkbook(const std::string& built, const std::string& handWritten) {
        ASSERT_FALSE(handWritten.empty());
        std::istringstream a(built), b(handWritten);
        std::string lineA, lineB;
        for (int n = 1; std::getline(b, lineB); ++n) {
            std::getline(a, lineA);
            ASSERT_EQ(lineA, lineB) << "read-back line " << n;
        }
        EXPECT_EQ(built.size(), handWritten.size());
    }
    // Loads a saved project as the wizard does, steps through every step and finishes.
    void StepThroughUnchanged(const std::string& project) {
        d = DocumentDescription{};
        d.InitFontsAndMerges();
        run = RunState{};
        run.NameIni = (dir / project).string();
        ASSERT_EQ(LoadProject(d, run, host), LoadOutcome::Clean);
        d.NameIn = ResolveProjectPath(run.NameIni, ReadIniValue(run.NameIni, "General", "NameIn"));
        d.NameOut = ResolveProjectPath(run.NameIni, ReadIniValue(run.NameIni, "General", "NameOut"));
        Open(d.NameIn, false);
        Forward(15);
        Finish();
    }
};

TEST_F(EditorBuildsExamplesTest, PayrollStatementDescribedInTheEditorConvertsLikeTheHandWrittenProject) {
    frmParDoc& e = NewProject("ved");
    e.optMsDos.Click();
    Next();
    ClickColumns({7, 28, 39, 50, 61});
    Next();
    ClickLine(2);  // title end
    Next();
    ClickLine(7);  // cap end
    Next();
    ClickLine(1);  // reference line
    Next();
    for (int line : {3, 7, 18}) ClickLine(line);  // separators
    Next();
    ClickColumns({1, 7, 28, 39, 50, 61});  // vertical separators
    Next();
    ClickLine(4);  // "Начислено" over columns 3 and 4, two lines deep, a line below
    e.UpDwDepth.Spin(+1);
    e.cbline.Click();
    e.lstDoc.ColumnClick(4);
    e.lstDoc.ColumnClick(5);
    Next();
    ChooseFont("Arial", 12, true, false);
    Next();
    ChooseFont("Arial", 10, true, false);
    Next();
    ChooseFont("Courier New", 10, false, false);
    Next();
    Format(1, 4, 0, e.optAligCn);
    for (int column : {3, 4, 5}) Format(column, 1, 2, e.optAligRt);
    Next();
    e.ComWidth.Click();
    Next();
    ClickLineWith("Итог");  // the view leaves out the divider positions
    e.lstDoc.ColumnClick(2);
    e.lstDoc.ColumnClick(3);
    Next();
    ClickLineWith("бухгалтер");
    d.NoSpace = d.DelNull = true;  // the options dialog's answers
    Finish();

    ExpectSameWorkbook(Convert("built-ved.ini", "built-ved.xlsx"), Convert("ved.ini", "ved.xlsx"));
    const std::string saved = ReadFile(dir / "built-ved.ini");
    StepThroughUnchanged("built-ved.ini");
    EXPECT_EQ(ReadFile(dir / "built-ved.ini"), saved);
    EXPECT_EQ(ReadFile(dir / "built-ved.ini.bak"), saved);
}

TEST_F(EditorBuildsExamplesTest, ProductionSummaryDescribedInTheEditorConvertsLikeTheHandWrittenProject) {
    frmParDoc& e = NewProject("svod");
    e.optWin.Click();
    Next();
    ClickColumns({22, 35, 48, 57});
    Next();
    ClickLine(2);
    Next();
    ClickLine(5);
    Next();
    e.cbFormFeed.Click();  // pages end at form feeds
    Next();
    ClickLine(3);
    Next();
    ClickColumns({1, 22, 35, 48, 57});
    Next();
    Next();  // no merged cells
    ChooseFont("Times New Roman", 14, true, false);
    Next();
    Next();  // the cap and the information lines keep the offered fonts
    Next();
    Format(2, 1, 1, e.optAligRt);
    Format(3, 1, 1, e.optAligRt);
    Format(4, 3, 1, e.optAligRt);
    Next();
    Next();  // widths as the columns are
    ClickLineWith("ВСЕГО");
    e.lstDoc.ColumnClick(2);
    Next();
    d.UnderStr = d.DivideCol = true;  // the options dialog's answers
    Finish();

    ExpectSameWorkbook(Convert("built-svod.ini", "built-svod.xlsx"), Convert("svod.ini", "svod.xlsx"));
    const std::string saved = ReadFile(dir / "built-svod.ini");
    StepThroughUnchanged("built-svod.ini");
    EXPECT_EQ(ReadFile(dir / "built-svod.ini"), saved);
}

}  // namespace
}  // namespace tabulizer::test
