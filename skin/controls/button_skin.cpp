// Push buttons: the state-to-frame and layout rules, the message filters of the four classes and
// their painting.
#include "skin/controls/button_skin.h"

#include "framework/base/prop_access.h"
#include "framework/controls/control.h"
#include "framework/controls/win_control.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/font.h"
#include "framework/graphics/gdi_handle.h"
#include "framework/graphics/graphic.h"
#include "framework/graphics/image_list.h"
#include "skin/data/skin_data.h"
#include "skin/data/user32_optional.h"
#include "skin/draw/skin_draw.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TSkinButton);
ORVO_IMPLEMENT_CLASS(TSkinBitButton);
ORVO_IMPLEMENT_CLASS(TSkinMenuButton);
ORVO_IMPLEMENT_CLASS(TSkinSpeedButton);

// ---- rules -----------------------------------------------------------------------------------

int ButtonFaceFrame(bool enabled, bool pressed, bool hot, bool focusedOrDefault) noexcept {
    if (!enabled) return bfDisabled;
    if (pressed) return bfPressed;
    if (hot) return bfHot;
    if (focusedOrDefault) return bfFocused;
    return bfNormal;
}

int ClampNumGlyphs(int numGlyphs) noexcept {
    return std::clamp(numGlyphs, 1, 4);
}

int GlyphFrameForFace(int faceFrame, int numGlyphs) noexcept {
    const int frame = faceFrame == bfPressed ? 3 : faceFrame == bfDisabled ? 2 : 1;
    return frame > ClampNumGlyphs(numGlyphs) ? 1 : frame;
}

TColor ButtonTextColour(TColor base, const TDataSkinButton& e, int faceFrame, bool normalOnlyInFrame1) {
    TColor colour = base;
    if (e.HasNormalColour2 && (!normalOnlyInFrame1 || faceFrame == bfNormal)) colour = e.NormalColour2;
    if (e.HasMouseOverColour2 && faceFrame == bfHot) colour = e.MouseOverColour2;
    if (e.HasPressedColour2 && faceFrame == bfPressed) colour = e.PressedColour2;
    if (faceFrame == bfDisabled) colour = clBtnShadow;
    return colour;
}

std::wstring ButtonCaptionLines(std::wstring caption) {
    if (const auto at = caption.find(L"||"); at != std::wstring::npos) caption.replace(at, 2, L"\r\n");
    return caption;
}

TGlyphLayout GlyphLayoutOf(const std::wstring& identifier) noexcept {
    if (identifier == L"blglyphright") return TGlyphLayout::Right;
    if (identifier == L"blglyphtop") return TGlyphLayout::Top;
    if (identifier == L"blglyphbottom") return TGlyphLayout::Bottom;
    return TGlyphLayout::Left;
}

TGlyphTextPlace LayoutGlyphAndText(TGlyphTextInput in) noexcept {
    const bool horizontal = in.Layout == TGlyphLayout::Left || in.Layout == TGlyphLayout::Right;
    // Main axis a, cross axis c.
    const int ca = horizontal ? in.Client.cx : in.Client.cy;
    const int cc = horizontal ? in.Client.cy : in.Client.cx;
    const int ga = horizontal ? in.Glyph.cx : in.Glyph.cy;
    const int gc = horizontal ? in.Glyph.cy : in.Glyph.cx;
    const int sa = horizontal ? in.Text.cx : in.Text.cy;
    const int sc = horizontal ? in.Text.cy : in.Text.cx;
    const int glyphCross = (cc - gc + 1) / 2;
    const int textCross = (cc - sc + 1) / 2;
    int margin = in.Margin;
    int spacing = in.Spacing;
    if (in.Text.cx == 0 || in.Glyph.cx == 0) spacing = 0;
    if (margin == -1 || (in.Centred && !in.SpeedButton)) {
        if (spacing == -1) {
            margin = spacing = (ca - (ga + sa)) / 3;
        } else {
            margin = (ca - (ga + spacing + sa)) / 2;
            if (in.SpeedButton) margin += 1;
        }
    } else if (spacing == -1) {
        spacing = (ca - margin - ga - sa) / 2;
    }
    int glyphMain = 0;
    int textMain = 0;
    switch (in.Layout) {
    case TGlyphLayout::Left:
    case TGlyphLayout::Top:
        glyphMain = margin;
        textMain = margin + ga + spacing;
        break;
    case TGlyphLayout::Right:
    case TGlyphLayout::Bottom:
        glyphMain = ca - margin - ga;
        textMain = glyphMain - spacing - sa;
        break;
    }
    TGlyphTextPlace place;
    place.Glyph = horizontal ? POINT{glyphMain, glyphCross} : POINT{glyphCross, glyphMain};
    place.Text = horizontal ? POINT{textMain, textCross} : POINT{textCross, textMain};
    return place;
}

