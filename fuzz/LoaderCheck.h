#pragma once
// One loader input: the bytes become the project file, which is loaded as the
// wizard loads it (interactive, then in batch mode) and read key by key. Returns
// what is wrong with the outcome; empty when everything is sane.
#include <string>
#include <string_view>

#include "DescriptionChecks.h"
#include "Files.h"
#include "FuzzHost.h"
#include "description/IniFile.h"
#include "description/ProjectLoader.h"

namespace tabulizer::fuzz {

inline const std::string kReportStart = "Ошибка файла описания проекта !\nСекция: ";
inline const std::string kNoIdentifier =
    kReportStart + "Tabulizer  Параметр: Version - Отсутствует идентификатор проекта !";
inline const std::string kModifyQuestion = "В параметрах описания файла обнаружены ошибки !\nМодифицировать проект ?";

// The boxes a load showed must fit its outcome.
inline void CheckBoxes(LoadOutcome outcome, const std::vector<std::string>& boxes, Problems& problems) {
    switch (outcome) {
    case LoadOutcome::NoIdentifier:
        Expect(boxes == std::vector<std::string>{kNoIdentifier}, "missing identifier not reported alone", problems);
        return;
    case LoadOutcome::Clean: Expect(boxes.empty(), "clean load showed a box", problems); return;
    case LoadOutcome::ModifyYes:
    case LoadOutcome::ModifyNo: break;
    }
    Expect(boxes.size() >= 2 && boxes.back() == kModifyQuestion, "reports not followed by the question", problems);
    for (std::size_t i = 0; i + 1 < boxes.size(); ++i)
        Expect(boxes[i].starts_with(kReportStart), "report without its heading: " + boxes[i], problems);
}

inline LoadOutcome LoadInteractive(const std::string& path, DocumentDescription& d, FuzzHost& host) {
    d.InitFontsAndMerges();
    RunState run;
    run.NameIni = path;
    return LoadProject(d, run, host);
}

// In batch mode the first report ends the program, and only a report does.
inline void CheckBatch(const std::string& path, LoadOutcome interactive, Problems& problems) {
    DocumentDescription d;
    d.InitFontsAndMerges();
    RunState run;
    run.NameIni = path;
    run.Batch = true;
    FuzzHost host;
    try {
        LoadOutcome outcome = LoadProject(d, run, host);
        Expect(outcome == LoadOutcome::Clean && interactive == LoadOutcome::Clean && host.boxes.empty(),
               "batch load went on after a report", problems);
    } catch (const ui::ProgramExit& exit) {
        Expect(exit.status != 0 && host.boxes.size() == 1 && interactive != LoadOutcome::Clean,
               "batch load ended wrongly", problems);
    }
}

// ReadIniValue reads the file as the parser of its text does, within the value rules.
inline void CheckValues(const std::string& path, std::string_view bytes, Problems& problems) {
    // Something outside the harness touching the file would pass for a reader fault.
    if (ReadFile(path) != bytes) {
        problems.push_back("the project file changed under the harness");
        return;
    }
    static const std::pair<const char*, const char*> kKeys[] = {
        {"Tabulizer", "Version"}, {"General", "NameIn"},  {"General", "NameOut"}, {"General", "OpenExcel"},
        {"Horizon", "EtalStr"},   {"Horizon", "R0"},      {"Vertical", "EndPoz"}, {"Horizon", " fontcap "},
    };
    IniFile parsed = IniFile::Parse(bytes);
    for (auto [section, key] : kKeys) {
        std::string value = ReadIniValue(path, section, key);
        Expect(value == parsed.Value(section, key), std::string("file and text differ at ") + key, problems);
        Expect(value.size() <= IniFile::kMaxValueLength, std::string("value too long at ") + key, problems);
        Expect(value.find_first_of("\r\n") == std::string::npos, std::string("line end in ") + key, problems);
    }
}

inline Problems CheckLoaderInput(std::string_view bytes, const std::string& path) {
    Problems problems;
    WriteFile(path, bytes);
    DocumentDescription d;
    FuzzHost host;
    LoadOutcome outcome;
    try {
        outcome = LoadInteractive(path, d, host);
        CheckBatch(path, outcome, problems);
        CheckValues(path, bytes, problems);
    } catch (const std::exception& e) {
        problems.push_back(std::string("loader threw: ") + e.what());
        return problems;
    }
    CheckBoxes(outcome, host.boxes, problems);
    CheckBounds(d, problems);
    if (outcome == LoadOutcome::Clean) CheckClean(d, problems);
    return problems;
}

}  // namespace tabulizer::fuzz
