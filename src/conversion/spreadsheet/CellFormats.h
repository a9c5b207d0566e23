#pragma once
// The cell formats of an .xlsx package: the styles the cells use, numbered in the
// order they are first met; format 0 is the default style.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/spreadsheet/Style.h"

namespace tabulizer::sheet {

class CellFormats {
public:
    explicit CellFormats(const StyleTable& styles);
    // Styles may be added to the table while the package is written.
    std::uint32_t IndexOf(std::uint32_t styleId) {
        if (styleId >= index_.size()) index_.resize(styleId + 1, kUnnumbered);
        std::uint32_t& index = index_[styleId];
        if (index == kUnnumbered) {
            index = static_cast<std::uint32_t>(used_.size());
            used_.push_back(styleId);
        }
        return index;
    }
    // xl/styles.xml: fonts, borders and number formats of every format numbered.
    std::string StylesXml() const;

private:
    static constexpr std::uint32_t kUnnumbered = UINT32_MAX;
    const StyleTable& styles_;
    std::vector<std::uint32_t> index_;  // by style id
    std::vector<std::uint32_t> used_;   // style ids by format number
};

// Appends `text` with XML's markup characters escaped.
void AppendEscaped(std::string& out, std::string_view text);

}  // namespace tabulizer::sheet
