// Owner-drawn items: WM_MEASUREITEM / WM_DRAWITEM reach the item's handlers with the right canvas
// and rectangle, and the standard drawing (checked by pixels on memory DCs).
#include "framework/graphics/bitmap.h"
#include "framework/graphics/canvas.h"
#include "framework/graphics/image_list.h"
#include "framework/menus/popup_menu.h"

#include "tests/framework/support/gdi_count.h"
#include "menu_test_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace orvo {
namespace {

constexpr TColor Red = 0x0000FF;

// Counts pixels of `color` inside `r` of the bitmap.
int CountColor(const TBitmap& bitmap, TColor color, RECT r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (bitmap.PixelColor(x, y) == ColorToRGB(color)) ++n;
    return n;
}

class OwnerDrawnMenu : public ::testing::Test {
protected:
    OwnerDrawnMenu() {
        Menu->SetOwnerDraw(true);
        Item->SetCaption(L"&Open");
        Menu->Items()->Add(Item);
        Menu->Items()->Add(Other);
        Other->SetCaption(L"Other");
    }

    DRAWITEMSTRUCT DrawStruct(TMenuItem* item, HDC dc, RECT r, UINT state = 0) {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = item->Command();
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hDC = dc;
        dis.rcItem = r;
        dis.itemData = item->Command();
        return dis;
    }
    MEASUREITEMSTRUCT MeasureStruct(TMenuItem* item) {
        MEASUREITEMSTRUCT mis{};
        mis.CtlType = ODT_MENU;
        mis.itemID = item->Command();
        mis.itemData = item->Command();
        return mis;
    }
    SIZE Measure(TMenuItem* item) {
        MEASUREITEMSTRUCT mis = MeasureStruct(item);
        EXPECT_TRUE(Menu->MeasureItem(mis));
        return SIZE{static_cast<LONG>(mis.itemWidth), static_cast<LONG>(mis.itemHeight)};
    }
    // The item drawn into a fresh bitmap of its own size.
    std::unique_ptr<TBitmap> Draw(TMenuItem* item, int width, int height, UINT state = 0) {
        auto bitmap = std::make_unique<TBitmap>(width, height);
        HDC dc = bitmap->Canvas().Handle();
        EXPECT_TRUE(Menu->DrawItem(DrawStruct(item, dc, RECT{0, 0, width, height}, state)));
        return bitmap;
    }

    TComponent Form{nullptr};
    TPopupMenu* Menu = new TPopupMenu(&Form);
    TMenuItem* Item = new TMenuItem(&Form);
    TMenuItem* Other = new TMenuItem(&Form);
};

TEST_F(OwnerDrawnMenu, NativeEntriesAreOwnerDrawnOnlyWhileTheMenuSaysSo) {
    HMENU menu = Menu->GetHandle();
    EXPECT_TRUE(test::NativeEntry(menu, 0).Type & MFT_OWNERDRAW);
    EXPECT_EQ(test::NativeEntry(menu, 0).Text, L"&Open"); // kept for readers of the native menu
    Menu->SetOwnerDraw(false);
    EXPECT_FALSE(test::NativeEntry(menu, 0).Type & MFT_OWNERDRAW);
    EXPECT_FALSE(test::NativeEntry(menu, 1).Type & MFT_OWNERDRAW);
}

TEST_F(OwnerDrawnMenu, MessagesReachTheHandlersWithTheItemsCanvasAndRectangle) {
    test::TMenuTestWindow window;
    window.Attach(Menu);
    HDC seenDc = nullptr;
    RECT seenRect{};
    bool seenSelected = false;
    Item->OnDrawItem = [&](TObject* sender, TCanvas& canvas, const RECT& r, bool selected) {
        EXPECT_EQ(sender, Item);
        seenDc = canvas.Handle();
        seenRect = r;
        seenSelected = selected;
        canvas.Brush().SetColor(Red);
        canvas.FillRect(r);
    };
    int standardWidth = 0;
    Item->OnMeasureItem = [&](TObject*, TCanvas& canvas, int& width, int& height) {
        EXPECT_NE(canvas.Handle(), nullptr);
        standardWidth = width;
        EXPECT_GT(height, 0);
        width += 7;
        height = 31;
    };
    MEASUREITEMSTRUCT mis = MeasureStruct(Item);
    EXPECT_TRUE(SendMessageW(window.Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)));
    EXPECT_GT(standardWidth, 16);
    EXPECT_EQ(mis.itemWidth, static_cast<UINT>(standardWidth + 7));
    EXPECT_EQ(mis.itemHeight, 31u);

