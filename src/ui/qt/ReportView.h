#pragma once
// The view of a list view model: a tree view without branches in report mode, its
// headers clickable and resizable, picture-only headers drawn with their picture.
#include <QHeaderView>
#include <QItemSelection>

#include "ui/ListView.h"
#include "ui/qt/ControlView.h"

class QTreeView;

namespace tabulizer::qt {

class ReportModel;

// Draws the header pictures: a header without text shows its picture centred, one
// with text shows it beside its column's letter.
class ReportHeader : public QHeaderView {
public:
    explicit ReportHeader(ReportModel& model, QWidget* parent);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    QRectF ImageRoom(const QRect& rect, int logicalIndex, const ui::ColumnHeader& header) const;

    ReportModel& model_;
};

class ReportView : public ControlView {
public:
    ReportView(ui::ListView& model, QWidget* parent, Dispatcher& dispatcher, double zoom);

private:
    void Connect() override;
    bool FilterInput(QObject* watched, QEvent* event) override;
    void SyncLook() override;
    void SyncContent() override;
    void SyncHeaders();
    void FitFirstColumn();
    void FitRows();
    void ListEvent(QEvent* event);
    void Selected(const QItemSelection& selected);

    ui::ListView& list_;
    QTreeView* tree_;
    ReportModel* rows_;  // owned by the tree
    ui::ViewFont font_;
    bool fontSet_ = false;
    unsigned long headersRevision_ = 0;
    unsigned long itemsRevision_ = 0;
    bool contentSet_ = false;
    bool sizing_ = false;  // the widths are being set from the model
    bool userInput_ = false;  // a mouse button or a key is down over the list
};

}  // namespace tabulizer::qt
