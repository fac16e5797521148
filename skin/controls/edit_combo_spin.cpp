// Edits, up-downs, combo boxes and date-time pickers.
//
// Not done: the extended combo box (FlatMode) only through the flag a rule sets; no rule sets it.
#include "skin/controls/edit_combo_spin.h"

#include "framework/base/prop_access.h"
#include "framework/controls/control.h"
#include "framework/controls/date_time_picker.h"
#include "framework/graphics/gdi_handle.h"
#include "framework/window/display_scale.h"
#include "skin/controls/scroll_bar.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/data/user32_optional.h"
#include "skin/draw/draw_helpers.h"
#include "skin/draw/skin_draw.h"
#include "skin/form/form_skin.h"
#include "skin/form/item_colours.h"
#include "skin/form/window_colours.h"

#include <commctrl.h>

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TSkinEdit);
ORVO_IMPLEMENT_CLASS(TSkinUpDown);
ORVO_IMPLEMENT_CLASS(TSkinComBox);
ORVO_IMPLEMENT_CLASS(TArrowButton);
ORVO_IMPLEMENT_CLASS(TSkinDateTime);

namespace {

constexpr int UpDownFrames = 8;
constexpr int ComboFrames = 4;
constexpr TColor White = 0xFFFFFF;

int Frames(const TDataSkinObject* e, int fallback) {
    return e && e->Frame > 0 ? e->Frame : fallback;
}

COLORREF Rgb(TColor c) {
    return static_cast<COLORREF>(ColorToRGB(c));
}

void Frame(HDC dc, const RECT& r, TColor colour) {
    TBrushHandle brush(CreateSolidBrush(Rgb(colour)));
    FrameRect(dc, &r, brush.Get());
}

RECT Shrunk(RECT r, int by) {
    InflateRect(&r, -by, -by);
    return r;
}

// The window has a border: its client area is smaller than the window.
bool HasBorder(HWND window) {
    RECT w{};
    RECT c{};
    GetWindowRect(window, &w);
    GetClientRect(window, &c);
    return c.right < w.right - w.left && c.bottom < w.bottom - w.top;
}

// A rectangle of `inner` (a child window) in `outer`'s window coordinates.
RECT WindowRectIn(HWND outer, HWND inner) {
    RECT o{};
    RECT i{};
    GetWindowRect(outer, &o);
    GetWindowRect(inner, &i);
    OffsetRect(&i, -o.left, -o.top);
    return i;
}

POINT CursorIn(HWND window) {
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(window, &p);
    return p;
}

} // namespace

// ---- plain rules -----------------------------------------------------------------------------

int UpDownHalfAt(SIZE size, bool horizontal, POINT p) noexcept {
    const int half = (horizontal ? size.cx : size.cy) / 2;
    return (horizontal ? p.x : p.y) < half ? 0 : 1;
}

int UpDownFrame(int half, bool enabled, bool pressed, bool hot, int cursorHalf) noexcept {
    int state = bsNormalState;
    if (!enabled)
        state = bsDisabledState;
    else if (pressed && cursorHalf == half)
        state = bsPressedState;
    else if (hot && cursorHalf == half)
        state = bsHotState;
    return half == 0 ? state : state + 4;
}

int ComboButtonState(bool enabled, bool pressed, bool focused, bool hot) noexcept {
    if (!enabled) return bsDisabledState;
    if (pressed) return bsPressedState;
    if (focused || hot) return bsHotState;
    return bsNormalState;
}

// ---- TSkinEdit -------------------------------------------------------------------------------

// A date-time picker (a date one skinned as such, a time one as an edit) writes its text in the
// platform's window text whatever its colours: under a skin that dresses window colours it is
// painted with the skin's text, then the skin's border goes over it as after any paint.
bool TSkinEdit::PaintPickerText(TSkinControl& skin, TMessage& m) {
    if (m.Msg != WM_PAINT || !skin.SkinData) return false;
    if (!dynamic_cast<TDateTimePicker*>(skin.Control) && LowerText(WindowClassName(skin.Handle)) != L"sysdatetimepick32")
        return false;
    const TWindowPalette palette = WindowPaletteOf(*skin.SkinData);
    // Its background comes from its colour message already: only the text is the platform's.
    if (!palette.Dressed ||
        !PaintRecoloured(skin.Handle, m, [&skin](TMessage& inner) { skin.CallDefault(inner); },
                         {palette.Window, palette.Window}, {GetSysColor(COLOR_WINDOWTEXT), palette.WindowText}))
        return false;
    skin.PaintSkin(nullptr);
    return true;
}

