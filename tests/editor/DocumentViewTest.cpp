#include "EditorFixture.h"

namespace tabulizer::test {
namespace {

// Shows the view of step `step` (1-based) without passing through the others.
void Enter(frmParDoc& e, RunState& run, int step) {
    run.CurStep = static_cast<i16>(step - 1);
    e.view.CurLine = 1;  // the list holds a page to clear
    e.ShowStep();
}

TEST_F(EditorTest, HeadLabelsCombineTitleCapAndReferenceLine) {
    struct Case { int title, cap, etalon; Texts texts; };
    frmParDoc& e = Open(NumberedDocument(4), false);
    for (const Case& c : {Case{1, 1, 1, {" 1 Зг+Ш+Эт", " 2", " 3", " 4"}},
                          Case{1, 2, 1, {" 1 Заг+Эталон", " 2 Шапка", " 3", " 4"}},
                          Case{1, 2, 2, {" 1 Заголовок", " 2 Эт+Шапка", " 3", " 4"}},
                          Case{2, 2, 4, {" 1", " 2 Зг+Шапка", " 3", " 4 Эталон"}}}) {
        d.EndTitle = static_cast<i16>(c.title);
        d.EndCap = static_cast<i16>(c.cap);
        d.EtalStrN = static_cast<i16>(c.etalon);
        Enter(e, run, 3);
        EXPECT_EQ(ItemTexts(), c.texts);
        EXPECT_EQ(d.EtalStr, "line " + std::to_string(c.etalon));
    }
}

TEST_F(EditorTest, RoleLabelsOfSeparatorsFixedLinesAndPostscript) {
    frmParDoc& e = Open(WriteDocument({"+--+", Utf8ToCp1251("+--+ Итого"), "total x", "P.S. end", "+--+"}), false);
    d.Code = true;
    d.EndPoz = {4, 1, 2, 3, 4};
    d.SepStr[3] = "+--+";
    d.FixStr[1] = {2, 0, 0, Utf8ToCp1251("Итого")};
    d.FixStr[2] = {3, 2, 4, "total"};
    d.FixStr[0] = {4, 0, 0, "P.S."};
    Enter(e, run, 6);
    EXPECT_EQ(ItemTexts(), (Texts{" 1 Разделитель", " 2 Ф.С. ", " 3 Ф.С. B-D", " 4 P.S.", " 5"}));
    EXPECT_EQ(e.view.PSLine, 4);
    d.FixStr[0].Str = "nowhere";
    Enter(e, run, 15);  // the postscript once seen keeps later lines unlabelled
    EXPECT_EQ(ItemTexts().back(), " 5");
}

TEST_F(EditorTest, ModesCutTheLinesByCharacterColumnOrWholeLine) {
    // Line 3 holds the box characters of MS DOS text, which the view shows as printed;
    // it is the longest line, so its last divider stands on the document's last character.
    frmParDoc& e = Open(WriteDocument({"Title", "Cap", "\xB3" "ab" "\xB3" "cd" "\xB3", "x"}), false);
    d.EndTitle = 1;
    d.EndCap = 2;
    d.EndPoz = {2, 3, 7};
    d.PozDiv = {3, 1, 4, 7};
    Enter(e, run, 2);
    EXPECT_EQ(Items()[2], " 3|│ab│cd│");
    EXPECT_EQ(e.lstDoc.Items()[2].SubItems.size(), 7u);
    Enter(e, run, 9);  // the title lines, whole
    EXPECT_EQ(Items(), (Texts{" 1|Title"}));
    Enter(e, run, 10);  // the cap lines, without the characters at the vertical separators
    EXPECT_EQ(Items(), (Texts{" 2| ap|    "}));
    Enter(e, run, 12);  // the information lines
    EXPECT_EQ(Items(), (Texts{" 3| ab| cd ", " 4|   |    "}));
    Enter(e, run, 15);  // the last page, separators kept
    EXPECT_EQ(Items()[2], " 3|│ab|│cd│");
}

TEST_F(EditorTest, ColumnHeadersTakeCaptionWidthAndFontOfTheirStep) {
    frmParDoc& e = Open(WriteDocument({std::string(300, 'x')}), false);
    d.EndPoz = {4, 5, 12, 212, 213};
    d.WidthGraf = {2, 8, 22};
    d.Fonts[1] = {"Arial", 10, 3};
    Enter(e, run, 8);
    EXPECT_EQ(Headers(1, 5), (Texts{"№ строки/1550/", "A   /1007/Bir", "B     /1341/Bir",
                                    "C" + std::string(101, ' ') + "/32737/Bir", "D /339/Bir"}));
    EXPECT_EQ(e.lstDoc.Font(), (ui::ViewFont{"Courier New", 9, true, false}));
    Enter(e, run, 10);  // output widths where stored, the cap font as a preview
    EXPECT_EQ(Headers(1, 4), (Texts{"№ строки/1/", "A   /1508/", "B     /3846/", "C" + std::string(101, ' ') + "/32737/"}));
    EXPECT_EQ(e.lstDoc.Font(), (ui::ViewFont{"Arial", 10, true, true}));
    EXPECT_EQ(e.lbName.Caption + "," + e.lbSize.Caption + "," + e.lbStyle.Caption, "Arial,10,Bold\nItalic");
    Enter(e, run, 9);
    EXPECT_EQ(Headers(2), (Texts{"/32732/"}));
    d.FormatCells[1].Col = 2;
    d.CountFormat = 1;
    Enter(e, run, 12);
    EXPECT_EQ(Headers(2, 3), (Texts{"A   /1007/Bir", "B/1341/Arrow"}));
}

TEST_F(EditorTest, PagesMoveByFourteenLinesAndStepFifteenStartsAtTheLastPage) {
    frmParDoc& e = Open(NumberedDocument(40), false);
    auto page = [&] { return ItemTexts().front() + ".." + ItemTexts().back() + " " + Colors(); };
    Enter(e, run, 2);
    Texts seen{page()};
    for (auto* button : {&e.ButDown, &e.ButDown, &e.ButDown, &e.ButUp, &e.ButUp, &e.ButUp}) {
        button->Click();
        seen.push_back(page());
    }
    EXPECT_EQ(seen, (Texts{" 1.. 14 red green", " 15.. 28 green green", " 29.. 40 green red", " 29.. 40 green red",
                           " 15.. 28 green green", " 1.. 14 red green", " 1.. 14 red green"}));
    Enter(e, run, 15);
    seen = {page()};
    for (auto* button : {&e.ButUp, &e.ButUp, &e.ButUp, &e.ButDown}) {
        button->Click();
        seen.push_back(page());
    }
    EXPECT_EQ(seen, (Texts{" 27.. 40 green red", " 13.. 26 green green", " 1.. 14 red green", " 1.. 14 red green",
                           " 27.. 40 green red"}));
    run.OldWindows = true;  // an old system's page holds 15 lines
    e.Form_Load();
    Enter(e, run, 2);
    EXPECT_EQ(e.lstDoc.Items().size(), 15u);
}

TEST_F(EditorTest, MergeLabelsWidenTheFirstColumnOfStepEight) {
    LoadExample("ved");
    d.MergeCl[1] = {4, 1, 2, 1, false};
    d.MergeCl[2] = {4, 5, 0, 1, false};  // the merge being defined: start column only
    d.CountMerge = 2;
    frmParDoc& e = Open(d.NameIn, false);
    Forward(8);
    EXPECT_EQ(ItemTexts()[1], " 4 C-D A-B E");
    EXPECT_EQ(e.view.LabelWidth, 12);
    EXPECT_EQ(Headers(1, 1), (Texts{"№ строки/2176/"}));
    EXPECT_EQ(e.txtBxCoCap.Text() + " " + e.txtBxStr.Text() + e.txtBxCB.Text() + e.txtBxCE.Text(), "2 4AB");
    EXPECT_EQ(d.MergeCl[2].BegCol, 5);  // kept: entering step 8 keeps the merge being defined
}

}  // namespace
}  // namespace tabulizer::test
