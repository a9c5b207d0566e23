#pragma once
// What every loaded description must satisfy: the table bounds after any load, and
// the full set of invariants after a load that reported nothing. Each broken rule
// adds one line to `problems`.
#include <string>
#include <vector>

#include "description/DocumentDescription.h"

namespace tabulizer::fuzz {

using Problems = std::vector<std::string>;

inline void Expect(bool holds, const std::string& what, Problems& problems) {
    if (!holds) problems.push_back(what);
}

inline bool InRange(long value, long low, long high) { return value >= low && value <= high; }

// Counts within their tables, records within their ranges: whatever the file held.
inline void CheckBounds(const DocumentDescription& d, Problems& problems) {
    Expect(InRange(d.CountSepL, 0, kMaxSeparators), "CountSepL out of bounds", problems);
    Expect(InRange(d.CountFixLines, 0, kMaxFixLines), "CountFixLines out of bounds", problems);
    Expect(InRange(d.CountMerge, 0, kMaxMerges), "CountMerge out of bounds", problems);
    Expect(InRange(d.CountFormat, 0, kMaxColumns), "CountFormat out of bounds", problems);
    for (const PosList* list : {&d.EndPoz, &d.PozDiv, &d.WidthGraf})
        Expect(InRange((*list)[0], 0, kMaxColumns), "position list count out of bounds", problems);
    for (int i = 0; i < 3; ++i)
        Expect(InRange(d.Fonts[i].Style, 0, 3), "font style out of range", problems);
    for (std::size_t i = 0; i < d.FormatCells.size(); ++i) {
        const FormatCell& f = d.FormatCells[i];
        Expect(f.Col == 0 || f.Col == static_cast<long>(i) + 1, "format stored under another column", problems);
        Expect(InRange(f.Alig, 0, 3) && InRange(f.Form, 0, 4) && InRange(f.Cn, 0, 20),
               "format field out of range", problems);
    }
    for (const FixLine& fix : d.FixStr)
        Expect(InRange(fix.BegCol, 0, kMaxColumns) && InRange(fix.EndCol, 0, kMaxColumns),
               "fixed line column out of range", problems);
}

inline void CheckIncreasing(const PosList& list, const char* name, Problems& problems) {
    for (int i = 1; i <= list[0] && i <= kMaxColumns; ++i)
        Expect(list[i] > list[i - 1] || (i == 1 && list[1] > 0), std::string(name) + " not increasing", problems);
}

inline void CheckMerges(const DocumentDescription& d, Problems& problems) {
    for (int i = 0; i < d.CountMerge && i <= kMaxMerges; ++i) {
        const MergeCell& m = d.MergeCl[i];
        Expect(InRange(m.NStr, d.EndTitle + 1L, d.EndCap) && InRange(m.BegCol, 1, m.EndCol - 1L) &&
                   m.EndCol <= d.EndPoz[0] && InRange(m.Depth, 1, d.EndCap - m.NStr + 1L),
               "merge block out of range", problems);
    }
}

// After a load without a report, the description is complete for a conversion.
inline void CheckClean(const DocumentDescription& d, Problems& problems) {
    Expect(d.MaxLStr != 0 && d.EndTitle != 0 && d.EndCap != 0, "required integer is 0", problems);
    Expect(d.FormFeed || d.EtalStrN != 0, "EtalStrN is 0", problems);
    Expect(d.EndPoz[0] >= 1, "no columns", problems);
    CheckIncreasing(d.EndPoz, "EndPoz", problems);
    CheckIncreasing(d.PozDiv, "PozDiv", problems);
    for (int i = 0; i < d.CountSepL && i < kMaxSeparators; ++i)
        Expect(!d.SepStr[i].empty(), "empty separator counted", problems);
    for (int i = 1; i <= d.CountFixLines && i <= kMaxFixLines; ++i)
        Expect(!d.FixStr[i].Str.empty(), "empty fixed line counted", problems);
    for (const FormatCell& f : d.FormatCells)
        Expect(f.Col <= d.EndPoz[0], "format of a column beyond the last", problems);
    CheckMerges(d, problems);
}

}  // namespace tabulizer::fuzz
