// The window region of a skinned frame: the client area, the inner frame and each border piece,
// a piece cut along its magenta pixels when its element is transparent. Built only when the
// window's size changed or a new skin came, because it scans the pieces' pixels; a skin without
// transparent borders gets a plain rectangle (the region also keeps a window manager's title bar
// away from a skinned window).
//
// Reads: the skin's Left, Right, Top, Bottom border elements (Trans).
#include "skin/data/skin_data.h"
#include "skin/data/skin_bitmaps.h"
#include "skin/draw/skin_draw.h"
#include "skin/form/form_skin.h"

#include <algorithm>

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

bool IsKey(TColor c) {
    const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return r == 255 && b == 255 && g <= 1;
}

} // namespace

// A border piece's region at any length, from the two ends of its image frame (kept at their size
// by the slicing), when the stretched middle between them has no transparent pixel: the ends' regions
// are made once, and every size only moves them. Pieces whose middles are shaped are scanned whole.
TWinSkinForm::TPieceShape& TWinSkinForm::PieceShape(int piece, int frame) {
    TPieceShape& shape = FShapes[static_cast<std::size_t>((piece - 1) * 2 + (frame - 1))];
    if (shape.Built) return shape;
    shape = TPieceShape{};
    shape.Built = true;
    TDataSkinBorder& e = piece == PieceLeft    ? Skin().Left()
                         : piece == PieceRight ? Skin().Right()
                         : piece == PieceTop   ? Skin().Top()
                                               : Skin().Bottom();
    if (e.Image.Empty()) return shape;
    const bool stacked = piece > PieceRight;
    const TFrameBounds f = FrameBounds(e.Image, std::max(e.Frame, 1), frame, stacked);
    const int along = stacked ? f.Width : f.Height;
    const int start = std::clamp(stacked ? e.LeftWidth : e.TopHeight, 0, along);
    const int end = std::clamp(stacked ? e.RightWidth : e.BottomHeight, 0, along - start);
    for (int a = start; a < along - end; ++a)
        for (int c = 0; c < (stacked ? f.Height : f.Width); ++c) {
            const int x = f.X + (stacked ? a : c), y = f.Y + (stacked ? c : a);
            if (IsKey(e.Image.PixelColor(x, y))) return shape; // a shaped middle: scan the piece
        }
    auto part = [&](int from, int length) {
        if (length <= 0) return TRegionHandle{};
        TBitmap block;
        if (stacked)
            CopyBitmapBlock(e.Image, f.X + from, f.Y, length, f.Height, block);
        else
            CopyBitmapBlock(e.Image, f.X, f.Y + from, f.Width, length, block);
        return RegionFromBitmap(block, 0, 0, 1, 1, 1);
    };
    shape.Start = part(0, start);
    shape.End = part(along - end, end);
    shape.StartLength = start;
    shape.EndLength = end;
    shape.Across = stacked ? f.Height : f.Width;
    shape.Fast = true;
    return shape;
}

void TWinSkinForm::UpdateRegion(bool redraw) {
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
    if (FPiecesSkin != FSkinData || FPiecesDpi != FDpi) {
        for (auto& piece : FPieces) piece.Width = piece.Height = -1;
        FPiecesSkin = FSkinData;
        FPiecesDpi = FDpi;
    }

    const TFrameBorders& b = FBorders;
    TScaledSkin& skin = Skin();
    TDataSkinBorder& left = skin.Left();
    TDataSkinBorder& right = skin.Right();
    TDataSkinBorder& top = skin.Top();
    TDataSkinBorder& bottom = skin.Bottom();
    TRegionHandle region;
    if (!left.Trans && !right.Trans && !top.Trans) {
        region = RectRegion(0, 0, w, h);
    } else {
        region = RectRegion(b.Left, b.Top, w - b.Right, h - b.Bottom);
        if (FFrameKind != TFrameKind::None) {
            // A piece's bitmap may be larger than the piece (it is kept for reuse): only the
            // piece's own rectangle counts.
            const int frameIndex = FActive ? 1 : 2;
            auto piece = [&](int kind, bool shaped, int x, int y, int pw, int ph) {
                if (pw <= 0 || ph <= 0) return;
                TRegionHandle part;
                TDataSkinBorder& e = kind == PieceLeft    ? left
                                     : kind == PieceRight ? right
                                     : kind == PieceTop   ? top
                                                          : bottom;
                const int frame = std::max(e.Frame, 1) == 1 ? 1 : frameIndex;
                TPieceShape* fast = shaped ? &PieceShape(kind, frame) : nullptr;
                const bool stacked = kind > PieceRight;
                const int length = stacked ? pw : ph;
                if (fast && fast->Fast && fast->Across == (stacked ? ph : pw) &&
                    length >= fast->StartLength + fast->EndLength) {
                    // The two ends where they lie, the middle whole.
                    part = stacked ? RectRegion(x + fast->StartLength, y, x + pw - fast->EndLength, y + ph)
                                   : RectRegion(x, y + fast->StartLength, x + pw, y + ph - fast->EndLength);
                    auto place = [&](const TRegionHandle& end, int dx, int dy) {
                        if (!end) return;
                        TRegionHandle moved(CreateRectRgn(0, 0, 0, 0));
                        CombineRgn(moved.Get(), end.Get(), nullptr, RGN_COPY);
                        OffsetRgn(moved.Get(), dx, dy);
                        Join(part, std::move(moved));
                    };
                    place(fast->Start, x, y);
                    place(fast->End, stacked ? x + pw - fast->EndLength : x, stacked ? y : y + ph - fast->EndLength);
                } else if (shaped) {
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
    if (SetWindowRgn(Handle, region.Get(), redraw ? TRUE : FALSE)) {
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
