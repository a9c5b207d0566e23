#include "EditorFixture.h"
#include "description/ProjectLoader.h"
#include "editor/ItemText.h"

namespace tabulizer::test {
namespace {

class LineRolesTest : public EditorTest {
protected:
    void SetUp() override {
        d.Code = true;
        d.FormFeed = true;
        d.EndPoz = {3, 2, 5, 8};
        Open(WriteDocument({"T", "+--+", "a", "+--+", Utf8ToCp1251("Итого 12"), "P.S. x", "after", ""}), false);
    }
};

TEST_F(LineRolesTest, SeparatorsAreAssignedReleasedAndLimited) {
    Forward(6);
    ClickLine(2);
    EXPECT_EQ(ItemTexts()[3], " 4 Разделитель");  // every line of that text
    editor->lstDoc.ItemClick(1);  // no mouse press since the last handled click
    ClickLine(2);
    EXPECT_EQ(d.CountSepL, 0);
    EXPECT_TRUE(d.SepStr[0].empty());
    ClickLine(8);
    ClickLine(2);
    for (int slot = 1; slot < 15; ++slot) d.SepStr[slot] = "s" + std::to_string(slot);
    d.CountSepL = 15;
    ClickLine(3);
    EXPECT_EQ(host.BoxTexts(), (Texts{"Пустую строку нельзя назначить элементом документа !",
                                      "Максимальное число элементов = 15 !  Дальнейшее назначение невозможно !"}));
    EXPECT_EQ(d.SepStr[0], "+--+");
}

TEST_F(LineRolesTest, FixedLinesTakeColumnsAndStopAtThePostscript) {
    d.SepStr[0] = "+--+";
    d.CountSepL = 1;
    Forward(14);
    editor->lstDoc.ColumnClick(3);
    ClickLine(2);  // a separator: released in its own step only
    ClickLine(5);
    for (int header : {3, 2, 4}) editor->lstDoc.ColumnClick(header);
    EXPECT_EQ(host.BoxTexts(), (Texts{"В начале надо указать номер строки ! ",
                                      "              Указанная строка уже назначена другому элементу!\n"
                                      "Освободите её в шаге 6 или 15 после чего её можно будет переназначить!",
                                      "Колонка начала > колонки конца ! "}));
    EXPECT_EQ(d.FixStr[1], (FixLine{5, 2, 3, Utf8ToCp1251("ого 12")}));
    EXPECT_EQ(d.CountFixLines, 1);
    EXPECT_EQ(editor->PendingFixedLine(), 0);
    EXPECT_EQ(ItemTexts()[4], " 5 Ф.С. B-C");
    host.boxes.clear();
    Forward(15);
    ClickLine(6);
    EXPECT_EQ(ItemTexts(), (Texts{" 1", " 2 Разделитель", " 3", " 4 Разделитель", " 5 Ф.С. B-C", " 6 P.S.", " 7", " 8"}));
    editor->BackFr.Click();
    ClickLine(7);
    EXPECT_EQ(host.BoxTexts(), Texts{"Строка в области Постскриптума !"});
    editor->NextFr.Click();
    ClickLine(6);  // released: the lines after it may take roles again
    EXPECT_TRUE(d.FixStr[0].Str.empty());
    EXPECT_EQ(editor->view.PSLine, 0);
    ClickLine(7);
    ClickLine(3);  // a second postscript replaces the first
    EXPECT_EQ(d.FixStr[0], (FixLine{3, 0, 0, "a"}));
    EXPECT_EQ(d.CountFixLines, 1);
}

// A released fixed line came back on the next column click, its slot taken again
// while no longer counted: the next fixed line was then left out of the project.
TEST_F(LineRolesTest, AReleasedFixedLineOrPostscriptStaysReleased) {
    struct Case {
        int step, line;
        int slot;
    };
    for (const Case& c : {Case{14, 3, 1}, Case{15, 6, 0}}) {
        SCOPED_TRACE(c.step);
        host.boxes.clear();
        Forward(c.step);
        ClickLine(c.line);
        EXPECT_EQ(editor->PendingFixedLine(), c.slot + 1);
        ClickLine(c.line);  // released before its columns were given
        EXPECT_EQ(editor->PendingFixedLine(), 0);
        editor->lstDoc.ColumnClick(2);
        EXPECT_EQ(host.BoxTexts(), Texts{"В начале надо указать номер строки ! "});
        EXPECT_EQ(d.FixStr[c.slot], FixLine{});
        EXPECT_EQ(d.CountFixLines, 0);
    }
    run.NameIni = (dir / "p.ini").string();
    Back(14);
    ClickLine(7);
    EXPECT_EQ(d.FixStr[1], (FixLine{7, 0, 0, "after"}));
    Forward(15);
    editor->NextFr.Click();
    DocumentDescription saved;
    saved.InitFontsAndMerges();
    RunState savedRun;
    savedRun.NameIni = run.NameIni;
    LoadProject(saved, savedRun, host);
    EXPECT_EQ(saved.CountFixLines, 1);
    EXPECT_EQ(saved.FixStr[1].Str, "after");
}

}  // namespace
}  // namespace tabulizer::test

