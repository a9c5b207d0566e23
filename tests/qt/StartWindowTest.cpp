// The whole way through the windows, as a user takes it: start window, existing
// project typed into the wizard, Enter, forward; the conversion saves the workbook
// and the program ends with status 0.
#include <unistd.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>

#include "QtFixture.h"
#include "description/DocumentDescription.h"
#include "app/ProgramWindows.h"
#include "shell/frmBegin.h"
#include "shell/frmOpenFile.h"

namespace tabulizer::test {
namespace {

namespace fs = std::filesystem;

class StartWindowTest : public QtTest {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("tabulizer-qt-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        for (const char* name : {"ved.ini", "ved.txt"})
            fs::copy_file(fs::path(TABULIZER_EXAMPLES) / name, dir / name);
    }
    void TearDown() override { fs::remove_all(dir); }

    void Click(const ui::Control& control) {
        auto* button = Widget<QPushButton>(control);
        ASSERT_NE(button, nullptr) << control.Name();
        button->click();
    }

    fs::path dir;
    DocumentDescription description;
    RunState run;
};

TEST_F(StartWindowTest, ExistingProjectTypedIntoTheWizardIsConvertedAndTheProgramEnds) {
    app::ProgramWindows windows(description, run, host, std::string(), [] { return OsVersion{6, 1}; });
    frmBegin& start = windows.StartWindow();
    host.Forward([&windows] { windows.Start(); });
    ASSERT_NE(host.WidgetOf(start), nullptr);
    EXPECT_TRUE(host.WidgetOf(start)->isVisible());
    const std::string project = (dir / "ved.ini").string();

    const int status = RunUntilEnd([&] {
        Click(start.OldProj);
        frmOpenFile& wizard = start.OpenFile();
        auto* box = Widget<QPlainTextEdit>(wizard.txtIniDoc);
        ASSERT_NE(box, nullptr);
        // A click on the prompt empties the box for what the user types.
        QMouseEvent click(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                          Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box->viewport(), &click);
        EXPECT_EQ(box->toPlainText(), QString());
        box->insertPlainText(QString::fromStdString(project));
        Press(box, Qt::Key_Return);
        EXPECT_EQ(box->toPlainText().toStdString(), project);
        Click(wizard.NextFr);
    });

    EXPECT_EQ(status, 0);
    EXPECT_TRUE(boxes.empty()) << boxes.front().text;
    EXPECT_TRUE(fs::exists(dir / "ved.xlsx"));
}

}  // namespace
}  // namespace tabulizer::test
