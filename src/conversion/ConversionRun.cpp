#include "conversion/ConversionRun.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "conversion/CellWriter.h"
#include "conversion/ColumnLetters.h"
#include "conversion/FlatOutput.h"
#include "conversion/SheetFormatting.h"

namespace tabulizer {
namespace {

PosList WholeLine(i16 maxLStr) {
    PosList list{};
    list[0] = 1;
    list[1] = maxLStr;
    return list;
}

}  // namespace

std::string TemporaryWorkbookPath(const std::string& nameIn) {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "tabulizer-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw Failure(kPathAccessError, "cannot create a temporary folder");
    std::string stem = fs::path(nameIn).stem().string();
    return (fs::path(pattern) / ((stem.empty() ? "workbook" : stem) + ".xlsx")).string();
}

ConversionRun::ConversionRun(DocumentDescription& description, RunState& run, ui::Host& host)
    : ctx_(description, run, host) {}

ConversionRun::Result ConversionRun::Execute() {
    try {
        Start();
        if (ctx_.d.Flat || ctx_.run.Csv) return ExecuteFlat();
        if (!AllPages()) return Result::Cancelled;
        return EndOfInput();
    } catch (const Failure& failure) {
        // A bound of the paged workbook or of the project's tables: the report and
        // the line where it was met say what to look at.
        if (!failure.detail().empty() || (failure.code() != kOverflow && failure.code() != kIndexOutOfRange)) throw;
        const std::string bound = failure.code() == kOverflow ? "превышен предел 32767 (строк листа, листов или "
                                                                "другого счётчика)"
                                                              : "значение проекта вне границ его таблиц";
        throw Failure(failure.code(), failure.what(),
                      "Не удалось преобразовать отчёт «" + ctx_.d.NameIn + "» на строке " +
                          std::to_string(ctx_.reader.LinesRead()) + ": " + bound);
    }
}

bool ConversionRun::AllPages() {
    for (;;) {
        ctx_.InInf = false;
        if (showSheets) showSheets(ctx_.flat ? ctx_.FlatPages : ctx_.NList);
        // A sheet per page bounds the paged workbook's pages; the flat table has none.
        if (ctx_.flat) ++ctx_.FlatPages;
        else Inc16(ctx_.NList);
        ctx_.NRow = 1;
        ctx_.NSep = 0;
        ctx_.CurPoz = WholeLine(ctx_.d.MaxLStr);
        if (Title() && Cap()) {
            Information();
            if (ctx_.Abort) return false;
        }
        PageEnd();
        if (ctx_.flags.IsEnd) return true;
        NextPage();
    }
}

// The flat table keeps no pages: the next one starts on a fresh sheet, so that the
// memory of the run does not grow with the report.
void ConversionRun::NextPage() {
    auto& app = ctx_.app();
    if (!ctx_.flat) {
        app.AddSheet();
        return;
    }
    app.CloseActiveWorkbook();
    app.AddWorkbook();
}

void ConversionRun::Start() {
    auto& d = ctx_.d;
    if (d.FormFeed) d.EtalStrN = 1;
    // The look-ahead window has 20 slots; a reference line further down cannot be seen.
    if (d.EtalStrN < 1 || d.EtalStrN > 20)
        throw Failure(kIndexOutOfRange, "reference line number outside 1..20");
    ctx_.reader.CountTest = d.FixStr[0].Str.empty() ? d.CountFixLines : Add16(d.CountFixLines, 1);
    InitSymCol();
    // Said once per report: batch mode prints it on standard error, the run goes on.
    ctx_.reader.OnLongLine = [this](long line) {
        ctx_.host.Explain("Отчёт «" + ctx_.d.NameIn + "»: строки длиннее " + std::to_string(ctx_.d.MaxLStr) +
                          " знаков (MaxLStr) обрезаны, первая из них — строка " + std::to_string(line));
    };
    ctx_.reader.Open(d.NameIn);
    ctx_.ExcelApp = std::make_unique<sheet::Application>();
    auto& app = ctx_.app();
    app.SetSheetsInNewWorkbook(1);
    app.AddWorkbook();
    app.SetScreenUpdating(false);
}

void ConversionRun::GetStrOfTitle() {
    auto& flags = ctx_.flags;
    if (ctx_.d.FormFeed) {
        // The line holding the form feed ended the last page and is never written: a
        // page break still pending here must not hand it out again.
        flags.IsPage = false;
        ctx_.reader.GetStr();
        while (flags.IsPage) {
            flags.IsPage = false;
            ctx_.reader.GetStr();
        }
    } else {
        ctx_.reader.GetStr();
    }
    flags.IsPage = false;
}

bool ConversionRun::Title() {
    const i16 n = ctx_.Columns();
    const int lines = std::max<int>(ctx_.d.EndTitle, 1);
    for (int i = 0; i < lines; ++i) {
        GetStrOfTitle();
        if (ctx_.flags.IsEnd) return false;
        if (ctx_.flags.IsSep) {
            PutSep(ctx_);
        } else {
            FormatStr(ctx_, 1, n, 0, 0, true);
            PutStr(ctx_, false);
        }
        Inc16(ctx_.NRow);
    }
    Dec16(ctx_.NRow);
    SetFont(ctx_, kFontTitle, 1, 1, 1);
    if (ctx_.d.CountSepL == 0) FormatStr(ctx_, 1, n, sheet::kContinuous, sheet::kThick, false);
    Inc16(ctx_.NRow);
    return true;
}

bool ConversionRun::Cap() {
    ctx_.InCap = true;
    ctx_.BegBlock = ctx_.BegCap = ctx_.NRow;
    ctx_.CurPoz = ctx_.d.EndPoz;
    const int lines = ctx_.d.EndCap - ctx_.d.EndTitle;
    if (lines > 0) {
        for (int i = 0; i < lines; ++i) {
            ctx_.reader.GetStr();
            if (ctx_.flags.IsEnd) return false;
            // A page too short for its cap continues: its next line is not handed out twice.
            ctx_.flags.IsPage = false;
            if (ctx_.flags.IsSep)
                PutSep(ctx_);
            else
                PutStr(ctx_, true);
            Inc16(ctx_.NRow);
        }
        Dec16(ctx_.NRow);
        SetFont(ctx_, kFontCap, ctx_.BegCap, 1, ctx_.Columns());
        if (ctx_.d.CountSepL == 0)
            FormatStr(ctx_, 1, ctx_.Columns(), sheet::kContinuous, sheet::kThick, false);
        Inc16(ctx_.NRow);
    }
    ctx_.InCap = false;
    if (ctx_.flat) ctx_.flat->TakeHeader(ctx_.BegCap, Sub16(ctx_.NRow, 1));
    ctx_.BegBlock = ctx_.BegInf = ctx_.NRow;
    ctx_.InInf = true;
    return true;
}

void ConversionRun::Information() {
    auto& flags = ctx_.flags;
    for (;;) {
        if (ctx_.Abort) {
            ctx_.reader.Close();
            return;
        }
        ctx_.reader.GetStr();
        // The line that opens the next page belongs to it: it is neither a separator
        // nor the postscript of the page it ends.
        if (flags.IsEnd || flags.IsPage) {
            flags.IsPS = false;
            return;
        }
        if (flags.IsPS) return;
        if (ctx_.flat) {
            FlatLine();
            continue;
        }
        if (flags.IsSep) {
            PutSep(ctx_);
        } else {
            std::string& line = ctx_.reader.Current();
            if (!line.empty() && line[0] == '\f') line[0] = ' ';
            if (!line.empty())
                PutStr(ctx_, true);
            else if (ctx_.d.NoSpace)
                continue;
            if (ctx_.d.UnderStr)
                FormatStr(ctx_, 1, ctx_.Columns(), sheet::kContinuous, sheet::kHairline, false);
        }
        if (wait) wait();
        if (showProgress) showProgress(ctx_.NRow, Sub16(ctx_.NList, 1));
        Inc16(ctx_.NRow);
    }
}

void ConversionRun::PageEnd() {
    auto& d = ctx_.d;
    if (d.FormFeed) ctx_.flags.IsPage = false;
    // The flat table has no page formatting; only the postscript's lines are passed over.
    if (ctx_.BegBlock != 0 && !ctx_.flat) {
        SetFont(ctx_, kFontInf, ctx_.BegBlock, 1, ctx_.Columns());
        if (d.PozDiv[0] > 0)
            DrawDiv(ctx_, d.PozDiv);
        else if (d.DivideCol)
            DrawDiv(ctx_, d.EndPoz);
        // Column formats belong to the information rows; a page that ended in its cap has none.
        if (d.CountFormat > 0 && ctx_.InInf) {
            for (i16 c = 1; c <= ctx_.Columns(); ++c)
                if (At(d.FormatCells, c - 1).Col > 0) SetColFormat(ctx_, c, ctx_.BegInf);
        }
        if (d.WidthGraf[0] == 0)
            WidthByPoz(ctx_);
        else
            WidthByGraf(ctx_);
    }
    if (ctx_.flags.IsPS) Postscript();
    ctx_.BegBlock = 0;
}

void ConversionRun::Postscript() {
    auto& flags = ctx_.flags;
    ctx_.BegBlock = ctx_.NRow;
    ctx_.CurPoz = WholeLine(ctx_.d.MaxLStr);
    for (;;) {
        FormatStr(ctx_, 1, ctx_.Columns(), 0, 0, true);
        PutStr(ctx_, false);
        Inc16(ctx_.NRow);
        ctx_.reader.GetStr();
        if (flags.IsPage) {
            flags.IsPS = false;
            break;
        }
        if (flags.IsEnd) break;
    }
    SetFont(ctx_, kFontCap, ctx_.BegBlock, 1, ctx_.Columns());
    ctx_.app().SelectRange(RangeText(ctx_, 1, Add16(ctx_.NRow, 1), 1, Add16(ctx_.NRow, 1)));
}

ConversionRun::Result ConversionRun::EndOfInput() {
    auto& app = ctx_.app();
    if (ctx_.NRow == 1) app.DeleteActiveSheet();
    ctx_.reader.Close();
    if (ctx_.d.NoClose) {
        app.SetVisible(true);
        app.SetScreenUpdating(true);
        // Without a spreadsheet application to keep the workbook open in, it is saved
        // to a temporary folder and handed to the desktop's spreadsheet program.
        std::string path = TemporaryWorkbookPath(ctx_.d.NameIn);
        try {
            Save(path);
        } catch (...) {
            // The folder was made for this workbook alone; a failed save leaves none behind.
            std::error_code ignored;
            std::filesystem::remove_all(std::filesystem::path(path).parent_path(), ignored);
            throw;
        }
        if (ctx_.host.OpenInDesktop(path)) return Result::HandedOver;
        // The workbook is the user's result: kept where it is, for the window to tell.
        keptPath_ = path;
        return Result::KeptUnopened;
    }
    // Saving replaces an existing output atomically, so Overwrite needs no deletion first.
    Save(ctx_.d.NameOut);
    return Result::Saved;
}

void ConversionRun::Save(const std::string& path) {
    auto save = [this, &path] { ctx_.app().SaveActiveWorkbookAs(path); };
    if (runSave) runSave(save);
    else save();
}

void ConversionRun::CloseAndQuit() noexcept {
    try {
        ctx_.reader.Close();
    } catch (...) {
    }
    if (!ctx_.ExcelApp) return;
    try {
        ctx_.app().CloseActiveWorkbook();
    } catch (...) {
    }
    try {
        ctx_.app().Quit();
    } catch (...) {
    }
    ctx_.ExcelApp.reset();
}

}  // namespace tabulizer
