#include "output/VCLUnZip.h"

#include "output/kpMatch.h"
#include "tests/output/OutputTestSupport.h"
#include "tests/output/ZipTestSupport.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;
using namespace testsupport;

namespace {

struct Extraction {
    fs::path dir = makeTempDir("unzip-");
    TVCLUnZip unzip;

    Extraction()
    {
        unzip.DestDir = (dir / "out").string();
        unzip.DoAll = true;
        unzip.RecreateDirs = true;
        unzip.OverwriteMode = TUZOverwriteMode::Always;
    }

    int run(const std::string &Archive, const std::string &Name = "a.zip")
    {
        writeFile(dir / Name, Archive);
        unzip.SetZipName((dir / Name).string());
        return unzip.UnZip();
    }

    std::string out(const std::string &Name) const { return readFile(dir / "out" / Name); }
    bool has(const std::string &Name) const { return fs::exists(fs::symlink_status(dir / "out" / Name)); }
};

// A deflate stream of a stored block whose length and complement disagree, then a fixed block.
const std::string BrokenStoredBlock("\x00\x05\x00\x00\x00hello", 10);
// A dynamic block declaring 287 literal/length codes (HLIT 30).
const std::string TooManyCodes("\x05\x1e\x00\x00", 4);

} // namespace

TEST(VCLUnZip, StoredAndDeflatedMembersWithOemAndUtf8NamesListInEveryOrder)
{
    const std::string text = sampleText(300);
    ZipEntry oem = deflatedEntry("\x9D\xA2\x64\xAB.txt", text);                       // "Łódź.txt" in 852
    ZipEntry utf8 = storedEntry("Kraków/b.txt", "12345");
    utf8.Flags = 0x0800;
    utf8.Name = "Krak\xC3\xB3w\\b.txt";
    ZipEntry early = storedEntry("C.TXT", "");
    early.Date = 0x2821; // 1.1.2000
    Extraction x;
    ASSERT_EQ(x.run(buildZip({oem, utf8, early})), 3);
    EXPECT_EQ(x.out("Łódź.txt"), text);
    EXPECT_EQ(x.out("Kraków/b.txt"), "12345");
    EXPECT_TRUE(x.has("C.TXT"));

    const auto names = [&](TZipSortMode Mode) {
        x.unzip.SetSortMode(Mode);
        std::string s;
        for (int i = 0; i < x.unzip.Count(); ++i)
            s += x.unzip.Member(i).Directory + x.unzip.Member(i).FileName + "|";
        return s;
    };
    EXPECT_EQ(names(TZipSortMode::ByNone), "Łódź.txt|Kraków/b.txt|C.TXT|");
    EXPECT_EQ(names(TZipSortMode::ByFileName), "Kraków/b.txt|C.TXT|Łódź.txt|");
    EXPECT_EQ(names(TZipSortMode::ByName), "C.TXT|Kraków/b.txt|Łódź.txt|");
    EXPECT_EQ(names(TZipSortMode::ByDirectoryName), "Łódź.txt|C.TXT|Kraków/b.txt|");
    EXPECT_EQ(names(TZipSortMode::ByDate), "C.TXT|Łódź.txt|Kraków/b.txt|");
    EXPECT_EQ(names(TZipSortMode::ByCompressedSize), "C.TXT|Kraków/b.txt|Łódź.txt|");
    EXPECT_EQ(names(TZipSortMode::ByUnCompressedSize), "C.TXT|Kraków/b.txt|Łódź.txt|");
    EXPECT_EQ(names(TZipSortMode::ByRate), "C.TXT|Łódź.txt|Kraków/b.txt|"); // 0, under 100, 100
}

TEST(VCLUnZip, AFolderEntryAndItsFileGiveTwoAndWithoutRecreateDirsOnlyTheFile)
{
    const std::vector<ZipEntry> entries{storedEntry("dir/", ""), storedEntry("dir/f.txt", "x")};
    Extraction x;
    EXPECT_EQ(x.run(buildZip(entries)), 2);
    EXPECT_EQ(x.out("dir/f.txt"), "x");

    Extraction flat;
    flat.unzip.RecreateDirs = false;
    EXPECT_EQ(flat.run(buildZip(entries)), 1);
    EXPECT_EQ(flat.out("f.txt"), "x");
    EXPECT_FALSE(flat.has("dir"));
}

