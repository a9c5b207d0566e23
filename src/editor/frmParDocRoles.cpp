// Clicks on the lines of the view and the column clicks that shape merged cap
// cells, fixed lines and the postscript. The roles themselves (title end, cap end,
// reference line, separators, fixed lines, postscript, merges) are assigned here.
#include "editor/ItemText.h"
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
    const StepRow& row = StepRowOf(run_.CurStep);
    if (row.LineClick) (this->*row.LineClick)(item);
}

// Steps 3 to 5: the title end, the cap end and the reference line. Out-of-order
// clicks are ignored without a message; a labelled line is taken as it is.
void frmParDoc::TakeHeadLine(int item) {
    const StepId step = CurrentStep();
    if (step == StepId::ReferenceLine) cbFormFeed.SetValue(0);  // a reference line replaces the form feed
    const std::string& text = lstDoc.Item(item).Text;
    const i16 n = static_cast<i16>(ItemLineNumber(text));
    i16& field = step == StepId::TitleEnd ? d_.EndTitle : step == StepId::CapEnd ? d_.EndCap : d_.EtalStrN;
    if (ItemHasLabel(text)) {
        if (field == n) return;
    } else if ((step == StepId::TitleEnd && d_.EndCap != 0 && n > d_.EndCap) ||
               (step == StepId::CapEnd && n < d_.EndTitle) || (step == StepId::ReferenceLine && n > d_.EndCap)) {
        return;
    }
    field = n;
    NextFr.Enabled = true;
    view.FillView();  // also takes the reference line's text
}

}  // namespace tabulizer