void TSkinEdit::Unskin() {
    if (!Active) return;
    TSkinControl::Unskin();
    if (UpDown && State != TSkinControlState::Destroyed) UpDown->Unskin();
}

void TSkinEdit::FindUpDown() {
    if (UpDown || !SkinData || !SkinData->SkinControls().Contains(xcSpin)) return;
    for (HWND child = GetTopWindow(Handle); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring name = LowerText(WindowClassName(child));
        if (name != L"msctls_updown32" && name.find(L"spin") == std::wstring::npos &&
            name.find(L"updown") == std::wstring::npos)
            continue;
        if (SendMessageW(child, SKM_ISSKINNED, 0, 0) == 1) return;
        auto* skin = new TSkinUpDown(this);
        skin->InEdit = true;
        skin->AttachWindow(child, SkinData, Form, FormCanvas);
        if (!skin->Attached) {
            delete skin;
            return;
        }
        UpDown = skin;
        skin->Repaint();
        return;
    }
}

void TSkinEdit::DrawSkin(HDC dc, const RECT& r) {
    FindUpDown();
    if (!HasBorder(Handle) || !SkinData) return;
    // The rings inside the line meet the text area, in its colour.
    const TColor inside = static_cast<TColor>(BackgroundOf(Handle));
    Frame(dc, r, SkinData->Colour(scButtonShadow));
    Frame(dc, Shrunk(r, 1), inside);
    Frame(dc, Shrunk(r, 2), inside);
}

void TSkinEdit::PrintBorder(HDC dc) {
    RECT w{};
    RECT c{};
    GetWindowRect(Handle, &w);
    GetClientRect(Handle, &c);
    OffsetRect(&w, -w.left, -w.top);
    if (!SkinData || c.right >= w.right - 2 || c.bottom >= w.bottom - 2) return;
    TSavedDc saved(dc);
    // The ring inside in the brush the caller painted with, the line outside in the shadow colour.
    const RECT inner = Shrunk(w, 1);
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    Frame(dc, w, SkinData->Colour(scButtonShadow));
}

void TSkinEdit::RenderInto(HDC dc) {
    {
        // The edit paints its client area at the client area's place in the window.
        TSavedDc saved(dc);
        RECT w{};
        GetWindowRect(Handle, &w);
        POINT origin{0, 0};
        ClientToScreen(Handle, &origin);
        OffsetViewportOrgEx(dc, origin.x - w.left, origin.y - w.top, nullptr);
        TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
        CallDefault(paint);
    }
    TSavedDc saved(dc);
    PaintSkin(dc);
}

bool TSkinEdit::BeforeMessage(TMessage& m) {
    if (PaintPickerText(*this, m)) return false;
    if (m.Msg == SKM_PAINTCONTROLINTO && m.LParam == SkmPaintMagic) {
        if (m.WParam) RenderInto(reinterpret_cast<HDC>(m.WParam));
        m.Result = SkmPaintMagic;
        return false;
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinEdit::AfterMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
    case WM_NCPAINT:
        // The platform's frame painting (focus, size) would bring the sunken edge back.
        PaintSkin(m.Msg == WM_PAINT ? reinterpret_cast<HDC>(m.WParam) : nullptr);
        break;
    case WM_PRINTCLIENT:
        if (m.WParam) {
            PrintBorder(reinterpret_cast<HDC>(m.WParam));
        } else if (HDC dc = GetWindowDC(Handle)) {
            PrintBorder(dc);
            ReleaseDC(Handle, dc);
        }
        break;
    default:
        TSkinControl::AfterMessage(m);
        break;
    }
}

