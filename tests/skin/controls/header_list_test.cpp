// Headers, list views, check lists, tool bars and cool bars skinned on a real form under Wine: the
// header's hot item under the mouse, its images and empty area, a header made after attaching, the
// check glyphs and header items of a check list (and its own look without glyphs), the tool bar's
// painters and the cool bar's colours handed back, and no GDI or USER object left over cycles.
#include "framework/controls/check_list_box.h"
#include "framework/controls/cool_bar.h"
#include "framework/controls/header_control.h"
#include "framework/controls/list_view.h"
#include "framework/controls/page_control.h"
#include "framework/controls/progress_bar.h"
#include "framework/controls/tab_control.h"
#include "framework/controls/tab_set.h"
#include "framework/controls/tool_bar.h"
#include "framework/controls/track_bar.h"
#include "framework/graphics/image_list.h"
#include "skin/controls/containers.h"
#include "skin/controls/header_list.h"
#include "tests/framework/support/gdi_count.h"
#include "tests/skin/controls/skinned_form.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace orvo {
namespace {

using test::AnswersSkinned;
using test::FrameColour;
using test::PaintedPixel;
using test::PaintedSkin;
using test::Pump;
using test::TSkinnedForm;
using test::TTestSkin;

constexpr TColor IconColour = 0x2080F0;

// Headerbar: 2 frames of 20 x 16 without margins; Buttons 5 frames; a 12-frame check strip of 13 x 13.
TTestSkin ListSkin(bool checkGlyphs = true) {
    std::string ini = "[Headerbar]\r\nImage=Header.bmp\r\nFrame=2\r\n[Buttons]\r\nBitmap=Buttons.bmp\r\n";
    if (checkGlyphs) ini += "CheckButton=Check.bmp\r\nCheckButtonFrame=12\r\n";
    ini += "[Tabs]\r\nImage=Tab.bmp\r\n[Colours]\r\nButtonFace=200 210 220\r\nButtonShadow=10 20 30\r\n"
           "WindowText=250 240 230\r\n";
    TTestSkin skin(ini);
    skin.Image("Header.bmp", test::FrameStrip(40, 16, 2))
        .Image("Buttons.bmp", test::FrameStrip(100, 20, 5))
        .Image("Tab.bmp", test::FrameStrip(100, 20, 5));
    if (checkGlyphs) skin.Image("Check.bmp", test::FrameStrip(13 * 12, 13, 12));
    return skin;
}

RECT ItemRect(HWND header, int index) {
    RECT r{};
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

TColor ItemPixel(HWND header, int index) {
    const RECT r = ItemRect(header, index);
    return PaintedPixel(header, r.right - 5, 2);
}

TEST(CheckListGlyphs, FramesForEachStateAndStrip) {
    EXPECT_EQ(CheckListGlyphFrame(0, 4), 1);
    EXPECT_EQ(CheckListGlyphFrame(1, 4), 2);
    EXPECT_EQ(CheckListGlyphFrame(2, 4), 4);
    EXPECT_EQ(CheckListGlyphFrame(1, 12), 5);
    EXPECT_EQ(CheckListGlyphFrame(2, 12), 8);
    EXPECT_EQ(CheckListGlyphFrame(2, 3), 3) << "never past the strip";
}

TEST(SkinHeader, TheHotItemFollowsTheMouseAndImagesSitInTheMiddle) {
    TSkinnedForm f(ListSkin());
    TImageList images(nullptr);
    images.SetWidth(16);
    images.SetHeight(8);
    TBitmap icon(16, 8);
    const RECT whole{0, 0, 16, 8};
    TBrushHandle brush(CreateSolidBrush(IconColour));
    FillRect(icon.Canvas().Handle(), &whole, brush.Get());
    GdiFlush();
    images.AddMasked(icon, clFuchsia);
    auto* header = f.Add<THeaderControl>(nullptr, 10, 10, 380, 30);
    header->SetImages(&images);
    for (const wchar_t* text : {L"Name", L"Size", L"Date"}) {
        THeaderSection* section = header->Sections()->Add();
        section->SetText(text);
        section->SetWidth(100);
    }
    header->Sections()->Items(0)->SetImageIndex(0);
    f.Skin();
    HWND w = header->Handle();
    ASSERT_EQ(f.SkinClassOf(header), L"TSkinHeader");
    auto* skin = static_cast<TSkinHeader*>(f.SkinOf(header));
    EXPECT_EQ(ItemPixel(w, 0), FrameColour(1));
    EXPECT_EQ(PaintedPixel(w, 350, 2), FrameColour(1)) << "the empty area right of the last item";

    SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(150, 10));
    EXPECT_EQ(skin->HotItem, 1);
    EXPECT_EQ(ItemPixel(w, 1), FrameColour(2));
    EXPECT_EQ(ItemPixel(w, 0), FrameColour(1));
    // Moving within the item paints nothing new; the next item takes the highlight.
    ValidateRect(w, nullptr);
    SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(160, 10));
    EXPECT_FALSE(GetUpdateRect(w, nullptr, FALSE));
    SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(250, 10));
    EXPECT_EQ(ItemPixel(w, 2), FrameColour(2));
    EXPECT_EQ(ItemPixel(w, 1), FrameColour(1));
    SendMessageW(w, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(skin->HotItem, -1);
    EXPECT_EQ(ItemPixel(w, 2), FrameColour(1));

    // The 16 x 8 icon of the first item is centred by its height: rows 11 to 18 of a 30-high item.
    auto painted = PaintedSkin(w);
    const RECT first = ItemRect(w, 0);
    int iconTop = -1, iconBottom = -1;
    for (int y = 0; y < 30; ++y) {
        if (painted->PixelColor(first.left + 5, y) != IconColour) continue;
        if (iconTop < 0) iconTop = y;
        iconBottom = y;
    }
    EXPECT_EQ(iconTop, 11);
    EXPECT_EQ(iconBottom, 18);
    // The item's text in the skin's WindowText.
    bool text = false;
    for (int x = first.left; x < first.right && !text; ++x)
        for (int y = 0; y < 30 && !text; ++y)
            text = painted->PixelColor(x, y) == 0xE6F0FA;
    EXPECT_TRUE(text);
}

