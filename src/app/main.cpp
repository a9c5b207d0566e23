// The program: without arguments it opens its windows; with a project path it
// converts in batch mode, without a display, and tells the outcome by its exit status.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "app/ProgramWindows.h"
#include "description/DocumentDescription.h"
#include "shell/DescribeCommand.h"
#include "shell/ReportsCommand.h"
#include "ui/ConsoleHost.h"
#include "ui/Host.h"
#ifndef TABULIZER_NO_QT
#include "ui/qt/QtHost.h"
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
    "  tabulizer --project ПРОЕКТ.ini [--output-dir ПАПКА | --output ФАЙЛ] [--jobs N]\n"
    "            [--flat] [--csv | --csv-excel] [ОТЧЁТ...]\n"
    "                            преобразовать по описанию проекта его собственный\n"
    "                            входной документ или названные отчёты: каждый в\n"
    "                            ПАПКА/<имя отчёта>.xlsx (.csv), по умолчанию рядом\n"
    "                            с отчётом; --output ФАЙЛ — выходной файл одного\n"
    "                            отчёта («-» — стандартный вывод); --jobs N — сколько\n"
    "                            отчётов преобразуются одновременно (по умолчанию по\n"
    "                            числу ядер процессора); --flat — все страницы одной\n"
    "                            таблицей на одном листе (строка заголовка, затем все\n"
    "                            информационные строки); --csv — та же таблица в CSV\n"
    "                            (UTF-8, запятые, CR LF); --csv-excel — CSV для\n"
    "                            Excel (метка порядка байтов, «;», десятичная\n"
    "                            запятая). Сбой одного отчёта не останавливает\n"
    "                            остальные; в конце выводится итог\n"
    "                            «Преобразовано K из N» и пути непреобразованных\n"
    "  tabulizer --describe ОТЧЁТ [--project ПРОЕКТ.ini] [--force]\n"
    "                            составить проект по самому отчёту (по умолчанию\n"
    "                            ОТЧЁТ.ini рядом с отчётом; существующий файл\n"
    "                            заменяется только с --force) и сообщить, что найдено\n"
    "  tabulizer --help, -h      эта справка\n"
    "  tabulizer --version       версия программы\n"
    "\n"
    "Коды завершения:\n"
    "  0   книга сохранена (с --project: сохранены все книги; с --describe:\n"
    "      проект записан)\n"
    "  1   ошибка проекта, входного или выходного файла, преобразования\n"
    "      (сообщение выводится в стандартный поток ошибок); с --describe:\n"
    "      в отчёте нет таблицы, отчёт не читается, проект уже существует\n"
    "      или не записывается\n"
    "  2   неверный вызов (неизвестный параметр, сообщение о вызове) или\n"
    "      внутренняя ошибка\n"
    "  3   преобразование прервано пользователем\n"
    "  70  непредвиденная ошибка программы\n"
    "  128+N  прервано сигналом N (SIGTERM, SIGINT, SIGHUP, SIGPIPE, SIGXFSZ);\n"
    "      прежняя книга не изменена\n";

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
    tabulizer::app::ProgramWindows windows(tabulizer::Description(), tabulizer::Run(), host, projectPath);
    try {
        windows.Start();
    } catch (const tabulizer::ui::ProgramExit& exit) {
        return exit.status;
    }
    // Every path of a batch run ends the program; getting here is a fault of ours.
    std::fputs("tabulizer: внутренняя ошибка: пакетная обработка завершилась без результата\n", stderr);
    return kInternalErrorStatus;
}

#ifndef TABULIZER_NO_QT
int RunWindows(int argc, char** argv) {
    return tabulizer::qt::RunWindows(argc, argv, [](tabulizer::qt::QtHost& host) {
        tabulizer::app::ProgramWindows windows(tabulizer::Description(), tabulizer::Run(), host, std::string());
        windows.OnSecondaryWindow = [&host](tabulizer::ui::Window& window) { host.StandBeside(window); };
        return host.Run([&windows] { windows.Start(); });
    });
}
#endif

int Main(int argc, char** argv) {
    if (argc < 2) {
#ifdef TABULIZER_NO_QT
        std::fputs(kUsage, stderr);
        return kUsageStatus;
#else
        return RunWindows(argc, argv);
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
    if (first == "--describe") return tabulizer::RunDescribe(std::vector<std::string>(argv + 2, argv + argc));
    // A command line that begins with an option is read as options; otherwise it is
    // one project path, blanks included.
    if (first.starts_with("-")) return tabulizer::RunReports(std::vector<std::string>(argv + 1, argv + argc), kUsage);
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
