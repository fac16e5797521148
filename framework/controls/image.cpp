#include "framework/controls/image.h"

#include "framework/base/properties.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TImage);

void TImage::Publish(TPublisher<TImage>& p) {
    p.Object(L"Picture", &TImage::Picture, &TImage::SetPicture);
    p.Boolean(L"Stretch", &TImage::Stretch, &TImage::SetStretch);
    p.Boolean(L"Proportional", &TImage::Proportional, &TImage::SetProportional);
    p.Boolean(L"Center", &TImage::Center, &TImage::SetCenter);
    p.Boolean(L"Transparent", &TImage::Transparent, &TImage::SetTransparent);
    p.Boolean(L"AutoSize", &TImage::AutoSize, &TImage::SetAutoSize);
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 105, 105);
    FPicture.OnChange = [this](TObject*) { PictureChanged(); };
}

void TImage::SetPicture(TPicture* picture) {
    if (picture)
        FPicture.Assign(picture);
    else
        FPicture.SetGraphic(nullptr);
}

void TImage::PictureChanged() {
    if (TGraphic* graphic = FPicture.Graphic(); graphic && FTransparent) graphic->SetTransparent(true);
    if (FAutoSize && FPicture.Width() > 0 && FPicture.Height() > 0)
        SetBounds(Left(), Top(), ScaleValue(FPicture.Width()), ScaleValue(FPicture.Height()));
    Invalidate();
}

void TImage::SetStretch(bool value) {
    FStretch = value;
    Invalidate();
}

void TImage::SetProportional(bool value) {
    FProportional = value;
    Invalidate();
}

void TImage::SetCenter(bool value) {
    FCenter = value;
    Invalidate();
}

void TImage::SetTransparent(bool value) {
    FTransparent = value;
    if (TGraphic* graphic = FPicture.Graphic()) graphic->SetTransparent(value);
    Invalidate();
}

void TImage::SetAutoSize(bool value) {
    FAutoSize = value;
    if (value) PictureChanged();
}

RECT TImage::DestRect() const {
    // A picture's pixels are 96-DPI pixels: at another scale it is drawn as much larger.
    int w = ScaleValue(FPicture.Width());
    int h = ScaleValue(FPicture.Height());
    const int cw = Width();
    const int ch = Height();
    if (w > 0 && h > 0 && (FStretch || (FProportional && (w > cw || h > ch)))) {
        if (FProportional) {
            // The larger of the two scale factors that still fit decides.
            if (static_cast<long long>(cw) * h < static_cast<long long>(ch) * w) {
                h = MulDiv(h, cw, w);
                w = cw;
            } else {
                w = MulDiv(w, ch, h);
                h = ch;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    RECT r{0, 0, w, h};
    if (FCenter) OffsetRect(&r, (cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint() {
    TGraphic* graphic = FPicture.Graphic();
    if (!graphic || graphic->Empty()) return;
    Canvas()->StretchDraw(DestRect(), *graphic);
}

} // namespace orvo
