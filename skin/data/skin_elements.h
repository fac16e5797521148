// Skin element definitions: one per INI section of a loaded skin, owned by the skin component.
// The fields carry the names of the INI keys that fill them and are read directly by the drawing
// code. An image with Frame > 1 holds Frame equal frames side by side (one per visual state).
// Each image read from the skin's archive remembers its entry's name (ImageEntry, ...), so that
// the skin at another DPI can find the store's images drawn for that scale.
#pragma once

#include "framework/graphics/bitmap.h"
#include "framework/graphics/color.h"

#include <memory>
#include <string>

namespace orvo {

class TDataSkinObject {
public:
    explicit TDataSkinObject(std::wstring name = {}) : Name(std::move(name)) {}
    TDataSkinObject(const TDataSkinObject&) = delete;
    TDataSkinObject& operator=(const TDataSkinObject&) = delete;
    virtual ~TDataSkinObject() = default;

    // Back to the state of a new definition of the same name: no image, every number zero.
    virtual void Reset();
    // A definition of the same class and name with the same fields, the images copied too or
    // left empty (their entry names are kept either way).
    virtual std::unique_ptr<TDataSkinObject> Clone(bool images) const;
    // Takes every field of `other` but the name; images as Clone does.
    void Assign(const TDataSkinObject& other, bool images);

    // Fixed margins of the image: drawn unscaled when the image is stretched or tiled to a size.
    int LeftWidth = 0;
    int TopHeight = 0;
    int RightWidth = 0;
    int BottomHeight = 0;
    TBitmap Image;
    int Trans = 0; // draw with magenta transparent
    int Tile = 0;  // tile the middle (1) rather than stretch it (0); for borders the stretch flag
    std::wstring Name;
    int Frame = 0;
    int Style = 0;
    // Text colours by state: read as integers, -1 when the skin gives none.
    TColor NormalColour = -1;
    TColor MouseOverColour = -1;
    TColor PressedColour = -1;
    // Text colours by state, read as colour texts.
    TColor NormalColour2 = 0;
    TColor MouseOverColour2 = 0;
    TColor PressedColour2 = 0;
    // The archive entry Image was read from; empty for images made by the program.
    std::string ImageEntry;
};

class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    void Reset() override;
    std::unique_ptr<TDataSkinObject> Clone(bool images) const override;
    void Assign(const TDataSkinBorder& other, bool images);

    TBitmap Image2;
    std::string Image2Entry;
};

// The caption text: Image is the text background; LeftWidth, TopHeight and RightWidth hold
// TextShift, TextShiftVert and TextRightClip.
class TDataSkinTitle : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    void Reset() override;
    std::unique_ptr<TDataSkinObject> Clone(bool images) const override;
    void Assign(const TDataSkinTitle& other, bool images);

    int TextAlignment = 0;
    int Textbackground = 0;
    int FontHeight = 0;
    int TXTBackleft = 0;
    int TXTBackRight = 0;
    TColor ActiveTextColour = clNone; // clNone: not given
    TColor InActiveTextColour = clNone;
};

// Push buttons, with the check box and radio button glyph strips.
class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    void Reset() override;
    std::unique_ptr<TDataSkinObject> Clone(bool images) const override;
    void Assign(const TDataSkinButton& other, bool images);

    TBitmap CheckImage;
    TBitmap RadioImage;
    std::string CheckImageEntry;
    std::string RadioImageEntry;
    int RadioButtonFrame = 0;
    int CheckButtonFrame = 0;
    bool HasNormalColour2 = false;
    bool HasMouseOverColour2 = false;
    bool HasPressedColour2 = false;
};

// One caption button.
class TDataSkinSysButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    void Reset() override;
    std::unique_ptr<TDataSkinObject> Clone(bool images) const override;
    void Assign(const TDataSkinSysButton& other, bool images);

    int Action = 0;
    int Align = 0;
    int XCoord = 0;
    int YCoord = 0;
    int CombineOp = 0;
    int Visibility = 0;
    int Visibility1 = 0;
};

// The group box.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    void Reset() override;
    std::unique_ptr<TDataSkinObject> Clone(bool images) const override;
    void Assign(const TDataSkinBoxLabel& other, bool images);

    int BackgroundLeftShift = 0;
    int BackgroundRightShift = 0;
    int BackgroundAlignment = 0;
};

} // namespace orvo
