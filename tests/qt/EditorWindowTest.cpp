// The editor through its real widgets: a click on a character header marks a
// column end, a click on a line gives it its role, a dragged header border becomes
// the column's output width; the header pictures are really drawn; and every
// control has a name and its role.
#include <QHeaderView>
#include <QImage>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>
#include <QtTest/QTest>
#include <filesystem>
#include <string>

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
    // The pixels of header `index` (1-based) as the screen shows them.
    QImage SectionPixels(int index) {
        const int section = index - 1;
        Tree()->scrollTo(Tree()->model()->index(0, section));
        const QRect rect(Header()->sectionViewportPosition(section), 0, Header()->sectionSize(section),
                         Header()->height());
        return Header()->viewport()->grab(rect).toImage();
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

// How many pixels of `image` have the strong colour of a picture: the red of
// "Arrow" or the green of "Green". The header's own greys never count.
enum class Hue { Red, Green };

int CountHue(const QImage& image, Hue hue) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const bool red = c.red() > 170 && c.green() < 90 && c.blue() < 90;
            const bool green = c.green() > 120 && c.red() < 110 && c.blue() < 130 && c.green() - c.red() > 60;
            if (hue == Hue::Red ? red : green) ++count;
        }
    }
    return count;
}

// Pixels whose grey is darker than the header's face: the tick of "Bir".
int CountDark(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height() - 2; ++y)  // the bottom border is not the tick
        for (int x = 1; x < image.width() - 2; ++x)  // nor the section's side lines
            if (qGray(image.pixel(x, y)) < 170) ++count;
    return count;
}

struct PictureCase {
    const char* what;
    int step;
    int clickColumn;  // a column header clicked first (0 = none), as step 12 selects one
    int marked;       // header (1-based) that must show the picture `image` in colour `hue`
    const char* image;
    Hue hue;
    int other;        // a header of the same view with another picture, without that colour
    const char* otherImage;
};

const PictureCase kPictureCases[] = {
    {"a column end at step 2", 2, 0, 8, "Arrow", Hue::Red, 7, "Bir"},
    {"a column end at step 2, scrolled to the right", 2, 0, 62, "Arrow", Hue::Red, 61, "Bir"},
    {"the selected column at step 12", 12, 3, 3, "Green", Hue::Green, 2, "Arrow"},
    // Column 3 is still selected from the case before (a second click would unselect it).
    {"a formatted column at step 12", 12, 0, 2, "Arrow", Hue::Red, 3, "Green"},
};

TEST_F(EditorWindowTest, MarkedHeadersShowTheirPictureOnScreen) {
    for (const PictureCase& c : kPictureCases) {
        SCOPED_TRACE(c.what);
        GoTo(c.step);
        if (c.clickColumn != 0) host.Forward([&] { editor.lstDoc.ColumnClick(c.clickColumn); });
        ASSERT_EQ(editor.lstDoc.Header(c.marked).Image, c.image);
        ASSERT_EQ(editor.lstDoc.Header(c.other).Image, c.otherImage);
        const QImage marked = SectionPixels(c.marked);
        const QImage other = SectionPixels(c.other);
        ASSERT_FALSE(marked.isNull());
        ASSERT_FALSE(other.isNull());
        // The marked header stands out in its picture's colour; the other has none of it.
        EXPECT_GE(CountHue(marked, c.hue), 20);
        EXPECT_EQ(CountHue(other, c.hue), 0);
        // A plain position still shows its tick.
        if (std::string(c.otherImage) == "Bir") {
            EXPECT_GE(CountDark(other), 3);
        }
    }
}

// Every row of the page shows whole, with no scroll bar of the list standing for a
// part of the page; the line-number column holds its longest label; the page
// buttons carry their arrow and tip; a row highlighted by a click is not left on
// the screen row once another page or step fills it.
TEST_F(EditorWindowTest, ThePageShowsWholeAndNoHighlightOutlivesItsLine) {
    struct Case {
        int step;
        ui::Control frmParDoc::*press;  // what is pressed after the first row was highlighted
    };
    for (const Case& c : {Case{2, &frmParDoc::ButDown}, Case{6, &frmParDoc::ButDown}, Case{6, &frmParDoc::NextFr},
                          Case{12, &frmParDoc::ButDown}, Case{15, &frmParDoc::ButUp}}) {
        SCOPED_TRACE("step " + std::to_string(c.step));
        GoTo(c.step);
        QCoreApplication::processEvents();  // the rows are laid out once back in the event loop
        QTreeView* tree = Tree();
        const int rows = tree->model()->rowCount();
        ASSERT_GT(rows, 0);
        EXPECT_FALSE(tree->verticalScrollBar()->isVisible());
        EXPECT_LE(tree->visualRect(tree->model()->index(rows - 1, 0)).bottom(), tree->viewport()->height());
        if (!Header()->isSectionHidden(0) && Header()->sectionSize(0) > 1)
            for (int row = 0; row < rows; ++row) {
                const QString label = tree->model()->index(row, 0).data().toString();
                EXPECT_GE(Header()->sectionSize(0), tree->fontMetrics().horizontalAdvance(label)) << label.toStdString();
            }
        tree->selectionModel()->select(tree->model()->index(0, 0),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        Widget<QPushButton>(editor.*c.press)->click();
        EXPECT_FALSE(tree->selectionModel()->hasSelection());
    }
    for (const ui::Control* page : {&editor.ButUp, &editor.ButDown}) {
        EXPECT_FALSE(Widget<QPushButton>(*page)->icon().isNull()) << page->Name();
        EXPECT_EQ(Widget<QPushButton>(*page)->toolTip().toStdString(), page->ToolTip);
    }
    EXPECT_EQ(editor.ButUp.ToolTip, "Предыдущая страница");
    EXPECT_EQ(editor.ButDown.ToolTip, "Следующая страница");
}

}  // namespace
}  // namespace tabulizer::test
