// Scroll bars, up-down arrows, spin edits and date-time pickers driven by the user's mouse and
// keys (the platform's own tracking), their values kept across new windows; windows placed on a
// parent window outside its Controls; the date-time value's calendar arithmetic; and no GDI
// object or window left behind by creating and destroying all of them.
#include "framework/base/date_time.h"
#include "framework/base/exceptions.h"
#include "framework/controls/check_list_box.h"
#include "framework/controls/combo_box.h"
#include "framework/controls/date_time_picker.h"
#include "framework/controls/panel.h"
#include "framework/controls/scroll_bar.h"
#include "framework/controls/up_down.h"
#include "framework/window/window_property.h"
#include "tests/framework/support/gdi_count.h"

#include "input_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <string>
#include <vector>

namespace orvo {
namespace {

using test::AddControl;
using test::ClickAt;
using test::DragFromTo;
using test::PressKey;
using test::Pump;
using test::TShownForm;
using test::TypeText;

SCROLLINFO NativeScroll(HWND bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(bar, SB_CTL, &info);
    return info;
}

TEST(ScrollBar, TheRangeReachesTheNativeBarAndIsChecked) {
    TForm form(nullptr);
    auto* bar = AddControl<TScrollBar>(&form, 10, 10, 200, 17);
    bar->SetParams(30, 10, 60);
    bar->SetPageSize(11);
    const SCROLLINFO info = NativeScroll(bar->Handle());
    EXPECT_EQ(info.nMin, 10);
    EXPECT_EQ(info.nMax, 60);
    EXPECT_EQ(info.nPos, 30);
    EXPECT_EQ(info.nPage, 11u);
    bar->SetPosition(1000);
    EXPECT_EQ(bar->Position(), 50) << "a page long thumb stops at Max - PageSize + 1";
    EXPECT_EQ(NativeScroll(bar->Handle()).nPos, 50);
    EXPECT_THROW(bar->SetMax(5), EInvalidOperation);
    EXPECT_THROW(bar->SetPageSize(100), EInvalidOperation);
    EXPECT_EQ(bar->Max(), 60);

    bar->SetKind(sbVertical);
    EXPECT_EQ(bar->Width(), 17) << "a new kind swaps the sides";
    EXPECT_EQ(bar->Height(), 200);
    EXPECT_TRUE(GetWindowLongW(bar->Handle(), GWL_STYLE) & SBS_VERT);
    EXPECT_EQ(NativeScroll(bar->Handle()).nPos, 50) << "the new window has the old range";
}

TEST(ScrollBar, ArrowsTrackThumbAndKeysMoveThePositionThroughOnScroll) {
    TShownForm shown;
    auto* bar = AddControl<TScrollBar>(&shown.Form, 10, 10, 300, 17);
    bar->SetParams(0, 0, 100);
    bar->SetSmallChange(3);
    bar->SetLargeChange(20);
    std::vector<TScrollCode> codes;
    int changes = 0;
    bar->OnScroll = [&](TObject*, TScrollCode code, int&) { codes.push_back(code); };
    bar->OnChange = [&](TObject*) { ++changes; };
    Pump(50);
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof sbi;
    ASSERT_TRUE(GetScrollBarInfo(bar->Handle(), OBJID_CLIENT, &sbi));
    const int arrow = sbi.dxyLineButton;

    ClickAt(bar->Handle(), POINT{300 - arrow / 2, 8});
    EXPECT_EQ(bar->Position(), 3) << "the right arrow steps by SmallChange";
    EXPECT_EQ(codes.front(), scLineDown);
    EXPECT_EQ(changes, 1);
    ClickAt(bar->Handle(), POINT{250, 8});
    EXPECT_EQ(bar->Position(), 23) << "the track pages by LargeChange";

    GetScrollBarInfo(bar->Handle(), OBJID_CLIENT, &sbi);
    const int thumb = (sbi.xyThumbTop + sbi.xyThumbBottom) / 2;
    codes.clear();
    DragFromTo(bar->Handle(), POINT{thumb, 8}, POINT{thumb + 80, 8});
    EXPECT_GT(bar->Position(), 40) << "dragging the thumb moves the position";
    EXPECT_NE(std::find(codes.begin(), codes.end(), scTrack), codes.end());
    EXPECT_EQ(NativeScroll(bar->Handle()).nPos, bar->Position());

    bar->SetFocus();
    Pump(30);
    PressKey(VK_END);
    EXPECT_EQ(bar->Position(), 100);
    PressKey(VK_LEFT);
    EXPECT_EQ(bar->Position(), 97);

    // The handler may change where a request leads.
    bar->OnScroll = [](TObject*, TScrollCode code, int& position) {
        if (code == scLineUp) position = 10;
    };
    PressKey(VK_LEFT);
    EXPECT_EQ(bar->Position(), 10);
}

TEST(UpDown, ClicksOnTheArrowsStepThePositionIntoTheAssociateUnlessRefused) {
    TShownForm shown;
    auto* edit = AddControl<TEdit>(&shown.Form, 10, 10, 80, 21);
    auto* arrows = AddControl<TUpDown>(&shown.Form, 100, 10, 17, 21);
    arrows->SetMin(0);
    arrows->SetMax(10);
    arrows->SetIncrement(2);
    arrows->SetPosition(4);
    arrows->SetAssociate(edit);
    Pump(50);
    EXPECT_EQ(edit->Text(), L"4") << "the associate shows the position";
    const int narrowed = edit->Width();
    EXPECT_LT(narrowed, 80) << "aligned beside the associate";

    std::vector<TUDBtnType> clicks;
    bool allow = true;
    arrows->OnClick = [&](TObject*, TUDBtnType button) { clicks.push_back(button); };
    arrows->OnChanging = [&](TObject*, bool& allowChange) { allowChange = allow; };
    const auto upper = [&] { return POINT{arrows->Width() / 2, arrows->Height() / 4}; };
    const auto lower = [&] { return POINT{arrows->Width() / 2, arrows->Height() * 3 / 4}; };
    ClickAt(arrows->Handle(), upper());
    EXPECT_EQ(arrows->Position(), 6);
    EXPECT_EQ(edit->Text(), L"6");
    ClickAt(arrows->Handle(), lower());
    EXPECT_EQ(arrows->Position(), 4);
    EXPECT_EQ(clicks, (std::vector<TUDBtnType>{btNext, btPrev}));
    allow = false;
    ClickAt(arrows->Handle(), upper());
    EXPECT_EQ(arrows->Position(), 4) << "OnChanging refused the step";

    arrows->SetWrap(true); // a new window, attached again
    EXPECT_EQ(edit->Width(), narrowed) << "the associate is not narrowed twice";
    EXPECT_EQ(arrows->Position(), 4);
    allow = true;
    arrows->SetIncrement(1);
    arrows->SetPosition(10);
    ClickAt(arrows->Handle(), upper());
    EXPECT_EQ(arrows->Position(), 0) << "Wrap goes round";

    edit->SetText(L"8");
    EXPECT_EQ(arrows->Position(), 8) << "typed text is read back";
    delete edit;
    EXPECT_EQ(arrows->Associate(), nullptr);
}

TEST(SpinEdit, ItsArrowsLiveInsideTheEditAndStepTheValueInRange) {
    TShownForm shown;
    auto* spin = AddControl<TSpinEdit>(&shown.Form, 10, 10, 100, 21);
    auto* other = AddControl<TEdit>(&shown.Form, 10, 50, 100, 21);
    spin->SetMinValue(-5);
    spin->SetMaxValue(7);
    spin->SetIncrement(3);
    spin->SetValue(5);
    std::vector<std::wstring> changes;
    spin->OnChange = [&](TObject*) { changes.push_back(spin->Text()); };
    Pump(50);

    TUpDown* arrows = spin->Button();
    ASSERT_TRUE(arrows->HandleAllocated());
    EXPECT_EQ(GetParent(arrows->Handle()), spin->Handle()) << "a child window of the edit";
    EXPECT_EQ(arrows->Parent(), nullptr);
    EXPECT_EQ(spin->ControlCount(), 0) << "in no Controls list";
    std::vector<TWinControl*> tabs;
    shown.Form.GetTabOrderList(tabs);
    EXPECT_EQ(tabs, (std::vector<TWinControl*>{spin, other})) << "and in no tab order";
    wchar_t className[64]{};
    GetClassNameW(arrows->Handle(), className, 64);
    EXPECT_EQ(std::wstring(className), L"TUpDown");

    ClickAt(arrows->Handle(), POINT{arrows->Width() / 2, 3});
    EXPECT_EQ(spin->Value(), 7) << "stepped by 3, held at the maximum";
    EXPECT_FALSE(changes.empty());
    EXPECT_EQ(changes.back(), L"7");
    ClickAt(arrows->Handle(), POINT{arrows->Width() / 2, arrows->Height() - 3});
    EXPECT_EQ(spin->Value(), 4);

    spin->SetFocus();
    Pump(30);
    spin->SelectAll();
    TypeText(L"x-2a");
    EXPECT_EQ(spin->Text(), L"-2") << "only digits and the minus are typed";
    PressKey(VK_UP);
    EXPECT_EQ(spin->Value(), 1);
    spin->SetText(L"99");
    EXPECT_EQ(spin->Value(), 7) << "out of range reads as the limit";
    arrows->HandleNeeded();
    spin->SetBorderStyle(bsNone); // a new edit window, and with it new arrows
    EXPECT_EQ(GetParent(arrows->Handle()), spin->Handle());
    EXPECT_EQ(spin->Text(), L"99");
    spin->SetFocus();
    Pump(30);
    other->SetFocus(); // leaving the edit brings the text into range
    Pump(30);
    EXPECT_EQ(spin->Text(), L"7");

    spin->SetMinValue(0);
    spin->SetMaxValue(0);
    spin->SetValue(123456);
    EXPECT_EQ(spin->Value(), 123456) << "equal limits mean none";
}

SYSTEMTIME NativeTime(HWND picker) {
    SYSTEMTIME st{};
    SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return st;
}

TEST(DateTimePicker, DateAndTimeAreSetApartReachTheWindowAndSurviveANewOne) {
    TForm form(nullptr);
    auto* picker = AddControl<TDateTimePicker>(&form, 10, 10, 180, 21);
    picker->SetDate(*TDateTime::EncodeDate(2024, 2, 29));
    picker->SetTime(*TDateTime::ParseIsoTime(L"13:45:10"));
    EXPECT_EQ(picker->DateTime().ToIso(), L"2024-02-29T13:45:10");
    SYSTEMTIME st = NativeTime(picker->Handle());
    EXPECT_EQ(st.wYear, 2024);
    EXPECT_EQ(st.wMonth, 2);
    EXPECT_EQ(st.wDay, 29);
    EXPECT_EQ(st.wHour, 13);
    EXPECT_EQ(st.wSecond, 10);
    EXPECT_EQ(st.wDayOfWeek, 4) << "a Thursday";

    picker->SetKind(dtkTime);
    EXPECT_TRUE(GetWindowLongW(picker->Handle(), GWL_STYLE) & DTS_TIMEFORMAT);
    EXPECT_EQ(picker->DateTime().ToIso(), L"2024-02-29T13:45:10");
    picker->SetKind(dtkDate);
    picker->SetDateMode(dmUpDown);
    EXPECT_TRUE(GetWindowLongW(picker->Handle(), GWL_STYLE) & DTS_UPDOWN);

    picker->SetShowCheckbox(true);
    picker->SetChecked(false);
    EXPECT_TRUE(GetWindowLongW(picker->Handle(), GWL_STYLE) & DTS_SHOWNONE);
    picker->SetDateFormat(dfLong); // a new window
    EXPECT_FALSE(picker->Checked());
    EXPECT_EQ(picker->Date().DateToIso(), L"2024-02-29");
    EXPECT_THROW(picker->SetDate(*TDateTime::EncodeDate(1500, 1, 1)), EConvertError);
}

TEST(DateTimePicker, TheUsersKeysChangeTheValueAndRaiseOnChange) {
    TShownForm shown;
    auto* picker = AddControl<TDateTimePicker>(&shown.Form, 10, 10, 180, 21);
    picker->SetFormat(L"yyyy'-'MM'-'dd");
    picker->SetDate(*TDateTime::EncodeDate(2023, 12, 31));
    int changes = 0;
    picker->OnChange = [&](TObject*) { ++changes; };
    Pump(50);
    EXPECT_EQ(changes, 0) << "the value set by code raised nothing";
    picker->SetFocus();
    Pump(30);
    PressKey(VK_RIGHT); // the day
    PressKey(VK_UP);
    EXPECT_EQ(changes, 1);
    const SYSTEMTIME st = NativeTime(picker->Handle());
    EXPECT_NE(picker->Date().DateToIso(), L"2023-12-31");
    EXPECT_EQ(picker->Date(), TDateTime::EncodeDate(st.wYear, st.wMonth, st.wDay));
}

TEST(DateTime, CalendarArithmeticAndIsoTextsAreExact) {
    const auto leap = TDateTime::Encode({2000, 2, 29, 23, 59, 59, 999});
    ASSERT_TRUE(leap);
    const TDateTimeParts p = leap->Decode();
    EXPECT_EQ(p.Year, 2000);
    EXPECT_EQ(p.Day, 29);
    EXPECT_EQ(p.Millisecond, 999);
    EXPECT_EQ(leap->ToIso(), L"2000-02-29T23:59:59.999");
    EXPECT_FALSE(TDateTime::EncodeDate(1900, 2, 29)) << "1900 was no leap year";
    EXPECT_FALSE(TDateTime::EncodeDate(2023, 4, 31));
    EXPECT_FALSE(TDateTime::Encode({2023, 1, 1, 24, 0, 0, 0}));

    // Day 0 and before: the date part is the midnight before, the time counts forwards.
    EXPECT_EQ(TDateTime().ToIso(), L"1899-12-30T00:00:00");
    const TDateTime before = TDateTime::FromMilliseconds(-TDateTime::MillisecondsPerDay + 6 * 3'600'000);
    EXPECT_EQ(before.ToIso(), L"1899-12-29T06:00:00");
    EXPECT_EQ(before.DatePart().DateToIso(), L"1899-12-29");
    EXPECT_DOUBLE_EQ(before.ToOleDate(), -1.25);
    EXPECT_EQ(TDateTime::FromOleDate(-1.25)->Milliseconds(), before.Milliseconds());
    EXPECT_DOUBLE_EQ(TDateTime::EncodeDate(2024, 1, 1)->ToOleDate(), 45292.0);
    EXPECT_FALSE(TDateTime::FromOleDate(1e300));

    EXPECT_EQ(leap->DatePart().WithTime(*TDateTime::ParseIsoTime(L"08:00:00")).ToIso(), L"2000-02-29T08:00:00");
    for (const wchar_t* bad : {L"2024-1-01", L"2024-13-01", L"2024-02-30", L"24-01-01", L"2024-01-01 ", L""})
        EXPECT_FALSE(TDateTime::ParseIsoDate(bad)) << std::wstring(bad).size();
    for (const wchar_t* bad : {L"24:00:00", L"12:60:00", L"1:00:00", L"12:00:00.5", L"12:00"})
        EXPECT_FALSE(TDateTime::ParseIsoTime(bad));
    EXPECT_EQ(TDateTime::ParseIso(L"0001-01-01T00:00:00")->Decode().Year, 1);
    EXPECT_EQ(TDateTime::ParseIso(L"9999-12-31T23:59:59.999")->ToIso(), L"9999-12-31T23:59:59.999");
}

TEST(ParentWindow, AControlOnAParentWindowIsAChildThereButInNoControlsListOrTabOrder) {
    TShownForm shown;
    auto* host = AddControl<TEdit>(&shown.Form, 10, 10, 200, 80);
    TPanel overlay(nullptr);
    overlay.SetBounds(5, 6, 30, 20);
    overlay.SetParentWindow(host->Handle());
    HWND window = overlay.Handle();
    EXPECT_EQ(GetParent(window), host->Handle());
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, host->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 6);
    EXPECT_EQ(FindControl(window), &overlay);
    EXPECT_EQ(host->ControlCount(), 0);
    std::vector<TWinControl*> tabs;
    shown.Form.GetTabOrderList(tabs);
    EXPECT_EQ(tabs, (std::vector<TWinControl*>{host}));