TMenuButtonPlace LayoutMenuButton(SIZE client, SIZE glyph, SIZE text, int margin, int spacing) noexcept {
    const int free = client.cx - (glyph.cx + text.cx + MenuArrowBox);
    if (margin == -1 && spacing == -1)
        margin = spacing = free / 4;
    else if (margin == -1)
        margin = (free - 2 * spacing) / 2;
    else if (spacing == -1)
        spacing = (free - 2 * margin) / 2;
    margin = std::max(margin, 0);
    spacing = std::max(spacing, 0);
    TMenuButtonPlace place;
    place.Glyph = POINT{margin, (client.cy - glyph.cy) / 2};
    place.Text = POINT{margin + glyph.cx + spacing, (client.cy - text.cy + 1) / 2};
    // The arrow is 7 pixels wide around its centre: keep it off the face's outer pixels.
    const int arrowBox = place.Text.x + text.cx + spacing;
    const int centre = arrowBox + MenuArrowBox / 2 - 1;
    place.Arrow = POINT{std::clamp(centre, 4, std::max(4, static_cast<int>(client.cx) - 5)), (client.cy - 3) / 2};
    return place;
}

// ---- painting helpers ------------------------------------------------------------------------

namespace {

int WidthOf(const RECT& r) {
    return r.right - r.left;
}
int HeightOf(const RECT& r) {
    return r.bottom - r.top;
}

void DrawFace(HDC dc, const RECT& r, TDataSkinButton& e, int frame) {
    DrawSliced(dc, r, e.Image, ButtonFaceFrames, frame, false, MarginsOf(e), e.Tile != 0, e.Trans != 0);
}

// The glyph strip's frame `index` of `count` at (x, y), the strip's bottom-left colour transparent.
void DrawBitmapGlyph(HDC dc, int x, int y, TBitmap& strip, int count, int index) {
    const int fw = strip.Width() / count;
    const int fh = strip.Height();
    if (fw <= 0 || fh <= 0) return;
    TBitmap frame(fw, fh);
    BitBlt(frame.Canvas().Handle(), 0, 0, fw, fh, strip.Canvas().Handle(), (index - 1) * fw, 0, SRCCOPY);
    const TColor key = strip.PixelColor(0, fh - 1);
    TransparentBlit(dc, RECT{x, y, x + fw, y + fh}, frame, key);
}

// A one-frame glyph drawn as disabled: its shape embossed in the highlight and shadow colours.
void DrawDisabledGlyph(HDC dc, int x, int y, TBitmap& glyph) {
    const int w = glyph.Width();
    const int h = glyph.Height();
    if (w <= 0 || h <= 0) return;
    const TColor key = glyph.PixelColor(0, h - 1);
    TBitmap emboss(w + 1, h + 1);
    {
        TBrushHandle magenta(CreateSolidBrush(RGB(255, 0, 255)));
        RECT all{0, 0, w + 1, h + 1};
        FillRect(emboss.Canvas().Handle(), &all, magenta.Get());
    }
    const auto highlight = static_cast<COLORREF>(ColorToRGB(clBtnHighlight));
    const auto shadow = static_cast<COLORREF>(ColorToRGB(clBtnShadow));
    HDC target = emboss.Canvas().Handle();
    for (int pass = 0; pass < 2; ++pass) {
        const int shift = pass == 0 ? 1 : 0;
        for (int py = 0; py < h; ++py)
            for (int px = 0; px < w; ++px) {
                const TColor c = glyph.PixelColor(px, py);
                if (c == key) continue;
                // Only the darker pixels make the shape; light ones would blur it.
                const int luminance = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
                if (luminance > 192) continue;
                ::SetPixel(target, px + shift, py + shift, pass == 0 ? highlight : shadow);
            }
    }
    TransparentBlit(dc, RECT{x, y, x + w + 1, y + h + 1}, emboss);
}

} // namespace

