#pragma once
// Project files written into a temporary folder (CP1251, CR LF) and loaded into a
// fresh description with a scripted host.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "../support/TempDir.h"
#include "../support/ScriptedHost.h"
#include "common/Cp1251.h"
#include "description/ProjectLoader.h"

namespace tabulizer::test {

using Texts = std::vector<std::string>;

inline std::string Err(const std::string& section, const std::string& key, const std::string& message) {
    return "Ошибка файла описания проекта !\nСекция: " + section + "  Параметр: " + key + " - " + message;
}

class ProjectFixture : public ::testing::Test {
protected:
    TempDir temp{"tabulizer-desc"};
    const std::filesystem::path& dir = temp.path();
    DocumentDescription d;
    RunState run;
    ScriptedHost host;

    void SetUp() override {
        d.InitFontsAndMerges();
    }

    std::string WriteRaw(const std::string& bytes, const std::string& name = "p.ini") {
        std::string path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    // A valid project; extra lines stand first in their sections and so replace the
    // base keys of the same name (the first key wins).
    static std::string Project(const std::string& horizon = "", const std::string& vertical = "") {
        return "[Tabulizer]\nVersion=1\n[General]\nMaxLStr=80\n[Horizon]\n" + horizon +
               "EndTitle=3\nEndCap=6\nEtalStrN=2\nEtalStr=#ВЕДОМОСТЬ#\n[Vertical]\n" + vertical +
               "EndPoz=10,30,45,80\n";
    }
    LoadOutcome Load(const std::string& utf8) {
        std::string bytes;
        for (char c : Utf8ToCp1251(utf8)) bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
        run.NameIni = WriteRaw(bytes);
        return LoadProject(d, run, host);
    }
};

inline const std::string kQuestion = "В параметрах описания файла обнаружены ошибки !\nМодифицировать проект ?";

}  // namespace tabulizer::test
