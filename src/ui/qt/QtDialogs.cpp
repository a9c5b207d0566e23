#include "ui/qt/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

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

// The button texts the user meets most are set here, so that they read Russian
// even where Qt's translation is missing (it leaves "OK" in Latin letters).
void SetButtonTexts(QMessageBox& box) {
    const std::pair<QMessageBox::StandardButton, const char*> texts[] = {
        {QMessageBox::Yes, "&Да"}, {QMessageBox::No, "&Нет"}, {QMessageBox::Ok, "ОК"}};
    for (const auto& [which, text] : texts)
        if (QAbstractButton* button = box.button(which)) button->setText(QString::fromUtf8(text));
}

void SetLabelTexts(QFileDialog& dialog, bool save) {
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Папка:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Имя файла:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Тип файлов:"));
    dialog.setLabelText(QFileDialog::Accept, save ? QStringLiteral("Сохранить") : QStringLiteral("Открыть"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Отмена"));
}

}  // namespace

ui::Answer AskUser(const std::string& text, ui::Buttons buttons, ui::Icon icon) {
    const bool question = buttons == ui::Buttons::YesNo;
    QMessageBox box(ToQtIcon(icon), QStringLiteral("Табулизер"), ToDisplay(text),
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                    QApplication::activeWindow());
    SetButtonTexts(box);
    const int pressed = box.exec();
    if (!question) return ui::Answer::Ok;
    return pressed == QMessageBox::Yes ? ui::Answer::Yes : ui::Answer::No;
}

std::string ChooseFile(const std::string& title, const std::string& filter, bool save) {
    QFileDialog dialog(QApplication::activeWindow(), ToQt(title), QString(), FilterToQt(filter));
    dialog.setObjectName(QStringLiteral("fileDialog"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The wizard asks about replacing an existing output itself, and a project
    // chosen with a save dialog is never written: no question from the dialog.
    if (save) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    SetLabelTexts(dialog, save);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return FromQt(dialog.selectedFiles().constFirst());
}

std::optional<ui::FontChoice> ChooseFont(const ui::FontChoice& initial) {
    QFont font(ToQt(initial.Name));
    if (initial.Size > 0) font.setPointSizeF(initial.Size);
    font.setBold(initial.Bold);
    font.setItalic(initial.Italic);
    bool chosen = false;
    const QFont picked = QFontDialog::getFont(&chosen, font, QApplication::activeWindow(), QStringLiteral("Шрифт"));
    if (!chosen) return std::nullopt;
    return ui::FontChoice{FromQt(picked.family()), picked.pointSizeF(), picked.bold(), picked.italic()};
}

}  // namespace tabulizer::qt
