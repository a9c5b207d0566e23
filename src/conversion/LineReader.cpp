#include "conversion/LineReader.h"

#include <algorithm>

#include "common/Failure.h"
#include "conversion/ConvStr.h"
#include "conversion/FormFeedSplit.h"
#include "conversion/InputFile.h"

namespace tabulizer {

// The window is a ring over the first `window` slots of bufStr_: the lines not
// yet handed out stand in slots head_, head_ + 1, ... (nBuf_ of them, oldest
// first); the line handed out last stands in slot slot_. A new line goes into
// the slot after the youngest one, which in the steady state is the slot of the
// line handed out last.

LineReader::LineReader(const DocumentDescription& description, LineFlags& flags, const bool& inInf)
    : description_(description), flags_(flags), inInf_(inInf) {}

LineReader::~LineReader() = default;

void LineReader::Open(const std::string& utf8Path) {
    input_ = std::make_unique<InputFile>(utf8Path);
    nBuf_ = 0;
    head_ = 0;
    slot_ = 0;
    eofIn_ = false;
    currentIsSep_ = false;
    linesRead_ = 0;
    longLineNoted_ = false;
    parts_ = FormFeedParts(kLineLimit);
}

void LineReader::Close() { input_.reset(); }

int LineReader::PercentRead() const {
    if (!input_ || input_->Size() == 0) return 0;
    return static_cast<int>(std::min<std::uint64_t>(100, input_->BytesRead() * 100 / input_->Size()));
}

std::string& LineReader::Current() { return At(bufStr_, slot_); }

// Form-feed pages need no look-ahead: the line holding the form feed is itself
// the page break. In etalon mode the window spans the etalon line's position.
i16 LineReader::WindowLength() const {
    if (description_.FormFeed) return 1;
    const i16 window = description_.EtalStrN;
    if (window < 1 || window > static_cast<i16>(bufStr_.size()))
        throw Failure(kIndexOutOfRange,
                      "look-ahead window of " + std::to_string(window) + " lines");
    return window;
}

void LineReader::GetStr() {
    const i16 window = WindowLength();
    // A page break hands its opening line out twice: once to end the old page,
    // once to open the new one; also when the file has just run out.
    if (flags_.IsPage) {
        HandOutAgain();
        return;
    }
    const bool formFeedLine = FillWindow(window);
    if (nBuf_ == 0) {
        flags_.IsEnd = true;
        return;
    }
    std::string& line = HandOutOldest(window);
    // The flags describe the line just handed out, never an earlier one.
    flags_.IsSep = false;
    flags_.IsFix = false;
    flags_.FixIdx = 0;
    currentIsSep_ = false;
    if (!formFeedLine) Classify(line);
    FillToWidth(line);
}

// Reads until the window is full or the input ends, testing each new line for a
// page break. Returns true when a form feed line was read: it is handed out at once.
bool LineReader::FillWindow(i16 window) {
    if (!input_) throw Failure(kDeviceIoError, "input file is not open");
    while (!eofIn_ && nBuf_ < window) {
        if (InputAtEnd()) {
            eofIn_ = true;
            break;
        }
        std::string& line = At(bufStr_, (head_ + nBuf_) % window);
        ReadRawLine(line);
        Inc16(nBuf_);
        ConvStr(line, description_.Code);
        NoteLongLine(line);
        if (description_.FormFeed) {
            if (line.find('\f') != std::string::npos) {
                flags_.IsPage = true;
                return true;
            }
        } else if (nBuf_ == window && line == description_.EtalStr) {
            // The etalon line stands window - 1 lines after the line handed out
            // next, which is therefore the first line of the new page.
            flags_.IsPage = true;
        }
    }
    return false;
}

bool LineReader::InputAtEnd() { return !parts_.Pending() && input_->AtEnd(); }

// The next line as read, before conversion: tab stops count from the start of
// each part of a line split at its form feeds.
void LineReader::ReadRawLine(std::string& line) {
    if (description_.FormFeed) {
        if (!parts_.Pending()) ++linesRead_;
        parts_.Next(*input_, line);
    } else {
        ++linesRead_;
        input_->ReadPart(line, kLineLimit, false);
    }
}

std::string& LineReader::HandOutOldest(i16 window) {
    slot_ = head_;
    head_ = static_cast<i16>((head_ + 1) % window);
    Dec16(nBuf_);
    return At(bufStr_, slot_);
}

// The line opening the new page comes again as it was: converted, filled and
// with its separator flag, but it is the new page's title, never a fixed line.
void LineReader::HandOutAgain() {
    flags_.IsPage = false;
    flags_.IsSep = currentIsSep_;
    flags_.IsFix = false;
    flags_.FixIdx = 0;
}

// Separators first: a separator that also holds a fixed-line text is a separator.
// Fixed lines and the postscript count only in the information part, not inside
// a postscript already begun, and not on a line that opens the next page.
void LineReader::Classify(std::string& line) {
    if (IsSeparator(line)) {
        flags_.IsSep = true;
        currentIsSep_ = true;
        return;
    }
    if (!inInf_ || flags_.IsPS || flags_.IsPage || CountTest <= 0) return;
    TestFixedLines(line);
}

bool LineReader::IsSeparator(const std::string& line) const {
    i16 tested = 0;
    for (const std::string& pattern : description_.SepStr) {
        if (tested >= description_.CountSepL) break;
        if (pattern.empty()) continue;
        Inc16(tested);
        if (line == pattern) return true;
    }
    return false;
}

void LineReader::TestFixedLines(const std::string& line) {
    i16 tested = 0;
    for (std::size_t i = 0; i < description_.FixStr.size(); ++i) {
        if (tested >= CountTest) break;
        const std::string& text = description_.FixStr[i].Str;
        if (text.empty()) continue;
        Inc16(tested);
        if (line.find(text) == std::string::npos) continue;
        if (i == 0) {
            flags_.IsPS = true;
        } else {
            flags_.IsFix = true;
            flags_.FixIdx = static_cast<i16>(i);
        }
        return;
    }
}

// Blanks past the width lose nothing; any other character is cut off unseen.
void LineReader::NoteLongLine(const std::string& line) {
    const auto width = static_cast<std::size_t>(std::max<int>(description_.MaxLStr, 0));
    if (longLineNoted_ || line.size() <= width || line.find_first_not_of(' ', width) == std::string::npos) return;
    longLineNoted_ = true;
    if (OnLongLine) OnLongLine(linesRead_);
}

// Classification sees the line as read; the cells are cut from the filled line.
void LineReader::FillToWidth(std::string& line) const {
    const auto width = static_cast<std::size_t>(description_.MaxLStr > 0 ? description_.MaxLStr : 0);
    if (!line.empty() && line.size() < width) line.resize(width, ' ');
}

}  // namespace tabulizer
