#include "app/ProgramWindows.h"

#include "conversion/frmTabulizer.h"
#include "editor/frmAddPar.h"
#include "editor/frmParDoc.h"
#include "help/frmHelp.h"
#include "shell/ShellStatus.h"
#include "shell/frmBegin.h"
#include "shell/frmOpenFile.h"

namespace tabulizer::app {

ProgramWindows::ProgramWindows(DocumentDescription& description, RunState& run, ui::Host& host,
                               std::string commandLine, VersionSource versionSource)
    : description_(description),
      run_(run),
      host_(host),
      start_(std::make_unique<frmBegin>(description, run, host, std::move(commandLine), std::move(versionSource))) {
    start_->OnWizardCreated = [this](frmOpenFile& wizard) { WireWizard(wizard); };
}

ProgramWindows::~ProgramWindows() = default;

void ProgramWindows::Start() { start_->Form_Load(); }

void ProgramWindows::WireWizard(frmOpenFile& wizard) {
    wizard.OpenEditor = [this] { OpenEditor(); };
    wizard.OpenConversion = [this] { OpenConversion(); };
}

// A batch run has no user to answer the editor: a project that needs it fails.
void ProgramWindows::OpenEditor() {
    if (run_.Batch) host_.EndProgram(kBatchFailureStatus);
    if (!editor_) MakeEditor();
    editor_->Form_Load();
}

// The editor is made once and loaded again after each return to the wizard, which
// keeps what the user entered there.
void ProgramWindows::MakeEditor() {
    editor_ = std::make_unique<frmParDoc>(description_, run_, host_);
    editor_->OpenConversion = [this] { OpenConversion(); };
    editor_->ReturnToWizard = [this] {
        CloseSecondaryWindows();
        host_.Show(start_->OpenFile());
    };
    editor_->ShowHelp = [this] { ShowHelp(); };
    editor_->UnloadHelp = [this] { CloseSecondaryWindows(); };
    editor_->ShowOptions = [this] { ShowOptions(); };
    // The help window shows the topic of the editor's step: it follows every step shown.
    editor_->StepChanged = [this] {
        if (help_ && editor_->Visible) help_->StepChanged();
    };
}

void ProgramWindows::ShowHelp() {
    if (!help_) {
        help_ = std::make_unique<frmHelp>(run_, host_);
        if (OnSecondaryWindow) OnSecondaryWindow(*help_);
    }
    help_->ShowHelp();
}

void ProgramWindows::ShowOptions() {
    if (!options_) {
        options_ = std::make_unique<frmAddPar>(description_, host_);
        if (OnSecondaryWindow) OnSecondaryWindow(*options_);
    }
    options_->ShowDialog();
}

void ProgramWindows::CloseSecondaryWindows() {
    if (help_) help_->UnloadHelp();
    if (options_) options_->CloseDialog();
}

// Loading the conversion window shows it (minimised in batch mode) and runs the
// conversion, which ends the program.
void ProgramWindows::OpenConversion() {
    conversion_ = std::make_unique<frmTabulizer>(description_, run_, host_);
    conversion_->Form_Load();
}

}  // namespace tabulizer::app
