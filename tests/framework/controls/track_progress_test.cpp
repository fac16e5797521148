// Track bars and progress bars under Wine: range, position, ticks and selection in the native
// control and across new windows, positions from real keys with OnChange, the custom-draw
// notification reaching a chained window method (as a skin answers it), negative ranges, steps,
// stored forms, and no leaks.
#include "framework/base/prop_access.h"
#include "framework/controls/progress_bar.h"
#include "framework/controls/track_bar.h"
#include "framework/forms/form_reader.h"
#include "framework/forms/forms.h"
#include "tests/framework/support/input_driver.h"
#include "tests/framework/support/pump.h"
#include "tests/framework/support/shown_form.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace orvo {
namespace {

using test::AddControl;
using test::TShownForm;

LRESULT Ask(TWinControl* control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(control->Handle(), message, wParam, lParam);
}

TEST(TrackBar, RangePositionTicksAndSelectionReachEveryWindow) {
    TShownForm shown;
    auto* track = AddControl<TTrackBar>(&shown.Form, 10, 10, 220, 45);
    track->SetMin(-10);
    track->SetMax(90);
    track->SetPosition(40);
    track->SetFrequency(10);
    track->SetSelStart(0);
    track->SetSelEnd(50);
    track->SetPageSize(20);
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_EQ(Ask(track, TBM_GETRANGEMIN), -10);
        EXPECT_EQ(Ask(track, TBM_GETRANGEMAX), 90);
        EXPECT_EQ(Ask(track, TBM_GETPOS), 40);
        EXPECT_EQ(Ask(track, TBM_GETSELSTART), 0);
        EXPECT_EQ(Ask(track, TBM_GETSELEND), 50);
        EXPECT_EQ(Ask(track, TBM_GETPAGESIZE), 20);
        EXPECT_EQ(Ask(track, TBM_GETNUMTICS), 11) << "every 10 from -10 to 90";
        track->SetTickMarks(tmBoth); // a new window
    }
    EXPECT_TRUE(GetWindowLongW(track->Handle(), GWL_STYLE) & TBS_BOTH);

    track->SetTickStyle(tsManual);
    track->SetTick(5);
    track->SetTick(77);
    track->SetTick(5);
    EXPECT_EQ(Ask(track, TBM_GETNUMTICS), 4) << "the two ends and the two ticks set";
    track->SetOrientation(trVertical);
    EXPECT_TRUE(GetWindowLongW(track->Handle(), GWL_STYLE) & TBS_VERT);
    EXPECT_EQ(track->Width(), 45) << "turning the bar swaps its sides";
    EXPECT_EQ(track->Height(), 220);
    EXPECT_EQ(Ask(track, TBM_GETNUMTICS), 4) << "manual ticks survive a new window";
    EXPECT_EQ(Ask(track, TBM_GETTIC, 0), 5);
    track->SetTickStyle(tsNone);
    EXPECT_TRUE(GetWindowLongW(track->Handle(), GWL_STYLE) & TBS_NOTICKS);

    // The ends keep each other in order and the position inside.
    track->SetMax(-20);
    EXPECT_EQ(track->Min(), -20);
    EXPECT_EQ(track->Position(), -20);
    EXPECT_EQ(Ask(track, TBM_GETPOS), -20);
    track->SetPosition(1000);
    EXPECT_EQ(track->Position(), -20);
}

