// String grids under Wine: cells and sizes stored in forms and read back, the real scroll bars
// kept on screen and driven by the platform's own tracking, cell geometry with fixed and scrolled
// rows, selection by keys and by the mouse (with OnSelectCell refusing), the painted colours of
// fixed, selected and plain cells, and no handles left behind.
#include "framework/base/exceptions.h"
#include "framework/base/prop_access.h"
#include "framework/controls/string_grid.h"
#include "framework/forms/form_reader.h"
#include "framework/graphics/color.h"
#include "tests/framework/controls/list_controls_support.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// Rectangles compared and printed whole (found by argument-dependent lookup: RECT is global).
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace orvo {
namespace {

bool Empty(const RECT& r) {
    return IsRectEmpty(&r) != FALSE;
}

TStringGrid* AddGrid(TForm& form, int cols, int rows) {
    auto* grid = new TStringGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(10, 10, 300, 200);
    grid->SetColCount(cols);
    grid->SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            grid->SetCell(c, r, std::to_wstring(c) + L"," + std::to_wstring(r));
    return grid;
}

SCROLLINFO ScrollInfo(HWND window, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    return info;
}

TEST(StringGrid, StoredCellsAndSizesReadBackAndTheScrollBarsStayOnScreen) {
    test::TShownForm shown;
    ReadFormText(&shown.Form, R"(object f: TForm
  object Grid1: TStringGrid
    Left = 8
    Top = 8
    Width = 320
    Height = 160
    ColCount = 3
    RowCount = 2
    FixedColor = clInfoBk
    DefaultRowHeight = 20
    Options = [goFixedVertLine, goFixedHorzLine, goRowSelect]
    ColWidths = ('40' '120' '80')
    Cells = (
      'No'#9'Name'#9'Size'
      '1'#9'readme.txt'
      '2'#9'big.log'#9'1.2 GB'#9'extra')
  end
end
)");
    auto* grid = dynamic_cast<TStringGrid*>(shown.Form.FindComponent(L"Grid1"));
    ASSERT_NE(grid, nullptr);
    shown.Form.HandleNeeded();
    EXPECT_EQ(grid->RowCount(), 3) << "rows beyond the count make the grid grow";
    EXPECT_EQ(grid->ColCount(), 4);
    EXPECT_EQ(grid->Cell(3, 2), L"extra");
    EXPECT_EQ(grid->Cell(1, 1), L"readme.txt");
    EXPECT_EQ(grid->Cell(2, 1), L"");
    EXPECT_EQ(grid->ColWidth(1), 120);
    EXPECT_EQ(grid->ColWidth(3), 64) << "a new column has the default width";
    EXPECT_EQ(grid->RowHeight(2), 20);
    EXPECT_EQ(GetPropValue(grid, L"FixedColor"), L"clInfoBk");
    EXPECT_EQ(GetOrdProp(grid, L"FixedColor"), std::optional<std::int32_t>(clInfoBk))
        << "an ordinal property, as code reading it by name expects";
    EXPECT_EQ(GetPropValue(grid, L"Options"), L"[goFixedVertLine,goFixedHorzLine,goRowSelect]");
    EXPECT_EQ(GetPropValue(grid, L"ScrollBars"), L"ssBoth");
    EXPECT_EQ(grid->CellRows(), (std::vector<std::wstring>{L"No\tName\tSize", L"1\treadme.txt",
                                                          L"2\tbig.log\t1.2 GB\textra"}));
    EXPECT_EQ(grid->ColWidthList(), (std::vector<std::wstring>{L"40", L"120", L"80", L"64"}));

    // Everything fits, yet both bars are there (disabled) for whoever covers them.
    const LONG_PTR style = GetWindowLongPtrW(grid->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_TRUE(style & WS_HSCROLL);
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(grid->Handle(), OBJID_VSCROLL, &bar));
    EXPECT_FALSE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE);
    EXPECT_TRUE(bar.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);

    TForm bad(nullptr);
    try {
        ReadFormText(&bad, "object f: TForm\n object g: TStringGrid\n  RowCount = 2\n  FixedRows = 2\n end\nend\n");
        ADD_FAILURE() << "two fixed rows of two were read";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find(L"Line 4"), std::wstring::npos) << e.what();
        EXPECT_NE(e.Message().find(L"Fixed row count must be less than row count"), std::wstring::npos);
    }
}

TEST(StringGrid, CellGeometryFollowsFixedRowsScrollingAndLines) {
    TForm form(nullptr);
    TStringGrid* grid = AddGrid(form, 6, 40);
    grid->SetScrollBars(ssNone);
    grid->SetClientSize(200, 125); // the fixed row, then four rows of 24 + 1
    grid->SetDefaultColWidth(50);
    EXPECT_EQ(grid->CellRect(0, 0), (RECT{0, 0, 50, 24}));
    EXPECT_EQ(grid->CellRect(2, 1), (RECT{102, 25, 152, 49}));
    EXPECT_EQ(grid->VisibleRowCount(), 4);
    EXPECT_EQ(grid->VisibleColCount(), 2) << "the third scrolling column would be cut";

    grid->SetTopRow(10);
    EXPECT_EQ(grid->TopRow(), 10);
    EXPECT_TRUE(Empty(grid->CellRect(1, 5))) << "scrolled out of sight";
    EXPECT_EQ(grid->CellRect(1, 10), (RECT{51, 25, 101, 49})) << "right under the fixed row";
    int col = -1, row = -1;
    EXPECT_TRUE(grid->MouseToCell(60, 30, col, row));
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 10);
    EXPECT_TRUE(grid->MouseToCell(10, 10, col, row));
    EXPECT_EQ(row, 0) << "the fixed row stays";
    grid->SetTopRow(1000);
    EXPECT_EQ(grid->TopRow(), 36) << "the last rows fill the grid; no scrolling past them";

    grid->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine});
    EXPECT_EQ(grid->CellRect(2, 0), (RECT{101, 0, 151, 24})) << "no lines between the other columns";
    grid->SetTopRow(1);
    EXPECT_EQ(grid->CellRect(1, 2), (RECT{51, 49, 101, 73}));
}

