// Captions, hints, start state and positions of the wizard's controls.
#include <tuple>

#include "shell/frmOpenFile.h"

namespace tabulizer {
namespace {

constexpr int kPanelLeft = 120;
constexpr int kPanelWidth = 7440;
constexpr int kPathPanelHeight = 1080;

// One path panel: its label above a two-line box with the browse button beside it.
void LayOutPathPanel(ui::Control& panel, int top, ui::Control& label, ui::Control& box, ui::Control& browse) {
    panel.Geometry = {kPanelLeft, top, kPanelWidth, kPathPanelHeight};
    label.Geometry = {120, 60, 3000, 255};
    box.Geometry = {120, 330, 5880, 630};
    browse.Geometry = {6120, 360, 1200, 420};
}

// A question panel: its label above the two options "Да" and "Нет".
void LayOutQuestionPanel(ui::Control& panel, int left, ui::Control& label, ui::Control& yes, ui::Control& no) {
    panel.Geometry = {left, 3960, 3600, 900};
    label.Geometry = {120, 60, 3360, 255};
    yes.Geometry = {240, 420, 1200, 300};
    no.Geometry = {1680, 420, 1200, 300};
}

}  // namespace

void frmOpenFile::SetUpControls() {
    Caption = "Файлы";
    lbInDoc.Caption = "Входной документ";
    lbIniFile.Caption = "Описание проекта";
    lbOutDoc.Caption = "Выходной документ";
    ButInDoc.Caption = ButIniDoc.Caption = ButOutDoc.Caption = "Обзор";
    txtInDoc.MultiLine = txtIniDoc.MultiLine = txtOutDoc.MultiLine = true;
    // The initial texts are set before the change handlers exist, so their line
    // breaks stay and the prompts show on two lines.
    txtInDoc.SetText("Маршрут и имя файла \r\nвходного документа\r\n");
    txtOutDoc.SetText("Маршрут и имя файла \r\nвыходного документа\r\n");
    CBoxNoClose.Caption = "не закрывать выходной документ";
    CBoxAutoMark.Caption = CBoxAutoMark.AccessibleName = "разметить документ автоматически";
    CBoxAutoMark.ToolTip = "Найти описание по тексту документа; в редакторе его можно проверить и исправить";
    CBoxAutoMark.Value = 1;
    lbSaveName.Caption = "Групповой проект ?";
    optGrPrYes.Caption = "Да";
    optGrPrYes.ToolTip = "Одно описание проекта для группы файлов";
    optGrPrNo.Caption = "Нет";
    optGrPrNo.ToolTip = "Проект для конкретного файла - имя файла в описании";
    optGrPrNo.Value = 1;
    lbMogIni.Caption = "Модифицировать проект ?";
    optModYes.Caption = "Да";
    optModNo.Caption = "Нет";
    optModNo.Value = 1;
    BackFr.Picture = ":/pictures/back.png";
    NextFr.Picture = ":/pictures/forward.png";
    BackFr.ToolTip = BackFr.AccessibleName = "Назад";
    NextFr.ToolTip = NextFr.AccessibleName = "Далее";
    // A path box and its panel are called by the title the panel shows.
    for (auto [panel, label, box] : {std::tuple{&frInDoc, &lbInDoc, &txtInDoc},
                                     std::tuple{&frIniDoc, &lbIniFile, &txtIniDoc},
                                     std::tuple{&frOutDoc, &lbOutDoc, &txtOutDoc}})
        panel->AccessibleName = box->AccessibleName = label->Caption;
    frGroupProj.AccessibleName = lbSaveName.Caption;
    frModIni.AccessibleName = lbMogIni.Caption;
    ButExit.Caption = "Выход";

    for (ui::Control* panel : {&frInDoc, &frIniDoc, &frOutDoc, &frGroupProj, &frModIni})
        panel->Visible = false;
    CBoxNoClose.Visible = CBoxAutoMark.Visible = false;
    NextFr.Enabled = false;
    LayOut();
}

void frmOpenFile::LayOut() {
    Geometry = {0, 0, 7680, 5820};
    LayOutPathPanel(frInDoc, 120, lbInDoc, txtInDoc, ButInDoc);
    LayOutPathPanel(frIniDoc, 1260, lbIniFile, txtIniDoc, ButIniDoc);
    LayOutPathPanel(frOutDoc, 2400, lbOutDoc, txtOutDoc, ButOutDoc);
    // Outside the output panel: it stays visible when the panel is hidden by it.
    CBoxNoClose.Geometry = {240, 3540, 4200, 300};
    LayOutQuestionPanel(frGroupProj, kPanelLeft, lbSaveName, optGrPrYes, optGrPrNo);
    LayOutQuestionPanel(frModIni, 3960, lbMogIni, optModYes, optModNo);
    // A new project has no question to modify: its place holds the automatic marking.
    CBoxAutoMark.Geometry = {4080, 4380, 3480, 300};
    BackFr.Geometry = {120, 5040, 900, 600};
    NextFr.Geometry = {1140, 5040, 900, 600};
    ButExit.Geometry = {6360, 5100, 1200, 480};
}

}  // namespace tabulizer
