// TPen: colour, width, line style and raster mode; the GDI pen is created on first use.
#pragma once

#include "framework/graphics/color.h"
#include "framework/graphics/gdi_handle.h"
#include "framework/graphics/graphics_object.h"

namespace orvo {

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

template <class T> class TPublisher;

class TPen : public TGraphicsObject {
    ORVO_CLASS(TPen, TGraphicsObject)
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    int Width() const { return FWidth; }
    void SetWidth(int width);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode mode);
    // The R2_* raster operation of Mode, for SetROP2.
    int Rop2() const;

    HPEN Handle();
    void Assign(TPersistent* source) override;

    static void Publish(TPublisher<TPen>& p);

protected:
    void FreeHandle() override { FHandle.Reset(); }

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
    TPenHandle FHandle;
};

} // namespace orvo
