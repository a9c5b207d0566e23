// Where windows open and how large they are: centred over the window they replace,
// of a fixed size, and wholly on the screen even when laid out for a larger one.
#include <QScreen>

#include "QtFixture.h"
#include "SampleWindow.h"
#include "ui/qt/Placement.h"
#include "ui/qt/Twips.h"

namespace tabulizer::test {
namespace {

TEST(Placement, ZoomAndPositionKeepTheWindowOnTheScreen) {
    const QMargins frame(6, 36, 6, 6);
    const QRect screen(0, 0, 1280, 1024);
    EXPECT_EQ(qt::FittingZoom({729, 484}, screen, frame), 1.0);
    EXPECT_EQ(qt::FittingZoom({0, 0}, screen, frame), 1.0);
    // The start window at scale factor 2 on 1280 x 1024 with a panel: 640 x 487 to use.
    const QRect scaled(0, 0, 640, 487);
    const double zoom = qt::FittingZoom({729, 484}, scaled, frame);
    EXPECT_LT(zoom, 1.0);
    EXPECT_LE(qt::ToPixels(10935, zoom) + 12, 640);
    EXPECT_LE(qt::ToPixels(7260, zoom) + 42, 487);

    struct Case {
        QSize size;
        QRect anchor;
        QRect available;
        QPoint expected;
    };
    const Case cases[] = {
        {{400, 300}, screen, screen, {434, 341}},                       // centred on the screen
        {{400, 300}, {100, 100, 600, 400}, screen, {194, 129}},         // over the window replaced
        {{400, 300}, {1000, 800, 300, 200}, screen, {868, 682}},        // kept off the right and bottom edges
        {{400, 300}, {-200, -100, 100, 100}, {0, 30, 1280, 994}, {0, 30}},  // and off the panel at the top
        {{2000, 1500}, screen, screen, {0, 0}},                         // too large: the title bar stays on
    };
    for (const Case& c : cases)
        EXPECT_EQ(qt::CentredOver(c.size, frame, c.anchor, c.available), c.expected) << c.anchor.x();
}

// A window standing beside the main one: beside it where the screen has room, else
// over its lower part, never over its top (step number, statistics) nor over the
// other window standing beside it.
TEST(Placement, AWindowBesideTheMainOneKeepsClearOfItsTopAndOfTheOthers) {
    const QMargins frame(1, 20, 1, 1);
    const QRect screen(0, 0, 1280, 1024);
    const QSize help(300, 250);  // 302 x 271 with its frame
    struct Case {
        const char* name;
        QRect anchor;
        std::vector<QRect> others;
        QPoint expected;
    };
    const Case cases[] = {
        {"to the right", {300, 200, 650, 580}, {}, {950, 200}},
        {"to the left when the right is short", {800, 200, 450, 580}, {}, {498, 200}},
        {"below when neither side has room", {100, 100, 1100, 580}, {}, {100, 680}},
        {"above when only the top has room", {100, 700, 1100, 300}, {}, {100, 429}},
        {"clear of the other window beside it", {300, 200, 650, 580}, {{950, 200, 302, 271}}, {978, 753}},
        {"over the lower part of a window that fills the screen", screen, {}, {0, 753}},
        {"and clear of the other window there", screen, {{0, 753, 302, 271}}, {978, 110}},
    };
    for (const Case& c : cases) {
        const QPoint at = qt::BesideOf(help, frame, c.anchor, screen, c.others);
        EXPECT_EQ(at, c.expected) << c.name;
        const QRect placed(at, help.grownBy(frame));
        EXPECT_TRUE(screen.contains(placed)) << c.name;
        EXPECT_FALSE(placed.intersects(QRect(c.anchor.topLeft(), QSize(c.anchor.width(), qt::kKeepClear)))) << c.name;
    }
}

class PlacementTest : public QtTest {
protected:
    QRect Available() const { return QGuiApplication::primaryScreen()->availableGeometry(); }
    QWidget* View(const ui::Window& window) { return host.WidgetOf(window); }
    SampleWindow first, second;
};

TEST_F(PlacementTest, WindowsOpenCentredOverTheOneTheyReplaceWithAFixedSize) {
    host.Show(first);
    // Centred but for the frame, which no window has shown yet.
    EXPECT_LE((View(first)->frameGeometry().center() - Available().center()).manhattanLength(), 4);
    EXPECT_EQ(View(first)->minimumSize(), View(first)->maximumSize());

    View(first)->move(Available().topLeft() + QPoint(20, 10));
    host.Show(second);
    host.Hide(first);
    EXPECT_EQ(View(second)->pos(), Available().topLeft() + QPoint(20, 10));
    host.Show(first);  // back: over the window it replaces, where the user left it
    host.Hide(second);
    EXPECT_EQ(View(first)->pos(), Available().topLeft() + QPoint(20, 10));
}

TEST_F(PlacementTest, AWindowLargerThanTheScreenIsDrawnSmallerToFitIt) {
    first.Geometry = {0, 0, (Available().width() + 300) * qt::kTwipsPerPixel,
                      (Available().height() + 200) * qt::kTwipsPerPixel};
    host.Show(first);
    EXPECT_TRUE(Available().contains(View(first)->frameGeometry()));
    const double zoom = static_cast<double>(View(first)->width()) / (Available().width() + 300);
    EXPECT_LT(zoom, 1.0);
    EXPECT_EQ(host.WidgetOf(first.butGo)->geometry(),
              QRect(qt::ToPixels(150, zoom), qt::ToPixels(300, zoom), qt::ToPixels(1500, zoom),
                    qt::ToPixels(450, zoom)));
}

}  // namespace
}  // namespace tabulizer::test

namespace tabulizer::test {
namespace {

// A window with a stretching control: enlarged by the user, the control takes the
// room and the controls beyond it keep their distance to its edges; a size given
// by the logic afterwards keeps what the user added.
TEST_F(PlacementTest, AnEnlargedWindowGivesTheRoomToItsStretchingControl) {
    first.Stretch = &first.txtPath;  // 10,120 200 x 40 pixels
    host.Show(first);
    QWidget* window = View(first);
    EXPECT_EQ(window->minimumSize(), QSize(400, 300));
    window->resize(500, 350);
    struct Case {
        const ui::Control* control;
        QRect expected;
    };
    const Case cases[] = {
        {&first.txtPath, {10, 120, 300, 90}},  // grown by 100 x 50
        {&first.txtLine, {10, 90, 200, 20}},   // above it: stays
        {&first.frChoice, {320, 20, 160, 100}},  // beyond its right edge: moves right
        {&first.butGo, {10, 20, 100, 30}},
    };
    for (const Case& c : cases) EXPECT_EQ(host.WidgetOf(*c.control)->geometry(), c.expected) << c.control->Name();
    EXPECT_EQ(first.txtPath.Geometry.Width, 3000);  // the model keeps its own size

    host.Forward([&] { first.Geometry.Width = 7500; });  // the logic widens the window
    EXPECT_EQ(window->size(), QSize(600, 350));
    EXPECT_EQ(window->minimumSize(), QSize(500, 300));
}

}  // namespace
}  // namespace tabulizer::test
