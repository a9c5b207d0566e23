#include "shell/frmOpenFile.h"

#include <filesystem>
#include <system_error>

#include "common/Cp1251.h"
#include "common/Failure.h"
#include "conversion/inference/Inference.h"
#include "description/ProjectEncoding.h"
#include "description/ProjectLoader.h"
#include "editor/InferredStart.h"
#include "shell/FileChecks.h"
#include "shell/PathText.h"
#include "shell/ShellStatus.h"

namespace tabulizer {
namespace {

constexpr std::string_view kProjectExt = ".ini";
constexpr std::string_view kOutputExt = ".xlsx";
constexpr std::string_view kProjectFilter = "Файл описания проекта (*.ini)|*.ini";
constexpr std::string_view kOutputFilter = "Файл документа EXCEL (*.xlsx *.xls)|*.xlsx;*.xls";

// The path a box holds; a box that still shows its prompt holds none.
std::string BoxPath(const ui::Control& box) { return ShowsPrompt(box.Text()) ? std::string() : box.Text(); }

bool Exists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::exists(std::filesystem::path(path), error);
}

// A report as the inference saw it: its path, size and time of its last change.
std::string ReportStamp(const std::string& path) {
    const std::filesystem::path file(path);
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    const auto written = std::filesystem::last_write_time(file, error);
    return path + "|" + std::to_string(error ? 0 : size) + "|" +
           std::to_string(error ? 0 : written.time_since_epoch().count());
}

// Whether the user (or an inference) has marked something a new marking would replace.
bool HasMarks(const DocumentDescription& d) {
    return d.EndPoz[0] > 0 || d.EndTitle > 0 || d.EndCap > 0 || d.EtalStrN > 0 || d.FormFeed;
}

}  // namespace

frmOpenFile::frmOpenFile(DocumentDescription& description, RunState& run, ui::Host& host,
                         ui::Window& startWindow)
    : ui::Window("frmOpenFile"), description_(description), run_(run), host_(host), startWindow_(startWindow) {
    SetUpControls();
    WireHandlers();
}

frmOpenFile::~frmOpenFile() = default;

void frmOpenFile::WireHandlers() {
    txtInDoc.OnClick = [this] { txtInDoc_Click(); };
    txtInDoc.OnChange = [this] { txtInDoc_Change(); };
    txtInDoc.OnEnter = [this] { txtInDoc_KeyPress(); };
    ButInDoc.OnClick = [this] { ButInDoc_Click(); };
    txtIniDoc.OnClick = [this] { txtIniDoc_Click(); };
    txtIniDoc.OnChange = [this] { txtIniDoc_Change(); };
    txtIniDoc.OnEnter = [this] { txtIniDoc_KeyPress(); };
    ButIniDoc.OnClick = [this] { ButIniDoc_Click(); };
    txtOutDoc.OnClick = [this] { txtOutDoc_Click(); };
    txtOutDoc.OnChange = [this] { txtOutDoc_Change(); };
    txtOutDoc.OnEnter = [this] { txtOutDoc_KeyPress(); };
    ButOutDoc.OnClick = [this] { ButOutDoc_Click(); };
    // A prompt goes whenever its box gets the focus, not only on a click: a user who
    // reaches the box by the keyboard would otherwise type in front of it.
    txtInDoc.OnFocus = txtInDoc.OnClick;
    txtIniDoc.OnFocus = txtIniDoc.OnClick;
    txtOutDoc.OnFocus = txtOutDoc.OnClick;
    CBoxNoClose.OnClick = [this] { CBoxNoClose_Click(); };
    optModYes.OnClick = [this] { optModYes_Click(); };
    NextFr.OnClick = [this] { NextFr_Click(); };
    BackFr.OnClick = [this] { BackFr_Click(); };
    ButExit.OnClick = [this] { ButExit_Click(); };
    // Closing the wizard by its frame would leave a program without a visible window.
    OnClose = [this] { ButExit_Click(); };
}

void frmOpenFile::Form_Load() {
    description_.InitFontsAndMerges();
    if (!run_.Batch) return;
    txtIniDoc.SetText(run_.NameIni);
    txtIniDoc_KeyPress();
}

// A message box; in batch mode nobody can correct anything, so the program ends.
// `detail` says what exactly failed (batch mode prints it under the message).
void frmOpenFile::Report(std::string_view message, std::string_view detail) {
    if (!message.empty()) host_.MessageBox(message, ui::Buttons::Ok, ui::Icon::Question);
    if (!detail.empty()) host_.Explain(detail);
    if (run_.Batch) host_.EndProgram(kBatchFailureStatus);
}

