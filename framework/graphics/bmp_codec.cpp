#include "framework/graphics/bmp_codec.h"

#include "framework/graphics/graphic.h"

#include <bit>
#include <cstring>

namespace orvo {

namespace {

constexpr std::uint32_t BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3;

[[noreturn]] void Invalid(const wchar_t* why) {
    throw EInvalidGraphic(std::wstring(L"Invalid bitmap: ") + why);
}

class TReader {
public:
    explicit TReader(std::span<const std::uint8_t> data) : FData(data) {}
    std::uint32_t U32(std::size_t at) const {
        return U16(at) | (static_cast<std::uint32_t>(U16(at + 2)) << 16);
    }
    std::uint16_t U16(std::size_t at) const {
        Need(at, 2);
        return static_cast<std::uint16_t>(FData[at] | (FData[at + 1] << 8));
    }
    void Need(std::size_t at, std::size_t count) const {
        if (at > FData.size() || count > FData.size() - at) Invalid(L"the data is truncated");
    }
    const std::uint8_t* At(std::size_t at) const { return FData.data() + at; }
    std::size_t Size() const { return FData.size(); }

private:
    std::span<const std::uint8_t> FData;
};

struct THeader {
    int Width = 0, Height = 0, Bits = 0;
    bool TopDown = false;
    std::uint32_t Compression = BiRgb;
    std::uint32_t ColoursUsed = 0;
    std::uint32_t Masks[3] = {};
    std::size_t PaletteAt = 0;
    int PaletteEntrySize = 4;
};

THeader ReadHeader(const TReader& in, std::size_t at) {
    THeader h;
    const std::uint32_t size = in.U32(at);
    if (size == 12) {
        h.Width = in.U16(at + 4);
        h.Height = in.U16(at + 6);
        if (in.U16(at + 8) != 1) Invalid(L"the plane count is not 1");
        h.Bits = in.U16(at + 10);
        h.PaletteEntrySize = 3;
        h.PaletteAt = at + 12;
        return h;
    }
    if (size < 40 || size > 1024) Invalid(L"unknown header");
    in.Need(at, size);
    h.Width = static_cast<std::int32_t>(in.U32(at + 4));
    const auto height = static_cast<std::int32_t>(in.U32(at + 8));
    if (height == INT32_MIN) Invalid(L"bad height");
    h.TopDown = height < 0;
    h.Height = height < 0 ? -height : height;
    if (in.U16(at + 12) != 1) Invalid(L"the plane count is not 1");
    h.Bits = in.U16(at + 14);
    h.Compression = in.U32(at + 16);
    h.ColoursUsed = in.U32(at + 32);
    h.PaletteAt = at + size;
    if (h.Compression == BiBitfields) {
        // Masks follow a plain info header, and sit inside the larger ones.
        for (int i = 0; i < 3; ++i)
            h.Masks[i] = in.U32(at + 40 + 4 * i);
        if (size == 40) h.PaletteAt += 12;
    }
    return h;
}

void CheckGeometry(const THeader& h) {
    if (h.Width <= 0 || h.Height <= 0) Invalid(L"the image has no pixels");
    if (h.Width > MaxImageSide || h.Height > MaxImageSide) Invalid(L"the image is too large");
    const bool rgbOk = h.Compression == BiRgb && (h.Bits == 1 || h.Bits == 4 || h.Bits == 8 || h.Bits == 16 ||
                                                  h.Bits == 24 || h.Bits == 32);
    const bool fieldsOk = h.Compression == BiBitfields && (h.Bits == 16 || h.Bits == 32);
    const bool rleOk = (h.Compression == BiRle8 && h.Bits == 8) || (h.Compression == BiRle4 && h.Bits == 4);
    if (!rgbOk && !fieldsOk && !rleOk) Invalid(L"unsupported pixel format or compression");
    if (h.TopDown && rleOk) Invalid(L"a compressed image cannot be top-down");
}

TPixelFormat FormatOf(const THeader& h, bool& generic) {
    generic = false;
    switch (h.Bits) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 24:
        return pf24bit;
    case 16:
        if (h.Compression == BiRgb) return pf15bit;
        if (h.Masks[0] == 0x7C00 && h.Masks[1] == 0x3E0 && h.Masks[2] == 0x1F) return pf15bit;
        if (h.Masks[0] == 0xF800 && h.Masks[1] == 0x7E0 && h.Masks[2] == 0x1F) return pf16bit;
        generic = true;
        return pf32bit;
    default:
        if (h.Compression == BiRgb || (h.Masks[0] == 0xFF0000 && h.Masks[1] == 0xFF00 && h.Masks[2] == 0xFF))
            return pf32bit;
        generic = true;
        return pf32bit;
    }
}

std::uint8_t MaskedChannel(std::uint32_t value, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const std::uint32_t field = (value & mask) >> shift;
    const std::uint32_t top = mask >> shift;
    return static_cast<std::uint8_t>((static_cast<std::uint64_t>(field) * 255 + top / 2) / top);
}

// Converts pixels with arbitrary bit fields into 32-bit BGR.
void ConvertBitfields(const THeader& h, const std::uint8_t* src, std::size_t srcStride, TDibImage& out,
                      std::size_t dstStride) {
    const int bytes = h.Bits / 8;
    for (int y = 0; y < h.Height; ++y) {
        const std::uint8_t* row = src + srcStride * y;
        std::uint8_t* dst = out.Bits.data() + dstStride * (h.TopDown ? h.Height - 1 - y : y);
        for (int x = 0; x < h.Width; ++x) {
            std::uint32_t v = row[bytes * x] | (row[bytes * x + 1] << 8);
            if (bytes == 4)
                v |= (static_cast<std::uint32_t>(row[4 * x + 2]) << 16) |
                     (static_cast<std::uint32_t>(row[4 * x + 3]) << 24);
            dst[4 * x] = MaskedChannel(v, h.Masks[2]);
            dst[4 * x + 1] = MaskedChannel(v, h.Masks[1]);
            dst[4 * x + 2] = MaskedChannel(v, h.Masks[0]);
            dst[4 * x + 3] = 0;
        }
    }
}

void PutIndex(TDibImage& image, std::size_t stride, int x, int y, unsigned index) {
    if (x < 0 || x >= image.Width || y < 0 || y >= image.Height) return;
    std::uint8_t* row = image.Bits.data() + stride * y;
    if (image.Format == pf8bit) {
        row[x] = static_cast<std::uint8_t>(index);
    } else {
        const int shift = (x & 1) ? 0 : 4;
        row[x >> 1] = static_cast<std::uint8_t>((row[x >> 1] & ~(0xF << shift)) | ((index & 0xF) << shift));
    }
}

// Run-length encoded 8- and 4-bit images; pixels the runs skip stay index 0.
void DecodeRle(const TReader& in, std::size_t at, TDibImage& image, std::size_t stride) {
    const bool four = image.Format == pf4bit;
    int x = 0, y = 0;
    std::size_t p = at;
    auto byte = [&]() -> unsigned {
        in.Need(p, 1);
        return *in.At(p++);
    };
    while (y < image.Height) {
        const unsigned count = byte();
        const unsigned value = byte();
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i, ++x)
                PutIndex(image, stride, x, y, four ? ((i & 1) ? value & 0xF : value >> 4) : value);
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            x += static_cast<int>(byte());
            y += static_cast<int>(byte());
        } else {
            const unsigned bytes = four ? (value + 1) / 2 : value;
            in.Need(p, bytes);
            for (unsigned i = 0; i < value; ++i, ++x) {
                const unsigned b = in.At(p)[four ? i / 2 : i];
                PutIndex(image, stride, x, y, four ? ((i & 1) ? b & 0xF : b >> 4) : b);
            }
            p += (bytes + 1) & ~1u; // absolute runs are padded to 16 bits
        }
        if (x > image.Width) x = image.Width; // pixels past the row end are dropped
    }
}

} // namespace

