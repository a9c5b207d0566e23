#pragma once
// The input of the run target: a header of fuzzed numbers and the document. The
// first byte gives the header's length, so mutations of the header leave the
// document in place. The header chooses a project the loader accepts: counts and
// positions in their ranges (with a rare extreme), and the etalon, separator and
// fixed-line texts taken from the document's own lines, converted as the run
// converts them, so that they match.
// Every byte is taken in a statement of its own (or in a braced list, which is
// evaluated in order): operands of one expression are evaluated in an order that
// differs between compilers, and the unit test must decode a kept input exactly
// as the fuzz target did.
#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "ByteSource.h"
#include "common/Cp1251.h"
#include "conversion/ConvStr.h"

namespace tabulizer::fuzz {

struct RunInput {
    std::string project;   // CP1251 project text
    std::string document;  // the input document as it stands in the file
    bool noClose = false;
    bool overwrite = false;
    bool flat = false;  // one table instead of a sheet per page
    bool csv = false;   // that table as CSV (never handed to the desktop)
};

// Lines split as the input file splits them: CR LF, LF or a lone CR.
inline std::vector<std::string> DocumentLines(std::string_view document, bool windowsText) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < document.size()) {
        std::size_t end = std::min(document.find_first_of("\r\n", start), document.size());
        lines.emplace_back(document.substr(start, end - start));
        ConvStr(lines.back(), windowsText);
        start = end + (end < document.size() && document.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

class ProjectBuilder {
public:
    ProjectBuilder(ByteSource& source, std::string_view document) : src_(source), document_(document) {}

    RunInput Build();

private:
    // A usual value low..low+count-1, or now and then one of `extremes`.
    int Choose(int low, int count, std::initializer_list<int> extremes) {
        const int b = src_.Byte();
        const int rare = 256 - static_cast<int>(extremes.size());
        return b >= rare ? extremes.begin()[b - rare] : low + b % count;
    }
    // A converted line of the document; `fallback` (UTF-8) stands in for an empty one.
    std::string Line(std::string_view fallback) {
        if (lines_.empty()) return Utf8ToCp1251(std::string(fallback));
        const std::string& line = lines_[src_.Below(static_cast<int>(lines_.size()))];
        return line.empty() ? Utf8ToCp1251(std::string(fallback)) : line;
    }
    // A piece of a line: what a fixed line or the postscript is recognised by.
    std::string Piece() {
        std::string line = Line("Итого");
        std::size_t from = src_.Below(static_cast<int>(line.size()));
        return line.substr(from, 1 + src_.Below(12));
    }
    void Key(const std::string& key, const std::string& value) { text_ += key + "=" + value + "\r\n"; }
    void Section(const char* name) { text_ += std::string("[") + name + "]\r\n"; }
    std::string List(int count, int step, int low, bool increasing);

    void General(bool windowsText);
    void Lines();
    void Separators();
    void FixedLines();
    void Merges();
    void Fonts();
    void Columns();
    void Flags();

    ByteSource& src_;
    std::string_view document_;
    std::vector<std::string> lines_;
    std::string text_;
    int endTitle_ = 1, endCap_ = 1, columns_ = 1;
    unsigned flags_ = 0;
};

inline std::string ProjectBuilder::List(int count, int step, int low, bool increasing) {
    std::string value;
    int position = 0;
    for (int i = 0; i < count; ++i) {
        position = increasing ? position + 1 + src_.Below(step) : low + src_.Below(step);
        value += (i ? "," : "") + std::to_string(position);
    }
    return value;
}

inline void ProjectBuilder::General(bool windowsText) {
    Section("Tabulizer");
    Key("Version", "1");
    Section("General");
    std::size_t longest = 1;
    for (const std::string& line : lines_) longest = std::max(longest, line.size());
    const int width = src_.Bit() ? static_cast<int>(std::min<std::size_t>(longest, 32767))
                                 : Choose(1, 120, {-7, 1000, 32767});
    Key("MaxLStr", std::to_string(width));
    Key("Code", windowsText ? "1" : "0");
}

inline void ProjectBuilder::Lines() {
    Section("Horizon");
    endTitle_ = Choose(1, 5, {-1, 40});
    endCap_ = endTitle_ + Choose(0, 5, {-2});
    Key("EndTitle", std::to_string(endTitle_));
    Key("EndCap", std::to_string(endCap_));
    Key("FormFeed", flags_ & 1 ? "1" : "0");
    Key("EtalStrN", std::to_string(Choose(1, 20, {-1, 21})));
    Key("EtalStr", "#" + Line("ВЕДОМОСТЬ") + "#");
}

inline void ProjectBuilder::Separators() {
    const int count = src_.Below(4);
    Key("CountSepL", std::to_string(count));
    for (int i = 0; i < count; ++i) Key("R" + std::to_string(i), "#" + Line("-") + "#");
}

inline void ProjectBuilder::FixedLines() {
    const int count = src_.Below(3);
    Key("CountFixLines", std::to_string(count));
    auto value = [&] {
        const int first = src_.Below(columns_ + 1);
        const int last = src_.Below(columns_ + 1);
        return std::to_string(first) + "," + std::to_string(last) + "," + Piece();
    };
    for (int i = 0; i < count; ++i) Key("FS" + std::to_string(i), value());
    if (src_.Bit()) Key("PS", value());
}

inline void ProjectBuilder::Merges() {
    const int count = src_.Below(3);
    if (count == 0 || endCap_ <= endTitle_ || columns_ < 2) return;
    std::string value = std::to_string(count);
    for (int i = 0; i < count; ++i) {
        const int line = endTitle_ + 1 + src_.Below(endCap_ - endTitle_);
        const int first = 1 + src_.Below(columns_ - 1);
        const int last = first + 1 + src_.Below(columns_ - first);
        const int depth = 1 + src_.Below(endCap_ - line + 1);
        for (int number : {line, first, last, depth, src_.Below(2)}) value += "," + std::to_string(number);
    }
    Key("MergeCl", value);
}

inline void ProjectBuilder::Fonts() {
    static const char* const kNames[] = {"Arial", "Courier New", "Times New Roman",
                                         "Шрифт с очень длинным именем длиннее 31 знака"};
    for (const char* key : {"FontTitle", "FontCap", "FontInf"}) {
        if (!src_.Bit()) continue;
        const char* name = kNames[src_.Below(4)];
        const int size = Choose(1, 72, {0, -3, 500});
        const int style = src_.Below(4);
        Key(key, Utf8ToCp1251(name) + "," + std::to_string(size) + "," + std::to_string(style));
    }
}

inline void ProjectBuilder::Columns() {
    Section("Vertical");
    columns_ = Choose(1, 10, {50});
    Key("EndPoz", List(columns_, columns_ > 10 ? 4 : 16, 0, true));
    if (int dividers = src_.Below(6)) Key("PozDiv", List(dividers, 20, 0, true));
    if (int formats = src_.Below(4)) {
        std::string value = std::to_string(formats);
        for (int g = 0; g < formats; ++g)
            for (int number : {1 + src_.Below(columns_), src_.Below(4), src_.Below(5), src_.Below(21)})
                value += "," + std::to_string(number);
        Key("FormatCells", value);
    }
    if (src_.Bit()) {
        const int count = 1 + src_.Below(columns_);
        const int low = src_.Rare() ? -5 : 0;
        Key("WidthGraf", List(count, 60, low, false));
    }
    Key("DivideCol", flags_ & 2 ? "1" : "0");
}

inline void ProjectBuilder::Flags() {
    Key("NoSpace", flags_ & 4 ? "1" : "0");
    Key("UnderStr", flags_ & 8 ? "1" : "0");
    Key("DelNull", flags_ & 16 ? "1" : "0");
}

inline RunInput ProjectBuilder::Build() {
    flags_ = src_.Byte();
    const bool windowsText = flags_ & 32;
    lines_ = DocumentLines(document_, windowsText);
    General(windowsText);
    const std::size_t horizon = text_.size();
    Columns();  // the column count bounds the fixed lines and merges
    std::string vertical = text_.substr(horizon);
    text_.resize(horizon);
    Lines();
    Separators();
    FixedLines();
    Merges();
    Flags();
    Fonts();
    // The last header byte, so that inputs kept before it existed still decode as they did.
    const std::uint8_t output = src_.Byte();
    const bool csv = output & 2;
    return {text_ + vertical, std::string(document_), (flags_ & 64) != 0 && !csv, (flags_ & 128) != 0,
            (output & 1) != 0, csv};
}

inline RunInput MakeRunInput(std::string_view bytes) {
    const std::size_t header = bytes.empty() ? 0 : std::min<std::size_t>(bytes[0] & 0xFF, bytes.size() - 1);
    std::string_view headerBytes = bytes.empty() ? bytes : bytes.substr(1, header);
    ByteSource source(headerBytes);
    return ProjectBuilder(source, bytes.empty() ? bytes : bytes.substr(1 + header)).Build();
}

}  // namespace tabulizer::fuzz
