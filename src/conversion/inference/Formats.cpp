// Column formats: numbers right-aligned with their common number of decimals,
// percentages as percent; the text format "@" where a spreadsheet would take a
// cell for a number it is not (codes, document and account numbers, dates, lone
// signs); widths from the columns' character counts.
#include <algorithm>
#include <map>
#include <set>

#include "common/Cp1251.h"
#include "conversion/inference/Elements.h"
#include "conversion/inference/LineShapes.h"

namespace tabulizer::inference {
namespace {

constexpr i16 kAlignLeft = 1, kAlignRight = 3;
constexpr i16 kFormNumber = 1, kFormPercent = 3, kFormText = 4;
constexpr std::size_t kMaxDigitsOfNumber = 15;  // what the typed input reads as a number

// What the cells of one column hold.
struct ColumnCells {
    int numbers = 0, percents = 0, texts = 0;
    int codes = 0;      // zero-padded digits, item numbers "332.", dates, long digit strings, ranges
    int codeTexts = 0;  // short texts of a code ("АБ 023545", "КО-62", "ПНП")
    std::set<std::string, std::less<>> tokenCodes;  // one word of letters and digits ("T54171", "КО-62")
    int tokenCodeCells = 0;
    int signs = 0;      // a lone "+" (a lone "-" is a placeholder)
    int wholes = 0, leftWholes = 0;  // numbers of digits alone; of them, flush left
    std::map<int, int> decimals;     // number of decimals -> cells

    int CommonDecimals() const {
        int best = 0, cells = 0;
        for (auto [places, count] : decimals)
            if (count >= cells) best = places, cells = count;
        return best;
    }
};

bool IsPlaceholder(std::string_view text) {
    for (char c : text)
        if (!IsHorizontal(c)) return false;
    return true;
}

// CP1251 capitals: Latin, Russian and Ukrainian.
bool IsCapital(char c) {
    auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDF) || u == 0xA8 || u == 0xAA || u == 0xAF || u == 0xB2 ||
           u == 0xA5;
}
enum class Code { kNone, kDigitGroups, kZeroPadded, kDate };

// Digits in groups joined by "-", "/" or "." ("45-5123"); zero-padded when a group of
// several digits starts with a zero ("12-0345", "01.04.1999"); a date when three
// groups are joined by the same "." or "/" ("1.3.2008", "15/03/02").
Code CodeShape(std::string_view text) {
    bool zeroFirst = false;
    std::size_t group = 0;
    std::string joints;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        char c = i < text.size() ? text[i] : '-';
        if (IsDigit(c)) {
            ++group;
            continue;
        }
        if ((c != '-' && c != '/' && c != '.') || group == 0) return Code::kNone;
        zeroFirst = zeroFirst || (group > 1 && text[i - group] == '0');
        if (i < text.size()) joints += c;
        group = 0;
    }
    if (joints.size() == 2 && joints[0] == joints[1] && joints[0] != '-') return Code::kDate;
    return zeroFirst ? Code::kZeroPadded : Code::kDigitGroups;
}

// Digits alone, too many for a number; or digits closed by one letter, a house or
// flat number ("60а").
bool IsDigitCode(std::string_view text) {
    std::size_t digits = 0;
    while (digits < text.size() && IsDigit(text[digits])) ++digits;
    if (digits == text.size()) return digits > kMaxDigitsOfNumber;
    return digits > 0 && digits + 1 == text.size() && IsLetter(text.back());
}

// A short text that names a code rather than says something: one or two words, with
// a digit in them ("АБ 023545", "T54171", "КО-62") or in capitals alone ("ПНП").
bool IsCodeText(std::string_view text) {
    std::vector<std::string_view> words = Words(text);
    if (words.size() > 2) return false;
    if (HasDigit(text)) return true;
    int capitals = 0;
    for (char c : text)
        if (IsCapital(c)) ++capitals;
        else if (IsLetter(c)) return false;
    return words.size() == 1 && capitals >= 2;
}

// Numbers joined by a sign, no word among them: a range ("0.00 =>  1073.00"), text
// that looks like numbers. Numbers parted by blanks alone ("5 284") may be one
// number grouped in thousands.
bool JoinsNumbers(std::string_view text) {
    if (std::any_of(text.begin(), text.end(), IsLetter)) return false;
    int numbers = 0, joints = 0;
    for (std::string_view word : Words(text)) ++(ShapeOf(word).number ? numbers : joints);
    return numbers >= 2 && joints > 0;
}

// The characters first..last of lines that make one column; the dividers found
// between columns ("|", or ":" in some reports) are table lines, not text.
struct Span {
    int first, last;
    const std::vector<bool>& dividerAt;  // by position

