#include "EditorFixture.h"
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

}  // namespace
}  // namespace tabulizer::test
