// TBitmap: a device-independent bitmap (DIB section) with a pixel format, direct access to its
// rows, a canvas on its own memory DC, BMP file I/O, a transparent colour and a mask operation.
#pragma once

#include "framework/graphics/canvas.h"
#include "framework/graphics/gdi_handle.h"
#include "framework/graphics/graphic.h"
#include "framework/graphics/pixel_format.h"

#include <memory>
#include <span>
#include <vector>

namespace orvo {

struct TDibImage;

enum TTransparentMode { tmAuto, tmFixed };

template <class T> class TPublisher;

class TBitmap : public TGraphic {
    ORVO_CLASS(TBitmap, TGraphic)
public:
    TBitmap();
    TBitmap(int width, int height, TPixelFormat format = pf24bit);
    ~TBitmap() override;

    bool Empty() const override { return !FHandle; }
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    // A new bitmap starts with zero bits (black, or palette entry 0); resizing keeps the
    // overlapping content and paints the new pixels white.
    void SetWidth(int width) { SetSize(width, FHeight); }
    void SetHeight(int height) { SetSize(FWidth, height); }
    void SetSize(int width, int height);

    TPixelFormat PixelFormat() const { return FFormat; }
    // Converts the content; indexed targets get a standard palette unless the old one fits.
    void SetPixelFormat(TPixelFormat format);
    std::span<const RGBQUAD> Palette() const { return FPalette; }
    // Replaces the colour table of an indexed bitmap (at most 2^bits entries); indices are kept.
    void SetPalette(std::span<const RGBQUAD> palette);

    // Row y (0 = top) of the pixel data; pending GDI drawing is flushed first.
    std::uint8_t* ScanLine(int y);
    const std::uint8_t* ScanLine(int y) const;
    std::size_t Stride() const { return RowStride(FWidth, FFormat); }
    // One pixel as a TColor, read from the bits (no GDI call); clNone outside the bitmap.
    TColor PixelColor(int x, int y) const;

    TCanvas& Canvas();
    // The DIB section, owned by the bitmap; asking for it lets go of the canvas's DC, so the
    // handle can be selected elsewhere. Null when empty.
    HBITMAP Handle();
    // Takes ownership of a bitmap handle (a DIB section or a device-dependent bitmap).
    void SetHandle(HBITMAP bitmap);
    // Gives up the handle to the caller; the bitmap becomes empty.
    HBITMAP ReleaseHandle();

    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode mode);
    // tmAuto: the bottom-left pixel; tmFixed: the colour set.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);

    // Turns the bitmap into a 1-bit mask: white where the pixel is exactly `color`, black elsewhere.
    void Mask(TColor color);
    // The same mask as a new bitmap, this one unchanged.
    std::unique_ptr<TBitmap> CreateMask(TColor color) const;
    // The mask of the top-left width x height pixels only.
    std::unique_ptr<TBitmap> CreateMask(TColor color, int width, int height) const;

    using TGraphic::Assign;
    void Assign(TPersistent* source) override;
    void Assign(const TBitmap& source);
    void Clear();

    void Draw(TCanvas& canvas, const RECT& r) override;
    void LoadFromBytes(std::span<const std::uint8_t> data) override;
    std::vector<std::uint8_t> SaveToBytes() const override;
    std::unique_ptr<TGraphic> Clone() const override;
    // An RT_BITMAP resource of a module (null: the program).
    void LoadFromResourceName(HINSTANCE instance, const std::wstring& name);
    void LoadFromResourceId(HINSTANCE instance, int id);

    // Stored forms: Width, Height, PixelFormat, the transparency settings and Data (a 32-bit
    // little-endian byte count followed by the BMP file).
    static void Publish(TPublisher<TBitmap>& p);
    void ReadData(TStream& stream);
    void WriteData(TStream& stream);

private:
    class TBitmapCanvas;
    friend class TBitmapCanvas;

    // Creates a fresh DIB section (content zero) and makes it current.
    void Allocate(int width, int height, TPixelFormat format, std::vector<RGBQUAD> palette);
    void Adopt(const TDibImage& image);
    void LoadFromResource(HINSTANCE instance, const wchar_t* name);
    void ReleaseCanvasDc();
    void Flush() const;

    int FWidth = 0;
    int FHeight = 0;
    TPixelFormat FFormat = pf24bit;
    std::vector<RGBQUAD> FPalette;
    TBitmapHandle FHandle;
    std::uint8_t* FBits = nullptr;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
    std::unique_ptr<TBitmapCanvas> FCanvas;
};

// Draws the `w` x `h` block at (sx, sy) of `source` onto `dest` at (x, y), leaving the destination
// where `mask` (a 1-bit bitmap aligned with the source) is white.
void MaskedBlt(HDC dest, int x, int y, int w, int h, HDC source, int sx, int sy, HBITMAP mask);

} // namespace orvo
