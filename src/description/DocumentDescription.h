#pragma once
// The layout of one kind of report and the output options, plus the mode flags of
// the run. Both records exist once per process (Description(), Run()); every window
// and the conversion read and write that one instance in place.
//
// Texts compared with document lines (EtalStr, SepStr, FixLine::Str) are CP1251
// bytes; paths and font names are UTF-8.
#include <array>
#include <string>

#include "common/Int16.h"

namespace tabulizer {

// Position lists: element 0 holds the count, elements 1..count the values.
using PosList = std::array<i16, 51>;

struct FormatCell {
    i16 Col = 0;   // column this record belongs to; 0 = no format of its own
    i16 Alig = 0;  // 0 general, 1 left, 2 centre, 3 right
    i16 Form = 0;  // 0 general, 1 number, 2 currency, 3 percent, 4 text
    i16 Cn = 0;    // decimals
    bool operator==(const FormatCell&) const = default;
};

struct MergeCell {
    i16 NStr = 0;    // first page line of the block
    i16 BegCol = 0;
    i16 EndCol = 0;
    i16 Depth = 0;   // number of lines
    bool BottomLine = false;
    bool operator==(const MergeCell&) const = default;
};

struct FixLine {
    i16 NStr = 0;    // sample line the editor found it on; not stored in projects
    i16 BegCol = 0;  // 0 = not given: the run fills in 1..EndPoz[0]
    i16 EndCol = 0;
    std::string Str; // CP1251
    bool operator==(const FixLine&) const = default;
};

struct Font {
    std::string Name;  // UTF-8
    i16 Size = 0;
    i16 Style = 0;     // 0 regular, 1 bold, 2 italic, 3 bold italic
    bool operator==(const Font&) const = default;
};

enum FontIndex : int { kFontTitle = 0, kFontCap = 1, kFontInf = 2 };

inline constexpr int kMaxSeparators = 15;
inline constexpr int kMaxColumns = 50;
inline constexpr int kMaxMerges = 20;      // MergeCl holds 21 entries, 20 usable
inline constexpr int kMaxFixLines = 30;    // FixStr holds 31 entries, 0 = postscript

struct DocumentDescription {
    std::string NameIn;
    std::string NameOut;
    bool NoClose = false;
    bool Code = false;  // true = CP1251 input, false = CP866
    i16 MaxLStr = 0;
    i16 EndTitle = 0;
    i16 EndCap = 0;
    bool FormFeed = false;
    i16 EtalStrN = 0;
    std::string EtalStr;
    i16 CountSepL = 0;
    i16 CountFixLines = 0;
    i16 CountFormat = 0;
    i16 CountMerge = 0;
    bool NoSpace = false;
    bool UnderStr = false;
    bool DivideCol = false;
    bool DelNull = false;
    bool Flat = false;  // all pages as one table on one sheet

    std::array<std::string, 15> SepStr{};
    PosList EndPoz{};
    PosList PozDiv{};
    PosList WidthGraf{};
    std::array<FormatCell, 50> FormatCells{};
    std::array<MergeCell, 21> MergeCl{};
    std::array<FixLine, 31> FixStr{};
    std::array<Font, 4> Fonts{};
    std::array<Font, 4> FontDef{};

    // Default fonts into FontDef and copies into Fonts; MergeCl emptied.
    void InitFontsAndMerges();
    bool operator==(const DocumentDescription&) const = default;
};

struct RunState {
    std::string NameIni;  // UTF-8 path of the project file
    bool NewProject = false;
    // A new project whose description the wizard inferred from the report: the editor
    // opens it as it opens a project to modify, and saves it as the new project.
    bool Inferred = false;
    bool GroupProject = false;  // the wizard's optGrPrYes: saved without NameIn
    bool Batch = false;
    bool Overwrite = false;
    bool OldWindows = false;
    bool Csv = false;  // the flat table goes out as CSV instead of .xlsx
    bool CsvForSpreadsheet = false;  // that CSV with a byte order mark, ';' and decimal commas
    i16 CurStep = 0;  // editor step 0..14 (15 finished)
    // The step an inferred description opens at: that of the first element the
    // inference could not decide (0 when it decided all).
    i16 StartStep = 0;
};

// The process-wide instances.
DocumentDescription& Description();
RunState& Run();

}  // namespace tabulizer
