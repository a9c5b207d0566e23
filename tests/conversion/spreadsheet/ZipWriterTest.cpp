// The zip archive deflated on several threads: the same bytes as on one, whatever
// the entries' sizes against the block, read back whole by an independent reader;
// and a write failure with blocks still in flight ends the archive, not the program.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "../../support/Command.h"
#include "../../support/Files.h"
#include "../../support/TempDir.h"
#include "common/Failure.h"
#include "conversion/spreadsheet/ZipWriter.h"

namespace tabulizer::sheet {
namespace {

struct Part {
    std::string name;
    std::string data;
    // Bytes reserved in front of the data, and what they are rewritten to before the
    // entry ends (a sheet's extent, known last).
    std::string reserved = {};
    std::string rewritten = {};
    std::string Read() const { return rewritten + data; }
};

std::string Noise(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string text(size, '\0');
    for (char& c : text) c = static_cast<char>(random());
    return text;
}

// Rows of a sheet: compressible, with repeats further apart than one block.
std::string Rows(std::size_t size) {
    std::string text;
    for (int row = 1; text.size() < size; ++row) text += "<row r=\"" + std::to_string(row) + "\"><c><v>" + std::to_string(row * 7 % 1000) + "</v></c></row>";
    text.resize(size);
    return text;
}

// Writes the parts, each in pieces of `piece` bytes, with `threads`; the archive's bytes.
std::string Archive(const std::filesystem::path& path, const std::vector<Part>& parts, int threads, std::size_t piece) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    {
        ZipWriter zip(file, threads);
        for (const Part& part : parts) {
            zip.Begin(part.name);
            if (!part.reserved.empty()) zip.Reserve(part.reserved);
            for (std::size_t at = 0; at < part.data.size(); at += piece) zip.Write(std::string_view(part.data).substr(at, piece));
            if (!part.reserved.empty()) zip.Rewrite(part.rewritten);
            zip.End();
        }
        zip.Finish();
    }
    std::fclose(file);
    return test::ReadFile(path);
}

TEST(ZipWriter, ManyThreadsWriteTheBytesOfOneAndEveryEntryReadsBackWhole) {
    const struct {
        const char* what;
        std::vector<Part> parts;
    } cases[] = {
        {"an empty entry", {{"empty.xml", ""}}},
        {"exactly one block", {{"a.xml", Rows(kDeflateBlock)}}},
        {"one byte past a block", {{"a.xml", Rows(kDeflateBlock + 1)}}},
        {"a short last block after a window's worth", {{"a.xml", Rows(2 * kDeflateBlock + kDeflateWindow / 2)}}},
        {"incompressible blocks", {{"noise.bin", Noise(3 * kDeflateBlock + 5, 1)}}},
        {"many small entries between large ones",
         {{"s1.xml", Rows(100)}, {"big.xml", Rows(5 * kDeflateBlock)}, {"s2.xml", ""}, {"s3.xml", Rows(3000)},
          {"noise.bin", Noise(kDeflateBlock + 7, 2)}, {"s4.xml", "<x/>"}}},
        // The local header of an entry written whole goes out complete; of a longer one
        // it is completed when the entry ends.
        {"reserved bytes rewritten, in entries of one block and of several",
         {{"one.xml", Rows(5000), "<dim ref=\"A1:XFD1048576\"/>", "<dim ref=\"A1:J60\"/>       "},
          {"several.xml", Rows(2 * kDeflateBlock + 9), "<dim ref=\"A1:XFD1\"/>", "<dim ref=\"B2:C9\"/>  "},
          {"empty.xml", "", "<d/>", "<e/>"}}},
    };
    test::TempDir temp("tabulizer-zip");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string one = Archive(temp.path() / "one.zip", c.parts, 1, 1000);
        for (int threads : {2, 3, 8}) {
            // Pieces that do not divide the block: the cuts follow the bytes, not the calls.
            EXPECT_EQ(Archive(temp.path() / "many.zip", c.parts, threads, 4099), one) << threads << " threads";
        }
        for (const Part& part : c.parts) {
            int status = -1;
            // Checksums, and every local header against the central directory.
            const std::string read = test::Capture(
                "'" TABULIZER_PYTHON "' -c 'import os, sys, zipfile; sys.path.insert(0, os.path.dirname(sys.argv[3])); "
                "import packagecheck; z = zipfile.ZipFile(sys.argv[1]); assert z.testzip() is None; "
                "packagecheck.check_headers(sys.argv[1], z); sys.stdout.buffer.write(z.read(sys.argv[2]))' '" +
                    (temp.path() / "many.zip").string() + "' '" + part.name + "' '" TABULIZER_PACKAGECHECK "'",
                status);
            EXPECT_EQ(status, 0) << part.name;
            EXPECT_TRUE(read == part.Read()) << part.name << ": " << read.size() << " bytes read of " << part.Read().size();
        }
    }
}

// The full device refuses the first write, with blocks of every thread waiting
// behind it: the failure comes back with its reason and the workers are stopped.
TEST(ZipWriter, AWriteFailureWithBlocksInFlightComesBackAndStopsTheWorkers) {
    for (int threads : {1, 4}) {
        SCOPED_TRACE(threads);
        std::FILE* file = std::fopen("/dev/full", "wb");
        ASSERT_NE(file, nullptr);
        std::setvbuf(file, nullptr, _IONBF, 0);
        try {
            ZipWriter zip(file, threads);
            zip.Begin("big.bin");
            for (int i = 0; i < 40; ++i) zip.Write(Noise(kDeflateBlock / 2, static_cast<unsigned>(i)));
            zip.End();
            zip.Finish();
            ADD_FAILURE() << "written";
        } catch (const Failure& f) {
            EXPECT_EQ(f.code(), kCannotWrite);
            EXPECT_EQ(f.detail(), "Нет места на устройстве");
        }
        std::fclose(file);
    }
}

}  // namespace
}  // namespace tabulizer::sheet
