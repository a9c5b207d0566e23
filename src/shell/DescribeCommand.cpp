#include "shell/DescribeCommand.h"

#include <filesystem>
#include <new>

#include "common/Failure.h"
#include "common/SystemReason.h"
#include "conversion/inference/Inference.h"
#include "description/ProjectWriter.h"
#include "shell/FileChecks.h"

namespace tabulizer {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsageLine = "Использование: tabulizer --describe ОТЧЁТ [--project ПРОЕКТ.ini] [--force]\n";

struct Call {
    std::string report;
    std::string project;
    bool force = false;
    std::string error;  // empty when the call is right
};

Call Parse(const std::vector<std::string>& arguments) {
    Call call;
    for (std::size_t i = 0; i < arguments.size() && call.error.empty(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--force") call.force = true;
        else if (a == "--project") {
            if (i + 1 < arguments.size() && !arguments[i + 1].empty()) call.project = arguments[++i];
            else call.error = "после --project нужен путь файла проекта";
        } else if (a.starts_with("-") && a.size() > 1) call.error = "неизвестный параметр «" + a + "»";
        else if (!call.report.empty()) call.error = "указано больше одного отчёта";
        else call.report = a;
    }
    if (call.error.empty() && call.report.empty()) call.error = "не указан файл отчёта";
    if (call.error.empty() && call.project.empty()) call.project = fs::path(call.report).replace_extension(".ini").string();
    if (call.error.empty() && fs::path(call.project).extension() != ".ini")
        call.error = "файл проекта должен иметь расширение .ini: " + call.project;
    std::error_code ignored;
    if (call.error.empty() && fs::equivalent(call.report, call.project, ignored))
        call.error = "файл проекта совпадает с файлом отчёта: " + call.project;
    return call;
}

// A path as the project stores it: the file name alone when it lies beside the
// project (the loader looks there first), otherwise the absolute path.
std::string StoredPath(const fs::path& path, const fs::path& project) {
    fs::path absolute = fs::absolute(path).lexically_normal();
    if (absolute.parent_path() == fs::absolute(project).lexically_normal().parent_path())
        return absolute.filename().string();
    return absolute.string();
}

void Print(std::FILE* err, const std::string& text) { std::fputs(text.c_str(), err); }

void PrintFindings(std::FILE* err, const inference::ReportInference& result, const std::string& report) {
    Print(err, "Описание отчёта " + report + ":\n");
    for (const auto& f : result.findings)
        if (f.decided) Print(err, "  " + f.element + ": " + f.text + "\n");
    bool undecided = false;
    for (const auto& f : result.findings)
        if (!f.decided) {
            if (!undecided) Print(err, "Не удалось определить однозначно (проверьте в редакторе):\n");
            undecided = true;
            Print(err, "  " + f.element + ": " + f.text + "\n");
        }
}

constexpr const char* kExists = "Файл проекта уже существует: ";
constexpr const char* kUseForce = "\nЧтобы заменить его, добавьте --force.\n";

// A project that exists is refused before the inference and again when it is written:
// another program may have created it meanwhile.
int WriteFailure(const Failure& failure, const std::string& project, std::FILE* err) {
    if (failure.code() == kFileExists) Print(err, kExists + project + kUseForce);
    else Print(err, "Не удалось записать файл проекта: " + project + "\n" + failure.detail() + "\n");
    return kDescribeRefused;
}

std::string ReadFailure(const Failure& failure, const std::string& report) {
    if (failure.code() == kFileNotFound) return "Файл отчёта не найден: " + report;
    return "Файл отчёта не удаётся прочитать: " + report;
}

int Describe(const std::vector<std::string>& arguments, std::FILE* err) {
    Call call = Parse(arguments);
    if (!call.error.empty()) {
        Print(err, "tabulizer --describe: " + call.error + "\n" + kUsageLine);
        return kDescribeWrongCall;
    }
    // A pipe, a device or a folder is refused before anything is read from it.
    RunFiles files;
    files.inputs = {call.report};
    files.outputs = {call.project};
    if (FileRefusal refusal = CheckRunFiles(files)) {
        Print(err, refusal.detail + "\n");
        return kDescribeRefused;
    }
    std::error_code unknown;  // a name that cannot even be looked up fails when written, with its reason
    if (fs::exists(call.project, unknown) && !call.force) {
        Print(err, kExists + call.project + kUseForce);
        return kDescribeRefused;
    }
    inference::ReportInference result;
    try {
        result = inference::InferReport(call.report);
    } catch (const Failure& failure) {
        Print(err, ReadFailure(failure, call.report) + "\n");
        return kDescribeRefused;
    }
    PrintFindings(err, result, call.report);
    if (!result.described) {
        Print(err, "В отчёте нет таблицы, которую можно описать: " + result.reason + ". Проект не записан.\n");
        return kDescribeRefused;
    }
    DocumentDescription& d = result.description;
    d.NameIn = StoredPath(call.report, call.project);
    d.NameOut = StoredPath(fs::path(call.report).replace_extension(".xlsx"), call.project);
    try {
        WriteProject(d, call.project, call.force);
    } catch (const Failure& failure) {
        return WriteFailure(failure, call.project, err);
    }
    Print(err, "Проект записан: " + call.project + "\n");
    return kDescribeWritten;
}

}  // namespace

// What the system refuses anywhere on the way is the call's failure, status 1, with
// the file and the reason, never a program error.
int RunDescribe(const std::vector<std::string>& arguments, std::FILE* err) {
    try {
        return Describe(arguments, err);
    } catch (const std::bad_alloc&) {
        Print(err, "Недостаточно памяти, чтобы описать отчёт\n");
    } catch (const fs::filesystem_error& e) {
        Print(err, "Не удалось обратиться к файлу «" + e.path1().string() + "»: " + SystemReason(e.code().value()) + "\n");
    }
    return kDescribeRefused;
}

}  // namespace tabulizer
