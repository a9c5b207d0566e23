#pragma once
// A cell text (CP1251) as it goes into an .xlsx file: UTF-8, with the escapes that
// keep "_xHHHH_" and NUL bytes as written.
#include <string>
#include <string_view>

namespace tabulizer::sheet {

std::string XlsxText(std::string_view cp1251);

}  // namespace tabulizer::sheet
