#pragma once
// One QApplication for the test process (offscreen), a QtHost whose modal dialogs
// are recorded instead of shown, and helpers to act on widgets as a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/Host.h"
#include "ui/qt/QtHost.h"

namespace tabulizer::test {

struct ShownBox {
    std::string text;
    ui::Buttons buttons;
    ui::Icon icon;
};

class QtTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QApplication::instance() != nullptr) return;
        static int argc = 1;
        static char name[] = "tabulizer_qt_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
    }

    QtTest() {
        host.SetMessageHook([this](const std::string& text, ui::Buttons buttons, ui::Icon icon) {
            boxes.push_back({text, buttons, icon});
            return buttons == ui::Buttons::Ok ? ui::Answer::Ok : ui::Answer::No;
        });
        host.SetFileHook([](const std::string&, const std::string&, bool) { return std::string(); });
    }

    template <typename W>
    W* Widget(const ui::Control& control) {
        return qobject_cast<W*>(host.WidgetOf(control));
    }

    static void Press(QWidget* widget, int key, const QString& text = QString()) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(widget, &press);
    }

    // Runs the event loop until the logic ends the program, starting with `act`.
    // A loop nobody ends stops after a generous while with -1, so a fault cannot hang the suite.
    int RunUntilEnd(const std::function<void()>& act) {
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
        guard.start(20000);
        return host.Run([&act] { QTimer::singleShot(0, act); });
    }

    qt::QtHost host;
    std::vector<ShownBox> boxes;
};

}  // namespace tabulizer::test
