#pragma once
// A cell text (CP1251) as it goes into an .xlsx file: UTF-8, with the escapes that
// keep "_xHHHH_" and NUL bytes as written.
#include <cstddef>
#include <string>
#include <string_view>

namespace tabulizer::sheet {

std::string XlsxText(std::string_view cp1251);

// Appends XlsxText(cp1251) as the content of a sheet's text element: besides, XML's
// markup characters and the control characters XML cannot hold ("_x0001_") are
// escaped. Returns the length of the text as a reader reads it back, in characters
// (one per CP1251 byte: an escape reads back as the one character it stands for),
// which a cell holds at most 32767 of.
std::size_t AppendXlsxCellText(std::string& out, std::string_view cp1251);

}  // namespace tabulizer::sheet
