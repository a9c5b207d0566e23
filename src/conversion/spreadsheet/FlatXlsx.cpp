// The flat table as one .xlsx sheet, streamed: each row goes into the package as
// soon as it is complete, so memory stays flat however long the report. The sheet's
// head (column widths and formats, the frozen header row) is written first; its
// extent is not known then, and the sheet writer fills it in when the sheet ends.
#include <optional>

#include "common/Failure.h"
#include "conversion/spreadsheet/FlatTable.h"
#include "conversion/spreadsheet/XlsxPackage.h"

namespace tabulizer::sheet {
namespace {

class FlatXlsx : public FlatTable {
public:
    FlatXlsx(const std::string& path, const std::vector<FlatColumn>& columns)
        : columns_(columns.size()), header_(styles_.Apply(0, {Property::kBold, 1})), package_(path, cellFormats_, 1) {
        SheetHead head{"", true, {}, 1, {}};
        for (std::size_t c = 0; c < columns.size(); ++c) {
            std::uint32_t style = 0;
            if (!columns[c].numberFormat.empty())
                style = styles_.Apply(0, {Property::kNumberFormat, styles_.numberFormats.Intern(columns[c].numberFormat)});
            formats_.push_back(style);
            head.columns.push_back({static_cast<int>(c) + 1, columns[c].width > 0 ? columns[c].width : kDefaultColumnWidth, style});
        }
        sheet_ = &package_.BeginSheet("Лист1", head);
    }

    void Header(const std::vector<std::string>& texts) override {
        cells_.assign(columns_, {});
        for (std::size_t c = 0; c < texts.size() && c < columns_; ++c)
            if (!texts[c].empty()) cells_[c] = {kCellText, 0, texts[c], header_};
        sheet_->Row(1, cells_);
        rows_ = 1;
    }

    void Row(const std::vector<CellValue>& cells) override {
        if (rows_ >= kMaxRows)
            throw Failure(kOverflow, "the flat table has more rows than a sheet holds",
                          "в таблице больше строк, чем вмещает лист (" + std::to_string(kMaxRows) +
                              "); для такой таблицы укажите --csv");
        cells_.assign(columns_, {});
        for (std::size_t c = 0; c < cells.size() && c < columns_; ++c) {
            const CellValue& cell = cells[c];
            if (cell.kind == CellValue::kNumber) cells_[c] = {kCellNumber, cell.number, {}, formats_[c]};
            else if (cell.kind == CellValue::kText)  // an empty text keeps only the column's style
                cells_[c] = {cell.text.empty() ? kCellEmpty : kCellText, 0, cell.text, formats_[c]};
        }
        sheet_->Row(static_cast<int>(++rows_), cells_);
    }

    void Close() override {
        std::optional<CellRange> filter;
        if (columns_ > 0) filter = CellRange{1, 1, static_cast<int>(std::max(rows_, 1L)), static_cast<int>(columns_)};
        package_.EndSheet({}, filter ? &*filter : nullptr);
        package_.Finish(0);
    }

private:
    std::size_t columns_;
    StyleTable styles_;
    CellFormats cellFormats_{styles_};
    std::uint32_t header_;
    std::vector<std::uint32_t> formats_;  // each column's style
    XlsxPackage package_;
    SheetXmlWriter* sheet_ = nullptr;
    std::vector<CellOut> cells_;
    long rows_ = 0;
};

}  // namespace

std::unique_ptr<FlatTable> CreateFlatXlsx(const std::string& utf8Path, const std::vector<FlatColumn>& columns) {
    return std::make_unique<FlatXlsx>(utf8Path, columns);
}

}  // namespace tabulizer::sheet
