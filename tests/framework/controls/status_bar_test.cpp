// Status bars under Wine: panels put into the native parts (edges, texts, bevels, alignment),
// kept when the window is made again, the simple panel, owner-drawn panels painted through
// OnDrawPanel, the bar following its parent's size, panels by name and in a stored form, and
// no GDI objects left behind by bars made and freed.
#include "framework/base/prop_access.h"
#include "framework/controls/bit_btn.h"
#include "framework/controls/radio_group.h"
#include "framework/controls/speed_button.h"
#include "framework/controls/status_bar.h"
#include "framework/forms/form_reader.h"
#include "tests/framework/controls/families_support.h"
#include "tests/framework/support/gdi_count.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

namespace orvo {
namespace {

using test::Add;

std::vector<int> Parts(TStatusBar& bar) {
    int edges[256] = {};
    const int count =
        static_cast<int>(SendMessageW(bar.Handle(), SB_GETPARTS, 256, reinterpret_cast<LPARAM>(edges)));
    return std::vector<int>(edges, edges + count);
}

// The text of a part and its drawing flags (SBT_POPOUT, SBT_NOBORDERS, ...).
std::pair<std::wstring, int> Part(TStatusBar& bar, int index) {
    wchar_t text[256] = {};
    const LRESULT r =
        SendMessageW(bar.Handle(), SB_GETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return {text, HIWORD(r)};
}

TEST(StatusBar, PanelsBecomeTheNativePartsAndSurviveANewWindow) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 200);
    auto* bar = Add<TStatusBar>(&form, 0, 0, 100, 20);
    TStatusPanels& panels = *bar->Panels();
    panels.Add()->SetText(L"就绪");
    TStatusPanel* second = panels.Add();
    second->SetText(L"mid");
    second->SetWidth(80);
    second->SetAlignment(taCenter);
    second->SetBevel(pbRaised);
    TStatusPanel* third = panels.Add();
    third->SetText(L"end");
    third->SetAlignment(taRightJustify);
    third->SetBevel(pbNone);
    bar->HandleNeeded();

    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(Parts(*bar), (std::vector<int>{50, 130, -1})) << "the last reaches to the right edge";
        EXPECT_EQ(Part(*bar, 0), (std::pair<std::wstring, int>{L"就绪", 0}));
        EXPECT_EQ(Part(*bar, 1), (std::pair<std::wstring, int>{L"\tmid", SBT_POPOUT}));
        EXPECT_EQ(Part(*bar, 2), (std::pair<std::wstring, int>{L"\t\tend", SBT_NOBORDERS}));
        EXPECT_FALSE(SendMessageW(bar->Handle(), SB_ISSIMPLE, 0, 0));
        EXPECT_TRUE(GetWindowLongW(bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP);
        bar->RecreateWnd();
    }
    // Changes reach the window: one panel's text alone, a width moves the edges after it.
    panels[0]->SetText(L"busy");
    EXPECT_EQ(Part(*bar, 0).first, L"busy");
    panels[0]->SetWidth(70);
    EXPECT_EQ(Parts(*bar), (std::vector<int>{70, 150, -1}));
    panels.Delete(1);
    EXPECT_EQ(Parts(*bar), (std::vector<int>{70, -1}));
    EXPECT_EQ(Part(*bar, 1).first, L"\t\tend");
    panels.BeginUpdate();
    panels.Add()->SetText(L"a");
    panels.Add()->SetText(L"b");
    panels.EndUpdate();
    EXPECT_EQ(Parts(*bar).size(), 4u);
    EXPECT_EQ(GetStrProp(bar, L"Panels[3].Text"), L"b") << "panels by name";
    EXPECT_TRUE(SetPropValue(bar, L"Panels[3].Bevel", L"pbRaised"));
    EXPECT_EQ(Part(*bar, 3).second, SBT_POPOUT);

