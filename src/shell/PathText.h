#pragma once
// Text rules of the wizard's path boxes: prompts, line breaks and extensions.
// Texts are UTF-8; character positions count characters, not bytes.
#include <initializer_list>
#include <string>
#include <string_view>

namespace tabulizer {

// True when the first seven characters are "Маршрут" in any letter case, i.e. the
// box still shows its prompt.
bool ShowsPrompt(std::string_view text);

// The text without line breaks: the CR LF the Enter key leaves in a multi-line box,
// and a lone LF or CR, which a path never contains on purpose.
std::string RemoveLineBreaks(std::string_view text);

// What the extension check makes of a typed name.
enum class ExtVerdict {
    Accepted,  // ends in one of the accepted extensions
    Foreign,   // ends in another extension: refused
    Append,    // no extension: the primary one is to be appended
    Empty,     // nothing typed
};

// `primary` is the extension a name gets; `accepted` are those that pass (letter
// case ignored). Another extension is a "." followed by 3 up to primary-minus-dot
// characters at the end of the last path component.
ExtVerdict ClassifyExtension(std::string_view text, std::string_view primary,
                             std::initializer_list<std::string_view> accepted);

}  // namespace tabulizer
