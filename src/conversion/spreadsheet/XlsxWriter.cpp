// Writing the in-memory workbook as .xlsx. One of two files that see libxlsxwriter
// (its header defines macros such as CELL and RANGE that collide with other names);
// FlatXlsx.cpp is the other, for the flat table.
#include <sys/resource.h>
#include <xlsxwriter.h>

#include <cctype>
#include <cerrno>
#include <vector>

#include "common/Failure.h"
#include "common/MemoryHeadroom.h"
#include "common/SystemReason.h"
#include "conversion/spreadsheet/Workbook.h"
#include "conversion/spreadsheet/XlsxText.h"
#include "conversion/spreadsheet/WriterTempFiles.h"

namespace tabulizer::sheet {
namespace {

// The library tells a failed allocation apart from the rest; a failed file
// operation leaves its reason in errno.
std::string Reason(lxw_error error, int systemError) {
    if (systemError != 0) return SystemReason(systemError);
    switch (error) {
        case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED: return "текст ячейки длиннее 32767 знаков";
        case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE: return "ячейка за границами листа";
        case LXW_ERROR_CREATING_TMPFILE: return "не удалось создать временный файл";
        default: return std::string("ошибка записи книги (") + lxw_strerror(error) + ")";
    }
}

[[noreturn]] void WriteFailed(const std::string& what, lxw_error error, int systemError = 0) {
    std::string text = what + ": " + lxw_strerror(error);
    if (error == LXW_ERROR_MEMORY_MALLOC_FAILED) throw Failure(kOutOfMemory, text, SystemReason(ENOMEM));
    throw Failure(kCannotWrite, text, Reason(error, systemError));
}

void Check(lxw_error error, const char* what) {
    if (error != LXW_NO_ERROR) WriteFailed(what, error);
}

// An object the library could not make: out of memory, or what errno says.
template <typename T>
T* Made(T* made, const std::string& what) {
    if (made) return made;
    if (errno == ENOMEM) throw Failure(kOutOfMemory, what, SystemReason(ENOMEM));
    throw Failure(kCannotWrite, what, errno ? SystemReason(errno) : "сбой записи");
}

// Memory that must be left before the library is called: some of its failed
// allocations crash instead of failing (1.1.4). Rows are checked in groups, which
// costs nothing measurable; closing packs the workbook and needs more.
constexpr std::size_t kRowsHeadroom = 16u << 20;
constexpr std::size_t kCloseHeadroom = 48u << 20;
constexpr int kRowsPerCheck = 64;

// Whatever way the save ends, the library's temporary files are closed after it.
struct TempFilesCloser {
    ~TempFilesCloser() { CloseWriterTempFiles(); }
};

std::uint8_t BorderOf(const Border& border) {
    bool heavy = border.weight == Weight::kMedium || border.weight == Weight::kThick;
    switch (border.line) {
        case Line::kNone: return LXW_BORDER_NONE;
        case Line::kContinuous:
            switch (border.weight) {
                case Weight::kHairline: return LXW_BORDER_HAIR;
                case Weight::kMedium: return LXW_BORDER_MEDIUM;
                case Weight::kThick: return LXW_BORDER_THICK;
                default: return LXW_BORDER_THIN;
            }
        case Line::kDash: return heavy ? LXW_BORDER_MEDIUM_DASHED : LXW_BORDER_DASHED;
        case Line::kDashDot: return heavy ? LXW_BORDER_MEDIUM_DASH_DOT : LXW_BORDER_DASH_DOT;
        case Line::kDashDotDot:
            return heavy ? LXW_BORDER_MEDIUM_DASH_DOT_DOT : LXW_BORDER_DASH_DOT_DOT;
        case Line::kDot: return LXW_BORDER_DOTTED;
        case Line::kDouble: return LXW_BORDER_DOUBLE;
        case Line::kSlantDashDot: return LXW_BORDER_SLANT_DASH_DOT;
    }
    return LXW_BORDER_NONE;
}

std::uint8_t AlignOf(Align align) {
    switch (align) {
        case Align::kLeft: return LXW_ALIGN_LEFT;
        case Align::kCenter: return LXW_ALIGN_CENTER;
        case Align::kRight: return LXW_ALIGN_RIGHT;
        default: return LXW_ALIGN_NONE;
    }
}

// One lxw_format per style, made when a cell of that style is first written and
// never changed afterwards. The default style writes no format.
class Formats {
public:
    Formats(lxw_workbook* book, const StyleTable& styles)
        : book_(book), styles_(styles), formats_(styles.Count(), nullptr) {}

