#pragma once
// The pictures of the document view's column headers, drawn as vector shapes at
// whatever scale the screen has, so that they stay crisp at 1x and 2x:
//   "Bir"   a plain position: a short thin grey tick at the bottom edge;
//   "Arrow" a marked position or a formatted column: a bold red arrow pointing down
//           at the column's end, that stands out among the ticks;
//   "Green" the column selected for formatting: a green disc with a white tick.
#include <QPainter>
#include <QRect>
#include <string>

namespace tabulizer::qt {

// True when `key` names one of the pictures above.
bool IsHeaderImage(const std::string& key);

// Draws the picture `key` centred in `room` (a header section, or its left part).
void PaintHeaderImage(QPainter& painter, const QRectF& room, const std::string& key);

}  // namespace tabulizer::qt
