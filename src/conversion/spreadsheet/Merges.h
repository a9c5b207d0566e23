#pragma once
// The merged areas of one sheet. No two areas ever intersect: a file with
// overlapping merged ranges is broken, so merging over existing areas replaces
// them by one area that covers them all.
#include <map>
#include <utility>
#include <vector>

#include "conversion/spreadsheet/CellRef.h"

namespace tabulizer::sheet {

class MergeSet {
public:
    // Merges the range together with every area it touches, growing until the
    // result touches no other area. A single cell touching nothing stays unmerged.
    void Merge(const CellRange& range);
    // Splits every area that intersects the range.
    void Unmerge(const CellRange& range);
    // All areas, by top row and then left column.
    std::vector<CellRange> All() const;
    bool Empty() const { return areas_.empty(); }

private:
    std::vector<CellRange> Intersecting(const CellRange& range) const;
    void Remove(const CellRange& area) { areas_.erase({area.top, area.left}); }

    // Keyed by (top, left). Areas are at most `tallest_` rows high, which bounds the
    // rows above a range where an intersecting area can begin.
    std::map<std::pair<int, int>, CellRange> areas_;
    int tallest_ = 1;
};

}  // namespace tabulizer::sheet
