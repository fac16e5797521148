#include "framework/controls/string_grid.h"

#include "framework/base/exceptions.h"
#include "framework/base/list.h"
#include "framework/base/properties.h"
#include "framework/base/sysutils.h"
#include "framework/controls/item_lists.h"
#include "framework/graphics/color.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TStringGrid);

const TEnumType& GridOptionType() {
    static const TEnumType type(L"TGridOption",
                                {L"goFixedVertLine", L"goFixedHorzLine", L"goVertLine", L"goHorzLine", L"goRangeSelect",
                                 L"goDrawFocusSelected", L"goRowSelect", L"goThumbTracking", L"goTabs"});
    return type;
}

namespace {

constexpr TColor GridLineColor = 0xC0C0C0; // silver
constexpr int WheelRows = 3;

std::vector<std::wstring> NumberList(const std::vector<int>& values) {
    std::vector<std::wstring> list;
    list.reserve(values.size());
    for (int v : values)
        list.push_back(IntToStr(v));
    return list;
}

} // namespace

TStringGrid::TStringGrid(TComponent* owner) : TCustomControl(owner) {
    // Sized first: setting the bounds lays the cells out.
    FColWidths.assign(static_cast<std::size_t>(FColCount), FDefaultColWidth);
    FRowHeights.assign(static_cast<std::size_t>(FRowCount), FDefaultRowHeight);
    FCells.resize(static_cast<std::size_t>(FColCount * FRowCount));
    SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
    SetBounds(0, 0, 320, 120);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TStringGrid::~TStringGrid() = default;

// ---- counts and sizes -------------------------------------------------------------------------

void TStringGrid::Resized(int oldCols, int oldRows) {
    std::vector<std::wstring> cells(static_cast<std::size_t>(FColCount) * static_cast<std::size_t>(FRowCount));
    for (int r = 0; r < std::min(oldRows, FRowCount); ++r)
        for (int c = 0; c < std::min(oldCols, FColCount); ++c)
            cells[static_cast<std::size_t>(r * FColCount + c)] =
                std::move(FCells[static_cast<std::size_t>(r * oldCols + c)]);
    FCells = std::move(cells);
    FColWidths.resize(static_cast<std::size_t>(FColCount), FDefaultColWidth);
    FRowHeights.resize(static_cast<std::size_t>(FRowCount), FDefaultRowHeight);
    FCol = std::clamp(FCol, FFixedCols, FColCount - 1);
    FRow = std::clamp(FRow, FFixedRows, FRowCount - 1);
    FAnchorCol = std::clamp(FAnchorCol, FFixedCols, FColCount - 1);
    FAnchorRow = std::clamp(FAnchorRow, FFixedRows, FRowCount - 1);
    FTopRow = std::clamp(FTopRow, FFixedRows, FRowCount - 1);
    FLeftCol = std::clamp(FLeftCol, FFixedCols, FColCount - 1);
    FTopRow = std::min(FTopRow, MaxTopRow());
    FLeftCol = std::min(FLeftCol, MaxLeftCol());
    UpdateScrollBars();
    Invalidate();
}

void TStringGrid::SetColCount(int count) {
    count = std::max(count, 1);
    if (count == FColCount) return;
    const int old = FColCount;
    FColCount = count;
    if (FFixedCols >= count) FFixedCols = count - 1;
    Resized(old, FRowCount);
}

void TStringGrid::SetRowCount(int count) {
    count = std::max(count, 1);
    if (count == FRowCount) return;
    const int old = FRowCount;
    FRowCount = count;
    if (FFixedRows >= count) FFixedRows = count - 1;
    Resized(FColCount, old);
}

void TStringGrid::SetFixedCols(int count) {
    if (count < 0 || count >= FColCount)
        throw EInvalidOperation(L"Fixed column count must be less than column count");
    FFixedCols = count;
    Resized(FColCount, FRowCount);
}

void TStringGrid::SetFixedRows(int count) {
    if (count < 0 || count >= FRowCount) throw EInvalidOperation(L"Fixed row count must be less than row count");
    FFixedRows = count;
    Resized(FColCount, FRowCount);
}

void TStringGrid::SetFixedColor(TColor color) {
    if (color == FFixedColor) return;
    FFixedColor = color;
    Invalidate();
}

std::wstring TStringGrid::Cell(int col, int row) const {
    if (col < 0 || col >= FColCount || row < 0 || row >= FRowCount) return {};
    return FCells[static_cast<std::size_t>(row * FColCount + col)];
}

void TStringGrid::SetCell(int col, int row, const std::wstring& text) {
    if (col < 0 || col >= FColCount) ListIndexError(col);
    if (row < 0 || row >= FRowCount) ListIndexError(row);
    std::wstring& cell = FCells[static_cast<std::size_t>(row * FColCount + col)];
    if (cell == text) return;
    cell = text;
    const RECT r = CellRect(col, row);
    if (HandleAllocated() && !IsRectEmpty(&r)) InvalidateRect(Handle(), &r, FALSE);
}

std::vector<std::wstring> TStringGrid::CellRows() const {
    std::vector<std::wstring> rows;
    for (int r = 0; r < FRowCount; ++r) {
        int last = FColCount - 1;
        while (last >= 0 && Cell(last, r).empty())
            --last;
        std::wstring row;
        for (int c = 0; c <= last; ++c) {
            if (c) row += L'\t';
            std::wstring text = Cell(c, r);
            std::replace(text.begin(), text.end(), L'\t', L' '); // a tab would start the next cell
            row += text;
        }
        rows.push_back(std::move(row));
    }
    while (!rows.empty() && rows.back().empty())
        rows.pop_back();
    return rows;
}

void TStringGrid::SetCellRows(const std::vector<std::wstring>& rows) {
    std::vector<std::vector<std::wstring>> cells;
    int cols = FColCount;
    for (const std::wstring& row : rows) {
        cells.push_back(SplitAtTabs(row));
        cols = std::max(cols, static_cast<int>(cells.back().size()));
    }
    SetColCount(cols);
    SetRowCount(std::max(FRowCount, static_cast<int>(cells.size())));
    std::fill(FCells.begin(), FCells.end(), std::wstring());
    for (std::size_t r = 0; r < cells.size(); ++r)
        for (std::size_t c = 0; c < cells[r].size(); ++c)
            FCells[r * static_cast<std::size_t>(FColCount) + c] = std::move(cells[r][c]);
    Invalidate();
}

void TStringGrid::SetDefaultColWidth(int width) {
    FDefaultColWidth = TScaledLength{std::max(width, 0), CurrentDpi()};
    std::fill(FColWidths.begin(), FColWidths.end(), FDefaultColWidth);
    Resized(FColCount, FRowCount);
}

void TStringGrid::SetDefaultRowHeight(int height) {
    FDefaultRowHeight = TScaledLength{std::max(height, 0), CurrentDpi()};
    std::fill(FRowHeights.begin(), FRowHeights.end(), FDefaultRowHeight);
    Resized(FColCount, FRowCount);
}

int TStringGrid::ColWidth(int col) const {
    return (col >= 0 && col < FColCount ? FColWidths[static_cast<std::size_t>(col)] : FDefaultColWidth).At(CurrentDpi());
}

void TStringGrid::SetColWidth(int col, int width) {
    if (col < 0 || col >= FColCount) ListIndexError(col);
    FColWidths[static_cast<std::size_t>(col)].Set(std::max(width, 0), CurrentDpi());
    Resized(FColCount, FRowCount);
}

int TStringGrid::RowHeight(int row) const {
    return (row >= 0 && row < FRowCount ? FRowHeights[static_cast<std::size_t>(row)] : FDefaultRowHeight).At(CurrentDpi());
}

void TStringGrid::SetRowHeight(int row, int height) {
    if (row < 0 || row >= FRowCount) ListIndexError(row);
    FRowHeights[static_cast<std::size_t>(row)].Set(std::max(height, 0), CurrentDpi());
    Resized(FColCount, FRowCount);
}

std::vector<std::wstring> TStringGrid::ColWidthList() const {
    std::vector<int> widths;
    for (int c = 0; c < FColCount; ++c)
        widths.push_back(ColWidth(c));
    return NumberList(widths);
}

void TStringGrid::SetColWidthList(const std::vector<std::wstring>& widths) {
    std::vector<int> values;
    for (const std::wstring& w : widths)
        values.push_back(std::max(StrToInt(w), 0));
    SetColCount(std::max(FColCount, static_cast<int>(values.size())));
    for (std::size_t c = 0; c < values.size(); ++c)
        FColWidths[c] = TScaledLength{values[c], CurrentDpi()};
    Resized(FColCount, FRowCount);
}

std::vector<std::wstring> TStringGrid::RowHeightList() const {
    std::vector<int> heights;
    for (int r = 0; r < FRowCount; ++r)
        heights.push_back(RowHeight(r));
    return NumberList(heights);
}

void TStringGrid::SetRowHeightList(const std::vector<std::wstring>& heights) {
    std::vector<int> values;
    for (const std::wstring& h : heights)
        values.push_back(std::max(StrToInt(h), 0));
    SetRowCount(std::max(FRowCount, static_cast<int>(values.size())));
    for (std::size_t r = 0; r < values.size(); ++r)
        FRowHeights[r] = TScaledLength{values[r], CurrentDpi()};
    Resized(FColCount, FRowCount);
}

void TStringGrid::SetGridLineWidth(int width) {
    FGridLineWidth.Set(std::max(width, 0), CurrentDpi());
    Resized(FColCount, FRowCount);
}

void TStringGrid::SetOptions(TGridOptions options) {
    if (options == FOptions) return;
    FOptions = options;
    if (!FOptions.Contains(goRangeSelect)) {
        FAnchorCol = FCol;
        FAnchorRow = FRow;
    }
    Resized(FColCount, FRowCount);
}

void TStringGrid::SetScrollBars(TScrollStyle style) {
    if (style == FScrollBars) return;
    FScrollBars = style;
    RecreateWnd();
}

void TStringGrid::SetBorderStyle(TBorderStyle style) {
    if (style == FBorderStyle) return;
    FBorderStyle = style;
    RecreateWnd();
}

void TStringGrid::SetDefaultDrawing(bool value) {
    FDefaultDrawing = value;
    Invalidate();
}

// ---- geometry ---------------------------------------------------------------------------------

int TStringGrid::VertLine(int col) const noexcept {
    return FOptions.Contains(col < FFixedCols ? goFixedVertLine : goVertLine) ? GridLineWidth() : 0;
}

int TStringGrid::HorzLine(int row) const noexcept {
    return FOptions.Contains(row < FFixedRows ? goFixedHorzLine : goHorzLine) ? GridLineWidth() : 0;
}

int TStringGrid::FixedWidth() const {
    int w = 0;
    for (int c = 0; c < FFixedCols; ++c)
        w += ColWidth(c) + VertLine(c);
    return w;
}

int TStringGrid::FixedHeight() const {
    int h = 0;
    for (int r = 0; r < FFixedRows; ++r)
        h += RowHeight(r) + HorzLine(r);
    return h;
}

RECT TStringGrid::CellRect(int col, int row) {
    if (col < 0 || col >= FColCount || row < 0 || row >= FRowCount) return RECT{};
    if ((col >= FFixedCols && col < FLeftCol) || (row >= FFixedRows && row < FTopRow)) return RECT{};
    int x = 0;
    for (int c = 0; c < col; ++c)
        if (c < FFixedCols || c >= FLeftCol) x += ColWidth(c) + VertLine(c);
    int y = 0;
    for (int r = 0; r < row; ++r)
        if (r < FFixedRows || r >= FTopRow) y += RowHeight(r) + HorzLine(r);
    const RECT client = ClientRect();
    if (x >= client.right || y >= client.bottom) return RECT{};
    return RECT{x, y, x + ColWidth(col), y + RowHeight(row)};
}

bool TStringGrid::MouseToCell(int x, int y, int& col, int& row) {
    col = row = -1;
    int left = 0;
    for (int c = 0; c < FColCount; ++c) {
        if (c >= FFixedCols && c < FLeftCol) continue;
        const int right = left + ColWidth(c) + VertLine(c);
        if (x >= left && x < right) {
            col = c;
            break;
        }
        left = right;
    }
    int top = 0;
    for (int r = 0; r < FRowCount; ++r) {
        if (r >= FFixedRows && r < FTopRow) continue;
        const int bottom = top + RowHeight(r) + HorzLine(r);
        if (y >= top && y < bottom) {
            row = r;
            break;
        }
        top = bottom;
    }
    return col >= 0 && row >= 0;
}

int TStringGrid::VisibleRowCount() {
    const int room = ClientHeight() - FixedHeight();
    int used = 0, count = 0;
    for (int r = FTopRow; r < FRowCount; ++r) {
        used += RowHeight(r);
        if (used > room) break;
        used += HorzLine(r);
        ++count;
    }
    return std::max(count, 1);
}

int TStringGrid::VisibleColCount() {
    const int room = ClientWidth() - FixedWidth();
    int used = 0, count = 0;
    for (int c = FLeftCol; c < FColCount; ++c) {
        used += ColWidth(c);
        if (used > room) break;
        used += VertLine(c);
        ++count;
    }
    return std::max(count, 1);
}

int TStringGrid::MaxTopRow() {
    const int room = ClientHeight() - FixedHeight();
    int used = 0;
    int top = FRowCount - 1;
    for (int r = FRowCount - 1; r >= FFixedRows; --r) {
        used += RowHeight(r);
        if (used > room) break;
        used += HorzLine(r);
        top = r;
    }
    return std::max(top, FFixedRows);
}

int TStringGrid::MaxLeftCol() {
    const int room = ClientWidth() - FixedWidth();
    int used = 0;
    int left = FColCount - 1;
    for (int c = FColCount - 1; c >= FFixedCols; --c) {
        used += ColWidth(c);
        if (used > room) break;
        used += VertLine(c);
        left = c;
    }
    return std::max(left, FFixedCols);
}

// ---- selection and scrolling ----------------------------------------------------------------

TGridRect TStringGrid::Selection() const noexcept {
    const bool range = FOptions.Contains(goRangeSelect);
    const int anchorCol = range ? FAnchorCol : FCol;
    const int anchorRow = range ? FAnchorRow : FRow;
    TGridRect r{std::min(anchorCol, FCol), std::min(anchorRow, FRow), std::max(anchorCol, FCol),
                std::max(anchorRow, FRow)};
    if (FOptions.Contains(goRowSelect)) {
        r.Left = FFixedCols;
        r.Right = FColCount - 1;
    }
    return r;
}

void TStringGrid::SetSelection(const TGridRect& range) {
    FAnchorCol = std::clamp(range.Left, FFixedCols, FColCount - 1);
    FAnchorRow = std::clamp(range.Top, FFixedRows, FRowCount - 1);
    FCol = std::clamp(range.Right, FFixedCols, FColCount - 1);
    FRow = std::clamp(range.Bottom, FFixedRows, FRowCount - 1);
    ScrollIntoView(FCol, FRow);
    Invalidate();
}

bool TStringGrid::FocusCell(int col, int row, bool moveAnchor) {
    col = std::clamp(col, FFixedCols, FColCount - 1);
    row = std::clamp(row, FFixedRows, FRowCount - 1);
    if (col != FCol || row != FRow) {
        bool canSelect = true;
        if (OnSelectCell) OnSelectCell(this, col, row, canSelect);
        if (!canSelect) return false;
    }
    FCol = col;
    FRow = row;
    if (moveAnchor || !FOptions.Contains(goRangeSelect)) {
        FAnchorCol = col;
        FAnchorRow = row;
    }
    ScrollIntoView(col, row);
    Invalidate();
    return true;
}

void TStringGrid::ScrollIntoView(int col, int row) {
    if (row < FTopRow) {
        SetTopRow(row);
    } else {
        // The lowest TopRow that still shows `row` whole.
        const int room = ClientHeight() - FixedHeight();
        int used = 0, top = row;
        for (int r = row; r >= FFixedRows; --r) {
            used += RowHeight(r) + (r == row ? 0 : HorzLine(r));
            if (used > room) break;
            top = r;
        }
        if (top > FTopRow) SetTopRow(top);
    }
    if (FOptions.Contains(goRowSelect)) return;
    if (col < FLeftCol) {
        SetLeftCol(col);
    } else {
        const int room = ClientWidth() - FixedWidth();
        int used = 0, left = col;
        for (int c = col; c >= FFixedCols; --c) {
            used += ColWidth(c) + (c == col ? 0 : VertLine(c));
            if (used > room) break;
            left = c;
        }
        if (left > FLeftCol) SetLeftCol(left);
    }
}

void TStringGrid::SetTopRow(int row) {
    row = std::clamp(row, FFixedRows, std::max(MaxTopRow(), FFixedRows));
    if (row == FTopRow) return;
    FTopRow = row;
    TopLeftChanged();
}

void TStringGrid::SetLeftCol(int col) {
    col = std::clamp(col, FFixedCols, std::max(MaxLeftCol(), FFixedCols));
    if (col == FLeftCol) return;
    FLeftCol = col;
    TopLeftChanged();
}

void TStringGrid::TopLeftChanged() {
    UpdateScrollBars();
    Invalidate();
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TStringGrid::UpdateScrollBars() {
    if (!HandleAllocated()) return;
    const auto update = [&](int bar, int first, int count, int visible, int pos) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        // Always on screen: disabled when there is nothing to scroll.
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        info.nMin = 0;
        info.nMax = std::max(count - first - 1, 0);
        info.nPage = static_cast<UINT>(visible);
        info.nPos = pos - first;
        SetScrollInfo(Handle(), bar, &info, TRUE);
    };
    if (FScrollBars == ssVertical || FScrollBars == ssBoth)
        update(SB_VERT, FFixedRows, FRowCount, MaxTopRow() == FFixedRows ? FRowCount : VisibleRowCount(), FTopRow);
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
        update(SB_HORZ, FFixedCols, FColCount, MaxLeftCol() == FFixedCols ? FColCount : VisibleColCount(), FLeftCol);
}

void TStringGrid::Scroll(int bar, int code) {
    const bool vertical = bar == SB_VERT;
    const int first = vertical ? FFixedRows : FFixedCols;
    const int current = vertical ? FTopRow : FLeftCol;
    const int page = vertical ? VisibleRowCount() : VisibleColCount();
    int target = current;
    switch (code) {
    case SB_LINEUP:
        target = current - 1;
        break;
    case SB_LINEDOWN:
        target = current + 1;
        break;
    case SB_PAGEUP:
        target = current - page;
        break;
    case SB_PAGEDOWN:
        target = current + page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        if (code == SB_THUMBTRACK && !FOptions.Contains(goThumbTracking)) return;
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        if (!GetScrollInfo(Handle(), bar, &info)) return;
        target = info.nTrackPos + first;
        break;
    }
    case SB_TOP:
        target = first;
        break;
    case SB_BOTTOM:
        target = vertical ? FRowCount : FColCount;
        break;
    default:
        return;
    }
    if (vertical)
        SetTopRow(target);
    else
        SetLeftCol(target);
}