TEST(StringGrid, KeysAndTheMouseMoveTheCellExtendTheRangeAndOnSelectCellMayRefuse) {
    test::TShownForm shown;
    TStringGrid* grid = AddGrid(shown.Form, 8, 30);
    grid->SetOptions(grid->Options() + TGridOptions{goTabs});
    std::vector<std::pair<int, int>> asked;
    bool refuse = false;
    grid->OnSelectCell = [&](TObject*, int c, int r, bool& can) {
        asked.emplace_back(c, r);
        can = !refuse;
    };
    int topLeftChanges = 0;
    grid->OnTopLeftChanged = [&](TObject*) { ++topLeftChanges; };
    test::Pump(30);

    RECT cell = grid->CellRect(2, 3);
    test::ClickAt(grid->Handle(), POINT{cell.left + 5, cell.top + 5});
    EXPECT_TRUE(grid->Focused());
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(asked.back(), std::make_pair(2, 3));

    test::PressKey(VK_DOWN, true);
    test::PressKey(VK_RIGHT, true);
    test::PressKey(VK_RIGHT, true);
    EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 4, 4})) << "Shift+arrows extend from the anchor";
    test::PressKey(VK_TAB);
    EXPECT_EQ(grid->Col(), 5);
    EXPECT_EQ(grid->Selection(), (TGridRect{5, 4, 5, 4})) << "a move without Shift drops the range";

    test::PressKey(VK_END, false, true);
    EXPECT_EQ(grid->Col(), 7);
    EXPECT_EQ(grid->Row(), 29);
    EXPECT_GT(grid->TopRow(), 1) << "scrolled to show the cell";
    EXPECT_GT(topLeftChanges, 0);
    const RECT last = grid->CellRect(7, 29);
    const RECT client = grid->ClientRect();
    EXPECT_FALSE(IsRectEmpty(&last));
    EXPECT_LE(last.bottom, client.bottom) << "whole";
    EXPECT_EQ(ScrollInfo(grid->Handle(), SB_VERT).nPos, grid->TopRow() - 1) << "the bar follows";

    refuse = true;
    test::PressKey(VK_HOME, false, true);
    EXPECT_EQ(grid->Row(), 29) << "refused";
    EXPECT_EQ(asked.back(), std::make_pair(1, 1));
    refuse = false;
    test::PressKey(VK_HOME, false, true);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->TopRow(), 1);

    // Dragging selects a range.
    const RECT from = grid->CellRect(1, 2);
    const RECT to = grid->CellRect(3, 4);
    test::DragFromTo(grid->Handle(), POINT{from.left + 4, from.top + 4}, POINT{to.left + 4, to.top + 4});
    EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 3, 4}));
}

