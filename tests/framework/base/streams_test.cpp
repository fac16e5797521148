// Streams: short reads, seeks past the end, copying, files with wide names and share modes, and
// resources compiled into this test.
#include "framework/base/exceptions.h"
#include "framework/base/streams.h"
#include "framework/base/sysutils.h"

#include <gtest/gtest.h>

#include <string>

namespace orvo {
namespace {

std::wstring TempPath(const std::wstring& name) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + L"orvo_streams_" + IntToStr(GetCurrentProcessId()) + L"_" + name;
}

TEST(MemoryStream, ShortReadsSeeksAndGaps) {
    TMemoryStream s;
    s.WriteBuffer("abc", 3);
    EXPECT_EQ(s.Seek(2, TSeekOrigin::soEnd), 5);
    s.WriteBuffer("z", 1); // the gap is filled with zeros
    EXPECT_EQ(s.Size(), 6);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(s.Memory()), 6), std::string("abc\0\0z", 6));
    s.SetPosition(4);
    char buf[8] = {};
    EXPECT_EQ(s.Read(buf, 8), 2);
    EXPECT_EQ(s.Read(buf, 8), 0);
    s.SetPosition(4);
    EXPECT_THROW(s.ReadBuffer(buf, 3), EReadError);
    EXPECT_THROW(s.Seek(-7, TSeekOrigin::soCurrent), EStreamError);
    s.SetPosition(100);
    EXPECT_EQ(s.Read(buf, 1), 0) << "reading beyond the end gives nothing";
    s.SetSize(2);
    EXPECT_EQ(s.Position(), 2) << "shrinking pulls the position back";
    EXPECT_THROW(s.SetSize(-1), EStreamError);
}

TEST(MemoryStream, CopyFrom) {
    TMemoryStream source, dest;
    std::string big(200000, 'x');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 31);
    source.WriteBuffer(big.data(), static_cast<std::int64_t>(big.size()));
    EXPECT_EQ(dest.CopyFrom(source, 0), 200000) << "0 copies the whole source from its start";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(dest.Memory()), 200000), big);
    source.SetPosition(199990);
    EXPECT_THROW(dest.CopyFrom(source, 11), EReadError);
    source.SetPosition(5);
    dest.Clear();
    EXPECT_EQ(dest.CopyFrom(source, 3), 3);
    EXPECT_EQ(dest.Memory()[0], static_cast<std::uint8_t>(5 * 31));
}

TEST(FileStream, WideNamesShareModesAndErrors) {
    const std::wstring path = TempPath(L"分割.bin");
    {
        TFileStream f(path, fmCreate);
        f.WriteBuffer("hello world", 11);
        f.SetSize(5);
        EXPECT_EQ(f.Size(), 5);
    }
    {
        TFileStream reader(path, fmOpenRead | fmShareDenyWrite);
        EXPECT_THROW(TFileStream(path, fmOpenWrite), EFOpenError) << "denied while the reader holds it";
        TFileStream second(path, fmOpenRead | fmShareDenyWrite);
        char buf[16] = {};
        EXPECT_EQ(second.Read(buf, 16), 5);
        EXPECT_EQ(std::string(buf), "hello");
        EXPECT_EQ(reader.Seek(-2, TSeekOrigin::soEnd), 3);
        EXPECT_THROW(reader.WriteBuffer("x", 1), EWriteError) << "opened for reading";
    }
    TMemoryStream m;
    m.LoadFromFile(path);
    EXPECT_EQ(m.Size(), 5);
    const std::wstring copy = TempPath(L"copy.bin");
    m.SaveToFile(copy);
    EXPECT_EQ(TFileStream(copy, fmOpenRead).Size(), 5);
    DeleteFileW(path.c_str());
    DeleteFileW(copy.c_str());
    try {
        TFileStream missing(path, fmOpenRead);
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message().rfind(L"Cannot open file \"" + path + L"\". ", 0), 0u) << e.what();
        EXPECT_GT(e.Message().size(), path.size() + 22) << "the system's reason follows";
    }
    EXPECT_THROW(TFileStream(TempPath(L"no\\such\\dir\\x"), fmCreate), EFCreateError);
}

TEST(ResourceStream, ReadsCompiledResourcesAndRefusesWrites) {
    TResourceStream byName(nullptr, L"TFTestForm"); // names ignore case
    ASSERT_GT(byName.Size(), 0);
    std::string text(static_cast<std::size_t>(byName.Size()), '\0');
    byName.ReadBuffer(text.data(), byName.Size());
    EXPECT_EQ(text.rfind("object fTest: TfTestForm", 0), 0u);
    EXPECT_THROW(byName.WriteBuffer("x", 1), EStreamError);
    try {
        TResourceStream missing(nullptr, L"NOSUCHRESOURCE");
        FAIL();
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), L"Resource NOSUCHRESOURCE not found");
    }
    EXPECT_THROW(TResourceStream(nullptr, 4242), EResNotFound);
}

} // namespace
} // namespace orvo
