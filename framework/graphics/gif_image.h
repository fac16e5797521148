// TGIFImage: a GIF picture decoded by the platform's imaging component (WIC) into a 32-bit bitmap
// and a mask of its transparent pixels. Only the first frame is shown; the file bytes are kept so
// that saving gives back exactly what was loaded.
#pragma once

#include "framework/graphics/bitmap.h"
#include "framework/graphics/graphic.h"

#include <memory>

namespace orvo {

class TGIFImage : public TGraphic {
    ORVO_CLASS(TGIFImage, TGraphic)
public:
    TGIFImage();
    ~TGIFImage() override;

    bool Empty() const override { return FBitmap.Empty(); }
    int Width() const override { return FBitmap.Width(); }
    int Height() const override { return FBitmap.Height(); }
    // The decoded picture (32 bits per pixel; transparent pixels black) and its mask (1 bit per
    // pixel, white where transparent).
    const TBitmap& Bitmap() const { return FBitmap; }
    const TBitmap& Mask() const { return FMask; }

    void Draw(TCanvas& canvas, const RECT& r) override;
    // Throws EInvalidGraphic when the data is not a GIF the platform can decode.
    void LoadFromBytes(std::span<const std::uint8_t> data) override;
    std::vector<std::uint8_t> SaveToBytes() const override { return FData; }
    std::unique_ptr<TGraphic> Clone() const override;
    using TGraphic::Assign;
    void Assign(TPersistent* source) override;

    static bool HasSignature(std::span<const std::uint8_t> data);

private:
    TBitmap FBitmap;
    TBitmap FMask;
    std::vector<std::uint8_t> FData;
};

} // namespace orvo
