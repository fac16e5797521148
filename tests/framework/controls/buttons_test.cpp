// Bit buttons and speed buttons under Wine: where glyph and caption go, which frame of the strip
// each state draws (pixel-exact on the control's own painting), the stock kinds and what a
// caption or glyph of one's own keeps, clicks from real mouse input (only a release inside
// clicks), exclusive groups, and both in a stored form.
#include "framework/base/prop_access.h"
#include "framework/controls/bit_btn.h"
#include "framework/controls/menu_button.h"
#include "framework/menus/menu_item.h"
#include "framework/menus/popup_menu.h"
#include "framework/controls/speed_button.h"
#include "framework/forms/form_reader.h"
#include "tests/framework/controls/families_support.h"
#include "tests/framework/menus/menu_test_support.h"

#include <gtest/gtest.h>

namespace orvo {
namespace {

using test::Add;

TEST(ButtonGlyph, LayoutSharesTheFreeSpaceAsMarginAndSpacingSay) {
    TButtonGlyph glyph;
    glyph.Glyph().Assign(*test::SolidStrip(10, {clRed, clBlue}));
    glyph.SetNumGlyphs(2);
    EXPECT_EQ(glyph.GlyphSize().cx, 10);
    glyph.SetNumGlyphs(0);
    EXPECT_EQ(glyph.NumGlyphs(), 1) << "clamped: never a division by zero";
    glyph.SetNumGlyphs(9);
    EXPECT_EQ(glyph.NumGlyphs(), 4);
    glyph.SetNumGlyphs(2);

    TBitmap surface(1, 1);
    HDC dc = surface.Canvas().Handle();
    const RECT client{0, 0, 100, 40};
    SIZE text{};
    GetTextExtentPoint32W(dc, L"Go", 2, &text);
    const int free = 100 - 10 - text.cx;
    const auto place = [&](TButtonLayout layout, int margin, int spacing, const std::wstring& caption) {
        glyph.SetLayout(layout);
        glyph.SetMargin(margin);
        glyph.SetSpacing(spacing);
        return glyph.Place(dc, client, caption, 0);
    };

    auto l = place(blGlyphLeft, -1, -1, L"Go");
    EXPECT_EQ(l.Glyph.x, free / 3) << "three equal parts";
    EXPECT_EQ(l.Text.left, free / 3 + 10 + free / 3);
    EXPECT_EQ(l.Glyph.y, (40 - 10 + 1) / 2);
    l = place(blGlyphLeft, -1, 4, L"Go");
    EXPECT_EQ(l.Glyph.x, (100 - (10 + 4 + text.cx)) / 2) << "centred together";
    EXPECT_EQ(l.Text.left, l.Glyph.x + 14);
    l = place(blGlyphRight, 3, -1, L"Go");
    EXPECT_EQ(l.Glyph.x, 100 - 3 - 10);
    EXPECT_EQ(l.Text.right, l.Glyph.x - (100 - 3 - 10 - text.cx) / 2);
    l = place(blGlyphLeft, -1, -1, L"");
    EXPECT_EQ(l.Glyph.x, 45) << "without a caption the glyph is centred";
    glyph.SetLayout(blGlyphBottom);
    glyph.SetMargin(5);
    glyph.SetSpacing(2);
    l = glyph.Place(dc, RECT{0, 0, 40, 100}, L"Go", 0);
    EXPECT_EQ(l.Glyph.y, 100 - 5 - 10);
    EXPECT_EQ(l.Text.bottom, l.Glyph.y - 2);
    EXPECT_EQ(l.Glyph.x, (40 - 10 + 1) / 2);
}

// What the bit button paints for a state: its own drawing code, into a bitmap.
std::unique_ptr<TBitmap> PaintBitBtn(TBitBtn& button, UINT state) {
    auto shot = std::make_unique<TBitmap>(button.Width(), button.Height());
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.hwndItem = button.Handle();
    item.itemState = state;
    item.hDC = shot->Canvas().Handle();
    item.rcItem = RECT{0, 0, button.Width(), button.Height()};
    button.Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    return shot;
}

TEST(BitBtn, EachStateDrawsItsFrameOfTheStrip) {
    TForm form(nullptr);
    auto* button = Add<TBitBtn>(&form, 0, 0, 60, 30);
    button->SetGlyph(test::SolidStrip(10, {clRed, clLime, clBlue, clYellow}).get());
    button->SetNumGlyphs(4);
    button->SetMargin(4);
    const RECT glyphArea{2 + 4, (30 - 4 - 10 + 1) / 2 + 2, 2 + 4 + 10, (30 - 4 - 10 + 1) / 2 + 2 + 10};
    const auto only = [&](const TBitmap& shot, TColor colour) {
        return test::CountPixels(shot, colour, glyphArea);
    };
    auto up = PaintBitBtn(*button, 0);
    EXPECT_EQ(only(*up, clRed), 99) << "frame 1 at the margin, its bottom-left pixel transparent";
    EXPECT_EQ(up->PixelColor(glyphArea.left, glyphArea.bottom - 1), ColorToRGB(clBtnFace));
    auto pressed = PaintBitBtn(*button, ODS_SELECTED);
    EXPECT_EQ(test::CountPixels(*pressed, clBlue, RECT{0, 0, 60, 30}), 99) << "pressed: frame 3";
    EXPECT_EQ(pressed->PixelColor(glyphArea.left + 1, glyphArea.top + 1), clBlue) << "one pixel down-right";
    button->SetEnabled(false);
    EXPECT_EQ(test::CountPixels(*PaintBitBtn(*button, ODS_DISABLED), clLime, RECT{0, 0, 60, 30}), 99)
        << "disabled: frame 2";
    button->SetNumGlyphs(2);
    button->SetEnabled(true);
    EXPECT_EQ(test::CountPixels(*PaintBitBtn(*button, ODS_SELECTED), clRed, RECT{0, 0, 60, 30}), 99)
        << "pressed with two frames falls back to frame 1";
    button->SetNumGlyphs(1);
    button->SetEnabled(false);
    auto embossed = PaintBitBtn(*button, ODS_DISABLED);
    EXPECT_EQ(test::CountPixels(*embossed, clRed, RECT{0, 0, 60, 30}), 0)
        << "one frame: embossed when disabled";
    EXPECT_GT(only(*embossed, ColorToRGB(clBtnShadow)), 50);
    button->SetEnabled(true);

    // The default frame: a window-frame line around the face, only while it answers Enter.
    const TColor frame = ColorToRGB(clWindowFrame);
    EXPECT_NE(PaintBitBtn(*button, 0)->PixelColor(10, 0), frame);
    EXPECT_EQ(PaintBitBtn(*button, ODS_FOCUS)->PixelColor(10, 0), frame);
    button->SetDefault(true);
    EXPECT_EQ(PaintBitBtn(*button, 0)->PixelColor(10, 0), frame);
    EXPECT_EQ(GetWindowLongW(button->Handle(), GWL_STYLE) & 0x0F, BS_OWNERDRAW) << "still owner-drawn";
}

TEST(BitBtn, KindsGiveCaptionGlyphAndResultButKeepWhatIsOwn) {
    TForm form(nullptr);
    auto* ok = Add<TBitBtn>(&form, 0, 0, 75, 25);
    ok->SetKind(bkOK);
    EXPECT_EQ(ok->Caption(), L"OK");
    EXPECT_EQ(ok->ModalResult(), mrOk);
    EXPECT_TRUE(ok->Default());
    EXPECT_FALSE(ok->Glyph()->Empty());
    EXPECT_EQ(GetObjectProp<TBitmap>(ok, L"Glyph"), ok->Glyph()) << "Glyph reads as the glyph drawn";
    ok->SetKind(bkCancel);
    EXPECT_EQ(ok->Caption(), L"Cancel") << "a stock caption follows the kind";
    EXPECT_EQ(ok->ModalResult(), mrCancel);
    EXPECT_TRUE(ok->Cancel());

    auto* own = Add<TBitBtn>(&form, 0, 30, 75, 25);
    own->SetCaption(L"保存");
    auto strip = test::SolidStrip(12, {clRed});
    own->SetGlyph(strip.get());
    own->SetModalResult(mrRetry);
    own->SetKind(bkYes);
    EXPECT_EQ(own->Caption(), L"保存");
    EXPECT_EQ(own->Glyph()->PixelColor(5, 5), clRed) << "a glyph of one's own stays";
    EXPECT_EQ(own->ModalResult(), mrRetry);
    own->SetGlyph(nullptr);
    EXPECT_EQ(own->Glyph()->Width(), 16) << "no glyph of its own: the kind's again";
    for (int k = bkCustom; k <= bkAll; ++k) {
        TBitmap glyph;
        LoadBitBtnKindGlyph(static_cast<TBitBtnKind>(k), glyph);
        EXPECT_EQ(glyph.Empty(), k == bkCustom) << k;
        if (!glyph.Empty()) {
            EXPECT_EQ(glyph.PixelColor(0, 15), clFuchsia) << "transparent corner, kind " << k;
            EXPECT_LT(test::CountPixels(glyph, clFuchsia, RECT{0, 0, 16, 16}), 256 - 10) << "kind " << k;
        }
    }
}

TEST(BitBtn, ClicksOnlyWhenReleasedInside) {
    test::TShownForm shown;
    auto* button = Add<TBitBtn>(&shown.Form, 20, 20, 90, 30);
    button->SetKind(bkOK);
    button->SetModalResult(mrNone);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    test::ClickAt(*button, 40, 15);
    EXPECT_EQ(clicks, 1);
    test::Drag(*button, 40, 15, 200, 15);
    EXPECT_EQ(clicks, 1) << "pressed, dragged out, released: no click";
    test::ClickAt(*button, 40, 15);
    test::ClickAt(*button, 40, 15);
    EXPECT_EQ(clicks, 3) << "two quick clicks are two clicks";
}

TEST(MenuButton, AClickDropsTheMenuBelowTheButtonAndTheArrowStaysInside) {
    test::TShownForm shown;
    auto* button = Add<TMenuButton>(&shown.Form, 20, 20, 100, 28);
    button->SetCaption(L"More");
    int clicks = 0, picked = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    test::ClickAt(*button, 30, 14);
    EXPECT_EQ(clicks, 1) << "without a menu it is a bit button";

    auto* menu = new TPopupMenu(&shown.Form);
    auto* item = new TMenuItem(&shown.Form);
    item->SetCaption(L"&Export");
    item->OnClick = [&](TObject*) { ++picked; };
    menu->Items()->Add(item);
    menu->OnPopup = [&](TObject*) { EXPECT_EQ(menu->PopupComponent(), button); };
    button->SetDropDownMenu(menu);
    EXPECT_EQ(GetObjectProp(button, L"DropDownMenu"), menu);
    test::PressKeysInNextMenu({VK_DOWN, VK_RETURN});
    test::ClickAt(*button, 30, 14);
    test::PumpUntil([&] { return picked == 1; }, 3000);
    EXPECT_EQ(picked, 1) << "the menu dropped and its item was picked";
    EXPECT_EQ(clicks, 1) << "OnClick does not run while there is a menu";

    auto shot = PaintBitBtn(*button, 0);
    const POINT tip = button->ArrowTip();
    EXPECT_EQ(shot->PixelColor(tip.x, tip.y - 1), ColorToRGB(clWindowText));
    EXPECT_LT(tip.x + 4, button->Width() - 2) << "the arrow is inside the face";
    delete menu;
    EXPECT_EQ(button->DropDownMenu(), nullptr) << "a freed menu is let go";
}

// What the speed buttons of `form` paint, through the form's own painting.
std::unique_ptr<TBitmap> PaintForm(TForm& form, int w, int h) {
    auto shot = std::make_unique<TBitmap>(w, h);
    form.Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(shot->Canvas().Handle()));
    form.Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot->Canvas().Handle()));
    return shot;
}

