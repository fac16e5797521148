#include "framework/graphics/bitmap.h"

#include "framework/graphics/bmp_codec.h"
#include "framework/graphics/graphics_types.h"
#include "framework/base/properties.h"
#include "framework/base/streams.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace orvo {

namespace {

TColor ColorOfRgb(std::uint32_t rgb) {
    return static_cast<TColor>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

std::uint32_t RgbOfColor(TColor color) {
    const auto c = static_cast<std::uint32_t>(ColorToRGB(color));
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

struct TBitmapInfo {
    BITMAPINFOHEADER Header;
    RGBQUAD Colours[256];
};

TBitmapInfo InfoFor(int width, int height, TPixelFormat format) {
    TBitmapInfo info{};
    info.Header.biSize = sizeof(BITMAPINFOHEADER);
    info.Header.biWidth = width;
    info.Header.biHeight = height;
    info.Header.biPlanes = 1;
    info.Header.biBitCount = static_cast<WORD>(BitsPerPixel(format));
    info.Header.biCompression = format == pf16bit ? BI_BITFIELDS : BI_RGB;
    return info;
}

} // namespace

class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& bitmap) : FBitmap(bitmap) {
        OnChange = [this](TObject*) { FBitmap.Changed(); };
    }
    ~TBitmapCanvas() override { FreeDc(); }

    void FreeDc() {
        if (!FDc) return;
        SetHandle(nullptr); // deselects font, brush and pen
        if (FOldBitmap) SelectObject(FDc.Get(), FOldBitmap);
        FOldBitmap = nullptr;
        FDc.Reset();
    }

protected:
    void CreateHandle() override {
        FDc = CreateMemoryDc();
        if (!FDc) throw EOutOfResources(L"Out of system resources");
        if (FBitmap.FHandle) FOldBitmap = SelectObject(FDc.Get(), FBitmap.FHandle.Get());
        SetHandle(FDc.Get());
    }

private:
    TBitmap& FBitmap;
    TMemoryDc FDc;
    HGDIOBJ FOldBitmap = nullptr;
};

ORVO_IMPLEMENT_CLASS(TBitmap);

void TBitmap::Publish(TPublisher<TBitmap>& p) {
    p.Binary(L"Data", &TBitmap::ReadData, &TBitmap::WriteData);
    p.Integer(L"Width", &TBitmap::Width, &TBitmap::SetWidth);
    p.Integer(L"Height", &TBitmap::Height, &TBitmap::SetHeight);
    p.Enum(L"PixelFormat", PixelFormatType(), &TBitmap::PixelFormat, &TBitmap::SetPixelFormat);
    p.Boolean(L"Transparent", &TBitmap::Transparent, &TBitmap::SetTransparent);
    p.Integer(L"TransparentColor", ColorType(), &TBitmap::TransparentColor, &TBitmap::SetTransparentColor);
    p.Enum(L"TransparentMode", TransparentModeType(), &TBitmap::TransparentMode,
           &TBitmap::SetTransparentMode);
}

void TBitmap::ReadData(TStream& stream) {
    std::uint8_t size[4];
    stream.ReadBuffer(size, 4);
    const std::uint32_t count =
        size[0] | (size[1] << 8) | (size[2] << 16) | (static_cast<std::uint32_t>(size[3]) << 24);
    if (count > stream.Size() - stream.Position())
        throw EInvalidGraphic(L"Invalid bitmap: the data is truncated");
    std::vector<std::uint8_t> data(count);
    stream.ReadBuffer(data.data(), count);
    LoadFromBytes(data);
}

void TBitmap::WriteData(TStream& stream) {
    const auto data = SaveToBytes();
    const auto count = static_cast<std::uint32_t>(data.size());
    const std::uint8_t size[4] = {static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(count >> 8),
                                  static_cast<std::uint8_t>(count >> 16),
                                  static_cast<std::uint8_t>(count >> 24)};
    stream.WriteBuffer(size, 4);
    stream.WriteBuffer(data.data(), count);
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) {
    FFormat = format;
    if (IsIndexed(format)) FPalette = StandardPalette(format);
    SetSize(width, height);
}

TBitmap::~TBitmap() {
    ReleaseCanvasDc();
}

void TBitmap::ReleaseCanvasDc() {
    if (FCanvas) FCanvas->FreeDc();
}

void TBitmap::Flush() const {
    GdiFlush();
}

