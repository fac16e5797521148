// Check boxes and radio buttons: frame tables, state reading and painting.
#include "skin/controls/check_radio.h"

#include "framework/base/prop_access.h"
#include "framework/controls/control.h"
#include "framework/controls/win_control.h"
#include "framework/graphics/font.h"
#include "skin/data/skin_data.h"

#include <algorithm>
#include <array>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TSkinCheckRadio);
ORVO_IMPLEMENT_CLASS(TSkinCheckBox);
ORVO_IMPLEMENT_CLASS(TSkinRadioButton);

namespace {

// The framework's check boxes and radio buttons send themselves this once their check state
// changed, also when it was set by code.
constexpr UINT CmCheckStateChanged = CM_CHECKSTATECHANGED;

// [look][disabled]
using TCheckTable = std::array<std::array<int, 2>, 4>;
constexpr TCheckTable CheckTable4{{{1, 3}, {2, 4}, {4, 4}, {4, 4}}};
constexpr TCheckTable CheckTable12{{{1, 4}, {5, 8}, {8, 8}, {9, 12}}};
// [checked][disabled]
using TRadioTable = std::array<std::array<int, 2>, 2>;
constexpr TRadioTable RadioTable4{{{1, 3}, {2, 4}}};
constexpr TRadioTable RadioTable8{{{1, 4}, {5, 8}}};

int HeightOf(const RECT& r) {
    return r.bottom - r.top;
}

bool OsDrawsNoFocusOnCheckBoxes() {
    const DWORD version = GetVersion();
    return LOBYTE(LOWORD(version)) == 6;
}

} // namespace

int GlyphStripFrames(int configured, int stripWidth, int stripHeight) noexcept {
    if (configured > 0) return configured;
    const int count = stripWidth / (stripHeight < 16 ? 13 : 16);
    return std::max(count, 4);
}

int CheckBoxGlyphFrame(TCheckLook look, bool disabled, int frameCount) noexcept {
    const TCheckTable& table = frameCount == 12 ? CheckTable12 : CheckTable4;
    const int frame = table[static_cast<std::size_t>(look)][disabled ? 1 : 0];
    return std::clamp(frame, 1, std::max(frameCount, 1));
}

int RadioGlyphFrame(bool checked, bool disabled, int frameCount) noexcept {
    const TRadioTable& table = frameCount == 8 ? RadioTable8 : RadioTable4;
    const int frame = table[checked ? 1 : 0][disabled ? 1 : 0];
    return std::clamp(frame, 1, std::max(frameCount, 1));
}

TGlyphCaptionPlace PlaceGlyphAndCaption(const RECT& r, SIZE glyph, bool leftText, bool rightToLeft, int inset) noexcept {
    TGlyphCaptionPlace place;
    const int top = r.top + (HeightOf(r) - glyph.cy) / 2;
    place.Caption = r;
    if (leftText) {
        const int right = r.right - inset;
        place.Glyph = RECT{right - glyph.cx, top, right, top + glyph.cy};
        place.Caption.right = place.Glyph.left - 2;
        place.Flags = rightToLeft ? DT_RIGHT : 0;
    } else {
        place.Glyph = RECT{r.left, top, r.left + glyph.cx, top + glyph.cy};
        place.Caption.left = place.Glyph.right + 2;
    }
    return place;
}

// ---- shared ----------------------------------------------------------------------------------

void TSkinCheckRadio::AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor, TCanvas* formCanvas) {
    if (Attached) return;
    TSkinControl::AttachControl(form, skinData, manageColor, formCanvas);
    TBitmap* strip = Strip();
    Mode = Control && strip && !strip->Empty() ? 1 : 0;
    Transparent = (Control && Control->Tag() == 5555) || (SkinData && SkinData->Options().Contains(xoTransparent));
}

bool TSkinCheckRadio::BeforeMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (Mode == 1) {
            FullPaint(m);
            return false;
        }
        break;
    case WM_ERASEBKGND:
        if (Transparent) {
            PaintBackground(m);
            return false;
        }
        break;
    default:
        break;
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinCheckRadio::AfterMessage(TMessage& m) {
    switch (m.Msg) {
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_EXIT:
    case CmCheckStateChanged:
        Repaint();
        break;
    default:
        TSkinControl::AfterMessage(m);
        break;
    }
}