TEST(SpeedButton, ClicksOnReleaseInsideAndGroupsAreExclusive) {
    test::TShownForm shown;
    TForm& form = shown.Form;
    auto* a = Add<TSpeedButton>(&form, 10, 10, 30, 30);
    auto* b = Add<TSpeedButton>(&form, 40, 10, 30, 30);
    auto* c = Add<TSpeedButton>(&form, 70, 10, 30, 30);
    auto* loose = Add<TSpeedButton>(&form, 120, 10, 30, 30);
    std::vector<std::wstring> log;
    for (auto [button, name] :
         {std::pair{a, L"a"}, std::pair{b, L"b"}, std::pair{c, L"c"}, std::pair{loose, L"x"}})
        button->OnClick = [&log, name](TObject*) { log.push_back(name); };
    for (TSpeedButton* s : {a, b, c})
        s->SetGroupIndex(1);

    test::ClickAt(*loose, 15, 15);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"x"}));
    EXPECT_FALSE(loose->Down()) << "without a group it comes up again";
    test::Drag(*loose, 15, 15, 15, 200);
    EXPECT_EQ(log.size(), 1u) << "released outside: no click";
    loose->SetDown(true);
    EXPECT_FALSE(loose->Down());

    test::ClickAt(*a, 15, 15);
    EXPECT_TRUE(a->Down());
    test::ClickAt(*b, 15, 15);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down()) << "one down per group";
    test::ClickAt(*b, 15, 15);
    EXPECT_TRUE(b->Down()) << "without AllowAllUp the down one stays down";
    EXPECT_EQ(log, (std::vector<std::wstring>{L"x", L"a", L"b", L"b"}));
    c->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp()) << "shared by the group";
    test::ClickAt(*b, 15, 15);
    EXPECT_FALSE(b->Down());
    test::Drag(*c, 15, 15, 200, 200);
    EXPECT_FALSE(c->Down()) << "a press dragged out does not put it down";

    // Painting: a non-flat up button shows the raised face; a flat one nothing until the pointer
    // is over it; a down one is sunk and checked.
    a->SetDown(true);
    c->SetFlat(true);
    test::MoveTo(form, 300, 200);
    const TColor highlight = ColorToRGB(clBtnHighlight), face = ColorToRGB(clBtnFace);
    auto shot = PaintForm(form, 200, 60);
    const auto lit = [&](const TBitmap& picture, int x, int y) {
        return picture.PixelColor(x, y) == highlight || picture.PixelColor(x + 1, y + 1) == highlight;
    };
    EXPECT_TRUE(lit(*shot, 40, 10)) << "up: lit top-left edge";
    EXPECT_EQ(shot->PixelColor(70, 10), face) << "flat, not hot: no edge";
    EXPECT_EQ(shot->PixelColor(71, 11), face);
    EXPECT_FALSE(lit(*shot, 10, 10)) << "down: sunk";
    const int checked = test::CountPixels(*shot, highlight, RECT{14, 14, 36, 36});
    EXPECT_GT(checked, 150) << "down: the checked face";
    EXPECT_LT(checked, 330);
    test::MoveTo(*c, 15, 15);
    ASSERT_TRUE(test::PumpUntil([&] { return c->MouseInControl(); }));
    EXPECT_EQ(PaintForm(form, 200, 60)->PixelColor(70, 10), highlight) << "flat and hot: raised edge";
}

