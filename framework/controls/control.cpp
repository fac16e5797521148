#include "framework/controls/control.h"

#include "framework/base/collection.h"
#include "framework/base/exceptions.h"
#include "framework/forms/forms.h"
#include "framework/controls/mouse_control.h"
#include "framework/base/properties.h"
#include "framework/base/sysutils.h"
#include "framework/controls/win_control.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TControl);

const TEnumType& AlignmentType() {
    static const TEnumType type(L"TAlignment", {L"taLeftJustify", L"taRightJustify", L"taCenter"});
    return type;
}

const TEnumType& BorderStyleType() {
    static const TEnumType type(L"TBorderStyle", {L"bsNone", L"bsSingle"});
    return type;
}

const TEnumType& FormBorderStyleType() {
    static const TEnumType type(L"TFormBorderStyle", {L"bsNone", L"bsSingle", L"bsSizeable", L"bsDialog",
                                                      L"bsToolWindow", L"bsSizeToolWin"});
    return type;
}

namespace {

struct TCursorEntry {
    TCursor Cursor;
    const wchar_t* Ident;
    LPCWSTR System;
};
const TCursorEntry Cursors[] = {
    {crDefault, L"crDefault", IDC_ARROW},
    {crNone, L"crNone", nullptr},
    {crArrow, L"crArrow", IDC_ARROW},
    {crCross, L"crCross", IDC_CROSS},
    {crIBeam, L"crIBeam", IDC_IBEAM},
    {crSizeNESW, L"crSizeNESW", IDC_SIZENESW},
    {crSizeNS, L"crSizeNS", IDC_SIZENS},
    {crSizeNWSE, L"crSizeNWSE", IDC_SIZENWSE},
    {crSizeWE, L"crSizeWE", IDC_SIZEWE},
    {crUpArrow, L"crUpArrow", IDC_UPARROW},
    {crHourGlass, L"crHourGlass", IDC_WAIT},
    {crNo, L"crNo", IDC_NO},
    {crAppStart, L"crAppStart", IDC_APPSTARTING},
    {crHelp, L"crHelp", IDC_HELP},
    {crHandPoint, L"crHandPoint", IDC_HAND},
    {crSizeAll, L"crSizeAll", IDC_SIZEALL},
};

} // namespace

const TIntegerType& CursorType() {
    static const TIntegerType type(
        L"TCursor",
        [](std::wstring_view ident) -> std::optional<std::int32_t> {
            for (const TCursorEntry& e : Cursors)
                if (SameText(e.Ident, ident)) return e.Cursor;
            return std::nullopt;
        },
        [](std::int32_t value) -> std::optional<std::wstring> {
            for (const TCursorEntry& e : Cursors)
                if (e.Cursor == value) return std::wstring(e.Ident);
            return std::nullopt;
        });
    return type;
}

HCURSOR CursorHandle(TCursor cursor) {
    for (const TCursorEntry& e : Cursors)
        if (e.Cursor == cursor) return e.System ? LoadCursorW(nullptr, e.System) : nullptr;
    return LoadCursorW(nullptr, IDC_ARROW);
}

