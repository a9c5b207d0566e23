// The code page of step 1, the fonts of steps 9 to 11 and the format panel of
// step 12, over the payroll example (columns 1, 3, 4 and 5 formatted).
#include <functional>

#include "EditorFixture.h"

namespace tabulizer::test {
namespace {

class FormatsFontsTest : public EditorTest {
protected:
    void SetUp() override {
        LoadExample("ved");
        Open(d.NameIn, false);
    }
    // "FormatCol CountFormat images", the images of columns 1..5 as their first letter.
    std::string State() const {
        std::string images;
        for (const auto& header : Headers(2, 6)) images += header.back() == '/' ? '-' : header[header.rfind('/') + 1];
        return std::to_string(editor->SelectedFormatColumn()) + " " + std::to_string(d.CountFormat) + " " + images;
    }
    // "form decimals-box text alignment-options"
    std::string Panel() const {
        const frmParDoc& e = *editor;
        return std::to_string(e.ComBoxForm.ListIndex()) + (e.FrameCn.Visible ? " cn" : " -") + e.TBCn.Text() + " " +
               std::to_string(e.optAligLf.Value) + std::to_string(e.optAligCn.Value) +
               std::to_string(e.optAligRt.Value);
    }
    void Select(int column) { editor->lstDoc.ColumnClick(column + 1); }
};

TEST(FontPoints, RoundsHalvesToTheEvenNeighbour) {
    const std::pair<double, int> cases[] = {{10.5, 10}, {11.5, 12}, {12.49, 12}, {12.51, 13}, {9, 9}, {0.2, 1}};
    for (auto [size, points] : cases) EXPECT_EQ(FontPoints(size), points) << size;
}

TEST_F(FormatsFontsTest, CodePageOptionsRefillTheViewAtOnce) {
    auto firstLine = [&] { return editor->lstDoc.Items().at(0).SubItems.at(12); };
    const std::string dos = firstLine();
    editor->optWin.Click();
    EXPECT_TRUE(d.Code);
    EXPECT_NE(firstLine(), dos);
    editor->optMsDos.Click();
    EXPECT_FALSE(d.Code);
    EXPECT_EQ(firstLine(), dos);
    EXPECT_EQ(dos, "В");  // position 13 of the title, read as CP866
}

TEST_F(FormatsFontsTest, FontsOfTheirStepAreStoredShownAndPreviewed) {
    struct Case {
        int step;
        std::optional<ui::FontChoice> choice;
        Font stored;
        const char* style;
    } cases[] = {
        {10, ui::FontChoice{"Arial", 10.5, true, true}, {"Arial", 10, 3}, "Bold\nItalic"},
        {9, ui::FontChoice{"Times New Roman", 11.5, false, false}, {"Times New Roman", 12, 0}, ""},
        {11, ui::FontChoice{"Courier New", 8.5, false, true}, {"Courier New", 8, 2}, "Italic"},
        {11, std::nullopt, {"Courier New", 8, 2}, "Italic"},                      // cancelled
        {11, ui::FontChoice{"", 14, true, false}, {"Courier New", 8, 2}, "Italic"},  // no name
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        Forward(c.step);
        Back(c.step);
        const Font before = d.Fonts[c.step - 9];
        host.chosenFonts.push_back(c.choice);
        editor->ComFont.Click();
        EXPECT_EQ(host.fontDialogsOpenedOn.back(),
                  (ui::FontChoice{before.Name, double(before.Size), (before.Style & 1) != 0, (before.Style & 2) != 0}));
        EXPECT_EQ(d.Fonts[c.step - 9], c.stored);
        EXPECT_EQ(editor->lbName.Caption + "/" + editor->lbSize.Caption + "/" + editor->lbStyle.Caption,
                  c.stored.Name + "/" + std::to_string(c.stored.Size) + "/" + c.style);
        EXPECT_EQ(editor->lstDoc.Font(), (ui::ViewFont{c.stored.Name, c.stored.Size, (c.stored.Style & 1) != 0,
                                                       (c.stored.Style & 2) != 0}));
    }
}

// A column keeps its format only when something changed while it was selected.
TEST_F(FormatsFontsTest, FormatPanelSelectsChangesAndReleasesColumns) {
    Forward(12);
    frmParDoc& e = *editor;
    struct Case {
        const char* what;
        std::function<void()> act;
        const char* state;
        const char* panel;
    } cases[] = {
        {"stored formats", [] {}, "0 4 ABAAA", "-1 -2 000"},
        {"select B", [&] { Select(2); }, "3 5 AGAAA", "-1 -2 000"},
        {"B again, unchanged", [&] { Select(2); }, "0 4 ABAAA", "-1 -2 000"},
        {"select B", [&] { Select(2); }, "3 5 AGAAA", "-1 -2 000"},
        {"percent", [&] { e.ComBoxForm.Choose(3); }, "3 5 AGAAA", "3 cn2 000"},
        {"text", [&] { e.ComBoxForm.Choose(4); }, "3 5 AGAAA", "4 -2 000"},
        {"select C: B keeps", [&] { Select(3); }, "4 5 AAGAA", "1 cn2 001"},
        {"select D: C freed", [&] { Select(4); }, "5 4 AABGA", "1 cn2 001"},
        {"centre", [&] { e.optAligCn.Click(); }, "5 4 AABGA", "1 cn2 010"},
        {"centre again", [&] { e.optAligCn.Click(); }, "5 4 AABGA", "1 cn2 000"},
        {"typed 7", [&] { e.TBCn.SetText("7"); }, "5 4 AABGA", "1 cn7 000"},
        {"typed 21", [&] { e.TBCn.SetText("21"); }, "5 4 AABGA", "1 cn21 000"},
        {"typed 2.5", [&] { e.TBCn.SetText("2.5"); }, "5 4 AABGA", "1 cn2.5 000"},
        {"Enter puts 7 back", [&] { e.TBCn.PressEnter(); }, "5 4 AABGA", "1 cn7 000"},
        {"spin up", [&] { e.UpDwCn.Spin(+1); }, "5 4 AABGA", "1 cn8 000"},
        {"D again, changed", [&] { Select(4); }, "0 4 AABAA", "-1 -2 000"},
        {"A twice, unchanged", [&] { Select(1), Select(1); }, "0 3 BABAA", "-1 -2 000"},
        {"A again: a fresh panel", [&] { Select(1); }, "2 4 GABAA", "-1 -2 000"},
    };
    for (const Case& c : cases) {
        c.act();
        EXPECT_EQ(State() + " | " + Panel(), std::string(c.state) + " | " + c.panel) << c.what;
    }
    EXPECT_EQ(d.FormatCells[1], (FormatCell{2, 0, 4, 0}));
    EXPECT_EQ(d.FormatCells[2], (FormatCell{0, 3, 1, 2}));  // freed: only Col cleared
    EXPECT_EQ(d.FormatCells[3], (FormatCell{4, 0, 1, 8}));
    EXPECT_EQ(d.FormatCells[0], (FormatCell{1, 2, 4, 0}));  // kept its values, counted again
    EXPECT_TRUE(e.FrameFormat.Enabled);
}

// Coming back from step 13 forgets the selection and its change: the next column
// selected and left untouched is freed, as on a first visit.
TEST_F(FormatsFontsTest, BackFromStepThirteenStartsWithoutSelectionOrChange) {
    Forward(12);
    Select(2);
    editor->ComBoxForm.Choose(1);
    Forward(13);
    Back(12);
    EXPECT_EQ(State() + " | " + Panel(), "0 5 AAAAA | -1 -2 000");
    Select(3);
    Select(5);
    EXPECT_EQ(State(), "6 4 AABAG");
}

}  // namespace
}  // namespace tabulizer::test
