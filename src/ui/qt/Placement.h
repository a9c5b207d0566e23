#pragma once
// Where a window opens and how large it may be: centred over the window it replaces
// (or on the screen), always wholly inside the screen's available area.
#include <QMargins>
#include <QRect>
#include <QSize>
#include <vector>

namespace tabulizer::qt {

// The zoom (at most 1) at which a window of `size` fits `available` together
// with a frame of `frame` around it.
double FittingZoom(QSize size, QRect available, QMargins frame);

// The top-left corner of the frame of a window of client `size` with `frame`,
// centred over `anchor` (a frame rectangle) and moved inside `available`.
QPoint CentredOver(QSize size, QMargins frame, QRect anchor, QRect available);

// Room kept for a window manager's frame before a shown window has one to measure.
inline constexpr QMargins kFrameAllowance(6, 36, 6, 6);

// Height of the top of a main window that a window standing beside it never covers:
// its title bar, and under it the step's text, number and statistics.
inline constexpr int kKeepClear = 110;

// The top-left corner of the frame of a window that stands beside `anchor` (the
// main window's frame) inside `available`: to its right when there is room, else
// to its left, below or above it; on a screen too small for any of these, over
// the main window but under its top, and never over a window of `others` (the
// other windows standing beside it) where the screen leaves a choice.
QPoint BesideOf(QSize size, QMargins frame, QRect anchor, QRect available, const std::vector<QRect>& others = {});

}  // namespace tabulizer::qt
