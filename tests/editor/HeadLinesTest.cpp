// Title end, cap end and the postscript of the payroll example (title to line 2,
// cap to line 7, postscript "Главный бухгалтер" on the last page).
#include "EditorFixture.h"
#include "editor/ItemText.h"

namespace tabulizer::test {
namespace {

class HeadLinesTest : public EditorTest {
protected:
    void SetUp() override {
        LoadExample("ved");
        Open(d.NameIn, false);
    }
    std::string LabelOf(int line) const {
        for (const auto& text : ItemTexts())
            if (ItemLineNumber(text) == line) return text;
        return "";
    }
};

TEST_F(HeadLinesTest, TitleAndCapEndsIgnoreLinesOnTheWrongSide) {
    struct Case {
        int step, line;
        int endTitle, endCap;
    } cases[] = {
        {3, 9, 2, 7},  // below the cap end: no title end
        {3, 5, 5, 7},
        {4, 3, 5, 7},  // above the title end: no cap end
        {4, 5, 5, 5},  // the title end itself may end the cap
    };
    for (const Case& c : cases) {
        Forward(c.step);
        ClickLine(c.line);
        EXPECT_EQ(std::to_string(d.EndTitle) + "," + std::to_string(d.EndCap),
                  std::to_string(c.endTitle) + "," + std::to_string(c.endCap))
            << "step " << c.step << " line " << c.line;
    }
    EXPECT_EQ(LabelOf(5), " 5 Зг+Шапка");
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(HeadLinesTest, ASecondPostscriptReplacesTheFirstAndLeavesTheFixedLines) {
    Forward(15);
    int firstLine = 0;  // the loaded postscript is known by its text: the view labels it
    for (const auto& text : ItemTexts())
        if (text.ends_with(" P.S.")) firstLine = ItemLineNumber(text);
    ASSERT_GT(firstLine, 7);
    ClickLine(firstLine);  // released
    EXPECT_TRUE(d.FixStr[0].Str.empty());
    ClickLine(firstLine);
    EXPECT_EQ(d.FixStr[0].NStr, firstLine);
    ClickLine(firstLine - 7);  // a payroll line of the last page takes its place
    EXPECT_EQ(d.FixStr[0].NStr, firstLine - 7);
    EXPECT_EQ(d.CountFixLines, 1);
    EXPECT_EQ(LabelOf(firstLine - 7), " " + std::to_string(firstLine - 7) + " P.S.");
    EXPECT_EQ(LabelOf(firstLine), " " + std::to_string(firstLine));
    EXPECT_TRUE(host.boxes.empty());
}

}  // namespace
}  // namespace tabulizer::test
