#include "description/ProjectReader.h"

#include <optional>

#include "common/Cp1251.h"
#include "description/IniNumbers.h"

namespace tabulizer {

void ProjectReader::IniError(std::string_view section, std::string_view key, std::string_view message) {
    std::string text = "Ошибка файла описания проекта !\nСекция: ";
    text.append(section).append("  Параметр: ").append(key).append(" - ").append(message);
    host_.MessageBox(text, ui::Buttons::Ok, ui::Icon::Question);
    errIni_ = true;
    if (run_.Batch) host_.EndProgram(1);
}

// A value outside 16 bits is stored as 0 and reported once, as a parameter error:
// the user sees what is wrong instead of a second "missing" report for a key that is
// present.
void ProjectReader::ReadIniInt(std::string_view section, std::string_view key, i16& field) {
    std::optional<i16> number = ParseIniInteger(Value(section, key));
    field = number.value_or(0);
    if (!number)
        IniError(section, key, kMsgBadParams);
    else if (field == 0)
        IniError(section, key, kMsgMissing);
}

// A negative count would pass for "nothing to read" and then upset every loop that
// counts entries (a fixed-line count of -1 hides the postscript from the run), so it
// is refused like a count outside 16 bits.
bool ProjectReader::ReadIniCount(std::string_view key, const std::string& value, int limit,
                                 const std::string& limitMessage, i16& field) {
    std::optional<i16> number = ParseIniInteger(value);
    field = number.value_or(0);
    if (!number || field < 0) {
        field = 0;
        IniError(kSecHorizon, key, kMsgBadParams);
        return false;
    }
    if (field > limit) {
        field = 0;
        IniError(kSecHorizon, key, limitMessage);
        return false;
    }
    return field > 0;
}

void ProjectReader::ReadIniFlag(std::string_view section, std::string_view key, bool& flag) {
    if (Value(section, key) == "1") flag = true;
}

ListRead ProjectReader::ReadIniList(std::string_view section, std::string_view key, PosList& list) {
    std::string value = Value(section, key);
    if (value.empty()) return ListRead::Empty;
    const bool ordered = FoldIniName(key) != "WIDTHGRAF";
    list[0] = 0;
    std::size_t pos = 0;
    for (std::size_t n = 1;; ++n) {
        if (n >= list.size()) {
            IniError(section, key, kMsgBadParams);
            return ListRead::Refused;
        }
        std::size_t comma = value.find(',', pos);
        std::size_t end = comma == std::string::npos ? value.size() : comma;
        std::optional<i16> element = ParseIniInteger(std::string_view(value).substr(pos, end - pos));
        if (!element) {
            IniError(section, key, kMsgBadParams);
            return ListRead::Refused;
        }
        list[n] = *element;
        if (ordered && list[n] <= list[n - 1]) {
            IniError(section, key, kMsgUnordered);
            return ListRead::Unordered;
        }
        // A single trailing comma ends the list without another element.
        if (comma == std::string::npos || comma + 1 == value.size()) {
            list[0] = static_cast<i16>(n);
            return ListRead::Read;
        }
        pos = comma + 1;
    }
}

// A failed column number stores 0 and leaves the text as it was.
void ProjectReader::ReadIniFix(const std::string& value, int index, std::string_view keyName) {
    FixLine& line = At(d_.FixStr, index);
    std::size_t pos = 0;
    for (i16* field : {&line.BegCol, &line.EndCol}) {
        std::optional<i16> column = NextNumber(value, pos, 0, d_.EndPoz[0]);
        *field = column.value_or(0);
        if (!column) {
            IniError(kSecHorizon, keyName, kMsgBadParams);
            return;
        }
    }
    line.Str = value.substr(pos);
}

// "name,size,style": each field is stored as it is read; any bad field returns the
// whole font to its default. A negative style is refused like one above 3: it names
// no style.
void ProjectReader::ReadIniFont(std::string_view key, int index) {
    std::string value = Value(kSecHorizon, key);
    if (value.empty()) return;
    value += ',';
    Font& font = At(d_.Fonts, index);
    std::size_t comma = value.find(',');
    bool valid = comma > 0;
    if (valid) {
        font.Name = Cp1251ToUtf8(value.substr(0, comma));
        std::size_t pos = comma + 1;
        for (int field = 0; valid && field < 2; ++field) {
            comma = value.find(',', pos);
            std::optional<i16> number;
            if (comma != std::string::npos) number = ParseIniNumberField(value.substr(pos, comma - pos));
            valid = number && (field == 0 || (*number >= 0 && *number <= 3));
            if (valid) (field == 0 ? font.Size : font.Style) = *number;
            pos = comma + 1;
        }
    }
    if (!valid) {
        font = At(d_.FontDef, index);
        IniError(kSecHorizon, key, kMsgBadParams);
    }
}

}  // namespace tabulizer
