// The flat table as CSV: UTF-8, CR LF line ends; a field is quoted when it holds
// the separator, a quote, a line end or surrounding blanks. For programs the
// separator is a comma and numbers have a decimal point; for a spreadsheet of a
// Russian locale the file begins with a byte order mark (or it is read as the
// locale's code page), the separator is ';' and numbers have a decimal comma.
#include <cerrno>
#include <charconv>
#include <cstdio>

#include "common/Cp1251.h"
#include "common/Failure.h"
#include "common/SystemReason.h"
#include "conversion/spreadsheet/FlatTable.h"

namespace tabulizer::sheet {
namespace {

struct Dialect {
    char separator;
    char decimal;
    const char* start;  // what the file begins with
};

Dialect Of(CsvDialect dialect) {
    return dialect == CsvDialect::kSpreadsheet ? Dialect{';', ',', "\xEF\xBB\xBF"} : Dialect{',', '.', ""};
}

// The reason goes into the detail; whoever knows which file this is names it.
[[noreturn]] void CsvFailed(int error) {
    throw Failure(kCannotWrite, "writing the CSV file failed", SystemReason(error ? error : EIO));
}

bool NeedsQuotes(std::string_view text, char separator) {
    if (text.empty()) return false;
    return text.find_first_of("\"\r\n") != std::string_view::npos || text.find(separator) != std::string_view::npos ||
           text.front() == ' ' || text.back() == ' ';
}

void AppendField(std::string& line, std::string_view utf8, char separator) {
    if (!NeedsQuotes(utf8, separator)) {
        line += utf8;
        return;
    }
    line += '"';
    for (char ch : utf8) {
        if (ch == '"') line += '"';
        line += ch;
    }
    line += '"';
}

class FlatCsv : public FlatTable {
public:
    FlatCsv(const std::string& path, CsvDialect dialect) : dialect_(Of(dialect)) {
        errno = 0;
        file_ = std::fopen(path.c_str(), "wb");
        if (!file_) CsvFailed(errno);
        line_ = dialect_.start;
    }
    ~FlatCsv() override {
        if (file_) std::fclose(file_);
    }

    void Header(const std::vector<std::string>& texts) override {
        for (std::size_t c = 0; c < texts.size(); ++c) {
            if (c > 0) line_ += dialect_.separator;
            AppendField(line_, Cp1251ToUtf8(texts[c]), dialect_.separator);
        }
        Put();
    }

    void Row(const std::vector<CellValue>& cells) override {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0) line_ += dialect_.separator;
            if (cells[c].kind == CellValue::kNumber) AppendNumber(cells[c].number);
            else if (cells[c].kind == CellValue::kText)
                AppendField(line_, Cp1251ToUtf8(cells[c].text), dialect_.separator);
        }
        Put();
    }

    void Close() override {
        std::FILE* file = file_;
        file_ = nullptr;
        errno = 0;
        int error = std::fflush(file) != 0 || std::ferror(file) != 0 ? (errno ? errno : EIO) : 0;
        errno = 0;
        if (std::fclose(file) != 0 && error == 0) error = errno ? errno : EIO;
        if (error) CsvFailed(error);
    }

private:
    void AppendNumber(double value) {
        std::string number = PlainNumber(value);
        if (auto point = number.find('.'); point != std::string::npos) number[point] = dialect_.decimal;
        line_ += number;
    }

    void Put() {
        line_ += "\r\n";
        errno = 0;
        if (std::fwrite(line_.data(), 1, line_.size(), file_) != line_.size()) CsvFailed(errno);
        line_.clear();
    }

    Dialect dialect_;
    std::FILE* file_;
    std::string line_;
};

}  // namespace

std::unique_ptr<FlatTable> CreateFlatCsv(const std::string& utf8Path, CsvDialect dialect) {
    return std::make_unique<FlatCsv>(utf8Path, dialect);
}

std::string PlainNumber(double value) {
    char buffer[400];
    auto plain = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (plain.ec == std::errc() && plain.ptr - buffer <= 30) return std::string(buffer, plain.ptr);
    auto general = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, general.ptr);
}

}  // namespace tabulizer::sheet
