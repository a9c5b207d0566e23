// The step machine: entering a step, moving forward and back, and the work that
// undoes a step when the user leaves it backwards, as the step table names them.
#include "editor/frmParDoc.h"
#include "editor/ViewMeasures.h"
#include "description/ProjectSave.h"

namespace tabulizer {

// The side panels of steps 8 to 12 stand beyond the narrow window: it grows by
// their width and a margin, and shrinks again, whatever size the user gave it.
void frmParDoc::Widen(int sign) { Geometry.Width += sign * (FrameCap.Geometry.Width + 100); }

void frmParDoc::ShowStep() {
    const int step = run_.CurStep;
    if (step >= kStepCount) {
        Finish();
        return;
    }
    const StepRow& row = StepRowOf(step);
    lbNumber.Caption = std::to_string(step + 1);
    txtQuestion.SetText(Steps[step].Question);
    txtQuestion.FontSize = row.QuestionPoints;
    NextFr.Enabled = Steps[step].CanGoNext;
    FocusNext();
    view.TopLine = 0;
    ButUp.BackColor = ui::kRed;
    ButDown.BackColor = ui::kGreen;
    ShowPanels(row);
    if (row.Header != HeaderKind::Kept) view.BuildColumnHeaders(row.FirstColumn);
    if (row.Enter) (this->*row.Enter)();
    else view.FillView();
    if (StepChanged) StepChanged();
}

// Each panel belongs to one step: leaving that step either way hides it.
void frmParDoc::ShowPanels(const StepRow& row) {
    const bool wide = IsSidePanel(row.Panel);
    if (wide != Wide) {
        Widen(wide ? +1 : -1);
        Wide = wide;
    }
    FrameCod.Visible = row.Panel == StepPanel::CodePage;
    lstDoc.Visible = ButUp.Visible = ButDown.Visible = !FrameCod.Visible;
    cbFormFeed.Visible = row.Panel == StepPanel::FormFeed;
    FrameCap.Visible = row.Panel == StepPanel::Merges;
    FrameFont.Visible = row.Panel == StepPanel::Font;
    FrameFormat.Visible = row.Panel == StepPanel::Format;
    ComWidth.Visible = row.Panel == StepPanel::Widths;
}

// The list is hidden in the code page step; the view is filled once for the later steps.
void frmParDoc::EnterCodePage() {
    if (view.CurLine == 0) view.FillView();
}

void frmParDoc::EnterColumnEnds() {
    SepViewPending = true;
    if (d_.EndPoz[0] >= 1) NextFr.Enabled = true;
    view.FillView();
}

void frmParDoc::EnterTitleEnd() {
    if (d_.EndTitle >= 1) NextFr.Enabled = true;
    view.FillView();
}

void frmParDoc::EnterCapEnd() {
    if (d_.EndCap > 0) NextFr.Enabled = true;
    view.FillView();
}

void frmParDoc::EnterReferenceLine() {
    if (d_.EtalStrN > 0) NextFr.Enabled = true;
    if (d_.FormFeed) {
        cbFormFeed.Value = 1;
        cbFormFeed_Click();
    }
    view.FillView();
}

// The character headers without line numbers; built once on the way forward.
void frmParDoc::EnterVerticalSeparators() {
    if (!SepViewPending) return;
    view.ClearItems();
    view.BuildCharHeaders(view::kHiddenColumn);
    view.FillView();
    if (d_.PozDiv[0] > 0) view.MarkColumns(d_.PozDiv, true);
    SepViewPending = false;
}

void frmParDoc::EnterMerges() {
    view.LabelWidth = 8;
    view.FillView();
    if (view.LabelWidth > 8) {
        view.BuildColumnHeaders(view::kTwipsPerChar * view.LabelWidth + view::kHeaderMargin);
        view.FillView();
    }
    if (d_.CountMerge > 0) {
        txtBxCoCap.SetText(std::to_string(d_.CountMerge));
        ShowMerge(true);
    }
}

void frmParDoc::EnterFormats() {
    if (d_.CountFormat > 0) view.ShowFormats();
    view.FillView();
}

// Fixed lines and the postscript: no line waits for its columns yet.
void frmParDoc::EnterLineRoles() {
    PendingFixRec = 0;
    view.FillView();
}

// From the title end back to the column ends.
void frmParDoc::UndoTitleEnd() {
    if (SepViewPending) return;
    view.MarkColumns(d_.PozDiv, false);
    view.MarkColumns(d_.EndPoz, true);
}

// From the vertical separators back to the horizontal ones.
void frmParDoc::UndoSeparators() {
    view.ClearItems();
    view.BuildCharHeaders(view::kCharNumberColumn);
    view.FillView();
    view.MarkColumns(d_.EndPoz, true);
    SepViewPending = true;
    view.FillView();
}

// From the merges back to the vertical separators.
void frmParDoc::UndoVerticalSeparators() {
    view.ClearItems();
    view.BuildCharHeaders(view::kHiddenColumn);
    if (d_.PozDiv[0] > 0) view.MarkColumns(d_.PozDiv, true);
    view.FillView();
}

// From the widths back to the formats: no column selected.
void frmParDoc::UndoFormats() {
    FormatCol = -1;
    SelectFormatColumn(0);
    FormatCol = 0;
    FormatChanged = false;  // a change of the column left behind is no change of the next
    FrameFormat.Enabled = false;
}

bool frmParDoc::LeaveColumnEnds() {
    view.FillView();
    return true;
}

bool frmParDoc::LeaveReferenceLine() {
    if (!d_.EtalStr.empty() || d_.FormFeed) return true;
    host_.MessageBox("Эталонная строка не может быть пустой !", ui::Buttons::Ok, ui::Icon::Question);
    return false;
}

void frmParDoc::NextFr_Click() {
    const StepRow& row = StepRowOf(run_.CurStep);
    if (row.Leave && !(this->*row.Leave)()) return;
    ++run_.CurStep;
    ShowStep();
}

void frmParDoc::BackFr_Click() {
    if (CurrentStep() == StepId::CodePage) {
        if (ReturnToWizard) ReturnToWizard();
        host_.Unload(*this);
        return;
    }
    --run_.CurStep;
    const StepRow& row = StepRowOf(run_.CurStep);
    if (row.Undo) (this->*row.Undo)();
    ShowStep();
}

// After step 15 the description is saved and the conversion window takes over. A
// save that fails keeps the editor at step 15, so the user can free the folder or
// the file and press forward again; nothing of the fifteen steps is lost.
void frmParDoc::Finish() {
    if (!SaveDescription()) {
        run_.CurStep = kStepCount - 1;
        return;
    }
    host_.Hide(*this);
    if (UnloadHelp) UnloadHelp();
    if (OpenConversion) OpenConversion();
    host_.Unload(*this);
}

bool frmParDoc::SaveDescription() {
    if (run_.NameIni.empty()) return true;  // no project path was asked for
    try {
        SaveProject(d_, run_.NameIni, run_.GroupProject);
        return true;
    } catch (const ProjectSaveError& error) {
        host_.MessageBox("Описание проекта не сохранено !\n" + error.reason + "\n" + run_.NameIni, ui::Buttons::Ok,
                         ui::Icon::Question);
        host_.Explain(error.detail);
        NextFr.SetFocus();
        return false;
    }
}

}  // namespace tabulizer
