#include "editor/PositionList.h"

#include <algorithm>

namespace tabulizer {

ToggleResult TogglePosition(PosList& list, i16 position) {
    // A count outside 0..50 (a damaged project) is read as the whole table.
    const int count = std::clamp<int>(list[0], 0, kMaxColumns);
    auto* first = list.data() + 1;
    auto* last = first + count;
    auto* place = std::lower_bound(first, last, position);
    if (place != last && *place == position) {
        std::copy(place + 1, last, place);
        *(last - 1) = 0;
        list[0] = static_cast<i16>(count - 1);
        return {ToggleOutcome::Removed};
    }
    if (count == kMaxColumns) return {ToggleOutcome::Full};
    std::copy_backward(place, last, last + 1);
    *place = position;
    list[0] = static_cast<i16>(count + 1);
    return {ToggleOutcome::Added, place == first ? i16{0} : *(place - 1)};
}

}  // namespace tabulizer
