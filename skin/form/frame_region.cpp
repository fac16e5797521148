// The window region of a skinned frame: the client area, the inner frame and each border piece,
// a piece cut along its magenta pixels when its element is transparent. Built only when the
// window's size changed or a new skin came, because it scans the pieces' pixels; a skin without
// transparent borders gets a plain rectangle (the region also keeps a window manager's title bar
// away from a skinned window).
//
// Reads: the skin's Left, Right, Top, Bottom border elements (Trans).
#include "skin/data/skin_data.h"
#include "skin/draw/skin_draw.h"
#include "skin/form/form_skin.h"

namespace orvo {

namespace {

constexpr int PieceLeft = 1, PieceRight = 2, PieceTop = 3, PieceBottom = 4;

void Join(TRegionHandle& into, TRegionHandle part) {
    if (!part) return;
    if (!into)
        into = std::move(part);
    else
        CombineRgn(into.Get(), into.Get(), part.Get(), RGN_OR);
}

TRegionHandle RectRegion(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return {};
    return TRegionHandle(CreateRectRgn(left, top, right, bottom));
}

} // namespace

void TWinSkinForm::UpdateRegion() {
    if (FState == TFormSkinState::Destroyed || !FSkinFrame || !FSkinData || FSkinData->NoSkin()) return;
    if (FFormKind == TFormKind::MdiChild && FWindowState != TWindowShowState::Normal) return;
    RECT window{};
    if (!GetWindowRect(Handle, &window)) return;
    const int w = window.right - window.left, h = window.bottom - window.top;
    if (w <= 0 || h <= 0) return;
    if (w == FRegionWidth && h == FRegionHeight && FFormKind != TFormKind::MdiChild &&
        FState != TFormSkinState::SkinChanging)
        return;
    FRegion.Reset();
    FRegionWidth = w;
    FRegionHeight = h;
    if (FPiecesSkin != FSkinData) {
        for (auto& piece : FPieces) piece.Width = piece.Height = -1;
        FPiecesSkin = FSkinData;
    }

    const TFrameBorders& b = FBorders;
    TDataSkinBorder& left = FSkinData->Left();
    TDataSkinBorder& right = FSkinData->Right();
    TDataSkinBorder& top = FSkinData->Top();
    TDataSkinBorder& bottom = FSkinData->Bottom();
    TRegionHandle region;
    if (!left.Trans && !right.Trans && !top.Trans) {
        region = RectRegion(0, 0, w, h);
    } else {
        region = RectRegion(b.Left, b.Top, w - b.Right, h - b.Bottom);
        if (FFrameKind != TFrameKind::None) {
            // A piece's bitmap may be larger than the piece (it is kept for reuse): only the
            // piece's own rectangle counts.
            auto piece = [&](int kind, bool shaped, int x, int y, int pw, int ph) {
                if (pw <= 0 || ph <= 0) return;
                TRegionHandle part;
                if (shaped) {
                    part = RegionFromBitmap(BorderPiece(kind, pw, ph), x, y, 1, 1, 1);
                    if (part) {
                        TRegionHandle bounds = RectRegion(x, y, x + pw, y + ph);
                        CombineRgn(part.Get(), part.Get(), bounds.Get(), RGN_AND);
                    }
                } else {
                    part = RectRegion(x, y, x + pw, y + ph);
                }
                Join(region, std::move(part));
            };
            piece(PieceLeft, left.Trans == 1 && h > 1, 0, 0, b.Left, h);
            piece(PieceRight, right.Trans == 1 && h > 1, w - b.Right, 0, b.Right, h);
            piece(PieceTop, top.Trans == 1 && b.Top > 1, b.Left, 0, w - b.Left - b.Right, b.Top);
            piece(PieceBottom, bottom.Trans == 1 && b.Bottom >= 2, b.Left, h - b.Bottom,
                  w - b.Left - b.Right, b.Bottom);
        }
    }
    if (!region) region = RectRegion(0, 0, w, h);
    if (!region) return;
    // The system owns the region once it has it.
    if (SetWindowRgn(Handle, region.Get(), TRUE)) {
        region.Release();
        FHasRegion = true;
    } else {
        FRegion = std::move(region);
    }
}

void TWinSkinForm::ReleaseRegion() {
    FRegion.Reset();
    FRegionWidth = FRegionHeight = -1;
    if (!FHasRegion || !IsWindow(Handle)) return;
    FHasRegion = false;
    SetWindowRgn(Handle, nullptr, FFormKind == TFormKind::MdiChild);
}

} // namespace orvo
