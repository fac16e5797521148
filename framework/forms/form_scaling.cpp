// Display scale of forms: the DPI a form's window is laid out at when it is made, WM_DPICHANGED and
// WM_GETDPISCALEDSIZE when it moves to a monitor of another scale, the client size it keeps, and
// the frame it asks of its window method (CM_FRAMEFORDPI).
#include "framework/forms/forms.h"

#include "framework/graphics/image_list.h"
#include "framework/menus/menus.h"
#include "framework/window/display_scale.h"

#include <algorithm>

namespace orvo {

namespace {

// Keeps a window from drawing while it is laid out again, then redraws it whole, frame and
// children at once: a DPI change shows as one picture, not as each control moving.
class TRedrawLock {
public:
    explicit TRedrawLock(HWND window) : FWindow(IsWindowVisible(window) ? window : nullptr) {
        if (FWindow) SendMessageW(FWindow, WM_SETREDRAW, FALSE, 0);
    }
    ~TRedrawLock() {
        if (!FWindow || !IsWindow(FWindow)) return;
        SendMessageW(FWindow, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(FWindow, nullptr, nullptr,
                     RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    TRedrawLock(const TRedrawLock&) = delete;
    TRedrawLock& operator=(const TRedrawLock&) = delete;

private:
    HWND FWindow;
};

} // namespace

// The monitor a window is about to appear on: where ApplyPosition will put it.
int TCustomForm::DpiForNewWindow() const {
    if (Parent()) return Parent()->CurrentDpi();
    if (IsMDIChild()) return FMDIFrame ? FMDIFrame->CurrentDpi() : CurrentDpi();
    const TCustomForm* over = nullptr;
    if (Centres(over)) return over && over->HandleAllocated() ? over->CurrentDpi() : PrimaryMonitorDpi();
    // The system places it (the primary monitor), or its stored bounds do.
    if (FPosition == poDefault || FPosition == poDefaultPosOnly) return PrimaryMonitorDpi();
    return DpiForRect(BoundsRect());
}

void TCustomForm::KnowClientSize(int dpiOfClient) {
    if (FDesignClientKnown) return;
    // Never given one: the size it has, at the DPI it has it.
    const RECT client = ClientRect();
    FDesignClientWidth = TScaledLength{client.right - client.left, dpiOfClient};
    FDesignClientHeight = TScaledLength{client.bottom - client.top, dpiOfClient};
    FDesignClientKnown = true;
}

SIZE TCustomForm::DesignClientSizeAt(int dpi) {
    if (!ScalingDpi()) KnowClientSize(CurrentDpi()); // while scaling it is known already
    return SIZE{FDesignClientWidth.At(dpi), FDesignClientHeight.At(dpi)};
}

void TCustomForm::KeepGivenClientSize(int width, int height) {
    if (ScalingDpi()) return;
    if (!FDesignClientKnown) {
        FDesignClientWidth = TScaledLength{width, CurrentDpi()};
        FDesignClientHeight = TScaledLength{height, CurrentDpi()};
        FDesignClientKnown = true;
        return;
    }
    FDesignClientWidth.Set(width, CurrentDpi());
    FDesignClientHeight.Set(height, CurrentDpi());
}

RECT TCustomForm::FrameForDpi(int dpi) {
    TCreateParams params;
    CreateParams(params);
    RECT frame = NativeFrameForDpi(params.Style, params.ExStyle, FMenu && !IsMDIChild(), dpi);
    if (HandleAllocated()) {
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE));
        frame = NativeFrameForDpi(style, exStyle, GetMenu(Handle()) != nullptr, dpi);
    }
    Perform(CM_FRAMEFORDPI, static_cast<WPARAM>(dpi), reinterpret_cast<LPARAM>(&frame));
    return frame;
}

void TCustomForm::ChangeScale(int oldDpi, int newDpi) {
    // The image lists first: the controls that show them take them up at the new size.
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* images = dynamic_cast<TImageList*>(Components(i))) images->SetDpi(newDpi);
    if (FMenu && FMenu->Images()) FMenu->Images()->SetDpi(newDpi);
    if (Parent()) {
        // Embedded: a control among controls.
        TCustomControl::ChangeScale(oldDpi, newDpi);
        return;
    }
    // Its own client size at the old DPI, taken before anything moves.
    KnowClientSize(oldDpi);
    // Scrolled content goes home first: the positions the controls keep are unscrolled ones.
    const POINT scrolled = FScrollPos;
    if (scrolled.x || scrolled.y) ScrollTo(0, 0);
    ScaleFont(newDpi);
    ScaleChildren(newDpi);
    for (TCustomForm* child : std::vector<TCustomForm*>(FMDIChildForms))
        child->ScaleForDpi(newDpi);
    ApplyScaledClientSize(newDpi);
    UpdateScrollBars();
    if (scrolled.x || scrolled.y)
        ScrollTo(ScaleLengthBetween(scrolled.x, oldDpi, newDpi), ScaleLengthBetween(scrolled.y, oldDpi, newDpi));
}

void TCustomForm::Loaded() {
    TCustomControl::Loaded();
    if (!HandleAllocated() || Parent()) return;
    if (!IsMDIChild()) ScaleForDpi(DpiForWindow(Handle()));
}

void TCustomForm::ApplyScaledClientSize(int dpi) {
    const SIZE client = DesignClientSizeAt(dpi);
    if (HandleAllocated() && FSuggestedRect) {
        const RECT& r = *FSuggestedRect;
        SetWindowPos(Handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // A maximised or minimised window keeps the size the system gives it; the client size is
    // its size when restored.
    if (HandleAllocated() && (IsZoomed(Handle()) || IsIconic(Handle()))) {
        FClientSize = client;
        FClientSizeWanted = true;
        return;
    }
    SetClientSize(client.cx, client.cy);
}

bool TCustomForm::HandleDpiMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_NCCREATE:
        if (!Parent() && !IsMDIChild()) EnableNonClientScaling(Handle());
        return false;
    case WM_DPICHANGED: {
        if (Parent() || IsMDIChild() || !m.LParam) return false;
        const int dpi = LOWORD(m.WParam);
        TRedrawLock lock(Handle());
        FSuggestedRect = reinterpret_cast<const RECT*>(m.LParam);
        try {
            // Already at that DPI (a second notice): the rectangle still holds.
            if (dpi == CurrentDpi())
                ApplyScaledClientSize(dpi);
            else
                ScaleForDpi(dpi);
        } catch (...) {
            FSuggestedRect = nullptr;
            throw;
        }
        FSuggestedRect = nullptr;
        m.Result = 0;
        return true;
    }
    case WM_GETDPISCALEDSIZE: {
        if (Parent() || IsMDIChild() || !m.LParam || IsZoomed(Handle())) return false;
        const int dpi = static_cast<int>(m.WParam);
        const SIZE client = DesignClientSizeAt(dpi);
        const RECT frame = FrameForDpi(dpi);
        auto* size = reinterpret_cast<SIZE*>(m.LParam);
        size->cx = client.cx + frame.right - frame.left;
        size->cy = client.cy + frame.bottom - frame.top;
        m.Result = TRUE;
        return true;
    }
    case CM_FRAMEFORDPI:
        // The system's frame (filled in by FrameForDpi) stands: nobody drew another.
        m.Result = 0;
        return true;
    case WM_EXITSIZEMOVE: {
        // The user sized the window: that client size is the one it keeps.
        TCustomControl::WndProc(m);
        if (!IsZoomed(Handle()) && !IsIconic(Handle())) {
            RECT client{};
            GetClientRect(Handle(), &client);
            KeepGivenClientSize(client.right, client.bottom);
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace orvo