    overlay.RecreateWnd();
    EXPECT_EQ(GetParent(overlay.Handle()), host->Handle()) << "a new window goes to the same place";
    // The window it sits on dies: its window dies with it, the control stays.
    host->RecreateWnd();
    EXPECT_FALSE(overlay.HandleAllocated());
    overlay.SetParentWindow(host->Handle());
    EXPECT_TRUE(overlay.HandleAllocated() || (overlay.HandleNeeded(), overlay.HandleAllocated()));

    overlay.SetParent(&shown.Form);
    EXPECT_EQ(overlay.ParentWindow(), nullptr) << "a parent control replaces the parent window";
    EXPECT_THROW(overlay.SetParentWindow(host->Handle()), EInvalidOperation);
    overlay.SetParent(nullptr);
}

// Every window of this thread, hidden ones (a combo's drop-down list) included.
int ThreadWindows() {
    int count = 0;
    const auto counter = [](HWND window, LPARAM param) -> BOOL {
        ++*reinterpret_cast<int*>(param);
        EnumChildWindows(window, [](HWND, LPARAM p) -> BOOL { return ++*reinterpret_cast<int*>(p), TRUE; }, param);
        return TRUE;
    };
    EnumThreadWindows(GetCurrentThreadId(), counter, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(ChoiceControls, CreatingAndDestroyingThemLeavesNoGdiObjectsAndNoWindows) {
    std::vector<int> windowsAtStart;
    const long leaked = test::GdiObjectsLeakedBy(5, [&] {
        windowsAtStart.push_back(ThreadWindows());
        TForm form(nullptr);
        auto* list = AddControl<TCheckListBox>(&form, 0, 0, 100, 100);
        list->Items()->SetStrings({L"a", L"b"});
        AddControl<TComboBox>(&form, 0, 110, 100, 21)->Items()->Add(L"x");
        AddControl<TScrollBar>(&form, 0, 140, 100, 17);
        AddControl<TSpinEdit>(&form, 0, 160, 100, 21);
        AddControl<TDateTimePicker>(&form, 0, 190, 100, 21);
        form.HandleNeeded();
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        list->SetStyle(lbOwnerDrawVariable);
    });
    EXPECT_EQ(leaked, 0);
    windowsAtStart.push_back(ThreadWindows());
    // After the first run (which may make lasting system windows) every run ends where it began.
    for (std::size_t i = 2; i < windowsAtStart.size(); ++i)
        EXPECT_EQ(windowsAtStart[i], windowsAtStart[1]) << "after run " << i;
}

} // namespace
} // namespace orvo