void TControl::Publish(TPublisher<TControl>& p) {
    p.Integer(L"Left", &TControl::Left, &TControl::SetLeft);
    p.Integer(L"Top", &TControl::Top, &TControl::SetTop);
    p.Integer(L"Width", &TControl::Width, &TControl::SetWidth);
    p.Integer(L"Height", &TControl::Height, &TControl::SetHeight);
    p.Boolean(L"Visible", &TControl::Visible, &TControl::SetVisible);
    p.Boolean(L"Enabled", &TControl::Enabled, &TControl::SetEnabled);
    p.Enum(L"BiDiMode", BiDiModeType(), &TControl::BiDiMode, &TControl::SetBiDiMode);
    p.Integer(L"Cursor", CursorType(), &TControl::Cursor, &TControl::SetCursor);
    p.String(L"Hint", &TControl::Hint, &TControl::SetHint);
    p.Boolean(L"ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
    p.Boolean(L"ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint);
    p.Event(L"OnClick", &TControl::OnClick);
    p.Event(L"OnDblClick", &TControl::OnDblClick);
    p.Event(L"OnMouseDown", &TControl::OnMouseDown);
    p.Event(L"OnMouseUp", &TControl::OnMouseUp);
    p.Event(L"OnMouseMove", &TControl::OnMouseMove);
    p.Event(L"OnMouseEnter", &TControl::OnMouseEnter);
    p.Event(L"OnMouseLeave", &TControl::OnMouseLeave);
    p.Event(L"OnResize", &TControl::OnResize);
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    WindowProc = [this](TMessage& m) { WndProc(m); };
    FFont.OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
    // What the control owns (skin objects chained into WindowProc among them) goes while the
    // control is whole.
    Destroying();
    DestroyComponents();
    ForgetMouseControl(this);
    ForgetCaptureControl(this);
    SetParent(nullptr);
}

// ---- parent ----------------------------------------------------------------------------------

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    for (const TControl* p = parent; p; p = p->FParent)
        if (p == this)
            throw EInvalidOperation(L"A control cannot be placed inside itself or a control it holds");
    if (FParent) FParent->RemoveControl(this);
    if (parent) parent->InsertControl(this);
    ParentChanged();
    // Its lengths are at its own DPI until now: laid out at the parent's.
    if (parent && parent->CurrentDpi() != FCurrentDpi) ScaleForDpi(parent->CurrentDpi());
}

void TControl::SetParentComponent(TComponent* parent) {
    if (!parent) return;
    auto* control = dynamic_cast<TWinControl*>(parent);
    if (!control)
        throw EComponentError(L"A " + std::wstring(ClassName()) + L" cannot be placed inside a " +
                              std::wstring(parent->ClassName()));
    SetParent(control);
}

TComponent* TControl::GetParentComponent() const {
    return FParent;
}

int CollectionItemDpi(const TCollectionItem& item) noexcept {
    const TCollection* collection = item.Collection();
    const auto* control = collection ? dynamic_cast<const TControl*>(collection->Owner()) : nullptr;
    return control ? control->CurrentDpi() : DesignDpi;
}

TCustomForm* GetParentForm(const TControl* control) noexcept {
    if (!control) return nullptr;
    while (control->Parent())
        control = control->Parent();
    if (!control->InheritsFrom<TCustomForm>()) return nullptr;
    return static_cast<TCustomForm*>(const_cast<TControl*>(control));
}

// ---- bounds ----------------------------------------------------------------------------------

void TControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
    Invalidate();
    const bool resized = width != FWidth || height != FHeight;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    KeepGivenBounds();
    Invalidate();
    if (resized) Resize();
}

void TControl::UpdateBoundsFields(int left, int top, int width, int height) {
    const bool resized = width != FWidth || height != FHeight;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    KeepGivenBounds();
    if (resized) Resize();
}

void TControl::KeepGivenBounds() {
    if (FScalingDpi) return;
    FDesignLeft.Set(FLeft, FCurrentDpi);
    FDesignTop.Set(FTop, FCurrentDpi);
    FDesignRight.Set(FLeft + FWidth, FCurrentDpi);
    FDesignBottom.Set(FTop + FHeight, FCurrentDpi);
}

RECT TControl::DesignBoundsAt(int dpi) const noexcept {
    const int left = FDesignLeft.At(dpi), top = FDesignTop.At(dpi);
    return RECT{left, top, std::max(left, FDesignRight.At(dpi)), std::max(top, FDesignBottom.At(dpi))};
}

RECT TControl::ClientRect() {
    return RECT{0, 0, FWidth, FHeight};
}

void TControl::SetClientSize(int width, int height) {
    const RECT client = ClientRect();
    SetBounds(FLeft, FTop, FWidth - (client.right - client.left) + width,
              FHeight - (client.bottom - client.top) + height);
}

POINT TControl::ClientOrigin() {
    if (!FParent) return POINT{FLeft, FTop};
    POINT origin = FParent->ClientOrigin();
    origin.x += FLeft;
    origin.y += FTop;
    return origin;
}

POINT TControl::ClientToScreen(POINT p) {
    const POINT origin = ClientOrigin();
    return POINT{p.x + origin.x, p.y + origin.y};
}

POINT TControl::ScreenToClient(POINT p) {
    const POINT origin = ClientOrigin();
    return POINT{p.x - origin.x, p.y - origin.y};
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

// ---- state -----------------------------------------------------------------------------------

void TControl::SetVisible(bool visible) {
    if (visible == FVisible) return;
    FVisible = visible;
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
}

bool TControl::IsVisibleOnScreen() const {
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FVisible) return false;
    return true;
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::wstring& text) {
    if (GetText() == text) return;
    SetTextBuf(text);
}

