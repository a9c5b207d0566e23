// The program: without arguments it opens its windows; with a project path it
// converts in batch mode, without a display, and tells the outcome by its exit status.
#include <cstdio>
#include <exception>
#include <string>

#include "description/DocumentDescription.h"
#include "shell/frmBegin.h"
#include "ui/ConsoleHost.h"
#include "ui/Host.h"
#ifndef TABULIZER_NO_QT
#include "ui/qt/QtMain.h"
#endif

namespace {

constexpr int kUsageStatus = 2;
constexpr int kInternalErrorStatus = 2;
constexpr int kUnexpectedFailureStatus = 70;

constexpr const char* kUsage =
    "Табулизер преобразует печатные отчёты — текстовые файлы MS DOS (CP866) или Windows\n"
    "(CP1251) с таблицами из символов псевдографики — в книги Excel (.xlsx), по листу\n"
    "на страницу отчёта, по описанию вида отчёта, сохранённому в файле проекта.\n"
    "\n"
    "Использование:\n"
    "  tabulizer                 открыть окна программы\n"
    "  tabulizer [ПРОЕКТ.ini]    пакетная обработка: преобразовать входной документ\n"
    "                            проекта в его выходной файл без вопросов\n"
    "  tabulizer --help, -h      эта справка\n"
    "  tabulizer --version       версия программы\n"
    "\n"
    "Коды завершения:\n"
    "  0   книга сохранена\n"
    "  1   ошибка проекта, входного или выходного файла, преобразования\n"
    "      (сообщение выводится в стандартный поток ошибок)\n"
    "  2   неверный вызов или внутренняя ошибка\n"
    "  3   преобразование прервано пользователем\n"
    "  70  непредвиденная ошибка программы\n"
    "  128+N  прервано сигналом N (SIGTERM, SIGINT, SIGHUP, SIGXFSZ); прежняя книга\n"
    "      не изменена\n";

// All arguments joined by one blank are the argument text, as one path.
std::string JoinArguments(int argc, char** argv) {
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) text += ' ';
        text += argv[i];
    }
    return text;
}

int RunBatch(const std::string& projectPath) {
    tabulizer::ui::ConsoleHost host;
    tabulizer::frmBegin start(tabulizer::Description(), tabulizer::Run(), host, projectPath);
    try {
        start.Form_Load();
    } catch (const tabulizer::ui::ProgramExit& exit) {
        return exit.status;
    }
    // Every path of a batch run ends the program; getting here is a fault of ours.
    std::fputs("tabulizer: внутренняя ошибка: пакетная обработка завершилась без результата\n", stderr);
    return kInternalErrorStatus;
}

int Main(int argc, char** argv) {
    if (argc < 2) {
#ifdef TABULIZER_NO_QT
        std::fputs(kUsage, stderr);
        return kUsageStatus;
#else
        return tabulizer::qt::RunWindows(argc, argv);
#endif
    }
    const std::string first = argv[1];
    if (argc == 2 && (first == "--help" || first == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && first == "--version") {
        std::puts("tabulizer " TABULIZER_VERSION);
        return 0;
    }
    return RunBatch(JoinArguments(argc, argv));
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Main(argc, argv);
    } catch (const tabulizer::ui::ProgramExit& exit) {
        return exit.status;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tabulizer: %s\n", error.what());
    } catch (...) {
        std::fputs("tabulizer: непредвиденная ошибка\n", stderr);
    }
    return kUnexpectedFailureStatus;
}