TEST(TrackBar, KeysMoveThePositionAndEveryChangeFiresOnChange) {
    TShownForm shown;
    auto* track = AddControl<TTrackBar>(&shown.Form, 10, 10, 220, 45);
    track->SetMax(100);
    track->SetPageSize(25);
    track->SetLineSize(3);
    std::vector<int> seen;
    track->OnChange = [&](TObject*) { seen.push_back(track->Position()); };
    track->SetFocus();
    test::Pump(30);
    test::PressChord({VK_RIGHT});
    test::PressChord({VK_NEXT});
    test::PressChord({VK_END});
    test::PressChord({VK_END}); // already there: no change
    EXPECT_EQ(seen, (std::vector<int>{3, 28, 100}));
    EXPECT_EQ(track->Position(), 100);
    track->SetPosition(10);
    track->SetMax(5);
    EXPECT_EQ(seen, (std::vector<int>{3, 28, 100, 10, 5})) << "changes from code count too";
    track->RecreateWnd();
    EXPECT_EQ(Ask(track, TBM_GETPOS), 5);
}

TEST(TrackBar, CustomDrawReachesAChainedWindowMethodWhichMayTakeOverParts) {
    TShownForm shown;
    auto* track = AddControl<TTrackBar>(&shown.Form, 10, 10, 220, 45);
    track->SetPosition(4);
    std::set<DWORD> stages;
    std::set<DWORD_PTR> parts;
    int thumbsDrawn = 0;
    const TWndMethod saved = track->WindowProc;
    track->WindowProc = [&](TMessage& m) {
        if (m.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(m.LParam)->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
            auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(m.LParam);
            stages.insert(draw->dwDrawStage);
            if (draw->dwDrawStage == CDDS_PREPAINT) {
                m.Result = CDRF_NOTIFYITEMDRAW;
                return;
            }
            if (draw->dwDrawStage == CDDS_ITEMPREPAINT) {
                parts.insert(draw->dwItemSpec);
                if (draw->dwItemSpec == TBCD_THUMB) {
                    ++thumbsDrawn;
                    m.Result = CDRF_SKIPDEFAULT;
                    return;
                }
            }
        }
        saved(m);
    };
    RedrawWindow(track->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    test::Pump(30);
    EXPECT_TRUE(stages.count(CDDS_PREPAINT));
    EXPECT_TRUE(stages.count(CDDS_ITEMPREPAINT)) << "items are asked for once the paint asks for them";
    EXPECT_TRUE(parts.count(TBCD_THUMB));
    EXPECT_TRUE(parts.count(TBCD_CHANNEL));
    EXPECT_GT(thumbsDrawn, 0);

    // Unchained, the control answers for itself: no item notifications any more.
    track->WindowProc = saved;
    stages.clear();
    const TWndMethod counting = track->WindowProc;
    track->WindowProc = [&](TMessage& m) {
        counting(m);
        if (m.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(m.LParam)->code == static_cast<UINT>(NM_CUSTOMDRAW))
            stages.insert(reinterpret_cast<NMCUSTOMDRAW*>(m.LParam)->dwDrawStage);
    };
    RedrawWindow(track->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    EXPECT_TRUE(stages.count(CDDS_PREPAINT));
    EXPECT_FALSE(stages.count(CDDS_ITEMPREPAINT));
    track->WindowProc = counting;
}

TEST(ProgressBar, NegativeRangesStepsAndNewWindowsKeepThePosition) {
    TShownForm shown;
    auto* bar = AddControl<TProgressBar>(&shown.Form, 10, 10, 200, 18);
    bar->SetMin(-50);
    bar->SetMax(50);
    bar->SetPosition(25);
    PBRANGE range{};
    Ask(bar, PBM_GETRANGE, 0, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, -50);
    EXPECT_EQ(range.iHigh, 50);
    EXPECT_EQ(Ask(bar, PBM_GETPOS), 25);
    bar->SetPosition(-80);
    EXPECT_EQ(bar->Position(), -50);
    bar->SetPosition(49);
    bar->SetStep(10);
    bar->StepIt();
    EXPECT_EQ(bar->Position(), -50) << "a step past the end starts again";
    EXPECT_EQ(Ask(bar, PBM_GETPOS), -50);
    bar->StepIt();
    EXPECT_EQ(bar->Position(), -40);
    bar->StepBy(1000);
    EXPECT_EQ(bar->Position(), 50);
    bar->SetStep(-30);
    bar->SetPosition(-40);
    bar->StepIt();
    EXPECT_EQ(bar->Position(), 50) << "a negative step past the start goes round to the end";

    bar->SetPosition(10);
    bar->SetSmooth(true);
    bar->SetOrientation(pbVertical);
    EXPECT_EQ(GetWindowLongW(bar->Handle(), GWL_STYLE) & (PBS_SMOOTH | PBS_VERTICAL), PBS_SMOOTH | PBS_VERTICAL);
    EXPECT_EQ(bar->Width(), 18);
    EXPECT_EQ(Ask(bar, PBM_GETPOS), 10);
    EXPECT_EQ(Ask(bar, PBM_GETRANGE, TRUE), -50);
    bar->SetMin(20);
    EXPECT_EQ(bar->Position(), 20);
    EXPECT_EQ(Ask(bar, PBM_GETPOS), 20);
}

TEST(TrackAndProgress, StoredFormsInAnyPropertyOrderAndNoLeaks) {
    TForm form(nullptr);
    // Position before the range it lies in: kept until the whole form is read.
    ReadFormText(&form, R"(
object Form1: TForm
  object Track1: TTrackBar
    Position = 70
    Max = 120
    Min = 20
    Orientation = trVertical
    TickMarks = tmTopLeft
    TickStyle = tsManual
    SelStart = 30
    SelEnd = 60
    LineSize = 5
    SliderVisible = False
  end
  object Progress1: TProgressBar
    Position = -5
    Min = -10
    Max = 10
    Step = 4
    Smooth = True
    Orientation = pbVertical
  end
end)");
    auto* track = dynamic_cast<TTrackBar*>(form.FindComponent(L"Track1"));
    auto* bar = dynamic_cast<TProgressBar*>(form.FindComponent(L"Progress1"));
    ASSERT_NE(track, nullptr);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetOrdProp(track, L"Position"), 70);
    EXPECT_EQ(GetOrdProp(track, L"Min"), 20);
    EXPECT_EQ(GetEnumProp(track, L"Orientation"), L"trVertical");
    EXPECT_EQ(GetEnumProp(track, L"TickMarks"), L"tmTopLeft");
    EXPECT_EQ(GetEnumProp(track, L"TickStyle"), L"tsManual");
    EXPECT_EQ(GetOrdProp(track, L"SelEnd"), 60);
    EXPECT_EQ(GetOrdProp(track, L"LineSize"), 5);
    EXPECT_EQ(GetBoolProp(track, L"SliderVisible"), false);
    EXPECT_EQ(track->Width(), 150) << "a stored orientation does not turn the stored size";
    EXPECT_EQ(GetOrdProp(bar, L"Position"), -5);
    EXPECT_EQ(GetOrdProp(bar, L"Step"), 4);
    EXPECT_EQ(GetBoolProp(bar, L"Smooth"), true);
    EXPECT_EQ(GetEnumProp(bar, L"Orientation"), L"pbVertical");
    EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETPOS, 0, 0), 70);
    EXPECT_TRUE(GetWindowLongW(track->Handle(), GWL_STYLE) & TBS_NOTHUMB);
    EXPECT_EQ(SendMessageW(bar->Handle(), PBM_GETPOS, 0, 0), -5);

    TShownForm shown;
    const auto cycle = [&] {
        auto* t = AddControl<TTrackBar>(&shown.Form, 10, 10, 200, 45);
        auto* p = AddControl<TProgressBar>(&shown.Form, 10, 60, 200, 18);
        t->SetPosition(3);
        p->SetPosition(30);
        t->HandleNeeded();
        p->HandleNeeded();
        t->SetOrientation(trVertical);
        p->SetSmooth(true);
        test::Pump(10);
        delete t;
        delete p;
    };
    test::ExpectNoLeaks(10, cycle);
}

} // namespace
} // namespace orvo
