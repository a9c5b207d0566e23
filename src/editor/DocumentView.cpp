#include "editor/DocumentView.h"

#include "common/Failure.h"
#include "conversion/ColumnLetters.h"
#include "conversion/ConvStr.h"
#include "conversion/InputFile.h"
#include "editor/ViewMeasures.h"

namespace tabulizer {

DocumentView::DocumentView(DocumentDescription& description, RunState& run, ui::Host& host, ViewControls controls)
    : d_(description), run_(run), host_(host), c_(controls) {}

std::string DocumentView::ColumnName(int column) const {
    return SymNameCol(CheckedI16(column - 1), host_, run_);
}

void DocumentView::ClearItems() { c_.List.ClearItems(); }

// Which lines a step shows, counted from its first line plus the paging offset.
bool DocumentView::InRange(int line) const {
    if (measuring_) return true;
    switch (Row().First) {
    case FirstLine::AfterTitle: return line > d_.EndTitle + TopLine;
    case FirstLine::AfterCap: return line > d_.EndCap + TopLine;
    case FirstLine::LastPage: return line >= LineCount - PageLines + 1 + TopLine;
    case FirstLine::Top: break;
    }
    return line > TopLine;
}

int DocumentView::StopLine() const {
    if (measuring_) return LineCount;
    switch (Row().Last) {
    case LastLine::CapEnd: return d_.EndCap;
    case LastLine::TitleEnd: return d_.EndTitle;
    case LastLine::DocumentEnd: break;
    }
    return LineCount;
}

void DocumentView::Measure() {
    measuring_ = true;
    FillView();
    measuring_ = false;
}

void DocumentView::FillView() {
    if (CurLine != 0) {
        CurLine = 0;
        c_.List.ClearItems();
    }
    const bool measuring = measuring_;
    const bool lastPage = !measuring && Row().First == FirstLine::LastPage;
    const int stopLine = StopLine();
    int shown = 0;
    try {
        InputFile input(d_.NameIn);
        while (true) {
            if (input.AtEnd() || CurLine == view::kMaxLines) {
                if (measuring && !input.AtEnd()) TooManyLines = true;
                LineCount = CurLine;
                break;
            }
            input.ReadLine(CurText);
            ++CurLine;
            if (!InRange(CurLine)) {
                if (lastPage) continue;
            } else {
                ++shown;
                if (!measuring) printed_.Take(CurText, d_.Code);
                ConvStr(CurText, d_.Code);
                if (CurText.size() > static_cast<std::size_t>(view::kMaxLineLength)) {
                    CurText.resize(view::kMaxLineLength);
                    TooLongLines = true;
                }
                if (lastPage) c_.Up.BackColor = ui::kGreen;
                if (measuring) {
                    if (CurText.size() > static_cast<std::size_t>(d_.MaxLStr)) d_.MaxLStr = static_cast<i16>(CurText.size());
                    continue;
                }
                Show(CurLine);
            }
            if (CurLine == stopLine) {
                c_.Down.BackColor = ui::kRed;
                break;
            }
            if (shown == PageLines) break;
        }
    } catch (const Failure& failure) {
        ReportReadFailure(failure.what());
    }
    c_.List.SetReportStyle(true);
}

// A file that went away or cannot be read after the wizard checked it: the view
// stays as far as it got, and the user learns why.
void DocumentView::ReportReadFailure(const std::string& detail) {
    host_.MessageBox("Файл входного документа не удаётся прочитать !", ui::Buttons::Ok, ui::Icon::Question);
    host_.Explain(detail);
}

// One item: the line number and its role, then the cells of the step's mode.
void DocumentView::Show(int line) {
    ui::ListItem item;
    item.Text = " " + std::to_string(line);
    if (Row().Cut == CellCut::WholeLine) {
        item.SubItems.push_back(printed_.Utf8(CurText));
        c_.List.AddItem(std::move(item));
        return;
    }
    item.Text += Label(line);
    std::string filled = CurText;
    if (filled.size() < static_cast<std::size_t>(d_.MaxLStr)) filled.resize(d_.MaxLStr, ' ');
    CutCells(filled, item);
    c_.List.AddItem(std::move(item));
}

void DocumentView::CutCells(std::string& line, ui::ListItem& item) const {
    const CellCut cut = Row().Cut;
    if (cut == CellCut::Chars) {
        for (int j = 0; j < d_.MaxLStr && j < static_cast<int>(line.size()); ++j)
            item.SubItems.push_back(printed_.Utf8(line, j, 1));
        return;
    }
    // Vertical separators are no part of a cell's text.
    if (cut == CellCut::Columns)
        for (int k = 1; k <= d_.PozDiv[0] && k <= kMaxColumns; ++k) {
            const int p = d_.PozDiv[k];
            if (p >= 1 && p <= static_cast<int>(line.size())) line[p - 1] = ' ';
        }
    int start = 0;
    for (int i = 1; i <= d_.EndPoz[0] && i <= kMaxColumns; ++i) {
        const int end = d_.EndPoz[i];
        item.SubItems.push_back(start < end ? printed_.Utf8(line, start, end - start) : std::string());
        start = end;
    }
}

void DocumentView::ReadLine(i16 n) {
    CurText.clear();
    try {
        InputFile input(d_.NameIn);
        for (int i = 0; i < n && !input.AtEnd(); ++i) input.ReadLine(CurText);
    } catch (const Failure& failure) {
        ReportReadFailure(failure.what());
        CurText.clear();
    }
    ConvStr(CurText, d_.Code);
    if (CurText.size() > static_cast<std::size_t>(view::kMaxLineLength)) CurText.resize(view::kMaxLineLength);
}

// The page buttons act only when they are not red (no page in that direction).
void DocumentView::ButDown_Click() {
    if (c_.Down.BackColor == ui::kRed) return;
    TopLine = Add16(TopLine, PageLines);
    c_.Up.BackColor = ui::kGreen;
    FillView();
}

void DocumentView::ButUp_Click() {
    if (c_.Up.BackColor == ui::kRed) return;
    TopLine = Sub16(TopLine, PageLines);
    c_.Down.BackColor = ui::kGreen;
    if (TopLine == 0) c_.Up.BackColor = ui::kRed;
    FillView();
    // The last-page mode of step 15 counts upwards from the end: once the page
    // reaches the first line there is nothing further up. The offset then goes
    // back to one page below the end, so that the next page down is the last one.
    if (PageLines >= LineCount + TopLine) {
        c_.Up.BackColor = ui::kRed;
        TopLine = -14;
    }
}

}  // namespace tabulizer
