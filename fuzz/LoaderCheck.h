#pragma once
// One loader input: the bytes become the project file, which is loaded as the
// wizard loads it (interactive, then in batch mode) and read key by key. Returns
// what is wrong with the outcome; empty when everything is sane.
#include <string>
#include <string_view>

#include "DescriptionChecks.h"
#include "Files.h"
#include "FuzzHost.h"
#include "WizardCheck.h"
#include "common/Cp1251.h"
#include "description/IniFile.h"
#include "description/ProjectEncoding.h"
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

inline const std::pair<const char*, const char*> kCheckedKeys[] = {
    {"Tabulizer", "Version"}, {"General", "NameIn"},  {"General", "NameOut"}, {"General", "OpenExcel"},
    {"Horizon", "EtalStr"},   {"Horizon", "R0"},      {"Vertical", "EndPoz"}, {"Horizon", " fontcap "},
};

// The text a UTF-8 editor would save from the same project (with a byte order
// mark) reads as the same values; a refused encoding reads as nothing.
inline void CheckUtf8Twin(const std::string& path, const DecodedProject& decoded, Problems& problems) {
    if (!decoded.problem.empty()) {
        Expect(ReadIniValue(path, "Tabulizer", "Version").empty(), "refused project read anyway", problems);
        return;
    }
    // NUL bytes moved by the longer UTF-8 characters could look like UTF-16.
    if (decoded.cp1251.find('\0') != std::string::npos) return;
    const std::string twin = path + ".utf8";
    WriteFile(twin, "\xEF\xBB\xBF" + Cp1251ToUtf8(decoded.cp1251));
    IniFile parsed = IniFile::Parse(decoded.cp1251), fromTwin = IniFile::Load(twin);
    for (auto [section, key] : kCheckedKeys)
        Expect(fromTwin.Value(section, key) == parsed.Value(section, key), std::string("UTF-8 twin differs at ") + key,
               problems);
    // Paths stored in it are used without a backslash, whatever their form.
    for (const char* key : {"NameIn", "NameOut"}) {
        StoredPath stored = ResolveStoredPath(path, Cp1251ToUtf8(parsed.Value("General", key)));
        Expect(stored.path.find('\\') == std::string::npos, std::string("backslash left in ") + key, problems);
    }
}

// ReadIniValue reads the file as the parser of its text does, within the value rules.
inline void CheckValues(const std::string& path, std::string_view bytes, Problems& problems) {
    // Something outside the harness touching the file would pass for a reader fault.
    if (ReadFile(path) != bytes) {
        problems.push_back("the project file changed under the harness");
        return;
    }
    DecodedProject decoded = DecodeProjectBytes(bytes);
    IniFile parsed = decoded.problem.empty() ? IniFile::Parse(decoded.cp1251) : IniFile();
    for (auto [section, key] : kCheckedKeys) {
        std::string value = ReadIniValue(path, section, key);
        Expect(value == parsed.Value(section, key), std::string("file and text differ at ") + key, problems);
        Expect(value.size() <= IniFile::kMaxValueLength, std::string("value too long at ") + key, problems);
        Expect(value.find_first_of("\r\n") == std::string::npos, std::string("line end in ") + key, problems);
    }
    CheckUtf8Twin(path, decoded, problems);
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
        CheckWizard(path, problems);
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
