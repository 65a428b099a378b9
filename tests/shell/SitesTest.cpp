#include "shell/USites.h"

#include "core/DateTime.h"
#include "core/UGlobalFiles.h"
#include "engine/UGameMan.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string shortString(const std::string &Text, size_t Capacity, int LengthByte = -1)
{
    std::string s(1, static_cast<char>(LengthByte < 0 ? Text.size() : static_cast<size_t>(LengthByte)));
    return s + Text + std::string(Capacity - Text.size(), '\0');
}

std::string siteRecord(const std::string &Location, char Zipped, int DateFormatLength = -1)
{
    std::string r = shortString(Location, 255) + Zipped + "\x02\x03\x01";
    const double start = EncodeDate(1992, 1, 1);
    char date[8];
    std::memcpy(date, &start, 8);
    r.append(date, 8);
    return r + shortString("DMR", 3, DateFormatLength) + shortString(".", 3) + shortString(",", 3) + shortString(" ", 3);
}

// Header, count, records and the data files' CRC.
std::string siteFile(uint8_t GameId, int32_t Count, const std::string &Records)
{
    std::string f("\x03\x00\x00", 3);
    f += static_cast<char>(GameId);
    f += std::string("\x04\x00", 2);
    f.append(reinterpret_cast<const char *>(&Count), 4);
    f += Records;
    const uint32_t crc = StreamCRC(std::span(reinterpret_cast<const uint8_t *>(f.data()), f.size()), false);
    f.append(reinterpret_cast<const char *>(&crc), 4);
    return f;
}

// The format siteRecord writes.
const TDrawsFormat RecordFormat{2, 3, true, EncodeDate(1992, 1, 1), "DMR", ".", ",", " "};

struct SiteFolder {
    std::filesystem::path dir = testsupport::makeTempDir("sites-") / "Sites";
    TGameData game;
    SiteFolder()
    {
        game.Info.Id = 3;
        game.Info.ShortName = "Lotto";
        std::filesystem::create_directories(dir);
    }
    void write(const std::string &Bytes) const { std::ofstream(dir / "LottoSites", std::ios::binary) << Bytes; }
    std::string read() const
    {
        std::ifstream in(dir / "LottoSites", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

} // namespace

TEST(SiteMan, AHandBuiltListLoadsAndSavesToTheSameBytes)
{
    SiteFolder f;
    const std::string bytes = siteFile(3, 2, siteRecord("http://wyniki.example/lotto.zip", 1) +
                                                 siteRecord("http://inne.example/lotto.txt", 0));
    ASSERT_EQ(bytes.size(), 14u + 2 * 284u);
    f.write(bytes);
    TSiteMan sites(f.dir.string(), &f.game);
    sites.Load(false);
    ASSERT_EQ(sites.Count(), 2);
    TSiteRec rec;
    sites.GetSite(0, rec);
    EXPECT_EQ(rec.Location, "http://wyniki.example/lotto.zip");
    EXPECT_TRUE(rec.Zipped);
    EXPECT_TRUE(rec.Format == RecordFormat);
    ASSERT_TRUE(sites.Save());
    EXPECT_EQ(f.read(), bytes);

    sites.Load(true);
    EXPECT_EQ(sites.Count(), 1);
}

TEST(SiteMan, ForeignDamagedOrMisSizedFilesReadAsEmptyAndTextsAreCut)
{
    SiteFolder f;
    TSiteMan sites(f.dir.string(), &f.game);
    for (const std::string &bytes : {siteFile(4, 1, siteRecord("http://a/", 0)),                 // another game
                                     siteFile(3, 2, siteRecord("http://a/", 0)),                 // count too high
                                     siteFile(3, 1, siteRecord("http://a/", 0) + "x"),           // a stray byte
                                     siteFile(3, 1, siteRecord("http://a/", 0)).substr(1)}) {    // no header
        f.write(bytes);
        sites.Load(false);
        EXPECT_EQ(sites.Count(), 0);
    }
    f.write(siteFile(3, 1, siteRecord("http://a/", 0, 200)));
    sites.Load(false);
    ASSERT_EQ(sites.Count(), 1);
    TSiteRec rec;
    sites.GetSite(0, rec);
    EXPECT_TRUE(rec.Format == RecordFormat) << "the date order cut at its field's three characters";
}

TEST(SiteMan, AddingRefusesCaseTwinsSetsZippedAndAnEmptyListDeletesItsFile)
{
    SiteFolder f;
    std::filesystem::remove_all(f.dir);
    TSiteMan sites(f.dir.string(), &f.game);
    TSiteRec rec;
    rec.Location = "  http://a.example/LOTTO.ZIP ";
    EXPECT_TRUE(sites.AddSite(rec));
    rec.Location = "HTTP://A.EXAMPLE/lotto.zip";
    EXPECT_FALSE(sites.AddSite(rec));
    rec.Location = "http://b.example/lotto.zip?dzien=1";
    EXPECT_TRUE(sites.AddSite(rec, 0));
    ASSERT_EQ(sites.Count(), 2);
    sites.GetSite(0, rec);
    EXPECT_TRUE(rec.Zipped);
    sites.GetSite(1, rec);
    EXPECT_EQ(rec.Location, "http://a.example/LOTTO.ZIP");
    EXPECT_FALSE(rec.Zipped);

    ASSERT_TRUE(sites.Save()); // creates the folder
    EXPECT_EQ(f.read().size(), 14u + 2 * 284u);
    sites.Clear();
    ASSERT_TRUE(sites.Save());
    EXPECT_FALSE(std::filesystem::exists(f.dir / "LottoSites"));

    std::ofstream(f.dir / "blocker") << "x";
    TSiteMan blocked((f.dir / "blocker").string(), &f.game);
    EXPECT_TRUE(blocked.AddSite(rec));
    EXPECT_FALSE(blocked.Save());
}
