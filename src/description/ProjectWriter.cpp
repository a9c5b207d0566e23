#include "description/ProjectWriter.h"

#include <algorithm>
#include <vector>

#include "common/Cp1251.h"
#include "common/Failure.h"
#include "common/ReplaceFile.h"
#include "description/ProjectEncoding.h"
#include "description/ProjectText.h"

namespace tabulizer {
namespace {

int Count(i16 value, int limit) { return std::clamp<int>(value, 0, limit); }

std::string Join(const PosList& list) {
    std::string text;
    for (int i = 1; i <= Count(list[0], kMaxColumns); ++i)
        text += (i > 1 ? "," : "") + std::to_string(list[i]);
    return text;
}

void WriteGeneral(ProjectText& out, const DocumentDescription& d) {
    out.Section("Tabulizer");
    out.Key("Version", "1.0");
    out.Section("General");
    out.Key("NameIn", Utf8ToCp1251(d.NameIn));
    out.Key("NameOut", Utf8ToCp1251(d.NameOut));
    out.Flag("OpenExcel", d.NoClose);
    out.Key("MaxLStr", d.MaxLStr);
    out.Flag("Code", d.Code);
    // Written only when set, so that a project saved again without it keeps its text.
    if (d.Flat) out.Flag("Flat", d.Flat);
}

// The editor may leave free (empty) slots among the separators and the fixed
// lines; the loader expects the first entries to be used, so only the used ones
// are written, in their order.
void WriteSeparators(ProjectText& out, const DocumentDescription& d) {
    std::vector<std::string> used;
    for (const std::string& text : d.SepStr)
        if (!text.empty() && static_cast<int>(used.size()) < Count(d.CountSepL, kMaxSeparators)) used.push_back(text);
    out.Key("CountSepL", static_cast<long>(used.size()));
    for (std::size_t i = 0; i < used.size(); ++i) out.Key("R" + std::to_string(i), "#" + used[i] + "#");
}

void WriteFixedLines(ProjectText& out, const DocumentDescription& d) {
    std::vector<const FixLine*> used;
    for (int i = 1; i <= kMaxFixLines; ++i)
        if (!d.FixStr[i].Str.empty() && static_cast<int>(used.size()) < Count(d.CountFixLines, kMaxFixLines))
            used.push_back(&d.FixStr[i]);
    out.Key("CountFixLines", static_cast<long>(used.size()));
    for (std::size_t i = 0; i < used.size(); ++i) out.Key("FS" + std::to_string(i), FixValue(*used[i]));
    if (!d.FixStr[0].Str.empty()) out.Key("PS", FixValue(d.FixStr[0]));
}

void WriteMerges(ProjectText& out, const DocumentDescription& d) {
    if (Count(d.CountMerge, kMaxMerges) > 0) out.Key("MergeCl", MergeClValue(d));
}

void WriteFont(ProjectText& out, std::string_view key, const Font& font) {
    if (font.Name.empty()) return;  // the loader refuses a font without a name
    std::string name = Utf8ToCp1251(font.Name);
    if (name.find(',') != std::string::npos)
        throw Failure(kCannotWrite, "project key " + std::string(key) + ": a comma in a font name cannot be stored");
    out.Key(key, name + "," + std::to_string(font.Size) + "," + std::to_string(font.Style));
}

void WriteHorizon(ProjectText& out, const DocumentDescription& d) {
    out.Section("Horizon");
    out.Key("EndTitle", d.EndTitle);
    out.Key("EndCap", d.EndCap);
    out.Flag("FormFeed", d.FormFeed);
    if (!d.FormFeed) {
        out.Key("EtalStrN", d.EtalStrN);
        out.Key("EtalStr", "#" + d.EtalStr + "#");
    }
    WriteSeparators(out, d);
    WriteFixedLines(out, d);
    out.Flag("NoSpace", d.NoSpace);
    out.Flag("UnderStr", d.UnderStr);
    out.Flag("DelNull", d.DelNull);
    WriteMerges(out, d);
    WriteFont(out, "FontTitle", d.Fonts[kFontTitle]);
    WriteFont(out, "FontCap", d.Fonts[kFontCap]);
    WriteFont(out, "FontInf", d.Fonts[kFontInf]);
}

// Formats of columns beyond the last column are left over from an earlier column
// layout; the loader would refuse them, and they format nothing.
void WriteFormats(ProjectText& out, const DocumentDescription& d) {
    std::string groups;
    int count = 0;
    for (int c = 1; c <= Count(d.EndPoz[0], kMaxColumns); ++c) {
        const FormatCell& f = d.FormatCells[c - 1];
        if (f.Col == 0) continue;
        ++count;
        for (int number : {c, int{f.Alig}, int{f.Form}, int{f.Cn}}) groups += "," + std::to_string(number);
    }
    if (count > 0) out.Key("FormatCells", std::to_string(count) + groups);
}

void WriteVertical(ProjectText& out, const DocumentDescription& d) {
    out.Section("Vertical");
    out.Key("EndPoz", Join(d.EndPoz));
    if (d.PozDiv[0] > 0) out.Key("PozDiv", Join(d.PozDiv));
    WriteFormats(out, d);
    if (d.WidthGraf[0] > 0) out.Key("WidthGraf", Join(d.WidthGraf));
    out.Flag("DivideCol", d.DivideCol);
}

// The loader reads a file whose bytes form UTF-8 as UTF-8. CP1251 text practically
// never does, but a text taken from a report may ("Зª" is also the UTF-8 of "Ǫ"):
// such a project is written in UTF-8 with a byte order mark, which the loader reads
// back to the same CP1251 text.
std::string ReadableAsWritten(std::string cp1251) {
    if (DecodeProjectBytes(cp1251).cp1251 == cp1251) return cp1251;
    std::string utf8 = "\xEF\xBB\xBF" + Cp1251ToUtf8(cp1251);
    return DecodeProjectBytes(utf8).cp1251 == cp1251 ? utf8 : cp1251;
}

}  // namespace

std::string FixValue(const FixLine& line) {
    return std::to_string(line.BegCol) + "," + std::to_string(line.EndCol) + "," + line.Str;
}

std::string MergeClValue(const DocumentDescription& d) {
    int count = Count(d.CountMerge, kMaxMerges);
    std::string value = std::to_string(count);
    for (int i = 0; i < count; ++i) {
        const MergeCell& m = d.MergeCl[i];
        for (int number : {int{m.NStr}, int{m.BegCol}, int{m.EndCol}, int{m.Depth}, m.BottomLine ? 1 : 0})
            value += "," + std::to_string(number);
    }
    return value;
}

std::string FormatProject(const DocumentDescription& description) {
    ProjectText out;
    WriteGeneral(out, description);
    WriteHorizon(out, description);
    WriteVertical(out, description);
    return ReadableAsWritten(out.Text());
}

void WriteProject(const DocumentDescription& description, const std::string& utf8Path, bool replace) {
    if (replace) ReplaceFile(utf8Path, FormatProject(description));
    else CreateNewFile(utf8Path, FormatProject(description));
}

}  // namespace tabulizer
