// Files dragged as the explorer drags them: the shell's drop data (an HDROP), an IDataObject that
// offers it as CF_HDROP, and an IDropSource whose drag ends with a drop once the test says so.
// DoDragDrop with these reaches any window registered with RegisterDragDrop, in this process or
// another (OLE marshals the target), while the test moves the real pointer.
#pragma once

#include <shellapi.h>
#include <shlobj.h>
#include <windows.h>
#include <ole2.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace orvo::test {

// The shell's drop data: a DROPFILES header, then the wide paths, each ended by a NUL, and one
// more NUL. The receiver frees it (DragFinish, or ReleaseStgMedium for a medium).
inline HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths)
        list += path + L'\0';
    list += L'\0';
    const std::size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!memory) return nullptr;
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor" // COM objects: Release deletes the final class

// The reference counting the two objects share; created with one reference, the creator's.
template <class TInterface>
class TComObject : public TInterface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(TInterface))) {
            *object = static_cast<TInterface*>(this);
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

protected:
    virtual ~TComObject() = default;

private:
    LONG FReferences = 1;
};

// A list of files, offered only as CF_HDROP in global memory (a fresh copy for each GetData).
class TFileDataObject final : public TComObject<IDataObject> {
public:
    explicit TFileDataObject(std::vector<std::wstring> paths) : FPaths(std::move(paths)) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (!format || !medium) return E_INVALIDARG;
        const HRESULT offered = QueryGetData(format);
        if (offered != S_OK) return offered;
        HDROP drop = MakeDrop(FPaths);
        if (!drop) return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = drop;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        if (!format) return E_INVALIDARG;
        if (format->cfFormat != CF_HDROP) return DV_E_FORMATETC;
        if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
        if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
        if (!formats) return E_POINTER;
        *formats = nullptr;
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return SHCreateStdEnumFmtEtc(1, &format, formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::vector<std::wstring> FPaths;
};

// Ends the drag with a drop as soon as `dropNow` holds, and cancels it after `ms` milliseconds or
// on Escape, so a test never hangs in DoDragDrop.
class TDropSource final : public TComObject<IDropSource> {
public:
    TDropSource(std::function<bool()> dropNow, int ms)
        : FDropNow(std::move(dropNow)), FEnd(std::chrono::steady_clock::now() + std::chrono::milliseconds(ms)) {}

    bool TimedOut() const { return FTimedOut; }

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
        if (escape) return DRAGDROP_S_CANCEL;
        if (FDropNow()) return DRAGDROP_S_DROP;
        FTimedOut = std::chrono::steady_clock::now() >= FEnd;
        return FTimedOut ? DRAGDROP_S_CANCEL : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    std::function<bool()> FDropNow;
    std::chrono::steady_clock::time_point FEnd;
    bool FTimedOut = false;
};

#pragma GCC diagnostic pop

} // namespace orvo::test
