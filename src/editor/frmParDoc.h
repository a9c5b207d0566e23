#pragma once
// The document description editor: fifteen steps over a view of the input
// document, each writing one answer straight into the description. It hands over
// through what its owner gives it: the conversion window after the last step, the
// wizard on Back from the first one, the help and options windows on their buttons.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "description/DocumentDescription.h"
#include "editor/DocumentView.h"
#include "editor/StepQuestions.h"
#include "editor/StepTable.h"
#include "ui/ComboBox.h"
#include "ui/Controls.h"
#include "ui/Host.h"
#include "ui/ListView.h"
#include "ui/UpDown.h"

namespace tabulizer {

// Whole points of a font size chosen in the font dialog: the nearest whole number,
// a half going to the even neighbour (10.5 gives 10, 11.5 gives 12).
i16 FontPoints(double size);

class frmParDoc : public ui::Window {
public:
    frmParDoc(DocumentDescription& description, RunState& run, ui::Host& host);

    static constexpr int kNarrowWidth = 10200;  // twips; steps 8 to 12 add a side panel

    // What lies beyond the editor, given by its owner.
    std::function<void()> OpenConversion;  // after step 15: the conversion window
    std::function<void()> ReturnToWizard;  // Back in step 1: the file wizard again
    std::function<void()> ShowHelp;        // ButHelp: the help window, not modal
    std::function<void()> UnloadHelp;      // when the editor finishes
    std::function<void()> ShowOptions;     // ButAdd: the additional parameters, not modal
    std::function<void()> StepChanged;     // a step was shown, on load, forwards or back

    // Shows the window, measures the document and enters step 1. May run again
    // after a return to the wizard: it starts afresh from the description.
    void Form_Load();
    // Shows the stored step again (or finishes after the last one).
    void ShowStep();

    StepId CurrentStep() const { return static_cast<StepId>(run_.CurStep); }
    const std::string& Question(StepId step) const { return Steps[StepIndex(step)].Question; }
    // The fixed line or postscript (slot + 1) whose columns the next column click gives; 0 none.
    i16 PendingFixedLine() const { return PendingFixRec; }
    // The header of the column selected in step 12; 0 none.
    int SelectedFormatColumn() const { return FormatCol; }

    // Whether `column` lies in a merge of the start line of the merge being defined
    // (says so to the user).
    bool ColumnTaken(int column);
    HeaderLook ColumnHeaderLook(int column) const { return view.ColumnHeaderLook(column); }

    static constexpr std::string_view kIntroduction =
        "В этом процессе Вы должны указать положение всех элементов входного документа и ответить на ряд "
        "вопросов по его структуре и параметрам. Навигация в диалоге выполняется кнопками ДАЛЕЕ и НАЗАД. Вы "
        "всегда можете вернуться к предыдущим вопросам и изменить Ваши ответы !";

    using Kind = ui::ControlKind;
    ui::Control lbHelp{*this, Kind::Label, "lbHelp"};
    ui::Control lbNumber{*this, Kind::Label, "lbNumber"};
    ui::Control txtQuestion{*this, Kind::TextBox, "txtQuestion"};
    ui::Control lbSumDoc{*this, Kind::Label, "lbSumDoc"};
    ui::Control BackFr{*this, Kind::Button, "BackFr"};
    ui::Control NextFr{*this, Kind::Button, "NextFr"};
    ui::Control ButHelp{*this, Kind::Button, "ButHelp"};
    ui::Control ButAdd{*this, Kind::Button, "ButAdd"};
    ui::Control ButExit{*this, Kind::Button, "ButExit"};
    ui::ListView lstDoc{*this, "lstDoc"};
    ui::Control ButUp{*this, Kind::Button, "ButUp"};
    ui::Control ButDown{*this, Kind::Button, "ButDown"};

    ui::Control FrameCod{*this, Kind::Panel, "FrameCod"};
    ui::Control optMsDos{*this, Kind::OptionButton, "optMsDos", &FrameCod};
    ui::Control optWin{*this, Kind::OptionButton, "optWin", &FrameCod};
    ui::Control cbFormFeed{*this, Kind::CheckBox, "cbFormFeed"};
    ui::Control ComWidth{*this, Kind::Button, "ComWidth"};

