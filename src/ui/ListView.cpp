#include "ui/ListView.h"

#include "common/Int16.h"

namespace tabulizer::ui {

ListView::ListView(Window& owner, std::string name, Control* parent)
    : Control(owner, ControlKind::ListView, std::move(name), parent) {}

void ListView::HeadersChanged() {
    ++headersRevision_;
    Touch();
}

void ListView::ItemsChanged() {
    ++itemsRevision_;
    Touch();
}

void ListView::SetReportStyle(bool on) {
    if (reportStyle_ == on) return;
    reportStyle_ = on;
    Touch();
}

// Indices outside the list are faults of the caller: failure 9, as for any table.
const ColumnHeader& ListView::Header(int index) const { return At(headers_, index - 1); }

void ListView::ClearHeaders() {
    headers_.clear();
    HeadersChanged();
}

void ListView::AddHeader(ColumnHeader header) {
    headers_.push_back(std::move(header));
    HeadersChanged();
}

void ListView::InsertHeader(int index, ColumnHeader header) {
    if (index < 1 || index > static_cast<int>(headers_.size()) + 1)
        throw Failure(kIndexOutOfRange, "header index out of range: " + std::to_string(index));
    headers_.insert(headers_.begin() + (index - 1), std::move(header));
    HeadersChanged();
}

void ListView::RemoveHeader(int index) {
    At(headers_, index - 1);
    headers_.erase(headers_.begin() + (index - 1));
    HeadersChanged();
}

void ListView::ReplaceHeader(int index, ColumnHeader header) {
    At(headers_, index - 1) = std::move(header);
    HeadersChanged();
}

const ListItem& ListView::Item(int index) const { return At(items_, index - 1); }

void ListView::ClearItems() {
    items_.clear();
    ItemsChanged();
}

void ListView::AddItem(ListItem item) {
    items_.push_back(std::move(item));
    ItemsChanged();
}

void ListView::SetItemText(int index, std::string text) {
    At(items_, index - 1).Text = std::move(text);
    ItemsChanged();
}

void ListView::SetFont(ViewFont font) {
    if (font_ == font) return;
    font_ = std::move(font);
    Touch();
}

void ListView::ColumnClick(int header) {
    if (Enabled && OnColumnClick) OnColumnClick(header);
}

void ListView::ItemClick(int item) {
    if (Enabled && OnItemClick) OnItemClick(item);
}

void ListView::MouseDown() {
    if (Enabled && OnMouseDown) OnMouseDown();
}

void ListView::ResizeHeader(int header, int width) {
    At(headers_, header - 1).Width = width;
    if (OnHeaderResize) OnHeaderResize(header, width);
}

}  // namespace tabulizer::ui