// ---- TSkinUpDown -----------------------------------------------------------------------------

bool TSkinUpDown::IsHorizontal() const {
    return Horizontal == 1 || (Style() & UDS_HORZ);
}

int TSkinUpDown::CursorHalf(SIZE face) const {
    const POINT p = CursorIn(Handle);
    RECT c{};
    GetClientRect(Handle, &c);
    return PtInRect(&c, p) ? UpDownHalfAt(face, IsHorizontal(), p) : -1;
}

void TSkinUpDown::SetHot(bool hot) {
    RECT c{};
    GetClientRect(Handle, &c);
    const int half = hot ? CursorHalf(SIZE{c.right, c.bottom}) : -1;
    if (hot == Hot() && half == FCursorHalf) return;
    MouseState = hot ? (MouseState | msHot) : (MouseState & ~msHot);
    FCursorHalf = half;
    PaintSkin(nullptr);
}

bool TSkinUpDown::BeforeMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
        FullPaint(m);
        return false;
    case WM_ERASEBKGND:
        if (Control) return true;
        if (m.WParam) {
            RECT c{};
            GetClientRect(Handle, &c);
            TBrushHandle fill(CreateSolidBrush(InEdit ? BackgroundOf(GetParent(Handle)) : Rgb(White)));
            FillRect(reinterpret_cast<HDC>(m.WParam), &c, fill.Get());
        }
        m.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        CallDefault(m);
        MouseState |= msPressed;
        PaintSkin(nullptr);
        return false;
    case WM_LBUTTONUP:
        MouseState &= ~msPressed;
        CallDefault(m);
        PaintSkin(nullptr);
        return false;
    default:
        return TSkinControl::BeforeMessage(m);
    }
}

void TSkinUpDown::AfterMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_MOUSEMOVE:
    case CM_MOUSEENTER:
        if (m.Msg == WM_MOUSEMOVE) TrackMouseLeave(Handle);
        SetHot(true);
        break;
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
        SetHot(false);
        break;
    default:
        TSkinControl::AfterMessage(m);
        break;
    }
}