    lxw_format* For(std::uint32_t id) {
        if (id == 0 || formats_[id]) return formats_[id];
        return formats_[id] = Make(styles_.Get(id));
    }

private:
    lxw_format* Make(const Style& style) {
        errno = 0;
        lxw_format* f = Made(workbook_add_format(book_), "cannot create a cell format");
        if (style.fontName) format_set_font_name(f, styles_.fontNames.At(style.fontName).c_str());
        if (style.fontSize) format_set_font_size(f, style.fontSize);
        if (style.bold) format_set_bold(f);
        if (style.italic) format_set_italic(f);
        if (style.align != Align::kGeneral) format_set_align(f, AlignOf(style.align));
        if (style.order != Order::kContext)
            format_set_reading_order(f, style.order == Order::kLtr ? 1 : 2);
        if (style.bottom.line != Line::kNone) format_set_bottom(f, BorderOf(style.bottom));
        if (style.left.line != Line::kNone) format_set_left(f, BorderOf(style.left));
        if (style.right.line != Line::kNone) format_set_right(f, BorderOf(style.right));
        if (style.numberFormat)
            format_set_num_format(f, styles_.numberFormats.At(style.numberFormat).c_str());
        return f;
    }

    lxw_workbook* book_;
    const StyleTable& styles_;
    std::vector<lxw_format*> formats_;
};

// Settings that apply to the whole sheet; in constant-memory mode they must
// precede the first row.
void WriteLayout(lxw_worksheet* ws, const Sheet& sheet) {
    for (const auto& [column, width] : sheet.widths)
        Check(worksheet_set_column(ws, column - 1, column - 1, width, nullptr), "column width");
    // Merged areas hold no value or format of their own: every cell is written
    // below with its own format, the top-left one with the value.
    for (const CellRange& area : sheet.merges.All())
        Check(worksheet_merge_range(ws, area.top - 1, area.left - 1, area.bottom - 1,
                                    area.right - 1, "", nullptr),
              "merged range");
    const CellRange& s = sheet.selection;
    if (!(s.IsSingleCell() && s.top == 1 && s.left == 1))
        worksheet_set_selection(ws, s.top - 1, s.left - 1, s.bottom - 1, s.right - 1);
}

void WriteCells(lxw_worksheet* ws, const Sheet& sheet, Formats& formats) {
    for (int row = 1; row <= sheet.RowCount(); ++row) {
        if (row % kRowsPerCheck == 1) RequireMemory(kRowsHeadroom);
        const auto& cells = sheet.Row(row);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const Cell& cell = cells[i];
            lxw_col_t column = static_cast<lxw_col_t>(i);
            lxw_error error = LXW_NO_ERROR;
            if (cell.kind == kCellNumber) {
                error = worksheet_write_number(ws, row - 1, column, cell.number, formats.For(cell.style));
            } else if (cell.kind == kCellText) {
                std::string text = XlsxText(sheet.Text(cell));
                error = worksheet_write_string(ws, row - 1, column, text.c_str(), formats.For(cell.style));
            } else if (cell.style != 0) {
                error = worksheet_write_blank(ws, row - 1, column, formats.For(cell.style));
            }
            Check(error, "cell");
        }
    }
}

// In constant-memory mode libxlsxwriter keeps a temporary file open for every
// sheet until the workbook is closed. The soft limit on open files is raised as far
// as the hard limit allows; a workbook of more sheets than that is written in
// normal mode, which needs more memory but no file per sheet.
bool OpenFilesSuffice(int sheets) {
    const rlim_t needed = static_cast<rlim_t>(sheets) + 64;  // the process's own files, zip, temporaries
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0) return false;
    if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= needed) return true;
    rlim_t wanted = limit.rlim_max == RLIM_INFINITY || limit.rlim_max > needed ? needed : limit.rlim_max;
    if (wanted > limit.rlim_cur) {
        limit.rlim_cur = wanted;
        if (setrlimit(RLIMIT_NOFILE, &limit) != 0) return false;
    }
    return limit.rlim_cur >= needed;
}

}  // namespace

void WriteXlsx(const Workbook& workbook, const std::string& path) {
    TempFilesCloser closer;
    RequireMemory(kRowsHeadroom);
    lxw_workbook_options options{};
    options.constant_memory = OpenFilesSuffice(workbook.SheetCount()) ? LXW_TRUE : LXW_FALSE;
    errno = 0;
    lxw_workbook* book =
        Made(workbook_new_opt(path.c_str(), &options), "cannot create the workbook \"" + path + "\"");
    try {
        Formats formats(book, workbook.Styles());
        for (int i = 0; i < workbook.SheetCount(); ++i) {
            const Sheet& sheet = workbook.At(i);
            errno = 0;
            lxw_worksheet* ws =
                Made(workbook_add_worksheet(book, sheet.Name().c_str()), "cannot add the sheet " + sheet.Name());
            if (i == workbook.ActiveIndex()) worksheet_activate(ws);
            WriteLayout(ws, sheet);
            WriteCells(ws, sheet, formats);
        }
        RequireMemory(kCloseHeadroom);
    } catch (...) {
        lxw_workbook_free(book);  // nothing written; the caller removes the empty file
        throw;
    }
    // workbook_close frees the workbook whatever its outcome.
    errno = 0;
    lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR) WriteFailed("saving the workbook", error, errno);
}

}  // namespace tabulizer::sheet
