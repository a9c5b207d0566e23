// The fifteen rows. A row's "shows" part is read by the document view and by the
// window when it enters the step; its "does" part names the window's handlers.
#include <algorithm>

#include "editor/ViewMeasures.h"
#include "editor/frmParDoc.h"

namespace tabulizer {
namespace {

constexpr int kLabelFirstColumn = 1550;  // line numbers and labels beside column headers
constexpr int kHidden = view::kHiddenColumn;

}  // namespace

using F = frmParDoc;

// clang-format off
const std::array<StepRow, kStepCount> frmParDoc::kStepTable{{
    // CodePage: the list is hidden; the view is filled for the later steps.
    {CellCut::Chars, FirstLine::Top, LastLine::DocumentEnd, LabelKind::HeadLines, HeaderKind::Kept, 0, -1,
     StepPanel::CodePage, 9, &F::EnterCodePage, nullptr, nullptr, nullptr, nullptr},
    // ColumnEnds
    {CellCut::Chars, FirstLine::Top, LastLine::DocumentEnd, LabelKind::HeadLines, HeaderKind::Kept, 0, -1,
     StepPanel::None, 9, &F::EnterColumnEnds, nullptr, nullptr, &F::ToggleColumnEnd, &F::LeaveColumnEnds},
    // TitleEnd
    {CellCut::Chars, FirstLine::Top, LastLine::DocumentEnd, LabelKind::HeadLines, HeaderKind::Kept, 0, -1,
     StepPanel::None, 9, &F::EnterTitleEnd, &F::UndoTitleEnd, &F::TakeHeadLine, nullptr, nullptr},
    // CapEnd
    {CellCut::Chars, FirstLine::Top, LastLine::DocumentEnd, LabelKind::HeadLines, HeaderKind::Kept, 0, -1,
     StepPanel::None, 12, &F::EnterCapEnd, nullptr, &F::TakeHeadLine, nullptr, nullptr},
    // ReferenceLine
    {CellCut::Chars, FirstLine::Top, LastLine::DocumentEnd, LabelKind::HeadLines, HeaderKind::Kept, 0, -1,
     StepPanel::FormFeed, 9, &F::EnterReferenceLine, nullptr, &F::TakeHeadLine, nullptr, &F::LeaveReferenceLine},
    // Separators
    {CellCut::Chars, FirstLine::Top, LastLine::DocumentEnd, LabelKind::Roles, HeaderKind::Kept, 0, -1,
     StepPanel::None, 9, nullptr, &F::UndoSeparators, &F::AssignSeparator, nullptr, nullptr},
    // VerticalSeparators
    {CellCut::Chars, FirstLine::Top, LastLine::DocumentEnd, LabelKind::None, HeaderKind::Kept, 0, -1,
     StepPanel::None, 9, &F::EnterVerticalSeparators, &F::UndoVerticalSeparators, nullptr,
     &F::ToggleSeparatorColumn, nullptr},
    // Merges
    {CellCut::Columns, FirstLine::AfterTitle, LastLine::CapEnd, LabelKind::Merges, HeaderKind::DocumentColumns,
     kLabelFirstColumn, -1, StepPanel::Merges, 9, &F::EnterMerges, nullptr, &F::StartMerge, &F::MergeColumnClick,
     nullptr},
    // TitleFont
    {CellCut::WholeLine, FirstLine::Top, LastLine::TitleEnd, LabelKind::None, HeaderKind::WholeLine, kHidden, 0,
     StepPanel::Font, 9, nullptr, nullptr, nullptr, nullptr, nullptr},
    // CapFont
    {CellCut::Columns, FirstLine::AfterTitle, LastLine::CapEnd, LabelKind::None, HeaderKind::OutputColumns, kHidden, 1,
     StepPanel::Font, 9, nullptr, nullptr, nullptr, nullptr, nullptr},
    // InfoFont
    {CellCut::Columns, FirstLine::AfterCap, LastLine::DocumentEnd, LabelKind::None, HeaderKind::OutputColumns, kHidden,
     2, StepPanel::Font, 9, nullptr, nullptr, nullptr, nullptr, nullptr},
    // Formats
    {CellCut::Columns, FirstLine::AfterCap, LastLine::DocumentEnd, LabelKind::None, HeaderKind::DocumentColumns,
     kHidden, -1, StepPanel::Format, 9, &F::EnterFormats, &F::UndoFormats, nullptr, &F::SelectFormatColumn, nullptr},
    // Widths
    {CellCut::Columns, FirstLine::AfterTitle, LastLine::DocumentEnd, LabelKind::None, HeaderKind::OutputColumns,
     kHidden, -1, StepPanel::Widths, 9, nullptr, nullptr, nullptr, nullptr, nullptr},
    // FixedLines
    {CellCut::Columns, FirstLine::AfterCap, LastLine::DocumentEnd, LabelKind::Roles, HeaderKind::DocumentColumns,
     kLabelFirstColumn, -1, StepPanel::None, 9, &F::EnterLineRoles, nullptr, &F::AssignFixedLine, &F::FixColumnClick,
     nullptr},
    // Postscript: the last page first, the lines as printed.
    {CellCut::ColumnsAsPrinted, FirstLine::LastPage, LastLine::DocumentEnd, LabelKind::Roles, HeaderKind::Kept, 0, -1,
     StepPanel::None, 9, &F::EnterLineRoles, nullptr, &F::AssignPostscript, &F::FixColumnClick, nullptr},
}};
// clang-format on

const StepRow& StepRowOf(int curStep) {
    return frmParDoc::kStepTable[static_cast<std::size_t>(std::clamp(curStep, 0, kStepCount - 1))];
}

}  // namespace tabulizer
