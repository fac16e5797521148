// Loading a skin store into the component: from the stored form's data or from a .skn file.
#include "skin/data/skin_data.h"

#include "core/skinfile/skin_archive.h"
#include "core/skinfile/skin_reader.h"
#include "framework/base/exceptions.h"
#include "framework/base/streams.h"
#include "framework/base/sysutils.h"
#include "skin/data/skin_load_steps.h"
#include "skin/data/skin_message.h"

namespace orvo {

namespace {

// A store is a few tens of kilobytes; the decoder refuses archives above this size anyway.
constexpr std::int64_t MaxStoreFileSize = 64 << 20;

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

bool TSkinData::LoadSkin() {
    if (Designing()) return false;
    FNoSkin = true;
    FLoadError.clear();
    FScaled.clear(); // the skin changes: its other scales are made again when asked for
    try {
        auto archive = std::make_unique<TSkinReader>();
        const TSkinLoadResult opened = LoadSkinArchive(*archive, FStore);
        if (opened.Status == TSkinLoadStatus::UnknownVersion) {
            FLoadError = OlderSkinFileText;
            ShowSkinMessage(OlderSkinFileText);
            return false;
        }
        if (!opened) {
            FLoadError = FStore.empty() ? L"no skin store" : Utf8Decode(opened.Message);
            return false;
        }
        std::string iniName;
        TQuickIni ini;
        ini.LoadFromBytes(archive->FindEntry(".ini", iniName));
        FScaleSource.Reset(nullptr);
        TSkinSource source(*archive, ini);
        LoadSkinDefinitions(source, FSkin);
        FScaleSource.Reset(std::move(archive));
        FButtonFaceBrush.Reset(CreateSolidBrush(ColorToColorRef(FSkin.Colours[scButtonFace])));
        FWindowBrush.Reset(CreateSolidBrush(ColorToColorRef(FSkin.Colours[scWindow])));
        FNoSkin = false;
        return true;
    } catch (const Exception& e) {
        FLoadError = e.Message();
    } catch (const std::exception& e) {
        FLoadError = Utf8Decode(e.what());
    }
    return false;
}

void TSkinData::SetSkinFile(const std::wstring& path) {
    FNoSkin = true;
    FSkinFile = path;
    if (Designing()) {
        if (!path.empty()) FStore.clear(); // the file replaces the stored skin
        return;
    }
    FLoadError.clear();
    if (!IsFile(path)) {
        FLoadError = path + L": no such file";
        return;
    }
    if (LoadStoreFile(path)) LoadSkin();
    RefreshSkin();
}

bool TSkinData::LoadStoreFile(const std::wstring& path) {
    FStore.clear();
    try {
        TFileStream file(path, fmOpenRead | fmShareDenyWrite);
        const std::int64_t size = file.Size();
        if (size == 0 || size > MaxStoreFileSize) {
            FLoadError = path + (size == 0 ? L": the file is empty" : L": too large for a skin store");
            return false;
        }
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
        file.ReadBuffer(bytes.data(), size);
        FStore = std::move(bytes);
        return true;
    } catch (const Exception& e) {
        FLoadError = e.Message();
        return false;
    }
}

} // namespace orvo
