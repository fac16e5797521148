// Owners for GDI handles: each handle has exactly one owner that releases it; owners move, never copy.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace orvo {

template <typename THandle, typename TRelease> class TUniqueHandle {
public:
    TUniqueHandle() = default;
    explicit TUniqueHandle(THandle h) : FHandle(h) {}
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;
    TUniqueHandle(TUniqueHandle&& other) noexcept : FHandle(other.Release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    ~TUniqueHandle() { Reset(); }

    THandle Get() const { return FHandle; }
    explicit operator bool() const { return FHandle != nullptr; }
    // Gives up ownership: the caller releases the handle.
    THandle Release() { return std::exchange(FHandle, nullptr); }
    void Reset(THandle h = nullptr) {
        if (FHandle && FHandle != h) TRelease{}(FHandle);
        FHandle = h;
    }

private:
    THandle FHandle = nullptr;
};

struct TDeleteGdiObject {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct TDeleteDc {
    void operator()(HDC h) const { DeleteDC(h); }
};
struct TDestroyImageList {
    void operator()(HIMAGELIST h) const { ImageList_Destroy(h); }
};

using TBitmapHandle = TUniqueHandle<HBITMAP, TDeleteGdiObject>;
using TFontHandle = TUniqueHandle<HFONT, TDeleteGdiObject>;
using TBrushHandle = TUniqueHandle<HBRUSH, TDeleteGdiObject>;
using TPenHandle = TUniqueHandle<HPEN, TDeleteGdiObject>;
using TRegionHandle = TUniqueHandle<HRGN, TDeleteGdiObject>;
using TPaletteHandle = TUniqueHandle<HPALETTE, TDeleteGdiObject>;
using TMemoryDc = TUniqueHandle<HDC, TDeleteDc>;
using TImageListHandle = TUniqueHandle<HIMAGELIST, TDestroyImageList>;

// A memory DC compatible with `reference` (the screen when null).
inline TMemoryDc CreateMemoryDc(HDC reference = nullptr) {
    return TMemoryDc(CreateCompatibleDC(reference));
}

// A window's (or the screen's) DC, released on scope exit.
class TWindowDc {
public:
    explicit TWindowDc(HWND wnd = nullptr) : FWnd(wnd), FDc(GetDC(wnd)) {}
    TWindowDc(const TWindowDc&) = delete;
    TWindowDc& operator=(const TWindowDc&) = delete;
    ~TWindowDc() {
        if (FDc) ReleaseDC(FWnd, FDc);
    }
    HDC Get() const { return FDc; }

private:
    HWND FWnd;
    HDC FDc;
};

// Selects an object into a DC for the scope and puts the previous one back.
class TSelectObject {
public:
    TSelectObject(HDC dc, HGDIOBJ obj) : FDc(dc), FOld(obj ? SelectObject(dc, obj) : nullptr) {}
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;
    ~TSelectObject() {
        if (FOld) SelectObject(FDc, FOld);
    }

private:
    HDC FDc;
    HGDIOBJ FOld;
};

// SaveDC / RestoreDC for the scope.
class TSavedDc {
public:
    explicit TSavedDc(HDC dc) : FDc(dc), FState(SaveDC(dc)) {}
    TSavedDc(const TSavedDc&) = delete;
    TSavedDc& operator=(const TSavedDc&) = delete;
    ~TSavedDc() {
        if (FState) RestoreDC(FDc, FState);
    }

private:
    HDC FDc;
    int FState;
};

} // namespace orvo