// Font, text colour and a transparent background on the face DC for one paint.
class TSkinButton::TFaceText {
public:
    TFaceText(HDC dc, HFONT font, TColor colour)
        : FDc(dc), FOldFont(font ? SelectObject(dc, font) : nullptr),
          FOldColour(SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(colour)))),
          FOldMode(SetBkMode(dc, TRANSPARENT)) {}
    TFaceText(const TFaceText&) = delete;
    TFaceText& operator=(const TFaceText&) = delete;
    ~TFaceText() {
        SetBkMode(FDc, FOldMode);
        SetTextColor(FDc, FOldColour);
        if (FOldFont) SelectObject(FDc, FOldFont);
    }

private:
    HDC FDc;
    HGDIOBJ FOldFont;
    COLORREF FOldColour;
    int FOldMode;
};

// ---- TSkinButton -----------------------------------------------------------------------------

TSkinButton::TSkinButton(TComponent* owner) : TSkinControl(owner) {}

void TSkinButton::AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor, TCanvas* formCanvas) {
    if (Attached) return;
    TSkinControl::AttachControl(form, skinData, manageColor, formCanvas);
    if (!Control) return;
    const std::wstring name = LowerText(std::wstring(Control->ClassName()));
    Mode = name.starts_with(L"trz") || name.starts_with(L"tel") ? 1 : 0;
    Transparent = Control->Tag() == 5555 || (SkinData && SkinData->Options().Contains(xoTransparent));
}

void TSkinButton::AttachWindow(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* formCanvas) {
    if (Attached) return;
    TSkinControl::AttachWindow(window, skinData, form, formCanvas);
    Transparent = SkinData && SkinData->Options().Contains(xoTransparent);
}

bool TSkinButton::HasFace() const {
    return SkinData && !SkinData->NoSkin() && !Skin().Buttons().Image.Empty();
}

bool TSkinButton::BeforeMessage(TMessage& m) {
    if (!HasFace()) return TSkinControl::BeforeMessage(m);
    switch (m.Msg) {
    case WM_PAINT:
        FullPaint(m);
        return false;
    case WM_ERASEBKGND:
        m.Result = 1;
        return false;
    case WM_TIMER:
        // The platform animates the focused button with a timer; the skin has its own look.
        KillTimer(Handle, 1);
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseDown(m);
        return false;
    default:
        return TSkinControl::BeforeMessage(m);
    }
}

void TSkinButton::MouseDown(const TMessage& m) {
    // A disabled button takes no press (BM_CLICK and other programs' messages reach it anyway).
    if (!IsWindowEnabled(Handle)) return;
    if (GetFocus() != Handle) SetFocus(Handle);
    MouseState |= msPressed;
    PaintSkin(nullptr);
    if (Mode == 0 && Control) ForwardMouseDown(m);
}

void TSkinButton::MouseUp(const TMessage& m) {
    if (!Pressed()) return;
    MouseState &= static_cast<std::uint8_t>(~msPressed);
    Repaint();
    // A release outside the button (the mouse was captured elsewhere) is no click.
    RECT client{};
    GetClientRect(Handle, &client);
    if (!PtInRect(&client, PointFromLParam(m.LParam))) return;
    ThenRun([this] { RaiseClick(); });
}

void TSkinButton::RaiseClick() {
    if (Control) {
        Control->Click();
        return;
    }
    HWND parent = GetParent(Handle);
    if (!parent) return;
    const WPARAM id = LowerText(WindowClassName(Handle)) == L"tbutton"
                          ? 0
                          : MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(Handle)), BN_CLICKED);
    PostMessageW(parent, WM_COMMAND, id, reinterpret_cast<LPARAM>(Handle));
}

void TSkinButton::SetHot(bool hot) {
    const bool was = Hot();
    if (hot)
        MouseState |= msHot;
    else
        MouseState = 0;
    if (was != hot || !hot) Repaint();
}

