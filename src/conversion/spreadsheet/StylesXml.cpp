// The style sheet of the package: every cell format numbered by CellFormats, with
// the fonts, borders and number formats they use, each written once.
#include <string_view>

#include "conversion/spreadsheet/CellFormats.h"

namespace tabulizer::sheet {
namespace {

constexpr std::uint32_t kFirstCustomFormat = 164;  // ids below are the built-in formats

// Numbers each distinct value in the order it is first met.
template <typename T>
class Numbering {
public:
    std::uint32_t Of(const T& value) {
        for (std::size_t i = 0; i < values_.size(); ++i)
            if (values_[i] == value) return static_cast<std::uint32_t>(i);
        values_.push_back(value);
        return static_cast<std::uint32_t>(values_.size() - 1);
    }
    const std::vector<T>& Values() const { return values_; }

private:
    std::vector<T> values_;
};

struct Font {
    std::string name;
    int size;
    bool bold;
    bool italic;
    bool operator==(const Font&) const = default;
};

struct Borders {
    Border left, right, bottom;
    bool operator==(const Borders&) const = default;
};

const char* BorderStyle(const Border& border) {
    bool heavy = border.weight == Weight::kMedium || border.weight == Weight::kThick;
    switch (border.line) {
        case Line::kNone: return nullptr;
        case Line::kContinuous:
            switch (border.weight) {
                case Weight::kHairline: return "hair";
                case Weight::kMedium: return "medium";
                case Weight::kThick: return "thick";
                default: return "thin";
            }
        case Line::kDash: return heavy ? "mediumDashed" : "dashed";
        case Line::kDashDot: return heavy ? "mediumDashDot" : "dashDot";
        case Line::kDashDotDot: return heavy ? "mediumDashDotDot" : "dashDotDot";
        case Line::kDot: return "dotted";
        case Line::kDouble: return "double";
        case Line::kSlantDashDot: return "slantDashDot";
    }
    return nullptr;
}

void AppendEdge(std::string& out, const char* edge, const Border& border) {
    const char* style = BorderStyle(border);
    if (!style) {
        out += std::string("<") + edge + "/>";
        return;
    }
    out += std::string("<") + edge + " style=\"" + style + "\"><color auto=\"1\"/></" + edge + ">";
}

void AppendFont(std::string& out, const Font& font, bool first) {
    out += "<font>";
    if (font.bold) out += "<b/>";
    if (font.italic) out += "<i/>";
    out += "<sz val=\"" + std::to_string(font.size) + "\"/><name val=\"";
    AppendEscaped(out, font.name);
    out += "\"/><family val=\"2\"/>";
    if (first) out += "<scheme val=\"minor\"/>";
    out += "</font>";
}

const char* AlignName(Align align) {
    switch (align) {
        case Align::kLeft: return "left";
        case Align::kCenter: return "center";
        case Align::kRight: return "right";
        default: return nullptr;
    }
}

}  // namespace

void AppendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '"') out += "&quot;";
        else out += c;
    }
}

CellFormats::CellFormats(const StyleTable& styles) : styles_(styles), index_(styles.Count(), kUnnumbered) {
    IndexOf(0);
}

std::string CellFormats::StylesXml() const {
    Numbering<Font> fonts;
    Numbering<Borders> borders;
    Numbering<std::string> numberFormats;
    fonts.Of({"Calibri", 11, false, false});
    borders.Of({});
    std::string xfs;
    for (std::uint32_t id : used_) {
        const Style& s = styles_.Get(id);
        Font font{s.fontName ? styles_.fontNames.At(s.fontName) : "Calibri", s.fontSize ? s.fontSize : 11, s.bold,
                  s.italic};
        std::uint32_t fontId = fonts.Of(font);
        std::uint32_t borderId = borders.Of({s.left, s.right, s.bottom});
        std::uint32_t formatId = s.numberFormat ? kFirstCustomFormat + numberFormats.Of(styles_.numberFormats.At(s.numberFormat)) : 0;
        const char* align = AlignName(s.align);
        bool aligned = align || s.order != Order::kContext;
        xfs += "<xf numFmtId=\"" + std::to_string(formatId) + "\" fontId=\"" + std::to_string(fontId) +
               "\" fillId=\"0\" borderId=\"" + std::to_string(borderId) + "\" xfId=\"0\"";
        if (formatId) xfs += " applyNumberFormat=\"1\"";
        if (fontId) xfs += " applyFont=\"1\"";
        if (borderId) xfs += " applyBorder=\"1\"";
        if (!aligned) {
            xfs += "/>";
            continue;
        }
        xfs += " applyAlignment=\"1\"><alignment";
        if (align) xfs += std::string(" horizontal=\"") + align + "\"";
        if (s.order != Order::kContext) xfs += s.order == Order::kLtr ? " readingOrder=\"1\"" : " readingOrder=\"2\"";
        xfs += "/></xf>";
    }

    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                      "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
    if (!numberFormats.Values().empty()) {
        out += "<numFmts count=\"" + std::to_string(numberFormats.Values().size()) + "\">";
        for (std::size_t i = 0; i < numberFormats.Values().size(); ++i) {
            out += "<numFmt numFmtId=\"" + std::to_string(kFirstCustomFormat + i) + "\" formatCode=\"";
            AppendEscaped(out, numberFormats.Values()[i]);
            out += "\"/>";
        }
        out += "</numFmts>";
    }
    out += "<fonts count=\"" + std::to_string(fonts.Values().size()) + "\">";
    for (std::size_t i = 0; i < fonts.Values().size(); ++i) AppendFont(out, fonts.Values()[i], i == 0);
    out += "</fonts><fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
           "<fill><patternFill patternType=\"gray125\"/></fill></fills>";
    out += "<borders count=\"" + std::to_string(borders.Values().size()) + "\">";
    for (const Borders& b : borders.Values()) {
        out += "<border>";
        AppendEdge(out, "left", b.left);
        AppendEdge(out, "right", b.right);
        out += "<top/>";
        AppendEdge(out, "bottom", b.bottom);
        out += "<diagonal/></border>";
    }
    out += "</borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
           "</cellStyleXfs>";
    out += "<cellXfs count=\"" + std::to_string(used_.size()) + "\">" + xfs + "</cellXfs>";
    out += "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
           "<dxfs count=\"0\"/><tableStyles count=\"0\" defaultTableStyle=\"TableStyleMedium9\" "
           "defaultPivotStyle=\"PivotStyleLight16\"/></styleSheet>";
    return out;
}

}  // namespace tabulizer::sheet
