#include "framework/graphics/image_list.h"

#include "framework/graphics/bmp_codec.h"
#include "framework/base/properties.h"
#include "framework/graphics/scaled_bitmap.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TImageList);

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() = default;

void TImageList::Publish(TPublisher<TImageList>& p) {
    p.Integer(L"Width", &TImageList::Width, &TImageList::SetWidth);
    p.Integer(L"Height", &TImageList::Height, &TImageList::SetHeight);
}

void TImageList::SetWidth(int width) {
    if (width < 1 || width > MaxImageSide || width == Width()) return;
    FWidth = TScaledLength{width, FDpi};
    Emptied();
}

void TImageList::SetHeight(int height) {
    if (height < 1 || height > MaxImageSide || height == Height()) return;
    FHeight = TScaledLength{height, FDpi};
    Emptied();
}

void TImageList::Emptied() {
    FSources.clear();
    FHandle.Reset();
}

void TImageList::SetDpi(int dpi) {
    if (dpi <= 0 || dpi == FDpi) return;
    FDpi = dpi;
    if (!FHandle) return;
    // The same list at the new size: whoever shows it keeps its handle.
    ImageList_SetIconSize(FHandle.Get(), std::clamp(Width(), 1, MaxImageSide), std::clamp(Height(), 1, MaxImageSide));
    for (const TSource& source : FSources)
        AddScaled(source);
}

HIMAGELIST TImageList::Handle() {
    if (!FHandle) {
        FHandle.Reset(ImageList_Create(std::clamp(Width(), 1, MaxImageSide), std::clamp(Height(), 1, MaxImageSide),
                                       ILC_COLOR24 | ILC_MASK, 4, 4));
        if (!FHandle) throw EOutOfResources(L"Out of system resources");
    }
    return FHandle.Get();
}

int TImageList::Count() const {
    return FHandle ? ImageList_GetImageCount(FHandle.Get()) : 0;
}

int TImageList::AddMasked(TBitmap& bitmap, TColor transparentColor) {
    // The strip is cut at the size the list was given, the size its images are drawn for.
    const int w = FWidth.Value, h = FHeight.Value;
    if (w < 1 || h < 1 || bitmap.Width() < w || bitmap.Height() < 1) return -1;
    const int first = Count();
    Handle();
    for (int x = 0; x + w <= bitmap.Width(); x += w) {
        TSource source{std::make_unique<TBitmap>(w, h, pf24bit), transparentColor};
        BitBlt(source.Image->Canvas().Handle(), 0, 0, w, std::min(h, bitmap.Height()), bitmap.Canvas().Handle(), x, 0,
               SRCCOPY);
        AddScaled(source);
        FSources.push_back(std::move(source));
    }
    return first;
}

void TImageList::AddScaled(const TSource& source) {
    // The list blackens the transparent pixels of what it is given: it gets a copy.
    TBitmap image;
    ScaleKeyedBitmap(*source.Image, source.Key, Width(), Height(), image);
    ImageList_AddMasked(Handle(), image.Handle(), ColorToColorRef(source.Key));
}

void TImageList::Delete(int index) {
    if (!FHandle || index < 0 || index >= Count()) return;
    ImageList_Remove(FHandle.Get(), index);
    if (index < static_cast<int>(FSources.size())) FSources.erase(FSources.begin() + index);
}

void TImageList::Clear() {
    if (FHandle) ImageList_RemoveAll(FHandle.Get());
    FSources.clear();
}

void TImageList::GetBitmap(int index, TBitmap& image, TColor background) {
    image.SetPixelFormat(pf24bit);
    image.SetSize(Width(), Height());
    image.Canvas().Brush().SetColor(background);
    image.Canvas().FillRect(RECT{0, 0, Width(), Height()});
    if (index < 0 || index >= Count()) return;
    ImageList_Draw(FHandle.Get(), index, image.Canvas().Handle(), 0, 0, ILD_TRANSPARENT);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
    if (index < 0 || index >= Count()) return;
    HDC dc = canvas.Handle();
    if (enabled)
        ImageList_Draw(FHandle.Get(), index, dc, x, y, ILD_TRANSPARENT);
    else
        DrawGreyed(dc, x, y, index);
}

void TImageList::DrawGreyed(HDC dc, int x, int y, int index) {
    // The shape is every pixel that is neither transparent nor white, as a monochrome copy of the
    // image on white would show it: embossed, highlight one pixel down-right, shadow on top.
    TBitmap image;
    GetBitmap(index, image, clWhite);
    const auto keep = image.CreateMask(clWhite); // white where the destination stays
    const int w = Width(), h = Height();
    TBitmap paint(w, h, pf24bit);
    for (auto [colour, offset] : {std::pair{clBtnHighlight, 1}, std::pair{clBtnShadow, 0}}) {
        paint.Canvas().Brush().SetColor(colour);
        paint.Canvas().FillRect(RECT{0, 0, w, h});
        MaskedBlt(dc, x + offset, y + offset, w, h, paint.Canvas().Handle(), 0, 0, keep->Handle());
    }
}

} // namespace orvo
