#include "core/skinfile/bmp.h"

#include "core/skinfile/byte_order.h"
#include "core/skinfile/skinfile_error.h"

#include <bit>
#include <string>

namespace orvo {
namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t CoreHeaderSize = 12;

[[noreturn]] void Fail(const std::string& reason) {
    throw EBmpError("BMP: " + reason);
}

struct TChannel {
    std::uint32_t Mask = 0;
    unsigned Shift = 0;
    unsigned Bits = 0;

    static TChannel Of(std::uint32_t mask, int bitCount) {
        if (bitCount == 16 && (mask >> 16) != 0) Fail("bit-field mask exceeds 16 bits");
        if (mask == 0) return {};
        const unsigned shift = static_cast<unsigned>(std::countr_zero(mask));
        const std::uint32_t v = mask >> shift;
        if ((v & (v + 1)) != 0) Fail("bit-field mask is not contiguous");
        return {mask, shift, static_cast<unsigned>(std::popcount(mask))};
    }

    // The channel of `pixel` widened or narrowed to 8 bits.
    std::uint32_t Extract(std::uint32_t pixel) const {
        if (Bits == 0) return 0;
        const std::uint32_t v = (pixel & Mask) >> Shift;
        if (Bits >= 8) return v >> (Bits - 8);
        const std::uint32_t max = (1u << Bits) - 1;
        return (v * 255 + max / 2) / max;
    }
};

struct TLayout {
    TBmpInfo Info;
    std::size_t PaletteOffset = 0;
    unsigned PaletteCount = 0;
    unsigned PaletteEntrySize = 4;
    TChannel Red, Green, Blue;
    std::size_t DataOffset = 0;
    std::size_t Stride = 0;
};

void ReadMasks(std::span<const std::uint8_t> file, std::size_t at, TLayout& layout) {
    if (at + 12 > file.size()) Fail("bit-field masks are truncated");
    const int bits = layout.Info.BitCount;
    layout.Red = TChannel::Of(LoadLE32(&file[at]), bits);
    layout.Green = TChannel::Of(LoadLE32(&file[at + 4]), bits);
    layout.Blue = TChannel::Of(LoadLE32(&file[at + 8]), bits);
}

void SetDefaultMasks(TLayout& layout) {
    const bool five = layout.Info.BitCount == 16;
    layout.Red = TChannel::Of(five ? 0x7C00 : 0xFF0000, layout.Info.BitCount);
    layout.Green = TChannel::Of(five ? 0x03E0 : 0x00FF00, layout.Info.BitCount);
    layout.Blue = TChannel::Of(five ? 0x001F : 0x0000FF, layout.Info.BitCount);
}

// Width, height, bit count and compression, by header kind. Returns where the palette starts.
std::size_t ReadHeader(std::span<const std::uint8_t> file, TLayout& layout) {
    TBmpInfo& info = layout.Info;
    const std::uint8_t* h = file.data() + FileHeaderSize;
    if (info.HeaderSize == CoreHeaderSize) {
        info.Width = LoadLE16(h + 4);
        info.Height = LoadLE16(h + 6);
        info.BitCount = LoadLE16(h + 10);
        layout.PaletteEntrySize = 3;
        return FileHeaderSize + CoreHeaderSize;
    }
    switch (info.HeaderSize) {
    case 40:
    case 52:
    case 56:
    case 108:
    case 124:
        break;
    default:
        Fail("header of " + std::to_string(info.HeaderSize) + " bytes is not a kind we read");
    }
    if (FileHeaderSize + info.HeaderSize > file.size()) Fail("header is truncated");
    info.Width = static_cast<std::int32_t>(LoadLE32(h + 4));
    const auto height = static_cast<std::int32_t>(LoadLE32(h + 8));
    info.BitCount = LoadLE16(h + 14);
    info.Compression = LoadLE32(h + 16);
    layout.PaletteCount = LoadLE32(h + 32);
    if (height < 0 && height != INT32_MIN) {
        info.TopDown = true;
        info.Height = -height;
    } else {
        info.Height = height;
    }
    std::size_t paletteAt = FileHeaderSize + info.HeaderSize;
    // A plain 40-byte header is followed by the masks; larger headers hold them.
    if (info.HeaderSize == 40 && (info.Compression == BmpBitFields || info.Compression == BmpAlphaBitFields))
        paletteAt += info.Compression == BmpBitFields ? 12 : 16;
    return paletteAt;
}

void CheckFormat(std::span<const std::uint8_t> file, TLayout& layout) {
    const TBmpInfo& info = layout.Info;
    if (info.Width < 1 || info.Width > MaxBmpSide || info.Height < 1 || info.Height > MaxBmpSide)
        Fail("size " + std::to_string(info.Width) + " x " + std::to_string(info.Height) +
             " is out of range (1 to " + std::to_string(MaxBmpSide) + " per side)");
    if (static_cast<std::uint64_t>(info.Width) * static_cast<std::uint64_t>(info.Height) > MaxBmpPixels)
        Fail("image of " + std::to_string(info.Width) + " x " + std::to_string(info.Height) +
             " pixels is too large");
    const int bits = info.BitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        Fail(std::to_string(bits) + " bits per pixel are not a format we read");
    const bool masked = info.Compression == BmpBitFields || info.Compression == BmpAlphaBitFields;
    if (info.Compression != BmpRgb && !(masked && (bits == 16 || bits == 32)))
        Fail("compression " + std::to_string(info.Compression) + " with " + std::to_string(bits) +
             " bits per pixel is not a format we read");
    if (bits <= 8) return;
    layout.PaletteCount = 0;
    if (!masked)
        SetDefaultMasks(layout);
    else
        ReadMasks(file, FileHeaderSize + 40, layout);
}

void CheckPalette(std::span<const std::uint8_t> file, TLayout& layout) {
    if (layout.Info.BitCount > 8) return;
    const unsigned most = 1u << layout.Info.BitCount;
    if (layout.PaletteCount == 0 || layout.PaletteCount > most) layout.PaletteCount = most;
    const std::uint64_t end =
        layout.PaletteOffset + static_cast<std::uint64_t>(layout.PaletteCount) * layout.PaletteEntrySize;
    if (end > file.size())
        Fail("palette of " + std::to_string(layout.PaletteCount) + " colours is truncated");
}

void CheckPixelData(std::span<const std::uint8_t> file, TLayout& layout) {
    const TBmpInfo& info = layout.Info;
    layout.DataOffset = LoadLE32(&file[10]);
    layout.Stride = (static_cast<std::size_t>(info.Width) * info.BitCount + 31) / 32 * 4;
    if (layout.DataOffset < FileHeaderSize + info.HeaderSize)
        Fail("pixel data offset " + std::to_string(layout.DataOffset) + " lies inside the headers");
    const std::uint64_t need =
        static_cast<std::uint64_t>(layout.Stride) * static_cast<std::uint64_t>(info.Height);
    if (layout.DataOffset > file.size() || need > file.size() - layout.DataOffset)
        Fail("pixel data is truncated: " + std::to_string(need) + " bytes from offset " +
             std::to_string(layout.DataOffset) + ", but the file has " + std::to_string(file.size()) +
             " bytes");
}

TLayout ReadLayout(std::span<const std::uint8_t> file) {
    if (file.size() < FileHeaderSize + CoreHeaderSize)
        Fail("file of " + std::to_string(file.size()) + " bytes is too short");
    if (file[0] != 'B' || file[1] != 'M') Fail("the file does not start with 'BM'");
    TLayout layout;
    layout.Info.HeaderSize = LoadLE32(&file[FileHeaderSize]);
    layout.PaletteOffset = ReadHeader(file, layout);
    CheckFormat(file, layout);
    CheckPalette(file, layout);
    CheckPixelData(file, layout);
    return layout;
}

std::vector<std::uint32_t> ReadPalette(std::span<const std::uint8_t> file, const TLayout& layout) {
    // Indices beyond the palette read as black, as they do on screen.
    std::vector<std::uint32_t> palette(1u << layout.Info.BitCount, 0);
    for (unsigned i = 0; i < layout.PaletteCount; ++i) {
        const std::uint8_t* p =
            &file[layout.PaletteOffset + static_cast<std::size_t>(i) * layout.PaletteEntrySize];
        palette[i] = p[0] | (p[1] << 8) | (static_cast<std::uint32_t>(p[2]) << 16);
    }
    return palette;
}

void DecodeIndexedRow(const std::uint8_t* src, std::uint32_t* dst, int width, int bits,
                      const std::vector<std::uint32_t>& palette) {
    const unsigned perByte = 8 / static_cast<unsigned>(bits);
    const unsigned mask = (1u << bits) - 1;
    for (int x = 0; x < width; ++x) {
        const unsigned slot = static_cast<unsigned>(x) % perByte;
        const unsigned shift = 8 - static_cast<unsigned>(bits) * (slot + 1);
        dst[x] = palette[(src[static_cast<unsigned>(x) / perByte] >> shift) & mask];
    }
}

void DecodeMaskedRow(const std::uint8_t* src, std::uint32_t* dst, int width, int bits,
                     const TLayout& layout) {
    for (int x = 0; x < width; ++x) {
        const std::uint32_t v = bits == 16 ? LoadLE16(src + 2 * x) : LoadLE32(src + 4 * x);
        dst[x] = (layout.Red.Extract(v) << 16) | (layout.Green.Extract(v) << 8) | layout.Blue.Extract(v);
    }
}

void DecodeRow(const std::uint8_t* src, std::uint32_t* dst, const TLayout& layout,
               const std::vector<std::uint32_t>& palette) {
    const int width = layout.Info.Width;
    const int bits = layout.Info.BitCount;
    if (bits <= 8) return DecodeIndexedRow(src, dst, width, bits, palette);
    if (bits == 24) {
        for (int x = 0; x < width; ++x, src += 3)
            dst[x] = src[0] | (src[1] << 8) | (static_cast<std::uint32_t>(src[2]) << 16);
        return;
    }
    if (bits == 32 && layout.Info.Compression == BmpRgb) {
        for (int x = 0; x < width; ++x)
            dst[x] = LoadLE32(src + 4 * x) & 0xFFFFFF;
        return;
    }
    DecodeMaskedRow(src, dst, width, bits, layout);
}

} // namespace

TBmpInfo ReadBmpInfo(std::span<const std::uint8_t> file) {
    return ReadLayout(file).Info;
}

TImage32 ReadBmp(std::span<const std::uint8_t> file) {
    const TLayout layout = ReadLayout(file);
    const TBmpInfo& info = layout.Info;
    const std::vector<std::uint32_t> palette =
        info.BitCount <= 8 ? ReadPalette(file, layout) : std::vector<std::uint32_t>();
    TImage32 image(info.Width, info.Height);
    for (int row = 0; row < info.Height; ++row) {
        const int y = info.TopDown ? row : info.Height - 1 - row;
        const std::uint8_t* src = &file[layout.DataOffset + static_cast<std::size_t>(row) * layout.Stride];
        DecodeRow(src, &image.At(0, y), layout, palette);
    }
    return image;
}

} // namespace orvo
