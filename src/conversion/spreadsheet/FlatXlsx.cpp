// The flat table as one .xlsx sheet, in libxlsxwriter's constant-memory mode: each
// row goes to the sheet's temporary file as soon as it is complete, so memory stays
// flat however long the report. Rows must therefore come in order, and everything
// that precedes the rows in the file (column widths, the frozen pane) is set first.
#include <xlsxwriter.h>

#include <cstdio>

#include "common/Failure.h"
#include "conversion/spreadsheet/FlatTable.h"
#include "conversion/spreadsheet/WriterTempFiles.h"
#include "conversion/spreadsheet/XlsxText.h"

namespace tabulizer::sheet {
namespace {

void Check(lxw_error error, const char* what) {
    if (error != LXW_NO_ERROR) throw Failure(kCannotWrite, std::string(what) + ": " + lxw_strerror(error));
}

class FlatXlsx : public FlatTable {
public:
    FlatXlsx(const std::string& path, const std::vector<FlatColumn>& columns) : columns_(columns.size()) {
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        book_ = workbook_new_opt(path.c_str(), &options);
        if (!book_) throw Failure(kCannotWrite, "cannot create the workbook \"" + path + "\"");
        sheet_ = workbook_add_worksheet(book_, "Лист1");
        if (!sheet_) {
            Abandon();
            throw Failure(kCannotWrite, "cannot add the sheet");
        }
        header_ = NewFormat();
        format_set_bold(header_);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            lxw_format* format = nullptr;
            if (!columns[c].numberFormat.empty()) {
                format = NewFormat();
                format_set_num_format(format, columns[c].numberFormat.c_str());
            }
            formats_.push_back(format);
            double width = columns[c].width > 0 ? columns[c].width : LXW_DEF_COL_WIDTH;
            Check(worksheet_set_column(sheet_, Col(c), Col(c), width, format), "column width");
        }
        worksheet_freeze_panes(sheet_, 1, 0);
    }

    // The library leaves some of its temporary files open (see WriterTempFiles.h).
    ~FlatXlsx() override {
        if (book_) Abandon();
        CloseWriterTempFiles();
    }

    void Header(const std::vector<std::string>& texts) override {
        for (std::size_t c = 0; c < texts.size() && c < columns_; ++c)
            if (!texts[c].empty())
                Check(worksheet_write_string(sheet_, 0, Col(c), XlsxText(texts[c]).c_str(), header_), "header");
        rows_ = 1;
    }

    void Row(const std::vector<CellValue>& cells) override {
        if (rows_ >= kMaxRows)
            throw Failure(kOverflow, "В плоской таблице больше строк, чем вмещает лист (" +
                                         std::to_string(kMaxRows) + "): сохраните её в CSV.");
        const auto row = static_cast<lxw_row_t>(rows_);
        for (std::size_t c = 0; c < cells.size() && c < columns_; ++c) {
            const CellValue& cell = cells[c];
            if (cell.kind == CellValue::kNumber)
                Check(worksheet_write_number(sheet_, row, Col(c), cell.number, formats_[c]), "cell");
            else if (cell.kind == CellValue::kText)
                Check(worksheet_write_string(sheet_, row, Col(c), XlsxText(cell.text).c_str(), formats_[c]), "cell");
        }
        ++rows_;
    }

    void Close() override {
        if (columns_ > 0)
            Check(worksheet_autofilter(sheet_, 0, 0, static_cast<lxw_row_t>(rows_ > 0 ? rows_ - 1 : 0),
                                       Col(columns_ - 1)),
                  "autofilter");
        lxw_workbook* book = book_;
        book_ = nullptr;  // workbook_close frees it, whatever its outcome
        Check(workbook_close(book), "saving the workbook");
    }

private:
    static lxw_col_t Col(std::size_t c) { return static_cast<lxw_col_t>(c); }

    lxw_format* NewFormat() {
        lxw_format* format = workbook_add_format(book_);
        if (!format) throw Failure(kCannotWrite, "cannot create a cell format");
        return format;
    }

    // A table given up before its end: the sheet's temporary file is closed here,
    // since freeing the workbook alone would leave it open.
    void Abandon() noexcept {
        if (sheet_ && sheet_->optimize_tmpfile) {
            std::fclose(sheet_->optimize_tmpfile);
            sheet_->optimize_tmpfile = nullptr;
        }
        lxw_workbook_free(book_);
        book_ = nullptr;
    }

    std::size_t columns_;
    lxw_workbook* book_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* header_ = nullptr;
    std::vector<lxw_format*> formats_;
    long rows_ = 0;
};

}  // namespace

std::unique_ptr<FlatTable> CreateFlatXlsx(const std::string& utf8Path, const std::vector<FlatColumn>& columns) {
    return std::make_unique<FlatXlsx>(utf8Path, columns);
}

}  // namespace tabulizer::sheet