void TSkinButton::AfterMessage(TMessage& m) {
    if (!HasFace()) {
        TSkinControl::AfterMessage(m);
        return;
    }
    switch (m.Msg) {
    case WM_SETTEXT:
        PaintSkin(nullptr);
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (m.WParam == VK_SPACE) {
            if (m.Msg == WM_KEYDOWN)
                MouseState |= msPressed;
            else
                MouseState &= static_cast<std::uint8_t>(~msPressed);
            Repaint();
        }
        break;
    case WM_MOUSEMOVE:
        if (IsWindowEnabled(Handle) && !Hot()) SetHot(true);
        TrackMouseLeave(Handle);
        break;
    case WM_LBUTTONUP:
        MouseUp(m);
        break;
    case WM_MOUSELEAVE:
        SetHot(false);
        break;
    case CM_DIALOGKEY:
    case CM_FOCUSCHANGED:
        Repaint();
        break;
    default:
        TSkinControl::AfterMessage(m);
        break;
    }
}

void TSkinButton::ReadState() {
    Focused = Handle && GetFocus() == Handle;
    Enabled = Handle ? !(Style() & WS_DISABLED) : true;
    if (Control)
        FDefault = EnumProp(L"Default") == L"true";
    else
        FDefault = (Style() & 0x0F) == BS_DEFPUSHBUTTON;
    Text = ReadText();
}

int TSkinButton::CurrentFaceFrame() {
    ReadState();
    return ButtonFaceFrame(Enabled, Pressed(), Hot(), Focused || FDefault);
}

int TSkinButton::ComposeFace(const RECT& r, bool drawFace) {
    const int frame = CurrentFaceFrame();
    FaceBitmap.SetSize(WidthOf(r), HeightOf(r));
    HDC face = FaceBitmap.Canvas().Handle();
    const RECT w{0, 0, WidthOf(r), HeightOf(r)};
    if (Transparent && Control)
        DrawParentBackground(face, *Control);
    else
        FillFace(face, w);
    if (drawFace) DrawFace(face, w, Skin().Buttons(), frame);
    return frame;
}

void TSkinButton::DrawButtonCaption(HDC dc, const RECT& w, bool centred) {
    const std::wstring caption = ButtonCaptionLines(Text);
    RECT t{w.left + 2, w.top + 2, w.right - 2, w.bottom - 2};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &t,
              DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK | DT_CENTER);
    OffsetRect(&t, -t.left, -t.top);
    if (centred)
        OffsetRect(&t, (WidthOf(w) - WidthOf(t)) / 2, (HeightOf(w) - HeightOf(t)) / 2 - 1);
    else {
        t.right = t.left + WidthOf(w);
        OffsetRect(&t, 0, (HeightOf(w) - HeightOf(t)) / 2 - 1);
    }
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &t,
              TextFlags(DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP));
    DrawFocus(dc, t);
}

void TSkinButton::DrawFocus(HDC dc, RECT t) const {
    if (!Focused || (SkinData && SkinData->Options().Contains(xoNoFocusRect))) return;
    InflateRect(&t, 2, 2);
    // DrawFocusRect draws with the text colour's inverse: give it the plain black-on-white pair.
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &t);
    SetBkColor(dc, back);
    SetTextColor(dc, text);
}

