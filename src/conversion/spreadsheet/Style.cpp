#include "conversion/spreadsheet/Style.h"

#include "common/Failure.h"

namespace tabulizer::sheet {
namespace {

// Values of a change fit 28 bits: ids above that would need more styles or
// pool texts than any workbook holds.
constexpr std::uint32_t kMaxChangeValue = (1u << 28) - 1;
constexpr std::size_t kMaxStyles = 1u << 24;

Border& Edge(Style& style, Property property) {
    switch (property) {
        case Property::kLeftLine: case Property::kLeftWeight: return style.left;
        case Property::kRightLine: case Property::kRightWeight: return style.right;
        default: return style.bottom;
    }
}

void SetLine(Border& border, Line line) {
    if (line == Line::kNone) {
        border = {};
        return;
    }
    border.line = line;
    if (border.weight == Weight::kNone) border.weight = Weight::kThin;
}

void SetWeight(Border& border, Weight weight) {
    border.weight = weight;
    if (border.line == Line::kNone) border.line = Line::kContinuous;
}

Style Changed(Style style, StyleChange change) {
    std::uint32_t v = change.value;
    switch (change.property) {
        case Property::kFontName: style.fontName = v; break;
        case Property::kFontSize: style.fontSize = static_cast<std::uint16_t>(v); break;
        case Property::kBold: style.bold = v != 0; break;
        case Property::kItalic: style.italic = v != 0; break;
        case Property::kAlign: style.align = static_cast<Align>(v); break;
        case Property::kOrder: style.order = static_cast<Order>(v); break;
        case Property::kBottomLine: case Property::kLeftLine: case Property::kRightLine:
            SetLine(Edge(style, change.property), static_cast<Line>(v));
            break;
        case Property::kBottomWeight: case Property::kLeftWeight: case Property::kRightWeight:
            SetWeight(Edge(style, change.property), static_cast<Weight>(v));
            break;
        case Property::kNumberFormat: style.numberFormat = v; break;
    }
    return style;
}

}  // namespace

std::uint32_t StringPool::Intern(std::string_view text) {
    auto [it, added] = index_.try_emplace(std::string(text), static_cast<std::uint32_t>(texts_.size()));
    if (added) texts_.emplace_back(text);
    return it->second;
}

std::size_t StyleTable::StyleHash::operator()(const Style& s) const {
    auto border = [](const Border& b) {
        return static_cast<std::uint64_t>(b.line) << 4 | static_cast<std::uint64_t>(b.weight);
    };
    std::uint64_t h = s.fontName;
    h = h * 1000003u ^ s.fontSize;
    h = h * 1000003u ^ (s.bold | s.italic << 1 | static_cast<unsigned>(s.align) << 2 |
                        static_cast<unsigned>(s.order) << 4);
    h = h * 1000003u ^ (border(s.bottom) | border(s.left) << 8 | border(s.right) << 16);
    h = h * 1000003u ^ s.numberFormat;
    return static_cast<std::size_t>(h);
}

StyleTable::StyleTable() { Intern(Style{}); }

std::uint32_t StyleTable::Intern(const Style& style) {
    if (styles_.size() >= kMaxStyles)  // cells keep style ids in 24 bits
        throw Failure(kOutOfMemory, "too many distinct cell styles");
    auto [it, added] = ids_.try_emplace(style, static_cast<std::uint32_t>(styles_.size()));
    if (added) {
        styles_.push_back(style);
        textFormat_.push_back(numberFormats.At(style.numberFormat) == "@");
    }
    return it->second;
}

std::uint32_t StyleTable::Apply(std::uint32_t styleId, StyleChange change) {
    if (change.value > kMaxChangeValue)
        throw Failure(kOutOfMemory, "too many distinct fonts or number formats");
    std::uint64_t key = static_cast<std::uint64_t>(styleId) << 32 |
                        static_cast<std::uint64_t>(change.property) << 28 | change.value;
    auto cached = changes_.find(key);
    if (cached != changes_.end()) return cached->second;
    std::uint32_t result = Intern(Changed(styles_[styleId], change));
    changes_.emplace(key, result);
    return result;
}

}  // namespace tabulizer::sheet
