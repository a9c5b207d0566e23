#pragma once
// The additional-parameters dialog: five output options that belong to no element
// of the report (zero values, empty lines, row underlines, column dividers, all
// pages as one flat table). Not
// modal; every tick is written into the description at once and there is nothing
// to confirm or undo.
//
// The editor owns one instance: ButAdd shows it with ShowDialog(), the editor's
// end unloads it with CloseDialog(). The dialog keeps no values of its own, so a
// second ShowDialog() (after "Закрыть" too) shows the description as it is then.
#include "description/DocumentDescription.h"
#include "ui/Controls.h"
#include "ui/Host.h"

namespace tabulizer {

class frmAddPar : public ui::Window {
public:
    frmAddPar(DocumentDescription& description, ui::Host& host);

    // Ticks the boxes from the description and shows the dialog (again).
    void ShowDialog();
    // Unloads the dialog when it is shown; a later ShowDialog() loads it again.
    void CloseDialog();

    void Form_Load();
    void NoNull_Click();
    void noEmpty_Click();
    void UnderLine_Click();
    void VertLine_Click();
    void FlatTable_Click();
    void ButClose_Click();

    using Kind = ui::ControlKind;
    ui::Control NoNull{*this, Kind::CheckBox, "NoNull"};
    ui::Control noEmpty{*this, Kind::CheckBox, "noEmpty"};
    ui::Control UnderLine{*this, Kind::CheckBox, "UnderLine"};
    ui::Control VertLine{*this, Kind::CheckBox, "VertLine"};
    ui::Control FlatTable{*this, Kind::CheckBox, "FlatTable"};
    ui::Control ButClose{*this, Kind::Button, "ButClose"};

private:
    void SetUpControls();

    DocumentDescription& description_;
    ui::Host& host_;
};

}  // namespace tabulizer
