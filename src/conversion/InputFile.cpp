#include "conversion/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/Failure.h"

namespace tabulizer {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

[[noreturn]] void Fail(int code, const std::string& path, int err) {
    throw Failure(code, "input file " + path + ": " + std::strerror(err));
}

}  // namespace

InputFile::InputFile(const std::string& utf8Path) : buffer_(kBufferSize) {
    fd_ = ::open(utf8Path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        const int err = errno;
        Fail(err == ENOENT || err == ENOTDIR ? kFileNotFound : kPathAccessError, utf8Path, err);
    }
    // A directory opens for reading on this platform but holds no lines.
    struct stat info {};
    const int err = ::fstat(fd_, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
    if (err != 0) {
        ::close(fd_);
        fd_ = -1;
        Fail(kPathAccessError, utf8Path, err);
    }
    size_ = static_cast<std::uint64_t>(info.st_size);
}

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool InputFile::Refill() {
    if (endOfFile_) return false;
    ssize_t got;
    do {
        got = ::read(fd_, buffer_.data(), buffer_.size());
    } while (got < 0 && errno == EINTR);
    if (got < 0) throw Failure(kDeviceIoError, std::string("reading input: ") + std::strerror(errno));
    pos_ = 0;
    len_ = static_cast<std::size_t>(got);
    nextLf_ = std::string::npos;
    bytesRead_ += len_;
    endOfFile_ = got == 0;
    return !endOfFile_;
}

// CR LF is one line end even when the buffer boundary falls between the two.
void InputFile::SkipLfAfterCr() {
    if (!afterCr_) return;
    if (pos_ == len_ && !Refill()) return;
    afterCr_ = false;
    if (buffer_[pos_] == '\n') ++pos_;
}

bool InputFile::AtEnd() {
    SkipLfAfterCr();
    return pos_ == len_ && !Refill();
}

void InputFile::ReadLine(std::string& line, std::size_t keep) { ReadPart(line, keep, false); }

// Where the part from pos_ stops in the buffer: at the first CR, LF or (with
// `atFormFeed`) form feed, or len_. Lines end in LF mostly, CR LF or a lone CR
// sometimes: the LF is found by memchr, once per line, then the others before it;
// in a buffer without a LF the search for one is not repeated for every line.
std::size_t InputFile::FindStop(bool atFormFeed) {
    const char* data = buffer_.data();
    if (nextLf_ == std::string::npos || nextLf_ < pos_) {
        const void* lf = std::memchr(data + pos_, '\n', len_ - pos_);
        nextLf_ = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : len_;
    }
    std::size_t stop = nextLf_;
    for (char end : {'\r', '\f'}) {
        if (end == '\f' && !atFormFeed) break;
        if (const void* found = std::memchr(data + pos_, end, stop - pos_))
            stop = static_cast<std::size_t>(static_cast<const char*>(found) - data);
    }
    return stop;
}

InputFile::PartEnd InputFile::ReadPart(std::string& part, std::size_t limit, bool atFormFeed) {
    SkipLfAfterCr();
    part.clear();
    PartEnd ended;
    while (pos_ < len_ || Refill()) {
        const char* begin = buffer_.data() + pos_;
        const char* end = buffer_.data() + len_;
        const char* stop = buffer_.data() + FindStop(atFormFeed);
        const std::size_t room = limit - std::min(limit, part.size());
        const char* kept = begin + std::min<std::size_t>(room, static_cast<std::size_t>(stop - begin));
        part.append(begin, kept);
        if (!ended.textDropped)
            ended.textDropped = std::find_if(kept, stop, [](char c) { return c != ' ' && c != '\t'; }) != stop;
        if (stop != end) {
            ended.formFeed = *stop == '\f';
            afterCr_ = *stop == '\r';
            pos_ = static_cast<std::size_t>(stop - buffer_.data()) + 1;
            return ended;
        }
        pos_ = len_;
    }
    return ended;
}

}  // namespace tabulizer
