#include "framework/graphics/gif_image.h"

#include "framework/graphics/bmp_codec.h"
#include "framework/base/properties.h"

#include <wincodec.h>

#include <algorithm>
#include <cstring>

namespace orvo {

namespace {

constexpr std::uint64_t MaxGifPixels = 1u << 24;

// Owns one COM interface pointer.
template <typename T> class TComPtr {
public:
    TComPtr() = default;
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;
    ~TComPtr() {
        if (FPtr) FPtr->Release();
    }
    T* operator->() const { return FPtr; }
    T* Get() const { return FPtr; }
    T** Out() { return &FPtr; }

private:
    T* FPtr = nullptr;
};

// COM for the current thread while decoding, when the caller has not set it up already.
class TComScope {
public:
    TComScope() : FResult(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    TComScope(const TComScope&) = delete;
    TComScope& operator=(const TComScope&) = delete;
    ~TComScope() {
        if (SUCCEEDED(FResult)) CoUninitialize();
    }

private:
    HRESULT FResult;
};

void Check(HRESULT result, const wchar_t* step) {
    if (FAILED(result)) throw EInvalidGraphic(std::wstring(L"Invalid GIF image: ") + step);
}

int Le16(std::span<const std::uint8_t> d, std::size_t at) {
    return d[at] | (d[at + 1] << 8);
}

// The frame's offset inside the logical screen, from its image descriptor (0 when unknown).
POINT FrameOffset(IWICBitmapFrameDecode* frame) {
    POINT offset{};
    TComPtr<IWICMetadataQueryReader> reader;
    if (FAILED(frame->GetMetadataQueryReader(reader.Out()))) return offset;
    const auto read = [&](const wchar_t* name) -> LONG {
        PROPVARIANT value;
        PropVariantInit(&value);
        LONG result = 0;
        if (SUCCEEDED(reader->GetMetadataByName(name, &value)) && value.vt == VT_UI2) result = value.uiVal;
        PropVariantClear(&value);
        return result;
    };
    offset.x = read(L"/imgdesc/Left");
    offset.y = read(L"/imgdesc/Top");
    return offset;
}

} // namespace

ORVO_IMPLEMENT_CLASS(TGIFImage);

TGIFImage::TGIFImage() = default;
TGIFImage::~TGIFImage() = default;

bool TGIFImage::HasSignature(std::span<const std::uint8_t> data) {
    return data.size() >= 6 &&
           (std::memcmp(data.data(), "GIF87a", 6) == 0 || std::memcmp(data.data(), "GIF89a", 6) == 0);
}

void TGIFImage::LoadFromBytes(std::span<const std::uint8_t> data) {
    if (!HasSignature(data) || data.size() < 13)
        throw EInvalidGraphic(L"Invalid GIF image: no GIF signature");
    if (data.size() > 0xFFFFFFFFu) throw EInvalidGraphic(L"Invalid GIF image: too large");
    const int screenW = Le16(data, 6), screenH = Le16(data, 8);

    TComScope com;
    TComPtr<IWICImagingFactory> factory;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                           reinterpret_cast<void**>(factory.Out())),
          L"the imaging component is not available");
    TComPtr<IWICStream> stream;
    Check(factory->CreateStream(stream.Out()), L"no stream");
    Check(stream->InitializeFromMemory(const_cast<BYTE*>(data.data()), static_cast<DWORD>(data.size())),
          L"no stream");
    TComPtr<IWICBitmapDecoder> decoder;
    Check(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                           decoder.Out()),
          L"the data cannot be decoded");
    TComPtr<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(0, frame.Out()), L"there is no frame");
    TComPtr<IWICFormatConverter> converter;
    Check(factory->CreateFormatConverter(converter.Out()), L"no converter");
    Check(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr,
                                0.0, WICBitmapPaletteTypeCustom),
          L"the pixels cannot be converted");
    UINT fw = 0, fh = 0;
    Check(converter->GetSize(&fw, &fh), L"no size");
    if (fw == 0 || fh == 0 || static_cast<std::uint64_t>(fw) * fh > MaxGifPixels)
        throw EInvalidGraphic(L"Invalid GIF image: bad size");
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(fw) * fh * 4);
    Check(converter->CopyPixels(nullptr, fw * 4, static_cast<UINT>(pixels.size()), pixels.data()),
          L"the pixels cannot be read");

    // The frame sits on a logical screen that may be larger; the rest of the screen is transparent.
    const POINT at = FrameOffset(frame.Get());
    const int w = std::max<int>(screenW, at.x + static_cast<int>(fw));
    const int h = std::max<int>(screenH, at.y + static_cast<int>(fh));
    if (w > MaxImageSide || h > MaxImageSide) throw EInvalidGraphic(L"Invalid GIF image: bad size");
    TBitmap bitmap(w, h, pf32bit);
    TBitmap mask(w, h, pf1bit);
    bool anyTransparent = false;
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        std::uint8_t* bits = mask.ScanLine(y);
        std::memset(bits, 0xFF, mask.Stride()); // transparent until a pixel says otherwise
        for (int x = 0; x < w; ++x) {
            const int fx = x - at.x, fy = y - at.y;
            const bool inside = fx >= 0 && fy >= 0 && fx < static_cast<int>(fw) && fy < static_cast<int>(fh);
            const std::uint8_t* p = inside ? &pixels[(static_cast<std::size_t>(fy) * fw + fx) * 4] : nullptr;
            if (p && p[3] >= 128) {
                std::memcpy(row + 4 * x, p, 3);
                bits[x >> 3] &= static_cast<std::uint8_t>(~(0x80 >> (x & 7)));
            } else {
                anyTransparent = true;
            }
        }
    }
    FBitmap.Assign(bitmap);
    FMask.Assign(mask);
    FData.assign(data.begin(), data.end());
    SetTransparent(anyTransparent);
    Changed();
}

