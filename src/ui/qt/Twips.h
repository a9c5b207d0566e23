#pragma once
// The models measure in twips (15 to a pixel at the scale they were laid out for);
// a window too large for the screen is drawn smaller by its zoom, controls and all.
#include <cmath>

namespace tabulizer::qt {

inline constexpr int kTwipsPerPixel = 15;

inline int ToPixels(int twips, double zoom = 1.0) {
    return static_cast<int>(std::lround(twips * zoom / kTwipsPerPixel));
}

}  // namespace tabulizer::qt
