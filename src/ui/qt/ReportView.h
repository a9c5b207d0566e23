#pragma once
// The view of a list view model: a tree view without branches in report mode, its
// headers clickable and resizable, picture-only headers drawn with their picture.
#include <QHeaderView>

#include "ui/ListView.h"
#include "ui/qt/ControlView.h"

class QTreeView;

namespace tabulizer::qt {

class ReportModel;

// Draws the header pictures: a header without text shows its picture centred, one
// with text shows it at its left, clear of right-aligned text.
class ReportHeader : public QHeaderView {
public:
    explicit ReportHeader(ReportModel& model, QWidget* parent);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
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
    void ListEvent(QEvent* event);

    ui::ListView& list_;
    QTreeView* tree_;
    ReportModel* rows_;  // owned by the tree
    ui::ViewFont font_;
    bool fontSet_ = false;
    unsigned long headersRevision_ = 0;
    unsigned long itemsRevision_ = 0;
    bool contentSet_ = false;
    bool sizing_ = false;  // the widths are being set from the model
};

}  // namespace tabulizer::qt