bool frmOpenFile::CheckExt(ui::Control& box, std::string_view ext) {
    // The output workbook is written as .xlsx; names of older projects end in .xls.
    ExtVerdict verdict = ext == kOutputExt ? ClassifyExtension(box.Text(), ext, {ext, ".xls"})
                                           : ClassifyExtension(box.Text(), ext, {ext});
    switch (verdict) {
    case ExtVerdict::Accepted: return true;
    case ExtVerdict::Append: box.SetText(box.Text() + std::string(ext)); return true;
    case ExtVerdict::Foreign: Report("Расширение файла не " + std::string(ext) + " !"); return false;
    case ExtVerdict::Empty: Report(""); return false;
    }
    return false;
}

void frmOpenFile::BrowseFile(std::string_view title, DialogKind kind, std::string& target) {
    target = kind == DialogKind::Open ? host_.OpenFileDialog(title, dialogFilter_)
                                      : host_.SaveFileDialog(title, dialogFilter_);
}

// A path stored in the project: CP1251 in the file, relative to the project's
// folder. Batch mode says what a Windows path was taken for; the windows show the
// path in its box.
std::string frmOpenFile::ProjectPath(std::string_view key) const {
    StoredPath stored = ResolveStoredPath(run_.NameIni, Cp1251ToUtf8(ReadIniValue(run_.NameIni, "General", key)));
    if (run_.Batch && !stored.note.empty()) host_.Explain(stored.note);
    return stored.path;
}

// Path boxes: a click (or the focus) clears a prompt; the Enter key's line break is removed.
void frmOpenFile::txtInDoc_Click() { if (ShowsPrompt(txtInDoc.Text())) txtInDoc.SetText(""); }
void frmOpenFile::txtIniDoc_Click() { if (ShowsPrompt(txtIniDoc.Text())) txtIniDoc.SetText(""); }
void frmOpenFile::txtOutDoc_Click() { if (ShowsPrompt(txtOutDoc.Text())) txtOutDoc.SetText(""); }
void frmOpenFile::txtInDoc_Change() { txtInDoc.SetText(RemoveLineBreaks(txtInDoc.Text())); }
void frmOpenFile::txtIniDoc_Change() { txtIniDoc.SetText(RemoveLineBreaks(txtIniDoc.Text())); }
void frmOpenFile::txtOutDoc_Change() { txtOutDoc.SetText(RemoveLineBreaks(txtOutDoc.Text())); }

void frmOpenFile::txtInDoc_KeyPress() {
    if (run_.NewProject) {
        description_.NameIn = txtInDoc.Text();
        if (description_.NameIn.empty()) return;
        frIniDoc.Visible = true;
        txtIniDoc.SetText(std::string(kIniDocPrompt) + " для сохранения проекта");
        ButIniDoc.SetFocus();
        return;
    }
    if (frInDoc.Visible && !description_.NoClose) {
        frOutDoc.Visible = CBoxNoClose.Visible = true;
        ButOutDoc.SetFocus();
    }
}

void frmOpenFile::ButInDoc_Click() {
    dialogFilter_.clear();
    BrowseFile("Программа TABULIZER: Задайте файл входного документа ", DialogKind::Open, description_.NameIn);
    txtInDoc.SetText(description_.NameIn);
    txtInDoc_KeyPress();
}

void frmOpenFile::txtIniDoc_KeyPress() {
    if (!CheckExt(txtIniDoc, kProjectExt)) return;
    run_.NameIni = txtIniDoc.Text();
    if (run_.NewProject) {
        frOutDoc.Visible = CBoxNoClose.Visible = true;
        ButOutDoc.SetFocus();
        return;
    }
    // A wrong path would read as a project without an input document, that is, as
    // a group project, and step 15 would save the real project so.
    if (std::string reason = UnreadableReason(run_.NameIni); !reason.empty()) {
        Report("Указанный файл проекта не найден !", ReadDetail(run_.NameIni, reason));
        txtIniDoc.SetFocus();
        return;
    }
    // A project in UTF-16, say, would read as empty and be taken for a group project.
    if (std::string problem = ProjectEncodingProblem(run_.NameIni); !problem.empty()) {
        Report(problem);
        ButIniDoc.SetFocus();
        return;
    }
    AcceptExistingProject();
}

