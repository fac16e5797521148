// OrvoSplitter.exe as it is shipped: a statically linked GUI program carrying its icon (every
// size loads), its version 1.5.0.150 with the product name, and a manifest for common controls 6
// and per-monitor DPI awareness.
#include <windows.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace orvo {
namespace {

using testing::HasSubstr;
using testing::Not;

// The build gives the program's path in the build machine's terms; Wine shows that root as Z:.
std::wstring ProgramPath() {
    std::string path = ORVO_SPLITTER_EXE;
    std::replace(path.begin(), path.end(), '/', '\\');
    return L"Z:" + std::wstring(path.begin(), path.end());
}

class ProgramFile : public ::testing::Test {
protected:
    ProgramFile() {
        Module = LoadLibraryExW(ProgramPath().c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    ~ProgramFile() override {
        if (Module) FreeLibrary(Module);
    }
    std::string Resource(LPCWSTR name, LPCWSTR type) const {
        HRSRC found = FindResourceW(Module, name, type);
        if (!found) return {};
        const auto* data = static_cast<const char*>(LockResource(LoadResource(Module, found)));
        return std::string(data, SizeofResource(Module, found));
    }
    HMODULE Module = nullptr;
};

TEST_F(ProgramFile, CarriesItsVersionIconAndManifest) {
    ASSERT_NE(Module, nullptr);
    const std::wstring path = ProgramPath();
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(5, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(150, 0));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(5, 1));
    wchar_t* product = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\080404B0\\ProductName",
                               reinterpret_cast<void**>(&product), &length));
    EXPECT_STREQ(product, L"Orvo大文件分割机");

    EXPECT_FALSE(Resource(L"MAINICON", RT_GROUP_ICON).empty());
    const std::string manifest = Resource(MAKEINTRESOURCEW(1), RT_MANIFEST);
    EXPECT_THAT(manifest, HasSubstr("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    EXPECT_THAT(manifest, HasSubstr(">PerMonitorV2, PerMonitor</dpiAwareness>"));
    EXPECT_THAT(manifest, HasSubstr(">true/pm</dpiAware>"));
}

// The icon's entries are drawn for each size and stored as PNG: the platform loads every size from
// its own entry, round corners see-through and the badge opaque.
TEST_F(ProgramFile, IconLoadsAtEverySize) {
    ASSERT_NE(Module, nullptr);
    for (int size : {16, 24, 32, 48, 256}) {
        HICON icon = static_cast<HICON>(LoadImageW(Module, L"MAINICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info)) << size;
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size);
        HDC dc = GetDC(nullptr);
        const int rows = GetDIBits(dc, info.hbmColor, 0, static_cast<UINT>(size), pixels.data(), &bi, DIB_RGB_COLORS);
        ReleaseDC(nullptr, dc);
        EXPECT_EQ(rows, size);
        const auto alpha = [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * size + x] >> 24; };
        EXPECT_LT(alpha(0, 0), 64u) << size << ": the corner";
        EXPECT_EQ(alpha(size / 2, size / 2), 255u) << size << ": the middle";
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(ProgramImage, IsOneStaticallyLinkedGuiProgram) {
    std::ifstream file(std::filesystem::path(ProgramPath()), std::ios::binary | std::ios::ate);
    ASSERT_TRUE(file);
    std::vector<char> bytes(static_cast<std::size_t>(file.tellg()));
    file.seekg(0);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_GT(bytes.size(), sizeof(IMAGE_DOS_HEADER));
    const auto at = [&](std::size_t offset) { return bytes.data() + offset; };
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0));
    ASSERT_LT(static_cast<std::size_t>(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS), bytes.size());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(at(static_cast<std::size_t>(dos->e_lfanew)));
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);

    // The names of the imported libraries, found through the section that holds them.
    const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(nt);
    const auto fromRva = [&](DWORD rva) -> const char* {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i)
            if (rva >= sections[i].VirtualAddress &&
                rva < sections[i].VirtualAddress + sections[i].SizeOfRawData)
                return at(sections[i].PointerToRawData + (rva - sections[i].VirtualAddress));
        return nullptr;
    };
    const DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    std::string names;
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(fromRva(imports));
         entry && entry->Name; ++entry)
        if (const char* name = fromRva(entry->Name)) names += std::string(name) + ";";
    EXPECT_THAT(names, HasSubstr("USER32.dll"));
    for (const char* runtime : {"libstdc++", "libgcc", "libwinpthread"})
        EXPECT_THAT(names, Not(HasSubstr(runtime)));
}

} // namespace
} // namespace orvo
