#include "shell/ReportsCommand.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <system_error>

#include "conversion/frmTabulizer.h"
#include "description/ProjectLoader.h"
#include "shell/FileChecks.h"
#include "shell/ReportPool.h"
#include "shell/ShellStatus.h"
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

// Standard output as the output file: the conversion writes a temporary file,
// which is copied out once it is complete.
class StandardOutput {
public:
    explicit StandardOutput(const std::string& output) {
        if (output != "-") return;
        std::string pattern = (fs::temp_directory_path() / "tabulizer-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
        folder_ = pattern;
    }
    ~StandardOutput() {
        std::error_code ignored;
        if (!folder_.empty()) fs::remove_all(folder_, ignored);
    }
    std::string Path(const std::string& output, const std::string& extension) const {
        return folder_.empty() ? output : (fs::path(folder_) / ("out" + extension)).string();
    }
    // After a saved conversion; false when the copy failed.
    bool CopyOut(const std::string& extension) const {
        if (folder_.empty()) return true;
        std::ifstream in(fs::path(folder_) / ("out" + extension), std::ios::binary);
        std::cout << in.rdbuf();
        std::cout.flush();
        return in && std::cout;
    }

private:
    std::string folder_;
};

void ApplyOutputOptions(const ReportsCall& call, DocumentDescription& d, RunState& run) {
    d.Flat = d.Flat || call.flat;
    run.Csv = call.AnyCsv();
    run.CsvForSpreadsheet = call.csvExcel;
}

int Finish(int status, const StandardOutput& out, const ReportsCall& call) {
    if (status == 0 && !out.CopyOut(call.Extension())) {
        std::fputs("tabulizer: не удалось вывести результат в стандартный поток вывода\n", stderr);
        return kBatchFailureStatus;
    }
    return status;
}

// The project's own report (NameIn), through the wizard exactly as in batch mode;
// only the output options differ.
int ConvertProjectReport(const ReportsCall& call) {
    StandardOutput out(call.output);
    ui::ConsoleHost host;
    DocumentDescription& d = Description();
    RunState& run = Run();
    std::unique_ptr<frmTabulizer> conversion;
    frmBegin start(d, run, host, call.project);
    start.OnWizardCreated = [&](frmOpenFile& wizard) {
        wizard.OpenConversion = [&] {
            ApplyOutputOptions(call, d, run);
            if (!call.output.empty()) d.NameOut = out.Path(call.output, call.Extension());
            else if (!call.outputDir.empty()) d.NameOut = call.OutputFor(d.NameIn);
            else if (call.AnyCsv()) d.NameOut = fs::path(d.NameOut).replace_extension(".csv").string();
            conversion = std::make_unique<frmTabulizer>(d, run, host);
            conversion->Form_Load();
        };
    };
    try {
        start.Form_Load();
    } catch (const ui::ProgramExit& exit) {
        return Finish(exit.status, out, call);
    }
    return kBatchFailureStatus;  // Form_Load of batch mode always ends the program
}

// A refusal of batch mode: the message, its detail line, the end.
[[noreturn]] void Refuse(ui::Host& host, std::string_view message, const std::string& detail) {
    host.MessageBox(message, ui::Buttons::Ok);
    if (!detail.empty()) host.Explain(detail);
    host.EndProgram(kBatchFailureStatus);
}

// One named report with the project's description; its NameIn and NameOut are not used.
void ConvertNamedReport(const ReportsCall& call, const std::string& report, const std::string& output,
                        ui::Host& host) {
    DocumentDescription& d = Description();
    RunState& run = Run();
    run.Batch = true;
    run.NameIni = call.project;
    if (std::string reason = UnreadableReason(call.project); !reason.empty())
        Refuse(host, "      Пакетная обработка !\nУказанный файл проекта не найден !", ReadDetail(call.project, reason));
    if (LoadProject(d, run, host) != LoadOutcome::Clean) host.EndProgram(kBatchFailureStatus);
    ApplyOutputOptions(call, d, run);
    d.NameIn = report;
    d.NameOut = output;
    d.NoClose = false;
    if (std::string reason = UnreadableReason(report); !reason.empty())
        Refuse(host, "Файл входного документа не найден !", ReadDetail(report, reason));
    if (SameFile(output, report))
        Refuse(host, "Файл выходного документа совпадает с файлом входного документа !",
               WriteDetail(output, "это файл входного документа «" + report + "»"));
    if (std::string reason = UnreplaceableReason(output); !reason.empty())
        Refuse(host, "Файл выходного документа не может быть записан !", WriteDetail(output, reason));
    std::error_code error;
    run.Overwrite = fs::exists(output, error);
    frmTabulizer conversion(d, run, host);
    conversion.Form_Load();
}

int ConvertOneReport(const ReportsCall& call) {
    const std::string& report = call.reports.front();
    StandardOutput out(call.output);
    ReportHost host(report);
    try {
        ConvertNamedReport(call, report, call.output.empty() ? call.OutputFor(report)
                                                             : out.Path(call.output, call.Extension()),
                           host);
    } catch (const ui::ProgramExit& exit) {
        return Finish(exit.status, out, call);
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
    if (call.reports.empty()) return ConvertProjectReport(call);
    if (call.reports.size() == 1) return ConvertOneReport(call);
    return ConvertInChildren(call);
}

}  // namespace tabulizer
