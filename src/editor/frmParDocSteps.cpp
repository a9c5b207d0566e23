// The step machine: entering a step, moving forward and back, and the work that
// undoes a step when the user leaves it backwards. Steps are 0-based here as
// CurStep holds them; comments name the step the user sees (CurStep + 1).
#include "editor/frmParDoc.h"
#include "editor/ViewMeasures.h"
#include "description/ProjectSave.h"

namespace tabulizer {
namespace {

constexpr int kCharFirstColumn = 1400;  // line numbers beside character headers
constexpr int kLabelFirstColumn = 1550; // line numbers and labels beside column headers

}  // namespace

// Steps 8 to 12 show a side panel: the window grows by its width and a margin.
void frmParDoc::Widen(int sign) { Geometry.Width += sign * (FrameCap.Geometry.Width + 100); }

void frmParDoc::ShowStep() {
    const int step = run_.CurStep;
    if (step >= kStepCount) {
        Finish();
        return;
    }
    lbNumber.Caption = std::to_string(step + 1);
    txtQuestion.SetText(Steps[step].Question);
    NextFr.Enabled = Steps[step].CanGoNext;
    FocusNext();
    view.TopLine = 0;
    ButUp.BackColor = ui::kRed;
    ButDown.BackColor = ui::kGreen;
    // These belong to one step each; leaving that step either way hides them (the
    // format panel would otherwise stand at the edge of the narrow window).
    cbFormFeed.Visible = step == 4;
    FrameFormat.Visible = step == 11;
    ComWidth.Visible = step == 12;
    EnterStep();
}

void frmParDoc::EnterStep() {
    switch (run_.CurStep) {
    case 0:  // code page
        Geometry.Width = kNarrowWidth;
        FrameCod.Visible = true;
        lstDoc.Visible = ButUp.Visible = ButDown.Visible = false;
        if (view.CurLine == 0) view.FillView();
        return;
    case 1:  // column ends
        FrameCod.Visible = false;
        lstDoc.Visible = ButUp.Visible = ButDown.Visible = true;
        SepViewPending = true;
        if (d_.EndPoz[0] >= 1) NextFr.Enabled = true;
        break;
    case 2:  // title end
        if (d_.EndTitle >= 1) NextFr.Enabled = true;
        break;
    case 3:  // cap end
        if (d_.EndCap > 0) NextFr.Enabled = true;
        txtQuestion.FontSize = 12;
        break;
    case 4:  // reference line
        if (d_.EtalStrN > 0) NextFr.Enabled = true;
        cbFormFeed.Visible = true;
        if (d_.FormFeed) {
            cbFormFeed.Value = 1;
            cbFormFeed_Click();
        }
        txtQuestion.FontSize = 9;
        break;
    case 5:  // separators
        cbFormFeed.Visible = false;
        break;
    case 6:  // vertical separators: the character headers without line numbers
        if (!SepViewPending) return;
        view.ClearItems();
        view.BuildCharHeaders(view::kHiddenColumn);
        view.FillView();
        if (d_.PozDiv[0] > 0) view.MarkColumns(d_.PozDiv, true);
        SepViewPending = false;
        return;
    case 7:  // merged cap cells
        Widen(+1);
        FrameCap.Visible = true;
        view.BuildColumnHeaders(kLabelFirstColumn);
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
        return;
    case 8:  // title font
        FrameCap.Visible = false;
        FrameFont.Geometry.Top = 100;
        FrameFont.Visible = true;
        view.BuildColumnHeaders(view::kHiddenColumn);
        break;
    case 9:   // cap font
    case 10:  // information font
        view.BuildColumnHeaders(view::kHiddenColumn);
        break;
    case 11:  // formats
        FrameFont.Visible = false;
        FrameFormat.Geometry.Top = FrameFont.Geometry.Top + 2200;
        FrameFormat.Geometry.Left = FrameFont.Geometry.Left + 25;
        FrameFormat.Visible = true;
        view.BuildColumnHeaders(view::kHiddenColumn);
        if (d_.CountFormat > 0) view.ShowFormats();
        break;
    case 12:  // widths; coming back from step 14 the window is narrow already
        if (!GoingBack) Widen(-1);
        ComWidth.Geometry.Top = cbFormFeed.Geometry.Top - 150;
        ComWidth.Geometry.Left = cbFormFeed.Geometry.Left + 200;
        ComWidth.Visible = true;
        view.BuildColumnHeaders(view::kHiddenColumn);
        break;
    case 13:  // fixed lines
        ComWidth.Visible = false;
        view.BuildColumnHeaders(kLabelFirstColumn);
        PendingFixRec = 0;
        break;
    case 14:  // postscript
        PendingFixRec = 0;
        break;
    }
    view.FillView();
}

void frmParDoc::NextFr_Click() {
    GoingBack = false;
    if (run_.CurStep == 1) view.FillView();
    if (run_.CurStep == 4 && d_.EtalStr.empty() && !d_.FormFeed) {
        host_.MessageBox("Эталонная строка не может быть пустой !", ui::Buttons::Ok, ui::Icon::Question);
        return;
    }
    ++run_.CurStep;
    ShowStep();
}

void frmParDoc::BackFr_Click() {
    GoingBack = true;
    if (run_.CurStep == 0) {
        if (ReturnToWizard) ReturnToWizard();
        host_.Unload(*this);
        return;
    }
    --run_.CurStep;
    UndoStep();
    ShowStep();
}

// Keyed by the step entered backwards: takes back what the step left showed.
void frmParDoc::UndoStep() {
    switch (run_.CurStep) {
    case 1:  // from the title end back to the column ends
        if (SepViewPending) return;
        view.MarkColumns(d_.PozDiv, false);
        view.MarkColumns(d_.EndPoz, true);
        return;
    case 4: view.FillView(); return;
    case 5:  // from the vertical separators back to the horizontal ones
        view.ClearItems();
        view.BuildCharHeaders(kCharFirstColumn);
        view.FillView();
        view.MarkColumns(d_.EndPoz, true);
        SepViewPending = true;
        view.FillView();
        return;
    case 6:  // from the merges back to the vertical separators
        Widen(-1);
        FrameCap.Visible = false;
        view.ClearItems();
        view.BuildCharHeaders(view::kHiddenColumn);
        if (d_.PozDiv[0] > 0) view.MarkColumns(d_.PozDiv, true);
        view.FillView();
        return;
    case 7:  // the entry of step 8 widens the window again
        Widen(-1);
        FrameFont.Visible = false;
        return;
    case 10:
        FrameFormat.Visible = false;
        FrameFont.Visible = true;
        return;
    case 11:  // from the widths back to the formats: wide again, no column selected
        Widen(+1);
        ComWidth.Visible = false;
        FormatCol = -1;
        SelectFormatColumn(0);
        FormatCol = 0;
        FormatChanged = false;  // a change of the column left behind is no change of the next
        FrameFormat.Enabled = false;
        return;
    default: return;
    }
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