void TBitmap::Allocate(int width, int height, TPixelFormat format, std::vector<RGBQUAD> palette) {
    if (width < 0 || height < 0 || width > MaxImageSide || height > MaxImageSide)
        throw EInvalidGraphic(L"Invalid bitmap size");
    ReleaseCanvasDc();
    if (IsIndexed(format) && palette.empty()) palette = StandardPalette(format);
    TBitmapHandle handle;
    std::uint8_t* bits = nullptr;
    if (width > 0 && height > 0) {
        TBitmapInfo info = InfoFor(width, height, format);
        if (format == pf16bit) {
            const DWORD masks[3] = {0xF800, 0x7E0, 0x1F};
            std::memcpy(info.Colours, masks, sizeof masks);
        } else if (IsIndexed(format)) {
            info.Header.biClrUsed = static_cast<DWORD>(palette.size());
            std::memcpy(info.Colours, palette.data(), palette.size() * sizeof(RGBQUAD));
        }
        void* raw = nullptr;
        handle.Reset(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &raw,
                                      nullptr, 0));
        if (!handle || !raw) throw EOutOfResources(L"Out of system resources");
        bits = static_cast<std::uint8_t*>(raw);
    }
    FHandle = std::move(handle);
    FBits = bits;
    FWidth = width;
    FHeight = height;
    FFormat = format;
    FPalette = IsIndexed(format) ? std::move(palette) : std::vector<RGBQUAD>{};
}

void TBitmap::SetSize(int width, int height) {
    if (width == FWidth && height == FHeight) return;
    const TBitmapHandle oldHandle(FHandle.Release()); // keeps the old pixels alive for the copy
    ReleaseCanvasDc();
    const std::uint8_t* oldBits = FBits;
    const int oldWidth = FWidth, oldHeight = FHeight;
    const std::size_t oldStride = Stride();
    Flush();
    Allocate(width, height, FFormat, FPalette);
    if (!FBits) {
        Changed();
        return;
    }
    // A fresh bitmap keeps the zero bits it was created with (black, or palette entry 0); a
    // grown one gets white around its old rows (indices copied unchanged).
    if (!oldBits) {
        Changed();
        return;
    }
    std::vector<std::uint32_t> white(width, 0xFFFFFF);
    TPaletteMatcher matcher(FPalette);
    WriteRow(FFormat, white.data(), width, &matcher, FBits);
    for (int y = 1; y < height; ++y)
        std::memcpy(FBits + Stride() * y, FBits, Stride());
    const int rows = std::min(oldHeight, height), cols = std::min(oldWidth, width);
    for (int y = 0; y < rows; ++y)
        CopyRowPixels(FFormat, oldBits + oldStride * (oldHeight - 1 - y), ScanLine(y), cols);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == FFormat) return;
    std::vector<RGBQUAD> palette;
    if (IsIndexed(format)) {
        const std::size_t capacity = std::size_t{1} << BitsPerPixel(format);
        palette = IsIndexed(FFormat) && FPalette.size() <= capacity ? FPalette : StandardPalette(format);
    }
    if (Empty()) {
        FFormat = format;
        FPalette = std::move(palette);
        return;
    }
    const TBitmapHandle oldHandle(FHandle.Release());
    ReleaseCanvasDc();
    Flush();
    const std::uint8_t* oldBits = FBits;
    const TPixelFormat oldFormat = FFormat;
    const std::size_t oldStride = Stride();
    const std::vector<RGBQUAD> oldPalette = FPalette;
    Allocate(FWidth, FHeight, format, std::move(palette));
    std::vector<std::uint32_t> row(FWidth);
    TPaletteMatcher matcher(FPalette);
    for (int y = 0; y < FHeight; ++y) {
        ReadRow(oldFormat, oldBits + oldStride * y, FWidth, oldPalette, row.data());
        WriteRow(format, row.data(), FWidth, &matcher, FBits + Stride() * y);
    }
    Changed();
}

void TBitmap::SetPalette(std::span<const RGBQUAD> palette) {
    if (!IsIndexed(FFormat)) return;
    const std::size_t capacity = std::size_t{1} << BitsPerPixel(FFormat);
    if (palette.empty() || palette.size() > capacity) throw EInvalidGraphic(L"Invalid palette size");
    FPalette.assign(palette.begin(), palette.end());
    if (FHandle) {
        // The DC is needed to reach a DIB section's colour table.
        HDC dc = Canvas().Handle();
        SetDIBColorTable(dc, 0, static_cast<UINT>(FPalette.size()), FPalette.data());
    }
    Changed();
}