void TControl::SetTextBuf(const std::wstring& text) {
    FText = text;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetColor(TColor color) {
    FParentColor = false;
    if (color == FColor) return;
    FColor = color;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
    if (value == FParentColor) return;
    FParentColor = value;
    if (value) AdoptParentColor();
}

void TControl::AdoptParentColor() {
    if (!FParent || FParent->Color() == FColor) return;
    FColor = FParent->Color();
    Perform(CM_COLORCHANGED);
}

void TControl::SetFont(TFont* font) {
    if (font) FFont.Assign(*font);
}

void TControl::SetParentFont(bool value) {
    if (value == FParentFont) return;
    FParentFont = value;
    if (value)
        AdoptParentFont();
    else if (!FScalingDpi)
        FDesignFontHeight.Set(FFont.Height(), FCurrentDpi);
}

void TControl::AdoptParentFont() {
    if (!FParent) return;
    FAdoptingFont = true;
    try {
        FFont.Assign(*FParent->Font());
    } catch (...) {
        FAdoptingFont = false;
        throw;
    }
    FAdoptingFont = false;
}

void TControl::FontChanged() {
    if (!FAdoptingFont) {
        FParentFont = false;
        if (!FScalingDpi) FDesignFontHeight.Set(FFont.Height(), FCurrentDpi);
    }
    Perform(CM_FONTCHANGED);
}

// ---- display scale ---------------------------------------------------------------------------

void TControl::ScaleForDpi(int dpi) {
    if (dpi <= 0 || dpi == FCurrentDpi) return;
    const int old = FCurrentDpi;
    FCurrentDpi = dpi;
    const bool outer = !FScalingDpi;
    FScalingDpi = true;
    try {
        ChangeScale(old, dpi);
    } catch (...) {
        if (outer) FScalingDpi = false;
        throw;
    }
    if (outer) FScalingDpi = false;
    Perform(CM_DPICHANGED, static_cast<WPARAM>(old), static_cast<LPARAM>(dpi));
}

void TControl::ChangeScale(int, int newDpi) {
    ScaleBounds(newDpi);
    ScaleFont(newDpi);
}

void TControl::ScaleBounds(int newDpi) {
    const RECT r = DesignBoundsAt(newDpi);
    SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TControl::ScaleFont(int newDpi) {
    FFont.SetPixelsPerInch(newDpi);
    // A font that follows the parent's is scaled already.
    if (!FParentFont) FFont.SetHeight(FDesignFontHeight.At(newDpi));
}

void TControl::SetBiDiMode(TBiDiMode mode) {
    if (mode == FBiDiMode) return;
    FBiDiMode = mode;
    Perform(CM_BIDIMODECHANGED);
}

UINT TControl::DrawTextBiDiModeFlags(UINT flags) const noexcept {
    if (UseRightToLeftAlignment()) {
        if (flags & DT_RIGHT)
            flags &= ~static_cast<UINT>(DT_RIGHT);
        else if (!(flags & DT_CENTER))
            flags |= DT_RIGHT;
    }
    if (UseRightToLeftReading()) flags |= DT_RTLREADING;
    return flags;
}

void TControl::SetShowHint(bool value) {
    FParentShowHint = false;
    if (value == FShowHint) return;
    FShowHint = value;
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
    if (value == FParentShowHint) return;
    FParentShowHint = value;
    if (value) AdoptParentShowHint();
}

void TControl::AdoptParentShowHint() {
    if (!FParent || FParent->ShowHint() == FShowHint) return;
    FShowHint = FParent->ShowHint();
    Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetCursor(TCursor cursor) {
    if (cursor == FCursor) return;
    FCursor = cursor;
    Perform(CM_CURSORCHANGED);
}

void TControl::SetControlState(TControlStateItem item, bool on) noexcept {
    if (on)
        FControlState.Include(item);
    else
        FControlState.Exclude(item);
}

// ---- messages --------------------------------------------------------------------------------

LRESULT TControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
    TMessage m{message, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
        return HandleMouseDown(m, mbLeft, false);
    case WM_LBUTTONDBLCLK:
        return HandleMouseDown(m, mbLeft, true);
    case WM_RBUTTONDOWN:
        return HandleMouseDown(m, mbRight, false);
    case WM_RBUTTONDBLCLK:
        return HandleMouseDown(m, mbRight, true);
    case WM_MBUTTONDOWN:
        return HandleMouseDown(m, mbMiddle, false);
    case WM_MBUTTONDBLCLK:
        return HandleMouseDown(m, mbMiddle, true);
    case WM_LBUTTONUP:
        return HandleMouseUp(m, mbLeft);
    case WM_RBUTTONUP:
        return HandleMouseUp(m, mbRight);
    case WM_MBUTTONUP:
        return HandleMouseUp(m, mbMiddle);
    case WM_MOUSEMOVE: {
        const POINT p = PointFromLParam(m.LParam);
        MouseMove(MouseShiftState(m.WParam), p.x, p.y);
        break;
    }
    case CM_MOUSEENTER:
        if (OnMouseEnter) OnMouseEnter(this);
        break;
    case CM_MOUSELEAVE:
        if (OnMouseLeave) OnMouseLeave(this);
        break;
    case CM_PARENTFONTCHANGED:
        if (FParentFont) AdoptParentFont();
        break;
    case CM_PARENTCOLORCHANGED:
        if (FParentColor) AdoptParentColor();
        break;
    case CM_PARENTSHOWHINTCHANGED:
        if (FParentShowHint) AdoptParentShowHint();
        break;
    case CM_VISIBLECHANGED:
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
        if (!IsWindowed()) Invalidate();
        break;
    default:
        break;
    }
    DefaultHandler(m);
}

void TControl::DefaultHandler(TMessage& m) {
    m.Result = 0;
}

void TControl::HandleMouseDown(TMessage& m, TMouseButton button, bool doubleClick) {
    if (button == mbLeft) {
        if (FControlStyle.Contains(csCaptureMouse)) SetCaptureControl(this);
        FControlState.Include(csLButtonDown);
        if (FControlStyle.Contains(csClickEvents) && !doubleClick) FControlState.Include(csClicked);
    }
    if (doubleClick && button == mbLeft && FControlStyle.Contains(csDoubleClicks)) DblClick();
    TShiftState shift = MouseShiftState(m.WParam);
    if (doubleClick) shift.Include(ssDouble);
    const POINT p = PointFromLParam(m.LParam);
    MouseDown(button, shift, p.x, p.y);
    DefaultHandler(m);
}

void TControl::HandleMouseUp(TMessage& m, TMouseButton button) {
    DefaultHandler(m);
    const POINT p = PointFromLParam(m.LParam);
    bool click = false;
    if (button == mbLeft) {
        if (CaptureControl() == this) SetCaptureControl(nullptr);
        const RECT client = ClientRect();
        click = FControlState.Contains(csClicked) && PtInRect(&client, p);
        FControlState.Exclude(csClicked);
        FControlState.Exclude(csLButtonDown);
    }
    MouseUp(button, MouseShiftState(m.WParam), p.x, p.y);
    // Last: a click handler may free the control.
    if (click) Click();
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

// ---- painting --------------------------------------------------------------------------------

void TControl::Invalidate() {
    if (!FParent || !FParent->HandleAllocated()) return;
    const RECT r = BoundsRect();
    InvalidateRect(FParent->Handle(), &r, FControlStyle.Contains(csOpaque) ? FALSE : TRUE);
}

void TControl::Update() {
    if (FParent) FParent->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

// ---- shift states ----------------------------------------------------------------------------

TShiftState MouseShiftState(WPARAM keyFlags) noexcept {
    TShiftState shift;
    if (keyFlags & MK_SHIFT) shift.Include(ssShift);
    if (keyFlags & MK_CONTROL) shift.Include(ssCtrl);
    if (keyFlags & MK_LBUTTON) shift.Include(ssLeft);
    if (keyFlags & MK_RBUTTON) shift.Include(ssRight);
    if (keyFlags & MK_MBUTTON) shift.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
    return shift;
}

TShiftState KeyDataShiftState(LPARAM keyData) noexcept {
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
    if (keyData & 0x20000000) shift.Include(ssAlt);
    return shift;
}

} // namespace orvo
