#include "skin/data/skin_chooser.h"

#include "framework/base/exceptions.h"
#include "framework/base/streams.h"
#include "skin/data/skin_data.h"

#include <windows.h>

namespace orvo {

namespace {

// Real stores are some tens of kilobytes; anything far larger is no skin.
constexpr std::int64_t MaxStore = 64 << 20;

} // namespace

TSkinChooser::TSkinChooser(TSkinData& data) : FData(data), FStored(data.StoreStream()) {}

std::wstring TSkinChooser::UseStored() {
    return UseStore(FStored, L"the stored skin");
}

std::wstring TSkinChooser::UseResource(const wchar_t* name) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, name, RT_RCDATA);
    if (!found) return std::wstring(name) + L": the program holds no such skin";
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found)));
    const DWORD size = SizeofResource(module, found);
    if (!bytes || size == 0) return std::wstring(name) + L": the skin is empty";
    return UseStore(std::vector<std::uint8_t>(bytes, bytes + size), name);
}

std::wstring TSkinChooser::UseFile(const std::wstring& path) {
    std::vector<std::uint8_t> bytes;
    try {
        TFileStream file(path, fmOpenRead | fmShareDenyWrite);
        const std::int64_t size = file.Size();
        if (size <= 0) return path + L": the file is empty";
        if (size > MaxStore) return path + L": too large for a skin store";
        bytes.resize(static_cast<std::size_t>(size));
        file.ReadBuffer(bytes.data(), size);
    } catch (const Exception& e) {
        return path + L": " + e.Message();
    }
    return UseStore(std::move(bytes), path);
}

void TSkinChooser::UseNone() {
    FData.SetActive(false);
}

std::wstring TSkinChooser::UseStore(std::vector<std::uint8_t> store, const std::wstring& source) {
    std::vector<std::uint8_t> current = FData.StoreStream();
    FData.SetStoreStream(std::move(store));
    if (!FData.LoadSkin()) {
        std::wstring reason = FData.LoadError();
        if (reason.empty()) reason = L"not a skin store";
        // The skin in force stays.
        FData.SetStoreStream(std::move(current));
        FData.LoadSkin();
        return source + L": " + reason;
    }
    if (FData.Active())
        FData.RefreshSkin();
    else
        FData.SetActive(true);
    return {};
}

} // namespace orvo