void TSkinButton::Blit(HDC dc, const RECT& r) {
    BitBlt(dc, r.left, r.top, WidthOf(r), HeightOf(r), FaceBitmap.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkinButton::DrawSkin(HDC dc, const RECT& r) {
    if (!HasFace() || WidthOf(r) <= 0 || HeightOf(r) <= 0) return;
    const int frame = ComposeFace(r);
    HDC face = FaceBitmap.Canvas().Handle();
    TFont* font = ControlFont();
    const TColor base = font ? font->Color() : SkinData->Colour(scButtonText);
    {
        TFaceText text(face, font ? font->Handle() : WindowFont(),
                       ButtonTextColour(base, Skin().Buttons(), frame, NormalColourOnlyInFrame1()));
        DrawButtonCaption(face, RECT{0, 0, WidthOf(r), HeightOf(r)}, true);
    }
    Blit(dc, r);
}

// ---- TSkinBitButton --------------------------------------------------------------------------

void TSkinBitButton::DrawGlyphAndCaption(HDC dc, const RECT& w, int faceFrame, bool speedButton, bool glyphDown) {
    TGraphic* graphic = GraphicProperty.empty() ? nullptr : dynamic_cast<TGraphic*>(ObjectProp(GraphicProperty.c_str()));
    auto* glyph = dynamic_cast<TBitmap*>(ObjectProp(L"Glyph"));
    if (glyph && glyph->Empty()) glyph = nullptr;
    auto* images = dynamic_cast<TImageList*>(ObjectProp(L"Images"));
    const int numGlyphs = ClampNumGlyphs(OrdProp(L"NumGlyphs", 1));
    const bool enabled = faceFrame != bfDisabled;
    int imageIndex = -1;
    if (!graphic && !glyph && images) {
        imageIndex = OrdProp(L"ImageIndex", -1);
        if (!enabled && OrdProp(L"DisabledIndex", -1) != -1) imageIndex = OrdProp(L"DisabledIndex", -1);
        if (imageIndex < 0 || imageIndex >= images->Count()) images = nullptr;
    } else {
        images = nullptr;
    }

    SIZE g{0, 0};
    if (graphic && !graphic->Empty())
        g = SIZE{graphic->Width(), graphic->Height()};
    else if (glyph)
        g = SIZE{glyph->Width() / numGlyphs, glyph->Height()};
    else if (images)
        g = SIZE{images->Width(), images->Height()};

    const TGlyphLayout layout = GlyphLayoutOf(EnumProp(L"Layout"));
    const bool horizontal = layout == TGlyphLayout::Left || layout == TGlyphLayout::Right;
    const std::wstring caption = ButtonCaptionLines(Text);
    RECT box{w.left + 2, w.top + 2, w.right - 2, w.bottom - 2};
    if (horizontal)
        box.right -= g.cx + 2;
    else
        box.bottom -= g.cy + 2;
    SIZE s{0, 0};
    if (!caption.empty()) {
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &box, DT_CALCRECT | DT_WORDBREAK);
        s = SIZE{WidthOf(box), HeightOf(box)};
    }

    TGlyphTextInput in;
    in.Client = SIZE{WidthOf(w), HeightOf(w)};
    in.Glyph = g;
    in.Text = s;
    in.Layout = layout;
    in.Margin = OrdProp(L"Margin", -1);
    in.Spacing = OrdProp(L"Spacing", -1);
    in.Centred = !speedButton && EnumProp(L"Alignment") == L"tacenter";
    in.SpeedButton = speedButton;
    const TGlyphTextPlace place = LayoutGlyphAndText(in);

    if (graphic && !graphic->Empty()) {
        FaceBitmap.Canvas().Draw(place.Glyph.x, place.Glyph.y, *graphic);
    } else if (glyph) {
        if (!enabled && numGlyphs == 1) {
            DrawDisabledGlyph(dc, place.Glyph.x, place.Glyph.y, *glyph);
        } else {
            int frame = GlyphFrameForFace(faceFrame, numGlyphs);
            if (glyphDown) frame = 4 <= numGlyphs ? 4 : 1;
            DrawBitmapGlyph(dc, place.Glyph.x, place.Glyph.y, *glyph, numGlyphs, frame);
        }
    } else if (images) {
        images->Draw(FaceBitmap.Canvas(), place.Glyph.x, place.Glyph.y, imageIndex, enabled);
    }

    RECT t{place.Text.x, place.Text.y, place.Text.x + s.cx, place.Text.y + s.cy};
    if (!caption.empty()) {
        UINT flags = DT_WORDBREAK | DT_NOCLIP;
        if (layout == TGlyphLayout::Right) flags |= DT_RIGHT;
        if (!horizontal) flags |= DT_CENTER;
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &t, TextFlags(flags));
        DrawFocus(dc, t);
    } else {
        DrawFocus(dc, RECT{w.left + 2, w.top + 2, w.right - 2, w.bottom - 2});
    }
}