void TSkinUpDown::DrawHalf(HDC dc, const RECT& r, int frame, bool horizontal, bool first) const {
    TDataSkinBorder* e = horizontal ? Skin().UpDownHorz() : Skin().UpDownVert();
    if (HasImage(e)) {
        const int frames = Frames(e, UpDownFrames);
        DrawFrameStrip(dc, r, e->Image, true, frames, frame);
        if (!e->Image2.Empty()) DrawCentredFrame(dc, r, e->Image2, true, frames, frame);
        return;
    }
    // Without the element: a plain button with a line arrow.
    const int state = first ? frame : frame - 4;
    const TColor fill = (state == bsPressedState || state == bsHotState) ? SkinData->Colour(scButtonShadow)
                                                                        : SkinData->Colour(scButtonFace);
    TBrushHandle brush(CreateSolidBrush(Rgb(fill)));
    TPenHandle pen(CreatePen(PS_SOLID, 1, Rgb(SkinData->Colour(scButtonDkShadow))));
    HGDIOBJ oldBrush = SelectObject(dc, brush.Get());
    HGDIOBJ oldPen = SelectObject(dc, pen.Get());
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    const int cx = (r.left + r.right) / 2;
    const int cy = (r.top + r.bottom) / 2;
    if (!horizontal) {
        const int y = cy - 2;
        const int dir = first ? 1 : -1; // the arms go down from an up arrow's apex
        for (int line = 0; line < 3; ++line) {
            MoveToEx(dc, cx - 3, y + dir * (3 + line), nullptr);
            LineTo(dc, cx, y + dir * line);
            LineTo(dc, cx + 4, y + dir * (4 + line));
        }
    } else {
        const int dir = first ? 1 : -1; // a left arrow's point is at the left
        for (int column = 0; column < 2; ++column) {
            const int x = cx - dir + dir * column;
            MoveToEx(dc, x, cy - 2 - column, nullptr);
            LineTo(dc, x, cy + 2 + column);
        }
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

void TSkinUpDown::DrawSkin(HDC dc, const RECT& window) {
    if (!SkinData) return;
    RECT r{};
    GetClientRect(Handle, &r);
    (void)window;
    if (InEdit) {
        TBrushHandle inside(CreateSolidBrush(BackgroundOf(GetParent(Handle))));
        FillRect(dc, &r, inside.Get());
        // Clear of the edit's border: at least 3 pixels from its top, bottom and right.
        HWND parent = GetParent(Handle);
        RECT self{};
        RECT outer{};
        GetWindowRect(Handle, &self);
        GetWindowRect(parent, &outer);
        if (self.top - outer.top < 3) r.top += 3 - (self.top - outer.top);
        if (outer.bottom - self.bottom < 3) r.bottom -= 3 - (outer.bottom - self.bottom);
        if (outer.right - self.right < 3) r.right -= 3 - (outer.right - self.right);
    }
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    draw_detail::TScratch scratch(w, h);
    HDC b = scratch.Dc();
    const RECT all{0, 0, w, h};
    FillFace(b, all);
    const bool enabled = !(Style() & WS_DISABLED);
    const bool horizontal = IsHorizontal();
    const int half = CursorHalf(SIZE{w, h});
    for (int i : {0, 1}) {
        // The first half (up, left) and the second, split in the middle.
        RECT part = all;
        LONG& split = horizontal ? (i == 0 ? part.right : part.left) : (i == 0 ? part.bottom : part.top);
        split = (horizontal ? w : h) / 2;
        DrawHalf(b, part, UpDownFrame(i, enabled, Pressed(), Hot(), half), horizontal, i == 0);
    }
    BitBlt(dc, r.left, r.top, w, h, b, 0, 0, SRCCOPY);
}

// ---- TSkinComBox -----------------------------------------------------------------------------

TSkinComBox::~TSkinComBox() {
    FEditSubclass.Detach();
    delete ListScroll;
    ListScroll = nullptr;
    delete DropScroll;
    DropScroll = nullptr;
}

bool TSkinComBox::ReadComboInfo() {
    ComboInfo = COMBOBOXINFO{};
    return Handle && ComboBoxInfo(Handle, ComboInfo);
}

void TSkinComBox::AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor, TCanvas* formCanvas) {
    if (Attached) return;
    TSkinControl::AttachControl(form, skinData, manageColor, formCanvas);
    if (Attached) AttachParts(true);
}

void TSkinComBox::AttachWindow(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* formCanvas) {
    if (Attached) return;
    TSkinControl::AttachWindow(window, skinData, form, formCanvas);
    if (Attached) AttachParts(false);
}

void TSkinComBox::AttachParts(bool frameworkRoad) {
    ComboStyle = Style();
    ComboExStyle = ExStyle();
    const DWORD type = ComboStyle & 3;
    if (!ReadComboInfo()) return;
    if (type != CBS_SIMPLE) {
        ListHandle = nullptr;
        if (frameworkRoad && (ComboStyle & CBS_DROPDOWN) && ComboInfo.hwndList) {
            DropScroll = new TComboxScrollBar(nullptr);
            DropScroll->AttachWindow(ComboInfo.hwndList, SkinData, nullptr, FormCanvas);
            if (!DropScroll->Attached) {
                delete DropScroll;
                DropScroll = nullptr;
            }
        }
        // A drop-down list has no inner edit (its item window is the combo itself).
        HWND item = ComboInfo.hwndItem;
        if (type == CBS_DROPDOWN && item && item != Handle && LowerText(WindowClassName(item)) == L"edit") {
            EditHandle = item;
            if (!Unicode) FEditSubclass.Attach(item, [this](TMessage& msg) { EditMessage(msg); });
        }
        return;
    }
    ListHandle = ComboInfo.hwndList;
    if (ComboInfo.hwndItem && ComboInfo.hwndItem != Handle) EditHandle = ComboInfo.hwndItem;
    if (!frameworkRoad || !ListHandle) return;
    const auto listStyle = static_cast<DWORD>(GetWindowLongPtrW(ListHandle, GWL_STYLE));
    if ((listStyle & WS_POPUP) || GetParent(ListHandle) == GetDesktopWindow() || !(listStyle & WS_CHILD)) return;
    ListScroll = new TSkinScrollbarH(nullptr);
    ListScroll->AttachWindow(ListHandle, SkinData, nullptr, FormCanvas);
    if (!ListScroll->Attached) {
        delete ListScroll;
        ListScroll = nullptr;
    }
}

void TSkinComBox::ReleaseParts() {
    FEditSubclass.Detach();
    if (ListScroll) ListScroll->Unskin();
    if (DropScroll) DropScroll->Unskin();
    delete ListScroll;
    ListScroll = nullptr;
    delete DropScroll;
    DropScroll = nullptr;
}

void TSkinComBox::Unskin() {
    if (!Active) return;
    TSkinControl::Unskin();
    if (State != TSkinControlState::Destroyed) ReleaseParts();
}

void TSkinComBox::EditMessage(TMessage& m) {
    FEditSubclass.CallDefault(m);
    if (!Active) return;
    switch (m.Msg) {
    case WM_PAINT:
        PaintSkin(nullptr);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseState |= msPressed;
        Repaint();
        break;
    case WM_LBUTTONUP:
        MouseState &= ~msPressed;
        Repaint();
        break;
    default:
        break;
    }
}

void TSkinComBox::AfterMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Repaint();
        break;
    case WM_MOUSEMOVE: {
        if (!Control) TrackMouseLeave(Handle);
        const POINT p = PointFromLParam(m.LParam);
        const bool over = PtInRect(&ButtonRect, p) != FALSE;
        const bool enabled = IsWindowEnabled(Handle) != FALSE;
        if (Hot() && (!over || !enabled)) {
            MouseState &= ~msHot;
            Repaint();
        } else if (!Hot() && over && enabled) {
            MouseState |= msHot;
            Repaint();
        }
        break;
    }
    case WM_DRAWITEM:
    case WM_NCPAINT:
        Repaint();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseState |= msPressed;
        Repaint();
        break;
    case WM_LBUTTONUP:
        MouseState &= ~msPressed;
        Repaint();
        break;
    case CM_MOUSELEAVE:
    case WM_MOUSELEAVE:
        if (Hot()) {
            MouseState &= ~msHot;
            Repaint();
        }
        break;
    case CN_COMMAND:
        if (HIWORD(m.WParam) == CBN_DROPDOWN) DroppedDown = true;
        if (HIWORD(m.WParam) == CBN_CLOSEUP) {
            DroppedDown = false;
            // The press that opened the list ended inside the list.
            MouseState &= ~msPressed;
            Repaint();
        }
        break;
    default:
        TSkinControl::AfterMessage(m);
        break;
    }
}

