#pragma once
// Replacing a file so that a failed write never destroys the previous one: the new
// content goes to a temporary file in the same folder, is flushed to disk and then
// renamed over the target.
#include <functional>
#include <string>
#include <string_view>

namespace tabulizer {

// `write` fills the temporary file named by its argument (and throws on failure);
// `probe`, when set, may fail the replacement just before the rename (tests use it
// to simulate a full disk). A folder that takes no new file is Failure(75); any
// other failure is Failure(1004), and running out of memory Failure(7) or
// std::bad_alloc; a failure from `write` gives its reason as its detail. The
// temporary file is removed on failure (and on a signal that ends the program) and the
// target is then as it was. A directory or a read-only file is never replaced.
void ReplaceFile(const std::string& utf8Path, const std::function<void(const std::string&)>& write,
                 const std::function<bool(const std::string&)>& probe = {});

// The detail line of a file that cannot be written: the file and the reason.
std::string CannotWriteDetail(const std::string& path, const std::string& reason);

// The same with the whole content at hand.
void ReplaceFile(const std::string& utf8Path, std::string_view content);

// Writes a file that must not exist, the same way, except that the temporary file
// is linked to the name instead of renamed over it: a file that took the name
// meanwhile stays as it is, and the call throws Failure(kFileExists).
void CreateNewFile(const std::string& utf8Path, std::string_view content,
                   const std::function<bool(const std::string&)>& probe = {});

}  // namespace tabulizer
