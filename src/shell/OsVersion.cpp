#include "shell/OsVersion.h"

#include <sys/utsname.h>

#include <cctype>

namespace tabulizer {
namespace {

// Reads the decimal number at `pos` and moves past it and one following '.'.
int ReadNumber(std::string_view text, std::size_t& pos) {
    int value = 0;
    bool any = false;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
        if (value < 100000) value = value * 10 + (text[pos] - '0');
        any = true;
        ++pos;
    }
    if (any && pos < text.size() && text[pos] == '.') ++pos;
    else if (any) pos = text.size();  // "6-rc1": no minor number after the major one
    return value;
}

}  // namespace

OsVersion ParseKernelRelease(std::string_view release) {
    std::size_t pos = 0;
    OsVersion version;
    version.Major = ReadNumber(release, pos);
    version.Minor = ReadNumber(release, pos);
    return version;
}

OsVersion KernelVersion() {
    utsname name{};
    if (uname(&name) != 0) return {};
    return ParseKernelRelease(name.release);
}

}  // namespace tabulizer
