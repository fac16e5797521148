#include "core/skinfile/byte_order.h"
#include "core/skinfile/skin_archive_writer.h"
#include "core/skinfile/skin_reader.h"
#include "core/skinfile/skin_store.h"
#include "core/skinfile/skinfile_error.h"

#include "test_data.h"

#include <gtest/gtest.h>

#include <cstring>

namespace orvo {
namespace {

using test::Bytes;

std::vector<std::uint8_t> SampleArchive(std::int32_t version = SkinArchiveVersion) {
    TSkinArchiveWriter w;
    w.Add("Buttons.bmp", Bytes("BM-buttons"));
    w.Add("CheckBox.bmp", Bytes("BM-check"));
    w.Add("Empty.bmp", {});
    w.Add("Default.INI", Bytes("[Buttons]\r\nBitmap=Buttons.bmp\r\n"));
    return w.Build(version);
}

// An archive laid out by hand: header, filler, name list text, sizes, data.
std::vector<std::uint8_t> RawArchive(std::int32_t version, const std::string& filler,
                                     const std::string& names, const std::vector<std::uint32_t>& sizes,
                                     const std::string& data) {
    std::vector<std::uint8_t> a;
    AppendLE32(a, static_cast<std::uint32_t>(version));
    AppendLE32(a, static_cast<std::uint32_t>(names.size()));
    AppendLE32(a, 0xDEADBEEF); // reserved words hold anything
    AppendLE32(a, 0x12345678);
    a.insert(a.end(), filler.begin(), filler.end());
    a.insert(a.end(), names.begin(), names.end());
    for (const auto s : sizes)
        AppendLE32(a, s);
    a.insert(a.end(), data.begin(), data.end());
    return a;
}

TSkinReader Loaded(std::vector<std::uint8_t> archive) {
    TSkinReader r;
    const TSkinLoadResult result = r.LoadArchive(std::move(archive));
    EXPECT_TRUE(result) << result.Message;
    return r;
}

TEST(SkinReader, ReadsEveryVersionPastItsFiller) {
    const std::pair<std::int32_t, std::size_t> versions[] = {{20000, 0},  {30000, 256}, {40000, 80},
                                                             {50000, 48}, {60000, 117}, {70000, 69}};
    for (const auto& [version, filler] : versions) {
        SCOPED_TRACE(version);
        // The filler holds text that would read as names if it were not skipped exactly.
        std::string junk;
        while (junk.size() < filler)
            junk += "x.bmp\r\n";
        junk.resize(filler);
        TSkinReader r = Loaded(RawArchive(version, junk, "a.bmp\r\nb.ini\r\n", {2, 3}, "aabbb"));
        ASSERT_EQ(r.Entries().size(), 2u);
        EXPECT_EQ(r.GetEntry("b.ini"), Bytes("bbb"));
        EXPECT_EQ(r.Version(), version);
        EXPECT_EQ(Loaded(SampleArchive(version)).GetEntry("checkbox.bmp"), Bytes("BM-check"));
    }
}

TEST(SkinReader, UnknownVersionIsItsOwnResult) {
    TSkinReader r;
    r.LoadArchive(SampleArchive());
    const auto archive = RawArchive(10000, "", "a.bmp\r\n", {1}, "a");
    const TSkinLoadResult result = r.LoadArchive(archive);
    EXPECT_EQ(result.Status, TSkinLoadStatus::UnknownVersion);
    EXPECT_TRUE(r.Entries().empty()); // nothing of the earlier skin is left
    EXPECT_EQ(r.Load(EncodeSkinStore(archive)).Status, TSkinLoadStatus::UnknownVersion);
}

TEST(SkinReader, NamesMatchInAnyCaseAndTheFirstWins) {
    TSkinArchiveWriter w;
    w.Add("CheckBox.bmp", Bytes("first"));
    w.Add("CHECKBOX.BMP", Bytes("second"));
    w.Add("skin.ini", Bytes("ini"));
    TSkinReader r;
    ASSERT_TRUE(r.Load(EncodeSkinStore(w.Build())));
    EXPECT_EQ(r.GetEntry("checkbox.bmp"), Bytes("first"));
    EXPECT_EQ(r.GetEntry("CheckBox.BMP"), Bytes("first"));
    EXPECT_EQ(r.Entries()[1].Name, "CHECKBOX.BMP"); // listed as stored
    EXPECT_TRUE(r.GetEntry("checkbox").empty());
    EXPECT_EQ(r.IndexOf("missing.bmp"), -1);
}

TEST(SkinReader, FindEntryTakesThePartAsGiven) {
    TSkinReader r = Loaded(SampleArchive());
    std::string name = "untouched";
    EXPECT_EQ(r.FindEntry(".ini", name), Bytes("[Buttons]\r\nBitmap=Buttons.bmp\r\n"));
    EXPECT_EQ(name, "default.ini");
    name = "untouched";
    EXPECT_TRUE(r.FindEntry(".INI", name).empty()); // names are lower case, the part is not
    EXPECT_TRUE(r.FindEntry("", name).empty());
    EXPECT_EQ(name, "untouched");
    EXPECT_EQ(r.FindEntry("bmp", name), Bytes("BM-buttons")); // the first in archive order
}

TEST(SkinReader, NameListLineBreaks) {
    // LF and CR alone end names too; a final break adds none, an empty line is an empty name.
    TSkinReader r = Loaded(RawArchive(20000, "", "a\nb\rc\r\n\r\nd", {1, 1, 1, 0, 1}, "abcd"));
    ASSERT_EQ(r.Entries().size(), 5u);
    EXPECT_EQ(r.GetEntry("d"), Bytes("d"));
    EXPECT_EQ(Loaded(RawArchive(20000, "", "", {}, "")).Entries().size(), 0u);
    // Entries are cut where the sizes say; trailing bytes are ignored.
    EXPECT_EQ(Loaded(RawArchive(20000, "", "a\r\n", {2}, "xyz")).GetEntry("a"), Bytes("xy"));
}

TEST(SkinReader, RefusesArchivesThatOverrunTheirData) {
    const std::vector<std::uint8_t> bad[] = {
        {0x20, 0x4E, 0, 0, 0, 0},                             // header cut short
        RawArchive(20000, "", "a\r\nb\r\n", {1, 1}, "a"),     // sizes add up past the end
        RawArchive(20000, "", "a\r\nb\r\n", {1}, ""),         // size table cut short
        RawArchive(30000, std::string(100, ' '), "", {}, ""), // filler cut short
        RawArchive(20000, "", "a\r\n", {0xFFFFFFFF}, "aaaa"),
    };
    for (const auto& archive : bad) {
        TSkinReader r;
        const TSkinLoadResult result = r.LoadArchive(archive);
        EXPECT_EQ(result.Status, TSkinLoadStatus::Corrupt);
        EXPECT_FALSE(result.Message.empty());
        EXPECT_TRUE(r.Entries().empty());
    }
    auto longList = RawArchive(20000, "", "a.bmp\r\n", {1}, "a");
    longList[4] = 0xFF; // name list length far beyond the archive
    EXPECT_EQ(TSkinReader().LoadArchive(longList).Status, TSkinLoadStatus::Corrupt);
}

TEST(SkinReader, RefusesMoreThan1001Entries) {
    std::string names;
    for (int i = 0; i < 1001; ++i)
        names.append(std::to_string(i)).append(".bmp\r\n");
    EXPECT_TRUE(
        TSkinReader().LoadArchive(RawArchive(20000, "", names, std::vector<std::uint32_t>(1001, 0), "")));
    const TSkinLoadResult result = TSkinReader().LoadArchive(
        RawArchive(20000, "", names + "x\r\n", std::vector<std::uint32_t>(1002, 0), ""));
    EXPECT_EQ(result.Status, TSkinLoadStatus::Corrupt);
    EXPECT_NE(result.Message.find("1001"), std::string::npos);
    // Millions of empty names are refused as soon as the count passes the limit.
    EXPECT_FALSE(TSkinReader().LoadArchive(RawArchive(20000, "", std::string(8u << 20, '\n'), {}, "")));
    TSkinArchiveWriter w;
    for (int i = 0; i < 1001; ++i)
        w.Add(std::to_string(i), {});
    EXPECT_THROW(w.Add("one.too.many", {}), ESkinFileError);
}

TEST(SkinReader, DamagedStoresFailWithAMessage) {
    auto store = EncodeSkinStore(SampleArchive());
    TSkinReader r;
    EXPECT_EQ(r.Load(std::vector<std::uint8_t>(store.begin(), store.begin() + 3)).Status,
              TSkinLoadStatus::Corrupt);
    store.resize(store.size() / 3);
    const TSkinLoadResult result = r.Load(store);
    EXPECT_EQ(result.Status, TSkinLoadStatus::Corrupt);
    EXPECT_NE(result.Message.find("LZH"), std::string::npos);
}

// LoadPartly decodes the store as far as the entries it is asked for, and later as far as asked.
TEST(SkinReader, PartlyLoadedStoresDecodeTheRestWhenAsked) {
    TSkinArchiveWriter w;
    const std::vector<std::uint8_t> big(200000, 7); // past the first decoding step
    w.Add("a.bmp", Bytes("BM-a"));
    w.Add("skin.ini", Bytes("[x]"));
    w.Add("a@150.bmp", big);
    w.Add("a@200.bmp", Bytes("BM-a-200"));
    const std::vector<std::uint8_t> store = EncodeSkinStore(w.Build());
    TSkinReader whole;
    ASSERT_TRUE(whole.Load(store));
    TSkinReader part;
    ASSERT_TRUE(part.LoadPartly(store, [](const TSkinEntry& e) { return e.Name.find('@') == std::string::npos; }));
    ASSERT_EQ(part.Entries().size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(part.Entries()[i].Name, whole.Entries()[i].Name);
        EXPECT_EQ(part.Entries()[i].Offset, whole.Entries()[i].Offset);
    }
    EXPECT_TRUE(part.Decoded(0));
    EXPECT_TRUE(part.Decoded(1));
    EXPECT_FALSE(part.Decoded(2));
    EXPECT_FALSE(part.Decoded(3));
    EXPECT_TRUE(part.GetEntry("a@200.bmp").empty()); // not there yet: nothing rather than garbage
    EXPECT_EQ(part.GetEntry("skin.ini"), Bytes("[x]"));
    const TSkinEntry& last = part.Entries()[2];
    ASSERT_TRUE(part.DecodeTo(last.Offset + last.Size));
    EXPECT_TRUE(part.Decoded(2));
    EXPECT_EQ(part.GetEntry("a@150.bmp"), big);
    ASSERT_TRUE(part.DecodeTo(part.Entries()[3].Offset + part.Entries()[3].Size));
    EXPECT_EQ(part.GetEntry("a@200.bmp"), Bytes("BM-a-200"));
    EXPECT_FALSE(part.DecodeTo(1u << 30)); // past what the store states
    // Asked for nothing, it still lists everything.
    ASSERT_TRUE(part.LoadPartly(store, [](const TSkinEntry&) { return false; }));
    EXPECT_EQ(part.Entries().size(), 4u);
}

TEST(SkinReader, PartlyLoadingReadsWhatAWholeLoadReads) {
    // A directory larger than the first decoding step: a thousand long names.
    TSkinArchiveWriter many;
    for (int i = 0; i < 1000; ++i)
        many.Add(std::string(90, 'n') + std::to_string(i) + ".bmp", Bytes("x"));
    const auto everything = [](const TSkinEntry&) { return true; };
    std::vector<std::vector<std::uint8_t>> stores = {EncodeSkinStore(many.Build()),
                                                     EncodeSkinStore(SampleArchive(30000)),
                                                     EncodeSkinStore(RawArchive(10000, "", "a.bmp\r\n", {1}, "a")),
                                                     EncodeSkinStore(RawArchive(20000, "", "a.bmp\r\n", {9}, "a")),
                                                     EncodeSkinStore(Bytes("short")),
                                                     Bytes("\x10")};
    // Entry sizes short of the data, and a stream cut in the middle.
    std::vector<std::uint8_t> cut = EncodeSkinStore(SampleArchive());
    cut.resize(cut.size() / 2);
    stores.push_back(cut);
    for (const auto& store : stores) {
        TSkinReader whole, part;
        const TSkinLoadResult a = whole.Load(store), b = part.LoadPartly(store, everything);
        EXPECT_EQ(a.Status, b.Status) << a.Message << " / " << b.Message;
        ASSERT_EQ(whole.Entries().size(), part.Entries().size());
        for (std::size_t i = 0; i < whole.Entries().size(); ++i) {
            EXPECT_TRUE(part.Decoded(i));
            EXPECT_EQ(whole.GetEntry(whole.Entries()[i].Name), part.GetEntry(whole.Entries()[i].Name));
        }
    }
}

TEST(SkinArchiveWriter, RefusesNamesThatWouldSplitTheList) {
    TSkinArchiveWriter w;
    EXPECT_THROW(w.Add("", {}), ESkinFileError);
    EXPECT_THROW(w.Add("a\r\nb", {}), ESkinFileError);
    EXPECT_THROW(w.Add(std::string("a\0b", 3), {}), ESkinFileError);
    EXPECT_THROW(w.Build(12345), ESkinFileError);
}

} // namespace
} // namespace orvo
