#include "app/drop_files.h"

#include "app/path_text.h"
#include "framework/base/com_object.h"
#include "framework/forms/application.h"
#include "framework/controls/edit.h"
#include "framework/base/properties.h"

#include <shellapi.h>
#include <shlobj.h>

#include <ole2.h>

#include <algorithm>
#include <cstring>

namespace orvo {

ORVO_IMPLEMENT_CLASS(DropFiles);

namespace {
constexpr wchar_t FileWanted[] = L"请选择文件拖放到这里，不可以选择目录！";
constexpr wchar_t DirectoryWanted[] = L"请选择目录拖放到这里！";

FORMATETC FileListFormat() {
    return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}
} // namespace

// The OLE drop target of one edit: offers a copy of anything that carries a file list, and on a
// drop posts a checked copy of the list to the edit's window as WM_DROPFILES, as the shell does,
// so the list takes the one road every drop takes, after the dragging program has been answered
// (a message box about a refused item does not hold that program up). It lives as long as someone
// holds a reference (OLE may hold one after the edit is gone), so its owner cuts the link to the
// window when it lets go.
class TFileDropTarget final : public TComObject<IDropTarget> {
public:
    // The window the drops go to; nullptr refuses every drop.
    void SetWindow(HWND window) noexcept { FWindow = window; }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        FORMATETC format = FileListFormat();
        FAccepting = FWindow && data && data->QueryGetData(&format) == S_OK;
        return Answer(effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override { return Answer(effect); }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        FAccepting = false;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        const bool accepting = FAccepting;
        FAccepting = false;
        if (!effect) return E_INVALIDARG;
        const DWORD allowed = *effect;
        *effect = DROPEFFECT_NONE;
        FORMATETC format = FileListFormat();
        STGMEDIUM medium{};
        if (!accepting || !FWindow || !(allowed & DROPEFFECT_COPY) || !data || FAILED(data->GetData(&format, &medium)))
            return S_OK;
        HDROP list = medium.tymed == TYMED_HGLOBAL ? DropFiles::CopyDropList(medium.hGlobal) : nullptr;
        ReleaseStgMedium(&medium);
        if (!list) return S_OK;
        // The window frees the list (DragFinish) once it has handled it.
        if (PostMessageW(FWindow, WM_DROPFILES, reinterpret_cast<WPARAM>(list), 0))
            *effect = DROPEFFECT_COPY;
        else
            GlobalFree(list);
        return S_OK;
    }

private:
    HRESULT Answer(DWORD* effect) const {
        if (!effect) return E_INVALIDARG;
        *effect = FAccepting ? *effect & DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }

    HWND FWindow = nullptr;
    bool FAccepting = false;
};

HDROP DropFiles::CopyDropList(HGLOBAL list) {
    const SIZE_T size = list ? GlobalSize(list) : 0;
    if (size < sizeof(DROPFILES)) return nullptr;
    const auto* bytes = static_cast<const char*>(GlobalLock(list));
    if (!bytes) return nullptr;
    DROPFILES header;
    std::memcpy(&header, bytes, sizeof header);
    // The names, each ended by a NUL, then an empty one, all inside the block.
    const std::size_t unit = header.fWide ? sizeof(wchar_t) : 1;
    const auto at = [&](std::size_t offset) {
        wchar_t c = 0;
        std::memcpy(&c, bytes + offset, unit); // little-endian: a narrow unit lands in the low byte
        return c;
    };
    bool whole = false;
    if (header.pFiles >= sizeof(DROPFILES) && header.pFiles <= size) {
        std::size_t offset = header.pFiles;
        bool nameStart = true;
        for (; offset + unit <= size; offset += unit) {
            const wchar_t c = at(offset);
            if (c == 0 && nameStart) {
                whole = true;
                break;
            }
            nameStart = c == 0;
        }
    }
    HGLOBAL copy = whole ? GlobalAlloc(GMEM_MOVEABLE, size) : nullptr;
    if (void* target = copy ? GlobalLock(copy) : nullptr) {
        std::memcpy(target, bytes, size);
        GlobalUnlock(copy);
    }
    GlobalUnlock(list);
    return static_cast<HDROP>(copy);
}

DropFiles::DropFiles(TCustomEdit* edit) : FEdit(edit) {}

DropFiles::~DropFiles() {
    // The edit may be gone already (its window revoked the registration as it went).
    Revoke();
    if (FTarget) FTarget->Release();
}

void DropFiles::Attach() {
    FTarget = new TFileDropTarget;
    Accept();
    FOldWndProc = FEdit->WindowProc;
    FEdit->WindowProc = [this](TMessage& message) { WndProc(message); };
}

void DropFiles::Accept() {
    const HWND window = FEdit->Handle();
    DragAcceptFiles(window, TRUE);
    FTarget->SetWindow(window);
    if (SUCCEEDED(RegisterDragDrop(window, FTarget))) FRegistered = window;
}

void DropFiles::Revoke() {
    if (FTarget) FTarget->SetWindow(nullptr);
    if (FRegistered) RevokeDragDrop(FRegistered);
    FRegistered = nullptr;
}

bool DropFiles::IsDirectory(const std::wstring& path) {
    const DWORD attributes = PathAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void DropFiles::WndProc(TMessage& message) {
    if (message.Msg == WM_DESTROY) Revoke();
    if (message.Msg != WM_DROPFILES) {
        FOldWndProc(message);
        // A re-created window accepts drops as the first one did.
        if (message.Msg == WM_CREATE && message.Result != -1) Accept();
        return;
    }
    HDROP drop = reinterpret_cast<HDROP>(message.WParam);
    // The drop handle is released even when a handler throws.
    struct TFinish {
        HDROP Drop;
        ~TFinish() { DragFinish(Drop); }
    } finish{drop};
    HandleDrop(drop);
    message.Result = 0;
}

void DropFiles::HandleDrop(HDROP drop) {
    FFiles.clear();
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // Asked for its length first, so no path is cut short.
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), length + 1));
        HandleItem(path);
    }
    // Every file of one drop, each once, in the order dropped.
    if (!FFiles.empty()) FEdit->SetText(JoinSourcePaths(FFiles));
}

void DropFiles::HandleItem(const std::wstring& path) {
    FDropped = path;
    switch (FMode) {
    case ModeFiles:
        if (IsDirectory(FDropped))
            Application->MessageBox(FileWanted);
        else if (std::find(FFiles.begin(), FFiles.end(), FDropped) == FFiles.end())
            FFiles.push_back(FDropped);
        break;
    case ModeDirectories:
        if (IsDirectory(FDropped))
            FEdit->SetText(FDropped);
        else
            Application->MessageBox(DirectoryWanted);
        break;
    default:
        break;
    }
}

} // namespace orvo
