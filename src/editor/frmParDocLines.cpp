// Separators (step 6), fixed lines (step 14) and the postscript (step 15): a click
// on a line assigns it, a second click on it in its own step releases it; the
// column clicks of steps 14 and 15 narrow a fixed line or the postscript to a
// range of document columns.
#include <algorithm>

#include "editor/ItemText.h"
#include "editor/frmParDoc.h"

namespace tabulizer {
namespace {

void Refuse(ui::Host& host, const std::string& message) {
    host.MessageBox(message, ui::Buttons::Ok, ui::Icon::Question);
}

}  // namespace

bool frmParDoc::AssignLine(int item, const LineRole& role) {
    const std::string& text = lstDoc.Item(item).Text;
    const bool assigned = ItemHasLabel(text) ? ReleaseLine(item, role) : TakeLine(item, role);
    if (!assigned) return false;
    NextFr.Enabled = true;
    view.FillView();
    return true;
}

bool frmParDoc::ReleaseLine(int item, const LineRole& role) {
    const std::string text = lstDoc.Item(item).Text;
    if (text.find(role.Label) == std::string::npos) {
        Refuse(host_, std::string("              Указанная строка уже назначена другому элементу!\nОсвободите её в шаге ") +
                          role.Steps + " после чего её можно будет переназначить!");
        return false;
    }
    lstDoc.SetItemText(item, text.substr(0, text.find(' ', 1)));
    // A record waiting for its columns is no longer there to take them: a column
    // click would otherwise bring the released line back into a slot counted free.
    PendingFixRec = 0;
    if (role.Step == StepId::Postscript) {
        d_.FixStr[0] = FixLine{};
        view.PSLine = 0;  // the lines after it may take roles again
        return true;
    }
    view.ReadLine(static_cast<i16>(ItemLineNumber(text)));
    for (int slot = role.First; slot <= role.Last; ++slot) {
        std::string& stored = role.Step == StepId::Separators ? d_.SepStr[slot] : d_.FixStr[slot].Str;
        const bool match = role.Step == StepId::Separators
                               ? stored == view.CurText
                               : !stored.empty() && view.CurText.find(stored) != std::string::npos;
        if (!match) continue;
        if (role.Step == StepId::FixedLines) d_.FixStr[slot] = FixLine{};
        else stored.clear();
        i16& counter = role.Step == StepId::Separators ? d_.CountSepL : d_.CountFixLines;
        if (counter > 0) --counter;
        break;
    }
    return true;
}

bool frmParDoc::SlotFree(const LineRole& role, int slot) const {
    if (role.Step == StepId::Postscript) return true;  // a new postscript replaces the old one
    return role.Step == StepId::Separators ? d_.SepStr[slot].empty() : d_.FixStr[slot].Str.empty();
}

bool frmParDoc::TakeLine(int item, const LineRole& role) {
    const i16 n = static_cast<i16>(ItemLineNumber(lstDoc.Item(item).Text));
    if (role.Step == StepId::FixedLines && view.PSLine > 0 && n > view.PSLine) {
        Refuse(host_, "Строка в области Постскриптума !");
        return false;
    }
    view.ReadLine(n);
    // An empty text would mark its slot free while the count says taken.
    if (view.CurText.empty()) {
        Refuse(host_, "Пустую строку нельзя назначить элементом документа !");
        return false;
    }
    int slot = role.First;
    while (slot <= role.Last && !SlotFree(role, slot)) ++slot;
    if (slot > role.Last) {
        Refuse(host_, "Максимальное число элементов = " + std::to_string(role.Last - role.First + 1) +
                          " !  Дальнейшее назначение невозможно !");
        return false;
    }
    if (role.Step == StepId::Separators) {
        d_.SepStr[slot] = view.CurText;
        ++d_.CountSepL;
    } else {
        d_.FixStr[slot] = {n, 0, 0, view.CurText};
        PendingFixRec = static_cast<i16>(slot + 1);
        if (role.Step == StepId::FixedLines) ++d_.CountFixLines;
        else view.PSLine = 0;  // found again where the new postscript stands
    }
    lstDoc.SetItemText(item, lstDoc.Item(item).Text + role.Label);
    return true;
}

// The first click gives a single column, the second widens it to an end column;
// the text that identifies the line becomes the part within those columns.
void frmParDoc::FixColumnClick(int header) {
    if (PendingFixRec == 0) {
        Refuse(host_, "В начале надо указать номер строки ! ");
        return;
    }
    FixLine& record = d_.FixStr[PendingFixRec - 1];
    const i16 column = static_cast<i16>(header - 1);
    if (column > d_.EndPoz[0]) return;
    FixLine shaped = record;
    if (shaped.BegCol == 0) {
        shaped.BegCol = shaped.EndCol = column;
    } else if (column < shaped.BegCol) {
        Refuse(host_, "Колонка начала > колонки конца ! ");
        return;
    } else {
        shaped.EndCol = column;
    }
    view.ReadLine(shaped.NStr);
    const int from = shaped.BegCol == 1 ? 0 : d_.EndPoz[shaped.BegCol - 1];
    const int to = d_.EndPoz[shaped.EndCol];
    shaped.Str = from < static_cast<int>(view.CurText.size()) ? view.CurText.substr(from, to - from) : "";
    if (shaped.Str.empty()) {
        Refuse(host_, "В указанных колонках строки нет текста !");
        return;
    }
    if (record.BegCol != 0) PendingFixRec = 0;  // the second click ends the shaping
    record = shaped;
    view.FillView();
}

}  // namespace tabulizer
