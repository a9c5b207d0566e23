#pragma once
// One run input: the project derived from its header is loaded, and when the load
// is clean the document is converted into a real workbook in `folder`. Returns what
// is wrong with the outcome; empty when everything is sane.
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "ArchiveCheck.h"
#include "DescriptionChecks.h"
#include "Files.h"
#include "FuzzHost.h"
#include "LoaderCheck.h"
#include "ProjectFromBytes.h"
#include "WorkbookChecks.h"
#include "conversion/ConversionRun.h"

namespace tabulizer::fuzz {

struct RunReport {
    Problems problems;
    bool converted = false;    // the load was clean and the run was started
    int failureCode = 0;       // the Failure that ended the run, 0 = none
    std::string failureText;
};

inline const std::string kOldWorkbook = "the workbook of an earlier conversion";

inline bool KnownFailureCode(int code) {
    static const std::set<int> kCodes = {kOverflow,     kOutOfMemory,     kIndexOutOfRange, kFileNotFound,
                                         kDeviceIoError, kPathAccessError, kCannotWrite};
    return kCodes.contains(code);
}

// The run's own temporary folders (for a workbook handed to the desktop) go into
// `folder` while it lasts, where the check can see whether any is left behind.
class ScopedTempDir {
public:
    explicit ScopedTempDir(const std::filesystem::path& folder) {
        if (const char* old = std::getenv("TMPDIR")) old_ = old;
        std::filesystem::create_directories(folder);
        ::setenv("TMPDIR", folder.c_str(), 1);
    }
    ~ScopedTempDir() {
        if (old_) ::setenv("TMPDIR", old_->c_str(), 1);
        else ::unsetenv("TMPDIR");
    }
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;

private:
    std::optional<std::string> old_;
};

// Runs the conversion as the window does, recording how it ended.
inline void Convert(DocumentDescription& d, RunState& run, FuzzHost& host, RunReport& report,
                    ConversionRun::Result& result) {
    ScopedTempDir temp(std::filesystem::path(d.NameIn).parent_path() / "tmp");
    ConversionRun conversion(d, run, host);
    try {
        result = conversion.Execute();
        CheckWorkbookDump(conversion.context().app().Dump(), report.problems);
    } catch (const Failure& failure) {
        report.failureCode = failure.code();
        report.failureText = failure.what();
    } catch (const ui::ProgramExit& exit) {
        report.failureCode = -1;
        Expect(exit.status != 0, "the run ended the program with status 0", report.problems);
    } catch (const std::exception& e) {
        report.problems.push_back(std::string("the run threw: ") + e.what());
    }
    conversion.CloseAndQuit();
}

inline void CheckEnding(const RunInput& in, const std::filesystem::path& folder, const FuzzHost& host,
                        ConversionRun::Result result, RunReport& report) {
    Problems& problems = report.problems;
    const std::string out = (folder / (in.csv ? "out.csv" : "out.xlsx")).string();
    if (report.failureCode != 0) {
        Expect(report.failureCode < 0 || KnownFailureCode(report.failureCode),
               "unknown failure code " + std::to_string(report.failureCode), problems);
        // A failed run never destroys the workbook it was to replace.
        if (in.overwrite) Expect(ReadFile(out) == kOldWorkbook, "a failed run destroyed the old workbook", problems);
    } else if (problems.empty()) {
        Expect(result != ConversionRun::Result::Cancelled, "cancelled without a cancel", problems);
        if (in.noClose)
            Expect(result == ConversionRun::Result::HandedOver && host.handedOver == std::vector<bool>{true},
                   "the open workbook was not handed over", problems);
        else {
            const bool saved = result == ConversionRun::Result::Saved &&
                               (in.csv ? std::filesystem::is_regular_file(out) : LooksLikeWorkbook(out));
            Expect(saved, "no workbook saved", problems);
            if (saved && !in.csv) CheckWorkbookArchive(out, problems);
        }
    }
    // The workbook is the only file a conversion writes.
    std::set<std::string> allowed = {"project.ini", "in.txt", in.csv ? "out.csv" : "out.xlsx", "tmp"};
    for (const std::string& name : FolderNames(folder))
        Expect(allowed.contains(name), "the run left a file behind: " + name, problems);
    for (const std::string& name : FolderNames(folder / "tmp"))
        Expect(false, "the run left a temporary file behind: " + name, problems);
}

inline RunReport CheckRunInput(std::string_view bytes, const std::filesystem::path& folder) {
    RunReport report;
    RunInput in = MakeRunInput(bytes);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string project = (folder / "project.ini").string();
    WriteFile(project, in.project);
    WriteFile((folder / "in.txt").string(), in.document);

    DocumentDescription d;
    FuzzHost host;
    LoadOutcome outcome{};
    try {
        outcome = LoadInteractive(project, d, host);
    } catch (const std::exception& e) {
        report.problems.push_back(std::string("loader threw: ") + e.what());
        return report;
    }
    CheckBounds(d, report.problems);
    if (outcome != LoadOutcome::Clean || !report.problems.empty()) return report;

    RunState run;
    const std::string out = (folder / (in.csv ? "out.csv" : "out.xlsx")).string();
    d.NameIn = (folder / "in.txt").string();
    d.NoClose = in.noClose;
    d.Flat = d.Flat || in.flat;
    run.Csv = in.csv;
    if (!in.noClose) d.NameOut = out;
    if (in.overwrite) {
        WriteFile(out, kOldWorkbook);
        run.Overwrite = true;
    }
    report.converted = true;
    ConversionRun::Result result{};
    Convert(d, run, host, report, result);
    CheckEnding(in, folder, host, result, report);
    return report;
}

}  // namespace tabulizer::fuzz