    TBitmap target(60, 30);
    target.Canvas().Brush().SetColor(clWhite);
    target.Canvas().FillRect(RECT{0, 0, 60, 30});
    HDC dc = target.Canvas().Handle();
    const RECT r{10, 5, 50, 25};
    DRAWITEMSTRUCT dis = DrawStruct(Item, dc, r, ODS_SELECTED);
    EXPECT_TRUE(SendMessageW(window.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)));
    EXPECT_EQ(seenDc, dc);
    EXPECT_TRUE(EqualRect(&seenRect, &r));
    EXPECT_TRUE(seenSelected);
    EXPECT_EQ(CountColor(target, Red, r), 40 * 20);
    EXPECT_EQ(CountColor(target, Red, RECT{0, 0, 60, 30}), 40 * 20); // nothing outside

    // The advanced handler, when set, is the one that runs; both get the state.
    TOwnerDrawState state;
    Item->OnAdvancedDrawItem = [&](TObject*, TCanvas&, const RECT&, TOwnerDrawState s) { state = s; };
    seenSelected = false;
    dis.itemState = ODS_GRAYED | ODS_CHECKED;
    SendMessageW(window.Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    EXPECT_FALSE(seenSelected);
    EXPECT_EQ(state, (TOwnerDrawState{odGrayed, odChecked}));

    // Items of other menus and other controls are not this menu's business.
    TMenuItem stranger(nullptr);
    DRAWITEMSTRUCT foreign = DrawStruct(&stranger, dc, r);
    EXPECT_FALSE(Menu->DrawItem(foreign));
    foreign = DrawStruct(Item, dc, r);
    foreign.CtlType = ODT_BUTTON;
    EXPECT_FALSE(Menu->DrawItem(foreign));
}

TEST_F(OwnerDrawnMenu, HandlerFailuresStayInsideTheDrawingCall) {
    Item->OnDrawItem = [](TObject*, TCanvas&, const RECT&, bool) { throw EAbort(L"quiet"); };
    Item->OnMeasureItem = [](TObject*, TCanvas&, int&, int&) { throw EAbort(L"quiet"); };
    EXPECT_NO_THROW(Draw(Item, 40, 20));
    MEASUREITEMSTRUCT mis = MeasureStruct(Item);
    EXPECT_NO_THROW(Menu->MeasureItem(mis));
}

TEST_F(OwnerDrawnMenu, StandardLookSelectsDisablesAndMarksTheDefault) {
    const SIZE size = Measure(Item);
    ASSERT_GT(size.cx, 20);
    ASSERT_GT(size.cy, 10);
    const RECT all{0, 0, size.cx, size.cy};
    const int area = size.cx * size.cy;

    auto plain = Draw(Item, size.cx, size.cy);
    const int menuPixels = CountColor(*plain, clMenu, all);
    EXPECT_GT(menuPixels, area * 3 / 4);
    EXPECT_GT(CountColor(*plain, clMenuText, all), 5);

    auto selected = Draw(Item, size.cx, size.cy, ODS_SELECTED);
    EXPECT_GT(CountColor(*selected, clHighlight, all), area * 3 / 4);
    EXPECT_GT(CountColor(*selected, clHighlightText, all), 5);

    Item->SetEnabled(false);
    auto disabled = Draw(Item, size.cx, size.cy, ODS_GRAYED);
    EXPECT_GT(CountColor(*disabled, clGrayText, all), 5);
    EXPECT_EQ(CountColor(*disabled, clMenuText, all), 0);
    Item->SetEnabled(true);

    // Bold text is wider; an empty caption or a lone "&" still takes a line's height.
    Item->SetDefault(true);
    EXPECT_GT(Measure(Item).cx, size.cx);
    Item->SetDefault(false);
    for (const wchar_t* caption : {L"", L"&"}) {
        Item->SetCaption(caption);
        EXPECT_EQ(Measure(Item).cy, size.cy);
    }
    // A shortcut makes room for itself.
    Item->SetCaption(L"&Open");
    Item->SetShortCut(scCtrl | 'O');
    EXPECT_GT(Measure(Item).cx, size.cx + 16);
}

