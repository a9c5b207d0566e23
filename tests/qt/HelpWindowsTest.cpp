// The options dialog and the help window as drawn: every caption fits its box, and
// every topic of the shipped help file fits the label the window sizes for it.
#include <QCheckBox>
#include <QLabel>

#include "QtFixture.h"
#include "description/DocumentDescription.h"
#include "editor/frmAddPar.h"
#include "help/frmHelp.h"

namespace tabulizer::test {
namespace {

using HelpWindowsTest = QtTest;

TEST_F(HelpWindowsTest, OptionCaptionsFitAndATickReachesTheDescription) {
    DocumentDescription description;
    frmAddPar dialog(description, host);
    host.Forward([&] { dialog.ShowDialog(); });
    for (const ui::Control* box : {&dialog.NoNull, &dialog.noEmpty, &dialog.UnderLine, &dialog.VertLine}) {
        auto* widget = Widget<QCheckBox>(*box);
        ASSERT_NE(widget, nullptr) << box->Name();
        EXPECT_LE(widget->sizeHint().width(), widget->width()) << box->Name();
    }
    Widget<QCheckBox>(dialog.noEmpty)->click();
    EXPECT_TRUE(description.NoSpace);
    host.Forward([&] { dialog.CloseDialog(); });
}

TEST_F(HelpWindowsTest, EveryShippedTopicFitsItsLabel) {
    RunState run;
    frmHelp help(run, host, [] { return std::filesystem::path(TABULIZER_HELP_FILE); });
    for (int step = 0; step < 15; ++step) {
        run.CurStep = static_cast<i16>(step);
        host.Forward([&] { help.ShowHelp(); });
        auto* label = Widget<QLabel>(help.lbHelp);
        ASSERT_NE(label, nullptr);
        EXPECT_LE(label->heightForWidth(label->width()), label->height()) << "step " << step + 1;
        EXPECT_LE(label->geometry().bottom(), host.WidgetOf(help)->height()) << "step " << step + 1;
    }
    EXPECT_TRUE(boxes.empty());
    host.Forward([&] { help.UnloadHelp(); });
}

}  // namespace
}  // namespace tabulizer::test