    bool IsLine(std::string_view line, int p) const {
        return IsVertical(CharAt(line, p)) || (p >= 0 && p < static_cast<int>(dividerAt.size()) && dividerAt[p]);
    }
    std::string Cut(std::string_view line) const {
        std::string cut(Slice(line, first, last));
        for (std::size_t i = 0; i < cut.size(); ++i)
            if (IsLine(line, first + static_cast<int>(i))) cut[i] = ' ';
        return cut;
    }
    // A text that spills over an edge of the column: a heading or a line running
    // across the columns, not a cell of this one.
    bool Spills(std::string_view line) const {
        auto filled = [&](int p) { return CharAt(line, p) != ' ' && !IsLine(line, p); };
        return (filled(first - 1) && filled(first)) || (filled(last) && filled(last + 1));
    }
};

void Count(ColumnCells& cells, std::string_view cut, std::string_view text) {
    if (text == "+" || text == "+/-") {
        ++cells.signs;
        return;
    }
    NumberShape shape = ShapeOf(text);
    Code code = shape.number ? Code::kNone : CodeShape(text);
    // Zero-padded codes, and item numbers closed by a point ("332."), keep their form.
    bool numbered = shape.number && text.back() == '.';
    if (shape.leadingZero || numbered || code == Code::kZeroPadded || code == Code::kDate ||
        (!shape.number && (IsDigitCode(text) || JoinsNumbers(text))))
        ++cells.codes;
    else if (code == Code::kDigitGroups) return;  // a code, but no evidence of zeros
    else if (!shape.number && IsCodeText(text)) {
        ++cells.codeTexts;
        if (Words(text).size() == 1 && HasDigit(text) && std::any_of(text.begin(), text.end(), IsLetter)) {
            ++cells.tokenCodeCells;
            cells.tokenCodes.emplace(text);
        }
    } else if (!shape.number) ++cells.texts;
    else {
        ++cells.numbers;
        if (text.find_first_not_of("0123456789") == std::string_view::npos) {
            ++cells.wholes;
            std::size_t lead = cut.find(text.front()), trail = cut.size() - lead - text.size();
            cells.leftWholes += lead <= 1 && trail >= 2 ? 1 : 0;
        }
        cells.percents += shape.percent ? 1 : 0;
        ++cells.decimals[shape.decimals];
    }
}

ColumnCells Survey(const Lines& lines, const std::vector<int>& rows, const Span& span) {
    ColumnCells cells;
    for (int row : rows) {
        std::string cut = span.Cut(lines[row]);
        std::string_view text = Trim(cut);
        if (text.empty() || IsPlaceholder(text) || span.Spills(lines[row])) continue;
        Count(cells, cut, text);
    }
    return cells;
}

// A character beyond a column's edge that carries a word of the header on: not a
// blank, nor a line of the table.
bool Continues(char beyond) { return beyond != ' ' && !IsJunction(beyond) && !IsHorizontal(beyond); }

// A word of a header without the table's lines that touch it ("ряд-+" at a tee); a
// hyphen that breaks the word stays.
std::string_view WithoutLines(std::string_view word) {
    while (!word.empty() && (IsJunction(word.front()) || IsHorizontal(word.front()))) word.remove_prefix(1);
    while (!word.empty() && (IsJunction(word.back()) ||
                             (IsHorizontal(word.back()) && (word.size() < 2 || IsHorizontal(word[word.size() - 2])))))
        word.remove_suffix(1);
    return word;
}

// The words of a column's header, lower case, a word broken by a hyphen at the end
// of a line joined again ("стро-" "ки"), a word written downwards read across. Only words wholly inside the column: a
// header merged over several columns names none of them alone.
std::vector<std::string> HeaderWords(const Lines& lines, const std::vector<int>& capRows, const Span& span) {
    std::vector<std::string> words;
    bool broken = false;
    std::size_t letterAt = std::string::npos;  // where the line before held a letter alone
    for (int row : capRows) {
        std::string_view line = lines[row];
        std::string cut = span.Cut(line);
        auto continues = [&](int p) { return !span.IsLine(line, p) && Continues(CharAt(line, p)); };
        if (!cut.empty() && cut[0] != ' ' && continues(span.first - 1)) cut[0] = ' ';
        std::vector<std::string_view> inside = Words(cut);
        if (!inside.empty() && cut.back() != ' ' && continues(span.last + 1)) inside.pop_back();
        for (std::size_t w = 0; w < inside.size(); ++w) {
            std::string word = Lower(WithoutLines(inside[w]));
            if (word.empty()) continue;
            // A narrow column's header written downwards, a letter a line under the
            // letter before ("Ш" "И" "Ф" "Р").
            std::size_t at = inside.size() == 1 && word.size() == 1 && IsLetter(word[0])
                                 ? static_cast<std::size_t>(inside[w].data() - cut.data()) : std::string::npos;
            if (broken && w == 0) words.back().pop_back(), words.back() += word;
            else if (at != std::string::npos && at == letterAt) words.back() += word;
            else words.push_back(word);
            broken = word.size() > 1 && word.back() == '-';
            letterAt = at;
        }
        if (inside.empty()) broken = false, letterAt = std::string::npos;
    }
    return words;
}