    // Merged cap cells (step 8).
    ui::Control FrameCap{*this, Kind::Panel, "FrameCap"};
    ui::Control lbMergeCols{*this, Kind::Label, "lbMergeCols", &FrameCap};
    // Each over its own box: the line, the start column, the end column.
    ui::Control lbMergeBeg{*this, Kind::Label, "lbMergeBeg", &FrameCap};
    ui::Control lbMergeEnd{*this, Kind::Label, "lbMergeEnd", &FrameCap};
    ui::Control txtBxStr{*this, Kind::TextBox, "txtBxStr", &FrameCap};
    ui::Control txtBxCB{*this, Kind::TextBox, "txtBxCB", &FrameCap};
    ui::Control txtBxCE{*this, Kind::TextBox, "txtBxCE", &FrameCap};
    ui::Control lbMergeDepth{*this, Kind::Label, "lbMergeDepth", &FrameCap};
    ui::Control TBDepth{*this, Kind::TextBox, "TBDepth", &FrameCap};
    ui::UpDown UpDwDepth{*this, "UpDwDepth", &TBDepth, &FrameCap};
    ui::Control cbline{*this, Kind::CheckBox, "cbline", &FrameCap};
    ui::Control lbMergeCount{*this, Kind::Label, "lbMergeCount", &FrameCap};
    ui::Control txtBxCoCap{*this, Kind::TextBox, "txtBxCoCap", &FrameCap};
    ui::Control ComDel{*this, Kind::Button, "ComDel", &FrameCap};

    // Fonts (steps 9 to 11).
    ui::Control FrameFont{*this, Kind::Panel, "FrameFont"};
    ui::Control lbFrFont{*this, Kind::Label, "lbFrFont", &FrameFont};
    ui::Control ComFont{*this, Kind::Button, "ComFont", &FrameFont};
    ui::Control lbNm{*this, Kind::Label, "lbNm", &FrameFont};
    ui::Control lbSz{*this, Kind::Label, "lbSz", &FrameFont};
    ui::Control lbSt{*this, Kind::Label, "lbSt", &FrameFont};
    ui::Control lbName{*this, Kind::Label, "lbName", &FrameFont};
    ui::Control lbSize{*this, Kind::Label, "lbSize", &FrameFont};
    ui::Control lbStyle{*this, Kind::Label, "lbStyle", &FrameFont};

    // Column formats (step 12).
    ui::Control FrameFormat{*this, Kind::Panel, "FrameFormat"};
    ui::Control lbFormat{*this, Kind::Label, "lbFormat", &FrameFormat};
    ui::Control lbFrmt{*this, Kind::Label, "lbFrmt", &FrameFormat};
    ui::ComboBox ComBoxForm{*this, "ComBoxForm", &FrameFormat};
    ui::Control FrameCn{*this, Kind::Panel, "FrameCn", &FrameFormat};
    ui::Control TBCn{*this, Kind::TextBox, "TBCn", &FrameCn};
    ui::UpDown UpDwCn{*this, "UpDwCn", &TBCn, &FrameCn};
    ui::Control lbCn{*this, Kind::Label, "lbCn", &FrameCn};
    ui::Control lbAlignment{*this, Kind::Label, "lbAlignment", &FrameFormat};
    ui::Control lbAlign{*this, Kind::Label, "lbAlign", &FrameFormat};
    ui::Control optAligLf{*this, Kind::OptionButton, "optAligLf", &FrameFormat};
    ui::Control optAligCn{*this, Kind::OptionButton, "optAligCn", &FrameFormat};
    ui::Control optAligRt{*this, Kind::OptionButton, "optAligRt", &FrameFormat};

    DocumentView view;

private:
    friend const StepRow& StepRowOf(int curStep);
    static const std::array<StepRow, kStepCount> kStepTable;