TDibImage DecodeBmp(std::span<const std::uint8_t> data, bool fileHeader) {
    const TReader in(data);
    std::size_t headerAt = 0;
    std::size_t bitsOffset = 0;
    if (fileHeader) {
        in.Need(0, 14);
        if (data[0] != 'B' || data[1] != 'M') Invalid(L"no BM signature");
        bitsOffset = in.U32(10);
        headerAt = 14;
    }
    const THeader h = ReadHeader(in, headerAt);
    CheckGeometry(h);

    TDibImage image;
    bool generic = false;
    image.Format = FormatOf(h, generic);
    image.Width = h.Width;
    image.Height = h.Height;
    const std::size_t stride = RowStride(h.Width, image.Format);
    if (stride == 0 || stride > MaxImageBytes / h.Height) Invalid(L"the image is too large");

    std::size_t paletteEnd = h.PaletteAt;
    if (h.Bits <= 8) {
        const std::uint32_t capacity = 1u << h.Bits;
        const std::uint32_t count = h.ColoursUsed == 0 ? capacity : h.ColoursUsed;
        if (count > capacity) Invalid(L"the palette is too large");
        in.Need(h.PaletteAt, static_cast<std::size_t>(count) * h.PaletteEntrySize);
        image.Palette.resize(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t* e = in.At(h.PaletteAt + i * h.PaletteEntrySize);
            image.Palette[i] = RGBQUAD{e[0], e[1], e[2], 0};
        }
        paletteEnd += static_cast<std::size_t>(count) * h.PaletteEntrySize;
    }
    // The file header's offset is trusted only when it points past the headers.
    const std::size_t bitsAt = (fileHeader && bitsOffset >= paletteEnd) ? bitsOffset : paletteEnd;

    if (h.Compression == BiRle8 || h.Compression == BiRle4) {
        image.Bits.assign(stride * h.Height, 0);
        DecodeRle(in, bitsAt, image, stride);
        return image;
    }
    const std::size_t srcBits = (static_cast<std::size_t>(h.Width) * h.Bits + 31) / 32 * 4;
    in.Need(bitsAt, srcBits * h.Height); // before allocating: the data must really be there
    image.Bits.assign(stride * h.Height, 0);
    if (generic) {
        ConvertBitfields(h, in.At(bitsAt), srcBits, image, stride);
        return image;
    }
    for (int y = 0; y < h.Height; ++y) {
        const int dstRow = h.TopDown ? h.Height - 1 - y : y;
        std::memcpy(image.Bits.data() + stride * dstRow, in.At(bitsAt + srcBits * y), stride);
    }
    return image;
}

