// TImageList: equal-sized images in a common-controls image list, added from bitmap strips with a
// transparent colour and drawn normally or greyed (embossed in the 3-D highlight and shadow
// colours) for disabled items.
#pragma once

#include "framework/graphics/bitmap.h"
#include "framework/base/component.h"
#include "framework/graphics/gdi_handle.h"

namespace orvo {

template <class T> class TPublisher;

class TImageList : public TComponent {
    ORVO_CLASS(TImageList, TComponent)
public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Changing the size empties the list.
    void SetWidth(int width);
    void SetHeight(int height);
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
    void DrawGreyed(HDC dc, int x, int y, int index);

    int FWidth = 16;
    int FHeight = 16;
    TImageListHandle FHandle;
};

} // namespace orvo
