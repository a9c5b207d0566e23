#pragma once
// The system's reason for a failed file operation, in Russian, for the detail line
// that batch mode prints under a failure's message.
#include <string>

namespace tabulizer {

// The reason for `error` (an errno value); unknown numbers keep the C library's
// text with the number.
std::string SystemReason(int error);

}  // namespace tabulizer
