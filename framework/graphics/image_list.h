// TImageList: equal-sized images in a common-controls image list, added from bitmap strips with a
// transparent colour and drawn normally or greyed (embossed in the 3-D highlight and shadow
// colours) for disabled items.
//
// Display scale: Width and Height are given at 96 DPI (a stored form's) and the images are drawn
// for that size; at another Dpi (the form that owns the list sets it) the list holds the images
// resampled to the scaled size (scaled_bitmap.h) under the same handle, so the controls showing it
// keep it. The images as added are kept for that.
#pragma once

#include "framework/graphics/bitmap.h"
#include "framework/base/component.h"
#include "framework/graphics/gdi_handle.h"
#include "core/scale/scaled_length.h"

#include <memory>
#include <vector>

namespace orvo {

template <class T> class TPublisher;

class TImageList : public TComponent {
    ORVO_CLASS(TImageList, TComponent)
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    // The images' size in pixels at Dpi.
    int Width() const { return FWidth.At(FDpi); }
    int Height() const { return FHeight.At(FDpi); }
    // Changing the size empties the list. The size given is at Dpi; the images added after are
    // drawn for it.
    void SetWidth(int width);
    void SetHeight(int height);
    // The DPI the images are shown at (96 for a new list).
    int Dpi() const noexcept { return FDpi; }
    void SetDpi(int dpi);
    int Count() const;

    // Splits `bitmap` into Width-wide images (a narrower rest is dropped) and adds them with
    // `transparentColor` as their transparent colour; the bitmap is not changed. Answers the index
    // of the first image added, or -1 when none was.
    int AddMasked(TBitmap& bitmap, TColor transparentColor);
    void Delete(int index);
    void Clear();
    // Copies image `index` into `image` (24-bit; transparent pixels take `background`).
    void GetBitmap(int index, TBitmap& image, TColor background = clFuchsia);

    // Draws image `index` with its top-left at (x, y): as it is when enabled, else greyed.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);

    // The list, created on first use.
    HIMAGELIST Handle();

    static void Publish(TPublisher<TImageList>& p);

private:
    struct TSource {
        std::unique_ptr<TBitmap> Image; // at the size the list was given
        TColor Key;
    };
    void DrawGreyed(HDC dc, int x, int y, int index);
    void AddScaled(const TSource& source);
    void Emptied();

    TScaledLength FWidth{16};
    TScaledLength FHeight{16};
    int FDpi = 96;
    std::vector<TSource> FSources;
    TImageListHandle FHandle;
};

} // namespace orvo
