#pragma once
// The parts of an .xlsx package that the workbook's content decides: each sheet's
// XML, and the style sheet of the cell formats the sheets used.
#include <cstdint>
#include <string>
#include <vector>

#include "conversion/spreadsheet/Sheet.h"
#include "conversion/spreadsheet/Style.h"
#include "conversion/spreadsheet/ZipWriter.h"

namespace tabulizer::sheet {

// Numbers the styles the cells use in the order they are first met, as the
// package's cell formats; format 0 is the default style.
class CellFormats {
public:
    explicit CellFormats(const StyleTable& styles);
    std::uint32_t IndexOf(std::uint32_t styleId) {
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

// Writes xl/worksheets/sheetN.xml of `sheet` as the current entry of `zip`.
void WriteSheetXml(ZipWriter& zip, const Sheet& sheet, bool active, CellFormats& formats);

// Appends `text` with XML's markup characters escaped.
void AppendEscaped(std::string& out, std::string_view text);

}  // namespace tabulizer::sheet
