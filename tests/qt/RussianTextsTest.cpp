// Qt's own texts read Russian: message box buttons, file dialogs, and whatever Qt's
// translation covers (the context menus of text boxes).
#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>

#include "QtFixture.h"
#include "ui/qt/QtDialogs.h"
#include "ui/qt/RussianTexts.h"

namespace tabulizer::test {
namespace {

// The texts of the buttons of the modal dialog that `open` shows, read as soon as
// it shows; then the button with the text `press` is clicked.
QStringList ButtonsOfModal(const std::function<void()>& open, const QString& press, QStringList* labels = nullptr) {
    QStringList texts;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        if (labels != nullptr)
            for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
                if (auto* label = dialog->findChild<QLabel*>(QString::fromLatin1(name))) *labels << label->text();
        QAbstractButton* pressed = nullptr;
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            if (!button->isVisible() || button->text().isEmpty()) continue;
            texts << QString(button->text()).remove(QLatin1Char('&'));
            if (texts.back() == press) pressed = button;
        }
        ASSERT_NE(pressed, nullptr) << press.toStdString();
        pressed->click();
    });
    open();
    return texts;
}

TEST(RussianTexts, QtOwnTextsReadRussian) {
    if (QApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "tabulizer_qt_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
    EXPECT_TRUE(qt::InstallRussianTexts(*QApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QWidgetTextControl", "&Copy"), QStringLiteral("&Копировать"));

    ui::Answer answer = ui::Answer::Ok;
    QStringList question = ButtonsOfModal(
        [&] { answer = qt::AskUser("Перезаписать файл ?", ui::Buttons::YesNo, ui::Icon::Question); },
        QStringLiteral("Нет"));
    question.sort();
    EXPECT_EQ(question, (QStringList{QStringLiteral("Да"), QStringLiteral("Нет")}));
    EXPECT_EQ(answer, ui::Answer::No);
    EXPECT_EQ(ButtonsOfModal([] { qt::AskUser("Готово", ui::Buttons::Ok, ui::Icon::Information); },
                             QStringLiteral("ОК")),
              QStringList{QStringLiteral("ОК")});

    for (bool save : {false, true}) {
        QStringList labels;
        std::string chosen = "не пусто";
        const QStringList buttons = ButtonsOfModal([&] { chosen = qt::ChooseFile("Файл", "", save); },
                                                   QStringLiteral("Отмена"), &labels);
        EXPECT_TRUE(buttons.contains(save ? QStringLiteral("Сохранить") : QStringLiteral("Открыть")));
        EXPECT_EQ(labels, (QStringList{QStringLiteral("Папка:"), QStringLiteral("Имя файла:"),
                                       QStringLiteral("Тип файлов:")}));
        EXPECT_EQ(chosen, "");
    }
}

}  // namespace
}  // namespace tabulizer::test
