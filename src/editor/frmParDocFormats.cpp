// Code page (step 1), form feed instead of a reference line (step 5), and the
// column format panel (step 12).
#include "editor/frmParDoc.h"

namespace tabulizer {

void frmParDoc::optMsDos_Click() {
    d_.Code = false;
    view.FillView();
}

void frmParDoc::optWin_Click() {
    d_.Code = true;
    view.FillView();
}

void frmParDoc::cbFormFeed_Click() {
    d_.FormFeed = cbFormFeed.Value != 0;
    if (!d_.FormFeed) {
        NextFr.Enabled = false;
        txtQuestion.SetText(Steps[4].Question);
        return;
    }
    NextFr.Enabled = true;
    NextFr.SetFocus();
    txtQuestion.SetText("");
    if (d_.EtalStrN > 0) {
        d_.EtalStrN = 0;
        d_.EtalStr.clear();
        view.FillView();
    }
}

// Selecting a column of step 12; header 0 with FormatCol -1 only resets the panel.
void frmParDoc::SelectFormatColumn(int header) {
    if (FormatCol == -1) {
        ResetFormatPanel();
        return;
    }
    ClickedCol = header;
}

void frmParDoc::ResetFormatPanel() {
    FrameCn.Visible = false;
    ComBoxForm.SetListIndex(-1);
    TBCn.SetText("2");
    for (ui::Control* option : {&optAligLf, &optAligCn, &optAligRt}) option->Value = 0;
}

}  // namespace tabulizer
