#include "shell/ReportsCall.h"

#include <charconv>
#include <filesystem>

namespace tabulizer {
namespace {

namespace fs = std::filesystem;

constexpr int kMaxJobs = 256;

bool TakeValue(const std::vector<std::string>& arguments, std::size_t& i, std::string& value, ReportsCall& call) {
    if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
        call.error = "после " + arguments[i] + " нужно значение";
        return false;
    }
    value = arguments[++i];
    return true;
}

void TakeJobs(const std::string& text, ReportsCall& call) {
    int jobs = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), jobs);
    if (ec != std::errc() || end != text.data() + text.size() || jobs < 1 || jobs > kMaxJobs)
        call.error = "--jobs ждёт число от 1 до " + std::to_string(kMaxJobs) + ", а не «" + text + "»";
    else
        call.jobs = jobs;
}

void CheckCombination(ReportsCall& call) {
    if (call.project.empty()) call.error = "не указан файл проекта (--project ПРОЕКТ.ini)";
    else if (!call.output.empty() && !call.outputDir.empty()) call.error = "--output и --output-dir вместе не указываются";
    else if (call.csv && call.csvExcel) call.error = "--csv и --csv-excel вместе не указываются";
    else if (!call.output.empty() && call.reports.size() > 1)
        call.error = "--output называет выходной файл одного отчёта; для нескольких укажите --output-dir";
}

}  // namespace

std::string ReportsCall::OutputFor(const std::string& report) const {
    fs::path name = fs::path(report).filename().replace_extension(Extension());
    fs::path folder = outputDir.empty() ? fs::path(report).parent_path() : fs::path(outputDir);
    return (folder / name).string();
}

ReportsCall ParseReportsCall(const std::vector<std::string>& arguments) {
    ReportsCall call;
    bool options = true;
    for (std::size_t i = 0; i < arguments.size() && call.error.empty(); ++i) {
        const std::string& a = arguments[i];
        if (!options || a == "-" || !a.starts_with("-")) call.reports.push_back(a);
        else if (a == "--") options = false;
        else if (a == "--help" || a == "-h") call.help = true;
        else if (a == "--flat") call.flat = true;
        else if (a == "--csv") call.csv = true;
        else if (a == "--csv-excel") call.csvExcel = true;
        else if (a == "--project") TakeValue(arguments, i, call.project, call);
        else if (a == "--output-dir") TakeValue(arguments, i, call.outputDir, call);
        else if (a == "--output") TakeValue(arguments, i, call.output, call);
        else if (a == "--jobs") {
            std::string jobs;
            if (TakeValue(arguments, i, jobs, call)) TakeJobs(jobs, call);
        } else
            call.error = "неизвестный параметр «" + a + "»";
    }
    if (call.error.empty() && !call.help) CheckCombination(call);
    return call;
}

}  // namespace tabulizer