TEST(VCLUnZip, BadMembersAreSkippedSilentlyAndTheOthersExtracted)
{
    ZipEntry badCrc = storedEntry("crc.txt", "data");
    badCrc.Crc ^= 1;
    ZipEntry method9 = storedEntry("m9.txt", "data");
    method9.Method = 9;
    ZipEntry encrypted = storedEntry("secret.txt", std::string(12, 'k') + "data");
    encrypted.Flags = 1;
    const ZipEntry broken = packedEntry("broken.txt", "hello", 8, BrokenStoredBlock);
    const ZipEntry tooMany = packedEntry("many.txt", "hello", 8, TooManyCodes + std::string(40, '\x55'));
    Extraction x;
    EXPECT_EQ(x.run(buildZip({badCrc, method9, encrypted, broken, tooMany, storedEntry("good.txt", "ok")})), 1);
    for (const char *name : {"crc.txt", "m9.txt", "secret.txt", "broken.txt", "many.txt"})
        EXPECT_FALSE(x.has(name)) << name;
    EXPECT_EQ(x.out("good.txt"), "ok");

    Extraction one;
    EXPECT_EQ(one.run(buildZip({badCrc})), 0);
}

TEST(VCLUnZip, TraditionalEncryptionOfDebiansZipOpensWithThePassword)
{
    const fs::path dir = makeTempDir("zipcrypt-");
    writeFile(dir / "plain.txt", "not secret");
    writeFile(dir / "secret.txt", sampleText(20));
    ASSERT_EQ(std::system(("cd '" + dir.string() + "' && zip -q -P tajne enc.zip secret.txt && zip -q plain.zip plain.txt").c_str()), 0);
    Extraction x;
    x.unzip.Password = "tajne";
    EXPECT_EQ(x.run(readFile(dir / "enc.zip")), 1);
    EXPECT_EQ(x.out("secret.txt"), sampleText(20));

    Extraction wrong;
    wrong.unzip.Password = "inne";
    EXPECT_EQ(wrong.run(readFile(dir / "enc.zip")), 0);
    EXPECT_FALSE(wrong.has("secret.txt"));
}

TEST(VCLUnZip, OutOfRangeDosTimesAreRepaired)
{
    const auto text = [](const TZipDateTime &T) {
        return std::to_string(T.Year) + "-" + std::to_string(T.Month) + "-" + std::to_string(T.Day) + " " +
               std::to_string(T.Hour) + ":" + std::to_string(T.Minute) + ":" + std::to_string(T.Second);
    };
    EXPECT_EQ(text(RepairDosDateTime(0xFFE0, 0xFFFF)), "2099-12-1 23:59:59"); // 2107-15-0 31:63:62
    EXPECT_EQ(text(RepairDosDateTime(0x4E01, 0)), "2019-1-1 0:0:0");          // month 0

    ZipEntry late = storedEntry("late.txt", "x");
    late.Time = (31 << 11) | (30 << 5);
    Extraction x;
    ASSERT_EQ(x.run(buildZip({late})), 1);
    struct stat st {};
    ASSERT_EQ(::stat((x.dir / "out" / "late.txt").c_str(), &st), 0);
    std::tm local{};
    localtime_r(&st.st_mtime, &local);
    EXPECT_EQ(local.tm_hour, 23);
    EXPECT_EQ(local.tm_min, 30);
    EXPECT_EQ(local.tm_mday, 12);
}

TEST(VCLUnZip, AStubInFrontIsReadThroughTheScan)
{
    Extraction x;
    EXPECT_EQ(x.run(buildZip({deflatedEntry("a.txt", "abcabcabc"), storedEntry("b.txt", "b")},
                             std::string(1000, 'M'), false)),
              2);
    EXPECT_EQ(x.out("a.txt"), "abcabcabc");
    EXPECT_EQ(x.out("b.txt"), "b");
}

