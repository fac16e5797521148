// TStringGrid: a grid of text cells that paints itself, with fixed (non-scrolling) rows and
// columns at the top and left drawn in FixedColor, a current cell and a selected range chosen by
// mouse and keys, and the window's own scroll bars.
//
// The scroll bars are real window scroll bars (WS_HSCROLL/WS_VSCROLL, as ScrollBars says), kept
// on screen while the grid has nothing to scroll (then disabled), so that they can be found and
// covered from outside; they scroll by whole rows and columns. The grid answers WM_HSCROLL and
// WM_VSCROLL as the platform's scroll-bar tracking sends them.
//
// Keys: arrows, Page Up/Down, Home/End (with Ctrl: the first or last cell), Tab and Shift+Tab with
// goTabs; Shift extends the selection with goRangeSelect. The mouse wheel scrolls three rows.
// OnSelectCell may refuse a new current cell; OnDrawCell paints after (or, without
// DefaultDrawing, instead of) the grid's own cell painting; OnTopLeftChanged follows scrolling.
//
// In a stored form the cells are `Cells = ( ... )`, one string per row with the row's cells
// separated by tab characters (#9); rows and columns beyond the counts make the grid grow.
// Column widths and row heights are `ColWidths = ( '64' '120' )` and `RowHeights`.
#pragma once

#include "framework/controls/control_publish.h"
#include "framework/controls/memo.h"
#include "framework/controls/win_control.h"

#include <functional>
#include <string>
#include <vector>

namespace orvo {

enum TGridOption : std::uint8_t {
    goFixedVertLine,     // lines between the fixed columns
    goFixedHorzLine,     // lines between the fixed rows
    goVertLine,          // lines between the other columns
    goHorzLine,          // lines between the other rows
    goRangeSelect,       // a range of cells can be selected (Shift, dragging)
    goDrawFocusSelected, // the current cell is drawn selected too
    goRowSelect,         // whole rows are selected
    goThumbTracking,     // the grid scrolls while the scroll box is dragged
    goTabs,              // Tab and Shift+Tab move between cells
};
using TGridOptions = TSet<TGridOption>;
const TEnumType& GridOptionType();

enum TGridDrawStateItem : std::uint8_t { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateItem>;

// A range of cells, inclusive on all sides.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool Contains(int col, int row) const noexcept {
        return col >= Left && col <= Right && row >= Top && row <= Bottom;
    }
    bool operator==(const TGridRect&) const = default;
};

using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const RECT& Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;

class TStringGrid : public TCustomControl {
    ORVO_CLASS(TStringGrid, TCustomControl)
public:
    explicit TStringGrid(TComponent* owner);
    ~TStringGrid() override;

    // At least 1 each; shrinking below the fixed count lowers it.
    int ColCount() const noexcept { return FColCount; }
    void SetColCount(int count);
    int RowCount() const noexcept { return FRowCount; }
    void SetRowCount(int count);
    // Fewer than the counts; throws EInvalidOperation otherwise.
    int FixedCols() const noexcept { return FFixedCols; }
    void SetFixedCols(int count);
    int FixedRows() const noexcept { return FFixedRows; }
    void SetFixedRows(int count);
    TColor FixedColor() const noexcept { return FFixedColor; }
    void SetFixedColor(TColor color);

    // The text of a cell; out of range reads empty and throws on writing (EListError).
    std::wstring Cell(int col, int row) const;
    void SetCell(int col, int row, const std::wstring& text);
    // Every row's cells joined by tabs (the stored form's Cells).
    std::vector<std::wstring> CellRows() const;
    void SetCellRows(const std::vector<std::wstring>& rows);

