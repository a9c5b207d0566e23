#pragma once
// One inference input: the bytes are a report. The project inferred from it is
// written as `--describe` writes it, loaded back by the project loader (it must
// load without a report and into the same fields) and converted into a real
// workbook. Returns what is wrong with the outcome; empty when everything is sane.
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "RunCheck.h"
#include "conversion/inference/Inference.h"
#include "description/ProjectWriter.h"

namespace tabulizer::fuzz {

struct InferOutcome {
    Problems problems;
    bool described = false;
};

// The fields a project stores, read back as they were written.
inline void CheckSameFields(const DocumentDescription& written, const DocumentDescription& loaded, Problems& problems) {
    Expect(loaded.Code == written.Code && loaded.FormFeed == written.FormFeed, "code page or paging changed", problems);
    Expect(loaded.EtalStrN == written.EtalStrN && loaded.EtalStr == written.EtalStr, "reference line changed",
           problems);
    Expect(loaded.EndTitle == written.EndTitle && loaded.EndCap == written.EndCap, "title or cap changed", problems);
    Expect(loaded.MaxLStr == written.MaxLStr, "line length changed", problems);
    Expect(loaded.EndPoz == written.EndPoz && loaded.PozDiv == written.PozDiv, "columns changed", problems);
    Expect(loaded.CountSepL == written.CountSepL && loaded.CountFixLines == written.CountFixLines &&
               loaded.CountMerge == written.CountMerge,
           "separators, fixed lines or merges changed", problems);
}

inline void CheckConversion(DocumentDescription& d, const std::filesystem::path& folder, InferOutcome& out) {
    RunState run;
    FuzzHost host;
    RunReport report;
    ConversionRun::Result result{};
    d.NameIn = (folder / "in.txt").string();
    d.NameOut = (folder / "out.xlsx").string();
    Convert(d, run, host, report, result);
    out.problems.insert(out.problems.end(), report.problems.begin(), report.problems.end());
    // The project was made from this very report: nothing in it may stop its conversion.
    if (report.failureCode != 0) {
        out.problems.push_back("the conversion failed: " + std::to_string(report.failureCode) + " " +
                               report.failureText);
        return;
    }
    const bool saved = result == ConversionRun::Result::Saved && LooksLikeWorkbook(d.NameOut);
    Expect(saved, "no workbook saved", out.problems);
    if (saved) CheckWorkbookArchive(d.NameOut, out.problems);
}

inline InferOutcome CheckInferInput(std::string_view bytes, const std::filesystem::path& folder) {
    InferOutcome out;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string report = (folder / "in.txt").string(), project = (folder / "project.ini").string();
    WriteFile(report, bytes);
    try {
        inference::ReportInference inferred = inference::InferReport(report);
        out.described = inferred.described;
        Expect(inferred.described || !inferred.reason.empty(), "no table, and no reason given", out.problems);
        if (inferred.described) {
            DocumentDescription& d = inferred.description;
            d.NameIn = "in.txt";  // as --describe stores a report beside its project
            d.NameOut = "out.xlsx";
            WriteProject(d, project, false);
            DocumentDescription loaded;
            FuzzHost host;
            LoadOutcome outcome = LoadInteractive(project, loaded, host);
            Expect(outcome == LoadOutcome::Clean && host.boxes.empty(), "the written project did not load cleanly",
                   out.problems);
            CheckBounds(loaded, out.problems);
            if (outcome == LoadOutcome::Clean) {
                CheckClean(loaded, out.problems);
                CheckSameFields(d, loaded, out.problems);
            }
            if (out.problems.empty()) CheckConversion(loaded, folder, out);
        }
    } catch (const std::exception& e) {
        out.problems.push_back(std::string("threw: ") + e.what());
    }
    // The project and the workbook are the only files made.
    const std::set<std::string> allowed = {"in.txt", "project.ini", "out.xlsx", "tmp"};
    for (const std::string& name : FolderNames(folder))
        Expect(allowed.contains(name), "left a file behind: " + name, out.problems);
    for (const std::string& name : FolderNames(folder / "tmp"))
        Expect(false, "left a temporary file behind: " + name, out.problems);
    return out;
}

}  // namespace tabulizer::fuzz
