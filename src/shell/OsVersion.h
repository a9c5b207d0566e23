#pragma once
// The version of the operating system as two numbers. The start window decides
// from them whether the editor and the help window use their compact layout.
#include <functional>
#include <string_view>

namespace tabulizer {

struct OsVersion {
    int Major = 0;
    int Minor = 0;
};

// "6.8.0-45-generic" -> {6, 8}. Missing numbers read as 0.
OsVersion ParseKernelRelease(std::string_view release);

// The running kernel's release numbers (uname); {0, 0} when they cannot be had.
OsVersion KernelVersion();

// Where the start window asks for the version; tests inject their own.
using VersionSource = std::function<OsVersion()>;

}  // namespace tabulizer