void TSkinComBox::DrawFlat(HDC dc, const RECT& r, int state) {
    TDataSkinBorder* combo = Skin().ComboButton();
    const bool left = ComboExStyle & WS_EX_LEFTSCROLLBAR;
    const int strip = SystemMetricForDpi(SM_CYVTHUMB, Dpi());
    // The DC's brush where the sunken edge was.
    HBRUSH back = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
    const RECT ring = Shrunk(r, 1);
    FrameRect(dc, &ring, back);
    const RECT inner = Shrunk(r, 2);
    RECT fill = inner;
    if (left)
        fill.right = fill.left + strip;
    else
        fill.left = fill.right - strip;
    FillRect(dc, &fill, back);
    const int frames = Frames(combo, ComboFrames);
    const int frameWidth = combo->Image.Width() / frames;
    const int frameHeight = combo->Image.Height();
    RECT button = inner;
    if (left)
        button.right = std::min<LONG>(button.right, button.left + frameWidth);
    else
        button.left = std::max<LONG>(button.left, button.right - frameWidth);
    if (frameHeight < strip) {
        const int top = button.top + ((button.bottom - button.top) - frameHeight) / 2;
        button.top = top;
        button.bottom = top + frameHeight;
    }
    ButtonRect = button;
    Frame(dc, r, SkinData->Colour(scButtonShadow));
    DrawFrameStrip(dc, button, left && !combo->Image2.Empty() ? combo->Image2 : combo->Image, true, frames, state);
}

