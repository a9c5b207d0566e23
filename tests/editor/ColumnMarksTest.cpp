#include "EditorFixture.h"
#include "editor/PositionList.h"

namespace tabulizer::test {
namespace {

std::vector<int> Listed(const PosList& list) { return {list.begin(), list.begin() + 1 + list[0]}; }

TEST_F(EditorTest, ColumnEndsToggleInSortedOrderAndMarkTheirHeaders) {
    frmParDoc& e = Open(WriteDocument({std::string(40, 'x')}), true);
    Forward(2);
    const std::vector<std::vector<int>> lists = {{1, 20}, {2, 10, 20}, {3, 10, 20, 30}, {2, 10, 30}};
    for (std::size_t i = 0; i < lists.size(); ++i) {
        e.lstDoc.ColumnClick(std::vector<int>{20, 10, 30, 20}[i] + 1);
        EXPECT_EQ(Listed(d.EndPoz), lists[i]);
    }
    EXPECT_EQ(Headers(11, 11), (Texts{"/350/Arrow"}));
    EXPECT_EQ(Headers(21, 21), (Texts{"/250/Bir"}));
    EXPECT_TRUE(e.NextFr.Enabled);
    e.lstDoc.ColumnClick(11);
    e.lstDoc.ColumnClick(31);  // the last position removed: nothing to go on with
    EXPECT_FALSE(e.NextFr.Enabled);
    e.lstDoc.ColumnClick(1);  // the line-number column is no position
    EXPECT_EQ(d.EndPoz[0], 0);
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(EditorTest, OneCharacterColumnsWarnInStepTwoOnly) {
    struct Case { std::vector<int> clicks; int step; int warnings; };
    for (const Case& c : {Case{{1}, 2, 1}, Case{{10, 11}, 2, 1}, Case{{10, 9}, 2, 0}, Case{{10, 12, 11}, 2, 1},
                          Case{{1, 2, 3}, 7, 0}}) {
        d = DocumentDescription{};
        d.FormFeed = true;
        host.boxes.clear();
        frmParDoc& e = Open(WriteDocument({std::string(20, 'x')}), false);
        Forward(c.step);
        for (int p : c.clicks) e.lstDoc.ColumnClick(p + 1);
        EXPECT_EQ(host.boxes.size(), static_cast<std::size_t>(c.warnings));
        if (c.warnings) {
            EXPECT_EQ(host.boxes[0].text, "Ширина графы - 1 символ!");
        }
        EXPECT_EQ((c.step == 2 ? d.EndPoz : d.PozDiv)[0], static_cast<i16>(c.clicks.size()));
        EXPECT_TRUE(e.NextFr.Enabled);
    }
}

TEST_F(EditorTest, AFiftyFirstPositionIsRefusedAndNothingIsStored) {
    d.FormFeed = true;
    frmParDoc& e = Open(WriteDocument({std::string(120, 'x')}), false);
    Forward(7);
    for (int p = 2; p <= 100; p += 2) e.lstDoc.ColumnClick(p + 1);
    const PosList full = d.PozDiv;
    e.lstDoc.ColumnClick(102);
    EXPECT_EQ(d.PozDiv, full);
    EXPECT_EQ(host.BoxTexts(), Texts{"Максимальное число позиций = 50 !  Дальнейшее назначение невозможно !"});
    EXPECT_EQ(Headers(102, 102), (Texts{"/250/Bir"}));
    // The list helper itself: removing keeps the order, and full stays full.
    PosList list = full;
    EXPECT_EQ(TogglePosition(list, 3).Outcome, ToggleOutcome::Full);
    EXPECT_EQ(TogglePosition(list, 50).Outcome, ToggleOutcome::Removed);
    EXPECT_EQ(list[0], 49);
    EXPECT_EQ(list[25] * 1000 + list[49], 52100);
    EXPECT_EQ(TogglePosition(list, 51).Previous, 48);
}

TEST_F(EditorTest, ComWidthStoresTheHeaderWidthsInCharacters) {
    d.FormFeed = true;
    d.EndPoz = {3, 5, 15, 16};
    frmParDoc& e = Open(WriteDocument({std::string(16, 'x')}), false);
    Forward(13);
    e.ComWidth.Click();
    EXPECT_EQ(Listed(d.WidthGraf), (std::vector<int>{3, 6, 11, 2}));
    EXPECT_TRUE(e.NextFr.HasFocus());
    e.lstDoc.ResizeHeader(3, 2000);  // dragged by the user: 11.98 characters
    e.lstDoc.ResizeHeader(4, 0);
    e.ComWidth.Click();
    EXPECT_EQ(Listed(d.WidthGraf), (std::vector<int>{3, 6, 12, 0}));
    e.NextFr.Click();
    e.BackFr.Click();  // step 13 shows the stored widths again
    EXPECT_EQ(Headers(2, 4), (Texts{"A   /1174/", "B      /2176/", "C /172/"}));
}

TEST_F(EditorTest, ColumnTakenOnlyBetweenMergesOfTheSameStartLine) {
    frmParDoc& e = Open(NumberedDocument(3), false);
    d.MergeCl[0] = {5, 2, 4, 3, false};
    d.CountMerge = 1;
    struct Case { int line, column; bool taken; };
    for (const Case& c : {Case{5, 3, true}, Case{5, 2, true}, Case{5, 5, false}, Case{6, 3, false}}) {
        d.MergeCl[1].NStr = static_cast<i16>(c.line);
        EXPECT_EQ(e.ColumnTaken(c.column), c.taken) << c.line << ":" << c.column;
    }
    EXPECT_EQ(host.BoxTexts(), Texts(2, "Повторное вхождение колонки  ! "));
    EXPECT_EQ(e.ColumnHeaderLook(1).Caption + std::to_string(e.ColumnHeaderLook(1).Width), "A172");
}

}  // namespace
}  // namespace tabulizer::test
