#include "shell/frmBegin.h"

#include "shell/FileChecks.h"
#include "shell/ShellStatus.h"
#include "shell/frmOpenFile.h"

namespace tabulizer {

frmBegin::frmBegin(DocumentDescription& description, RunState& run, ui::Host& host, std::string commandLine,
                   VersionSource versionSource)
    : ui::Window("frmBegin"),
      description_(description),
      run_(run),
      host_(host),
      commandLine_(std::move(commandLine)),
      versionSource_(std::move(versionSource)) {
    SetUpControls();
    NewProj.OnClick = [this] { NewProj_Click(); };
    OldProj.OnClick = [this] { OldProj_Click(); };
    ButExit.OnClick = [this] { ButExit_Click(); };
    OnClose = [this] { ButExit_Click(); };
}

frmBegin::~frmBegin() = default;

void frmBegin::SetUpControls() {
    Caption = "Табулизер";
    // The title picture is 729 x 484 pixels; the buttons stand along its bottom edge.
    Geometry = {0, 0, 10935, 7260};
    BackgroundPicture = ":/pictures/title.png";
    NewProj.Caption = "Новый проект !";
    OldProj.Caption = "Существующий проект !";
    ButExit.Caption = "Выход";
    NewProj.Geometry = {600, 6540, 3300, 480};
    OldProj.Geometry = {4200, 6540, 3300, 480};
    ButExit.Geometry = {8880, 6540, 1455, 480};
}

int frmBegin::OSMajorVer(int& minor) const {
    OsVersion version = versionSource_ ? versionSource_() : OsVersion{};
    minor = version.Minor;
    return version.Major;
}

void frmBegin::Form_Load() {
    int minor = 0;
    int major = OSMajorVer(minor);
    run_.OldWindows = versionSource_ && (major < 5 || minor < 1);
    if (commandLine_.empty()) {
        host_.Show(*this);
        return;
    }
    // A folder, or anything else that is not a file, cannot be a project either.
    if (std::string reason = UnreadableReason(commandLine_); !reason.empty()) {
        host_.MessageBox("      Пакетная обработка !\nУказанный файл проекта не найден !", ui::Buttons::Ok,
                         ui::Icon::Question);
        host_.Explain(ReadDetail(commandLine_, reason));
        host_.EndProgram(kBatchFailureStatus);
    }
    run_.Batch = true;
    run_.NameIni = commandLine_;
    OldProj_Click();
}

frmOpenFile& frmBegin::OpenFile() {
    if (!wizard_) {
        wizard_ = std::make_unique<frmOpenFile>(description_, run_, host_, *this);
        if (OnWizardCreated) OnWizardCreated(*wizard_);
        wizard_->Form_Load();
    }
    return *wizard_;
}

void frmBegin::ShowWizard() {
    frmOpenFile& wizard = OpenFile();
    host_.Show(wizard);
    host_.Hide(*this);
}

void frmBegin::NewProj_Click() {
    run_.NewProject = true;
    description_.Code = false;  // a new description starts as MS DOS text
    ShowWizard();
    wizard_->frInDoc.Visible = true;
    wizard_->CBoxAutoMark.Visible = true;
    wizard_->optGrPrNo.SetValue(1);  // a new project is made for its own file unless the user says otherwise
    wizard_->ButInDoc.SetFocus();
}

void frmBegin::OldProj_Click() {
    run_.NewProject = false;
    ShowWizard();
    wizard_->CBoxAutoMark.Visible = false;
    wizard_->frIniDoc.Visible = true;
    wizard_->txtIniDoc.SetText(std::string(frmOpenFile::kIniDocPrompt) + ", содержащего описание проекта");
    wizard_->ButIniDoc.SetFocus();
}

void frmBegin::ButExit_Click() { host_.EndProgram(0); }

}  // namespace tabulizer
