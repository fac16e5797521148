// TImage: shows a picture (BMP or GIF) at its own size from the control's top-left corner,
// clipped to the control; Stretch fills the control, Proportional keeps the aspect ratio when
// shrinking (or stretching), Center centres it. Transparent picture parts show the parent.
#pragma once

#include "framework/controls/graphic_control.h"
#include "framework/graphics/picture.h"

namespace orvo {

class TImage : public TGraphicControl {
    ORVO_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* owner);

    TPicture* Picture() noexcept { return &FPicture; }
    void SetPicture(TPicture* picture);
    bool Stretch() const noexcept { return FStretch; }
    void SetStretch(bool value);
    bool Proportional() const noexcept { return FProportional; }
    void SetProportional(bool value);
    bool Center() const noexcept { return FCenter; }
    void SetCenter(bool value);
    bool Transparent() const noexcept { return FTransparent; }
    void SetTransparent(bool value);
    // The control takes the picture's size.
    bool AutoSize() const noexcept { return FAutoSize; }
    void SetAutoSize(bool value);

    // Where the picture is drawn, in the control's coordinates.
    RECT DestRect() const;

    static void Publish(TPublisher<TImage>& p);

protected:
    void Paint() override;

private:
    void PictureChanged();

    TPicture FPicture;
    bool FStretch = false;
    bool FProportional = false;
    bool FCenter = false;
    bool FTransparent = false;
    bool FAutoSize = false;
};

} // namespace orvo