std::vector<std::uint8_t> EncodeBmp(TPixelFormat format, int width, int height,
                                    std::span<const RGBQUAD> palette, const std::uint8_t* bits) {
    const std::size_t stride = RowStride(width, format);
    const std::size_t paletteBytes = IsIndexed(format) ? palette.size() * 4 : 0;
    const std::size_t masksBytes = format == pf16bit ? 12 : 0;
    const std::size_t offset = 14 + 40 + masksBytes + paletteBytes;
    const std::size_t total = offset + stride * height;
    std::vector<std::uint8_t> out(total, 0);
    auto put16 = [&](std::size_t at, unsigned v) {
        out[at] = static_cast<std::uint8_t>(v);
        out[at + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, static_cast<std::uint32_t>(total));
    put32(10, static_cast<std::uint32_t>(offset));
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    put16(26, 1);
    put16(28, static_cast<unsigned>(BitsPerPixel(format)));
    put32(30, format == pf16bit ? BiBitfields : BiRgb);
    put32(34, static_cast<std::uint32_t>(stride * height));
    put32(38, 2835); // 72 dpi
    put32(42, 2835);
    put32(46, static_cast<std::uint32_t>(IsIndexed(format) ? palette.size() : 0));
    std::size_t at = 54;
    if (format == pf16bit) {
        put32(at, 0xF800);
        put32(at + 4, 0x7E0);
        put32(at + 8, 0x1F);
        at += 12;
    }
    if (IsIndexed(format)) {
        for (const auto& q : palette) {
            out[at++] = q.rgbBlue;
            out[at++] = q.rgbGreen;
            out[at++] = q.rgbRed;
            out[at++] = 0;
        }
    }
    if (stride != 0 && height > 0) std::memcpy(out.data() + offset, bits, stride * height);
    return out;
}

std::vector<std::uint8_t> EncodeBmp(const TDibImage& image) {
    return EncodeBmp(image.Format, image.Width, image.Height, image.Palette, image.Bits.data());
}

} // namespace orvo
