#include "ui/qt/Placement.h"

#include <algorithm>

namespace tabulizer::qt {

double FittingZoom(QSize size, QRect available, QMargins frame) {
    if (size.isEmpty()) return 1.0;
    const QRect room = available.marginsRemoved(frame);
    const double across = static_cast<double>(room.width()) / size.width();
    const double down = static_cast<double>(room.height()) / size.height();
    return std::clamp(std::min(across, down), 0.1, 1.0);
}

QPoint CentredOver(QSize size, QMargins frame, QRect anchor, QRect available) {
    QRect outer(QPoint(0, 0), size.grownBy(frame));
    outer.moveCenter(anchor.center());
    // The right and bottom edges first, so that a window larger than the screen
    // keeps its title bar on it.
    if (outer.right() > available.right()) outer.moveRight(available.right());
    if (outer.bottom() > available.bottom()) outer.moveBottom(available.bottom());
    if (outer.left() < available.left()) outer.moveLeft(available.left());
    if (outer.top() < available.top()) outer.moveTop(available.top());
    return outer.topLeft();
}

namespace {

QRect InsideOf(QRect outer, QRect available) {
    if (outer.right() > available.right()) outer.moveRight(available.right());
    if (outer.bottom() > available.bottom()) outer.moveBottom(available.bottom());
    if (outer.left() < available.left()) outer.moveLeft(available.left());
    if (outer.top() < available.top()) outer.moveTop(available.top());
    return outer;
}

long long Overlap(QRect a, QRect b) {
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : static_cast<long long>(both.width()) * both.height();
}

}  // namespace

// Each place is tried in turn; the first that covers least wins. Covering the top
// of the main window or another window beside it counts far more than covering
// the rest of the main window.
QPoint BesideOf(QSize size, QMargins frame, QRect anchor, QRect available, const std::vector<QRect>& others) {
    const QSize outer = size.grownBy(frame);
    const int below = anchor.top() + kKeepClear;
    const QPoint places[] = {
        {anchor.right() + 1, anchor.top()},
        {anchor.left() - outer.width(), anchor.top()},
        {anchor.left(), anchor.bottom() + 1},
        {anchor.left(), anchor.top() - outer.height()},
        {available.right() - outer.width() + 1, below},
        {available.left(), below},
        {available.right() - outer.width() + 1, available.bottom() - outer.height() + 1},
        {available.left(), available.bottom() - outer.height() + 1},
    };
    const QRect top(anchor.left(), anchor.top(), anchor.width(), kKeepClear);
    QRect best;
    long long bestCost = -1;
    for (const QPoint& place : places) {
        const QRect at = InsideOf(QRect(place, outer), available);
        long long cost = Overlap(at, anchor) + Overlap(at, top) * 1000;
        for (const QRect& other : others) cost += Overlap(at, other) * 1000;
        if (bestCost < 0 || cost < bestCost) {
            best = at;
            bestCost = cost;
        }
    }
    return best.topLeft();
}

}  // namespace tabulizer::qt