void TSkinBitButton::DrawSkin(HDC dc, const RECT& r) {
    if (!HasFace() || WidthOf(r) <= 0 || HeightOf(r) <= 0) return;
    if (RepaintTarget && EnumProp(L"Visible") == L"false") return;
    const int frame = ComposeFace(r);
    HDC face = FaceBitmap.Canvas().Handle();
    TFont* font = ControlFont();
    const TColor base = font ? font->Color() : SkinData->Colour(scButtonText);
    {
        TFaceText text(face, font ? font->Handle() : WindowFont(),
                       ButtonTextColour(base, Skin().Buttons(), frame, NormalColourOnlyInFrame1()));
        DrawGlyphAndCaption(face, RECT{0, 0, WidthOf(r), HeightOf(r)}, frame, false, false);
    }
    Blit(dc, r);
}

// ---- TSkinMenuButton -------------------------------------------------------------------------

void TSkinMenuButton::DrawSkin(HDC dc, const RECT& r) {
    if (!HasFace() || WidthOf(r) <= 0 || HeightOf(r) <= 0) return;
    const int frame = ComposeFace(r);
    HDC face = FaceBitmap.Canvas().Handle();
    TFont* font = ControlFont();
    const TColor base = font ? font->Color() : SkinData->Colour(scButtonText);
    auto* glyph = dynamic_cast<TBitmap*>(ObjectProp(L"Glyph"));
    if (glyph && glyph->Empty()) glyph = nullptr;
    const SIZE c{WidthOf(r), HeightOf(r)};
    const SIZE g = glyph ? SIZE{glyph->Width(), glyph->Height()} : SIZE{0, 0};
    {
        TFaceText text(face, font ? font->Handle() : WindowFont(),
                       ButtonTextColour(base, Skin().Buttons(), frame, NormalColourOnlyInFrame1()));
        const std::wstring caption = ButtonCaptionLines(Text);
        RECT box{2, 2, c.cx - g.cx - MenuArrowBox - 2, c.cy - 2};
        SIZE s{0, 0};
        if (!caption.empty()) {
            DrawTextW(face, caption.c_str(), static_cast<int>(caption.size()), &box, DT_CALCRECT | DT_WORDBREAK);
            s = SIZE{WidthOf(box), HeightOf(box)};
        }
        const TMenuButtonPlace place = LayoutMenuButton(c, g, s, OrdProp(L"Margin", -1), OrdProp(L"Spacing", -1));
        if (glyph) DrawBitmapGlyph(face, place.Glyph.x, place.Glyph.y, *glyph, 1, 1);
        RECT t{place.Text.x, place.Text.y, place.Text.x + s.cx, place.Text.y + s.cy};
        if (!caption.empty())
            DrawTextW(face, caption.c_str(), static_cast<int>(caption.size()), &t, TextFlags(DT_WORDBREAK | DT_NOCLIP));
        const TColor arrow = frame == bfDisabled ? clBtnShadow : clWindowText;
        TBrushHandle brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(arrow))));
        TPenHandle pen(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(ColorToRGB(arrow))));
        TSelectObject selectBrush(face, brush.Get());
        TSelectObject selectPen(face, pen.Get());
        const POINT a = place.Arrow;
        const POINT triangle[3] = {{a.x, a.y + 2}, {a.x - 3, a.y - 1}, {a.x + 3, a.y - 1}};
        Polygon(face, triangle, 3);
        DrawFocus(face, caption.empty() ? RECT{2, 2, c.cx - 2, c.cy - 2} : t);
    }
    Blit(dc, r);
}

// ---- TSkinSpeedButton ------------------------------------------------------------------------

TSkinSpeedButton::~TSkinSpeedButton() {
    Destroying();
    UnhookControl();
}

void TSkinSpeedButton::AttachSpeedButton(TWinSkinForm* form, TSkinData* skinData, TControl* speedButton,
                                         TCanvas* formCanvas) {
    if (Attached || !speedButton) return;
    SkinData = skinData;
    FormCanvas = formCanvas;
    RepaintTarget = speedButton;
    HookControl(speedButton);
    RegisterWithForm(form);
    Transparent = speedButton->Tag() == 5555 || (SkinData && SkinData->Options().Contains(xoTransparent));
    Attached = true;
    State = TSkinControlState::Attached;
    speedButton->Invalidate();
}

