#pragma once
// Edits of a sorted position list (EndPoz, PozDiv): element 0 holds the count,
// elements 1..count the positions, strictly increasing, at most 50 of them.
#include "description/DocumentDescription.h"

namespace tabulizer {

enum class ToggleOutcome {
    Added,    // the position was not in the list and is now
    Removed,  // the position was in the list and is gone
    Full,     // a new position would be the 51st: nothing is stored
};

struct ToggleResult {
    ToggleOutcome Outcome;
    i16 Previous = 0;  // Added: the position before the new one, 0 when it went first
};

// Adds `position` in its sorted place, or removes it when it is there already.
ToggleResult TogglePosition(PosList& list, i16 position);

}  // namespace tabulizer
