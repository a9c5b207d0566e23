#include "description/DocumentDescription.h"

namespace tabulizer {

void DocumentDescription::InitFontsAndMerges() {
    FontDef[0] = {"Courier New", 9, 1};
    FontDef[1] = {"Courier New", 9, 3};
    FontDef[2] = {"Courier New", 9, 2};
    FontDef[3] = {};
    for (int i = 0; i < 3; ++i) Fonts[i] = FontDef[i];
    MergeCl = {};
}

DocumentDescription& Description() {
    static DocumentDescription description;
    return description;
}

RunState& Run() {
    static RunState state;
    return state;
}

}  // namespace tabulizer
