#pragma once
// The start window: chooses between a new description and an existing project, and,
// given a project path on the command line, runs the wizard in batch mode without
// showing any window.
#include <functional>
#include <memory>
#include <string>

#include "description/DocumentDescription.h"
#include "shell/OsVersion.h"
#include "ui/Controls.h"
#include "ui/Host.h"

namespace tabulizer {

class frmOpenFile;

class frmBegin : public ui::Window {
public:
    // `commandLine` is the whole argument text of the program (empty: interactive).
    // `versionSource` gives the version of an old Windows system whose font metrics
    // the editor and the help window allow for; there is none under Linux (no
    // source: OldWindows stays false), so only tests give one.
    frmBegin(DocumentDescription& description, RunState& run, ui::Host& host, std::string commandLine,
             VersionSource versionSource = nullptr);
    ~frmBegin() override;

    // Start-up: measures the system version, then waits for the user or runs batch mode.
    void Form_Load();

    // The major version number; the minor one through `minor`.
    int OSMajorVer(int& minor) const;

    void NewProj_Click();
    void OldProj_Click();
    void ButExit_Click();

    // The wizard, created (and loaded) on first use.
    frmOpenFile& OpenFile();
    // Called once when the wizard has been created, before it loads: lets the front
    // end or a test replace the steps that lie beyond the wizard.
    std::function<void(frmOpenFile&)> OnWizardCreated;

    ui::Control NewProj{*this, ui::ControlKind::Button, "NewProj"};
    ui::Control OldProj{*this, ui::ControlKind::Button, "OldProj"};
    ui::Control ButExit{*this, ui::ControlKind::Button, "ButExit"};

private:
    void SetUpControls();
    void ShowWizard();

    DocumentDescription& description_;
    RunState& run_;
    ui::Host& host_;
    std::string commandLine_;
    VersionSource versionSource_;
    std::unique_ptr<frmOpenFile> wizard_;
};

}  // namespace tabulizer
