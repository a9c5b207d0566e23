#pragma once
// GetStr: hands the conversion run one input line per call through a look-ahead
// window of up to 20 lines, and tells by flags what the line is.
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "common/Int16.h"
#include "conversion/FormFeedSplit.h"
#include "description/DocumentDescription.h"

namespace tabulizer {

class InputFile;  // buffered line source

// The bytes of a line the conversion keeps (of each part, in form-feed mode); the
// rest is read past. Cells lie within MaxLStr (at most 32,767) characters, and tab
// expansion only widens a line, so the kept bytes give every character a cell can
// take; one byte beyond them keeps an overlong line unequal to any separator or
// reference line. Only a fixed line's text found wholly past this is no longer found.
inline constexpr std::size_t kLineLimit = 64 * 1024 + 1;

// Flags about the line just handed out; held by the run, set by the reader.
struct LineFlags {
    bool IsEnd = false;
    bool IsPage = false;
    bool IsSep = false;
    bool IsPS = false;
    bool IsFix = false;
    i16 FixIdx = 0;
};

class LineReader {
public:
    // `inInf` is the run's flag "the information part is being written": fixed
    // lines and the postscript are recognised only there.
    LineReader(const DocumentDescription& description, LineFlags& flags, const bool& inInf);
    ~LineReader();

    void Open(const std::string& utf8Path);  // Failure 53 / 75 / 57
    void Close();

    void GetStr();
    // The line handed out last, filled with blanks to MaxLStr.
    std::string& Current();

    // Lines of the file read so far (the look-ahead included).
    long LinesRead() const { return linesRead_; }
    // The share of the input read so far, 0 to 100 (0 when nothing is open).
    int PercentRead() const;

    i16 CountTest = 0;  // fixed lines to test, plus 1 for a postscript
    // Called once, for the first line of the file (numbered from 1) whose text
    // reaches past MaxLStr: what stands there is in no cell.
    std::function<void(long line)> OnLongLine;

private:
    i16 WindowLength() const;
    bool FillWindow(i16 window);
    bool InputAtEnd();
    void ReadRawLine(std::string& line);
    std::string& HandOutOldest(i16 window);
    void HandOutAgain();
    void Classify(std::string& line);
    bool IsSeparator(const std::string& line) const;
    void TestFixedLines(const std::string& line);
    void FillToWidth(std::string& line) const;
    void NoteLongLine(const std::string& line);

    const DocumentDescription& description_;
    LineFlags& flags_;
    const bool& inInf_;
    std::unique_ptr<InputFile> input_;
    FormFeedParts parts_{kLineLimit};  // a line being split at its form feeds
    std::array<std::string, 20> bufStr_{};
    i16 nBuf_ = 0;      // lines read into the window and not yet handed out
    bool eofIn_ = false;
    i16 head_ = 0;      // slot of the oldest line not yet handed out
    i16 slot_ = 0;      // slot of the line handed out last
    bool currentIsSep_ = false;  // the line handed out last is a separator
    long linesRead_ = 0;         // lines of the file read so far
    bool longLineNoted_ = false;
};

}  // namespace tabulizer
