// Measures the editor's view with the real widgets: a header click (marking and
// unmarking a column end) and a page change on a wide, long report, each timed
// from the user's act until the window has been redrawn. With --shots DIR it
// instead opens examples/ved.ini through the wizard ("modify" = yes) and saves a
// screenshot of the screen at every step, of the help window at steps 1, 12 and 15
// and of the options window.
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QtTest/QTest>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/ProgramWindows.h"
#include "editor/frmParDoc.h"
#include "shell/frmBegin.h"
#include "shell/frmOpenFile.h"
#include "ui/qt/QtHost.h"

namespace fs = std::filesystem;
using namespace tabulizer;

namespace {

constexpr int kWidth = 250;
constexpr int kLines = 32000;

std::string WriteReport(const fs::path& dir) {
    const fs::path path = dir / "wide.txt";
    std::ofstream out(path, std::ios::binary);
    for (int line = 1; line <= kLines; ++line) {
        std::string text = std::to_string(line);
        while (static_cast<int>(text.size()) < kWidth) text += (text.size() % 10 == 9) ? '|' : char('0' + text.size() % 10);
        out << text << "\r\n";
    }
    return path.string();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The time from `act` to a window drawn again.
double Timed(QWidget* window, const std::function<void()>& act) {
    QElapsedTimer timer;
    timer.start();
    act();
    window->repaint();
    QCoreApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

int Measure(qt::QtHost& host) {
    const fs::path dir = fs::temp_directory_path() / "tabulizer-editor-bench";
    fs::create_directories(dir);
    DocumentDescription d;
    RunState run;
    d.NameIn = WriteReport(dir);
    run.NewProject = true;
    frmParDoc editor(d, run, host);
    QElapsedTimer load;
    load.start();
    host.Forward([&] { editor.Form_Load(); });
    const double loadMs = load.nsecsElapsed() / 1e6;
    host.Forward([&] { editor.NextFr.Click(); });  // step 2: column ends
    auto* tree = qobject_cast<QTreeView*>(host.WidgetOf(editor.lstDoc));
    QWidget* window = host.WidgetOf(editor);
    QHeaderView* header = tree->header();
    std::vector<double> clicks, pages;
    for (int i = 0; i < 20; ++i) {
        const int section = 100;  // marked, then unmarked, and again
        tree->scrollTo(tree->model()->index(0, section));
        const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2, header->height() / 2);
        clicks.push_back(Timed(window, [&] { QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at); }));
    }
    auto* down = qobject_cast<QPushButton*>(host.WidgetOf(editor.ButDown));
    for (int i = 0; i < 20; ++i) pages.push_back(Timed(window, [&] { down->click(); }));
    std::printf("report: %d lines of %d characters; %d headers\n", kLines, kWidth,
                static_cast<int>(editor.lstDoc.Headers().size()));
    std::printf("editor load (measuring pass, step 1): %.1f ms\n", loadMs);
    std::printf("header click, median of %zu: %.2f ms (max %.2f)\n", clicks.size(), Median(clicks),
                *std::max_element(clicks.begin(), clicks.end()));
    std::printf("page down near the top, median of %zu: %.2f ms\n", pages.size(), Median(pages));
    // A page far down re-reads the file from line 1 up to it.
    pages.clear();
    for (int i = 0; i < 5; ++i) {
        host.Forward([&] {
            editor.view.TopLine = kLines - 3 * 14;
            editor.ButDown.BackColor = ui::kGreen;
        });
        pages.push_back(Timed(window, [&] { down->click(); }));
    }
    std::printf("page down at the end of the report, median of %zu: %.2f ms\n", pages.size(), Median(pages));
    fs::remove_all(dir);
    return 0;
}

void Shot(const fs::path& dir, const std::string& name) {
    QTest::qWait(300);
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    screen.save(QString::fromStdString((dir / (name + ".png")).string()));
}

int Shots(qt::QtHost& host, const fs::path& dir) {
    fs::create_directories(dir);
    const fs::path work = fs::temp_directory_path() / "tabulizer-shots";
    fs::create_directories(work);
    for (const char* name : {"ved.ini", "ved.txt"})
        fs::copy_file(fs::path(TABULIZER_EXAMPLES) / name, work / name, fs::copy_options::overwrite_existing);
    app::ProgramWindows windows(Description(), Run(), host, std::string());
    windows.OnSecondaryWindow = [&host](ui::Window& window) { host.StandBeside(window); };
    host.Forward([&] { windows.Start(); });
    frmBegin& start = windows.StartWindow();
    host.Forward([&] { start.NewProj.Click(); });
    Shot(dir, "wizard-new");
    host.Forward([&] { start.OpenFile().BackFr.Click(); });
    host.Forward([&] { start.OldProj.Click(); });
    frmOpenFile& wizard = start.OpenFile();
    host.Forward([&] {
        wizard.txtIniDoc.SetText((work / "ved.ini").string());
        wizard.txtIniDoc.PressEnter();
        wizard.optModYes.SetValue(1);
    });
    Shot(dir, "wizard");
    host.Forward([&] { wizard.NextFr.Click(); });
    frmParDoc* editor = windows.Editor();
    if (editor == nullptr) return 1;
    for (int step = 1; step <= 15; ++step) {
        {
            if (step == 12) {
                // A selected column with a numeric format shows the whole format panel.
                host.Forward([&] {
                    editor->lstDoc.ColumnClick(3);
                    editor->ComBoxForm.Choose(1);
                });
            }
            Shot(dir, "step" + std::to_string(step));
            if (step == 1 || step == 12) {
                host.Forward([&] { editor->ButHelp.Click(); });
                Shot(dir, "help" + std::to_string(step));
            }
        }
        if (step < 15) host.Forward([&] { editor->NextFr.Click(); });
    }
    host.Forward([&] { editor->ButHelp.Click(); });
    Shot(dir, "help15");
    host.Forward([&] { editor->ButAdd.Click(); });
    Shot(dir, "options");
    host.Forward([&] { editor->BackFr.Click(); });  // step 14, the whole window
    host.WidgetOf(*editor)->showMaximized();
    Shot(dir, "maximized");
    fs::remove_all(work);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    qt::QtHost host;
    // No modal box may wait for a user: each is printed and answered.
    host.SetMessageHook([](const std::string& text, ui::Buttons, ui::Icon) {
        std::printf("message: %s\n", text.c_str());
        return ui::Answer::Yes;
    });
    if (argc == 3 && std::string(argv[1]) == "--shots") return Shots(host, argv[2]);
    return Measure(host);
}
