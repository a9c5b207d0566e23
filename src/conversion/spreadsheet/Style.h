#pragma once
// Cell styles: every distinct combination of cell properties exists once in the
// StyleTable and cells refer to it by a small id; id 0 is the default style.
// Formatting a range maps each cell's old id through (old id, change) -> new id,
// cached, so a long run of identical changes costs one hash lookup per cell.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tabulizer::sheet {

enum class Line : std::uint8_t { kNone, kContinuous, kDash, kDashDot, kDashDotDot, kDot, kDouble, kSlantDashDot };
enum class Weight : std::uint8_t { kNone, kHairline, kThin, kMedium, kThick };
enum class Align : std::uint8_t { kGeneral, kLeft, kCenter, kRight };
enum class Order : std::uint8_t { kContext, kLtr, kRtl };

// A line with no weight given is thin; a weight given without a line is continuous.
struct Border {
    Line line = Line::kNone;
    Weight weight = Weight::kNone;
    bool operator==(const Border&) const = default;
};

struct Style {
    std::uint32_t fontName = 0;      // index in the font-name pool; 0 = the workbook's font
    std::uint16_t fontSize = 0;      // points; 0 = the workbook's size
    bool bold = false;
    bool italic = false;
    Align align = Align::kGeneral;
    Order order = Order::kContext;
    Border bottom, left, right;
    std::uint32_t numberFormat = 0;  // index in the format pool; 0 = General
    bool operator==(const Style&) const = default;
};

enum class Property : std::uint8_t {
    kFontName, kFontSize, kBold, kItalic, kAlign, kOrder,
    kBottomLine, kBottomWeight, kLeftLine, kLeftWeight, kRightLine, kRightWeight,
    kNumberFormat,
};

// One property set to one value (an enum value, a size, a flag or a pool index).
struct StyleChange {
    Property property;
    std::uint32_t value;
};

// Interned texts (font names, number formats); index 0 is the empty text.
class StringPool {
public:
    StringPool() { Intern(""); }
    std::uint32_t Intern(std::string_view text);
    const std::string& At(std::uint32_t index) const { return texts_[index]; }

private:
    std::vector<std::string> texts_;
    std::unordered_map<std::string, std::uint32_t> index_;
};

class StyleTable {
public:
    StyleTable();
    // The id of the style `styleId` with `change` applied.
    std::uint32_t Apply(std::uint32_t styleId, StyleChange change);
    const Style& Get(std::uint32_t id) const { return styles_[id]; }
    std::size_t Count() const { return styles_.size(); }
    // Cells of this style hold what is written as text (number format "@").
    bool IsTextFormat(std::uint32_t id) const { return textFormat_[id]; }

    StringPool fontNames;
    StringPool numberFormats;

private:
    std::uint32_t Intern(const Style& style);

    struct StyleHash {
        std::size_t operator()(const Style& s) const;
    };
    std::vector<Style> styles_;
    std::vector<bool> textFormat_;
    std::unordered_map<Style, std::uint32_t, StyleHash> ids_;
    std::unordered_map<std::uint64_t, std::uint32_t> changes_;
};

}  // namespace tabulizer::sheet
