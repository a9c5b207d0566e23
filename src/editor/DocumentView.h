#pragma once
// The editor's view of the input document: one page of lines in the list `lstDoc`,
// cut by character (steps 1 to 7), by document column (8, 10 to 15) or whole
// (9), with each line's number and role. It keeps no copy of the document: every
// fill reads the file from its first line through the same reading and code page
// conversion as the conversion run, and the list never holds more than one page.
//
// What a step shows is its row of the step table (editor/StepTable.h).
#include <string>

#include "description/DocumentDescription.h"
#include "editor/StepTable.h"
#include "editor/PrintedLine.h"
#include "ui/Host.h"
#include "ui/ListView.h"

namespace tabulizer {

// The controls the view draws on, all owned by the editor window.
struct ViewControls {
    ui::ListView& List;
    ui::Control& Up;         // ButUp
    ui::Control& Down;       // ButDown
    ui::Control& FontName;   // lbName
    ui::Control& FontSize;   // lbSize
    ui::Control& FontStyle;  // lbStyle
};

struct HeaderLook {
    std::string Caption;
    int Width = 0;  // twips
};

class DocumentView {
public:
    DocumentView(DocumentDescription& description, RunState& run, ui::Host& host, ViewControls controls);

    i16 CurLine = 0;     // line last read by a fill; 0: the list holds nothing to clear
    i16 LineCount = 0;   // lines of the document, known once a fill reached its end
    i16 PageLines = 14;  // lines per page (15 on an old Windows system)
    i16 TopLine = 0;     // paging offset from the first line of the step's range
    i16 LabelWidth = 8;  // width in characters of the first column in step 8
    i16 PSLine = 0;      // line at which a fill found the postscript; 0 = none yet
    std::string CurText; // the line read last, converted (CP1251), not filled

    // What the measuring pass met beyond the 16-bit limits (the view cuts there).
    bool TooManyLines = false;
    bool TooLongLines = false;

    void FillView();
    // Reads the whole document for its line count and longest line (MaxLStr).
    void Measure();
    // Reads line `n` of the document into CurText.
    void ReadLine(i16 n);
    void ClearItems();

    void BuildCharHeaders(int firstWidth);
    void BuildColumnHeaders(int firstWidth);
    // Marks (or returns to plain) the character headers of the positions of `list`.
    void MarkColumns(const PosList& list, bool mark);
    void ShowFormats();
    // The header of document column `column` with its caption, width and `image`.
    void SetColumnImage(int column, const char* image);
    HeaderLook ColumnHeaderLook(int column) const;
    static ui::ColumnHeader CharHeader(bool marked);

    void ButUp_Click();
    void ButDown_Click();

    // Letters of the spreadsheet column that receives document column `column` (1 = "A").
    std::string ColumnName(int column) const;

private:
    const StepRow& Row() const { return StepRowOf(run_.CurStep); }
    bool InRange(int line) const;
    int StopLine() const;
    void Show(int line);
    void CutCells(std::string& line, ui::ListItem& item) const;
    std::string Label(int line);
    std::string HeadLabel(int line);
    std::string RoleLabel(int line);
    std::string MergeLabel(int line);
    void SetViewFont();
    void ReportReadFailure(const std::string& detail);

    DocumentDescription& d_;
    RunState& run_;
    ui::Host& host_;
    ViewControls c_;
    bool measuring_ = false;
    PrintedLine printed_;  // the line shown last, as printed
};

}  // namespace tabulizer