std::uint8_t* TBitmap::ScanLine(int y) {
    if (!FBits || y < 0 || y >= FHeight) throw EInvalidGraphic(L"Scan line index out of range");
    Flush();
    return FBits + Stride() * (FHeight - 1 - y);
}

const std::uint8_t* TBitmap::ScanLine(int y) const {
    return const_cast<TBitmap*>(this)->ScanLine(y);
}

TColor TBitmap::PixelColor(int x, int y) const {
    if (!FBits || x < 0 || y < 0 || x >= FWidth || y >= FHeight) return clNone;
    std::vector<std::uint32_t> row(x + 1);
    ReadRow(FFormat, ScanLine(y), x + 1, FPalette, row.data());
    return ColorOfRgb(row[x]);
}

TCanvas& TBitmap::Canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TBitmapCanvas>(*this);
    return *FCanvas;
}

HBITMAP TBitmap::Handle() {
    ReleaseCanvasDc();
    return FHandle.Get();
}

void TBitmap::SetHandle(HBITMAP bitmap) {
    if (bitmap && bitmap == FHandle.Get()) return; // already ours
    TBitmapHandle taken(bitmap);
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) {
        Clear();
        return;
    }
    const int bits = info.bmBitsPixel * info.bmPlanes;
    const TPixelFormat format = bits == 1    ? pf1bit
                                : bits <= 4  ? pf4bit
                                : bits <= 8  ? pf8bit
                                : bits <= 24 ? pf24bit
                                             : pf32bit;
    std::vector<RGBQUAD> palette;
    if (IsIndexed(format)) palette.resize(std::size_t{1} << BitsPerPixel(format));
    Allocate(info.bmWidth, std::abs(info.bmHeight), format, palette);
    if (!FBits) return;
    TBitmapInfo request = InfoFor(FWidth, FHeight, format);
    TWindowDc screen;
    GetDIBits(screen.Get(), taken.Get(), 0, FHeight, FBits, reinterpret_cast<BITMAPINFO*>(&request),
              DIB_RGB_COLORS);
    if (IsIndexed(format)) {
        const std::size_t count = request.Header.biClrUsed ? request.Header.biClrUsed : FPalette.size();
        SetPalette(std::span<const RGBQUAD>(request.Colours, std::min(count, FPalette.size())));
    }
    Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
    ReleaseCanvasDc();
    FBits = nullptr;
    FWidth = FHeight = 0;
    return FHandle.Release();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == FTransparentMode) return;
    if (mode == tmFixed)
        FTransparentColor = TransparentColor();
    else
        FTransparentColor = clDefault;
    FTransparentMode = mode;
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentMode == tmFixed) return FTransparentColor;
    return Empty() ? clDefault : PixelColor(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
    FTransparentColor = color;
    FTransparentMode = color == clDefault ? tmAuto : tmFixed;
    Changed();
}

std::unique_ptr<TBitmap> TBitmap::CreateMask(TColor color) const {
    return CreateMask(color, FWidth, FHeight);
}

