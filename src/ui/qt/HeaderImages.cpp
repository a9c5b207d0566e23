#include "ui/qt/HeaderImages.h"

#include <QPainterPath>
#include <algorithm>

namespace tabulizer::qt {

namespace {

// The square the picture is drawn in: at most 14 pixels, less in a narrow header.
QRectF Square(const QRectF& room) {
    const qreal side = std::min({room.width() - 2, room.height() - 4, qreal(14)});
    QRectF square(0, 0, side, side);
    square.moveCenter(room.center());
    return square;
}

void PaintTick(QPainter& painter, const QRectF& room) {
    painter.setPen(QPen(QColor(120, 120, 120), 1.2, Qt::SolidLine, Qt::FlatCap));
    const qreal x = room.center().x();
    painter.drawLine(QPointF(x, room.bottom() - 2), QPointF(x, room.bottom() - 2 - room.height() / 3));
}

void PaintArrow(QPainter& painter, const QRectF& square) {
    const qreal w = square.width();
    QPainterPath arrow;
    arrow.moveTo(square.center().x() - w * 0.18, square.top());
    arrow.lineTo(square.center().x() + w * 0.18, square.top());
    arrow.lineTo(square.center().x() + w * 0.18, square.top() + w * 0.45);
    arrow.lineTo(square.right(), square.top() + w * 0.45);
    arrow.lineTo(square.center().x(), square.bottom());
    arrow.lineTo(square.left(), square.top() + w * 0.45);
    arrow.lineTo(square.center().x() - w * 0.18, square.top() + w * 0.45);
    arrow.closeSubpath();
    painter.setPen(QPen(QColor(120, 0, 0), 1));
    painter.setBrush(QColor(220, 20, 20));
    painter.drawPath(arrow);
}

void PaintGreen(QPainter& painter, const QRectF& square) {
    painter.setPen(QPen(QColor(0, 100, 0), 1));
    painter.setBrush(QColor(30, 170, 60));
    painter.drawEllipse(square);
    const qreal w = square.width();
    painter.setPen(QPen(Qt::white, std::max(1.5, w / 7), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPainterPath tick;
    tick.moveTo(square.left() + w * 0.25, square.top() + w * 0.52);
    tick.lineTo(square.left() + w * 0.43, square.top() + w * 0.70);
    tick.lineTo(square.left() + w * 0.75, square.top() + w * 0.32);
    painter.drawPath(tick);
}

}  // namespace

bool IsHeaderImage(const std::string& key) { return key == "Bir" || key == "Arrow" || key == "Green"; }

void PaintHeaderImage(QPainter& painter, const QRectF& room, const std::string& key) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (key == "Bir") PaintTick(painter, room);
    else if (key == "Arrow") PaintArrow(painter, Square(room));
    else if (key == "Green") PaintGreen(painter, Square(room));
    painter.restore();
}

}  // namespace tabulizer::qt
