#pragma once
// A small window model with one control of every kind, for the renderer tests.
#include "ui/Controls.h"

namespace tabulizer::test {

struct SampleWindow : ui::Window {
    using Kind = ui::ControlKind;
    SampleWindow() : ui::Window("frmSample") {
        Caption = "Образец";
        Geometry = {0, 0, 6000, 4500};
        butGo.Picture = "forward";
        butGo.ToolTip = "Начать";
        butGo.Geometry = {150, 300, 1500, 450};
        txtLine.Geometry = {150, 1350, 3000, 300};
        txtPath.MultiLine = true;
        txtPath.Geometry = {150, 1800, 3000, 600};
        frChoice.Geometry = {3300, 300, 2400, 1500};
        optA.Geometry = {150, 300, 900, 300};
        optB.Value = 1;
        optC.Value = 1;
        picLogo.Picture = ":/pictures/back.png";
        lbHidden.Visible = false;
    }

    ui::Control butGo{*this, Kind::Button, "butGo"};
    ui::Control lbInfo{*this, Kind::Label, "lbInfo"};
    ui::Control txtLine{*this, Kind::TextBox, "txtLine"};
    ui::Control txtPath{*this, Kind::TextBox, "txtPath"};
    // Declared before its panel: the renderer must still put it inside.
    ui::Control optA{*this, Kind::OptionButton, "optA", &frChoice};
    ui::Control frChoice{*this, Kind::Panel, "frChoice"};
    ui::Control optB{*this, Kind::OptionButton, "optB", &frChoice};
    ui::Control frOther{*this, Kind::Panel, "frOther"};
    ui::Control optC{*this, Kind::OptionButton, "optC", &frOther};
    ui::Control cbFlag{*this, Kind::CheckBox, "cbFlag"};
    ui::Control picLogo{*this, Kind::Picture, "picLogo"};
    ui::Control lbHidden{*this, Kind::Label, "lbHidden"};
};

}  // namespace tabulizer::test