void TSkinComBox::DrawSkin(HDC dc, const RECT& r) {
    if (!SkinData) return;
    TDataSkinBorder* combo = Skin().ComboButton();
    if (!HasImage(combo)) return;
    ComboStyle = Style();
    ComboExStyle = ExStyle();
    if (ReadComboInfo()) {
        ButtonRect = ComboInfo.rcButton;
        if (ComboInfo.stateButton & STATE_SYSTEM_INVISIBLE) return;
    }
    TSavedDc saved(dc);
    const bool enabled = IsWindowEnabled(Handle) != FALSE;
    const bool focused = GetFocus() == Handle || (EditHandle && GetFocus() == EditHandle);
    if (combo->Style == 1) {
        // Focus lights the flat button only while the control is enabled.
        DrawFlat(dc, r, ComboButtonState(enabled, Pressed(), focused && enabled, Hot()));
        return;
    }
    const int state = ComboButtonState(enabled, Pressed(), focused, Hot());
    const int b = SystemMetricForDpi(SM_CXHSCROLL, Dpi());
    const int frames = Frames(combo, ComboFrames);
    if (FlatMode) {
        if (HasBorder(Handle)) {
            Frame(dc, r, SkinData->Colour(scButtonShadow));
            Frame(dc, Shrunk(r, 1), static_cast<TColor>(BackgroundOf(Handle)));
        }
        HWND first = GetTopWindow(Handle);
        TDataSkinObject* arrow = Skin().ComboxArrow();
        if (first && HasImage(arrow)) {
            const RECT at = WindowRectIn(Handle, first);
            FillFace(dc, at);
            DrawFrameStrip(dc, at, arrow->Image, true, Frames(arrow, ComboFrames), state);
        }
        return;
    }
    TDataSkinObject* sunk = Skin().SunkEdge();
    const bool left = ComboExStyle & WS_EX_LEFTSCROLLBAR;
    if (combo->Style == 2) {
        TDataSkinObject& e = left && HasImage(sunk) ? *sunk : *combo;
        DrawSliced(dc, r, e.Image, Frames(&e, ComboFrames), state, false, MarginsOf(e), e.Tile == 1, true);
        return;
    }
    RECT button{};
    RECT glyph{};
    if (!left) {
        ExcludeClipRect(dc, 2, 2, r.right - b - 4, r.bottom - 2);
        button = RECT{r.right - b - 2, 0, r.right, r.bottom};
        glyph = RECT{button.left, 0, r.right - 2, r.bottom};
    } else {
        ExcludeClipRect(dc, b + 4, 2, r.right - 2, r.bottom - 2);
        button = RECT{0, 0, b + 2, r.bottom};
        glyph = RECT{2, 0, b + 2, r.bottom};
    }
    if (HasImage(sunk))
        DrawSliced(dc, r, sunk->Image, Frames(sunk, ComboFrames), state, false, MarginsOf(*sunk), sunk->Tile == 1,
                   sunk->Trans != 0);
    TBitmap& image = left && !combo->Image2.Empty() ? combo->Image2 : combo->Image;
    DrawFrameStrip(dc, button, image, true, frames, state);
    ButtonRect = button;
    TDataSkinObject* extra = Skin().ExtraImages();
    if (HasImage(extra)) DrawCentredFrame(dc, glyph, extra->Image, true, Frames(extra, 5), state);
}

// ---- TArrowButton and TSkinDateTime ----------------------------------------------------------

TArrowButton::TArrowButton(TComponent* owner, TSkinDateTime* skin, TWinControl* picker)
    : TCustomControl(owner), Picker(picker), SkinOwner(skin) {
    ButtonWidth = SystemMetricForDpi(SM_CXHSCROLL, skin ? skin->Dpi() : SystemDpi());
    SetTabStop(false);
}

