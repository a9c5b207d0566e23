#include "conversion/ColumnLetters.h"

#include <array>

namespace tabulizer {
namespace {

std::array<std::string, 26>& SymCol() {
    static std::array<std::string, 26> table;
    return table;
}

}  // namespace

void InitSymCol() {
    for (int i = 0; i < 26; ++i) SymCol()[i] = std::string(1, static_cast<char>('A' + i));
}

std::string SymNameCol(i16 nCol, ui::Host& host, const RunState& run) {
    if (nCol < 0) {
        host.MessageBox("SymNameCol - ошибка входного параметра!  NCol= " + std::to_string(nCol) +
                            "  Шаг - " + std::to_string(run.CurStep + 1),
                        ui::Buttons::Ok, ui::Icon::Question);
        return {};
    }
    if (SymCol()[0].empty()) InitSymCol();
    int q = nCol / 26;
    int r = nCol % 26;
    if (q > 0) return At(SymCol(), q - 1) + SymCol()[r];
    return SymCol()[r];
}

}  // namespace tabulizer
