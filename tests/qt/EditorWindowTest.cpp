// The editor through its real widgets: a click on a character header marks a
// column end, a click on a line gives it its role, a dragged header border becomes
// the column's output width; and every control has a name and its role.
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>
#include <QtTest/QTest>
#include <filesystem>

#include "../support/TempDir.h"
#include "QtFixture.h"
#include "description/ProjectLoader.h"
#include "editor/frmParDoc.h"

namespace tabulizer::test {
namespace {

namespace fs = std::filesystem;

class EditorWindowTest : public QtTest {
protected:
    // The sample project opened for modification, as the wizard hands it over.
    void SetUp() override {
        for (const char* name : {"ved.ini", "ved.txt"})
            fs::copy_file(fs::path(TABULIZER_EXAMPLES) / name, dir / name);
        d.InitFontsAndMerges();
        run.NameIni = (dir / "ved.ini").string();
        ASSERT_EQ(LoadProject(d, run, host), LoadOutcome::Clean);
        d.NameIn = (dir / "ved.txt").string();
        host.Forward([this] { editor.Form_Load(); });
    }
    void GoTo(int step) {
        while (run.CurStep + 1 < step) Widget<QPushButton>(editor.NextFr)->click();
        ASSERT_EQ(run.CurStep + 1, step);
    }
    QTreeView* Tree() { return Widget<QTreeView>(editor.lstDoc); }
    QHeaderView* Header() { return Tree()->header(); }
    // The middle of header `index` (1-based, as the logic counts).
    QPoint HeaderPoint(int index) {
        const int section = index - 1;
        return {Header()->sectionViewportPosition(section) + Header()->sectionSize(section) / 2,
                Header()->height() / 2};
    }
    void Drag(QWidget* widget, QPoint from, QPoint to) {
        QTest::mousePress(widget, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(widget, &move);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
    }

    TempDir temp{"tabulizer-editor-window"};
    fs::path dir = temp.path();
    DocumentDescription d;
    RunState run;
    frmParDoc editor{d, run, host};
};

TEST_F(EditorWindowTest, HeaderAndLineClicksReachTheDescription) {
    GoTo(2);
    ASSERT_EQ(d.EndPoz[0], 5);
    QTest::mouseClick(Header()->viewport(), Qt::LeftButton, {}, HeaderPoint(4));
    EXPECT_EQ(d.EndPoz[0], 6);
    EXPECT_EQ(d.EndPoz[1], 3);
    EXPECT_EQ(editor.lstDoc.Header(4).Image, "Arrow");
    // The marked position is drawn wider, the others keep their width.
    EXPECT_GT(Header()->sectionSize(3), Header()->sectionSize(4));
    QTest::mouseClick(Header()->viewport(), Qt::LeftButton, {}, HeaderPoint(4));
    EXPECT_EQ(d.EndPoz[0], 5);
    EXPECT_EQ(Header()->sectionSize(3), Header()->sectionSize(4));

    GoTo(3);
    const QRect line4 = Tree()->visualRect(Tree()->model()->index(3, 1));
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, {}, line4.center());
    EXPECT_EQ(d.EndTitle, 4);
    EXPECT_EQ(Tree()->model()->index(3, 0).data().toString(), QStringLiteral(" 4 Заголовок"));
}

TEST_F(EditorWindowTest, ADraggedHeaderBorderIsTheWidthThatStepThirteenStores) {
    GoTo(13);
    const int section = 1;  // column A, 7 characters
    const int right = Header()->sectionViewportPosition(section) + Header()->sectionSize(section) - 1;
    const int y = Header()->height() / 2;
    Drag(Header()->viewport(), {right, y}, {right + 50, y});
    const int twips = editor.lstDoc.Header(2).Width;
    EXPECT_GT(twips, 7 * 167 + 172 + 40 * 15);
    Widget<QPushButton>(editor.ComWidth)->click();
    EXPECT_EQ(d.WidthGraf[0], d.EndPoz[0]);
    EXPECT_EQ(d.WidthGraf[1], (twips + 83) / 167);
}

}  // namespace
}  // namespace tabulizer::test