TEST(BitAndSpeedButtons, StoredFormsHoldGlyphsKindsAndGroups) {
    auto strip = test::SolidStrip(8, {clRed, clGray});
    const std::string glyph = test::GlyphDataText(*strip);
    TForm form(nullptr);
    ReadFormText(&form, "object f: TForm\n"
                        "  object btnSave: TBitBtn\n"
                        "    Caption = 'Save'\n"
                        "    Kind = bkOK\n" +
                            glyph +
                            "    NumGlyphs = 2\n"
                            "    Layout = blGlyphTop\n"
                            "    Margin = 3\n"
                            "    Spacing = -1\n"
                            "  end\n"
                            "  object sb1: TSpeedButton\n"
                            "    Down = True\n"
                            "    GroupIndex = 2\n"
                            "    Flat = True\n"
                            "    Caption = 'B'\n" +
                            glyph +
                            "  end\n"
                            "  object sb2: TSpeedButton\n"
                            "    GroupIndex = 2\n"
                            "    NumGlyphs = 0\n"
                            "  end\n"
                            "end");
    TComponent* save = form.FindComponent(L"btnSave");
    EXPECT_EQ(GetStrProp(save, L"Caption"), L"Save") << "written before Kind, kept";
    EXPECT_EQ(GetPropValue(save, L"Kind"), L"bkOK");
    EXPECT_EQ(GetPropValue(save, L"Default"), L"True");
    EXPECT_EQ(GetPropValue(save, L"ModalResult"), L"mrOk");
    TBitmap* saveGlyph = GetObjectProp<TBitmap>(save, L"Glyph");
    ASSERT_NE(saveGlyph, nullptr);
    EXPECT_EQ(saveGlyph->Width(), 16) << "the stored glyph, not the kind's";
    EXPECT_EQ(saveGlyph->PixelColor(3, 3), clRed);
    EXPECT_EQ(GetOrdProp(save, L"NumGlyphs"), 2);
    EXPECT_EQ(GetPropValue(save, L"Layout"), L"blGlyphTop");
    EXPECT_EQ(GetOrdProp(save, L"Margin"), 3);
    EXPECT_EQ(GetOrdProp(save, L"Spacing"), -1);
    TComponent* sb1 = form.FindComponent(L"sb1");
    EXPECT_EQ(GetPropValue(sb1, L"Down"), L"True") << "Down before GroupIndex in the text still holds";
    EXPECT_EQ(GetPropValue(sb1, L"Flat"), L"True");
    EXPECT_EQ(GetOrdProp(sb1, L"GroupIndex"), 2);
    TBitmap* sbGlyph = GetObjectProp<TBitmap>(sb1, L"Glyph");
    ASSERT_NE(sbGlyph, nullptr);
    EXPECT_FALSE(sbGlyph->Empty());
    EXPECT_EQ(GetOrdProp(form.FindComponent(L"sb2"), L"NumGlyphs"), 1);
    static_cast<TSpeedButton*>(form.FindComponent(L"sb2"))->SetDown(true);
    EXPECT_EQ(GetPropValue(sb1, L"Down"), L"False");
}

} // namespace
} // namespace orvo
