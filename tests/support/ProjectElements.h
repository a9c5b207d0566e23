#pragma once
// Which elements of a report's layout two descriptions of it set otherwise, named
// with the project keys behind them: what a reader of a failed comparison of two
// projects needs first. Only keys that change the sheets, values or merges of a
// conversion count; fonts, widths and the hairline under rows do not.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "description/DocumentDescription.h"

namespace tabulizer::test {

struct ElementDifference {
    std::string element;            // "pages", "columns", ...
    std::vector<std::string> keys;  // the project keys that differ, in file order
};

namespace detail {

inline bool SamePositions(const PosList& a, const PosList& b) {
    for (int i = 0; i <= a[0] && i <= 50; ++i)
        if (a[i] != b[i]) return false;
    return a[0] == b[0];
}

inline bool SameSeparators(const DocumentDescription& a, const DocumentDescription& b) {
    if (a.CountSepL != b.CountSepL) return false;
    for (int i = 0; i < a.CountSepL && i < kMaxSeparators; ++i)
        if (a.SepStr[i] != b.SepStr[i]) return false;
    return true;
}

inline bool SameFixedLines(const DocumentDescription& a, const DocumentDescription& b) {
    if (a.CountFixLines != b.CountFixLines) return false;
    for (int i = 1; i <= a.CountFixLines && i <= kMaxFixLines; ++i)
        if (a.FixStr[i].BegCol != b.FixStr[i].BegCol || a.FixStr[i].EndCol != b.FixStr[i].EndCol ||
            a.FixStr[i].Str != b.FixStr[i].Str)
            return false;
    return true;
}

inline bool SamePostscript(const FixLine& a, const FixLine& b) {
    return a.Str == b.Str && (a.Str.empty() || (a.BegCol == b.BegCol && a.EndCol == b.EndCol));
}

inline bool SameMerges(const DocumentDescription& a, const DocumentDescription& b) {
    if (a.CountMerge != b.CountMerge) return false;
    for (int i = 0; i < a.CountMerge && i < kMaxMerges; ++i)
        if (!(a.MergeCl[i] == b.MergeCl[i])) return false;
    return true;
}

// Formats are kept per column; a column without a record of its own counts as general.
inline bool SameFormats(const DocumentDescription& a, const DocumentDescription& b) {
    for (int c = 0; c < kMaxColumns; ++c) {
        FormatCell fa = a.CountFormat > 0 ? a.FormatCells[c] : FormatCell{};
        FormatCell fb = b.CountFormat > 0 ? b.FormatCells[c] : FormatCell{};
        if (fa.Col == 0) fa = {};
        if (fb.Col == 0) fb = {};
        if (!(fa == fb)) return false;
    }
    return true;
}

}  // namespace detail

// The elements in which `hand` and `inferred` differ, in the order of a page: code
// page, pages, line length, title and cap, columns, merges, separators, fixed lines,
// postscript, formats, empty lines, zeros.
inline std::vector<ElementDifference> ElementsThatDiffer(const DocumentDescription& hand,
                                                         const DocumentDescription& inferred) {
    std::vector<ElementDifference> out;
    auto add = [&out](const std::string& element, const std::string& key, bool differs) {
        if (!differs) return;
        if (out.empty() || out.back().element != element) out.push_back({element, {}});
        out.back().keys.push_back(key);
    };
    const DocumentDescription &a = hand, &b = inferred;
    add("code page", "Code", a.Code != b.Code);
    add("pages", "FormFeed", a.FormFeed != b.FormFeed);
    bool etalon = !a.FormFeed || !b.FormFeed;
    add("pages", "EtalStrN", etalon && a.EtalStrN != b.EtalStrN);
    add("pages", "EtalStr", etalon && a.EtalStr != b.EtalStr);
    add("line length", "MaxLStr", a.MaxLStr != b.MaxLStr);
    add("title/cap", "EndTitle", a.EndTitle != b.EndTitle);
    add("title/cap", "EndCap", a.EndCap != b.EndCap);
    add("columns", "EndPoz", !detail::SamePositions(a.EndPoz, b.EndPoz));
    add("columns", "PozDiv", !detail::SamePositions(a.PozDiv, b.PozDiv));
    add("columns", "DivideCol", a.DivideCol != b.DivideCol);
    add("merges", "MergeCl", !detail::SameMerges(a, b));
    add("separators", "CountSepL/R*", !detail::SameSeparators(a, b));
    add("fixed lines", "CountFixLines/FS*", !detail::SameFixedLines(a, b));
    add("postscript", "PS", !detail::SamePostscript(a.FixStr[0], b.FixStr[0]));
    add("formats", "FormatCells", !detail::SameFormats(a, b));
    add("empty lines", "NoSpace", a.NoSpace != b.NoSpace);
    add("zeros", "DelNull", a.DelNull != b.DelNull);
    return out;
}

// Sets in `to` the keys of one element (a name ElementsThatDiffer gives) as `from`
// has them: a project that differs from `to` in that element alone. False for a name
// it does not know.
inline bool CopyElement(const std::string& element, const DocumentDescription& from, DocumentDescription& to) {
    using Copy = void (*)(const DocumentDescription&, DocumentDescription&);
    static const std::vector<std::pair<std::string, Copy>> copies = {
        {"code page", [](const DocumentDescription& f, DocumentDescription& t) { t.Code = f.Code; }},
        {"pages",
         [](const DocumentDescription& f, DocumentDescription& t) {
             t.FormFeed = f.FormFeed, t.EtalStrN = f.EtalStrN, t.EtalStr = f.EtalStr;
         }},
        {"line length", [](const DocumentDescription& f, DocumentDescription& t) { t.MaxLStr = f.MaxLStr; }},
        {"title/cap",
         [](const DocumentDescription& f, DocumentDescription& t) { t.EndTitle = f.EndTitle, t.EndCap = f.EndCap; }},
        {"columns",
         [](const DocumentDescription& f, DocumentDescription& t) {
             t.EndPoz = f.EndPoz, t.PozDiv = f.PozDiv, t.DivideCol = f.DivideCol;
         }},
        {"merges",
         [](const DocumentDescription& f, DocumentDescription& t) { t.CountMerge = f.CountMerge, t.MergeCl = f.MergeCl; }},
        {"separators",
         [](const DocumentDescription& f, DocumentDescription& t) { t.CountSepL = f.CountSepL, t.SepStr = f.SepStr; }},
        {"fixed lines",
         [](const DocumentDescription& f, DocumentDescription& t) {
             t.CountFixLines = f.CountFixLines;
             std::copy(f.FixStr.begin() + 1, f.FixStr.end(), t.FixStr.begin() + 1);
         }},
        {"postscript", [](const DocumentDescription& f, DocumentDescription& t) { t.FixStr[0] = f.FixStr[0]; }},
        {"formats",
         [](const DocumentDescription& f, DocumentDescription& t) {
             t.CountFormat = f.CountFormat, t.FormatCells = f.FormatCells;
         }},
        {"empty lines", [](const DocumentDescription& f, DocumentDescription& t) { t.NoSpace = f.NoSpace; }},
        {"zeros", [](const DocumentDescription& f, DocumentDescription& t) { t.DelNull = f.DelNull; }},
    };
    for (const auto& [name, copy] : copies)
        if (name == element) return copy(from, to), true;
    return false;
}

// "pages [FormFeed, EtalStr]; columns [EndPoz]"
inline std::string DescribeDifferences(const std::vector<ElementDifference>& differences) {
    std::string text;
    for (const ElementDifference& d : differences) {
        if (!text.empty()) text += "; ";
        text += d.element + " [";
        for (std::size_t i = 0; i < d.keys.size(); ++i) text += (i ? ", " : "") + d.keys[i];
        text += "]";
    }
    return text;
}

}  // namespace tabulizer::test