    // Lengths in pixels at the grid's DPI.
    int DefaultColWidth() const noexcept { return FDefaultColWidth.At(CurrentDpi()); }
    // Sets every column to the width.
    void SetDefaultColWidth(int width);
    int DefaultRowHeight() const noexcept { return FDefaultRowHeight.At(CurrentDpi()); }
    void SetDefaultRowHeight(int height);
    // Out of range: reads the default, writing throws EListError.
    int ColWidth(int col) const;
    void SetColWidth(int col, int width);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int height);
    std::vector<std::wstring> ColWidthList() const;
    void SetColWidthList(const std::vector<std::wstring>& widths);
    std::vector<std::wstring> RowHeightList() const;
    void SetRowHeightList(const std::vector<std::wstring>& heights);
    int GridLineWidth() const noexcept { return FGridLineWidth.At(CurrentDpi()); }
    void SetGridLineWidth(int width);

    TGridOptions Options() const noexcept { return FOptions; }
    void SetOptions(TGridOptions options);
    TScrollStyle ScrollBars() const noexcept { return FScrollBars; }
    void SetScrollBars(TScrollStyle style);
    TBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);
    bool DefaultDrawing() const noexcept { return FDefaultDrawing; }
    void SetDefaultDrawing(bool value);

    // The current cell (never fixed); setting it asks OnSelectCell and scrolls it into view.
    int Col() const noexcept { return FCol; }
    void SetCol(int col) { FocusCell(col, FRow, true); }
    int Row() const noexcept { return FRow; }
    void SetRow(int row) { FocusCell(FCol, row, true); }
    // The selected range (the current cell alone without goRangeSelect; whole rows with
    // goRowSelect).
    TGridRect Selection() const noexcept;
    void SetSelection(const TGridRect& range);
    // The first scrolling row and column shown.
    int TopRow() const noexcept { return FTopRow; }
    void SetTopRow(int row);
    int LeftCol() const noexcept { return FLeftCol; }
    void SetLeftCol(int col);
    // Non-fixed rows (columns) that fit whole in the client area from TopRow (LeftCol); at least 1.
    int VisibleRowCount();
    int VisibleColCount();

    // The cell's rectangle in the client area; empty when it is scrolled out of sight.
    RECT CellRect(int col, int row);
    // The cell at a client point; false outside every cell.
    bool MouseToCell(int x, int y, int& col, int& row);

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TNotifyEvent OnTopLeftChanged;

    static void Publish(TPublisher<TStringGrid>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Paint() override;
    void EraseBackground(TMessage& message) override;
    void WndProc(TMessage& message) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Resize() override;
    void ChangeScale(int oldDpi, int newDpi) override;
    // Paints one cell's default look: background and text.
    virtual void DrawCell(HDC dc, int col, int row, const RECT& rect, TGridDrawState state);

private:
    void Resized(int oldCols, int oldRows);
    // Moves the current cell (asking OnSelectCell); the anchor moves along unless extending.
    bool FocusCell(int col, int row, bool moveAnchor);
    void ScrollIntoView(int col, int row);
    void UpdateScrollBars();
    void Scroll(int bar, int code);
    void TopLeftChanged();
    // The last TopRow (LeftCol) that still fills the client area.
    int MaxTopRow();
    int MaxLeftCol();
    // Pixels of the line after a column (row): the grid line width where lines are drawn.
    int VertLine(int col) const noexcept;
    int HorzLine(int row) const noexcept;
    int FixedWidth() const;
    int FixedHeight() const;
    void InvalidateSelection(const TGridRect& before);

    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    TColor FFixedColor = clBtnFace;
    TScaledLength FDefaultColWidth{64};
    TScaledLength FDefaultRowHeight{24};
    std::vector<TScaledLength> FColWidths;
    std::vector<TScaledLength> FRowHeights;
    TScaledLength FGridLineWidth{1};
    TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    TScrollStyle FScrollBars = ssBoth;
    TBorderStyle FBorderStyle = bsSingle;
    bool FDefaultDrawing = true;
    std::vector<std::wstring> FCells; // row-major, FColCount per row
    int FCol = 1;
    int FRow = 1;
    int FAnchorCol = 1;
    int FAnchorRow = 1;
    int FTopRow = 1;
    int FLeftCol = 1;
    bool FSelecting = false;
    int FWheelRest = 0;
};

} // namespace orvo
