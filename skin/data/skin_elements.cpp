#include "skin/data/skin_elements.h"

namespace orvo {

void TDataSkinObject::Reset() {
    LeftWidth = TopHeight = RightWidth = BottomHeight = 0;
    Image.Clear();
    Trans = Tile = Frame = Style = 0;
    NormalColour = MouseOverColour = PressedColour = -1;
    NormalColour2 = MouseOverColour2 = PressedColour2 = 0;
}

void TDataSkinBorder::Reset() {
    TDataSkinObject::Reset();
    Image2.Clear();
}

void TDataSkinTitle::Reset() {
    TDataSkinObject::Reset();
    TextAlignment = Textbackground = FontHeight = TXTBackleft = TXTBackRight = 0;
    ActiveTextColour = InActiveTextColour = clNone;
}

void TDataSkinButton::Reset() {
    TDataSkinObject::Reset();
    CheckImage.Clear();
    RadioImage.Clear();
    RadioButtonFrame = CheckButtonFrame = 0;
    HasNormalColour2 = HasMouseOverColour2 = HasPressedColour2 = false;
}

void TDataSkinSysButton::Reset() {
    TDataSkinObject::Reset();
    Action = Align = XCoord = YCoord = CombineOp = Visibility = Visibility1 = 0;
}

void TDataSkinBoxLabel::Reset() {
    TDataSkinObject::Reset();
    BackgroundLeftShift = BackgroundRightShift = BackgroundAlignment = 0;
}

} // namespace orvo