// ---- painting ---------------------------------------------------------------------------------

void TStringGrid::EraseBackground(TMessage& m) {
    m.Result = 1; // Paint covers every pixel
}

void TStringGrid::Paint() {
    TCanvas& canvas = *Canvas();
    const RECT client = ClientRect();
    const TGridRect selection = Selection();
    const bool focused = Focused();
    int y = 0;
    for (int r = 0; r < FRowCount && y < client.bottom; ++r) {
        if (r >= FFixedRows && r < FTopRow) continue;
        const int height = RowHeight(r);
        const int hLine = HorzLine(r);
        int x = 0;
        for (int c = 0; c < FColCount && x < client.right; ++c) {
            if (c >= FFixedCols && c < FLeftCol) continue;
            const int width = ColWidth(c);
            const int vLine = VertLine(c);
            const RECT cell{x, y, x + width, y + height};
            const bool fixed = c < FFixedCols || r < FFixedRows;
            TGridDrawState state;
            if (fixed) state.Include(gdFixed);
            if (!fixed && c == FCol && r == FRow) state.Include(gdFocused);
            if (!fixed && selection.Contains(c, r) &&
                (!state.Contains(gdFocused) || FOptions.Contains(goDrawFocusSelected) || FOptions.Contains(goRowSelect)))
                state.Include(gdSelected);
            if (RectVisible(canvas.Handle(), &cell)) {
                if (FDefaultDrawing) DrawCell(canvas.Handle(), c, r, cell, state);
                if (OnDrawCell) OnDrawCell(this, c, r, cell, state);
                if (focused && state.Contains(gdFocused) && !FOptions.Contains(goRowSelect))
                    DrawFocusRect(canvas.Handle(), &cell);
            }
            // The lines after the cell: right, then below (the crossing included).
            canvas.Brush().SetColor(fixed ? clBtnShadow : GridLineColor);
            if (vLine) canvas.FillRect(RECT{cell.right, y, cell.right + vLine, y + height + hLine});
            if (hLine) canvas.FillRect(RECT{x, cell.bottom, cell.right, cell.bottom + hLine});
            x += width + vLine;
        }
        if (x < client.right) {
            canvas.Brush().SetColor(Color());
            canvas.FillRect(RECT{x, y, client.right, y + height + hLine});
        }
        y += height + hLine;
    }
    if (y < client.bottom) {
        canvas.Brush().SetColor(Color());
        canvas.FillRect(RECT{0, y, client.right, client.bottom});
    }
}