std::unique_ptr<TBitmap> TBitmap::CreateMask(TColor color, int width, int height) const {
    width = std::clamp(width, 0, FWidth);
    height = std::clamp(height, 0, FHeight);
    auto mask = std::make_unique<TBitmap>();
    mask->Allocate(width, height, pf1bit, StandardPalette(pf1bit));
    if (!FBits || !mask->FBits) return mask;
    Flush();
    const std::uint32_t key = RgbOfColor(color);
    const auto kb = static_cast<std::uint8_t>(key), kg = static_cast<std::uint8_t>(key >> 8),
               kr = static_cast<std::uint8_t>(key >> 16);
    std::vector<std::uint32_t> row(FFormat == pf24bit ? 0 : width);
    for (int y = 0; y < height; ++y) {
        // Rows are bottom-up in both bitmaps; the region kept is the top-left one.
        const std::uint8_t* in = FBits + Stride() * (FHeight - 1 - y);
        std::uint8_t* out = mask->FBits + mask->Stride() * (height - 1 - y);
        if (FFormat == pf24bit) { // the skin's format: compared byte by byte
            for (int x = 0; x < width; ++x, in += 3)
                if (in[0] == kb && in[1] == kg && in[2] == kr)
                    out[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
            continue;
        }
        ReadRow(FFormat, in, width, FPalette, row.data());
        for (int x = 0; x < width; ++x)
            if (row[x] == key) out[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
    }
    return mask;
}

void TBitmap::Mask(TColor color) {
    auto mask = CreateMask(color);
    ReleaseCanvasDc();
    mask->ReleaseCanvasDc();
    FHandle = std::move(mask->FHandle);
    FBits = std::exchange(mask->FBits, nullptr);
    FFormat = pf1bit;
    FPalette = mask->FPalette;
    Changed();
}

void TBitmap::Assign(TPersistent* source) {
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) return Assign(*bitmap);
    TGraphic::Assign(source);
}

void TBitmap::Assign(const TBitmap& source) {
    if (&source == this) return;
    Allocate(source.FWidth, source.FHeight, source.FFormat, source.FPalette);
    if (FBits) {
        source.Flush();
        std::memcpy(FBits, source.FBits, Stride() * FHeight);
    }
    FTransparentMode = source.FTransparentMode;
    FTransparentColor = source.FTransparentColor;
    SetTransparent(source.Transparent());
    Changed();
}

void TBitmap::Clear() {
    Allocate(0, 0, FFormat, FPalette);
    Changed();
}

void TBitmap::Draw(TCanvas& canvas, const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (Empty() || w <= 0 || h <= 0) return;
    HDC dest = canvas.Handle();
    if (!Transparent()) {
        HDC source = Canvas().Handle();
        const int mode = SetStretchBltMode(dest, COLORONCOLOR);
        StretchBlt(dest, r.left, r.top, w, h, source, 0, 0, FWidth, FHeight, canvas.CopyMode());
        SetStretchBltMode(dest, mode);
        return;
    }
    const TColor key = TransparentColor();
    if (w == FWidth && h == FHeight) {
        auto mask = CreateMask(key);
        MaskedBlt(dest, r.left, r.top, w, h, Canvas().Handle(), 0, 0, mask->Handle());
        return;
    }
    // Stretched first (nearest pixel, so the key colour survives exactly), then masked.
    TBitmap stretched(w, h, pf32bit);
    {
        HDC target = stretched.Canvas().Handle();
        SetStretchBltMode(target, COLORONCOLOR);
        StretchBlt(target, 0, 0, w, h, Canvas().Handle(), 0, 0, FWidth, FHeight, SRCCOPY);
    }
    auto mask = stretched.CreateMask(key);
    MaskedBlt(dest, r.left, r.top, w, h, stretched.Canvas().Handle(), 0, 0, mask->Handle());
}

void TBitmap::Adopt(const TDibImage& image) {
    Allocate(image.Width, image.Height, image.Format, image.Palette);
    if (FBits) std::memcpy(FBits, image.Bits.data(), std::min(image.Bits.size(), Stride() * FHeight));
    Changed();
}

void TBitmap::LoadFromBytes(std::span<const std::uint8_t> data) {
    Adopt(DecodeBmp(data, true));
}

std::vector<std::uint8_t> TBitmap::SaveToBytes() const {
    Flush();
    return EncodeBmp(FFormat, FWidth, FHeight, FPalette, FBits);
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(*this);
    return copy;
}

void TBitmap::LoadFromResource(HINSTANCE instance, const wchar_t* name) {
    if (!instance) instance = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(instance, name, MAKEINTRESOURCEW(2)); // RT_BITMAP
    HGLOBAL data = info ? LoadResource(instance, info) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) throw EResNotFound(L"Resource not found");
    Adopt(
        DecodeBmp(std::span(static_cast<const std::uint8_t*>(bytes), SizeofResource(instance, info)), false));
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const std::wstring& name) {
    try {
        LoadFromResource(instance, name.c_str());
    } catch (const EResNotFound&) {
        throw EResNotFound(L"Resource " + name + L" not found");
    }
}

void TBitmap::LoadFromResourceId(HINSTANCE instance, int id) {
    LoadFromResource(instance, MAKEINTRESOURCEW(id));
}

void MaskedBlt(HDC dest, int x, int y, int w, int h, HDC source, int sx, int sy, HBITMAP mask) {
    // Foreground (mask bit 1): keep the destination; background (0): copy the source.
    MaskBlt(dest, x, y, w, h, source, sx, sy, mask, sx, sy, MAKEROP4(0x00AA0029, SRCCOPY));
}

} // namespace orvo
