#pragma once
// An .xlsx package written front to back into one file: the content types first
// (file-type sniffers read only the first entry), the sheets, each as it comes, then
// the parts that name them (workbook, relationships),
// the style sheet of the formats the sheets used, and the document properties. It
// holds the parts a spreadsheet needs and no more. Failures throw Failure (1004,
// or 7 when memory runs out); a package not finished leaves an unfinished file.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "conversion/spreadsheet/CellFormats.h"
#include "conversion/spreadsheet/CellRef.h"
#include "conversion/spreadsheet/SheetXml.h"
#include "conversion/spreadsheet/ZipWriter.h"

namespace tabulizer::sheet {

class XlsxPackage {
public:
    // A package of `sheets` sheets, each begun and ended (or copied) once before
    // Finish; their cells' formats are numbered in `formats`.
    XlsxPackage(const std::string& path, CellFormats& formats, int sheets);
    ~XlsxPackage();
    XlsxPackage(const XlsxPackage&) = delete;
    XlsxPackage& operator=(const XlsxPackage&) = delete;

    // The next sheet, in workbook order; its writer lives until EndSheet.
    SheetXmlWriter& BeginSheet(const std::string& utf8Name, const SheetHead& head);
    // `filter`: the range of the sheet's autofilter, or null.
    void EndSheet(const std::vector<CellRange>& merges, const CellRange* filter);
    // The next sheet, written whole.
    void WriteSheet(const Sheet& sheet, bool active);
    // The next sheet, its part deflated before with the same formats.
    void CopySheet(const std::string& utf8Name, const DeflatedEntry& part, const ReadDeflated& read);
    // Writes the remaining parts with `activeSheet` (from 0) shown first, and closes
    // the file.
    void Finish(int activeSheet);

private:
    struct Filter {
        int sheet;
        CellRange range;
    };
    void Part(const char* name, const std::string& xml);
    std::string NextSheet(const std::string& utf8Name);

    std::string path_;
    int sheets_;
    std::FILE* file_;
    std::unique_ptr<ZipWriter> zip_;
    CellFormats& formats_;
    std::vector<std::string> names_;
    std::vector<Filter> filters_;
    std::unique_ptr<SheetXmlWriter> sheet_;
};

}  // namespace tabulizer::sheet
