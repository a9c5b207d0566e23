#pragma once
// A start window and its wizard over a scripted host, in a fresh temporary folder
// where the tests write projects (CP1251, as stored projects are) and documents.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "../support/TempDir.h"
#include "../support/ScriptedHost.h"
#include "common/Cp1251.h"
#include "shell/frmBegin.h"
#include "shell/frmOpenFile.h"

namespace tabulizer::test {

class ShellTest : public ::testing::Test {
protected:
    // Empties the test's folder, for tests that run several cases in turn.
    void ClearDir() const {
        for (const auto& entry : std::filesystem::directory_iterator(dir)) std::filesystem::remove_all(entry.path());
    }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    std::string Write(const std::string& name, const std::string& utf8) const {
        std::ofstream(dir / name, std::ios::binary) << Utf8ToCp1251(utf8);
        return Path(name);
    }
    std::string Project(const std::string& nameIn, const std::string& nameOut) const {
        return Write("p.ini", "[Tabulizer]\nVersion=1\n[General]\nNameIn=" + nameIn + "\nNameOut=" + nameOut + "\n");
    }
    // The sample project beside its document, with `from` replaced by `to`.
    std::string SampleProject(const std::string& from = "", const std::string& to = "") const {
        const std::filesystem::path examples(TABULIZER_EXAMPLES);
        std::filesystem::copy_file(examples / "ved.txt", dir / "ved.txt");
        std::stringstream content;
        content << std::ifstream(examples / "ved.ini", std::ios::binary).rdbuf();
        std::string text = content.str();
        if (!from.empty()) text.replace(text.find(from), from.size(), to);
        std::ofstream(dir / "ved.ini", std::ios::binary) << text;
        return Path("ved.ini");
    }

    // The start window with `commandLine`; the steps beyond the wizard are recorded.
    void Start(const std::string& commandLine = "", OsVersion version = {6, 8}) {
        start.emplace(description, run, host, commandLine, [version] { return version; });
        start->OnWizardCreated = [this](frmOpenFile& wizard) {
            wizard.OpenEditor = [this] { host.events.push_back("editor"); };
            wizard.OpenConversion = [this] { host.events.push_back("conversion"); };
        };
    }
    // Runs the start-up; the exit status, or nullopt when the program goes on.
    std::optional<int> Load() {
        try {
            start->Form_Load();
        } catch (const ui::ProgramExit& exit) {
            return exit.status;
        }
        return std::nullopt;
    }
    frmOpenFile& Wizard() { return start->OpenFile(); }

    frmOpenFile& Begin(ui::Control frmBegin::*button) {
        Start();
        Load();
        ((*start).*button).Click();
        return Wizard();
    }
    // Types `text` into `box` and presses Enter; the box's text afterwards.
    static std::string Enter(ui::Control& box, const std::string& text) {
        box.SetText(text);
        box.PressEnter();
        return box.Text();
    }
    bool Happened(const std::string& event) const {
        return std::find(host.events.begin(), host.events.end(), event) != host.events.end();
    }

    TempDir temp{"tabulizer-shell"};
    const std::filesystem::path& dir = temp.path();
    ScriptedHost host;
    DocumentDescription description;
    RunState run;
    std::optional<frmBegin> start;
};

}  // namespace tabulizer::test
