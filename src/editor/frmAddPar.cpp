#include "editor/frmAddPar.h"

namespace tabulizer {

frmAddPar::frmAddPar(DocumentDescription& description, ui::Host& host)
    : ui::Window("frmAddPar"), description_(description), host_(host) {
    SetUpControls();
    NoNull.OnClick = [this] { NoNull_Click(); };
    noEmpty.OnClick = [this] { noEmpty_Click(); };
    UnderLine.OnClick = [this] { UnderLine_Click(); };
    VertLine.OnClick = [this] { VertLine_Click(); };
    FlatTable.OnClick = [this] { FlatTable_Click(); };
    ButClose.OnClick = [this] { ButClose_Click(); };
    // The frame's close button does what "Закрыть" does: the ticks are already kept.
    OnClose = [this] { ButClose_Click(); };
}

void frmAddPar::SetUpControls() {
    Caption = "Дополнительные параметры";
    NoNull.Caption = "- не выводить Нулевые значения ячеек";
    noEmpty.Caption = "- не выводить пустые строки в информационной   части документа";
    UnderLine.Caption = "- подчёркивать каждую строку /тонкая линия/";
    VertLine.Caption = "- выводить разделители граф";
    FlatTable.Caption = "- все страницы одной таблицей на одном листе";
    ButClose.Caption = "Закрыть";
    Geometry = {0, 0, 7500, 3120};
    int top = 180;
    for (ui::Control* box : {&NoNull, &noEmpty, &UnderLine, &VertLine, &FlatTable}) {
        box->Geometry = {240, top, 7020, 330};
        top += 420;
    }
    ButClose.Geometry = {5760, 2430, 1500, 450};
}

void frmAddPar::ShowDialog() {
    Form_Load();
    host_.Show(*this);
    ButClose.SetFocus();
}

void frmAddPar::CloseDialog() {
    if (Visible) host_.Unload(*this);
}

// The boxes are set without their click handlers: loading changes nothing.
void frmAddPar::Form_Load() {
    NoNull.Value = description_.DelNull ? 1 : 0;
    noEmpty.Value = description_.NoSpace ? 1 : 0;
    UnderLine.Value = description_.UnderStr ? 1 : 0;
    VertLine.Value = description_.DivideCol ? 1 : 0;
    FlatTable.Value = description_.Flat ? 1 : 0;
}

void frmAddPar::NoNull_Click() { description_.DelNull = NoNull.Value != 0; }
void frmAddPar::noEmpty_Click() { description_.NoSpace = noEmpty.Value != 0; }
void frmAddPar::UnderLine_Click() { description_.UnderStr = UnderLine.Value != 0; }
void frmAddPar::VertLine_Click() { description_.DivideCol = VertLine.Value != 0; }
void frmAddPar::FlatTable_Click() { description_.Flat = FlatTable.Value != 0; }

void frmAddPar::ButClose_Click() { host_.Unload(*this); }

}  // namespace tabulizer
