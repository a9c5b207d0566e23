#pragma once
// The fifteen steps of the editor in one table: what each step shows (how the view
// cuts and labels the lines, which headers and font it uses, which panel stands
// beside it) and what it does (on entry, when entered backwards, on a line click,
// on a column click, when left forwards). The view and the window ask the table;
// nothing else dispatches on the step number.
//
// The stored step (RunState::CurStep) stays 0-based; StepId names its values.
#include "common/Int16.h"

namespace tabulizer {

class frmParDoc;

enum class StepId : i16 {
    CodePage,
    ColumnEnds,
    TitleEnd,
    CapEnd,
    ReferenceLine,
    Separators,
    VerticalSeparators,
    Merges,
    TitleFont,
    CapFont,
    InfoFont,
    Formats,
    Widths,
    FixedLines,
    Postscript,
};

inline constexpr int StepIndex(StepId step) { return static_cast<int>(step); }

// How a line is cut into the cells of the view.
enum class CellCut {
    Chars,             // one cell per character
    Columns,           // one cell per document column, vertical separators blanked
    ColumnsAsPrinted,  // one cell per document column, separators kept
    WholeLine,         // the line in one cell, without its role
};

// The first line a step shows (before paging) and the line it stops at.
enum class FirstLine { Top, AfterTitle, AfterCap, LastPage };
enum class LastLine { DocumentEnd, TitleEnd, CapEnd };

// What the first column says after a line's number.
enum class LabelKind { None, HeadLines, Roles, Merges };

// The headers a step builds on entry. Character headers are built where the view
// changes between characters and columns (load, the separator steps), not on entry.
enum class HeaderKind {
    Kept,             // as the step before left them
    DocumentColumns,  // a header per document column, its document width
    OutputColumns,    // a header per document column, its output width, no picture
    WholeLine,        // one header for the whole line
};

// The panel that belongs to a step; the others are hidden while it is shown.
enum class StepPanel { CodePage, None, FormFeed, Merges, Font, Format, Widths };

struct StepRow {
    // What the step shows.
    CellCut Cut;
    FirstLine First;
    LastLine Last;
    LabelKind Label;
    HeaderKind Header;
    int FirstColumn;     // twips of the line-number column when Header builds
    int FontSlot;        // Fonts[] previewed and chosen in the step; -1 the view's own
    StepPanel Panel;
    int QuestionPoints;  // font size of the question

    // What the step does; a null entry does nothing more than the common part.
    void (frmParDoc::*Enter)();
    void (frmParDoc::*Undo)();  // entered backwards: takes back what the later step showed
    void (frmParDoc::*LineClick)(int item);
    void (frmParDoc::*ColumnClick)(int header);
    bool (frmParDoc::*Leave)();  // forwards; false keeps the user in the step
};

// The row of the stored step; a step beyond the table (finished) gives the last row.
const StepRow& StepRowOf(int curStep);

// The side panels of steps 8 to 12 widen the window.
inline bool IsSidePanel(StepPanel panel) {
    return panel == StepPanel::Merges || panel == StepPanel::Font || panel == StepPanel::Format;
}

}  // namespace tabulizer