    // The simple panel: the parts are kept for later.
    bar->SetSimpleText(L"loading…");
    bar->SetSimplePanel(true);
    EXPECT_TRUE(SendMessageW(bar->Handle(), SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(Part(*bar, 0).first, L"loading…") << "in simple mode part 0 is the simple panel";
    bar->RecreateWnd();
    EXPECT_TRUE(SendMessageW(bar->Handle(), SB_ISSIMPLE, 0, 0));
    bar->SetSimplePanel(false);
    EXPECT_EQ(Parts(*bar).size(), 4u);
    panels.Clear();
    EXPECT_TRUE(SendMessageW(bar->Handle(), SB_ISSIMPLE, 0, 0)) << "no panels: the simple text shows";
    bar->SetSizeGrip(false);
    EXPECT_FALSE(GetWindowLongW(bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP);
}

TEST(StatusBar, OwnerDrawnPanelsAndTheParentsEdge) {
    test::TShownForm shown;
    TForm& form = shown.Form;
    auto* bar = Add<TStatusBar>(&form, 0, 0, 10, 10);
    bar->Panels()->Add()->SetText(L"text");
    TStatusPanel* drawn = bar->Panels()->Add();
    drawn->SetStyle(psOwnerDraw);
    drawn->SetWidth(100);
    std::vector<TStatusPanel*> painted;
    bar->OnDrawPanel = [&](TStatusBar* sender, TStatusPanel* panel, const RECT& r) {
        EXPECT_EQ(sender, bar);
        painted.push_back(panel);
        sender->Canvas()->Brush().SetColor(clRed);
        sender->Canvas()->FillRect(r);
    };
    bar->HandleNeeded();
    const RECT client = form.ClientRect();
    EXPECT_EQ(bar->Top() + bar->Height(), client.bottom) << "along the parent's bottom edge";
    EXPECT_EQ(bar->Width(), client.right);
    form.SetBounds(100, 100, 500, 360);
    test::Pump(50);
    EXPECT_EQ(bar->Top() + bar->Height(), form.ClientRect().bottom) << "and it follows the parent";
    EXPECT_EQ(bar->Width(), form.ClientRect().right);

    InvalidateRect(bar->Handle(), nullptr, TRUE);
    UpdateWindow(bar->Handle());
    ASSERT_FALSE(painted.empty());
    EXPECT_EQ(painted.front(), drawn);
    const RECT r = bar->PanelRect(1);
    EXPECT_GT(r.right - r.left, 50);
    HDC screen = GetDC(bar->Handle());
    EXPECT_EQ(GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2), RGB(255, 0, 0))
        << "what the handler drew is on the bar";
    ReleaseDC(bar->Handle(), screen);
    EXPECT_EQ(bar->PanelRect(7).right, 0);
}

TEST(StatusBar, StoredFormsHoldThePanels) {
    TForm form(nullptr);
    ReadFormText(&form, R"(object f: TForm
  object StatusBar1: TStatusBar
    SimplePanel = False
    SimpleText = 'simple'
    SizeGrip = False
    Panels = <
      item
        Text = '第一'
        Width = 120
      end
      item
        Alignment = taCenter
        Bevel = pbRaised
        BiDiMode = bdRightToLeft
        Style = psOwnerDraw
        Width = 60
      end>
  end
end)");
    auto* bar = static_cast<TStatusBar*>(form.FindComponent(L"StatusBar1"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetOrdProp(bar, L"Panels.Count"), 2);
    EXPECT_EQ(GetStrProp(bar, L"Panels[0].Text"), L"第一");
    EXPECT_EQ(GetOrdProp(bar, L"Panels[0].Width"), 120);
    EXPECT_EQ(GetPropValue(bar, L"Panels[0].Bevel"), L"pbLowered");
    EXPECT_EQ(GetPropValue(bar, L"Panels[1].Alignment"), L"taCenter");
    EXPECT_EQ(GetPropValue(bar, L"Panels[1].Bevel"), L"pbRaised");
    EXPECT_EQ(GetPropValue(bar, L"Panels[1].BiDiMode"), L"bdRightToLeft");
    EXPECT_EQ(GetPropValue(bar, L"Panels[1].Style"), L"psOwnerDraw");
    EXPECT_EQ(GetPropValue(bar, L"SimplePanel"), L"False");
    EXPECT_EQ(GetStrProp(bar, L"SimpleText"), L"simple");
    EXPECT_TRUE(GetMethodProp(bar, L"OnDrawPanel").has_value());
    form.HandleNeeded();
    EXPECT_EQ(Parts(*bar), (std::vector<int>{120, -1}));
    EXPECT_FALSE(GetWindowLongW(bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP);
    EXPECT_EQ(Part(*bar, 0).first, L"第一");
}

// Every window of this thread, children included (Wine counts no USER objects for us).
int WindowsOfThisThread() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counter) {
            ++*reinterpret_cast<int*>(counter);
            EnumChildWindows(
                window,
                [](HWND, LPARAM inner) {
                    ++*reinterpret_cast<int*>(inner);
                    return TRUE;
                },
                counter);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(ControlFamilies, MakingAndFreeingThemLeavesNoHandlesBehind) {
    auto strip = test::SolidStrip(12, {clRed, clBlue});
    int during = 0;
    const auto cycle = [&] {
        TForm form(nullptr);
        form.SetBounds(0, 0, 300, 200);
        auto* bar = Add<TStatusBar>(&form, 0, 0, 10, 10);
        bar->Panels()->Add()->SetText(L"x");
        bar->Panels()->Add()->SetStyle(psOwnerDraw);
        auto* group = Add<TRadioGroup>(&form, 0, 0, 150, 100);
        group->Items()->Add(L"a");
        group->Items()->Add(L"b");
        group->SetItemIndex(1);
        auto* bit = Add<TBitBtn>(&form, 160, 0, 80, 25);
        bit->SetKind(bkOK);
        auto* speed = Add<TSpeedButton>(&form, 160, 40, 30, 30);
        speed->SetGlyph(strip.get());
        form.HandleNeeded();
        during = WindowsOfThisThread();
        TBitmap shot(300, 200);
        form.Perform(WM_PAINT, reinterpret_cast<WPARAM>(shot.Canvas().Handle()));
        SendMessageW(bit->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(shot.Canvas().Handle()), 0);
        bit->SetEnabled(false);
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        bar->RecreateWnd();
    };
    cycle();
    const int windows = WindowsOfThisThread();
    EXPECT_EQ(test::GdiObjectsLeakedBy(30, cycle), 0);
    EXPECT_EQ(WindowsOfThisThread(), windows) << "no window outlives its control";
    EXPECT_GE(during, 6) << "the form, the bar, the group and its two buttons, the bit button are counted";
}

} // namespace
} // namespace orvo