    // The step machine (frmParDocSteps.cpp).
    void NextFr_Click();
    void BackFr_Click();
    void ButHelp_Click();
    void ButAdd_Click();
    void ButExit_Click();
    void ShowPanels(const StepRow& row);
    void Widen(int sign);
    void EnterCodePage();
    void EnterColumnEnds();
    void EnterTitleEnd();
    void EnterCapEnd();
    void EnterReferenceLine();
    void EnterVerticalSeparators();
    void EnterMerges();
    void EnterFormats();
    void EnterWidths();
    void EnterLineRoles();
    void UndoTitleEnd();
    void UndoSeparators();
    void UndoVerticalSeparators();
    void UndoFormats();
    bool LeaveColumnEnds();
    bool LeaveReferenceLine();
    void Finish();
    bool SaveDescription();

    // Column headers, positions and widths (frmParDocColumns.cpp).
    void lstDoc_ColumnClick(int header);
    void ToggleColumnEnd(int header);
    void ToggleSeparatorColumn(int header);
    void ToggleColumnMark(PosList& list, int header, bool columnEnds);
    void ComWidth_Click();

    // Line roles (frmParDocRoles.cpp).
    void lstDoc_Click();
    void lstDoc_MouseDown();
    void lstDoc_ItemClick(int item);
    void TakeHeadLine(int item);

    // Separators, fixed lines and the postscript (frmParDocLines.cpp): a click
    // assigns or releases the line of `item`; false when refused.
    struct LineRole {
        const char* Label;
        int First, Last;     // slots
        const char* Steps;   // the steps where a line of another role is released
        StepId Step;         // the step of the role
    };
    static constexpr LineRole kSeparatorRole{" Разделитель", 0, 14, "14 или 15", StepId::Separators};
    static constexpr LineRole kFixedLineRole{" Ф.С.", 1, 30, "6 или 15", StepId::FixedLines};
    static constexpr LineRole kPostscriptRole{" P.S.", 0, 0, "6 или 14", StepId::Postscript};
    bool AssignLine(int item, const LineRole& role);
    void AssignSeparator(int item) { AssignLine(item, kSeparatorRole); }
    void AssignFixedLine(int item) { AssignLine(item, kFixedLineRole); }
    void AssignPostscript(int item) { AssignLine(item, kPostscriptRole); }
    bool ReleaseLine(int item, const LineRole& role);
    bool TakeLine(int item, const LineRole& role);
    bool SlotFree(const LineRole& role, int slot) const;
    void FixColumnClick(int header);

    // Merged cap cells (frmParDocMerges.cpp).
    void StartMerge(int item);
    void MergeColumnClick(int header);
    void UpDwDepth_Change();
    void TBDepth_Change();
    void TBDepth_Enter();
    void cbline_Click();
    void ComDel_Click();
    void ShowMerge(bool keep);
    void AllowMergeChoices(bool allowed);
    MergeCell& DefinedMerge();
    void LockNavigation(bool locked);

    // Code page, form feed, fonts and formats (frmParDocFormats.cpp).
    void optMsDos_Click();
    void optWin_Click();
    void cbFormFeed_Click();
    void ComFont_Click();
    void SelectFormatColumn(int header);  // 0: no column
    void ComBoxForm_Click();
    void UpDwCn_Change();
    void TBCn_Change();
    void TBCn_Enter();
    void optAlig_MouseUp(ui::Control& option, int alignment);  // 1 left, 2 centre, 3 right
    void ResetFormatPanel();
    void ShowFormatPanel(const FormatCell& cell);
    void FillFormatPanel(int form, int decimals, int alignment);
    FormatCell* ChangedFormat();

    void SetUpControls();
    void SetUpAccessibleNames();
    void LayOut();
    void WireHandlers();
    void ShowSums();
    void ReportLimits();
    void FocusNext();
    void GoForwardTo(int step);

    std::array<StepRecord, 20> Steps{};
    bool Wide = false;  // the window has the room of a side panel
    bool SepViewPending = false;
    bool ClickTaken = false;
    i16 PendingFixRec = 0;
    int FormatCol = 0;   // header of the column selected in step 12; 0 none, -1 reset only
    int ClickedCol = 0;
    bool FormatChanged = false;
    bool FillingFormatPanel = false;  // the logic, not the user, is writing the panel

    DocumentDescription& d_;
    RunState& run_;
    ui::Host& host_;
};

}  // namespace tabulizer
