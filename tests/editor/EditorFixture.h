#pragma once
// An editor over a scripted host and a document written into a fresh folder, with
// a text dump of its view so that tests read what a user would see.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "../support/ScriptedHost.h"
#include "../support/TempDir.h"
#include "common/Cp1251.h"
#include "description/ProjectLoader.h"
#include "editor/ItemText.h"
#include "editor/frmParDoc.h"

namespace tabulizer::test {

using Texts = std::vector<std::string>;

class EditorTest : public ::testing::Test {
protected:
    // The document as bytes, one line per entry, CR LF line ends.
    std::string WriteDocument(const Texts& lines, const std::string& name = "doc.txt") const {
        std::ofstream out(dir / name, std::ios::binary);
        for (const auto& line : lines) out << line << "\r\n";
        return (dir / name).string();
    }
    // Lines "line 1", "line 2", ... of `count` lines.
    std::string NumberedDocument(int count) const {
        Texts lines;
        for (int i = 1; i <= count; ++i) lines.push_back("line " + std::to_string(i));
        return WriteDocument(lines);
    }
    // A sample project loaded as the wizard would load it.
    void LoadExample(const std::string& name) {
        const std::filesystem::path examples(TABULIZER_EXAMPLES);
        for (const char* ext : {".ini", ".txt"})
            std::filesystem::copy_file(examples / (name + ext), dir / (name + ext));
        d.InitFontsAndMerges();
        run.NameIni = (dir / (name + ".ini")).string();
        ASSERT_EQ(LoadProject(d, run, host), LoadOutcome::Clean);
        d.NameIn = (dir / (name + ".txt")).string();
    }

    frmParDoc& Open(const std::string& document, bool newProject) {
        d.NameIn = document;
        run.NewProject = newProject;
        editor.emplace(d, run, host);
        editor->OpenConversion = [this] { host.events.push_back("conversion"); };
        editor->ReturnToWizard = [this] { host.events.push_back("wizard"); };
        editor->UnloadHelp = [this] { host.events.push_back("unload help"); };
        editor->Form_Load();
        return *editor;
    }
    // Presses NextFr (as a user: only when it is enabled) until `step` (1-based) is shown.
    void Forward(int step) {
        while (run.CurStep + 1 < step) {
            ASSERT_TRUE(editor->NextFr.Enabled) << "step " << run.CurStep + 1;
            const i16 before = run.CurStep;
            editor->NextFr.Click();
            ASSERT_NE(run.CurStep, before) << "step " << run.CurStep + 1 << " refused to go on";
        }
    }
    void Back(int step) {
        while (run.CurStep + 1 > step) editor->BackFr.Click();
    }

    // Items as "text|cell|cell..."; character cells are joined without a bar.
    Texts Items() const {
        Texts rows;
        const bool chars = run.CurStep <= 6;
        for (const auto& item : editor->lstDoc.Items()) {
            std::string row = item.Text + "|";
            for (std::size_t i = 0; i < item.SubItems.size(); ++i)
                row += (chars || i == 0 ? "" : "|") + item.SubItems[i];
            rows.push_back(row);
        }
        return rows;
    }
    Texts ItemTexts() const {
        Texts texts;
        for (const auto& item : editor->lstDoc.Items()) texts.push_back(item.Text);
        return texts;
    }
    // Headers from `first` (1-based) as "text/width/image".
    Texts Headers(int first = 1, int last = 1000) const {
        Texts out;
        const auto& headers = editor->lstDoc.Headers();
        for (int i = first; i <= last && i <= static_cast<int>(headers.size()); ++i) {
            const auto& h = headers[i - 1];
            out.push_back(h.Text + "/" + std::to_string(h.Width) + "/" + h.Image);
        }
        return out;
    }
    // A user's click on the shown item of line `line`: a mouse press, then the item click.
    void ClickLine(int line) {
        const auto& items = editor->lstDoc.Items();
        for (std::size_t i = 0; i < items.size(); ++i)
            if (ItemLineNumber(items[i].Text) == line) {
                editor->lstDoc.MouseDown();
                editor->lstDoc.ItemClick(static_cast<int>(i) + 1);
                return;
            }
        FAIL() << "line " << line << " is not shown";
    }
    std::string Colors() const {
        auto name = [](int color) { return color == ui::kRed ? "red" : color == ui::kGreen ? "green" : "?"; };
        return std::string(name(editor->ButUp.BackColor)) + " " + name(editor->ButDown.BackColor);
    }

    TempDir temp{"tabulizer-editor"};
    const std::filesystem::path& dir = temp.path();
    ScriptedHost host;
    DocumentDescription d;
    RunState run;
    std::optional<frmParDoc> editor;
};

}  // namespace tabulizer::test
