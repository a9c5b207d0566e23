#include "ui/qt/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "ui/qt/QtText.h"

namespace tabulizer::qt {

namespace {

QMessageBox::Icon ToQtIcon(ui::Icon icon) {
    switch (icon) {
    case ui::Icon::Information: return QMessageBox::Information;
    case ui::Icon::Critical: return QMessageBox::Critical;
    case ui::Icon::Question: break;
    }
    return QMessageBox::Question;
}

}  // namespace

ui::Answer AskUser(const std::string& text, ui::Buttons buttons, ui::Icon icon) {
    const bool question = buttons == ui::Buttons::YesNo;
    QMessageBox box(ToQtIcon(icon), QStringLiteral("Табулизер"), ToDisplay(text),
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow());
    const int pressed = box.exec();
    if (!question) return ui::Answer::Ok;
    return pressed == QMessageBox::Yes ? ui::Answer::Yes : ui::Answer::No;
}

std::string ChooseFile(const std::string& title, const std::string& filter, bool save) {
    QWidget* parent = QApplication::activeWindow();
    const QString qtitle = ToQt(title);
    const QString qfilter = FilterToQt(filter);
    // The wizard asks about replacing an existing output itself, and a project
    // chosen with a save dialog is never written: no question from the dialog.
    const QString path = save ? QFileDialog::getSaveFileName(parent, qtitle, QString(), qfilter, nullptr,
                                                             QFileDialog::DontConfirmOverwrite)
                              : QFileDialog::getOpenFileName(parent, qtitle, QString(), qfilter);
    return FromQt(path);
}

}  // namespace tabulizer::qt
