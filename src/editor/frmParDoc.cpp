#include "editor/frmParDoc.h"

#include <utility>

#include "conversion/ColumnLetters.h"
#include "editor/ViewMeasures.h"

namespace tabulizer {

frmParDoc::frmParDoc(DocumentDescription& description, RunState& run, ui::Host& host)
    : ui::Window("frmParDoc"),
      view(description, run, host, {lstDoc, ButUp, ButDown, lbName, lbSize, lbStyle}),
      d_(description),
      run_(run),
      host_(host) {
    SetUpControls();
    WireHandlers();
}

void frmParDoc::WireHandlers() {
    NextFr.OnClick = [this] { NextFr_Click(); };
    BackFr.OnClick = [this] { BackFr_Click(); };
    ButHelp.OnClick = [this] { ButHelp_Click(); };
    ButAdd.OnClick = [this] { ButAdd_Click(); };
    ButExit.OnClick = [this] { ButExit_Click(); };
    ButUp.OnClick = [this] { view.ButUp_Click(); };
    ButDown.OnClick = [this] { view.ButDown_Click(); };
    lstDoc.OnClick = [this] { lstDoc_Click(); };
    lstDoc.OnMouseDown = [this] { lstDoc_MouseDown(); };
    lstDoc.OnItemClick = [this](int item) { lstDoc_ItemClick(item); };
    lstDoc.OnColumnClick = [this](int header) { lstDoc_ColumnClick(header); };
    ComWidth.OnClick = [this] { ComWidth_Click(); };
    optMsDos.OnClick = [this] { optMsDos_Click(); };
    optWin.OnClick = [this] { optWin_Click(); };
    cbFormFeed.OnClick = [this] { cbFormFeed_Click(); };
    UpDwDepth.OnChange = [this] { UpDwDepth_Change(); };
    TBDepth.OnChange = [this] { TBDepth_Change(); };
    TBDepth.OnEnter = [this] { TBDepth_Enter(); };
    cbline.OnClick = [this] { cbline_Click(); };
    ComDel.OnClick = [this] { ComDel_Click(); };
    ComFont.OnClick = [this] { ComFont_Click(); };
    ComBoxForm.OnClick = [this] { ComBoxForm_Click(); };
    UpDwCn.OnChange = [this] { UpDwCn_Change(); };
    TBCn.OnChange = [this] { TBCn_Change(); };
    TBCn.OnEnter = [this] { TBCn_Enter(); };
    optAligLf.OnClick = [this] { optAlig_MouseUp(optAligLf, 1); };
    optAligCn.OnClick = [this] { optAlig_MouseUp(optAligCn, 2); };
    optAligRt.OnClick = [this] { optAlig_MouseUp(optAligRt, 3); };
    // Closing the editor by its frame ends the program, as "Выход" does.
    OnClose = [this] { ButExit_Click(); };
}

void frmParDoc::Form_Load() {
    LayOut();
    host_.Show(*this);
    // Only an empty new description holds the user to the steps whose element is
    // marked; an inferred one is shown whole, as a project to modify.
    const bool emptyStart = run_.NewProject && !run_.Inferred;
    Steps = BuildSteps(QuestionList(), emptyStart);
    InitSymCol();
    // The measuring pass: line count and longest line, whatever the project says.
    view.ClearItems();
    view.CurLine = 0;
    view.TopLine = 0;
    view.TooManyLines = view.TooLongLines = false;
    d_.MaxLStr = 0;
    run_.CurStep = 0;
    Wide = false;
    view.Measure();
    ShowSums();
    ReportLimits();
    view.PageLines = run_.OldWindows ? 15 : 14;
    view.CurLine = 0;
    view.BuildCharHeaders(view::kCharNumberColumn);
    // Set without their click handling: the view is filled by step 1 itself.
    optWin.Value = d_.Code ? 1 : 0;
    optMsDos.Value = d_.Code ? 0 : 1;
    // Positions kept from before a return to the wizard are shown, as any others.
    view.MarkColumns(d_.EndPoz, true);
    ShowStep();
    GoForwardTo(std::exchange(run_.StartStep, i16{0}));
}

// Forward step by step, as the user would with "Далее", so that every step enters
// and leaves as it does by hand; a step that holds the user stops the walk there.
void frmParDoc::GoForwardTo(int step) {
    while (run_.CurStep < step && NextFr.Enabled) {
        const int before = run_.CurStep;
        NextFr_Click();
        if (run_.CurStep == before) return;
    }
}

void frmParDoc::ShowSums() {
    lbSumDoc.Caption = "Строк в документе:       " + std::to_string(view.LineCount) +
                       "\nМаксимальная длина записи: " + std::to_string(d_.MaxLStr);
}

// Line numbers and positions are 16-bit: the editor works on what fits and says so.
void frmParDoc::ReportLimits() {
    const std::string lines = std::to_string(view::kMaxLines);
    const std::string chars = std::to_string(view::kMaxLineLength);
    if (view.TooManyLines)
        host_.MessageBox("Строк в документе больше " + lines + " !\nВ описании можно использовать только первые " +
                             lines + " строк.",
                         ui::Buttons::Ok, ui::Icon::Question);
    if (view.TooLongLines)
        host_.MessageBox("Длина записи больше " + chars + " символов !\nВ описании можно использовать только первые " +
                             chars + " символов каждой строки.",
                         ui::Buttons::Ok, ui::Icon::Question);
}

void frmParDoc::FocusNext() {
    if (NextFr.Enabled) NextFr.SetFocus();
}

// The help and options windows belong to their own owners; the editor only asks
// for them (not modal).
void frmParDoc::ButHelp_Click() {
    if (ShowHelp) ShowHelp();
}

void frmParDoc::ButAdd_Click() {
    if (ShowOptions) ShowOptions();
}

void frmParDoc::ButExit_Click() { host_.EndProgram(0); }

}  // namespace tabulizer
