#include "framework/graphics/canvas.h"

#include "framework/graphics/graphic.h"
#include "framework/base/exceptions.h"
#include "framework/base/properties.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TCanvas);

TCanvas::TCanvas() {
    FFont.OnChange = [this](TObject*) { FState &= ~StateFont; };
    FBrush.OnChange = [this](TObject*) { FState &= ~StateBrush; };
    FPen.OnChange = [this](TObject*) { FState &= ~StatePen; };
    // A handle still selected into a DC must be selected out before it is deleted.
    FFont.OnHandleFreeing = [this] { Unselect(FOldFont, StateFont); };
    FBrush.OnHandleFreeing = [this] { Unselect(FOldBrush, StateBrush); };
    FPen.OnHandleFreeing = [this] { Unselect(FOldPen, StatePen); };
}

void TCanvas::Unselect(HGDIOBJ& original, unsigned state) {
    if (FHandle && original) SelectObject(FHandle, original);
    original = nullptr;
    FState &= ~state;
}

TCanvas::~TCanvas() {
    DeselectHandles();
}

HDC TCanvas::Handle() {
    return Require(0);
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == FHandle) return;
    DeselectHandles();
    FHandle = dc;
}

void TCanvas::DeselectHandles() {
    Unselect(FOldFont, StateFont);
    Unselect(FOldBrush, StateBrush);
    Unselect(FOldPen, StatePen);
    FHandle = nullptr;
}

HDC TCanvas::Require(unsigned state) {
    if (!FHandle) CreateHandle();
    if (!FHandle) throw EInvalidOperation(L"Canvas does not allow drawing");
    const unsigned missing = state & ~FState;
    if (missing & StateFont) SelectFont();
    if (missing & StateBrush) SelectBrush();
    if (missing & StatePen) SelectPen();
    return FHandle;
}

void TCanvas::SelectFont() {
    HGDIOBJ old = SelectObject(FHandle, FFont.Handle());
    if (!FOldFont) FOldFont = old;
    SetTextColor(FHandle, ColorToColorRef(FFont.Color()));
    FState |= StateFont;
}

void TCanvas::SelectBrush() {
    HBRUSH brush = FBrush.Handle();
    HGDIOBJ old = SelectObject(FHandle, brush ? brush : GetStockObject(NULL_BRUSH));
    if (!FOldBrush) FOldBrush = old;
    SetBkColor(FHandle, ColorToColorRef(FBrush.Color()));
    SetBkMode(FHandle, FBrush.Style() == bsSolid ? OPAQUE : TRANSPARENT);
    FState |= StateBrush;
}

void TCanvas::SelectPen() {
    HGDIOBJ old = SelectObject(FHandle, FPen.Handle());
    if (!FOldPen) FOldPen = old;
    SetROP2(FHandle, FPen.Rop2());
    FState |= StatePen;
}

void TCanvas::FillRect(const RECT& r) {
    HDC dc = Require(StateBrush);
    Changing();
    if (HBRUSH brush = FBrush.Handle()) ::FillRect(dc, &r, brush);
    Changed();
}

void TCanvas::FrameRect(const RECT& r) {
    HDC dc = Require(StateBrush);
    Changing();
    if (HBRUSH brush = FBrush.Handle()) ::FrameRect(dc, &r, brush);
    Changed();
}

void TCanvas::Rectangle(const RECT& r) {
    HDC dc = Require(StatePen | StateBrush);
    Changing();
    ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
    Changed();
}

void TCanvas::RoundRect(const RECT& r, int cornerWidth, int cornerHeight) {
    HDC dc = Require(StatePen | StateBrush);
    Changing();
    ::RoundRect(dc, r.left, r.top, r.right, r.bottom, cornerWidth, cornerHeight);
    Changed();
}

void TCanvas::Ellipse(const RECT& r) {
    HDC dc = Require(StatePen | StateBrush);
    Changing();
    ::Ellipse(dc, r.left, r.top, r.right, r.bottom);
    Changed();
}

void TCanvas::Polygon(std::span<const POINT> points) {
    HDC dc = Require(StatePen | StateBrush);
    Changing();
    ::Polygon(dc, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::Polyline(std::span<const POINT> points) {
    HDC dc = Require(StatePen);
    Changing();
    ::Polyline(dc, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::MoveTo(int x, int y) {
    MoveToEx(Require(0), x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    HDC dc = Require(StatePen | StateBrush);
    Changing();
    ::LineTo(dc, x, y);
    Changed();
}

POINT TCanvas::PenPos() {
    POINT p{};
    GetCurrentPositionEx(Require(0), &p);
    return p;
}

TColor TCanvas::Pixel(int x, int y) {
    return static_cast<TColor>(GetPixel(Require(0), x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    HDC dc = Require(0);
    Changing();
    ::SetPixelV(dc, x, y, ColorToColorRef(color));
    Changed();
}

void TCanvas::DrawFocusRect(const RECT& r) {
    HDC dc = Require(StateBrush);
    Changing();
    ::DrawFocusRect(dc, &r);
    Changed();
}

void TCanvas::TextOut(int x, int y, const std::wstring& text) {
    HDC dc = Require(StateFont | StateBrush);
    Changing();
    ExtTextOutW(dc, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
    Changed();
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::wstring& text) {
    HDC dc = Require(StateFont | StateBrush);
    Changing();
    const UINT options = ETO_CLIPPED | (FBrush.Style() == bsSolid ? ETO_OPAQUE : 0);
    ExtTextOutW(dc, x, y, options, &r, text.data(), static_cast<UINT>(text.size()), nullptr);
    Changed();
}

int TCanvas::TextRect(RECT& r, const std::wstring& text, UINT format) {
    HDC dc = Require(StateFont | StateBrush);
    if (format & DT_CALCRECT) return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    Changing();
    const int height = DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    Changed();
    return height;
}

SIZE TCanvas::TextExtent(const std::wstring& text) {
    SIZE size{};
    GetTextExtentPoint32W(Require(StateFont), text.data(), static_cast<int>(text.size()), &size);
    return size;
}

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
    if (graphic.Empty()) return;
    StretchDraw(RECT{x, y, x + graphic.Width(), y + graphic.Height()}, graphic);
}

void TCanvas::StretchDraw(const RECT& r, TGraphic& graphic) {
    if (graphic.Empty()) return;
    Require(0);
    Changing();
    graphic.Draw(*this, r);
    Changed();
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& canvas, const RECT& source) {
    HDC dc = Require(StateBrush);
    HDC src = canvas.Handle();
    Changing();
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, src, source.left,
               source.top, source.right - source.left, source.bottom - source.top, FCopyMode);
    SetStretchBltMode(dc, oldMode);
    Changed();
}

} // namespace orvo