TEST_F(OwnerDrawnMenu, SeparatorsAreThinEtchedLines) {
    Item->SetCaption(L"-");
    const SIZE size = Measure(Item);
    EXPECT_LT(size.cy, 12);
    const int width = 40;
    auto line = Draw(Item, width, size.cy);
    const int middle = size.cy / 2 - 1;
    EXPECT_EQ(CountColor(*line, clBtnShadow, RECT{0, middle, width, middle + 1}), width);
    EXPECT_EQ(CountColor(*line, clBtnHighlight, RECT{0, middle + 1, width, middle + 2}), width);
    EXPECT_EQ(CountColor(*line, clMenu, RECT{0, 0, width, middle}), width * middle);
}

TEST_F(OwnerDrawnMenu, CheckMarksAndImagesSitInTheGlyphBoxAtTheReadingSide) {
    const SIZE size = Measure(Item);
    const RECT leftBox{0, 0, 18, size.cy};
    const RECT rightBox{size.cx - 18, 0, size.cx, size.cy};
    Item->SetChecked(true);
    auto checked = Draw(Item, size.cx, size.cy);
    EXPECT_GT(CountColor(*checked, clMenuText, leftBox), 4);
    Item->SetRadioItem(true);
    auto bullet = Draw(Item, size.cx, size.cy);
    EXPECT_GT(CountColor(*bullet, clMenuText, leftBox), 4);
    Item->SetChecked(false);
    auto unchecked = Draw(Item, size.cx, size.cy);
    EXPECT_EQ(CountColor(*unchecked, clMenuText, leftBox), 0);

    TImageList images(&Form);
    TBitmap glyph(16, 16);
    glyph.Canvas().Brush().SetColor(Red);
    glyph.Canvas().FillRect(RECT{0, 0, 16, 16});
    images.AddMasked(glyph, clFuchsia);
    Menu->SetImages(&images);
    Item->SetImageIndex(0);
    auto image = Draw(Item, size.cx, size.cy);
    EXPECT_EQ(CountColor(*image, Red, leftBox), 16 * 16);
    Item->SetEnabled(false);
    auto greyed = Draw(Item, size.cx, size.cy);
    EXPECT_EQ(CountColor(*greyed, Red, RECT{0, 0, size.cx, size.cy}), 0);
    EXPECT_GT(CountColor(*greyed, clBtnShadow, leftBox), 16); // embossed, not blank
    Item->SetEnabled(true);

    Menu->SetBiDiMode(bdRightToLeft);
    auto mirrored = Draw(Item, size.cx, size.cy);
    EXPECT_EQ(CountColor(*mirrored, Red, rightBox), 16 * 16);
    EXPECT_EQ(CountColor(*mirrored, Red, leftBox), 0);
}

TEST_F(OwnerDrawnMenu, NativeEntriesShowImagesThroughTheBitmapCallback) {
    TImageList images(&Form);
    TBitmap glyph(16, 16);
    images.AddMasked(glyph, clFuchsia);
    Menu->SetOwnerDraw(false);
    Menu->SetImages(&images);
    Item->SetImageIndex(0);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_BITMAP;
    ASSERT_TRUE(GetMenuItemInfoW(Menu->GetHandle(), 0, TRUE, &mii));
    EXPECT_EQ(mii.hbmpItem, HBMMENU_CALLBACK);
    ASSERT_TRUE(GetMenuItemInfoW(Menu->GetHandle(), 1, TRUE, &mii));
    EXPECT_EQ(mii.hbmpItem, nullptr); // no image index
    EXPECT_EQ(Measure(Item).cx, 16);
    Item->SetImageIndex(5); // beyond the list
    ASSERT_TRUE(GetMenuItemInfoW(Menu->GetHandle(), 0, TRUE, &mii));
    EXPECT_EQ(mii.hbmpItem, nullptr);
}

TEST_F(OwnerDrawnMenu, DrawingLeavesNoGdiObjectsBehind) {
    TImageList images(&Form);
    TBitmap glyph(16, 16);
    images.AddMasked(glyph, clFuchsia);
    Menu->SetImages(&images);
    Other->SetChecked(true);
    Other->SetDefault(true);
    Item->SetImageIndex(0);
    Item->SetChecked(true);
    TBitmap target(120, 24);
    HDC dc = target.Canvas().Handle();
    const long leaked = test::GdiObjectsLeakedBy(20, [&] {
        for (TMenuItem* item : {Item, Other})
            for (UINT state : {0u, UINT(ODS_SELECTED), UINT(ODS_GRAYED)}) {
                Menu->DrawItem(DrawStruct(item, dc, RECT{0, 0, 120, 24}, state));
                MEASUREITEMSTRUCT mis = MeasureStruct(item);
                Menu->MeasureItem(mis);
            }
    });
    EXPECT_EQ(leaked, 0);
}

} // namespace
} // namespace orvo