void TStringGrid::DrawCell(HDC dc, int col, int row, const RECT& rect, TGridDrawState state) {
    TCanvas& canvas = *Canvas();
    const bool selected = state.Contains(gdSelected);
    canvas.Brush().SetColor(state.Contains(gdFixed) ? FFixedColor : selected ? clHighlight : Color());
    canvas.FillRect(rect);
    if (state.Contains(gdFixed)) {
        RECT edge = rect;
        DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
    }
    const std::wstring text = Cell(col, row);
    if (text.empty()) return;
    canvas.Font().Assign(*Font());
    if (selected) canvas.Font().SetColor(clHighlightText);
    canvas.Brush().SetStyle(bsClear);
    RECT r{rect.left + 2, rect.top, rect.right - 2, rect.bottom};
    canvas.TextRect(r, text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    canvas.Brush().SetStyle(bsSolid);
}

// ---- input ------------------------------------------------------------------------------------

void TStringGrid::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    const bool ctrl = shift.Contains(ssCtrl);
    const bool extend = shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
    int col = FCol, row = FRow;
    switch (key) {
    case VK_UP:
        --row;
        break;
    case VK_DOWN:
        ++row;
        break;
    case VK_LEFT:
        if (FOptions.Contains(goRowSelect)) {
            SetLeftCol(FLeftCol - 1);
            key = 0;
            return;
        }
        --col;
        break;
    case VK_RIGHT:
        if (FOptions.Contains(goRowSelect)) {
            SetLeftCol(FLeftCol + 1);
            key = 0;
            return;
        }
        ++col;
        break;
    case VK_PRIOR:
        row -= VisibleRowCount();
        break;
    case VK_NEXT:
        row += VisibleRowCount();
        break;
    case VK_HOME:
        if (ctrl || FOptions.Contains(goRowSelect)) row = FFixedRows;
        if (!FOptions.Contains(goRowSelect)) col = FFixedCols;
        break;
    case VK_END:
        if (ctrl || FOptions.Contains(goRowSelect)) row = FRowCount - 1;
        if (!FOptions.Contains(goRowSelect)) col = FColCount - 1;
        break;
    case VK_TAB:
        if (!FOptions.Contains(goTabs) || ctrl) return;
        if (shift.Contains(ssShift)) {
            if (--col < FFixedCols) {
                col = FColCount - 1;
                --row;
            }
        } else if (++col >= FColCount) {
            col = FFixedCols;
            ++row;
        }
        if (row < FFixedRows || row >= FRowCount) return; // at the grid's edge: leave the key be
        FocusCell(col, row, true);
        key = 0;
        return;
    default:
        return;
    }
    FocusCell(col, row, !extend);
    key = 0;
}

void TStringGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        if (CanFocus() && !Focused()) SetFocus();
        int col, row;
        if (MouseToCell(x, y, col, row) && col >= FFixedCols && row >= FFixedRows) {
            const bool extend = shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
            if (FocusCell(col, row, !extend)) FSelecting = FOptions.Contains(goRangeSelect);
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TStringGrid::MouseMove(TShiftState shift, int x, int y) {
    if (FSelecting && shift.Contains(ssLeft)) {
        int col, row;
        MouseToCell(std::clamp(x, FixedWidth(), std::max(ClientWidth() - 1, 0)),
                    std::clamp(y, FixedHeight(), std::max(ClientHeight() - 1, 0)), col, row);
        if (col >= FFixedCols && row >= FFixedRows && (col != FCol || row != FRow)) FocusCell(col, row, false);
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TStringGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) FSelecting = false;
    TCustomControl::MouseUp(button, shift, x, y);
}

void TStringGrid::ChangeScale(int oldDpi, int newDpi) {
    TCustomControl::ChangeScale(oldDpi, newDpi);
    Resize(); // the cells have other sizes: what shows and scrolls follows
    Invalidate();
}

void TStringGrid::Resize() {
    TCustomControl::Resize();
    FTopRow = std::min(FTopRow, MaxTopRow());
    FLeftCol = std::min(FLeftCol, MaxLeftCol());
    UpdateScrollBars();
}

// ---- window -----------------------------------------------------------------------------------

void TStringGrid::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) params.Style |= WS_VSCROLL;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) params.Style |= WS_HSCROLL;
    if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TStringGrid::CreateWnd() {
    TCustomControl::CreateWnd();
    UpdateScrollBars();
}

