// TCanvas: drawing on any device context with the canvas's own font, brush and pen, selected into
// the DC when an operation needs them and deselected when the DC is let go.
#pragma once

#include "framework/graphics/brush.h"
#include "framework/graphics/font.h"
#include "framework/graphics/pen.h"
#include "framework/base/object.h"

#include <functional>
#include <mutex>
#include <span>
#include <string>

namespace orvo {

class TGraphic;

class TCanvas : public TPersistent {
    ORVO_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    ~TCanvas() override;

    // The DC drawn on. Setting one (or null) first deselects the canvas's objects from the old DC;
    // the canvas does not own a DC set this way.
    HDC Handle();
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return FHandle != nullptr; }

    TFont& Font() { return FFont; }
    TBrush& Brush() { return FBrush; }
    TPen& Pen() { return FPen; }
    DWORD CopyMode() const { return FCopyMode; }
    void SetCopyMode(DWORD rop) { FCopyMode = rop; }

    void FillRect(const RECT& r);
    void FrameRect(const RECT& r);
    void Rectangle(const RECT& r);
    void RoundRect(const RECT& r, int cornerWidth, int cornerHeight);
    void Ellipse(const RECT& r);
    void Polygon(std::span<const POINT> points);
    void Polyline(std::span<const POINT> points);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    POINT PenPos();
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);
    void DrawFocusRect(const RECT& r);

    void TextOut(int x, int y, const std::wstring& text);
    // Text clipped to `r`, starting at (x, y).
    void TextRect(const RECT& r, int x, int y, const std::wstring& text);
    // DrawTextW in the canvas's font, the background as the brush says (a clear brush: none);
    // with DT_CALCRECT `r` receives the size the text needs and nothing is drawn. Answers the
    // height of the text.
    int TextRect(RECT& r, const std::wstring& text, UINT format);
    SIZE TextExtent(const std::wstring& text);
    int TextWidth(const std::wstring& text) { return TextExtent(text).cx; }
    int TextHeight(const std::wstring& text) { return TextExtent(text).cy; }

    // A graphic at its own size with its top-left at (x, y), honouring its transparency.
    void Draw(int x, int y, TGraphic& graphic);
    void StretchDraw(const RECT& r, TGraphic& graphic);
    // Copies `source` of another canvas into `dest` with CopyMode.
    void CopyRect(const RECT& dest, TCanvas& canvas, const RECT& source);

    // Serialises use of the canvas between threads.
    void Lock() { FLock.lock(); }
    void Unlock() { FLock.unlock(); }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    // Subclasses that own their DC create it here (called when Handle is asked for and none is set).
    virtual void CreateHandle() {}
    // Deselects the canvas's objects and forgets the DC.
    void DeselectHandles();
    void Changing() {
        if (OnChanging) OnChanging(this);
    }
    void Changed() {
        if (OnChange) OnChange(this);
    }

private:
    enum : unsigned { StateFont = 1, StateBrush = 2, StatePen = 4 };
    // Makes sure the DC exists and the named objects are selected.
    HDC Require(unsigned state);
    void SelectFont();
    void SelectBrush();
    void SelectPen();
    void Unselect(HGDIOBJ& original, unsigned state);

    HDC FHandle = nullptr;
    unsigned FState = 0;
    HGDIOBJ FOldFont = nullptr;
    HGDIOBJ FOldBrush = nullptr;
    HGDIOBJ FOldPen = nullptr;
    DWORD FCopyMode = SRCCOPY;
    TFont FFont;
    TBrush FBrush;
    TPen FPen;
    std::recursive_mutex FLock;
};

} // namespace orvo