void frmOpenFile::ButIniDoc_Click() {
    if (CBoxNoClose.Value) CBoxNoClose.SetValue(0);
    dialogFilter_ = kProjectFilter;
    BrowseFile("Программа TABULIZER: Задайте файл проекта",
               run_.NewProject ? DialogKind::Save : DialogKind::Open, run_.NameIni);
    txtIniDoc.SetText(run_.NameIni);
    txtIniDoc_KeyPress();
}

void frmOpenFile::AcceptExistingProject() {
    // Whether the workbook stays open is the project's choice (OpenExcel below); a
    // tick left from an earlier project must not silently keep this one unsaved.
    if (CBoxNoClose.Value) {
        CBoxNoClose.Value = 0;
        description_.NoClose = false;
    }
    frModIni.Visible = true;
    txtInDoc.SetText(ProjectPath("NameIn"));
    description_.NameIn = txtInDoc.Text();
    frInDoc.Visible = true;
    if (description_.NameIn.empty()) {
        // A project for a group of files: the user names the input document.
        if (run_.Batch) Report("В проекте нет имени файла входного документа !");
        ButInDoc.SetFocus();
        optGrPrYes.SetValue(1);
        return;
    }
    optGrPrNo.SetValue(1);
    AcceptProjectPaths();
}

void frmOpenFile::AcceptProjectPaths() {
    frOutDoc.Visible = CBoxNoClose.Visible = true;
    txtOutDoc.SetText(ProjectPath("NameOut"));
    description_.NameOut = txtOutDoc.Text();
    if (run_.Batch) {
        BatchContinue();
        return;
    }
    if (ReadIniValue(run_.NameIni, "General", "OpenExcel") == "1") {
        CBoxNoClose.Value = 1;
        CBoxNoClose_Click();
        return;
    }
    txtOutDoc_KeyPress();
    if (description_.NameOut.empty()) {
        frOutDoc.Visible = CBoxNoClose.Visible = true;
        ButOutDoc.SetFocus();
    } else {
        NextFr.SetFocus();
    }
}

// Batch mode goes on at once: the workbook is always saved, under a name that a
// spreadsheet program opens (an extensionless name gets ".xlsx", another extension
// is refused), so that the run cannot write a workbook over an unrelated file.
void frmOpenFile::BatchContinue() {
    if (description_.NameOut.empty()) Report("В проекте нет имени файла выходного документа !");
    if (!CheckExt(txtOutDoc, kOutputExt)) return;
    NextFr_Click();
}

void frmOpenFile::txtOutDoc_KeyPress() {
    if (!CheckExt(txtOutDoc, kOutputExt) || txtOutDoc.Text().empty()) return;
    frGroupProj.Visible = true;
    description_.NameOut = txtOutDoc.Text();
    NextFr.Enabled = true;
    NextFr.SetFocus();
}

void frmOpenFile::ButOutDoc_Click() {
    dialogFilter_ = kOutputFilter;
    BrowseFile("Программа TABULIZER: Задайте выходной файл", DialogKind::Save, description_.NameOut);
    txtOutDoc.SetText(description_.NameOut);
    txtOutDoc_KeyPress();
}

void frmOpenFile::CBoxNoClose_Click() {
    bool keepOpen = CBoxNoClose.Value != 0;
    frOutDoc.Visible = !keepOpen;
    description_.NoClose = keepOpen;
    NextFr.Enabled = keepOpen;
    if (keepOpen) {
        description_.NameOut.clear();
        NextFr.SetFocus();
    } else {
        txtOutDoc.SetText(std::string(kOutDocPrompt));
        ButOutDoc.SetFocus();
    }
}

void frmOpenFile::optModYes_Click() { NextFr.SetFocus(); }

void frmOpenFile::NextFr_Click() {
    description_.NameIn = BoxPath(txtInDoc);
    // A workbook left open has no output file, whatever the box still shows.
    description_.NameOut = description_.NoClose ? std::string() : BoxPath(txtOutDoc);
    run_.NameIni = BoxPath(txtIniDoc);
    run_.GroupProject = optGrPrYes.Value != 0;
    // The workbook replaces its file: never the report itself, nor the project, and
    // never a folder, a pipe or a device that happens to bear its name.
    RunFiles files;
    files.project = run_.NameIni;
    files.inputs = {description_.NameIn};
    files.outputs = {description_.NoClose ? std::string() : description_.NameOut};
    if (FileRefusal refusal = CheckRunFiles(files)) {
        Report(refusal.message, refusal.detail);
        (refusal.message == kInputNotFound ? ButInDoc : ButOutDoc).SetFocus();
        return;
    }
    // Decided afresh on every press: a file that was there on an earlier press and
    // is gone now must not be deleted by the run.
    run_.Overwrite = false;
    if (!description_.NoClose && Exists(description_.NameOut)) {
        if (!run_.Batch &&
            host_.MessageBox("Файл выходного документа уже существует !\nПерезаписать файл ?",
                             ui::Buttons::YesNo, ui::Icon::Question) != ui::Answer::Yes) {
            ButOutDoc.SetFocus();
            return;
        }
        run_.Overwrite = true;
    }
    // A loaded project replaces whatever was inferred on an earlier forward.
    if (!run_.NewProject) run_.Inferred = false;
    if (run_.NewProject) {
        PrepareNewDescription();
        host_.Hide(*this);
        if (OpenEditor) OpenEditor();
        return;
    }
    RunLoader();
}

