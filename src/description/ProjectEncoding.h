#pragma once
// Project files come from this program (CP1251) and from text editors, which on a
// Linux desktop save UTF-8 and elsewhere sometimes UTF-16. The loader works on
// CP1251 bytes; this brings a file's bytes there or says why it cannot.
#include <string>
#include <string_view>

namespace tabulizer {

struct DecodedProject {
    std::string cp1251;   // the text to parse; empty when `problem` is set
    std::string problem;  // the message for the user (UTF-8); empty when readable
};

// Valid UTF-8 holding non-ASCII characters (after an optional byte order mark) is
// taken as UTF-8: CP1251 Cyrillic text is practically never valid UTF-8. A
// character CP1251 cannot hold is refused rather than replaced, since a changed
// reference or separator text would silently stop matching the report. UTF-16 and
// UTF-32 (byte order mark, or NUL bytes in every other position) are refused.
// Anything else is CP1251 as it stands.
DecodedProject DecodeProjectBytes(std::string_view bytes);

// The problem of the project file at `utf8Path`; empty when it reads, and when it
// is missing or not a regular file (the callers report those themselves).
std::string ProjectEncodingProblem(const std::string& utf8Path);

}  // namespace tabulizer
