#pragma once
// Where a window opens and how large it may be: centred over the window it replaces
// (or on the screen), always wholly inside the screen's available area.
#include <QMargins>
#include <QRect>
#include <QSize>

namespace tabulizer::qt {

// The zoom (at most 1) at which a window of `size` fits `available` together
// with a frame of `frame` around it.
double FittingZoom(QSize size, QRect available, QMargins frame);

// The top-left corner of the frame of a window of client `size` with `frame`,
// centred over `anchor` (a frame rectangle) and moved inside `available`.
QPoint CentredOver(QSize size, QMargins frame, QRect anchor, QRect available);

// The top-left corner of the frame of a window that stands beside `anchor`: to its
// right when there is room, else to its left, else as far right as the screen lets.
QPoint BesideOf(QSize size, QMargins frame, QRect anchor, QRect available);

}  // namespace tabulizer::qt