void TArrowButton::Place() {
    if (!Picker || !PickerHandle || !IsWindow(PickerHandle)) return;
    RECT r{};
    GetWindowRect(PickerHandle, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const bool left = GetWindowLongPtrW(PickerHandle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR;
    SetBounds(left ? 2 : width - ButtonWidth - 4, 0, ButtonWidth, std::max(height - 4, 0));
}

void TArrowButton::Paint() {
    if (!SkinOwner || !SkinOwner->SkinData) return;
    HDC dc = Canvas()->Handle();
    RECT r{};
    GetClientRect(Handle(), &r);
    RECT pickerRect{};
    GetWindowRect(PickerHandle, &pickerRect);
    r.bottom = std::max<LONG>(pickerRect.bottom - pickerRect.top - 4, 0);
    TBrushHandle face(CreateSolidBrush(Rgb(SkinOwner->SkinData->Colour(scButtonFace))));
    FillRect(dc, &r, face.Get());
    TDataSkinObject* arrow = SkinOwner->Skin().ComboxArrow();
    if (!HasImage(arrow)) return;
    const int frames = Frames(arrow, ComboFrames);
    const int frame = std::min((MouseState & msHot) ? 4 : 1, frames);
    DrawFrameStrip(dc, r, arrow->Image, false, frames, frame);
}

void TArrowButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case SKM_ISSKINNED:
        m.Result = 1;
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TCustomControl::WndProc(m);
        if (Picker && Picker->Enabled()) {
            MouseState = m.Msg == CM_MOUSEENTER ? (MouseState | msHot) : (MouseState & ~msHot);
            Invalidate();
        }
        return;
    case WM_LBUTTONDOWN: {
        TCustomControl::WndProc(m);
        // The picker opens its own calendar for a click on its own button.
        POINT p = PointFromLParam(m.LParam);
        p.x += Left();
        p.y += Top();
        const LPARAM at = MAKELPARAM(p.x, p.y);
        PostMessageW(PickerHandle, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(PickerHandle, WM_LBUTTONUP, 0, at);
        Invalidate();
        return;
    }
    case WM_LBUTTONUP:
        TCustomControl::WndProc(m);
        if (PickerHandle && IsWindow(PickerHandle)) ::SetFocus(PickerHandle);
        return;
    default:
        TCustomControl::WndProc(m);
    }
}

TSkinDateTime::~TSkinDateTime() {
    delete Arrow;
    Arrow = nullptr;
}

void TSkinDateTime::AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor, TCanvas* formCanvas) {
    if (Attached) return;
    TSkinControl::AttachControl(form, skinData, manageColor, formCanvas);
    auto* picker = dynamic_cast<TWinControl*>(Control);
    if (!Attached || !picker || !Handle) return;
    Arrow = new TArrowButton(nullptr, this, picker);
    Arrow->PickerHandle = Handle;
    Arrow->SetParentWindow(Handle);
    Arrow->Place();
    Arrow->HandleNeeded();
    SetWindowLongPtrW(Handle, GWL_STYLE, GetWindowLongPtrW(Handle, GWL_STYLE) | WS_CLIPCHILDREN);
}

void TSkinDateTime::Unskin() {
    if (!Active) return;
    TSkinControl::Unskin();
    if (State != TSkinControlState::Destroyed) {
        delete Arrow;
        Arrow = nullptr;
    }
}

bool TSkinDateTime::BeforeMessage(TMessage& m) {
    if (TSkinEdit::PaintPickerText(*this, m)) return false;
    return TSkinControl::BeforeMessage(m);
}

void TSkinDateTime::AfterMessage(TMessage& m) {
    if (m.Msg == WM_SIZE && Arrow) {
        Arrow->Place();
        Arrow->Invalidate();
        return;
    }
    TSkinControl::AfterMessage(m);
}

void TSkinDateTime::DrawSkin(HDC dc, const RECT& r) {
    if (Arrow) Arrow->Place();
    if (!SkinData || !HasBorder(Handle)) return;
    Frame(dc, r, SkinData->Colour(scButtonShadow));
    Frame(dc, Shrunk(r, 1), static_cast<TColor>(BackgroundOf(Handle)));
}

} // namespace orvo
