#include "framework/graphic.h"

#include "framework/sysutils.h"

#include <algorithm>

namespace orvo {

namespace {

// Pictures of the program are small; this bounds what a hostile file can make us allocate.
constexpr std::size_t GraphicFileLimit = 256u << 20;

class TFileHandle {
public:
    explicit TFileHandle(HANDLE h) : FHandle(h) {}
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;
    ~TFileHandle() {
        if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
    }
    HANDLE Get() const { return FHandle; }

private:
    HANDLE FHandle;
};

} // namespace

void TGraphic::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Changed();
}

void TGraphic::LoadFromFile(const std::wstring& path) {
    LoadFromBytes(ReadFileBytes(path, GraphicFileLimit));
}

void TGraphic::SaveToFile(const std::wstring& path) const {
    WriteFileBytes(path, SaveToBytes());
}

std::vector<std::uint8_t> ReadFileBytes(const std::wstring& path, std::size_t limit) {
    TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE)
        throw EFOpenError(L"Cannot open file \"" + path + L"\". " + SysErrorMessage(GetLastError()));
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size))
        throw EReadError(L"Cannot read \"" + path + L"\". " + SysErrorMessage(GetLastError()));
    if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > limit)
        throw EReadError(L"File \"" + path + L"\" is too large");
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 30));
        if (!ReadFile(file.Get(), data.data() + done, want, &got, nullptr))
            throw EReadError(L"Cannot read \"" + path + L"\". " + SysErrorMessage(GetLastError()));
        if (got == 0) throw EReadError(L"Unexpected end of file \"" + path + L"\"");
        done += got;
    }
    return data;
}

void WriteFileBytes(const std::wstring& path, std::span<const std::uint8_t> data) {
    TFileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.Get() == INVALID_HANDLE_VALUE)
        throw EFCreateError(L"Cannot create file \"" + path + L"\". " + SysErrorMessage(GetLastError()));
    std::size_t done = 0;
    while (done < data.size()) {
        DWORD put = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 30));
        if (!WriteFile(file.Get(), data.data() + done, want, &put, nullptr) || put == 0)
            throw EWriteError(L"Cannot write \"" + path + L"\". " + SysErrorMessage(GetLastError()));
        done += put;
    }
}

} // namespace orvo
