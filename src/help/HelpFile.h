#pragma once
// The help file: one topic per editor step, CP1251 text. A topic starts with its
// key, the step number followed by "##", and runs up to the next "##" less the two
// characters before it (the line break and digit, or the two digits, of the next
// key). The whole file is held in memory while the help window is loaded.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tabulizer {

inline constexpr std::uintmax_t kHelpMinBytes = 100;
inline constexpr std::uintmax_t kHelpMaxBytes = 20960;

enum class HelpRead { Loaded, Missing, BadLength, Unreadable };

struct HelpFileText {
    HelpRead status = HelpRead::Missing;
    // The file with "  ##" appended and every CR LF turned into two blanks.
    std::string text;
};

// An empty path, or a path that is not a regular file, reads as Missing.
HelpFileText ReadHelpFile(const std::filesystem::path& file);

// Overwrites every CR LF pair with two blanks, from the start; the length stays.
void BlankLineBreaks(std::string& text);

enum class TopicFind { Found, Missing, Damaged };

struct HelpTopic {
    TopicFind status = TopicFind::Missing;
    std::size_t start = 0;  // of the topic text in the help text
    int length = 0;         // of the topic text; below 10 is Damaged
};

// The topic of `step` (1..15, as the user counts).
HelpTopic FindTopic(std::string_view helpText, int step);

struct HelpLabelSize {
    int width = 0;  // twips
    int height = 0;
};

// About square, growing with the square root of the text length; the compact
// form for the old systems' smaller font.
HelpLabelSize LabelSizeFor(int length, bool oldWindows);

}  // namespace tabulizer
