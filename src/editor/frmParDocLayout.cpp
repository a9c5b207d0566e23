// Captions, start state and positions of the editor's controls (twips).
#include "editor/frmParDoc.h"

namespace tabulizer {
namespace {

constexpr int kHeight = 8400;
constexpr int kSideLeft = 10100;  // the side panels of steps 8 to 12, beyond the narrow window
constexpr int kSideWidth = 3000;

}  // namespace

void frmParDoc::SetUpControls() {
    Caption = "Параметры Входного и Выходного документа";
    lbHelp.Caption = std::string(kIntroduction);
    txtQuestion.MultiLine = true;
    BackFr.Picture = ":/pictures/back.png";
    NextFr.Picture = ":/pictures/forward.png";
    ButHelp.Caption = "Справка";
    ButAdd.Caption = "Дополнительные параметры";
    ButExit.Caption = "Выход";
    ButUp.ToolTip = "Предыдущая страница";
    ButDown.ToolTip = "Следующая страница";
    ButUp.Picture = ":/pictures/up.png";  // the colour tells whether there is a page that way
    ButDown.Picture = ":/pictures/down.png";
    Stretch = &lstDoc;  // an enlarged window shows more of the document

    FrameCod.Caption = "Кодировка";
    optMsDos.Caption = "MS DOS";
    optWin.Caption = "Windows";
    cbFormFeed.Caption = "вместо Эталона использовать символ Конец листа";
    ComWidth.Caption = "Установить ширину граф";

    lbMergeCols.Caption = "Стр";
    lbMergeBeg.Caption = "Н";
    lbMergeEnd.Caption = "К";
    // Two columns of two lines, over the depth box and over the check box.
    lbMergeDepth.Caption = "Число       Есть линия\nстрок        снизу";
    lbMergeCount.Caption = "Счётчик объединений";
    ComDel.Caption = "Отменить последнее объединение";
    UpDwDepth.SetRange(1, 1);

    lbFrFont.Caption = "Выбор шрифта";
    ComFont.Caption = "Выбрать шрифт";
    lbNm.Caption = "Имя:";
    lbSz.Caption = "Размер:";
    lbSt.Caption = "Стиль:";

    lbFormat.Caption = "Формат данных";
    lbFrmt.Caption = "Формат";
    ComBoxForm.SetEntries({"Общий", "Числовой", "Денежный", "Процентный", "Текстовый"});
    TBCn.SetText("2");
    UpDwCn.SetRange(0, 20, 1);
    UpDwCn.SetPosition(2);
    lbCn.Caption = "Знаков после запятой";
    lbAlignment.Caption = "Выравнивание";
    lbAlign.Caption = "Влево Центр Вправо";
    SetUpAccessibleNames();
}

// What a screen reader calls the controls whose caption does not say it: the arrow
// buttons by their direction, the panels by their title, a box, a spinner or an
// option without caption by the label that stands above or beside it.
void frmParDoc::SetUpAccessibleNames() {
    txtQuestion.AccessibleName = "Вопрос шага";
    BackFr.ToolTip = BackFr.AccessibleName = "Назад";
    NextFr.ToolTip = NextFr.AccessibleName = "Далее";
    lstDoc.AccessibleName = "Входной документ";

    FrameCap.AccessibleName = "Объединённые графы шапки";
    txtBxStr.AccessibleName = "Строка начала объединения";
    txtBxCB.AccessibleName = "Графа начала объединения";
    txtBxCE.AccessibleName = "Графа конца объединения";
    TBDepth.AccessibleName = UpDwDepth.AccessibleName = "Число строк объединения";
    cbline.AccessibleName = "Есть линия снизу";
    txtBxCoCap.AccessibleName = lbMergeCount.Caption;

    FrameFont.AccessibleName = lbFrFont.Caption;

    FrameFormat.AccessibleName = lbFormat.Caption;
    ComBoxForm.AccessibleName = lbFrmt.Caption;
    FrameCn.AccessibleName = TBCn.AccessibleName = UpDwCn.AccessibleName = lbCn.Caption;
    optAligLf.AccessibleName = "Выравнивание влево";
    optAligCn.AccessibleName = "Выравнивание по центру";
    optAligRt.AccessibleName = "Выравнивание вправо";
}

// The state every load starts from: the narrow window of step 1 without side panels.
void frmParDoc::LayOut() {
    Geometry = {0, 0, kNarrowWidth, kHeight};
    lbHelp.Geometry = {120, 120, 6700, 1200};
    lbNumber.Geometry = {6960, 120, 700, 600};
    lbNumber.FontSize = 24;
    lbSumDoc.Geometry = {7740, 120, 2340, 840};
    txtQuestion.Geometry = {120, 1440, 9960, 900};
    txtQuestion.FontSize = 9;
    FrameCod.Geometry = {120, 2460, 4000, 900};
    optMsDos.Geometry = {240, 360, 1600, 300};
    optWin.Geometry = {2040, 360, 1600, 300};
    cbFormFeed.Geometry = {120, 2460, 6000, 300};
    lstDoc.Geometry = {120, 2880, 9480, 4320};
    ButUp.Geometry = {9700, 2880, 380, 600};
    ButDown.Geometry = {9700, 6600, 380, 600};
    BackFr.Geometry = {120, 7440, 900, 600};
    NextFr.Geometry = {1140, 7440, 900, 600};
    ButHelp.Geometry = {3600, 7500, 1300, 480};
    ButAdd.Geometry = {5040, 7500, 3000, 480};
    ButExit.Geometry = {8880, 7500, 1200, 480};

    FrameCap.Geometry = {kSideLeft, 120, kSideWidth, 3900};
    lbMergeCols.Geometry = {120, 300, 800, 255};
    lbMergeBeg.Geometry = {1040, 300, 800, 255};
    lbMergeEnd.Geometry = {1960, 300, 800, 255};
    txtBxStr.Geometry = {120, 600, 800, 360};
    txtBxCB.Geometry = {1040, 600, 800, 360};
    txtBxCE.Geometry = {1960, 600, 800, 360};
    lbMergeDepth.Geometry = {120, 1080, 2760, 480};
    TBDepth.Geometry = {120, 1620, 600, 360};
    UpDwDepth.Geometry = {720, 1620, 330, 360};  // arrows wide enough to hit
    cbline.Geometry = {1260, 1640, 300, 300};  // under "Есть линия"
    lbMergeCount.Geometry = {120, 2060, 2000, 480};  // room for two lines beside its box
    txtBxCoCap.Geometry = {2160, 2120, 720, 360};
    ComDel.Geometry = {120, 2700, 2760, 720};
    AllowMergeChoices(false);
    // The line, the columns and the count follow the clicks in the view.
    for (ui::Control* shown : {&txtBxStr, &txtBxCB, &txtBxCE, &txtBxCoCap}) shown->ReadOnly = true;

    FrameFont.Geometry = {kSideLeft, 100, kSideWidth, 2400};
    lbFrFont.Geometry = {120, 240, 2760, 255};
    ComFont.Geometry = {120, 600, 2760, 420};
    lbNm.Geometry = {120, 1140, 900, 255};
    lbSz.Geometry = {120, 1440, 900, 255};
    lbSt.Geometry = {120, 1740, 900, 480};  // as tall as its value, so that both centre alike
    lbName.Geometry = {1080, 1140, 1800, 255};
    lbSize.Geometry = {1080, 1440, 1800, 255};
    lbStyle.Geometry = {1080, 1740, 1800, 480};  // "Bold", a line break, "Italic"

    FrameFormat.Geometry = {kSideLeft + 25, 2300, kSideWidth - 50, 3400};
    lbFormat.Geometry = {120, 240, 2700, 255};
    lbFrmt.Geometry = {120, 600, 2700, 255};
    ComBoxForm.Geometry = {120, 900, 2700, 360};
    FrameCn.Geometry = {120, 1380, 2700, 600};
    TBCn.Geometry = {120, 180, 500, 360};
    UpDwCn.Geometry = {620, 180, 330, 360};
    lbCn.Geometry = {960, 180, 1700, 360};
    lbAlignment.Geometry = {120, 2100, 2700, 255};
    lbAlign.Geometry = {120, 2400, 2700, 255};
    // Each option under its word of lbAlign.
    optAligLf.Geometry = {260, 2700, 300, 300};
    optAligCn.Geometry = {870, 2700, 300, 300};
    optAligRt.Geometry = {1600, 2700, 300, 300};
    ComWidth.Geometry = {cbFormFeed.Geometry.Left + 200, cbFormFeed.Geometry.Top - 150, 3000, 420};

    for (ui::Control* hidden : {&FrameCap, &FrameFont, &FrameFormat, &FrameCn, &ComWidth, &cbFormFeed})
        hidden->Visible = false;
    FrameFormat.Enabled = false;
    for (ui::Control* on : {static_cast<ui::Control*>(&lstDoc), &ButUp, &ButDown, &FrameCod, &BackFr, &NextFr})
        on->Enabled = true;
    cbFormFeed.Value = 0;
}

}  // namespace tabulizer
