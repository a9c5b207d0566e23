#include "conversion/spreadsheet/Merges.h"

#include <algorithm>
#include <climits>

namespace tabulizer::sheet {

std::vector<CellRange> MergeSet::Intersecting(const CellRange& range) const {
    std::vector<CellRange> found;
    auto it = areas_.lower_bound({range.top - tallest_ + 1, INT_MIN});
    for (; it != areas_.end() && it->first.first <= range.bottom; ++it)
        if (it->second.Intersects(range)) found.push_back(it->second);
    return found;
}

void MergeSet::Merge(const CellRange& range) {
    CellRange merged = range;
    for (auto touched = Intersecting(merged); !touched.empty(); touched = Intersecting(merged)) {
        for (const CellRange& area : touched) {
            merged = merged.Union(area);
            Remove(area);
        }
    }
    if (merged.IsSingleCell()) return;
    areas_.emplace(std::pair{merged.top, merged.left}, merged);
    tallest_ = std::max(tallest_, merged.bottom - merged.top + 1);
}

void MergeSet::Unmerge(const CellRange& range) {
    for (const CellRange& area : Intersecting(range)) Remove(area);
}

std::vector<CellRange> MergeSet::All() const {
    std::vector<CellRange> all;
    all.reserve(areas_.size());
    for (const auto& entry : areas_) all.push_back(entry.second);
    return all;
}

}  // namespace tabulizer::sheet