TEST(VCLUnZip, ArchivesThatAreNoZipThrow)
{
    Extraction x;
    EXPECT_THROW(x.run("PK\x05\x06"), EIncompleteZip);
    EXPECT_THROW(x.run(sampleText(10)), EIncompleteZip);
    // An end record naming one entry at offset 0, where there is neither a directory nor a local header.
    const std::string noMembers = std::string(100, 'x') + std::string("PK\x05\x06\0\0\0\0\x01\0\x01\0", 12) +
                                  std::string(10, '\0');
    EXPECT_THROW(x.run(noMembers), EBadZipFile);

    ZipEntry bigger = storedEntry("big.txt", "12345");
    bigger.Size = 3;
    EXPECT_THROW(x.run(buildZip({bigger})), EBiggerThanUncompressed);
    // The directory claims 5000 bytes of data where the file holds 5.
    std::string truncated = buildZip({storedEntry("cut.txt", "12345")});
    const size_t central = 30 + 7 + 5;
    truncated[central + 21] = truncated[central + 25] = '\x13';
    truncated[central + 20] = truncated[central + 24] = '\x88';
    EXPECT_THROW(x.run(truncated), EFatalUnzipError);
}

TEST(VCLUnZip, ANumberedSetIsReadAcrossItsPartsAndAMissingPartCancels)
{
    // One member whose data run from part 1 into part 2, which holds the directory and the end record.
    const std::string text = sampleText(50);
    ZipEntry e = deflatedEntry("draws.txt", text);
    std::string whole = buildZip({e});
    const size_t split = 30 + e.Name.size() + e.Packed.size() / 2;
    std::string part2 = whole.substr(split);
    const size_t centralAt = part2.size() - 22 - 46 - e.Name.size();
    const size_t end = part2.size() - 22;
    part2[end + 4] = 1;                                     // this is disk 1
    part2[end + 6] = 1;                                     // where the directory starts
    const uint32_t centralOffset = static_cast<uint32_t>(centralAt);
    for (int i = 0; i < 4; ++i)
        part2[end + 16 + static_cast<size_t>(i)] = static_cast<char>(centralOffset >> (8 * i));

    Extraction x;
    writeFile(x.dir / "set.001", whole.substr(0, split));
    EXPECT_EQ(x.run(part2, "set.002"), 1);
    EXPECT_EQ(x.out("draws.txt"), text);

    Extraction missing;
    EXPECT_THROW(missing.run(part2, "set.002"), EUserCanceled);
}

TEST(VCLUnZip, NothingIsWrittenOutsideTheDestinationOrThroughALink)
{
    Extraction x;
    const fs::path outside = x.dir / "outside";
    fs::create_directories(outside);
    fs::create_directories(x.dir / "out");
    fs::create_directory_symlink(outside, x.dir / "out" / "link");
    writeFile(outside / "kept.txt", "mine");
    fs::create_symlink(outside / "kept.txt", x.dir / "out" / "victim.txt");

    const int count = x.run(buildZip({storedEntry("../escape.txt", "bad"), storedEntry("a/../../up.txt", "bad"),
                                      storedEntry("link/in.txt", "bad"), storedEntry("/abs/root.txt", "ok"),
                                      storedEntry("C:\\win\\drive.txt", "ok"), storedEntry("victim.txt", "new")}));
    EXPECT_EQ(count, 3);
    EXPECT_FALSE(fs::exists(x.dir / "escape.txt"));
    EXPECT_FALSE(fs::exists(x.dir / "up.txt"));
    EXPECT_FALSE(fs::exists(outside / "in.txt"));
    EXPECT_EQ(x.out("abs/root.txt"), "ok");
    EXPECT_EQ(x.out("win/drive.txt"), "ok");
    EXPECT_EQ(readFile(outside / "kept.txt"), "mine");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(x.dir / "out" / "victim.txt")));
    EXPECT_EQ(x.out("victim.txt"), "new");

    Extraction never;
    never.unzip.OverwriteMode = TUZOverwriteMode::Never;
    fs::create_directories(never.dir / "out");
    writeFile(never.dir / "out" / "old.txt", "old");
    EXPECT_EQ(never.run(buildZip({storedEntry("old.txt", "new"), storedEntry("new.txt", "new")})), 1);
    EXPECT_EQ(never.out("old.txt"), "old");
}

