// TPopupMenuSkin: the skin object of one popup or drop-down menu window (class "#32768"), made by
// the manager when the window is created and freed when it is destroyed.
#pragma once

#include <memory>
#include <windows.h>

namespace orvo {

class TBitmap;
class TSkinData;

class TPopupMenuSkin {
public:
    virtual ~TPopupMenuSkin() = default;

    virtual void Attach(HWND window, TSkinData* skinData, HMENU menu) = 0;
    // Safe to call twice.
    virtual void Detach() = 0;
    virtual HWND MenuWnd() const = 0;
    virtual HMENU MenuHandle() const = 0;
    virtual void SetMenuHandle(HMENU menu) = 0;
    // The window-sized image painted last; null or empty before the first paint.
    virtual TBitmap* Background() = 0;
    // Where the window's client area starts in the window (and so in Background).
    virtual POINT ClientOffset() const = 0;
};

// A new, unattached skin object for a menu window; null while menus keep the platform's look.
std::unique_ptr<TPopupMenuSkin> CreatePopupMenuSkin();

} // namespace orvo