// Words that give the row's number in the table ("№ п/п", "Номер по порядку"):
// a count, not an identifier.
bool IsRowNumberWord(std::string_view word) {
    static const std::vector<std::string> marks = [] {
        std::vector<std::string> cp1251;
        for (const char* w : {"п/п", "з/п", "порядку"}) cp1251.push_back(Utf8ToCp1251(w));
        return cp1251;
    }();
    for (const std::string& mark : marks)
        if (word.find(mark) != std::string_view::npos) return true;
    return false;
}

// What a column's header says of its values: identifiers (document and line
// numbers, codes, tax and bank numbers, accounts, marks, or the number sign before a
// noun: "N док.", "№ кварт."), or the rows' own numbers.
struct Header {
    bool identifiers = false, rowNumbers = false;
    bool named = false;  // any word at all, beyond the columns' numbers
};

bool HasIdentifierStem(std::string_view word) {
    static const std::vector<std::string> stems = [] {
        std::vector<std::string> cp1251;
        for (const char* w : {"номер", "код", "шифр", "инн", "бик", "кпп", "окпо", "кнп", "кбк", "кбе", "артикул", "табел",
                              "доку", "рядка", "строки", "счет", "счёт", "рах", "ознак", "признак", "познач"})
            cp1251.push_back(Utf8ToCp1251(w));
        return cp1251;
    }();
    // Abbreviations that are whole words: "Т/н" (personnel number), "Маш.ном".
    static const std::vector<std::string> abbreviations = {Utf8ToCp1251("т/н"), Utf8ToCp1251("ном")};
    // "О/Рах.", "Маш.ном": each part of a word joined by "/" or "." may be the stem.
    for (std::size_t start = 0; start < word.size();) {
        std::size_t end = std::min(word.find_first_of("/.", start), word.size());
        std::string_view part = word.substr(start, end - start);
        for (const std::string& stem : stems)
            if (part.starts_with(stem)) return true;
        if (std::find(abbreviations.begin(), abbreviations.end(), part) != abbreviations.end()) return true;
        start = end + 1;
    }
    std::string_view bare = word.substr(0, word.find_last_not_of(".,:") + 1);
    return std::find(abbreviations.begin(), abbreviations.end(), bare) != abbreviations.end();
}

Header ReadHeader(const std::vector<std::string>& words) {
    static const std::string numberSign = Utf8ToCp1251("№");
    Header header;
    header.named = std::any_of(words.begin(), words.end(),
                               [](const std::string& w) { return std::any_of(w.begin(), w.end(), IsLetter); });
    header.rowNumbers = std::any_of(words.begin(), words.end(), [](const std::string& w) { return IsRowNumberWord(w); });
    for (std::size_t w = 0; w < words.size() && !header.rowNumbers; ++w) {
        bool sign = words[w] == "n" || words[w] == numberSign;
        if ((sign && w + 1 < words.size() && std::any_of(words[w + 1].begin(), words[w + 1].end(), IsLetter)) ||
            HasIdentifierStem(words[w]))
            header.identifiers = true;
    }
    return header;
}

// `guessed`: set when whole numbers were taken for quantities with no header word to
// say whether they are numbers of documents or counts.
FormatCell FormatOf(const ColumnCells& cells, int column, Header header, bool& guessed) {
    const FormatCell text{static_cast<i16>(column), kAlignLeft, kFormText, 0};
    const int values = cells.numbers + cells.codes + cells.codeTexts + cells.signs;
    // An empty column takes its format from its header, as a user sets it.
    if (values == 0 && cells.texts == 0) return header.identifiers ? text : FormatCell{};
    // A few words among values (a placeholder "х", a cap repeated over a second table,
    // the second line of a total) do not make a column of texts.
    // Percentages among words are labels ("32%:" beside its sum): under no format of
    // their own they would read as bare fractions (0.32), so the column keeps its text.
    if (cells.texts * 5 > values) return cells.percents > 0 ? text : FormatCell{};
    if (cells.signs > 0 && cells.signs + cells.texts == values) return text;  // "+" alone reads as a formula
    // Codes keep their zeros as text; a column of codes may hold plain numbers too.
    if (cells.codes > 0) return text;
    // Letters and digits in one word ("T54171", "КО-62"), different from row to row,
    // are identifiers whatever the header says; a few such words repeated (a
    // cashier's login "OPER07") name a category, and capitals alone ("ПНП") need a
    // header that names identifiers.
    bool identifiers = cells.tokenCodeCells * 2 > values &&
                       static_cast<int>(cells.tokenCodes.size()) * 2 > cells.tokenCodeCells;
    // A few such words among numbers (a cap "Нач(0.5%)" repeated over a second table)
    // do not make the column one of codes.
    if (cells.codeTexts * 5 > values) return header.identifiers || identifiers ? text : FormatCell{};
    if (cells.numbers == 0) return {};
    // Whole numbers under a header that names identifiers, or printed flush left as
    // a program prints a string, are identifiers, not quantities.
    if (cells.wholes == cells.numbers &&
        (header.identifiers || (!header.rowNumbers && cells.leftWholes * 10 >= cells.wholes * 9)))
        return text;
    guessed = cells.wholes == cells.numbers && !header.named;
    i16 form = cells.percents == cells.numbers ? kFormPercent : kFormNumber;
    return {static_cast<i16>(column), kAlignRight, form, static_cast<i16>(cells.CommonDecimals())};
}

