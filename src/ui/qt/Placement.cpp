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

QPoint BesideOf(QSize size, QMargins frame, QRect anchor, QRect available) {
    QRect outer(QPoint(0, 0), size.grownBy(frame));
    outer.moveTop(std::max(anchor.top(), available.top()));
    if (outer.bottom() > available.bottom()) outer.moveBottom(available.bottom());
    if (anchor.right() + outer.width() <= available.right()) outer.moveLeft(anchor.right() + 1);
    else if (anchor.left() - outer.width() >= available.left()) outer.moveRight(anchor.left() - 1);
    else outer.moveRight(available.right());
    if (outer.left() < available.left()) outer.moveLeft(available.left());
    return outer.topLeft();
}

}  // namespace tabulizer::qt
