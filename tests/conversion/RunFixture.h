#pragma once
// A conversion over a small CP1251 document written to a fresh temporary folder;
// the in-memory workbook is dumped before it is closed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../support/TempDir.h"
#include "../support/DumpText.h"
#include "../support/ScriptedHost.h"
#include "common/Cp1251.h"
#include "conversion/ConversionRun.h"
#include "conversion/frmTabulizer.h"

namespace tabulizer::test {

// The conversion window's report of a failure with `code`.
inline std::string FailureReport(int code) {
    return "Ошибка при выполнении программы Tabulizer ! \n          Код ошибки  Visual Basic: " + std::to_string(code);
}

class RunTest : public ::testing::Test {
protected:
    void SetUp() override {
        d.InitFontsAndMerges();
        d.Code = true;  // the test documents are written in CP1251
        d.MaxLStr = 20;
        d.EndTitle = 1;
        d.EndCap = 1;
        d.EtalStrN = 1;
        SetColumns({5, 12, 20});
        d.NameIn = (dir / "in.txt").string();
        d.NameOut = (dir / "out.xlsx").string();
    }

    void SetColumns(const std::vector<i16>& ends) {
        d.EndPoz = {};
        d.EndPoz[0] = static_cast<i16>(ends.size());
        for (size_t i = 0; i < ends.size(); ++i) d.EndPoz[i + 1] = ends[i];
    }
    void Separators(const std::vector<std::string>& patterns) {
        d.CountSepL = static_cast<i16>(patterns.size());
        for (size_t i = 0; i < patterns.size(); ++i) d.SepStr[i] = Utf8ToCp1251(patterns[i]);
    }
    void Input(const std::vector<std::string>& utf8Lines) {
        std::ofstream out(d.NameIn, std::ios::binary);
        for (const auto& line : utf8Lines) out << Utf8ToCp1251(line) << "\r\n";
    }

    // Runs the conversion and returns the dump of the workbook as it stands at the end.
    std::string Convert() {
        ConversionRun conversion(d, run, host);
        result = conversion.Execute();
        std::string dump = conversion.context().app().Dump();
        conversion.CloseAndQuit();
        return dump;
    }

    // Runs the conversion window as the program does; returns the exit status.
    int RunWindow() {
        frmTabulizer window(d, run, host);
        return RunWindow(window);
    }
    int RunWindow(frmTabulizer& window) {
        try {
            window.Form_Load();
        } catch (const ui::ProgramExit& exit) {
            return exit.status;
        }
        return -1;
    }

    // A document line of three columns (ends 5, 12, 20) from its cell texts.
    static std::string Cols(const std::string& a, const std::string& b = "", const std::string& c = "") {
        auto pad = [](std::string text, size_t width) {
            size_t chars = Utf8ToCp1251(text).size();
            return chars < width ? text + std::string(width - chars, ' ') : text;
        };
        return pad(a, 5) + pad(b, 7) + c;
    }
    DocumentDescription d;
    RunState run;
    ScriptedHost host;
    TempDir temp{"tabulizer-run"};
    const std::filesystem::path& dir = temp.path();
    ConversionRun::Result result{};
};

}  // namespace tabulizer::test
