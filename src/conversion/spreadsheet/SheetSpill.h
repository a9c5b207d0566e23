#pragma once
// Finished sheets put aside in an unnamed temporary file. A page never changes once
// the next one has begun, so a workbook of thousands of pages keeps one sheet in
// memory. Each sheet put aside is also written as its part of the package and
// deflated then, by the deflate workers while the report is read on, into a second
// unnamed file; the save copies those parts, and reads back only the sheets that
// changed or whose part depends on the end (the active one).
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace tabulizer::sheet {

class CellFormats;
class Sheet;
class XlsxPackage;
class ZipWriter;

// Where one sheet lies in the file.
struct SpillRef {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::size_t part = 0;  // its part deflated ahead: the entry's number + 1; 0 for none
};

class SheetSpill {
public:
    SheetSpill() = default;
    ~SheetSpill();
    SheetSpill(const SheetSpill&) = delete;
    SheetSpill& operator=(const SheetSpill&) = delete;

    // The file is made on the first sheet put aside. Failure 57 (with the system's
    // reason as detail) when it cannot be made or written. The sheet's part is
    // written as a sheet that is not the active one, its cells' formats numbered in
    // `formats`.
    SpillRef Store(const Sheet& sheet, CellFormats& formats);
    std::unique_ptr<Sheet> Load(const SpillRef& where) const;

    // Before a save: the parts deflated so far written out. Whether the sheet's part
    // was deflated ahead; if so, CopyPart puts it into `package` as its next sheet.
    void FinishParts();
    bool HasPart(const SpillRef& where) const { return where.part != 0 && parts_; }
    void CopyPart(const SpillRef& where, const std::string& utf8Name, XlsxPackage& package) const;

private:
    void DeflatePart(const Sheet& sheet, CellFormats& formats, SpillRef& where);
    void DropParts();

    int fd_ = -1;
    std::uint64_t end_ = 0;
    std::string buffer_;  // kept between sheets: pages tend to be alike in size
    // The parts deflated ahead. A failure there (the file, memory) drops them all:
    // the save then writes every sheet itself and meets that failure, if it lasts, as
    // its own.
    std::FILE* partFile_ = nullptr;
    std::unique_ptr<ZipWriter> parts_;
    bool partsFailed_ = false;
};

}  // namespace tabulizer::sheet
