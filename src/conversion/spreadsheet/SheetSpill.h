#pragma once
// Finished sheets put aside in an unnamed temporary file. A page never changes once
// the next one has begun, so a workbook of thousands of pages keeps one sheet in
// memory and the save reads the others back one at a time.
#include <cstdint>
#include <memory>
#include <string>

namespace tabulizer::sheet {

class Sheet;

// Where one sheet lies in the file.
struct SpillRef {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

class SheetSpill {
public:
    SheetSpill() = default;
    ~SheetSpill();
    SheetSpill(const SheetSpill&) = delete;
    SheetSpill& operator=(const SheetSpill&) = delete;

    // The file is made on the first sheet put aside. Failure 57 (with the system's
    // reason as detail) when it cannot be made or written.
    SpillRef Store(const Sheet& sheet);
    std::unique_ptr<Sheet> Load(const SpillRef& where) const;

private:
    int fd_ = -1;
    std::uint64_t end_ = 0;
    std::string buffer_;  // kept between sheets: pages tend to be alike in size
};

}  // namespace tabulizer::sheet