TEST(VCLUnZip, OutputStopsAt64MiBPerArchive)
{
    const std::string big(40 << 20, '\0'), more(30 << 20, '\0');
    Extraction x;
    EXPECT_EQ(x.run(buildZip({deflatedEntry("a.bin", big), deflatedEntry("b.bin", more), storedEntry("c.txt", "c")})), 2);
    EXPECT_EQ(fs::file_size(x.dir / "out" / "a.bin"), big.size());
    EXPECT_FALSE(x.has("b.bin"));
    EXPECT_EQ(x.out("c.txt"), "c");
}

TEST(VCLUnZip, FilesListPicksMembersByWildcards)
{
    EXPECT_TRUE(kpMatch("*.TXT", "draws.txt"));
    EXPECT_TRUE(kpMatch("lotto<0-9>.t?t", "Lotto7.txt"));
    EXPECT_FALSE(kpMatch("lotto<0-9>.txt", "lottox.txt"));
    EXPECT_TRUE(kpMatch("<^a-c>*", "draws"));
    EXPECT_FALSE(kpMatch("<!a-d>*", "draws"));
    EXPECT_FALSE(kpMatch("a*b", "acbx"));
    EXPECT_FALSE(kpMatch("<ab", "a"));

    Extraction x;
    x.unzip.DoAll = false;
    x.unzip.FilesList = {"*.csv", "sub/keep?.txt"};
    EXPECT_EQ(x.run(buildZip({storedEntry("a.csv", "1"), storedEntry("b.txt", "2"), storedEntry("sub/keep1.txt", "3"),
                              storedEntry("keep2.txt", "4")})),
              2);
    EXPECT_TRUE(x.has("a.csv"));
    EXPECT_TRUE(x.has("sub/keep1.txt"));
    EXPECT_FALSE(x.has("b.txt"));
    EXPECT_FALSE(x.has("keep2.txt"));
}

TEST(VCLUnZip, OldMethodsDecodeAsDebiansUnzipDoes)
{
    // The history's first 100000 bytes fill the shrink table and clear it partially.
    const std::string text = readFile(HistoryFile()).substr(0, 100000);
    const std::string small = sampleText(400);
    // A reduced member whose first copy reaches before the start: 256 empty follower sets, then 144,
    // V = 1 (length 4), distance 3.
    const std::string zeros(4, '\0');
    std::vector<ZipEntry> entries{packedEntry("shrunk.txt", text, 1, shrink(text)),
                                  packedEntry("zeros.txt", zeros + "A", 2, std::string(192, '\0') + "\x90\x01\x02" "A")};
    std::vector<std::string> contents{text, zeros + "A"};
    for (int factor = 1; factor <= 4; ++factor)
        entries.push_back(packedEntry("reduced" + std::to_string(factor) + ".txt", small,
                                      static_cast<uint16_t>(factor + 1), reduce(small, factor)));
    for (uint16_t flags : {0, 2, 4, 6})
        entries.push_back(
            packedEntry("imploded" + std::to_string(flags) + ".txt", small, 6, implode(small, flags), flags));
    contents.resize(entries.size(), small);

    Extraction x;
    ASSERT_EQ(x.run(buildZip(entries)), static_cast<int>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i)
        EXPECT_TRUE(x.out(entries[i].Name) == contents[i]) << entries[i].Name;

    const std::string archive = (x.dir / "a.zip").string();
    EXPECT_TRUE(unzipMember(archive, "shrunk.txt") == text);
    for (int flags : {0, 2, 4, 6})
        EXPECT_EQ(unzipMember(archive, "imploded" + std::to_string(flags) + ".txt"), small) << flags;
}
