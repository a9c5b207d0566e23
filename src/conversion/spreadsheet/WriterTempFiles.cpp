// libxlsxwriter calls lxw_tmpfile through its procedure linkage table, so the
// definition below, in the executable, takes the place of the library's own. Each
// file is a stream over an unnamed file (O_TMPFILE; a file unlinked at once where
// the file system has none) whose close is seen here: what the library closes
// leaves the list, what it forgets stays on it for CloseWriterTempFiles.
#include "conversion/spreadsheet/WriterTempFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <mutex>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "conversion/spreadsheet/UnnamedFile.h"

namespace tabulizer::sheet {
namespace {

// The stream's cookie is its descriptor, so that nothing is allocated per file
// beyond the stream itself: a workbook of thousands of sheets opens thousands.
struct TempFile {
    int fd;
    FILE* stream;
    char* buffer;
    std::thread::id owner;
};

int Fd(void* cookie) { return static_cast<int>(reinterpret_cast<std::intptr_t>(cookie)); }

// Files open now, of every thread; a stream may be closed on another thread than
// the one that opened it.
std::mutex listMutex;
std::vector<TempFile>& OpenFiles() {
    static auto* files = new std::vector<TempFile>();  // outlives every static stream
    return *files;
}

ssize_t Read(void* cookie, char* buffer, size_t size) { return ::read(Fd(cookie), buffer, size); }

ssize_t Write(void* cookie, const char* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(Fd(cookie), buffer + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);  // short on failure; the stream then reports an error
}

int Seek(void* cookie, off64_t* offset, int whence) {
    off64_t at = ::lseek64(Fd(cookie), *offset, whence);
    if (at < 0) return -1;
    *offset = at;
    return 0;
}

// The stream has written its buffer out before it calls this, and does not use it
// afterwards.
int Close(void* cookie) {
    char* buffer = nullptr;
    {
        std::lock_guard lock(listMutex);
        auto& files = OpenFiles();
        auto file = std::find_if(files.begin(), files.end(), [fd = Fd(cookie)](const TempFile& f) { return f.fd == fd; });
        if (file != files.end()) {
            buffer = file->buffer;
            files.erase(file);
        }
    }
    std::free(buffer);
    return ::close(Fd(cookie));
}

}  // namespace

void CloseWriterTempFiles() noexcept {
    std::vector<FILE*> mine;
    {
        std::lock_guard lock(listMutex);
        for (const TempFile& file : OpenFiles())
            if (file.owner == std::this_thread::get_id()) mine.push_back(file.stream);
    }
    for (FILE* stream : mine) std::fclose(stream);
}

int OpenWriterTempFiles() noexcept {
    std::lock_guard lock(listMutex);
    int count = 0;
    for (const TempFile& file : OpenFiles()) count += file.owner == std::this_thread::get_id();
    return count;
}

}  // namespace tabulizer::sheet

// Called from C: it returns NULL with errno set instead of throwing.
extern "C" FILE* lxw_tmpfile(char* tmpdir) {
    namespace sheet = tabulizer::sheet;
    int fd = -1;
    try {
        fd = sheet::OpenUnnamedFile(tmpdir);
        if (fd < 0) return nullptr;
        std::lock_guard lock(sheet::listMutex);
        auto& files = sheet::OpenFiles();
        // Room for one more, grown as push_back would: nothing below throws once the
        // stream exists.
        if (files.size() == files.capacity()) files.reserve(std::max<std::size_t>(16, 2 * files.capacity()));
        // The buffer a file on disk gets; the stream's own would be twice as large.
        constexpr std::size_t kBuffer = 4096;
        char* buffer = static_cast<char*>(std::malloc(kBuffer));
        void* cookie = reinterpret_cast<void*>(static_cast<std::intptr_t>(fd));
        FILE* stream = buffer ? fopencookie(cookie, "w+", {sheet::Read, sheet::Write, sheet::Seek, sheet::Close})
                              : nullptr;
        if (!stream) {
            std::free(buffer);
            ::close(fd);
            errno = ENOMEM;
            return nullptr;
        }
        setvbuf(stream, buffer, _IOFBF, kBuffer);
        files.push_back({fd, stream, buffer, std::this_thread::get_id()});
        return stream;
    } catch (const std::bad_alloc&) {
        if (fd >= 0) ::close(fd);
        errno = ENOMEM;
        return nullptr;
    }
}
