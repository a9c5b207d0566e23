#pragma once
// The input document as a source of text lines, read through a large buffer so
// that a long report costs one system call per 64 KiB, not one per line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tabulizer {

class InputFile {
public:
    // Opens the file for reading. Failure 53 when it does not exist, 75 when it is
    // a directory or cannot be opened for reading.
    explicit InputFile(const std::string& utf8Path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // True when no further line can be read. A line end that closes the file
    // does not open an empty line after it. Failure 57 on a read error.
    bool AtEnd();
    // The next line without its line end (CR LF, LF or a lone CR). Bytes are
    // taken as they are, NUL included. Call only when AtEnd() is false. Of a line
    // longer than `keep` bytes only its first `keep` are kept; the rest is skipped
    // without being held, so one endless line costs no more memory than `keep`.
    void ReadLine(std::string& line, std::size_t keep = std::string::npos);

    // How a part of a line ended, and whether bytes past the kept ones were more
    // than blanks (spaces and tabs).
    struct PartEnd {
        bool formFeed = false;  // at a form feed, taken; otherwise at the line's end
        bool textDropped = false;
    };
    // The line read on up to its end or, with `atFormFeed`, its next form feed:
    // `part` keeps the first `limit` bytes and the rest is passed over, so that a
    // line of any length costs no more than `limit` bytes.
    PartEnd ReadPart(std::string& part, std::size_t limit, bool atFormFeed);

    // How far reading has come: the bytes read from the file, and its size when
    // opened (for a progress bar; a file that grows meanwhile may pass it).
    std::uint64_t BytesRead() const { return bytesRead_; }
    std::uint64_t Size() const { return size_; }

private:
    bool Refill();
    void SkipLfAfterCr();
    std::size_t FindStop(bool atFormFeed);

    int fd_ = -1;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    // Where the buffer's next LF stands, len_ when it holds none after pos_; npos
    // when not looked for since the buffer was filled.
    std::size_t nextLf_ = std::string::npos;
    bool endOfFile_ = false;
    bool afterCr_ = false;
    std::uint64_t bytesRead_ = 0;
    std::uint64_t size_ = 0;  // the last line ended at CR: a following LF belongs to it
};

}  // namespace tabulizer