TEST(StringGrid, TheScrollBarsAreThePlatformsAndScrollTheGrid) {
    test::TShownForm shown;
    TStringGrid* grid = AddGrid(shown.Form, 12, 60);
    test::Pump(30);
    SCROLLINFO info = ScrollInfo(grid->Handle(), SB_VERT);
    EXPECT_EQ(info.nMax, 58);
    EXPECT_EQ(static_cast<int>(info.nPage), grid->VisibleRowCount());

    // A click on the bar's down arrow: the platform's tracking sends WM_VSCROLL to the grid.
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(grid->Handle(), OBJID_VSCROLL, &bar));
    EXPECT_FALSE(bar.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    const int arrow = bar.dxyLineButton;
    POINT down{(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2, bar.rcScrollBar.bottom - arrow / 2};
    ScreenToClient(grid->Handle(), &down);
    test::ClickAt(grid->Handle(), down);
    EXPECT_EQ(grid->TopRow(), 2);
    EXPECT_EQ(ScrollInfo(grid->Handle(), SB_VERT).nPos, 1);

    SendMessageW(grid->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(grid->TopRow(), 2 + grid->VisibleRowCount());
    SendMessageW(grid->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(grid->CellRect(0, 59).bottom <= grid->ClientHeight(), true);
    EXPECT_FALSE(Empty(grid->CellRect(0, 59)));
    SendMessageW(grid->Handle(), WM_HSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(grid->LeftCol(), 2);
    SendMessageW(grid->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(grid->TopRow(), grid->RowCount() - grid->VisibleRowCount() - 3) << "three rows a notch";

    HWND before = grid->Handle();
    grid->SetScrollBars(ssVertical);
    EXPECT_NE(grid->Handle(), before);
    EXPECT_FALSE(GetWindowLongPtrW(grid->Handle(), GWL_STYLE) & WS_HSCROLL);
    EXPECT_EQ(ScrollInfo(grid->Handle(), SB_VERT).nPos, grid->TopRow() - 1) << "a new window, same place";
}

TEST(StringGrid, PaintsFixedSelectedAndPlainCellsInTheirColours) {
    TForm form(nullptr);
    TStringGrid* grid = AddGrid(form, 4, 4);
    grid->SetFixedColor(clRed);
    grid->SetColor(clWhite);
    grid->SetSelection(TGridRect{2, 2, 3, 3}); // current cell (3, 3)
    grid->HandleNeeded();
    const RECT client = grid->ClientRect();
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    grid->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    // A pixel inside a cell, clear of its text (drawn from the left) and of a fixed cell's edge.
    const auto inside = [&](int c, int r) {
        const RECT cell = grid->CellRect(c, r);
        return GetPixel(dc, cell.right - 4, cell.bottom - 4);
    };
    EXPECT_EQ(inside(0, 2), ColorToColorRef(clRed));
    EXPECT_EQ(inside(2, 0), ColorToColorRef(clRed));
    EXPECT_EQ(inside(2, 2), ColorToColorRef(clHighlight));
    EXPECT_EQ(inside(3, 2), ColorToColorRef(clHighlight));
    EXPECT_EQ(inside(3, 3), ColorToColorRef(clWhite)) << "the current cell is not drawn selected";
    EXPECT_EQ(inside(1, 1), ColorToColorRef(clWhite));
    EXPECT_EQ(GetPixel(dc, client.right - 2, client.bottom - 2), ColorToColorRef(clWhite)) << "beyond the cells";
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST(StringGrid, CreatingAndFreeingGridsLeavesNoHandles) {
    TForm form(nullptr);
    form.HandleNeeded();
    const auto cycle = [&] {
        TStringGrid* grid = AddGrid(form, 5, 50);
        grid->SetTopRow(20);
        UpdateWindow(grid->Handle());
        delete grid;
    };
    test::ExpectNoHandlesLeftBy(cycle);
}

} // namespace
} // namespace orvo