// With the tick the report describes itself: the editor gets the inferred elements,
// marked and correctable, with the paths and the open-workbook choice made here.
// Without it, or when the text holds no table, the editor starts empty. A report is
// inferred once: coming back from the editor keeps the user's corrections, and a
// changed report replaces what was marked only when the user agrees.
void frmOpenFile::PrepareNewDescription() {
    if (!CBoxAutoMark.Value) {
        inferredReport_.clear();
        StartEmptyDescription();
        return;
    }
    const std::string stamp = ReportStamp(description_.NameIn);
    if (stamp == inferredReport_) return;
    inferredReport_ = stamp;
    if (HasMarks(description_) &&
        host_.MessageBox(kReplaceMarks, ui::Buttons::YesNo, ui::Icon::Question) != ui::Answer::Yes)
        return;
    inference::ReportInference found;
    try {
        found = inference::InferReport(description_.NameIn);
    } catch (const Failure&) {
        // Checked readable a moment ago; the editor's own reading says what failed.
        StartEmptyDescription();
        return;
    }
    if (!found.described) {
        host_.MessageBox(kNoTableFound, ui::Buttons::Ok, ui::Icon::Question);
        StartEmptyDescription();
        return;
    }
    found.description.NameIn = description_.NameIn;
    found.description.NameOut = description_.NameOut;
    found.description.NoClose = description_.NoClose;
    description_ = std::move(found.description);
    run_.Inferred = true;
    const InferredStart start = StartOfInferred(found.findings);
    run_.StartStep = static_cast<i16>(start.step);
    if (!start.message.empty()) host_.MessageBox(start.message, ui::Buttons::Ok, ui::Icon::Information);
}

// An earlier forward may have left an inferred description: the empty start does
// not build on it. A description the user began by hand is kept, as before.
void frmOpenFile::StartEmptyDescription() {
    run_.StartStep = 0;
    if (run_.Inferred) {
        DocumentDescription empty;
        empty.NameIn = description_.NameIn;
        empty.NameOut = description_.NameOut;
        empty.NoClose = description_.NoClose;
        empty.InitFontsAndMerges();
        description_ = std::move(empty);
    }
    run_.Inferred = false;
}

// Acts on what the loader found: convert, open the editor, or stay in the wizard.
void frmOpenFile::RunLoader() {
    LoadOutcome outcome = LoadProject(description_, run_, host_);
    // The loader ends a batch run at its first report; nothing may go on without a user.
    if (run_.Batch && outcome != LoadOutcome::Clean) host_.EndProgram(kBatchFailureStatus);
    if (outcome == LoadOutcome::NoIdentifier) return;
    if (outcome == LoadOutcome::ModifyNo) {
        ButExit.SetFocus();
        NextFr.Enabled = false;
        return;
    }
    if (outcome == LoadOutcome::ModifyYes) optModYes.SetValue(1);
    host_.Hide(*this);
    if (optModYes.Value) {
        if (OpenEditor) OpenEditor();
    } else if (OpenConversion) {
        OpenConversion();
    }
}

void frmOpenFile::BackFr_Click() {
    host_.Show(startWindow_);
    host_.Hide(*this);
    frInDoc.Visible = frIniDoc.Visible = frOutDoc.Visible = CBoxNoClose.Visible = CBoxAutoMark.Visible = false;
    NextFr.Enabled = false;
    // The next project answers afresh; what it is marked from is asked again.
    optGrPrNo.SetValue(1);
    inferredReport_.clear();
    txtInDoc.SetText(std::string(kInDocPrompt));
    txtIniDoc.SetText(std::string(kIniDocPrompt));
    txtOutDoc.SetText(std::string(kOutDocPrompt));
}

void frmOpenFile::ButExit_Click() { host_.EndProgram(0); }

}  // namespace tabulizer