void TSkinSpeedButton::Unskin() {
    TSkinBitButton::Unskin();
    UnhookControl();
    if (RepaintTarget) RepaintTarget->Invalidate();
}

bool TSkinSpeedButton::BeforeMessage(TMessage& m) {
    if (!HasFace()) return true;
    switch (m.Msg) {
    case WM_PAINT:
        if (m.WParam) PaintSpeed(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        CallDefault(m);
        MouseState |= msPressed;
        if (RepaintTarget) RepaintTarget->Repaint();
        return false;
    case WM_LBUTTONUP:
        return true;
    default:
        return TSkinControl::BeforeMessage(m);
    }
}

void TSkinSpeedButton::AfterMessage(TMessage& m) {
    if (!HasFace()) return;
    auto repaint = [this] {
        if (RepaintTarget) RepaintTarget->Repaint();
    };
    switch (m.Msg) {
    case WM_ENABLE:
    case CM_FOCUSCHANGED:
    case CM_ENABLEDCHANGED:
        break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (m.WParam == VK_SPACE) {
            if (m.Msg == WM_KEYDOWN)
                MouseState |= msPressed;
            else
                MouseState &= static_cast<std::uint8_t>(~msPressed);
            repaint();
        }
        break;
    case WM_LBUTTONUP:
        MouseState &= static_cast<std::uint8_t>(~msPressed);
        repaint();
        break;
    case CM_MOUSEENTER:
        MouseState |= msHot;
        repaint();
        break;
    case CM_MOUSELEAVE:
        MouseState = 0;
        if (RepaintTarget && RepaintTarget->Visible()) repaint();
        break;
    default:
        break;
    }
}

void TSkinSpeedButton::PaintSkin(HDC dc) {
    if (dc) PaintSpeed(dc);
}

int TSkinSpeedButton::SpeedFaceFrame() const {
    int frame = Pressed() ? bfPressed : Hot() ? bfHot : bfNormal;
    if (EnumProp(L"Enabled") != L"true") frame = bfDisabled;
    if (EnumProp(L"Down") == L"true") frame = bfPressed;
    return frame;
}

void TSkinSpeedButton::PaintSpeed(HDC dc) {
    if (Painting || !RepaintTarget || !HasFace()) return;
    if (EnumProp(L"Visible") == L"false") return;
    const int width = RepaintTarget->Width();
    const int height = RepaintTarget->Height();
    if (width <= 0 || height <= 0) return;
    Painting = true;
    struct TGuard {
        bool& Flag;
        ~TGuard() { Flag = false; }
    } guard{Painting};

    const int frame = SpeedFaceFrame();
    const bool down = EnumProp(L"Down") == L"true";
    const bool flat = EnumProp(L"Flat") == L"true";
    Text = StrProp(L"Caption");
    Enabled = EnumProp(L"Enabled") == L"true";
    Focused = false;
    FaceBitmap.SetSize(width, height);
    HDC face = FaceBitmap.Canvas().Handle();
    const RECT w{0, 0, width, height};
    if (Transparent)
        DrawParentBackground(face, *RepaintTarget);
    else
        FillFace(face, w);
    if (!flat || frame == bfPressed || frame == bfHot) DrawFace(face, w, Skin().Buttons(), frame);

    auto* glyph = dynamic_cast<TBitmap*>(ObjectProp(L"Glyph"));
    TGraphic* graphic = GraphicProperty.empty() ? nullptr : dynamic_cast<TGraphic*>(ObjectProp(GraphicProperty.c_str()));
    FHasGlyph = (glyph && !glyph->Empty()) || (graphic && !graphic->Empty());
    TFont* font = ControlFont();
    const TColor base = font ? font->Color() : SkinData->Colour(scButtonText);
    {
        TFaceText text(face, font ? font->Handle() : nullptr,
                       ButtonTextColour(base, Skin().Buttons(), frame, NormalColourOnlyInFrame1()));
        if (FHasGlyph)
            DrawGlyphAndCaption(face, w, frame, true, down);
        else
            DrawButtonCaption(face, w, true);
    }
    BitBlt(dc, 0, 0, width, height, face, 0, 0, SRCCOPY);
}

} // namespace orvo
