#pragma once
// The rows and columns of a list view model as Qt's item views read them. It keeps
// its own copy of what it last took from the list, so that it can tell the views
// exactly which headers and rows changed: a refill of one page or one changed
// header never resets the view (which would forget the dragged widths).
#include <QAbstractTableModel>
#include <vector>

#include "ui/ListView.h"

namespace tabulizer::qt {

class ReportModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Takes the headers; returns the 0-based sections whose width is new.
    std::vector<int> TakeHeaders(const std::vector<ui::ColumnHeader>& headers);
    void TakeItems(const std::vector<ui::ListItem>& items);
    // A width the user dragged: the widget shows it already.
    void KeepWidth(int section, int twips);

    const ui::ColumnHeader* HeaderAt(int section) const;
    // Height of every row in pixels (0: what the font needs).
    void SetRowHeight(int pixels);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString Cell(int row, int column) const;
    Qt::Alignment AlignmentOf(int column) const;
    void ResizeColumns(int count);

    std::vector<ui::ColumnHeader> headers_;
    std::vector<ui::ListItem> items_;
    int rowHeight_ = 0;
};

}  // namespace tabulizer::qt
