#include "ui/qt/ReportView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

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
    tree->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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
    painter->save();
    painter->setClipRect(rect);
    PaintHeaderImage(*painter, header->Text.empty() ? QRectF(rect) : ImageRoom(rect, logicalIndex, *header),
                     header->Image);
    painter->restore();
}

// A caption begins with its column's letter (the blanks after it only give it its
// place), so the picture goes just before the letter, wherever the alignment puts
// it, or just after it in a header too narrow for that; never beside the letter of
// the next column.
QRectF ReportHeader::ImageRoom(const QRect& rect, int logicalIndex, const ui::ColumnHeader& header) const {
    const QString caption = ToQt(header.Text);
    const QFontMetrics metrics = fontMetrics();
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
    const auto align = model_.headerData(logicalIndex, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>();
    const QRect text = QStyle::alignedRect(layoutDirection(), align, QSize(metrics.horizontalAdvance(caption), rect.height()),
                                           rect.adjusted(margin, 0, -margin, 0));
    QRectF room(text.left() - kImageRoom, rect.top(), kImageRoom, rect.height());
    if (room.left() < rect.left()) room.moveLeft(text.left() + metrics.horizontalAdvance(caption.trimmed()) + 1);
    return room;
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
    QObject::connect(tree_->selectionModel(), &QItemSelectionModel::selectionChanged, tree_,
                     [this](const QItemSelection& selected) { Selected(selected); });
}

// Input of the mouse and the keyboard is told from a selection made by assistive
// technology, which comes without either.
bool ReportView::FilterInput(QObject* watched, QEvent* event) {
    if (watched == tree_->viewport() && event->type() == QEvent::Resize) FitRows();
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) userInput_ = true;
    if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::KeyRelease) userInput_ = false;
    if (watched == tree_->viewport()) ListEvent(event);
    return ControlView::FilterInput(watched, event);
}

// A row selected by assistive technology is a click on that row, as the mouse would
// make it; the keyboard only moves through the rows, as it did before.
void ReportView::Selected(const QItemSelection& selected) {
    if (Syncing() || userInput_ || selected.indexes().isEmpty()) return;
    const int item = selected.indexes().front().row() + 1;
    Forward([this] { list_.MouseDown(); });
    Forward([this, item] { list_.ItemClick(item); });
    Forward([this] { list_.Click(); });
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
        // The list keeps no selection of its own: a row highlighted by a click
        // would stand for another line once the rows are refilled.
        tree_->selectionModel()->clear();
    }
    contentSet_ = true;
    FitFirstColumn();
    FitRows();
}

// The line-number column, when shown, is at least as wide as its longest label
// (" 12 Разделитель"), whatever the font makes of the width the logic gave.
void ReportView::FitFirstColumn() {
    if (list_.Headers().empty() || Pixels(list_.Headers()[0].Width) <= 1) return;
    constexpr int kCellMargins = 8;  // the style's padding at both ends of a cell
    int needed = 0;
    for (const ui::ListItem& item : list_.Items())
        needed = std::max(needed, tree_->fontMetrics().horizontalAdvance(ToQt(item.Text)) + kCellMargins);
    if (tree_->header()->sectionSize(0) >= needed) return;
    sizing_ = true;
    tree_->header()->resizeSection(0, needed);
    sizing_ = false;
}

// The view holds one page; the page buttons move through the document. All rows
// of the page are shown at once, a little closer together when the room is short,
// so that no scroll bar stands for a part of the page as if it were the document.
void ReportView::FitRows() {
    const int rows = rows_->rowCount();
    if (rows == 0) return;
    // A font's height includes room under its descenders: four fifths still show
    // every character whole enough to read.
    const int least = tree_->fontMetrics().height() * 4 / 5;
    const int natural = tree_->fontMetrics().height() + 4;
    const int room = tree_->viewport()->height() / rows;
    rows_->SetRowHeight(std::clamp(room, least, natural));
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
