#pragma once
// The reporting readers the loader is built from: each reads one key of the
// project, checks it, stores what it may into the description and reports a
// problem through IniError. One instance per load.
#include <string>
#include <string_view>
#include <utility>

#include "description/DocumentDescription.h"
#include "description/IniFile.h"
#include "ui/Host.h"

namespace tabulizer {

inline constexpr std::string_view kSecTabulizer = "Tabulizer";
inline constexpr std::string_view kSecGeneral = "General";
inline constexpr std::string_view kSecHorizon = "Horizon";
inline constexpr std::string_view kSecVertical = "Vertical";

inline constexpr std::string_view kMsgMissing = "Параметр отсутствует !";
inline constexpr std::string_view kMsgBadParams = "Ошибка в параметрах !";
inline constexpr std::string_view kMsgUnordered = "Позиции колонок не упорядочены !";

enum class ListRead {
    Empty,      // key missing or empty: the array is untouched
    Read,       // element 0 holds the count
    Unordered,  // reported; element 0 is 0
    Refused,    // a value outside 16 bits or more than 50 values; reported, element 0 is 0
};

class ProjectReader {
public:
    ProjectReader(IniFile file, DocumentDescription& description, const RunState& run, ui::Host& host)
        : file_(std::move(file)), d_(description), run_(run), host_(host) {}

    DocumentDescription& Desc() { return d_; }
    bool ErrIni() const { return errIni_; }

    std::string Value(std::string_view section, std::string_view key) const {
        return file_.Value(section, key);
    }

    // Shows the loader's message box and sets ErrIni; in batch mode the program
    // ends right after the box.
    void IniError(std::string_view section, std::string_view key, std::string_view message);

    // A required integer: 0 is reported as missing.
    void ReadIniInt(std::string_view section, std::string_view key, i16& field);
    // A count from `value`: above `limit` stores 0 and reports `limitMessage`; a
    // negative or non-16-bit value stores 0 and reports a parameter error. True when
    // the count is 1..limit and the entries it announces are to be read.
    bool ReadIniCount(std::string_view key, const std::string& value, int limit,
                      const std::string& limitMessage, i16& field);
    // Exactly "1" sets the flag; anything else leaves it as it was.
    void ReadIniFlag(std::string_view section, std::string_view key, bool& flag);
    ListRead ReadIniList(std::string_view section, std::string_view key, PosList& list);
    // "begin,end,text" into FixStr[index]; messages under `keyName` ("FS" or "PS").
    void ReadIniFix(const std::string& value, int index, std::string_view keyName);
    void ReadIniFont(std::string_view key, int index);

private:
    IniFile file_;
    DocumentDescription& d_;
    const RunState& run_;
    ui::Host& host_;
    bool errIni_ = false;
};

}  // namespace tabulizer
