#pragma once
// A list view in report mode: column headers above rows of items. Header and item
// indices count from 1, as the windows' logic names them (header 1 is the first
// column). Every change made through these functions moves the control's revision
// and the revision of the part it touched, so that a front end redraws only that.
#include <functional>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace tabulizer::ui {

enum class Alignment { Left, Right, Center };

struct ColumnHeader {
    std::string Text;  // UTF-8
    int Width = 0;     // twips
    Alignment Align = Alignment::Left;
    std::string Image; // key of a picture drawn in the header ("" = none)
    bool operator==(const ColumnHeader&) const = default;
};

struct ListItem {
    std::string Text;                   // first column, UTF-8
    std::vector<std::string> SubItems;  // columns 2, 3, ... (UTF-8)
    bool operator==(const ListItem&) const = default;
};

struct ViewFont {
    std::string Name = "Arial";
    int Size = 10;  // points
    bool Bold = false;
    bool Italic = false;
    bool operator==(const ViewFont&) const = default;
};

class ListView : public Control {
public:
    ListView(Window& owner, std::string name, Control* parent = nullptr);

    // Report mode shows headers and sub-items; the logic switches it on after a fill.
    bool ReportStyle() const { return reportStyle_; }
    void SetReportStyle(bool on);

    const std::vector<ColumnHeader>& Headers() const { return headers_; }
    const ColumnHeader& Header(int index) const;  // 1-based
    void ClearHeaders();
    void AddHeader(ColumnHeader header);
    void InsertHeader(int index, ColumnHeader header);  // becomes header `index`
    void RemoveHeader(int index);
    void ReplaceHeader(int index, ColumnHeader header);
    // Which headers changed: a front end compares its own copy header by header.
    unsigned long HeadersRevision() const { return headersRevision_; }

    const std::vector<ListItem>& Items() const { return items_; }
    const ListItem& Item(int index) const;  // 1-based
    void ClearItems();
    void AddItem(ListItem item);
    void SetItemText(int index, std::string text);
    unsigned long ItemsRevision() const { return itemsRevision_; }

    const ViewFont& Font() const { return font_; }
    void SetFont(ViewFont font);

    // Events, each with what happened. Header and item indices are 1-based.
    std::function<void(int header)> OnColumnClick;
    std::function<void(int item)> OnItemClick;
    std::function<void()> OnMouseDown;  // a mouse press anywhere in the list
    std::function<void(int header, int width)> OnHeaderResize;
    // Control::OnClick: a click anywhere in the list, after the item click.

    // What a front end calls when the user acts. A dragged width is stored at once
    // (the widget already shows it, so the revision does not move) and is what the
    // logic reads back from Header(index).Width.
    void ColumnClick(int header);
    void ItemClick(int item);
    void MouseDown();
    void ResizeHeader(int header, int width);

private:
    void HeadersChanged();
    void ItemsChanged();

    bool reportStyle_ = false;
    std::vector<ColumnHeader> headers_;
    std::vector<ListItem> items_;
    ViewFont font_;
    unsigned long headersRevision_ = 0;
    unsigned long itemsRevision_ = 0;
};

}  // namespace tabulizer::ui
