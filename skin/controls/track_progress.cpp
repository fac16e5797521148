// Track bars and progress bars.
#include "skin/controls/track_progress.h"

#include "framework/base/properties.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/gdi_handle.h"
#include "skin/data/skin_data.h"
#include "skin/draw/draw_helpers.h"
#include "skin/draw/skin_draw.h"
#include "skin/draw/win_convert.h"

#include <algorithm>
#include <cstdint>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TSkinTrackBar);
ORVO_IMPLEMENT_CLASS(TSkinProgress);

namespace {

using draw_detail::HeightOf;
using draw_detail::WidthOf;

constexpr int ThumbFrames = 5;
constexpr int ThumbFrame = 2;

// Rows (or columns) [from, to) of `image` stretched into `d`, opaque.
void CopyPart(HDC dc, const RECT& d, TBitmap& image, const RECT& s) {
    draw_detail::StretchCopy(dc, d, image.Canvas().Handle(), s);
}

} // namespace

// ---- plain rules -----------------------------------------------------------------------------

LRESULT TrackCustomDrawAnswer(DWORD stage, DWORD_PTR part, bool channelImage) noexcept {
    if (stage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (stage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    switch (part) {
    case TBCD_THUMB:
        return CDRF_SKIPDEFAULT;
    case TBCD_CHANNEL:
        return channelImage ? CDRF_SKIPDEFAULT : CDRF_DODEFAULT;
    case TBCD_TICS:
    default:
        return CDRF_DODEFAULT;
    }
}

RECT VerticalChannelRect(const RECT& reported) noexcept {
    if (WidthOf(reported) > HeightOf(reported))
        return RECT{reported.top, reported.left, reported.bottom, reported.right};
    return reported;
}

int ProgressFillLength(int length, int minimum, int maximum, int position) noexcept {
    if (length <= 0 || maximum <= minimum || position <= minimum) return 0;
    const std::int64_t range = static_cast<std::int64_t>(maximum) - minimum;
    const std::int64_t done = std::min<std::int64_t>(static_cast<std::int64_t>(position) - minimum, range);
    // Rounded to the nearest pixel, as MulDiv does.
    return static_cast<int>((static_cast<std::int64_t>(length) * done * 2 + range) / (range * 2));
}

// ---- TSkinTrackBar ---------------------------------------------------------------------------

void TSkinTrackBar::SkinChanged() {
    // The parts are drawn at every paint: a new paint shows the new skin.
    if (Handle && IsWindow(Handle)) InvalidateRect(Handle, nullptr, TRUE);
}

bool TSkinTrackBar::HasChannelImage() const {
    if (!SkinData) return false;
    if (Vertical() && HasImage(Skin().TrackVert())) return true;
    return HasImage(Skin().Track());
}

bool TSkinTrackBar::BeforeMessage(TMessage& m) {
    if ((m.Msg == WM_NOTIFY || m.Msg == CN_NOTIFY) && m.LParam && SkinData && !SkinData->NoSkin()) {
        auto* header = reinterpret_cast<NMHDR*>(m.LParam);
        if (header->code == static_cast<UINT>(NM_CUSTOMDRAW) && header->hwndFrom == Handle) {
            m.Result = CustomDraw(*reinterpret_cast<NMCUSTOMDRAW*>(m.LParam));
            return false;
        }
    }
    return TSkinControl::BeforeMessage(m);
}

LRESULT TSkinTrackBar::CustomDraw(NMCUSTOMDRAW& draw) {
    const bool channel = HasChannelImage();
    const LRESULT answer = TrackCustomDrawAnswer(draw.dwDrawStage, draw.dwItemSpec, channel);
    if (draw.dwDrawStage == CDDS_ITEMPREPAINT && answer == CDRF_SKIPDEFAULT && draw.hdc) {
        if (draw.dwItemSpec == TBCD_THUMB) DrawThumb(draw.hdc);
        if (draw.dwItemSpec == TBCD_CHANNEL) DrawChannel(draw.hdc);
    }
    return answer;
}

void TSkinTrackBar::DrawThumb(HDC dc) {
    RECT thumb{};
    SendMessageW(Handle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    if (WidthOf(thumb) <= 0 || HeightOf(thumb) <= 0) return;
    TDataSkinObject* image = Skin().Element(TSkinElement::TrackbarThumbHorz);
    if (Vertical() && HasImage(Skin().Element(TSkinElement::TrackbarThumbVert)))
        image = Skin().Element(TSkinElement::TrackbarThumbVert);
    if (HasImage(image)) {
        DrawFrameStrip(dc, thumb, image->Image, true, ThumbFrames, ThumbFrame);
        return;
    }
    TPenHandle pen(
        CreatePen(PS_SOLID, 1, static_cast<COLORREF>(ColorToRGB(SkinData->Colour(scButtonShadow)))));
    TSelectObject selectPen(dc, pen.Get());
    TSelectObject selectBrush(dc, SkinData->ButtonFaceBrush());
    Rectangle(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
}

void TSkinTrackBar::DrawChannel(HDC dc) {
    RECT c{};
    SendMessageW(Handle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&c));
    TDataSkinObject* vertical = Skin().TrackVert();
    if (Vertical() && HasImage(vertical)) {
        c = VerticalChannelRect(c);
        TBitmap& image = vertical->Image;
        const int w = image.Width(), h = image.Height();
        const int top = std::min(vertical->TopHeight, h), bottom = std::min(vertical->BottomHeight, h - top);
        const int x = w < WidthOf(c) ? c.left + (WidthOf(c) - w) / 2 : c.left;
        CopyPart(dc, RECT{x, c.top, x + w, c.top + top}, image, RECT{0, 0, w, top});
        CopyPart(dc, RECT{x, c.top + top, x + w, c.bottom - bottom}, image, RECT{0, top, w, h - bottom});
        CopyPart(dc, RECT{x, c.bottom - bottom, x + w, c.bottom}, image, RECT{0, h - bottom, w, h});
        return;
    }
    TDataSkinObject* track = Skin().Track();
    if (!HasImage(track)) return;
    TBitmap& image = track->Image;
    const int w = image.Width(), h = image.Height();
    const int left = std::min(track->LeftWidth, w), right = std::min(track->RightWidth, w - left);
    const int y = h < HeightOf(c) ? c.top + (HeightOf(c) - h) / 2 : c.top;
    CopyPart(dc, RECT{c.left, y, c.left + left, y + h}, image, RECT{0, 0, left, h});
    CopyPart(dc, RECT{c.left + left, y, c.right - right, y + h}, image, RECT{left, 0, w - right, h});
    CopyPart(dc, RECT{c.right - right, y, c.right, y + h}, image, RECT{w - right, 0, w, h});
}

int ProgressChunkCount(int fill, int chunkWidth, int room) noexcept {
    if (fill <= 0 || chunkWidth <= 0 || room < chunkWidth) return 0;
    // A chunk begun is shown whole, as the platform's chunked bar does; none is cut at the end.
    const int begun = fill / chunkWidth + (fill % chunkWidth != 0);
    return std::min(begun, room / chunkWidth);
}

// ---- TSkinProgress ---------------------------------------------------------------------------

bool TSkinProgress::Drawable() const {
    if (!SkinData || SkinData->NoSkin()) return false;
    TDataSkinBorder* progress = Skin().Progress();
    if (!HasImage(progress)) return false;
    // The chunk look needs its chunk: without one the bar stays the platform's.
    return progress->Style != 1 || HasImage(Skin().ProgressChunk());
}

bool TSkinProgress::BeforeMessage(TMessage& m) {
    if (!Drawable()) return TSkinControl::BeforeMessage(m);
    switch (m.Msg) {
    case WM_PAINT:
        FullPaint(m);
        return false;
    case WM_ERASEBKGND:
        m.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(m);
    }
}

void TSkinProgress::DrawSkin(HDC dc, const RECT& r) {
    if (!Drawable() || WidthOf(r) <= 0 || HeightOf(r) <= 0) return;
    const bool vertical = Style() & PBS_VERTICAL;
    const int width = vertical ? HeightOf(r) : WidthOf(r);
    const int height = vertical ? WidthOf(r) : HeightOf(r);
    TBitmap bar(width, height);
    HDC b = bar.Canvas().Handle();
    SetStretchBltMode(b, COLORONCOLOR);
    FillFace(b, RECT{0, 0, width, height});
    const auto position = static_cast<int>(SendMessageW(Handle, PBM_GETPOS, 0, 0));
    const auto maximum = static_cast<int>(SendMessageW(Handle, PBM_GETRANGE, FALSE, 0));
    const auto minimum = static_cast<int>(SendMessageW(Handle, PBM_GETRANGE, TRUE, 0));
    const int fill = ProgressFillLength(width, minimum, maximum, position);
    if (Skin().Progress()->Style == 1)
        DrawChunks(b, width, height, fill);
    else
        DrawPlain(b, width, height, fill);
    if (vertical) RotateLeft(bar);
    BitBlt(dc, r.left, r.top, WidthOf(r), HeightOf(r), bar.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkinProgress::DrawPlain(HDC dc, int width, int height, int fill) {
    TDataSkinBorder& e = *Skin().Progress();
    DrawSliced(dc, RECT{0, 0, width, height}, e.Image, 2, 1, false, MarginsOf(e), e.Tile != 0, true);
    if (fill > 0)
        DrawSliced(dc, RECT{0, 0, fill, height}, e.Image, 2, 2, false, MarginsOf(e), e.Tile != 0, true);
}

void TSkinProgress::DrawChunks(HDC dc, int width, int height, int fill) {
    TDataSkinBorder& e = *Skin().Progress();
    DrawSliced(dc, RECT{0, 0, width, height}, e.Image, 1, 1, false, MarginsOf(e), e.Tile != 0, true);
    if (fill <= 0) return;
    TDataSkinObject& chunk = *Skin().ProgressChunk();
    const int w = chunk.Image.Width(), h = chunk.Image.Height();
    if (w <= 0 || h <= 0) return;
    if (chunk.Tile == 1) {
        const int x = chunk.LeftWidth + 2;
        const int dy = (height - h) / 2;
        const int count = ProgressChunkCount(fill, w, width - 2 - x);
        if (count <= 0) return;
        DrawTile(dc, RECT{x, dy, x + count * w, dy + h}, chunk.Image, RECT{0, 0, w, h});
        return;
    }
    const RECT target{2, 2, std::min(2 + fill, width - 2), height - 2};
    if (WidthOf(target) <= 0 || HeightOf(target) <= 0) return;
    TBitmap strip(WidthOf(target), HeightOf(target));
    DrawThreeSlice(strip.Canvas(), RECT{0, 0, WidthOf(target), HeightOf(target)}, chunk.Image, false, false,
                   1, 1, MarginsOf(chunk));
    BitBlt(dc, target.left, target.top, WidthOf(target), HeightOf(target), strip.Canvas().Handle(), 0, 0,
           SRCCOPY);
}

} // namespace orvo
