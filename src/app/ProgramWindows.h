#pragma once
// Which window opens which: the start window, the file wizard, the editor with its
// help and options windows beside it, and the conversion window. The windows know
// only the hand-over points they offer; this is where they are joined, the same
// for the windows and for batch mode.
#include <functional>
#include <memory>
#include <string>

#include "description/DocumentDescription.h"
#include "shell/OsVersion.h"
#include "ui/Controls.h"
#include "ui/Host.h"

namespace tabulizer {

class frmAddPar;
class frmBegin;
class frmHelp;
class frmOpenFile;
class frmParDoc;
class frmTabulizer;

namespace app {

class ProgramWindows {
public:
    // `commandLine` as frmBegin takes it (empty: the windows, else batch mode).
    ProgramWindows(DocumentDescription& description, RunState& run, ui::Host& host, std::string commandLine,
                   VersionSource versionSource = nullptr);
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // Loads the start window, which waits for the user or runs the batch.
    void Start();

    // Called once for each window that opens beside the editor (help, options).
    std::function<void(ui::Window&)> OnSecondaryWindow;

    // The windows, for a front end or a test; nullptr before they are first made.
    frmBegin& StartWindow() { return *start_; }
    frmParDoc* Editor() { return editor_.get(); }
    frmHelp* Help() { return help_.get(); }
    frmAddPar* Options() { return options_.get(); }
    frmTabulizer* Conversion() { return conversion_.get(); }

private:
    void WireWizard(frmOpenFile& wizard);
    void OpenEditor();
    void MakeEditor();
    void ShowHelp();
    void ShowOptions();
    void CloseSecondaryWindows();
    void OpenConversion();

    DocumentDescription& description_;
    RunState& run_;
    ui::Host& host_;
    // Made once, kept to the end: a window may still be inside one of its own
    // handlers when the program ends under it.
    std::unique_ptr<frmBegin> start_;
    std::unique_ptr<frmParDoc> editor_;
    std::unique_ptr<frmHelp> help_;
    std::unique_ptr<frmAddPar> options_;
    std::unique_ptr<frmTabulizer> conversion_;
};

}  // namespace app
}  // namespace tabulizer
