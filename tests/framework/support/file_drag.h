// Files dragged as the explorer drags them: the shell's drop data (an HDROP), an IDataObject that
// offers it as CF_HDROP, and an IDropSource whose drag ends with a drop once the test says so.
// DoDragDrop with these reaches any window registered with RegisterDragDrop, in this process or
// another (OLE marshals the target), while the test moves the real pointer.
#pragma once

#include <shellapi.h>
#include <shlobj.h>
#include <windows.h>
#include <ole2.h>

#include "framework/base/com_object.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
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

// A list of files, offered only as CF_HDROP in global memory (a fresh copy for each GetData), or
// under another format to be refused.
class TFileDataObject final : public TComObject<IDataObject> {
public:
    explicit TFileDataObject(std::vector<std::wstring> paths, CLIPFORMAT format = CF_HDROP)
        : FPaths(std::move(paths)), FFormat(format) {}

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
        if (format->cfFormat != FFormat) return DV_E_FORMATETC;
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
        FORMATETC format{FFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return SHCreateStdEnumFmtEtc(1, &format, formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::vector<std::wstring> FPaths;
    CLIPFORMAT FFormat;
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

// Moves the real pointer as a mouse does, from `from` to `to` in steps, then keeps nudging it by a
// pixel (a drag is tracked as the mouse moves) until `stop`.
inline void MovePointer(POINT from, POINT to, const std::atomic<bool>& stop) {
    const auto move = [](int x, int y) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = static_cast<LONG>((x * 65536LL + 32768) / GetSystemMetrics(SM_CXSCREEN));
        input.mi.dy = static_cast<LONG>((y * 65536LL + 32768) / GetSystemMetrics(SM_CYSCREEN));
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof input);
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
    };
    move(from.x, from.y);
    constexpr int Steps = 12;
    for (int i = 1; i <= Steps && !stop; ++i)
        move(from.x + (to.x - from.x) * i / Steps, from.y + (to.y - from.y) * i / Steps);
    for (int i = 0; !stop; ++i)
        move(to.x + i % 2, to.y);
}

struct TDragResult {
    HRESULT Result = E_FAIL;
    DWORD Effect = DROPEFFECT_NONE;
    bool TimedOut = false; // the pointer never rested over the window
};

// Drags `data` from the screen point `from` to the middle of `window` (of any process) with
// DoDragDrop on this thread, which needs OLE, while another thread moves the real pointer; drops
// once the pointer has rested over the window a moment (its drop target has answered by then).
inline TDragResult DragOnto(HWND window, IDataObject* data, POINT from,
                            DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK) {
    RECT box{};
    GetWindowRect(window, &box);
    const POINT center{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    const auto over = [window] {
        POINT p{};
        GetCursorPos(&p);
        const HWND under = WindowFromPoint(p);
        return under == window || IsChild(window, under);
    };
    std::chrono::steady_clock::time_point since{};
    auto* source = new TDropSource(
        [&] {
            if (!over()) {
                since = {};
                return false;
            }
            const auto now = std::chrono::steady_clock::now();
            if (since == std::chrono::steady_clock::time_point{}) since = now;
            return now - since >= std::chrono::milliseconds(400);
        },
        15000);
    std::atomic<bool> stop = false;
    std::thread mouse(MovePointer, from, center, std::cref(stop));
    TDragResult result;
    result.Result = DoDragDrop(data, source, allowed, &result.Effect);
    stop = true;
    mouse.join();
    result.TimedOut = source->TimedOut();
    source->Release();
    return result;
}

} // namespace orvo::test