void TSkinCheckRadio::DrawSkin(HDC dc, const RECT& r) {
    TBitmap* strip = Strip();
    if (!SkinData || !strip || strip->Empty()) {
        Mode = 0;
        return;
    }
    const int count = StripFrames();
    const SIZE glyph{strip->Width() / count, strip->Height()};
    const DWORD style = Style();
    Enabled = !(style & WS_DISABLED);
    Focused = Handle && GetFocus() == Handle;
    const bool rtl = RightToLeft();
    const TGlyphCaptionPlace place = PlaceGlyphAndCaption(r, glyph, (style & BS_LEFTTEXT) != 0, rtl, RightInset());
    const UINT flags = TextFlags(place.Flags);

    if (Mode == 1 && !Transparent) FillFace(dc, r);
    DrawGlyph(dc, place.Glyph, *strip, count, CurrentGlyphFrame());
    if (Mode == 0) return;

    Text = ReadText();
    TFont* font = ControlFont();
    HFONT handle = font ? font->Handle() : WindowFont();
    const HGDIOBJ oldFont = handle ? SelectObject(dc, handle) : nullptr;
    const COLORREF oldText = SetTextColor(
        dc, static_cast<COLORREF>(ColorToRGB(Control && !Enabled ? clBtnShadow
                                             : font               ? font->Color()
                                                                  : SkinData->Colour(scButtonText))));
    const COLORREF oldBack = SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(SkinData->Colour(scButtonFace))));
    const int oldMode = SetBkMode(dc, TRANSPARENT);

    RECT area = place.Caption;
    RECT measured = area;
    DrawTextW(dc, Text.c_str(), static_cast<int>(Text.size()), &measured,
              flags | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK);
    OffsetRect(&area, 0, (HeightOf(area) - HeightOf(measured)) / 2);
    if (Focused && !Text.empty() && !OsDrawsNoFocusOnCheckBoxes())
        DrawTextFocus(dc, flags | DT_WORDBREAK | DT_EXPANDTABS, area);
    DrawTextW(dc, Text.c_str(), static_cast<int>(Text.size()), &area, flags | DT_WORDBREAK | DT_EXPANDTABS);

    SetBkMode(dc, oldMode);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
    if (oldFont) SelectObject(dc, oldFont);
}

// ---- check box -------------------------------------------------------------------------------

void TSkinCheckBox::AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor, TCanvas* formCanvas) {
    if (Attached) return;
    TSkinCheckRadio::AttachControl(form, skinData, manageColor, formCanvas);
    CheckState = 0;
}

TBitmap* TSkinCheckBox::Strip() const {
    return SkinData ? &Skin().Buttons().CheckImage : nullptr;
}

int TSkinCheckBox::StripFrames() const {
    const TBitmap* strip = Strip();
    if (!strip) return 4;
    return GlyphStripFrames(Skin().Buttons().CheckButtonFrame, strip->Width(), strip->Height());
}

void TSkinCheckBox::AfterMessage(TMessage& m) {
    if (m.Msg == BM_SETCHECK) CheckState = static_cast<int>(m.WParam) + 1;
    TSkinCheckRadio::AfterMessage(m);
}

TCheckLook TSkinCheckBox::CurrentLook() {
    const auto windowState = Handle ? SendMessageW(Handle, BM_GETSTATE, 0, 0) : 0;
    TCheckLook look = (windowState & BST_CHECKED) ? TCheckLook::Checked : TCheckLook::Unchecked;
    if (HasProp(L"State")) {
        const std::wstring state = EnumProp(L"State");
        if (state.find(L"uncheck") != std::wstring::npos)
            look = TCheckLook::Unchecked;
        else if (state.find(L"check") != std::wstring::npos)
            look = TCheckLook::Checked;
        else if (state.find(L"gray") != std::wstring::npos)
            look = TCheckLook::Grayed;
    } else if (HasProp(L"Checked")) {
        look = EnumProp(L"Checked") == L"true" ? TCheckLook::Checked : TCheckLook::Unchecked;
    }
    if (HasProp(L"DataField") && CheckState != 0)
        look = CheckState == 3 ? TCheckLook::Grayed : CheckState == 2 ? TCheckLook::Checked : TCheckLook::Unchecked;
    if (HasProp(L"DataBinding")) look = TCheckLook::Unchecked;
    if (windowState & BST_INDETERMINATE) look = TCheckLook::Indeterminate;
    return look;
}

int TSkinCheckBox::CurrentGlyphFrame() {
    const bool disabled = Handle && (Style() & WS_DISABLED);
    return CheckBoxGlyphFrame(CurrentLook(), disabled, StripFrames());
}

// ---- radio button ----------------------------------------------------------------------------

TBitmap* TSkinRadioButton::Strip() const {
    return SkinData ? &Skin().Buttons().RadioImage : nullptr;
}

int TSkinRadioButton::StripFrames() const {
    const TBitmap* strip = Strip();
    if (!strip) return 4;
    return GlyphStripFrames(Skin().Buttons().RadioButtonFrame, strip->Width(), strip->Height());
}

bool TSkinRadioButton::CurrentChecked() {
    if (HasProp(L"Checked")) return EnumProp(L"Checked") == L"true";
    return Handle && (SendMessageW(Handle, BM_GETCHECK, 0, 0) & BST_CHECKED);
}

int TSkinRadioButton::CurrentGlyphFrame() {
    const bool disabled = Handle && (Style() & WS_DISABLED);
    return RadioGlyphFrame(CurrentChecked(), disabled, StripFrames());
}

} // namespace orvo
