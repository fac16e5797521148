#pragma once
// The copy loop, written once for any block width and code unit. Include it only into a .cpp
// file, inside an anonymous namespace. A block type provides:
//   using TCodes = ...;                                  // the code unit and its LF, CR, SUB
//   static constexpr std::size_t Width;                  // bytes per step, a multiple of the unit
//   static Mask CopyAndFind(const char* in, char* out);  // stores Width bytes, flags LF/CR/SUB units
//   static Mask KeepFirst(Mask mask, std::size_t bytes); // drops flags of units at `bytes` and later
//   static std::size_t FirstIndex(Mask mask);            // byte offset of the lowest flagged unit
// Its instances are compiled per instruction set, so it uses nothing from the standard library.

// A code unit of the source as a load from memory gives it, and the values of LF, CR and SUB
// (U+001A) as such a load sees them: byte-swapped when the source's byte order is not this
// machine's.
template <class TUnit, bool Swapped> struct TUnitCodes {
    using Unit = TUnit;
    static constexpr TUnit Swap(TUnit value) {
        if constexpr (sizeof(TUnit) == 2) return static_cast<TUnit>(__builtin_bswap16(value));
        else if constexpr (sizeof(TUnit) == 4) return static_cast<TUnit>(__builtin_bswap32(value));
        else return value;
    }
    static constexpr TUnit Code(TUnit value) { return Swapped ? Swap(value) : value; }
    static constexpr TUnit Lf = Code(0x0A);
    static constexpr TUnit Cr = Code(0x0D);
    static constexpr TUnit Sub = Code(0x1A);
};

constexpr bool HostIsBigEndian = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__;
using TByteCodes = TUnitCodes<unsigned char, false>;
using TUtf16LeCodes = TUnitCodes<unsigned short, HostIsBigEndian>;
using TUtf16BeCodes = TUnitCodes<unsigned short, !HostIsBigEndian>;
using TUtf32LeCodes = TUnitCodes<unsigned int, HostIsBigEndian>;
using TUtf32BeCodes = TUnitCodes<unsigned int, !HostIsBigEndian>;

template <class TUnit> TUnit LoadUnit(const char* at) {
    TUnit unit;
    __builtin_memcpy(&unit, at, sizeof unit);
    return unit;
}

template <class TUnit> void StoreUnit(char* at, TUnit unit) {
    __builtin_memcpy(at, &unit, sizeof unit);
}

// KeepFirst and FirstIndex for blocks of 64 bytes with one flag bit per byte.
struct TMask64 {
    static unsigned long long KeepFirst(unsigned long long mask, std::size_t bytes) {
        return mask & ((1ull << bytes) - 1);
    }
    static std::size_t FirstIndex(unsigned long long mask) {
        return static_cast<std::size_t>(__builtin_ctzll(mask));
    }
};

template <class TBlock> orvo::TCopyStop CopyLineText(orvo::TLineCopy& copy) {
    using TUnit = typename TBlock::TCodes::Unit;
    using TCodes = typename TBlock::TCodes;
    constexpr std::size_t Unit = sizeof(TUnit);
    const char* in = copy.In;
    char* out = copy.Out;
    orvo::TCopyStop stop = orvo::TCopyStop::NeedInput;
    while (in < copy.InEnd) {
        if (out >= copy.OutLimit) {
            stop = orvo::TCopyStop::OutputFull;
            break;
        }
        const std::size_t available = static_cast<std::size_t>(copy.InEnd - in);
        auto mask = TBlock::CopyAndFind(in, out);
        if (available < TBlock::Width) mask = TBlock::KeepFirst(mask, available);
        if (!mask) {
            const std::size_t step = available < TBlock::Width ? available : TBlock::Width;
            in += step;
            out += step;
            continue;
        }
        const std::size_t at = TBlock::FirstIndex(mask);
        in += at;
        out += at;
        const TUnit unit = LoadUnit<TUnit>(in);
        if (unit == TCodes::Cr) {
            // Dropped: a CR ends no line, and CR LF is written for the LF. Most CRs come right
            // before their LF, so that LF is taken now rather than with the next block.
            in += Unit;
            if (in == copy.InEnd || LoadUnit<TUnit>(in) != TCodes::Lf) continue;
        } else if (unit != TCodes::Lf) {
            stop = orvo::TCopyStop::EndOfText;
            break;
        }
        in += Unit;
        StoreUnit<TUnit>(out, TCodes::Cr);
        StoreUnit<TUnit>(out + Unit, TCodes::Lf);
        out += 2 * Unit;
        if (--copy.LinesLeft == 0) {
            stop = orvo::TCopyStop::LinesDone;
            break;
        }
    }
    copy.In = in;
    copy.Out = out;
    return stop;
}

// The copier of each encoding for one instruction set; TBlock<TCodes> is its block type.
template <template <class> class TBlock> orvo::TLineCopier CopierFor(orvo::TTextEncoding encoding) {
    switch (encoding) {
    case orvo::TTextEncoding::Bytes:
    case orvo::TTextEncoding::Utf8:
        return CopyLineText<TBlock<TByteCodes>>;
    case orvo::TTextEncoding::Utf16Le:
        return CopyLineText<TBlock<TUtf16LeCodes>>;
    case orvo::TTextEncoding::Utf16Be:
        return CopyLineText<TBlock<TUtf16BeCodes>>;
    case orvo::TTextEncoding::Utf32Le:
        return CopyLineText<TBlock<TUtf32LeCodes>>;
    case orvo::TTextEncoding::Utf32Be:
        return CopyLineText<TBlock<TUtf32BeCodes>>;
    }
    return CopyLineText<TBlock<TByteCodes>>;
}
