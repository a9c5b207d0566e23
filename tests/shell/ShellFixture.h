#pragma once
// A start window and its wizard over a scripted host, in a fresh temporary folder
// where the tests write projects (CP1251, as stored projects are) and documents.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "common/Cp1251.h"
#include "description/DocumentDescription.h"
#include "shell/frmBegin.h"
#include "shell/frmOpenFile.h"
#include "../support/ScriptedHost.h"

namespace tabulizer::test {

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("tabulizer-shell-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string Path(const std::string& name) const { return (dir / name).string(); }

    std::string Write(const std::string& name, const std::string& utf8) const {
        std::ofstream(dir / name, std::ios::binary) << Utf8ToCp1251(utf8);
        return Path(name);
    }

    // A project naming `nameIn` and `nameOut`, with `rest` appended to [General].
    std::string Project(const std::string& nameIn, const std::string& nameOut, const std::string& rest = "") {
        return Write("p.ini", "[Tabulizer]\nVersion=1\n[General]\nNameIn=" + nameIn + "\nNameOut=" + nameOut +
                                  "\n" + rest);
    }

    // The start window with `commandLine`; the steps beyond the wizard are recorded.
    frmBegin& Start(const std::string& commandLine = "", OsVersion version = {6, 8}) {
        start.emplace(description, run, host, commandLine, [version] { return version; });
        start->OnWizardCreated = [this](frmOpenFile& wizard) {
            wizard.OpenEditor = [this] { host.events.push_back("editor"); };
            wizard.OpenConversion = [this] { host.events.push_back("conversion"); };
        };
        return *start;
    }

    // Runs the start-up and returns the exit status, or nullopt when it did not end.
    std::optional<int> Load() {
        try {
            start->Form_Load();
        } catch (const ui::ProgramExit& exit) {
            return exit.status;
        }
        return std::nullopt;
    }

    frmOpenFile& Wizard() { return start->OpenFile(); }

    bool Happened(const std::string& event) const {
        return std::find(host.events.begin(), host.events.end(), event) != host.events.end();
    }

    std::filesystem::path dir;
    ScriptedHost host;
    DocumentDescription description;
    RunState run;
    std::optional<frmBegin> start;
};

}  // namespace tabulizer::test
