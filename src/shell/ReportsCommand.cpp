#include "shell/ReportsCommand.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <system_error>

#include "common/Failure.h"
#include "conversion/frmTabulizer.h"
#include "description/ProjectLoader.h"
#include "shell/FileChecks.h"
#include "shell/ReportPool.h"
#include "shell/ShellStatus.h"
#include "shell/StandardOutput.h"
#include "shell/frmBegin.h"
#include "shell/frmOpenFile.h"
#include "ui/ConsoleHost.h"

namespace tabulizer {
namespace {

namespace fs = std::filesystem;

constexpr const char* kUsageLine =
    "Использование: tabulizer --project ПРОЕКТ.ini [--output-dir ПАПКА | --output ФАЙЛ] [--jobs N]\n"
    "                         [--flat] [--csv | --csv-excel] [ОТЧЁТ...]\n";

// Batch messages of one named report begin with its path, so that they can be told
// apart when many reports are converted at once.
class ReportHost : public ui::ConsoleHost {
public:
    explicit ReportHost(std::string report) : report_(std::move(report)) {}
    ui::Answer MessageBox(std::string_view text, ui::Buttons buttons, ui::Icon icon) override {
        return ConsoleHost::MessageBox(report_ + ": " + std::string(text), buttons, icon);
    }

private:
    std::string report_;
};

void ApplyOutputOptions(const ReportsCall& call, DocumentDescription& d, RunState& run) {
    d.Flat = d.Flat || call.flat;
    run.Csv = call.AnyCsv();
    run.CsvForSpreadsheet = call.csvExcel;
}

int Finish(int status, const StandardOutput& out) {
    if (status != 0) return status;
    if (std::string failure = out.CopyOut(); !failure.empty()) {
        std::fprintf(stderr, "%s\n", failure.c_str());
        return kBatchFailureStatus;
    }
    return status;
}

// A refusal of batch mode: the message, its detail line, the end.
[[noreturn]] void Refuse(ui::Host& host, std::string_view message, const std::string& detail) {
    host.MessageBox(message, ui::Buttons::Ok);
    if (!detail.empty()) host.Explain(detail);
    host.EndProgram(kBatchFailureStatus);
}

// The files of one conversion: a readable project when `readProject`, the report
// and its output.
void RefuseUnsound(ui::Host& host, const std::string& project, bool readProject, const std::string& report,
                   const std::string& output) {
    RunFiles files;
    files.project = project;
    files.readProject = readProject;
    files.inputs = {report};
    files.outputs = {output};
    if (FileRefusal refusal = CheckRunFiles(files)) Refuse(host, refusal.message, refusal.detail);
}

// The files the call names, as far as they are known before a project is read,
// compared before anything starts; a report that cannot be read fails alone later.
// An output given by --output must end as what is written.
RunFiles CallFiles(const ReportsCall& call) {
    RunFiles files;
    files.project = call.project;
    files.inputs = call.reports;
    files.readInputs = false;
    if (call.output == "-") return files;
    if (!call.output.empty()) {
        files.outputs = {call.output};
        files.extensions = {call.Extension()};
    } else {
        for (const std::string& report : call.reports) files.outputs.push_back(call.OutputFor(report));
    }
    return files;
}

// The project's own report (NameIn), through the wizard exactly as in batch mode;
// only the output options differ.
int ConvertProjectReport(const ReportsCall& call) {
    StandardOutput out(call.output, call.Extension());
    ui::ConsoleHost host;
    DocumentDescription& d = Description();
    RunState& run = Run();
    std::unique_ptr<frmTabulizer> conversion;
    frmBegin start(d, run, host, call.project);
    start.OnWizardCreated = [&](frmOpenFile& wizard) {
        wizard.OpenConversion = [&] {
            ApplyOutputOptions(call, d, run);
            if (!call.output.empty()) d.NameOut = out.Path(call.output);
            else if (!call.outputDir.empty()) d.NameOut = call.OutputFor(d.NameIn);
            else if (call.AnyCsv()) d.NameOut = fs::path(d.NameOut).replace_extension(".csv").string();
            // The wizard checked the project's own output; the one that replaced it is checked here.
            RefuseUnsound(host, call.project, false, d.NameIn, d.NameOut);
            conversion = std::make_unique<frmTabulizer>(d, run, host);
            conversion->Form_Load();
        };
    };
    try {
        start.Form_Load();
    } catch (const ui::ProgramExit& exit) {
        return Finish(exit.status, out);
    }
    return kBatchFailureStatus;  // Form_Load of batch mode always ends the program
}

// One named report with the project's description; its NameIn and NameOut are not used.
void ConvertNamedReport(const ReportsCall& call, const std::string& report, const std::string& output,
                        ui::Host& host) {
    DocumentDescription& d = Description();
    RunState& run = Run();
    run.Batch = true;
    run.NameIni = call.project;
    RefuseUnsound(host, call.project, true, report, output);
    if (LoadProject(d, run, host) != LoadOutcome::Clean) host.EndProgram(kBatchFailureStatus);
    ApplyOutputOptions(call, d, run);
    d.NameIn = report;
    d.NameOut = output;
    d.NoClose = false;
    std::error_code error;
    run.Overwrite = fs::exists(output, error);
    frmTabulizer conversion(d, run, host);
    conversion.Form_Load();
}

int ConvertOneReport(const ReportsCall& call) {
    const std::string& report = call.reports.front();
    StandardOutput out(call.output, call.Extension());
    ReportHost host(report);
    try {
        ConvertNamedReport(call, report, call.output.empty() ? call.OutputFor(report) : out.Path(call.output), host);
    } catch (const ui::ProgramExit& exit) {
        return Finish(exit.status, out);
    }
    return kBatchFailureStatus;
}

}  // namespace

int RunReports(const std::vector<std::string>& arguments, std::string_view usage) {
    ReportsCall call = ParseReportsCall(arguments);
    if (call.help) {
        std::fwrite(usage.data(), 1, usage.size(), stdout);
        return 0;
    }
    if (!call.error.empty()) {
        std::fprintf(stderr, "tabulizer: %s\n%s", call.error.c_str(), kUsageLine);
        return kReportsWrongCall;
    }
    std::error_code error;
    if (!call.outputDir.empty() && !fs::is_directory(call.outputDir, error)) {
        std::fprintf(stderr, "Папка для выходных файлов не найдена: %s\n", call.outputDir.c_str());
        return kBatchFailureStatus;
    }
    // Nothing starts when an output would replace an input, the project or another
    // output, however the paths are spelt.
    if (FileRefusal refusal = CheckRunFiles(CallFiles(call))) {
        std::fprintf(stderr, "%s\n%s\n", refusal.message.c_str(), refusal.detail.c_str());
        return kBatchFailureStatus;
    }
    try {
        if (call.reports.empty()) return ConvertProjectReport(call);
        if (call.reports.size() == 1) return ConvertOneReport(call);
    } catch (const Failure& failure) {  // the folder for standard output was not made
        std::fprintf(stderr, "%s\n", failure.detail().c_str());
        return kBatchFailureStatus;
    }
    return ConvertInChildren(call);
}

}  // namespace tabulizer