// The characters the records take in the project ("3,1,4,0,2,3,1,2,..." with the
// count before them).
std::size_t StoredLength(const std::vector<FormatCell>& cells) {
    std::size_t length = 0, count = 0;
    for (const FormatCell& f : cells)
        if (f.Col != 0) {
            ++count;
            for (int number : {int{f.Col}, int{f.Alig}, int{f.Form}, int{f.Cn}}) length += 1 + std::to_string(number).size();
        }
    return length + std::to_string(count).size();
}

// A project value holds 254 characters: records are given up from the last column,
// those of numbers first (they only show the value), then those of text (which
// keep it as printed). Returns the columns given up.
std::string KeepStorable(std::vector<FormatCell>& cells) {
    constexpr std::size_t kMaxValue = 254;
    std::string dropped;
    for (bool text : {false, true})
        for (std::size_t c = cells.size(); c-- > 0 && StoredLength(cells) > kMaxValue;)
            if (cells[c].Col != 0 && (cells[c].Form == kFormText) == text) {
                cells[c] = {};
                dropped.insert(0, (dropped.empty() ? "" : ", ") + std::to_string(c + 1));
            }
    return dropped;
}

std::string Describe(const FormatCell& f) {
    std::string text = "графа " + std::to_string(f.Col);
    if (f.Form == kFormText) return text + " — текст (номера, коды, даты)";
    text += f.Form == kFormPercent ? " — проценты" : " — числа";
    return text + ", знаков после точки: " + std::to_string(f.Cn);
}

}  // namespace

Formats InferFormats(const Lines& lines, const Body& body, const FixedLines& fixed, const Columns& columns,
                     const std::vector<int>& capRows) {
    Formats formats;
    formats.finding.element = "Форматы граф";
    formats.finding.kind = Element::Formats;
    std::vector<int> rows;
    for (int row : body.rows)
        if (std::find(fixed.rows.begin(), fixed.rows.end(), row) == fixed.rows.end()) rows.push_back(row);
    std::vector<bool> dividerAt;
    for (int p : columns.dividers) {
        if (p >= static_cast<int>(dividerAt.size())) dividerAt.resize(p + 1);
        if (p >= 0) dividerAt[p] = true;
    }
    int previous = 0;
    std::string unnamed;  // columns of whole numbers whose header says nothing
    for (std::size_t c = 0; c < columns.ends.size(); ++c) {
        int first = previous + 1, last = columns.ends[c];
        Span span{first, last, dividerAt};
        bool guessed = false;
        formats.cells.push_back(FormatOf(Survey(lines, rows, span), static_cast<int>(c) + 1,
                                         ReadHeader(HeaderWords(lines, capRows, span)), guessed));
        if (guessed) unnamed += (unnamed.empty() ? "" : ", ") + std::to_string(c + 1);
        // As the editor stores an untouched column: one unit wider than its characters.
        formats.widths.push_back(last - previous + 1);
        previous = last;
    }
    std::string dropped = KeepStorable(formats.cells);
    for (const FormatCell& format : formats.cells)
        if (format.Col != 0) formats.finding.text += (formats.finding.text.empty() ? "" : "; ") + Describe(format);
    if (formats.finding.text.empty()) formats.finding.text = "все графы текстовые, общий формат";
    if (!dropped.empty()) {
        formats.finding.decided = false;
        formats.finding.text += "; форматы граф " + dropped + " не вошли в проект (значение ключа — до 254 символов)";
    }
    if (!unnamed.empty()) {
        formats.finding.decided = false;
        formats.finding.text += "; целые числа в графах " + unnamed +
                                " взяты за количества: в шапке над ними нет слов, по которым видно, не номера ли это";
    }
    return formats;
}

}  // namespace tabulizer::inference
