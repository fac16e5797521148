// Painting a skinned frame: the border pieces (each built once at its size and activation and
// kept for the next paint), the caption bar composed off screen (the top piece with the corners of
// the side pieces, the caption text, the caption buttons) and put on the window with one blit, the
// menu strip, and the system's scroll bars where the window has them.
//
// Reads: the skin's Left, Right, Top, Bottom border elements, Title, the caption buttons, the
// colours TitleTextActive, TitleTextNoActive, ButtonFace; all of them from the skin at the
// window's DPI (TWinSkinForm::Skin), the caption font and the small icon at that DPI too.
#include "skin/form/frame_paint.h"

#include "framework/graphics/canvas.h"
#include "framework/window/display_scale.h"
#include "skin/data/skin_bitmaps.h"
#include "skin/data/skin_data.h"
#include "skin/draw/skin_draw.h"
#include "skin/form/form_skin.h"
#include "skin/form/menu_bar.h"

#include <algorithm>

namespace orvo {

RECT CaptionTextRect(const TCaptionTextInput& in) noexcept {
    const auto scaled = [&in](int length) { return ScaleLength(length, in.Dpi); };
    const RECT& c = in.Caption;
    RECT t{c.left, c.top, c.left + in.Text.cx, c.top + in.Text.cy};
    t.right += in.TXTBackleft + in.TXTBackRight;
    const int w = t.right;
    int x = 0;
    if (!in.RightToLeft) {
        switch (in.TextAlignment) {
        case 0: x = in.TextShift; break;
        case 1: x = (c.right - w) / 2; break;
        case 2: x = c.right - in.TextRightClip - w; break;
        default: break;
        }
    } else {
        switch (in.TextAlignment) {
        case 0: x = c.right - in.RightButtonsWidth - w; break;
        case 1: x = (c.right - in.RightButtonsWidth - w) / 2; break;
        case 2: x = in.TextShift; break;
        default: break;
        }
    }
    const int dy = ((c.bottom - c.top) - (t.bottom - t.top)) / 2 + in.TextShiftVert / 2;
    OffsetRect(&t, x, dy);
    if (in.RightToLeft && x < 1) t.left = in.TextShift;
    if (in.RightToLeft) {
        OffsetRect(&t, scaled(10), 0);
    } else {
        LONG limit = in.Popup ? t.right : c.right - in.TextRightClip;
        // Never under the right-hand buttons, whatever the skin's clip says.
        if (in.RightButtonsWidth > scaled(5)) limit = std::min<LONG>(limit, c.right - in.RightButtonsWidth - scaled(5));
        // Centred text too wide for its place moves left as far as the shift allows before it is cut.
        if (in.TextAlignment == 1) {
            if (t.right > limit)
                OffsetRect(&t, -std::min<LONG>(t.right - limit, std::max<LONG>(t.left - (c.left + in.TextShift), 0)),
                           0);
            t.left = std::max<LONG>(t.left, c.left + in.TextShift);
        }
        t.right = std::min(t.right, limit);
    }
    if (in.Kind == TFrameKind::Dialog && in.TextAlignment == 0) t.left -= scaled(16); // a dialog has no icon
    return t;
}

namespace {

constexpr int PieceLeft = 1, PieceRight = 2, PieceTop = 3, PieceBottom = 4;

// Paint failures end the paint quietly; the DC is released in every case.
class TFrameDc {
public:
    TFrameDc(HWND window, HDC given) : FWindow(window), FDc(given ? given : GetWindowDC(window)), FOwn(!given) {}
    ~TFrameDc() {
        if (FOwn && FDc) ReleaseDC(FWindow, FDc);
    }
    TFrameDc(const TFrameDc&) = delete;
    TFrameDc& operator=(const TFrameDc&) = delete;
    HDC Get() const { return FDc; }

private:
    HWND FWindow;
    HDC FDc;
    bool FOwn;
};

void Blit(HDC dc, int x, int y, int w, int h, TBitmap& source, int sx, int sy) {
    if (w <= 0 || h <= 0) return;
    BitBlt(dc, x, y, w, h, source.Canvas().Handle(), sx, sy, SRCCOPY);
}

} // namespace

TBitmap& TWinSkinForm::BorderPiece(int piece, int width, int height) {
    TDataSkinBorder& element = piece == PieceLeft    ? Skin().Left()
                               : piece == PieceRight ? Skin().Right()
                               : piece == PieceTop   ? Skin().Top()
                                                     : Skin().Bottom();
    const int frames = std::max(element.Frame, 1);
    const int frame = (FActive || frames == 1) ? 1 : 2;
    TPieceCache& cache = FPieces[static_cast<std::size_t>((piece - 1) * 2 + (frame - 1))];
    if (cache.Width == width && cache.Height == height) return cache.Bitmap;
    const bool stacked = piece > PieceRight;
    const TMargins margins = stacked ? TMargins{element.LeftWidth, 0, element.RightWidth, 0}
                                     : TMargins{0, element.TopHeight, 0, element.BottomHeight};
    if (width > 0 && height > 0 && !element.Image.Empty())
        SlicedFrame(cache.Bitmap, SIZE{width, height}, element.Image, frames, frame, stacked, margins,
                    element.Tile != 1);
    cache.Width = width;
    cache.Height = height;
    return cache.Bitmap;
}

void TWinSkinForm::PaintFrame(HDC dc) {
    if (!FSkinData || FSkinData->NoSkin() || !FSkinFrame) return;
    if (FState != TFormSkinState::Skinned && FState != TFormSkinState::SkinChanging) return;
    if (FFrameKind == TFrameKind::None || IsMaximizedMdiChild() || FFramePaintSuspended) return;
    if (!FPiecesSkin || FPiecesDpi != FDpi) {
        for (auto& piece : FPieces) piece.Width = piece.Height = -1;
        FPiecesSkin = FSkinData;
        FPiecesDpi = FDpi;
    }
    try {
        TFrameDc frame(Handle, dc);
        if (!frame.Get()) return;
        GetWindowRect(Handle, &FWindowRect);
        const int w = FWindowRect.right - FWindowRect.left, h = FWindowRect.bottom - FWindowRect.top;
        FWidth = w;
        FHeight = h;
        if (IsIconic(Handle)) {
            ComposeCaption(frame.Get(), w, h);
        } else {
            PaintBorders(frame.Get(), w, h);
            ComposeCaption(frame.Get(), w, h);
            if (FBorders.Menu > 0) {
                RECT strip{FBorders.Left, FBorders.Top, w - FBorders.Right, FBorders.Top + FBorders.Menu};
                if (FMenuBar)
                    FMenuBar->Paint(frame.Get(), strip);
                else
                    FillRect(frame.Get(), &strip, FSkinData->ButtonFaceBrush());
            }
            PaintScrollBars(frame.Get());
        }
        FHotObject = nullptr;
    } catch (...) {
    }
}

void TWinSkinForm::PaintBorders(HDC dc, int w, int h) {
    const TFrameBorders& b = FBorders;
    const int below = h - b.Top; // the side pieces below the caption bar (it holds their tops)
    if (b.Left > 0) Blit(dc, 0, b.Top, b.Left, below, BorderPiece(PieceLeft, b.Left, h), 0, b.Top);
    if (b.Right > 0) Blit(dc, w - b.Right, b.Top, b.Right, below, BorderPiece(PieceRight, b.Right, h), 0, b.Top);
    const int bottomWidth = w - b.Left - b.Right;
    if (b.Bottom > 0 && bottomWidth > 0)
        Blit(dc, b.Left, h - b.Bottom, bottomWidth, b.Bottom, BorderPiece(PieceBottom, bottomWidth, b.Bottom), 0,
             0);
}

void TWinSkinForm::ComposeCaption(HDC dc, int w, int h, const RECT* only) {
    const TFrameBorders& b = FBorders;
    const bool minimized = IsIconic(Handle) != FALSE;
    const int height = minimized ? h : b.Top;
    if (w <= 0 || height <= 0) return;
    if (FCaptionBitmap.Width() < w || FCaptionBitmap.Height() < height)
        FCaptionBitmap.SetSize(std::max(w, FCaptionBitmap.Width()), std::max(height, FCaptionBitmap.Height()));
    TCanvas& canvas = FCaptionBitmap.Canvas();
    HDC target = canvas.Handle();
    RECT caption{b.Left, 0, w - b.Right, b.Top};
    if (minimized) {
        RECT all{0, 0, w, height};
        FillRect(target, &all, FSkinData->ButtonFaceBrush());
        caption = RECT{0, 0, w, b.Top};
        Blit(target, 0, 0, w, b.Top, BorderPiece(PieceTop, w, b.Top), 0, 0);
    } else {
        if (b.Left > 0) Blit(target, 0, 0, b.Left, b.Top, BorderPiece(PieceLeft, b.Left, h), 0, 0);
        if (b.Right > 0) Blit(target, w - b.Right, 0, b.Right, b.Top, BorderPiece(PieceRight, b.Right, h), 0, 0);
        const int topWidth = w - b.Left - b.Right;
        if (topWidth > 0) Blit(target, b.Left, 0, topWidth, b.Top, BorderPiece(PieceTop, topWidth, b.Top), 0, 0);
    }
    // The buttons first decide where the text may go (right-aligned ones keep it clear of them),
    // then those placed against the text follow it.
    LayoutButtons(w);
    DrawCaptionText(canvas, caption);
    LayoutButtons(w);
    DrawButtons(canvas);
    if (only)
        BitBlt(dc, only->left, only->top, only->right - only->left, only->bottom - only->top, target, only->left,
               only->top, SRCCOPY);
    else
        BitBlt(dc, 0, 0, w, height, target, 0, 0, SRCCOPY);
    SetBkMode(dc, OPAQUE);
}

std::wstring TWinSkinForm::CaptionWindowText() const {
    if (FUnicode) {
        const int length = GetWindowTextLengthW(Handle);
        std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
        const int copied = length > 0 ? GetWindowTextW(Handle, text.data(), length + 1) : 0;
        text.resize(static_cast<std::size_t>(std::max(copied, 0)));
        return text;
    }
    char buffer[1000]{};
    const auto copied = SendMessageA(Handle, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    const int n = MultiByteToWideChar(CP_ACP, 0, buffer, static_cast<int>(copied), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(std::max(n, 0)), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, buffer, static_cast<int>(copied), text.data(), n);
    return text;
}

void TWinSkinForm::DrawCaptionText(TCanvas& canvas, const RECT& c) {
    TDataSkinTitle& title = Skin().Title();
    const std::wstring text = FCaptionPrefix + CaptionWindowText() + FCaptionSuffix;
    HDC dc = canvas.Handle();
    TSelectObject font(dc, CaptionFont().Handle());
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const TColor colour = FSkinData->Colour(FActive ? scTitleTextActive : scTitleTextNoActive);
    const COLORREF oldColour = SetTextColor(dc, ColorToColorRef(colour));

    RECT measured = c;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP);
    TCaptionTextInput in;
    in.Caption = c;
    in.Text = SIZE{measured.right - measured.left, measured.bottom - measured.top};
    in.TextShift = title.LeftWidth;
    in.TextShiftVert = title.TopHeight;
    in.TextRightClip = title.RightWidth;
    in.TextAlignment = title.TextAlignment;
    in.TXTBackleft = title.TXTBackleft;
    in.TXTBackRight = title.TXTBackRight;
    in.RightToLeft = FRightToLeft;
    in.Popup = (FStyle & WS_POPUP) != 0;
    in.RightButtonsWidth = FRightButtonsWidth;
    in.Kind = FFrameKind;
    in.Dpi = FDpi;
    RECT t = CaptionTextRect(in);
    FTextRect = t;
    if (!title.Image.Empty() && t.right > t.left) {
        const RECT back{t.left, c.top, t.right, c.bottom};
        DrawThreeSlice(canvas, back, title.Image, true, true, 2, FActive ? 1 : 2,
                       TMargins{title.TXTBackleft, 0, title.TXTBackRight, 0});
    }
    t.left += title.TXTBackleft;
    t.right -= title.TXTBackRight;
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (FRightToLeft) format |= DT_RIGHT | DT_RTLREADING;
    if (t.right > t.left) DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t, format);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

void TWinSkinForm::MeasureDialogCaption(int& neededWidth) {
    neededWidth = 0;
    if (!FSkinData) return;
    const std::wstring text = FCaptionPrefix + CaptionWindowText() + FCaptionSuffix;
    HDC dc = GetWindowDC(Handle);
    if (!dc) return;
    {
        TSelectObject font(dc, CaptionFont().Handle());
        RECT r{0, 0, 0, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        const TDataSkinTitle& title = Skin().Title();
        RECT window{};
        GetWindowRect(Handle, &window);
        LayoutButtons(window.right - window.left); // the right-hand buttons' room
        // The text, its background's margins and the shift, clear of the clip and the buttons.
        neededWidth = FBorders.Left + title.LeftWidth + (r.right - r.left) + title.TXTBackleft + title.TXTBackRight +
                      std::max(title.RightWidth, FRightButtonsWidth + Scale(5)) + FBorders.Right;
    }
    ReleaseDC(Handle, dc);
}

// The system's scroll bars sit inside the skinned frame: the default painting draws them, clipped
// to their own rectangles so it draws nothing else.
void TWinSkinForm::PaintScrollBars(HDC) {
    const TScrollBarSpace bars = ScrollBars();
    if (!bars.Vertical && !bars.Horizontal) return;
    RECT client{};
    GetClientRect(Handle, &client);
    MapWindowPoints(Handle, nullptr, reinterpret_cast<POINT*>(&client), 2);
    TRegionHandle region(CreateRectRgn(0, 0, 0, 0));
    if (bars.Vertical) {
        const int x = bars.LeftScrollBar ? client.left - bars.Vertical : client.right;
        TRegionHandle bar(CreateRectRgn(x, client.top, x + bars.Vertical, client.bottom + bars.Horizontal));
        CombineRgn(region.Get(), region.Get(), bar.Get(), RGN_OR);
    }
    if (bars.Horizontal) {
        TRegionHandle bar(CreateRectRgn(client.left - (bars.LeftScrollBar ? bars.Vertical : 0), client.bottom,
                                        client.right + (bars.LeftScrollBar ? 0 : bars.Vertical),
                                        client.bottom + bars.Horizontal));
        CombineRgn(region.Get(), region.Get(), bar.Get(), RGN_OR);
    }
    // The system takes the region as its own.
    TMessage paint{WM_NCPAINT, reinterpret_cast<WPARAM>(region.Release()), 0, 0};
    CallDefault(paint);
}

void TWinSkinForm::RenderIcon() {
    FIconBitmap.Clear();
    auto icon = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_BIG, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(Handle, GCLP_HICONSM));
    if (!icon) return;
    const int cx = SystemMetricForDpi(SM_CXSMICON, FDpi), cy = SystemMetricForDpi(SM_CYSMICON, FDpi);
    MakeFilledBitmap(FIconBitmap, cx, cy, clFuchsia);
    DrawIconEx(FIconBitmap.Canvas().Handle(), 0, 0, icon, cx, cy, 0, nullptr, DI_NORMAL);
    FIconBitmap.SetTransparentColor(clFuchsia);
    FIconBitmap.SetTransparent(true);
}

} // namespace orvo
