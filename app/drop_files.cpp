#include "app/drop_files.h"

#include "app/path_text.h"
#include "framework/base/exceptions.h"
#include "framework/forms/application.h"
#include "framework/controls/edit.h"
#include "framework/base/properties.h"

#include <shellapi.h>

#include <ole2.h>

#include <algorithm>
#include <functional>

namespace orvo {

ORVO_IMPLEMENT_CLASS(DropFiles);

namespace {
constexpr wchar_t FileWanted[] = L"请选择文件拖放到这里，不可以选择目录！";
constexpr wchar_t DirectoryWanted[] = L"请选择目录拖放到这里！";

FORMATETC FileListFormat() {
    return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}
} // namespace

// The OLE drop target of one edit: offers a copy of anything that carries a file list and hands
// the dropped list to its owner. It lives as long as someone holds a reference (OLE may hold one
// after the owner is gone), so the owner cuts the link when it lets go. COM interfaces have no
// virtual destructor; Release deletes the final class itself.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class TFileDropTarget final : public IDropTarget {
public:
    explicit TFileDropTarget(std::function<void(HDROP)> onDrop) : FOnDrop(std::move(onDrop)) {}
    TFileDropTarget(const TFileDropTarget&) = delete;
    TFileDropTarget& operator=(const TFileDropTarget&) = delete;

    void Disconnect() noexcept { FOnDrop = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
            *object = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&FReferences)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&FReferences);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        FORMATETC format = FileListFormat();
        FAccepting = FOnDrop && data && data->QueryGetData(&format) == S_OK;
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
        FORMATETC format = FileListFormat();
        STGMEDIUM medium{};
        if (!accepting || !FOnDrop || !data || FAILED(data->GetData(&format, &medium))) {
            *effect = DROPEFFECT_NONE;
            return S_OK;
        }
        // The medium is released even when the handler fails; a failure never reaches the caller,
        // which is another program.
        struct TRelease {
            STGMEDIUM& Medium;
            ~TRelease() { ReleaseStgMedium(&Medium); }
        } release{medium};
        *effect = medium.tymed == TYMED_HGLOBAL && medium.hGlobal ? *effect & DROPEFFECT_COPY : DROPEFFECT_NONE;
        if (*effect == DROPEFFECT_NONE) return S_OK;
        try {
            FOnDrop(static_cast<HDROP>(medium.hGlobal));
        } catch (...) {
            HandleException(nullptr);
        }
        return S_OK;
    }

private:
    ~TFileDropTarget() = default;

    HRESULT Answer(DWORD* effect) const {
        if (!effect) return E_INVALIDARG;
        *effect = FAccepting ? *effect & DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }

    std::function<void(HDROP)> FOnDrop;
    LONG FReferences = 1;
    bool FAccepting = false;
};
#pragma GCC diagnostic pop

DropFiles::DropFiles(TCustomEdit* edit) : FEdit(edit) {}

DropFiles::~DropFiles() {
    // The edit may be gone already (its window revoked the registration as it went).
    Revoke();
    if (FTarget) {
        FTarget->Disconnect();
        FTarget->Release();
    }
}

void DropFiles::Attach() {
    FTarget = new TFileDropTarget([this](HDROP drop) { HandleDrop(drop); });
    Accept();
    FOldWndProc = FEdit->WindowProc;
    FEdit->WindowProc = [this](TMessage& message) { WndProc(message); };
}

void DropFiles::Accept() {
    const HWND window = FEdit->Handle();
    DragAcceptFiles(window, TRUE);
    if (SUCCEEDED(RegisterDragDrop(window, FTarget))) FRegistered = window;
}

void DropFiles::Revoke() {
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