TEST(SkinHeader, CallbackTextIsReadAsNoText) {
    TSkinnedForm f(ListSkin());
    f.Form->HandleNeeded();
    HWND header = CreateWindowExW(0, WC_HEADERW, nullptr, WS_CHILD | WS_VISIBLE, 10, 200, 300, 24,
                                  f.Form->Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(header, nullptr);
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = LPSTR_TEXTCALLBACKW;
    item.cxy = 100;
    item.fmt = HDF_LEFT | HDF_STRING;
    SendMessageW(header, HDM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    wchar_t name[] = L"Name";
    item.pszText = name;
    SendMessageW(header, HDM_INSERTITEMW, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(HeaderItemText(header, 0, nullptr, nullptr), L"");
    EXPECT_EQ(HeaderItemText(header, 1, nullptr, nullptr), L"Name");
    EXPECT_EQ(HeaderItemText(header, 7, nullptr, nullptr), L"") << "no such item";
    TSkinHeader skin(nullptr);
    skin.AttachWindow(header, f.Data.get(), nullptr, nullptr);
    ASSERT_TRUE(skin.Attached);
    EXPECT_EQ(ItemPixel(header, 0), FrameColour(1)) << "painted without reading the marker";
    skin.Unskin();
    DestroyWindow(header);
}

TEST(SkinListView, TheHeaderIsSkinnedAlsoWhenItComesLater) {
    TSkinnedForm f(ListSkin());
    auto* report = f.Add<TListView>(nullptr, 10, 10, 300, 120);
    report->SetViewStyle(vsReport);
    report->Columns()->Add()->SetCaption(L"Piece");
    auto* later = f.Add<TListView>(nullptr, 10, 140, 300, 120);
    later->SetViewStyle(vsList);
    later->Items()->Add()->SetCaption(L"one");
    f.Skin();
    ASSERT_EQ(f.SkinClassOf(report), L"TSkinListView");
    HWND header = reinterpret_cast<HWND>(SendMessageW(report->Handle(), LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    EXPECT_TRUE(AnswersSkinned(header));
    EXPECT_EQ(ItemPixel(header, 0), FrameColour(1));

    later->SetViewStyle(vsReport);
    later->Columns()->Add()->SetCaption(L"Added");
    Pump(10);
    HWND made = reinterpret_cast<HWND>(SendMessageW(later->Handle(), LVM_GETHEADER, 0, 0));
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(AnswersSkinned(made)) << "a header made after the list view was skinned";

    f.Unskin();
    EXPECT_FALSE(AnswersSkinned(header));
    EXPECT_FALSE(AnswersSkinned(made));
}

// The colour at the middle of item `index`'s glyph on screen.
TColor GlyphOnScreen(TCheckListBox* list, int index) {
    RECT item{};
    SendMessageW(list->Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    HDC dc = GetDC(list->Handle());
    const auto colour = static_cast<TColor>(GetPixel(dc, item.left + 2 + 6, (item.top + item.bottom) / 2));
    ReleaseDC(list->Handle(), dc);
    return colour;
}

TEST(SkinCheckList, GlyphsForEveryStateAndHeaderItemsInTheirColours) {
    TSkinnedForm f(ListSkin());
    auto* list = f.Add<TCheckListBox>(nullptr, 10, 10, 200, 120);
    for (const wchar_t* text : {L"Unchecked", L"Checked", L"Grayed", L"Header"})
        list->Items()->Add(text);
    list->SetAllowGrayed(true);
    list->SetState(1, cbChecked);
    list->SetState(2, cbGrayed);
    list->SetHeader(3, true);
    list->SetHeaderBackgroundColor(TColor(0x30C030));
    list->SetHeaderColor(TColor(0x0000F0));
    f.Skin();
    ASSERT_EQ(f.SkinClassOf(list), L"TSkinCheckList");
    RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(GlyphOnScreen(list, 0), FrameColour(1));
    EXPECT_EQ(GlyphOnScreen(list, 1), FrameColour(5)) << "12-frame strip: checked is 5";
    EXPECT_EQ(GlyphOnScreen(list, 2), FrameColour(8)) << "grayed is 8";
    // The header item: its background filled, its text drawn.
    RECT item{};
    SendMessageW(list->Handle(), LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&item));
    HDC dc = GetDC(list->Handle());
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, item.right - 3, item.top + 1)), TColor(0x30C030));
    bool text = false;
    for (int x = item.left; x < item.left + 60 && !text; ++x)
        for (int y = item.top; y < item.bottom && !text; ++y)
            text = GetPixel(dc, x, y) == 0x0000F0;
    ReleaseDC(list->Handle(), dc);
    EXPECT_TRUE(text) << "the header item's text";
}

TEST(SkinCheckList, WithoutGlyphsTheListDrawsItsOwnItems) {
    TSkinnedForm f(ListSkin(false));
    auto* list = f.Add<TCheckListBox>(nullptr, 10, 10, 200, 120);
    list->SetColor(clWhite);
    list->Items()->Add(L"一项");
    f.Skin();
    ASSERT_EQ(f.SkinClassOf(list), L"TSkinCheckList");
    RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    RECT item{};
    SendMessageW(list->Handle(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    HDC dc = GetDC(list->Handle());
    int marked = 0;
    for (int x = item.left; x < item.left + 80; ++x)
        for (int y = item.top; y < item.bottom; ++y)
            marked += GetPixel(dc, x, y) != 0xFFFFFF;
    ReleaseDC(list->Handle(), dc);
    EXPECT_GT(marked, 10) << "the item and its check box are drawn";
}

TEST(SkinToolBar, PaintersComeAndGoWithTheSkinAndCoolBandsGetTheirColoursBack) {
    TSkinnedForm f(ListSkin());
    auto* bar = f.Add<TToolBar>(nullptr, 10, 10, 300, 30);
    auto* button = new TToolButton(f.Form);
    button->SetToolBar(bar);
    button->SetCaption(L"Hot");
    auto* own = f.Add<TToolBar>(nullptr, 10, 50, 300, 30);
    own->OnCustomDraw = [](TToolBar*, const RECT&, bool&) {};
    auto* cool = f.Add<TCoolBar>(nullptr, 10, 90, 300, 40);
    TCoolBand* band = cool->Bands()->Add();
    band->SetColor(clAqua);
    f.Skin();
    ASSERT_EQ(f.SkinClassOf(bar), L"TSkinToolBar");
    EXPECT_TRUE(bar->Flat());
    EXPECT_TRUE(bar->OnAdvancedCustomDrawButton);
    EXPECT_TRUE(own->OnCustomDraw) << "the program's own handler stays";
    EXPECT_EQ(band->Color(), test::SkinFace);

    // The button under the mouse shows the Buttons face frame 4 inside its edge.
    const RECT b = button->BoundsRect();
    SendMessageW(bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM((b.left + b.right) / 2, (b.top + b.bottom) / 2));
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(bar->Handle());
    EXPECT_EQ(static_cast<TColor>(GetPixel(dc, b.left + 3, b.bottom - 4)), FrameColour(4));
    ReleaseDC(bar->Handle(), dc);
    EXPECT_EQ(ToolbarButtonFrame(CDIS_HOT), 4);
    EXPECT_EQ(ToolbarButtonFrame(CDIS_DEFAULT | CDIS_DISABLED), 0);
    EXPECT_EQ(ToolbarButtonFrame(CDIS_DEFAULT), 1);

    f.Unskin();
    EXPECT_FALSE(bar->Flat());
    EXPECT_FALSE(bar->OnAdvancedCustomDrawButton);
    EXPECT_FALSE(bar->OnCustomDraw);
    EXPECT_TRUE(own->OnCustomDraw);
    EXPECT_EQ(band->Color(), clAqua);
}

TEST(SkinFamilies, NoGdiOrUserObjectsLeftOverSkinCycles) {
    TSkinnedForm f(ListSkin());
    auto* pages = f.Add<TPageControl>(nullptr, 5, 5, 200, 120);
    auto* sheet = new TTabSheet(f.Form);
    sheet->SetPageControl(pages);
    sheet->SetCaption(L"页");
    auto* tabs = f.Add<TTabControl>(sheet, 5, 5, 150, 60);
    tabs->SetTabPosition(tpLeft);
    tabs->Tabs()->Add(L"甲");
    f.Add<TTabSet>(nullptr, 210, 5, 150, 24)->Tabs()->Add(L"乙");
    f.Add<TTrackBar>(nullptr, 210, 40, 150, 30);
    f.Add<TProgressBar>(nullptr, 210, 80, 150, 16)->SetPosition(30);
    auto* header = f.Add<THeaderControl>(nullptr, 5, 130, 200, 22);
    header->Sections()->Add()->SetText(L"列");
    auto* view = f.Add<TListView>(nullptr, 5, 160, 200, 80);
    view->SetViewStyle(vsReport);
    view->Columns()->Add()->SetCaption(L"名");
    f.Add<TCheckListBox>(nullptr, 210, 110, 150, 60)->Items()->Add(L"项");
    auto* bar = f.Add<TToolBar>(nullptr, 210, 180, 150, 26);
    (new TToolButton(f.Form))->SetToolBar(bar);
    f.Add<TCoolBar>(nullptr, 210, 210, 150, 30)->Bands()->Add();
    f.Skin();
    f.Unskin();
    const long leaked = test::GdiObjectsLeakedBy(15, [&] {
        f.Skin();
        RedrawWindow(f.Form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        SendMessageW(header->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 5));
        SendMessageW(header->Handle(), WM_MOUSELEAVE, 0, 0);
        f.Unskin();
    });
    EXPECT_EQ(leaked, 0);
    const DWORD users = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    for (int i = 0; i < 8; ++i) {
        f.Skin();
        f.Unskin();
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), users);
}

} // namespace
} // namespace orvo