namespace tabulizer::test {
namespace {

TEST_F(EditorTest, MergesLockNavigationUntilCompleteAndComDelTakesThemBack) {
    LoadExample("ved");  // one merge: line 4, columns 3 to 4
    frmParDoc& e = Open(d.NameIn, false);
    Forward(8);
    auto clickLine = [&](int line) {
        e.lstDoc.MouseDown();
        e.lstDoc.ItemClick(line - d.EndTitle);
    };
    e.lstDoc.ColumnClick(2);
    clickLine(5);
    EXPECT_FALSE(e.NextFr.Enabled || e.BackFr.Enabled);
    EXPECT_EQ(e.UpDwDepth.Max(), 3);
    e.UpDwDepth.Spin(+1);
    e.cbline.Click();
    e.lstDoc.ColumnClick(2);
    clickLine(6);  // ignored: the merge has its start column
    e.lstDoc.ColumnClick(2);
    e.lstDoc.ColumnClick(4);
    EXPECT_EQ(d.MergeCl[1], (MergeCell{5, 1, 3, 2, true}));
    EXPECT_EQ(d.CountMerge, 2);
    EXPECT_TRUE(e.NextFr.Enabled && e.BackFr.Enabled);
    EXPECT_EQ(ItemTexts()[2], " 5 A-C");
    clickLine(4);
    e.lstDoc.ColumnClick(5);  // column 4 lies in the merge of line 4
    e.ComDel.Click();         // abandons the merge begun on line 4
    EXPECT_EQ(d.CountMerge, 2);
    EXPECT_EQ(d.MergeCl[2], MergeCell{});
    e.ComDel.Click();  // removes the last completed merge
    EXPECT_EQ(d.CountMerge, 1);
    EXPECT_EQ(e.txtBxCoCap.Text() + e.txtBxStr.Text() + e.txtBxCB.Text() + e.txtBxCE.Text(), "14CD");
    d.CountMerge = 20;
    clickLine(5);
    EXPECT_EQ(host.BoxTexts(), (Texts{"Вначале надо указать номер строки ! ",
                                      "Колонка конца должна быть больше колонки начала  ! ",
                                      "Повторное вхождение колонки  ! ",
                                      "Максимальное число объединений = 20 !  Дальнейшее назначение невозможно !"}));
}

// The depth box showed a typed number while the merge kept its old depth; the
// other boxes of the panel only show.
TEST_F(EditorTest, TheMergeDepthTakesWhatIsTypedWithinItsRange) {
    LoadExample("ved");  // cap lines 3 to 7
    frmParDoc& e = Open(d.NameIn, false);
    Forward(8);
    for (const ui::Control* box : {&e.txtBxStr, &e.txtBxCB, &e.txtBxCE, &e.txtBxCoCap, &e.TBDepth})
        EXPECT_TRUE(box->ReadOnly) << box->Name();
    e.lstDoc.MouseDown();
    e.lstDoc.ItemClick(5 - d.EndTitle);  // a merge from line 5: depth 1 to 3
    EXPECT_FALSE(e.TBDepth.ReadOnly);
    struct Case {
        const char* typed;
        int depth;
        const char* afterEnter;
    };
    for (const Case& c : {Case{"3", 3, "3"}, Case{"4", 3, "3"}, Case{"0", 3, "3"}, Case{"x", 3, "3"},
                          Case{"", 3, "3"}, Case{"2", 2, "2"}, Case{"02", 2, "2"}}) {
        e.TBDepth.SetText(c.typed);
        EXPECT_EQ(d.MergeCl[1].Depth, c.depth) << c.typed;
        EXPECT_EQ(e.UpDwDepth.Position(), c.depth) << c.typed;
        e.TBDepth.PressEnter();
        EXPECT_EQ(e.TBDepth.Text(), c.afterEnter) << c.typed;
    }
    e.lstDoc.ColumnClick(2);
    e.lstDoc.ColumnClick(3);
    EXPECT_EQ(d.MergeCl[1], (MergeCell{5, 1, 2, 2, false}));
    EXPECT_TRUE(e.TBDepth.ReadOnly);
}

}  // namespace
}  // namespace tabulizer::test
