#pragma once
// The numbers the automation interface passes for alignment, reading order and
// borders, turned into style changes. A value the interface does not define is
// a failure with code 1004, as the interface reports a property it can not set.
#include "conversion/spreadsheet/Style.h"

namespace tabulizer::sheet {

StyleChange AlignmentChange(int alignment);
StyleChange ReadingOrderChange(int order);
StyleChange BorderLineChange(int index, int lineStyle);
StyleChange BorderWeightChange(int index, int weight);
StyleChange FontSizeChange(int points);

}  // namespace tabulizer::sheet
