#pragma once
// The file wizard: collects the input document, the project file and the output
// workbook, then opens the editor (new project) or loads the project and opens the
// editor or the conversion (existing project). In batch mode the start window drives
// it without a user, and every failure ends the program.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "description/DocumentDescription.h"
#include "ui/Controls.h"
#include "ui/Host.h"

namespace tabulizer {

class frmOpenFile : public ui::Window {
public:
    // `startWindow` is shown again by BackFr.
    frmOpenFile(DocumentDescription& description, RunState& run, ui::Host& host, ui::Window& startWindow);
    ~frmOpenFile() override;

    // Runs once, when the window is created.
    void Form_Load();

    // Steps that lie outside the wizard, given by the program's wiring (app/).
    std::function<void()> OpenEditor;
    std::function<void()> OpenConversion;

    // Returns false when the text of `box` is refused or empty; may append `ext`.
    bool CheckExt(ui::Control& box, std::string_view ext);

    void txtInDoc_Click();
    void txtInDoc_Change();
    void txtInDoc_KeyPress();  // the Enter key
    void ButInDoc_Click();
    void txtIniDoc_Click();
    void txtIniDoc_Change();
    void txtIniDoc_KeyPress();
    void ButIniDoc_Click();
    void txtOutDoc_Click();
    void txtOutDoc_Change();
    void txtOutDoc_KeyPress();
    void ButOutDoc_Click();
    void CBoxNoClose_Click();
    void optModYes_Click();
    void NextFr_Click();
    void BackFr_Click();
    void ButExit_Click();

    static constexpr std::string_view kInDocPrompt = "Маршрут и имя файла входного документа";
    static constexpr std::string_view kIniDocPrompt = "Маршрут и имя INI-файла";
    static constexpr std::string_view kOutDocPrompt = "Маршрут и имя файла выходного документа";
    static constexpr std::string_view kNoTableFound =
        "В документе не распознана таблица !\nОписание документа задаётся с начала.";
    static constexpr std::string_view kReplaceMarks =
        "Элементы документа уже указаны !\nРазметить документ автоматически заново ?";

    using Kind = ui::ControlKind;
    ui::Control frInDoc{*this, Kind::Panel, "frInDoc"};
    ui::Control lbInDoc{*this, Kind::Label, "lbInDoc", &frInDoc};
    ui::Control txtInDoc{*this, Kind::TextBox, "txtInDoc", &frInDoc};
    ui::Control ButInDoc{*this, Kind::Button, "ButInDoc", &frInDoc};
    ui::Control frIniDoc{*this, Kind::Panel, "frIniDoc"};
    ui::Control lbIniFile{*this, Kind::Label, "lbIniFile", &frIniDoc};
    ui::Control txtIniDoc{*this, Kind::TextBox, "txtIniDoc", &frIniDoc};
    ui::Control ButIniDoc{*this, Kind::Button, "ButIniDoc", &frIniDoc};
    ui::Control frOutDoc{*this, Kind::Panel, "frOutDoc"};
    ui::Control lbOutDoc{*this, Kind::Label, "lbOutDoc", &frOutDoc};
    ui::Control txtOutDoc{*this, Kind::TextBox, "txtOutDoc", &frOutDoc};
    ui::Control ButOutDoc{*this, Kind::Button, "ButOutDoc", &frOutDoc};
    ui::Control CBoxNoClose{*this, Kind::CheckBox, "CBoxNoClose"};
    // A new project only: the report is described from its own text before the editor opens.
    ui::Control CBoxAutoMark{*this, Kind::CheckBox, "CBoxAutoMark"};
    ui::Control frGroupProj{*this, Kind::Panel, "frGroupProj"};
    ui::Control lbSaveName{*this, Kind::Label, "lbSaveName", &frGroupProj};
    ui::Control optGrPrYes{*this, Kind::OptionButton, "optGrPrYes", &frGroupProj};
    ui::Control optGrPrNo{*this, Kind::OptionButton, "optGrPrNo", &frGroupProj};
    ui::Control frModIni{*this, Kind::Panel, "frModIni"};
    ui::Control lbMogIni{*this, Kind::Label, "lbMogIni", &frModIni};
    ui::Control optModYes{*this, Kind::OptionButton, "optModYes", &frModIni};
    ui::Control optModNo{*this, Kind::OptionButton, "optModNo", &frModIni};
    ui::Control BackFr{*this, Kind::Button, "BackFr"};
    ui::Control NextFr{*this, Kind::Button, "NextFr"};
    ui::Control ButExit{*this, Kind::Button, "ButExit"};

private:
    enum class DialogKind { Open, Save };

    void SetUpControls();
    void LayOut();
    void WireHandlers();
    void BrowseFile(std::string_view title, DialogKind kind, std::string& target);
    std::string ProjectPath(std::string_view key) const;
    void AcceptExistingProject();
    void AcceptProjectPaths();
    void BatchContinue();
    void Report(std::string_view message, std::string_view detail = {});
    void RunLoader();
    void PrepareNewDescription();
    void StartEmptyDescription();

    DocumentDescription& description_;
    RunState& run_;
    ui::Host& host_;
    ui::Window& startWindow_;
    std::string dialogFilter_;  // of the next file dialog
    std::string inferredReport_;  // the report last inferred (path, size, time); empty: none
};

}  // namespace tabulizer
