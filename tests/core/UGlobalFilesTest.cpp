#include "core/UGlobalFiles.h"

#include "platform/AtomicFile.h"
#include "tests/support/ReferenceMath.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>

namespace fs = std::filesystem;
using platform::ByteReader;
using platform::ByteWriter;

namespace {

void appendLE32(std::vector<uint8_t> &bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void writeBytes(const fs::path &file, const std::vector<uint8_t> &bytes)
{
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void touch(const fs::path &file)
{
    std::ofstream(file) << "x";
}

std::string folderOf(const fs::path &dir)
{
    return dir.string() + "/";
}

// A filter-set file: header, block saved at 1.5 (31 Dec 1899, noon), title "Łódź", comment "ab",
// a filter count of zero, checksum.
std::vector<uint8_t> handBuiltFilterSet()
{
    std::vector<uint8_t> bytes = {0x03, 0x00, 0x00, 0x00, 0x05, 0x00};
    const std::vector<uint8_t> date = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F};
    bytes.insert(bytes.end(), date.begin(), date.end());
    const std::vector<uint8_t> title = {0xA3, 0xF3, 0x64, 0x9F};
    bytes.insert(bytes.end(), title.begin(), title.end());
    bytes.insert(bytes.end(), 256 - title.size(), 0x00);
    appendLE32(bytes, 2);
    bytes.push_back('a');
    bytes.push_back('b');
    appendLE32(bytes, 0);
    appendLE32(bytes, testsupport::bitwiseCRC(bytes));
    return bytes;
}

} // namespace

TEST(DataFileFrame, WritesHeaderBlockAndTrailerByteForByte)
{
    ByteWriter out;
    writeFileHeader(out, TFileHeader{.GameId = 0, .FileKind = fkFilterSet, .SubKind = 0});
    writeFileInfo(out, TFileInfo{.Date = 1.5, .Title = "Łódź", .Comment = "ab"});
    out.put(uint32_t(0));
    AppendStreamCRC(out);
    EXPECT_EQ(out.bytes(), handBuiltFilterSet());
    EXPECT_EQ(out.size(), FileHeaderSize + InfoBlockSize + 2 + 4 + CRCSize);
}

TEST(DataFileFrame, ReadsHeaderAndBlockBack)
{
    const std::vector<uint8_t> bytes = handBuiltFilterSet();
    ByteReader in(bytes);
    TFileHeader header;
    TFileInfo info;
    ASSERT_TRUE(readFileHeader(in, header));
    ASSERT_TRUE(readFileInfo(in, info));
    EXPECT_EQ(header.Ver, (std::array<uint8_t, 3>{3, 0, 0}));
    EXPECT_EQ(header.GameId, 0);
    EXPECT_EQ(header.FileKind, fkFilterSet);
    EXPECT_EQ(header.SubKind, 0);
    EXPECT_EQ(info.Date, 1.5);
    EXPECT_EQ(info.Title, "Łódź");
    EXPECT_EQ(info.Comment, "ab");
    EXPECT_EQ(in.position(), FileHeaderSize + InfoBlockSize + 2);
    EXPECT_TRUE(hasValidCRC(bytes));
}

TEST(DataFileFrame, ShortOrCutDataIsRefused)
{
    std::vector<uint8_t> bytes = handBuiltFilterSet();
    bytes.resize(FileHeaderSize + InfoBlockSize + 1); // one comment byte of two
    ByteReader in(bytes);
    TFileHeader header;
    TFileInfo info{.Date = 9, .Title = "kept", .Comment = "kept"};
    ASSERT_TRUE(readFileHeader(in, header));
    EXPECT_FALSE(readFileInfo(in, info));
    EXPECT_EQ(info.Title, "kept");

    const std::vector<uint8_t> five = {3, 0, 0, 1, 0};
    ByteReader shortIn(five);
    TFileHeader untouched{.GameId = 9};
    EXPECT_FALSE(readFileHeader(shortIn, untouched));
    EXPECT_EQ(untouched.GameId, 9);
}

TEST(DataFileFrame, TitleIsCutTo255Characters)
{
    ByteWriter out;
    writeFileInfo(out, TFileInfo{.Date = 0, .Title = std::string(300, 'T'), .Comment = ""});
    ASSERT_EQ(out.size(), InfoBlockSize);
    EXPECT_EQ(out.bytes()[8 + 254], 'T');
    EXPECT_EQ(out.bytes()[8 + 255], 0);
    ByteReader in(out.bytes());
    TFileInfo info;
    ASSERT_TRUE(readFileInfo(in, info));
    EXPECT_EQ(info.Title, std::string(255, 'T'));
    EXPECT_TRUE(info.Comment.empty());
}

TEST(DataFileFrame, VersionCheckIgnoresTheReleaseByte)
{
    EXPECT_TRUE(IsCurrentVersion(std::vector<uint8_t>{0x03, 0x00, 0x07, 0x01, 0x00, 0x00}));
    EXPECT_TRUE(IsCurrentVersion(std::vector<uint8_t>{0x03, 0x00}));
    EXPECT_FALSE(IsCurrentVersion(std::vector<uint8_t>{0x03, 0x01, 0x00}));
    EXPECT_FALSE(IsCurrentVersion(std::vector<uint8_t>{0x02, 0x00, 0x00}));
    EXPECT_FALSE(IsCurrentVersion(std::vector<uint8_t>{0x03}));
}

TEST(CheckFileCRC, AcceptsAWholeFileAndNothingElse)
{
    const fs::path dir = testsupport::makeTempDir("files-");
    const std::vector<uint8_t> good = handBuiltFilterSet();
    writeBytes(dir / "good.dat", good);
    EXPECT_TRUE(CheckFileCRC((dir / "good.dat").string()));

    for (size_t i = 0; i < good.size(); ++i) {
        std::vector<uint8_t> flipped = good;
        flipped[i] ^= 0x01;
        writeBytes(dir / "flipped.dat", flipped);
        EXPECT_FALSE(CheckFileCRC((dir / "flipped.dat").string())) << "byte " << i;
    }

    // Four bytes FF FF FF FF are the checksum of nothing, yet too short to be a file.
    for (size_t size = 0; size <= 4; ++size) {
        writeBytes(dir / "short.dat", std::vector<uint8_t>(size, 0xFF));
        EXPECT_FALSE(CheckFileCRC((dir / "short.dat").string())) << size;
    }
    std::vector<uint8_t> smallest = {0x42};
    appendLE32(smallest, testsupport::bitwiseCRC({0x42}));
    writeBytes(dir / "five.dat", smallest);
    EXPECT_TRUE(CheckFileCRC((dir / "five.dat").string()));

    EXPECT_FALSE(CheckFileCRC((dir / "missing.dat").string()));
    EXPECT_FALSE(CheckFileCRC(dir.string()));
}

TEST(CheckFileCRC, StreamChecksums)
{
    const std::vector<uint8_t> bytes = {'a', 'b', 'c', 1, 2, 3, 4};
    EXPECT_EQ(StreamCRC(bytes, true), 0xB7051F63u);
    EXPECT_EQ(StreamCRC(bytes, false), testsupport::bitwiseCRC(bytes));
    EXPECT_EQ(StreamCRC(std::vector<uint8_t>{1, 2, 3}, true), 0xFFFFFFFFu);
}

TEST(CheckFileCRC, WrittenFilesPassTheCheck)
{
    const fs::path dir = testsupport::makeTempDir("files-");
    ByteWriter out;
    writeFileHeader(out, TFileHeader{.GameId = 12, .FileKind = fkSystem, .SubKind = 7});
    writeFileInfo(out, TFileInfo{.Date = 45000.25, .Title = "System", .Comment = "Zażółć\ngęślą"});
    out.putFill(1000, 0xEE);
    AppendStreamCRC(out);
    const std::string name = NextFileName(folderOf(dir));
    ASSERT_TRUE(platform::writeFileAtomically(name, out.bytes()));
    EXPECT_TRUE(CheckFileCRC(name));

    TDynByteArr read;
    ASSERT_TRUE(readFileBytes(name, read));
    ByteReader in(read);
    TFileHeader header;
    TFileInfo info;
    ASSERT_TRUE(readFileHeader(in, header) && readFileInfo(in, info));
    EXPECT_EQ(header.GameId, 12);
    EXPECT_EQ(header.SubKind, 7);
    EXPECT_EQ(info.Comment, "Zażółć\ngęślą");
    EXPECT_EQ(read[FileHeaderSize + 264], 12); // the comment's length in Windows-1250 bytes
}

TEST(NextFileName, TakesTheNumberAfterTheLargest)
{
    const fs::path dir = testsupport::makeTempDir("files-");
    EXPECT_EQ(NextFileName(folderOf(dir)), folderOf(dir) + "L1.dat");
    EXPECT_EQ(NextFileName(dir.string()), folderOf(dir) + "L1.dat");

    touch(dir / "L3.dat");
    touch(dir / "L10.dat");
    touch(dir / "notes.txt");
    EXPECT_EQ(NextFileName(folderOf(dir)), folderOf(dir) + "L11.dat");

    // Any name of the shape counts; names that do not convert, directories and temporary files do not.
    touch(dir / "X25.abc");
    touch(dir / "Labc.dat");
    touch(dir / "L-40.dat");
    touch(dir / "L99999999999999999999.dat");
    touch(dir / ".L500.dat.77-0.korvantile-tmp");
    touch(dir / ".L400.dat");
    fs::create_directory(dir / "L300.dat");
    EXPECT_EQ(NextFileName(folderOf(dir)), folderOf(dir) + "L26.dat");
}

TEST(NextFileName, FillsNoGaps)
{
    const fs::path dir = testsupport::makeTempDir("files-");
    touch(dir / "L1.dat");
    touch(dir / "L7.dat");
    EXPECT_EQ(NextFileName(folderOf(dir)), folderOf(dir) + "L8.dat");
}

TEST(NextFileName, CreatesAMissingFolderOrGivesUp)
{
    const fs::path dir = testsupport::makeTempDir("files-");
    const std::string nested = folderOf(dir) + "Data/History/";
    EXPECT_EQ(NextFileName(nested), nested + "L1.dat");
    EXPECT_TRUE(fs::is_directory(nested));

    touch(dir / "plain");
    EXPECT_EQ(NextFileName(folderOf(dir) + "plain/Data/"), "");
}

TEST(NextFileName, NoNumberAfterTheLargestPossible)
{
    const fs::path dir = testsupport::makeTempDir("files-");
    touch(dir / ("L" + std::to_string(std::numeric_limits<int64_t>::max()) + ".dat"));
    EXPECT_EQ(NextFileName(folderOf(dir)), "");
}

TEST(ListFiles, SortedRegularFilesMatchingTheMask)
{
    const fs::path dir = testsupport::makeTempDir("files-");
    for (const char *name : {"L2.dat", "b.txt", "a.DAT", "README", "L10.dat", "l7.Dat", ".hidden.dat",
                             ".L9.dat.12-3.korvantile-tmp"})
        touch(dir / name);
    fs::create_directory(dir / "L5.dat");

    TStrArray list = {"stale"};
    ListFiles(folderOf(dir) + "*.*", list);
    EXPECT_EQ(list, (TStrArray{".hidden.dat", "a.DAT", "b.txt", "L10.dat", "L2.dat", "l7.Dat", "README"}));

    ListFiles(folderOf(dir) + "L*.dat", list);
    EXPECT_EQ(list, (TStrArray{"L10.dat", "L2.dat", "l7.Dat"}));
    ListFiles(folderOf(dir) + "?2.*", list);
    EXPECT_EQ(list, (TStrArray{"L2.dat"}));
    ListFiles(folderOf(dir) + "*.dat", list);
    EXPECT_EQ(list, (TStrArray{".hidden.dat", "a.DAT", "L10.dat", "L2.dat", "l7.Dat"}));
    ListFiles(folderOf(dir) + "README", list);
    EXPECT_EQ(list, (TStrArray{"README"}));

    ListFiles(folderOf(dir) + "missing/*.*", list);
    EXPECT_TRUE(list.empty());
    list = {"stale"};
    ListFiles(folderOf(dir), list);
    EXPECT_TRUE(list.empty());
}

TEST(GetFirstFile, FirstOrdinaryFileOfTheFolder)
{
    const fs::path dir = testsupport::makeTempDir("files-");
    EXPECT_EQ(GetFirstFile(folderOf(dir)), "");
    fs::create_directory(dir / "a-folder");
    touch(dir / ".hidden");
    touch(dir / ".x.korvantile-tmp");
    EXPECT_EQ(GetFirstFile(folderOf(dir)), "");
    touch(dir / "results.txt");
    touch(dir / "Archive.csv");
    EXPECT_EQ(GetFirstFile(dir.string()), folderOf(dir) + "Archive.csv");
    EXPECT_EQ(GetFirstFile(folderOf(dir) + "missing"), "");
}

TEST(OpenFileStream, AnswersNullInsteadOfFailing)
{
    const fs::path dir = testsupport::makeTempDir("files-");
    const std::string name = (dir / "SetCombs.dat").string();
    EXPECT_EQ(OpenFileStream(name, std::ios::in), nullptr);
    EXPECT_EQ(OpenFileStream(name, std::ios::in | std::ios::out), nullptr);
    EXPECT_EQ(OpenFileStream(folderOf(dir) + "missing/x.dat", std::ios::out | std::ios::trunc), nullptr);

    auto created = OpenFileStream(name, std::ios::in | std::ios::out | std::ios::trunc);
    ASSERT_NE(created, nullptr);
    created->write("\x03\x00\x00", 3);
    created.reset();

    auto opened = OpenFileStream(name, std::ios::in);
    ASSERT_NE(opened, nullptr);
    char bytes[4] = {};
    opened->read(bytes, 4);
    EXPECT_EQ(opened->gcount(), 3);
    EXPECT_EQ(bytes[0], 3);
}
