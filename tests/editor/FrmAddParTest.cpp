// The additional-parameters dialog: each box shows and writes its own option at
// once, and nothing of it lives beyond the description.
#include <gtest/gtest.h>

#include "../support/ScriptedHost.h"
#include "editor/frmAddPar.h"

namespace tabulizer::test {
namespace {

struct Option {
    ui::Control frmAddPar::*box;
    bool DocumentDescription::*field;
    const char* caption;
};

const Option kOptions[] = {
    {&frmAddPar::NoNull, &DocumentDescription::DelNull, "- не выводить Нулевые значения ячеек"},
    {&frmAddPar::noEmpty, &DocumentDescription::NoSpace,
     "- не выводить пустые строки в информационной   части документа"},
    {&frmAddPar::UnderLine, &DocumentDescription::UnderStr, "- подчёркивать каждую строку /тонкая линия/"},
    {&frmAddPar::VertLine, &DocumentDescription::DivideCol, "- выводить разделители граф"},
};

class AddParTest : public ::testing::Test {
protected:
    std::vector<int> Ticks() const {
        std::vector<int> ticks;
        for (const Option& option : kOptions) ticks.push_back((dialog.*option.box).Value);
        return ticks;
    }

    ScriptedHost host;
    DocumentDescription description;
    frmAddPar dialog{description, host};
};

TEST_F(AddParTest, EachBoxShowsAndWritesItsOwnOptionAtOnce) {
    EXPECT_EQ(dialog.Caption, "Дополнительные параметры");
    EXPECT_EQ(dialog.ButClose.Caption, "Закрыть");
    for (const Option& option : kOptions) {
        SCOPED_TRACE(option.caption);
        ui::Control& box = dialog.*option.box;
        EXPECT_EQ(box.Caption, option.caption);
        description = {};
        description.*option.field = true;
        dialog.ShowDialog();
        for (const Option& other : kOptions) EXPECT_EQ((dialog.*other.box).Value, &other == &option ? 1 : 0);

        box.Click();
        EXPECT_FALSE(description.*option.field);
        box.Click();
        EXPECT_TRUE(description.*option.field);
        DocumentDescription expected;
        expected.*option.field = true;
        EXPECT_EQ(description, expected) << "another option changed";
    }
}

TEST_F(AddParTest, LoadedProjectShowsItsOptionsAndClosingKeepsEveryChange) {
    description.DelNull = description.DivideCol = true;
    dialog.ShowDialog();
    EXPECT_EQ(Ticks(), (std::vector<int>{1, 0, 0, 1}));
    EXPECT_TRUE(dialog.Visible);

    dialog.UnderLine.Click();
    dialog.UnderLine.Click();
    EXPECT_FALSE(description.UnderStr);
    dialog.NoNull.Click();
    dialog.noEmpty.Click();
    dialog.ButClose.Click();
    EXPECT_FALSE(dialog.Visible);
    EXPECT_EQ(host.events.back(), "unload frmAddPar");
    EXPECT_FALSE(description.DelNull);
    EXPECT_TRUE(description.NoSpace);

    // Opened again, it shows the description as it is now, changed elsewhere too.
    description.UnderStr = true;
    dialog.ShowDialog();
    EXPECT_EQ(Ticks(), (std::vector<int>{0, 1, 1, 1}));
    dialog.OnClose();  // the frame's close button
    EXPECT_EQ(host.events.back(), "unload frmAddPar");
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(AddParTest, EditorEndUnloadsOnlyAShownDialog) {
    dialog.CloseDialog();
    EXPECT_TRUE(host.events.empty());
    dialog.ShowDialog();
    dialog.CloseDialog();
    EXPECT_EQ(host.events, (std::vector<std::string>{"show frmAddPar", "unload frmAddPar"}));
}

}  // namespace
}  // namespace tabulizer::test
