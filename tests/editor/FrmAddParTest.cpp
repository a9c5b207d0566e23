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
    {&frmAddPar::FlatTable, &DocumentDescription::Flat, "- все страницы одной таблицей на одном листе"},
};

TEST(AddParTest, EachBoxShowsAndWritesOnlyItsOwnOptionAtOnce) {
    ScriptedHost host;
    DocumentDescription description;
    frmAddPar dialog(description, host);
    EXPECT_EQ(dialog.Caption, "Дополнительные параметры");
    EXPECT_EQ(dialog.ButClose.Caption, "Закрыть");
    for (const Option& option : kOptions) {
        SCOPED_TRACE(option.caption);
        EXPECT_EQ((dialog.*option.box).Caption, option.caption);
        DocumentDescription only;
        only.*option.field = true;
        description = only;
        dialog.ShowDialog();  // as a loaded project has it
        for (const Option& other : kOptions) EXPECT_EQ((dialog.*other.box).Value, &other == &option ? 1 : 0);
        (dialog.*option.box).Click();
        EXPECT_EQ(description, DocumentDescription{});
        dialog.ButClose.Click();
        EXPECT_FALSE(dialog.Visible);
        dialog.ShowDialog();  // the change outlives the dialog; nothing undoes it
        EXPECT_EQ((dialog.*option.box).Value, 0);
        (dialog.*option.box).Click();
        EXPECT_EQ(description, only);
        dialog.OnClose();  // the frame's button closes as "Закрыть" does
    }
    EXPECT_EQ(host.events.back(), "unload frmAddPar");
    dialog.CloseDialog();  // the editor's end: nothing to unload now
    EXPECT_EQ(host.events.back(), "unload frmAddPar");
    EXPECT_EQ(host.events.size(), 4u * std::size(kOptions));
    EXPECT_TRUE(host.boxes.empty());
}

}  // namespace
}  // namespace tabulizer::test
