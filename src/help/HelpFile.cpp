#include "help/HelpFile.h"

#include <cmath>
#include <fstream>
#include <system_error>

namespace tabulizer {
namespace {

constexpr std::string_view kTopicMark = "##";
constexpr int kMinTopicLength = 10;

}  // namespace

void BlankLineBreaks(std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '\r' && text[i + 1] == '\n') {
            text[i] = text[i + 1] = ' ';
            ++i;
        }
    }
}

HelpFileText ReadHelpFile(const std::filesystem::path& file) {
    std::error_code error;
    if (file.empty() || !std::filesystem::is_regular_file(file, error)) return {HelpRead::Missing, {}};
    const std::uintmax_t length = std::filesystem::file_size(file, error);
    if (error) return {HelpRead::Unreadable, {}};
    if (length < kHelpMinBytes || length > kHelpMaxBytes) return {HelpRead::BadLength, {}};

    std::ifstream in(file, std::ios::binary);
    std::string text(static_cast<std::size_t>(length), '\0');
    // A file that shrank between the size and the read is as good as unreadable.
    if (!in.read(text.data(), static_cast<std::streamsize>(text.size()))) return {HelpRead::Unreadable, {}};
    text += "  ";
    text += kTopicMark;
    BlankLineBreaks(text);
    return {HelpRead::Loaded, std::move(text)};
}

HelpTopic FindTopic(std::string_view helpText, int step) {
    const std::string key = std::to_string(step) + std::string(kTopicMark);
    const std::size_t found = helpText.find(key);
    if (found == std::string_view::npos) return {};
    const std::size_t start = found + key.size();
    const std::size_t end = helpText.find(kTopicMark, start);
    // The text ends in "##" of its own, so only a key at the very end finds none.
    const long long length = end == std::string_view::npos ? -1 : static_cast<long long>(end - start) - 2;
    if (length < kMinTopicLength) return {TopicFind::Damaged, start, 0};
    return {TopicFind::Found, start, static_cast<int>(length)};
}

HelpLabelSize LabelSizeFor(int length, bool oldWindows) {
    // nearbyint rounds a half to the even neighbour.
    const int side = static_cast<int>(std::nearbyint(std::sqrt(2.0 * length)));
    HelpLabelSize size{(side + 3) * 124, 0};
    size.height = size.width - 600;
    if (oldWindows) size = {size.width * 3 / 4 + 250, size.height * 3 / 4 + 200};
    return size;
}

}  // namespace tabulizer
