#pragma once
// Checks on a written workbook as an archive: its central directory and every
// entry's local header agree, every entry inflates to its recorded size and
// checksum, and the XML parts hold no character XML forbids.
#include <zlib.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "DescriptionChecks.h"
#include "Files.h"

namespace tabulizer::fuzz {

inline std::uint32_t Le(std::string_view bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

inline bool Inflates(std::string_view packed, std::uint32_t size, std::uint32_t crc, std::string& out) {
    z_stream zs{};
    if (inflateInit2(&zs, -MAX_WBITS) != Z_OK) return false;
    out.assign(size, '\0');
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    zs.avail_in = static_cast<uInt>(packed.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = size;
    int status = inflate(&zs, Z_FINISH);
    bool whole = status == Z_STREAM_END && zs.total_out == size;
    inflateEnd(&zs);
    return whole && crc32(0, reinterpret_cast<const Bytef*>(out.data()), size) == crc;
}

inline void CheckXmlCharacters(const std::string& name, std::string_view xml, Problems& problems) {
    for (unsigned char c : xml)
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
            Expect(false, name + " holds the control character " + std::to_string(c), problems);
            return;
        }
}

inline void CheckWorkbookArchive(const std::string& path, Problems& problems) {
    const std::string bytes = ReadFile(path);
    constexpr std::size_t kEnd = 22;
    if (bytes.size() < kEnd || Le(bytes, bytes.size() - kEnd, 4) != 0x06054b50) {
        Expect(false, "the workbook has no end of central directory", problems);
        return;
    }
    const std::size_t end = bytes.size() - kEnd;
    const std::uint32_t count = Le(bytes, end + 10, 2), size = Le(bytes, end + 12, 4), start = Le(bytes, end + 16, 4);
    if (std::size_t(start) + size != end) return Expect(false, "the central directory is misplaced", problems);
    std::size_t at = start;
    std::string content;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (at + 46 > end || Le(bytes, at, 4) != 0x02014b50) return Expect(false, "a damaged central entry", problems);
        const std::uint32_t crc = Le(bytes, at + 16, 4), packed = Le(bytes, at + 20, 4), plain = Le(bytes, at + 24, 4);
        const std::uint32_t nameLength = Le(bytes, at + 28, 2), local = Le(bytes, at + 42, 4);
        const std::string name = bytes.substr(at + 46, nameLength);
        at += 46 + nameLength;
        const std::size_t data = std::size_t(local) + 30 + nameLength;
        if (data + packed > start || Le(bytes, local, 4) != 0x04034b50 || Le(bytes, local + 14, 4) != crc ||
            bytes.compare(local + 30, nameLength, name) != 0)
            return Expect(false, "the local header of " + name + " disagrees", problems);
        if (!Inflates(std::string_view(bytes).substr(data, packed), plain, crc, content))
            return Expect(false, name + " does not inflate to its size and checksum", problems);
        if (name.ends_with(".xml") || name.ends_with(".rels")) CheckXmlCharacters(name, content, problems);
    }
}

}  // namespace tabulizer::fuzz
