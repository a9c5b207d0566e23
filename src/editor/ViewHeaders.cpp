// The column headers of the document view: one per character, one per document
// column, or one for the whole line, and the view's font.
#include <algorithm>

#include "editor/DocumentView.h"
#include "editor/ViewMeasures.h"

namespace tabulizer {
namespace {

constexpr const char* kNumberHeader = "№ строки";

ui::ColumnHeader NumberHeader(int width) { return {kNumberHeader, width, ui::Alignment::Left, ""}; }

}  // namespace

ui::ColumnHeader DocumentView::CharHeader(bool marked) {
    if (marked) return {"", view::kMarkedCharHeader, ui::Alignment::Left, "Arrow"};
    return {"", view::kPlainCharHeader, ui::Alignment::Left, "Bir"};
}

void DocumentView::BuildCharHeaders(int firstWidth) {
    c_.List.ClearHeaders();
    ui::ViewFont font = c_.List.Font();
    font.Name = "Arial";
    font.Size = 10;
    c_.List.SetFont(font);
    c_.List.AddHeader(NumberHeader(firstWidth));
    for (int p = 1; p <= d_.MaxLStr; ++p) c_.List.AddHeader(CharHeader(false));
}

// Positions outside the headers (a project made for a longer document) are passed over.
void DocumentView::MarkColumns(const PosList& list, bool mark) {
    const int headers = static_cast<int>(c_.List.Headers().size());
    for (int k = 1; k <= list[0] && k <= kMaxColumns; ++k) {
        const int p = list[k];
        if (p >= 1 && p + 1 <= headers) c_.List.ReplaceHeader(p + 1, CharHeader(mark));
    }
}

// The font steps preview the font chosen for the title, the cap or the information
// lines; every other step shows the document in Courier New 9 bold.
void DocumentView::SetViewFont() {
    const int slot = Row().FontSlot;
    if (slot < 0) {
        c_.List.SetFont({"Courier New", 9, true, false});
        return;
    }
    const Font& font = d_.Fonts[slot];
    const bool bold = font.Style == 1 || font.Style == 3;
    const bool italic = font.Style == 2 || font.Style == 3;
    c_.List.SetFont({font.Name, font.Size, bold, italic});
    c_.FontName.Caption = font.Name;
    c_.FontSize.Caption = std::to_string(font.Size);
    c_.FontStyle.Caption = bold && italic ? "Bold\nItalic" : bold ? "Bold" : italic ? "Italic" : "";
    // A plain style leaves the label empty; a screen reader still says what it is.
    c_.FontStyle.AccessibleName = c_.FontStyle.Caption.empty() ? "Стиль: обычный" : "";
}

void DocumentView::BuildColumnHeaders(int firstWidth) {
    c_.List.ClearHeaders();
    SetViewFont();
    c_.List.AddHeader(NumberHeader(firstWidth));
    const HeaderKind kind = Row().Header;
    if (kind == HeaderKind::WholeLine) {
        c_.List.AddHeader({"", view::LineHeaderWidth(d_.MaxLStr), ui::Alignment::Center, ""});
        return;
    }
    const bool outputWidths = kind == HeaderKind::OutputColumns;
    const int count = std::clamp<int>(d_.EndPoz[0], 0, kMaxColumns);
    for (int i = 1; i <= count; ++i) {
        const int chars = std::max(0, d_.EndPoz[i] - (i == 1 ? 0 : d_.EndPoz[i - 1]));
        ui::ColumnHeader header{ColumnName(i) + std::string(view::HalfToEven(chars), ' ') + " ",
                                view::ColumnHeaderWidth(chars), ui::Alignment::Right, "Bir"};
        if (outputWidths) {
            header.Image.clear();
            if (d_.WidthGraf[0] != 0 && i <= d_.WidthGraf[0]) header.Width = view::ColumnHeaderWidth(d_.WidthGraf[i]);
        }
        c_.List.AddHeader(std::move(header));
    }
}

HeaderLook DocumentView::ColumnHeaderLook(int column) const {
    const int start = column == 1 ? 0 : d_.EndPoz[column - 1];
    return {ColumnName(column), view::ColumnHeaderWidth(d_.EndPoz[column] - start)};
}

// A column with a format of its own is marked in its header.
void DocumentView::ShowFormats() {
    const int count = std::clamp<int>(d_.EndPoz[0], 0, kMaxColumns);
    const int headers = static_cast<int>(c_.List.Headers().size());
    for (int e = 0; e < count; ++e) {
        const int c = d_.FormatCells[e].Col;
        if (c < 1 || c > count || c + 1 > headers) continue;
        SetColumnImage(c, "Arrow");
    }
}

void DocumentView::SetColumnImage(int column, const char* image) {
    if (column < 1 || column + 1 > static_cast<int>(c_.List.Headers().size())) return;
    HeaderLook look = ColumnHeaderLook(column);
    c_.List.ReplaceHeader(column + 1, {look.Caption, look.Width, ui::Alignment::Right, image});
}

}  // namespace tabulizer
