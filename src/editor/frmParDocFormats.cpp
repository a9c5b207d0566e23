// Code page (step 1), form feed instead of a reference line (step 5), and the
// column format panel (step 12).
#include <algorithm>
#include <cmath>
#include <optional>

#include "common/Int16.h"
#include "editor/TypedNumber.h"
#include "editor/frmParDoc.h"

namespace tabulizer {
namespace {

constexpr int kDefaultDecimals = 2;

bool HasDecimals(int form) { return form >= 1 && form <= 3; }

// A whole number 0..20 written as plain digits; anything else is no count of decimals.
std::optional<int> Decimals(const std::string& text) { return TypedNumber(text, 0, 20); }

}  // namespace

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
        txtQuestion.SetText(Question(StepId::ReferenceLine));
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

// Sizes such as 10.5 points come from the dialog; the project holds whole points,
// a half going to the even neighbour.
i16 FontPoints(double size) {
    double whole = std::floor(size);
    const double fraction = size - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0)) whole += 1;
    return CheckedI16(static_cast<long long>(std::clamp(whole, 1.0, 1638.0)));
}

// The font steps: the font of the title, the cap or the information lines.
void frmParDoc::ComFont_Click() {
    const int slot = StepRowOf(run_.CurStep).FontSlot;
    if (slot < 0) return;
    Font& font = d_.Fonts[slot];
    const ui::FontChoice initial{font.Name, double(font.Size), (font.Style & 1) != 0, (font.Style & 2) != 0};
    std::optional<ui::FontChoice> chosen = host_.FontDialog(initial);
    if (!chosen || chosen->Name.empty()) return;
    font.Name = chosen->Name;
    font.Size = FontPoints(chosen->Size);
    font.Style = static_cast<i16>((chosen->Bold ? 1 : 0) + (chosen->Italic ? 2 : 0));
    view.BuildColumnHeaders(1);
    view.FillView();
}

// Selecting a column of step 12; header 0 with FormatCol -1 only resets the panel.
// A column keeps its format only when something changed while it was selected.
void frmParDoc::SelectFormatColumn(int header) {
    if (FormatCol == -1) {
        ResetFormatPanel();
        return;
    }
    ClickedCol = header;
    if (FormatCol > 0) {
        if (FormatChanged) {
            FormatChanged = false;
            view.SetColumnImage(FormatCol - 1, "Arrow");
        } else {
            d_.CountFormat = CheckedI16(d_.CountFormat - 1);
            d_.FormatCells.at(FormatCol - 2).Col = 0;
            view.SetColumnImage(FormatCol - 1, "Bir");
        }
        if (header == FormatCol) {
            FormatCol = 0;
            FrameFormat.Enabled = false;
            ResetFormatPanel();
            return;
        }
    }
    FormatCol = header;
    view.SetColumnImage(header - 1, "Green");
    FrameFormat.Enabled = true;
    FormatCell& cell = d_.FormatCells.at(header - 2);
    if (cell.Col < 1) {
        d_.CountFormat = CheckedI16(d_.CountFormat + 1);
        cell.Col = static_cast<i16>(header - 1);
        ResetFormatPanel();
        return;
    }
    ShowFormatPanel(cell);
}

// What the logic writes into the panel is no change of the user's.
void frmParDoc::FillFormatPanel(int form, int decimals, int alignment) {
    FillingFormatPanel = true;
    ComBoxForm.SetListIndex(form);
    FrameCn.Visible = HasDecimals(form);
    UpDwCn.SetPosition(decimals);
    TBCn.SetText(std::to_string(decimals));
    ui::Control* options[] = {&optAligLf, &optAligCn, &optAligRt};
    for (int a = 1; a <= 3; ++a) {
        ui::Control& option = *options[a - 1];
        if (option.Value != (a == alignment ? 1 : 0)) {
            option.Value = a == alignment ? 1 : 0;
            option.Touch();
        }
    }
    FillingFormatPanel = false;
}

void frmParDoc::ResetFormatPanel() { FillFormatPanel(-1, kDefaultDecimals, 0); }

void frmParDoc::ShowFormatPanel(const FormatCell& cell) { FillFormatPanel(cell.Form, cell.Cn, cell.Alig); }

// The entry the panel's changes go to; none while no column is selected.
FormatCell* frmParDoc::ChangedFormat() {
    if (FillingFormatPanel || FormatCol <= 0 || ClickedCol < 2) return nullptr;
    FormatChanged = true;
    return &d_.FormatCells.at(ClickedCol - 2);
}

void frmParDoc::ComBoxForm_Click() {
    FormatCell* cell = ChangedFormat();
    if (cell == nullptr || ComBoxForm.ListIndex() < 0) return;
    cell->Form = static_cast<i16>(ComBoxForm.ListIndex());
    const int decimals = HasDecimals(cell->Form) ? kDefaultDecimals : 0;
    cell->Cn = static_cast<i16>(decimals);
    FillingFormatPanel = true;
    FrameCn.Visible = HasDecimals(cell->Form);
    UpDwCn.SetPosition(kDefaultDecimals);
    TBCn.SetText(std::to_string(kDefaultDecimals));
    FillingFormatPanel = false;
}

void frmParDoc::UpDwCn_Change() {
    if (FormatCell* cell = ChangedFormat()) cell->Cn = static_cast<i16>(UpDwCn.Position());
}

// A number typed into the box is taken as the spin control's value; a text that is
// no whole number 0..20 leaves the decimals as they were.
void frmParDoc::TBCn_Change() {
    if (FillingFormatPanel) return;
    if (std::optional<int> decimals = Decimals(TBCn.Text())) UpDwCn.SetPosition(*decimals);
}

// Enter in the box puts back the decimals in force when the text was refused.
void frmParDoc::TBCn_Enter() {
    if (Decimals(TBCn.Text()) || FillingFormatPanel) return;
    FillingFormatPanel = true;
    TBCn.SetText(std::to_string(UpDwCn.Position()));
    FillingFormatPanel = false;
}

// Clicking the selected alignment again removes the alignment.
void frmParDoc::optAlig_MouseUp(ui::Control& option, int alignment) {
    FormatCell* cell = ChangedFormat();
    if (cell == nullptr) return;
    if (cell->Alig == alignment) {
        option.Value = 0;
        option.Touch();
        cell->Alig = 0;
        return;
    }
    cell->Alig = static_cast<i16>(alignment);
}

}  // namespace tabulizer
