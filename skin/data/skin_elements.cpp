// The element definitions: reset to their defaults, and copied for the skin at another DPI.
#include "skin/data/skin_elements.h"

namespace orvo {

void TDataSkinObject::Reset() {
    LeftWidth = TopHeight = RightWidth = BottomHeight = 0;
    Image.Clear();
    Trans = Tile = Frame = Style = 0;
    NormalColour = MouseOverColour = PressedColour = -1;
    NormalColour2 = MouseOverColour2 = PressedColour2 = 0;
    ImageEntry.clear();
}

void TDataSkinBorder::Reset() {
    TDataSkinObject::Reset();
    Image2.Clear();
    Image2Entry.clear();
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
    CheckImageEntry.clear();
    RadioImageEntry.clear();
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

namespace {

void CopyImage(TBitmap& target, const TBitmap& source, bool images) {
    target.Clear();
    if (images && !source.Empty()) target.Assign(source);
}

template <class T>
std::unique_ptr<TDataSkinObject> CloneOf(const T& original, bool images) {
    auto c = std::make_unique<T>(original.Name);
    c->Assign(original, images);
    return c;
}

} // namespace

void TDataSkinObject::Assign(const TDataSkinObject& o, bool images) {
    LeftWidth = o.LeftWidth;
    TopHeight = o.TopHeight;
    RightWidth = o.RightWidth;
    BottomHeight = o.BottomHeight;
    CopyImage(Image, o.Image, images);
    Trans = o.Trans;
    Tile = o.Tile;
    Frame = o.Frame;
    Style = o.Style;
    NormalColour = o.NormalColour;
    MouseOverColour = o.MouseOverColour;
    PressedColour = o.PressedColour;
    NormalColour2 = o.NormalColour2;
    MouseOverColour2 = o.MouseOverColour2;
    PressedColour2 = o.PressedColour2;
    ImageEntry = o.ImageEntry;
}

std::unique_ptr<TDataSkinObject> TDataSkinObject::Clone(bool images) const {
    return CloneOf(*this, images);
}

void TDataSkinBorder::Assign(const TDataSkinBorder& o, bool images) {
    TDataSkinObject::Assign(o, images);
    CopyImage(Image2, o.Image2, images);
    Image2Entry = o.Image2Entry;
}

std::unique_ptr<TDataSkinObject> TDataSkinBorder::Clone(bool images) const {
    return CloneOf(*this, images);
}

void TDataSkinTitle::Assign(const TDataSkinTitle& o, bool images) {
    TDataSkinObject::Assign(o, images);
    TextAlignment = o.TextAlignment;
    Textbackground = o.Textbackground;
    FontHeight = o.FontHeight;
    TXTBackleft = o.TXTBackleft;
    TXTBackRight = o.TXTBackRight;
    ActiveTextColour = o.ActiveTextColour;
    InActiveTextColour = o.InActiveTextColour;
}

std::unique_ptr<TDataSkinObject> TDataSkinTitle::Clone(bool images) const {
    return CloneOf(*this, images);
}

void TDataSkinButton::Assign(const TDataSkinButton& o, bool images) {
    TDataSkinObject::Assign(o, images);
    CopyImage(CheckImage, o.CheckImage, images);
    CopyImage(RadioImage, o.RadioImage, images);
    CheckImageEntry = o.CheckImageEntry;
    RadioImageEntry = o.RadioImageEntry;
    RadioButtonFrame = o.RadioButtonFrame;
    CheckButtonFrame = o.CheckButtonFrame;
    HasNormalColour2 = o.HasNormalColour2;
    HasMouseOverColour2 = o.HasMouseOverColour2;
    HasPressedColour2 = o.HasPressedColour2;
}

std::unique_ptr<TDataSkinObject> TDataSkinButton::Clone(bool images) const {
    return CloneOf(*this, images);
}

void TDataSkinSysButton::Assign(const TDataSkinSysButton& o, bool images) {
    TDataSkinObject::Assign(o, images);
    Action = o.Action;
    Align = o.Align;
    XCoord = o.XCoord;
    YCoord = o.YCoord;
    CombineOp = o.CombineOp;
    Visibility = o.Visibility;
    Visibility1 = o.Visibility1;
}

std::unique_ptr<TDataSkinObject> TDataSkinSysButton::Clone(bool images) const {
    return CloneOf(*this, images);
}

void TDataSkinBoxLabel::Assign(const TDataSkinBoxLabel& o, bool images) {
    TDataSkinObject::Assign(o, images);
    BackgroundLeftShift = o.BackgroundLeftShift;
    BackgroundRightShift = o.BackgroundRightShift;
    BackgroundAlignment = o.BackgroundAlignment;
}

std::unique_ptr<TDataSkinObject> TDataSkinBoxLabel::Clone(bool images) const {
    return CloneOf(*this, images);
}

} // namespace orvo
