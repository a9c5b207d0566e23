// Clicks on the column headers of the view: column ends (step 2), vertical
// separators (step 7), and the hand-over to merges, formats and fixed lines;
// the repeated-column check of merges; the output widths of step 13.
#include <algorithm>

#include "editor/PositionList.h"
#include "editor/ViewMeasures.h"
#include "editor/frmParDoc.h"

namespace tabulizer {

void frmParDoc::lstDoc_ColumnClick(int header) {
    if (header <= 1) return;  // the line-number column
    const StepRow& row = StepRowOf(run_.CurStep);
    if (row.ColumnClick) (this->*row.ColumnClick)(header);
}

void frmParDoc::ToggleColumnEnd(int header) { ToggleColumnMark(d_.EndPoz, header, true); }

void frmParDoc::ToggleSeparatorColumn(int header) { ToggleColumnMark(d_.PozDiv, header, false); }

void frmParDoc::ToggleColumnMark(PosList& list, int header, bool columnEnds) {
    const i16 position = CheckedI16(header - 1);
    const ToggleResult result = TogglePosition(list, position);
    switch (result.Outcome) {
    case ToggleOutcome::Full:
        host_.MessageBox("Максимальное число позиций = " + std::to_string(kMaxColumns) +
                             " !  Дальнейшее назначение невозможно !",
                         ui::Buttons::Ok, ui::Icon::Question);
        return;
    case ToggleOutcome::Removed:
        lstDoc.ReplaceHeader(header, DocumentView::CharHeader(false));
        if (columnEnds && list[0] == 0) NextFr.Enabled = false;
        return;
    case ToggleOutcome::Added:
        lstDoc.ReplaceHeader(header, DocumentView::CharHeader(true));
        // Only the gap to the position before the new one counts.
        if (columnEnds && position - result.Previous == 1)
            host_.MessageBox("Ширина графы - 1 символ!", ui::Buttons::Ok, ui::Icon::Question);
        NextFr.Enabled = true;
        return;
    }
}

// Merges that start on another line never conflict, whatever their depth.
bool frmParDoc::ColumnTaken(int column) {
    const MergeCell& defined = d_.MergeCl[std::min<int>(d_.CountMerge, kMaxMerges)];
    for (int i = 0; i < d_.CountMerge && i < kMaxMerges; ++i) {
        const MergeCell& merge = d_.MergeCl[i];
        if (merge.NStr == defined.NStr && merge.BegCol <= column && column <= merge.EndCol) {
            host_.MessageBox("Повторное вхождение колонки  ! ", ui::Buttons::Ok, ui::Icon::Question);
            return true;
        }
    }
    return false;
}

// The widths the user gave the headers, in characters; an untouched header gives
// one more than its column's characters (its margin counts).
void frmParDoc::ComWidth_Click() {
    const int count = std::min<int>(d_.EndPoz[0], kMaxColumns);
    const int headers = static_cast<int>(lstDoc.Headers().size());
    for (int i = 1; i <= count && i + 1 <= headers; ++i)
        d_.WidthGraf[i] = static_cast<i16>(std::clamp(view::CharsOfWidth(lstDoc.Header(i + 1).Width), 0, 32767));
    d_.WidthGraf[0] = static_cast<i16>(count);
    NextFr.SetFocus();
}

}  // namespace tabulizer
