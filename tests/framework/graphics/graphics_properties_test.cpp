#include "framework/base/component.h"
#include "framework/forms/form_reader.h"
#include "framework/graphics/gif_image.h"
#include "framework/graphics/graphics_types.h"
#include "framework/graphics/picture.h"
#include "framework/base/prop_access.h"
#include "framework/base/properties.h"
#include "tests/framework/graphics/gif_test_data.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace orvo {

// A component that carries the graphics objects the way controls do.
class TGraphicsHolder : public TComponent {
    ORVO_CLASS(TGraphicsHolder, TComponent)
public:
    explicit TGraphicsHolder(TComponent* owner) : TComponent(owner) {}
    TFont* Font() { return &FFont; }
    TBrush* Brush() { return &FBrush; }
    TPen* Pen() { return &FPen; }
    TPicture* Picture() { return &FPicture; }
    TColor Color() const { return FColor; }
    void SetColor(TColor c) { FColor = c; }

    static void Publish(TPublisher<TGraphicsHolder>& p) {
        p.Object(L"Font", &TGraphicsHolder::Font);
        p.Object(L"Brush", &TGraphicsHolder::Brush);
        p.Object(L"Pen", &TGraphicsHolder::Pen);
        p.Object(L"Picture", &TGraphicsHolder::Picture);
        p.Integer(L"Color", ColorType(), &TGraphicsHolder::Color, &TGraphicsHolder::SetColor);
    }

private:
    TFont FFont;
    TBrush FBrush;
    TPen FPen;
    TPicture FPicture;
    TColor FColor = clWindow;
};

ORVO_IMPLEMENT_CLASS(TGraphicsHolder);

namespace {

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    char pair[3];
    for (std::uint8_t b : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", b);
        text += pair;
    }
    return text;
}

TEST(GraphicsProperties, StoredFormsSetFontsBrushesPensColoursAndPictures) {
    const auto gif = test::MakeGif({3, 2, 0, 0, 3, 2, false, [](int x, int) { return x + 1; }});
    std::vector<std::uint8_t> data = {9, 'T', 'G', 'I', 'F', 'I', 'm', 'a', 'g', 'e'};
    data.insert(data.end(), gif.begin(), gif.end());
    const std::string form = "object Holder: TGraphicsHolder\n"
                             "  Color = clBtnFace\n"
                             "  Font.Charset = GB2312_CHARSET\n"
                             "  Font.Color = clNavy\n"
                             "  Font.Height = -16\n"
                             "  Font.Name = 'MS Sans Serif'\n"
                             "  Font.Style = [fsBold, fsStrikeOut]\n"
                             "  Brush.Color = 16711935\n"
                             "  Brush.Style = bsCross\n"
                             "  Pen.Mode = pmXor\n"
                             "  Pen.Width = 3\n"
                             "  Picture.Data = {" +
                             Hex(data) + "}\nend\n";
    TGraphicsHolder holder(nullptr);
    ReadFormText(&holder, form);
    EXPECT_EQ(holder.Color(), clBtnFace);
    EXPECT_EQ(holder.Font()->Charset(), GB2312_CHARSET);
    EXPECT_EQ(holder.Font()->Color(), clNavy);
    EXPECT_EQ(holder.Font()->Height(), -16);
    EXPECT_EQ(holder.Font()->Name(), L"MS Sans Serif");
    EXPECT_EQ(holder.Font()->Style(), (TFontStyles{fsBold, fsStrikeOut}));
    EXPECT_EQ(holder.Brush()->Color(), clFuchsia);
    EXPECT_EQ(holder.Brush()->Style(), bsCross);
    EXPECT_EQ(holder.Pen()->Mode(), pmXor);
    EXPECT_EQ(holder.Pen()->Width(), 3);
    auto* picture = dynamic_cast<TGIFImage*>(holder.Picture()->Graphic());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Bitmap().PixelColor(2, 1), clBlue);

    // Read back by name, identifiers where the value has one.
    EXPECT_EQ(GetPropValue(&holder, L"Font.Color"), L"clNavy");
    EXPECT_EQ(GetPropValue(&holder, L"Font.Charset"), L"GB2312_CHARSET");
    EXPECT_EQ(GetPropValue(&holder, L"Font.Style"), L"[fsBold,fsStrikeOut]");
    EXPECT_EQ(GetPropValue(&holder, L"Brush.Color"), L"clFuchsia");
    EXPECT_TRUE(SetPropValue(&holder, L"Font.Color", L"clHighlightText"));
    EXPECT_EQ(holder.Font()->Color(), clHighlightText);
    EXPECT_TRUE(SetPropValue(&holder, L"Color", L"$00123456"));
    EXPECT_EQ(holder.Color(), 0x123456);
    EXPECT_FALSE(SetPropValue(&holder, L"Color", L"clNoSuchColour"));
    EXPECT_FALSE(SetPropValue(&holder, L"Font.Style", L"[fsBlinking]"));
}

TEST(GraphicsProperties, AssignCopiesBetweenObjectsOfOneKindOnly) {
    TFont a, b;
    a.SetName(L"Arial");
    a.SetStyle({fsItalic});
    b.Assign(&a);
    EXPECT_TRUE(b.SameAs(a));
    TBrush brush;
    EXPECT_THROW(b.Assign(&brush), EConvertError);
    TPen pen1, pen2;
    pen1.SetStyle(psDot);
    pen2.Assign(&pen1);
    EXPECT_EQ(pen2.Style(), psDot);
    TBitmap bitmap(2, 2);
    TPicture picture;
    picture.Assign(&bitmap);
    EXPECT_EQ(picture.Width(), 2);
    EXPECT_THROW(bitmap.Assign(&picture), EConvertError);
}

} // namespace
} // namespace orvo
