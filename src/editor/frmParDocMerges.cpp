// Merged cap cells (step 8): a line click starts a merge, a column click gives its
// start column, a second one its end column and completes it. While a merge is
// started and not complete, the user cannot leave the step.
#include <algorithm>

#include "editor/ItemText.h"
#include "editor/TypedNumber.h"
#include "editor/ViewMeasures.h"
#include "editor/frmParDoc.h"

namespace tabulizer {

// The record after the completed merges is the one being defined.
MergeCell& frmParDoc::DefinedMerge() { return d_.MergeCl[std::clamp<int>(d_.CountMerge, 0, kMaxMerges)]; }

void frmParDoc::LockNavigation(bool locked) { NextFr.Enabled = BackFr.Enabled = !locked; }

void frmParDoc::StartMerge(int item) {
    MergeCell& merge = DefinedMerge();
    if (merge.BegCol != 0) return;
    // A project holds at most 20 merges; a 21st could not be loaded again.
    if (d_.CountMerge >= kMaxMerges) {
        host_.MessageBox("Максимальное число объединений = " + std::to_string(kMaxMerges) +
                             " !  Дальнейшее назначение невозможно !",
                         ui::Buttons::Ok, ui::Icon::Question);
        return;
    }
    merge.NStr = static_cast<i16>(ItemLineNumber(lstDoc.Item(item).Text));
    txtBxStr.SetText(std::to_string(merge.NStr));
    txtBxCB.SetText("");
    txtBxCE.SetText("");
    AllowMergeChoices(true);
    UpDwDepth.SetRange(1, std::max(1, d_.EndCap - merge.NStr + 1));
    UpDwDepth.SetPosition(1);
    merge.Depth = 1;
    cbline.Value = 0;
    merge.BottomLine = false;
    LockNavigation(true);
}

void frmParDoc::MergeColumnClick(int header) {
    MergeCell& merge = DefinedMerge();
    const i16 column = static_cast<i16>(header - 1);
    if (merge.NStr == 0) {
        host_.MessageBox("Вначале надо указать номер строки ! ", ui::Buttons::Ok, ui::Icon::Question);
        return;
    }
    if (merge.BegCol == 0) {
        if (ColumnTaken(column)) return;
        merge.BegCol = column;
        txtBxCB.SetText(view.ColumnName(column));
        return;
    }
    if (column <= merge.BegCol) {
        host_.MessageBox("Колонка конца должна быть больше колонки начала  ! ", ui::Buttons::Ok, ui::Icon::Question);
        return;
    }
    if (ColumnTaken(column)) return;
    merge.EndCol = column;
    txtBxCE.SetText(view.ColumnName(column));
    ++d_.CountMerge;
    txtBxCoCap.SetText(std::to_string(d_.CountMerge));
    view.FillView();
    // The labels name the merges of each line: the first column widens to hold them.
    const int wanted = view.LabelWidth * view::kTwipsPerChar + view::kHeaderMargin;
    if (lstDoc.Header(1).Width < wanted) {
        view.BuildColumnHeaders(wanted);
        view.FillView();
    }
    AllowMergeChoices(false);
    LockNavigation(false);
}

// The depth and the bottom line are chosen while a merge is being defined only.
void frmParDoc::AllowMergeChoices(bool allowed) {
    UpDwDepth.Enabled = cbline.Enabled = allowed;
    TBDepth.ReadOnly = !allowed;
}

void frmParDoc::UpDwDepth_Change() { DefinedMerge().Depth = static_cast<i16>(UpDwDepth.Position()); }

// A depth typed into the box within the spin control's range is the depth; any
// other text leaves it, and Enter puts the depth in force back into the box.
void frmParDoc::TBDepth_Change() {
    if (TBDepth.ReadOnly) return;
    if (std::optional<int> depth = TypedNumber(TBDepth.Text(), UpDwDepth.Min(), UpDwDepth.Max()))
        UpDwDepth.SetPosition(*depth);
}

void frmParDoc::TBDepth_Enter() {
    if (TBDepth.ReadOnly || TypedNumber(TBDepth.Text(), UpDwDepth.Min(), UpDwDepth.Max())) return;
    TBDepth.SetText(std::to_string(UpDwDepth.Position()));
}

void frmParDoc::cbline_Click() { DefinedMerge().BottomLine = cbline.Value != 0; }

// Abandons the merge being defined, or else removes the last completed one.
void frmParDoc::ComDel_Click() {
    if (DefinedMerge().NStr == 0) {
        if (d_.CountMerge < 1) return;
        --d_.CountMerge;
        txtBxCoCap.SetText(std::to_string(d_.CountMerge));
    }
    ShowMerge(false);
    AllowMergeChoices(false);
    LockNavigation(false);
    view.FillView();
}

// The panel shows the last completed merge, or an empty merge; unless `keep`,
// the merge being defined is emptied.
void frmParDoc::ShowMerge(bool keep) {
    if (d_.CountMerge > 0) {
        const MergeCell& last = d_.MergeCl[std::min<int>(d_.CountMerge, kMaxMerges) - 1];
        txtBxStr.SetText(std::to_string(last.NStr));
        txtBxCB.SetText(last.BegCol > 0 ? view.ColumnName(last.BegCol) : "");
        txtBxCE.SetText(last.EndCol > 0 ? view.ColumnName(last.EndCol) : "");
        TBDepth.SetText(std::to_string(last.Depth));
        cbline.Value = last.BottomLine ? 1 : 0;
    } else {
        txtBxStr.SetText("0");
        txtBxCB.SetText("");
        txtBxCE.SetText("");
        TBDepth.SetText("1");
        cbline.Value = 0;
    }
    if (!keep) DefinedMerge() = MergeCell{};
}

}  // namespace tabulizer
