#include "ui/qt/ReportModel.h"

#include <QSize>

#include "ui/qt/QtText.h"

namespace tabulizer::qt {

namespace {

Qt::Alignment ToQt(ui::Alignment align) {
    switch (align) {
    case ui::Alignment::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case ui::Alignment::Center: return Qt::AlignHCenter | Qt::AlignVCenter;
    case ui::Alignment::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

// Columns come and go at the end only; the sections before keep their state.
void ReportModel::ResizeColumns(int count) {
    const int old = static_cast<int>(headers_.size());
    if (count > old) {
        beginInsertColumns({}, old, count - 1);
        headers_.resize(count);
        endInsertColumns();
    } else if (count < old) {
        beginRemoveColumns({}, count, old - 1);
        headers_.resize(count);
        endRemoveColumns();
    }
}

std::vector<int> ReportModel::TakeHeaders(const std::vector<ui::ColumnHeader>& headers) {
    const int old = static_cast<int>(headers_.size());
    ResizeColumns(static_cast<int>(headers.size()));
    std::vector<int> resized;
    for (int i = 0; i < static_cast<int>(headers.size()); ++i) {
        const bool added = i >= old;
        if (!added && headers_[i] == headers[i]) continue;
        if (added || headers_[i].Width != headers[i].Width) resized.push_back(i);
        const bool realigned = headers_[i].Align != headers[i].Align;
        headers_[i] = headers[i];
        emit headerDataChanged(Qt::Horizontal, i, i);
        if (realigned && !items_.empty()) emit dataChanged(index(0, i), index(rowCount() - 1, i));
    }
    return resized;
}

// Rows come and go at the end; a row whose text changed is redrawn.
void ReportModel::TakeItems(const std::vector<ui::ListItem>& items) {
    const int old = static_cast<int>(items_.size());
    const int count = static_cast<int>(items.size());
    if (count < old) {
        beginRemoveRows({}, count, old - 1);
        items_.resize(count);
        endRemoveRows();
    }
    for (int row = 0; row < std::min(old, count); ++row) {
        if (items_[row] == items[row]) continue;
        items_[row] = items[row];
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
    if (count > old) {
        beginInsertRows({}, old, count - 1);
        items_.insert(items_.end(), items.begin() + old, items.end());
        endInsertRows();
    }
}

void ReportModel::KeepWidth(int section, int twips) {
    if (section >= 0 && section < static_cast<int>(headers_.size())) headers_[section].Width = twips;
}

const ui::ColumnHeader* ReportModel::HeaderAt(int section) const {
    if (section < 0 || section >= static_cast<int>(headers_.size())) return nullptr;
    return &headers_[section];
}

void ReportModel::SetRowHeight(int pixels) {
    if (rowHeight_ == pixels) return;
    rowHeight_ = pixels;
    if (!items_.empty()) emit layoutChanged();
}

int ReportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(items_.size());
}

int ReportModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QString ReportModel::Cell(int row, int column) const {
    const ui::ListItem& item = items_[row];
    if (column == 0) return qt::ToQt(item.Text);
    if (column - 1 < static_cast<int>(item.SubItems.size())) return qt::ToQt(item.SubItems[column - 1]);
    return {};
}

// The first column is the line number, read from the left as the list shows it.
Qt::Alignment ReportModel::AlignmentOf(int column) const {
    if (column == 0) return Qt::AlignLeft | Qt::AlignVCenter;
    return ToQt(headers_[column].Align);
}

QVariant ReportModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    if (role == Qt::DisplayRole) return Cell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(AlignmentOf(index.column()));
    if (role == Qt::SizeHintRole && rowHeight_ > 0) return QSize(0, rowHeight_);
    return {};
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const ui::ColumnHeader* header = orientation == Qt::Horizontal ? HeaderAt(section) : nullptr;
    if (header == nullptr) return {};
    if (role == Qt::DisplayRole) return qt::ToQt(header->Text);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(ToQt(header->Align));
    // A picture-only header still has a name for a screen reader: its position.
    if (role == Qt::AccessibleTextRole && header->Text.empty()) return QString::number(section);
    return {};
}

}  // namespace tabulizer::qt
