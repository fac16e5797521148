#include "framework/graphics/image_list.h"

#include "framework/graphics/bmp_codec.h"
#include "framework/base/properties.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TImageList);

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() = default;

void TImageList::Publish(TPublisher<TImageList>& p) {
    p.Integer(L"Width", &TImageList::Width, &TImageList::SetWidth);
    p.Integer(L"Height", &TImageList::Height, &TImageList::SetHeight);
}

void TImageList::SetWidth(int width) {
    if (width < 1 || width > MaxImageSide || width == FWidth) return;
    FWidth = width;
    FHandle.Reset();
}

void TImageList::SetHeight(int height) {
    if (height < 1 || height > MaxImageSide || height == FHeight) return;
    FHeight = height;
    FHandle.Reset();
}

HIMAGELIST TImageList::Handle() {
    if (!FHandle) {
        FHandle.Reset(ImageList_Create(FWidth, FHeight, ILC_COLOR24 | ILC_MASK, 4, 4));
        if (!FHandle) throw EOutOfResources(L"Out of system resources");
    }
    return FHandle.Get();
}

int TImageList::Count() const {
    return FHandle ? ImageList_GetImageCount(FHandle.Get()) : 0;
}

int TImageList::AddMasked(TBitmap& bitmap, TColor transparentColor) {
    if (bitmap.Width() < FWidth || bitmap.Height() < 1) return -1;
    // The list blackens the transparent pixels of what it is given: hand it a copy, cut to whole
    // images of the list's height.
    TBitmap copy(bitmap.Width() / FWidth * FWidth, FHeight, pf24bit);
    BitBlt(copy.Canvas().Handle(), 0, 0, copy.Width(), FHeight, bitmap.Canvas().Handle(), 0, 0, SRCCOPY);
    return ImageList_AddMasked(Handle(), copy.Handle(), ColorToColorRef(transparentColor));
}

void TImageList::Delete(int index) {
    if (FHandle && index >= 0 && index < Count()) ImageList_Remove(FHandle.Get(), index);
}

void TImageList::Clear() {
    if (FHandle) ImageList_RemoveAll(FHandle.Get());
}

void TImageList::GetBitmap(int index, TBitmap& image, TColor background) {
    image.SetPixelFormat(pf24bit);
    image.SetSize(FWidth, FHeight);
    image.Canvas().Brush().SetColor(background);
    image.Canvas().FillRect(RECT{0, 0, FWidth, FHeight});
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
    TBitmap paint(FWidth, FHeight, pf24bit);
    for (auto [colour, offset] : {std::pair{clBtnHighlight, 1}, std::pair{clBtnShadow, 0}}) {
        paint.Canvas().Brush().SetColor(colour);
        paint.Canvas().FillRect(RECT{0, 0, FWidth, FHeight});
        MaskedBlt(dc, x + offset, y + offset, FWidth, FHeight, paint.Canvas().Handle(), 0, 0, keep->Handle());
    }
}

} // namespace orvo
