// The role of a line as the first column of the view shows it after the number.
// Labels are empty or begin with a blank.
#include "editor/DocumentView.h"

namespace tabulizer {

std::string DocumentView::Label(int line) {
    switch (Row().Label) {
    case LabelKind::HeadLines: return HeadLabel(line);
    case LabelKind::Roles: return RoleLabel(line);
    case LabelKind::Merges: return d_.CountMerge > 0 ? MergeLabel(line) : std::string();
    case LabelKind::None: break;
    }
    return {};
}

// Title end, cap end and reference line, alone or together; the reference line
// also gives its text to EtalStr.
std::string DocumentView::HeadLabel(int line) {
    const bool title = line == d_.EndTitle;
    const bool cap = line == d_.EndCap;
    const bool etalon = line == d_.EtalStrN;
    if (etalon) d_.EtalStr = CurText;
    if (title && cap && etalon) return " Зг+Ш+Эт";
    if (title && etalon) return " Заг+Эталон";
    if (cap && etalon) return " Эт+Шапка";
    if (etalon) return " Эталон";
    if (title && cap) return " Зг+Шапка";
    if (cap) return " Шапка";
    if (title) return " Заголовок";
    return {};
}

// Separators, fixed lines and the postscript. Nothing after the postscript has a
// role; a fixed-line text in a separator line wins over the separator.
std::string DocumentView::RoleLabel(int line) {
    if (PSLine > 0 && line > PSLine) return {};
    std::string label;
    if (!CurText.empty())
        for (const std::string& sep : d_.SepStr)
            if (CurText == sep) {
                label = " Разделитель";
                break;
            }
    for (std::size_t k = 0; k < d_.FixStr.size(); ++k) {
        const FixLine& fix = d_.FixStr[k];
        if (fix.Str.empty() || CurText.find(fix.Str) == std::string::npos) continue;
        if (k == 0) {
            label = " P.S.";
            PSLine = static_cast<i16>(line);
        } else {
            label = " Ф.С. ";
        }
        if (fix.BegCol >= 1) label += ColumnName(fix.BegCol);
        if (fix.BegCol >= 1 && fix.EndCol >= 1 && fix.EndCol != fix.BegCol) label += "-" + ColumnName(fix.EndCol);
        break;
    }
    return label;
}

// Merged cap cells that start on this line, the one being defined included:
// " A-C" for each, " A" while the end column is not chosen yet.
std::string DocumentView::MergeLabel(int line) {
    std::string label;
    for (int i = 0; i <= d_.CountMerge && i <= kMaxMerges; ++i) {
        const MergeCell& merge = d_.MergeCl[i];
        if (merge.NStr != line || merge.BegCol < 1) continue;
        label += " " + ColumnName(merge.BegCol);
        if (merge.EndCol >= 1) label += "-" + ColumnName(merge.EndCol);
    }
    if (static_cast<int>(label.size()) + 2 > LabelWidth) LabelWidth = static_cast<i16>(label.size() + 2);
    return label;
}

}  // namespace tabulizer
