#include "ui/qt/ReportView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTreeView>

#include "ui/qt/HeaderImages.h"
#include "ui/qt/QtText.h"
#include "ui/qt/ReportModel.h"

namespace tabulizer::qt {

namespace {

constexpr int kImageRoom = 18;  // pixels at the left of a header with text and picture

QTreeView* MakeTree(QWidget* parent) {
    auto* tree = new QTreeView(parent);
    tree->setRootIsDecorated(false);
    tree->setItemsExpandable(false);
    tree->setUniformRowHeights(true);  // one page of a long document lays out at once
    tree->setAllColumnsShowFocus(true);
    tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setTextElideMode(Qt::ElideNone);  // a one-character cell shows its character
    tree->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    return tree;
}

}  // namespace

ReportHeader::ReportHeader(ReportModel& model, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), model_(model) {
    setSectionsClickable(true);
    setSectionsMovable(false);
    setSectionResizeMode(QHeaderView::Interactive);
    setStretchLastSection(false);
    setMinimumSectionSize(0);  // a width of one twip hides the line-number column
    setHighlightSections(false);
    setSortIndicatorShown(false);
}

// The style draws the section with its own clip and then sets back the clip region
// it found; with no clip before, that region is empty and clipping stays on, so
// anything drawn after it would be clipped away. Saving and restoring the painter
// around it gives the picture an unclipped painter.
void ReportHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    painter->save();
    QHeaderView::paintSection(painter, rect, logicalIndex);
    painter->restore();
    const ui::ColumnHeader* header = model_.HeaderAt(logicalIndex);
    if (header == nullptr || !IsHeaderImage(header->Image) || rect.width() < 4) return;
    QRectF room(rect);
    if (!header->Text.empty()) room.setWidth(std::min(rect.width(), kImageRoom));
    PaintHeaderImage(*painter, room, header->Image);
}

ReportView::ReportView(ui::ListView& model, QWidget* parent, Dispatcher& dispatcher, double zoom)
    : ControlView(model, MakeTree(parent), dispatcher, zoom), list_(model), tree_(static_cast<QTreeView*>(Widget())) {
    rows_ = new ReportModel(tree_);
    tree_->setHeader(new ReportHeader(*rows_, tree_));
    tree_->setModel(rows_);
    // The tree view makes its header unclickable when it takes a model.
    tree_->header()->setSectionsClickable(true);
}

void ReportView::Connect() {
    QHeaderView* header = tree_->header();
    QObject::connect(header, &QHeaderView::sectionClicked, header,
                     [this](int section) { Forward([this, section] { list_.ColumnClick(section + 1); }); });
    QObject::connect(header, &QHeaderView::sectionResized, header, [this](int section, int, int pixels) {
        if (sizing_ || Syncing()) return;
        const int twips = Twips(pixels);
        rows_->KeepWidth(section, twips);
        Forward([this, section, twips] { list_.ResizeHeader(section + 1, twips); });
    });
    WatchInput(tree_->viewport());
}

bool ReportView::FilterInput(QObject* watched, QEvent* event) {
    if (watched == tree_->viewport()) ListEvent(event);
    return ControlView::FilterInput(watched, event);
}

// A press anywhere in the list is its mouse-down; the release is a click, on an
// item (its item click first) or beside the items.
void ReportView::ListEvent(QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        Forward([this] { list_.MouseDown(); });
        return;
    }
    if (event->type() != QEvent::MouseButtonRelease) return;
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) return;
    const QModelIndex at = tree_->indexAt(mouse->position().toPoint());
    if (at.isValid()) Forward([this, item = at.row() + 1] { list_.ItemClick(item); });
    Forward([this] { list_.Click(); });
}

void ReportView::SyncLook() {
    if (tree_->header()->isHidden() == list_.ReportStyle()) tree_->header()->setVisible(list_.ReportStyle());
    if (fontSet_ && font_ == list_.Font()) return;
    fontSet_ = true;
    font_ = list_.Font();
    QFont font(ToQt(font_.Name));
    font.setPointSizeF(font_.Size * Zoom());
    font.setBold(font_.Bold);
    font.setItalic(font_.Italic);
    tree_->setFont(font);
}

void ReportView::SyncContent() {
    if (!contentSet_ || headersRevision_ != list_.HeadersRevision()) SyncHeaders();
    if (!contentSet_ || itemsRevision_ != list_.ItemsRevision()) {
        itemsRevision_ = list_.ItemsRevision();
        rows_->TakeItems(list_.Items());
    }
    contentSet_ = true;
}

// Only the sections whose width is new are resized: a click that re-marks one
// position touches one section of the 250.
void ReportView::SyncHeaders() {
    headersRevision_ = list_.HeadersRevision();
    const std::vector<int> resized = rows_->TakeHeaders(list_.Headers());
    sizing_ = true;
    for (int section : resized) tree_->header()->resizeSection(section, Pixels(list_.Headers()[section].Width));
    sizing_ = false;
}

}  // namespace tabulizer::qt