void TGIFImage::Draw(TCanvas& canvas, const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (Empty() || w <= 0 || h <= 0) return;
    HDC dest = canvas.Handle();
    if (w == Width() && h == Height()) {
        if (Transparent())
            MaskedBlt(dest, r.left, r.top, w, h, FBitmap.Canvas().Handle(), 0, 0, FMask.Handle());
        else
            BitBlt(dest, r.left, r.top, w, h, FBitmap.Canvas().Handle(), 0, 0, SRCCOPY);
        return;
    }
    // Stretched: picture and mask scaled alike (nearest pixel), then masked.
    TBitmap picture(w, h, pf32bit), mask(w, h, pf1bit);
    for (auto [target, source] : {std::pair{&picture, &FBitmap}, std::pair{&mask, &FMask}}) {
        HDC dc = target->Canvas().Handle();
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, w, h, source->Canvas().Handle(), 0, 0, Width(), Height(), SRCCOPY);
    }
    if (Transparent())
        MaskedBlt(dest, r.left, r.top, w, h, picture.Canvas().Handle(), 0, 0, mask.Handle());
    else
        BitBlt(dest, r.left, r.top, w, h, picture.Canvas().Handle(), 0, 0, SRCCOPY);
}

std::unique_ptr<TGraphic> TGIFImage::Clone() const {
    auto copy = std::make_unique<TGIFImage>();
    copy->Assign(const_cast<TGIFImage*>(this));
    return copy;
}

void TGIFImage::Assign(TPersistent* source) {
    auto* gif = dynamic_cast<TGIFImage*>(source);
    if (!gif) return TGraphic::Assign(source);
    if (gif == this) return;
    FBitmap.Assign(gif->FBitmap);
    FMask.Assign(gif->FMask);
    FData = gif->FData;
    SetTransparent(gif->Transparent());
    Changed();
}

} // namespace orvo
