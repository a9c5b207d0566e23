#include "conversion/spreadsheet/UnnamedFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace tabulizer::sheet {

int OpenUnnamedFile(const char* folder) noexcept {
    try {
        std::string dir = folder && *folder ? folder : "";
        if (dir.empty()) {
            const char* env = std::getenv("TMPDIR");
            dir = env && *env ? env : "/tmp";
        }
        int fd = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
        std::string name = dir + "/tabulizer-XXXXXX";
        fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd >= 0) ::unlink(name.c_str());
        return fd;
    } catch (...) {
        errno = ENOMEM;
        return -1;
    }
}

}  // namespace tabulizer::sheet