void TStringGrid::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS | (FOptions.Contains(goTabs) ? DLGC_WANTTAB : 0);
        return;
    case WM_VSCROLL:
    case WM_HSCROLL:
        if (m.LParam == 0) { // the window's own bar (a scroll bar control would be reflected)
            Scroll(m.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(m.WParam));
            m.Result = 0;
            return;
        }
        break;
    case WM_MOUSEWHEEL: {
        FWheelRest += static_cast<short>(HIWORD(m.WParam));
        const int notches = FWheelRest / WHEEL_DELTA;
        FWheelRest -= notches * WHEEL_DELTA;
        if (notches) SetTopRow(FTopRow - notches * WheelRows);
        m.Result = 0;
        return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        break;
    case CM_FONTCHANGED:
        Invalidate();
        break;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

void TStringGrid::Publish(TPublisher<TStringGrid>& p) {
    PublishColor(p);
    PublishFont(p);
    p.Enum(L"BorderStyle", BorderStyleType(), &TStringGrid::BorderStyle, &TStringGrid::SetBorderStyle);
    p.Integer(L"ColCount", &TStringGrid::ColCount, &TStringGrid::SetColCount);
    p.Integer(L"RowCount", &TStringGrid::RowCount, &TStringGrid::SetRowCount);
    p.Integer(L"FixedCols", &TStringGrid::FixedCols, &TStringGrid::SetFixedCols);
    p.Integer(L"FixedRows", &TStringGrid::FixedRows, &TStringGrid::SetFixedRows);
    p.Integer(L"FixedColor", ColorType(), &TStringGrid::FixedColor, &TStringGrid::SetFixedColor);
    p.Integer(L"DefaultColWidth", &TStringGrid::DefaultColWidth, &TStringGrid::SetDefaultColWidth);
    p.Integer(L"DefaultRowHeight", &TStringGrid::DefaultRowHeight, &TStringGrid::SetDefaultRowHeight);
    p.Integer(L"GridLineWidth", &TStringGrid::GridLineWidth, &TStringGrid::SetGridLineWidth);
    p.Set(L"Options", GridOptionType(), &TStringGrid::Options, &TStringGrid::SetOptions);
    p.Enum(L"ScrollBars", ScrollStyleType(), &TStringGrid::ScrollBars, &TStringGrid::SetScrollBars);
    p.Boolean(L"DefaultDrawing", &TStringGrid::DefaultDrawing, &TStringGrid::SetDefaultDrawing);
    p.StringList(L"ColWidths", &TStringGrid::ColWidthList, &TStringGrid::SetColWidthList);
    p.StringList(L"RowHeights", &TStringGrid::RowHeightList, &TStringGrid::SetRowHeightList);
    p.StringList(L"Cells", &TStringGrid::CellRows, &TStringGrid::SetCellRows);
    p.Event(L"OnDrawCell", &TStringGrid::OnDrawCell);
    p.Event(L"OnSelectCell", &TStringGrid::OnSelectCell);
    p.Event(L"OnTopLeftChanged", &TStringGrid::OnTopLeftChanged);
}

} // namespace orvo
