#pragma once
// The copy loop, written once for any block width and code unit. Include it only into a .cpp
// file, inside an anonymous namespace. A block type provides:
//   using TCodes = ...;                                  // the code unit and its LF, CR, SUB
//   static constexpr std::size_t Width;                  // bytes per step, a multiple of the unit
//   static constexpr Mask All;                           // a flag for every unit of a block
//   static TFound<Mask> CopyAndClassify(const char* in, char* out);
//                                  // stores Width bytes; flags LF, CR, SUB and '"' units, one flag
//                                  // a unit, each set of flags in unit order from the lowest bit
//   static Mask KeepFirst(Mask mask, std::size_t bytes); // drops flags of units at `bytes` and later
//   static std::size_t FirstIndex(Mask mask);            // byte offset of the lowest flagged unit
// A narrow block (SSE2, a machine word) also provides
//   static Mask CopyAndFind(const char* in, char* out);  // stores Width bytes, flags LF/CR/SUB units
//                                                        // (only the lowest flag need be exact)
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
    static constexpr TUnit Quote = Code(0x22);
};

constexpr bool HostIsBigEndian = __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__;
using TByteCodes = TUnitCodes<unsigned char, false>;
using TUtf16LeCodes = TUnitCodes<unsigned short, HostIsBigEndian>;
using TUtf16BeCodes = TUnitCodes<unsigned short, !HostIsBigEndian>;
using TUtf32LeCodes = TUnitCodes<unsigned int, HostIsBigEndian>;
using TUtf32BeCodes = TUnitCodes<unsigned int, !HostIsBigEndian>;

template <class TMask> struct TFound {
    TMask Lf, Cr, Sub, Quote;
};

template <class TMask> TMask PrefixXor(TMask mask) {
    for (unsigned shift = 1; shift < 8 * sizeof(TMask); shift <<= 1)
        mask ^= static_cast<TMask>(mask << shift);
    return mask;
}

template <class TMask> unsigned CountFlags(TMask mask) {
    return static_cast<unsigned>(__builtin_popcountll(static_cast<unsigned long long>(mask)));
}

template <class TMask> unsigned LowestFlag(TMask mask) {
    return static_cast<unsigned>(__builtin_ctzll(static_cast<unsigned long long>(mask)));
}

template <class TMask> unsigned HighestFlag(TMask mask) {
    return 63u - static_cast<unsigned>(__builtin_clzll(static_cast<unsigned long long>(mask)));
}

template <class TMask> TMask FlagsBelow(unsigned bit) {
    return static_cast<TMask>((static_cast<TMask>(1) << bit) - 1);
}

// How many bits apart the flags of neighbouring units are in a block's masks (`All` has one flag
// a unit): shifting a mask by this moves each flag to the next unit.
template <class TMask> constexpr unsigned UnitFlagStep(TMask all) {
    const auto lowest = [](TMask mask) {
        return static_cast<unsigned>(__builtin_ctzll(static_cast<unsigned long long>(mask)));
    };
    return lowest(static_cast<TMask>(all & (all - 1))) - lowest(all);
}

// The number of flags of a mask that has few (the line ends of a block): one step a flag, which
// beats a population count where the instruction set has none.
template <class TMask> unsigned CountFewFlags(TMask mask) {
    unsigned count = 0;
    for (; mask; ++count)
        mask = static_cast<TMask>(mask & (mask - 1));
    return count;
}

// The flag of the `k`-th (from 1) flagged unit of a mask that has at least k.
template <class TMask> TMask NthFlag(TMask mask, unsigned k) {
    for (; k > 1; --k)
        mask = static_cast<TMask>(mask & (mask - 1));
    return static_cast<TMask>(mask & static_cast<TMask>(-mask));
}

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

enum class TFlagged { Dropped, LineEnd, EndOfText };

// The flagged unit at `in`, under the line rules: a CR is dropped (a CR ends no line; the LF right
// after it, as most CRs have, is taken now rather than with the next block), an LF is written as
// CR LF, SUB ends the text.
template <class TCodes> inline TFlagged TakeFlagged(const char*& in, char*& out, const char* inEnd) {
    using TUnit = typename TCodes::Unit;
    constexpr std::size_t Unit = sizeof(TUnit);
    const TUnit unit = LoadUnit<TUnit>(in);
    if (unit == TCodes::Cr) {
        in += Unit;
        if (in == inEnd || LoadUnit<TUnit>(in) != TCodes::Lf) return TFlagged::Dropped;
    } else if (unit != TCodes::Lf) {
        return TFlagged::EndOfText;
    }
    in += Unit;
    StoreUnit<TUnit>(out, TCodes::Cr);
    StoreUnit<TUnit>(out + Unit, TCodes::Lf);
    out += 2 * Unit;
    return TFlagged::LineEnd;
}

// After a flagged unit under the line rules: false, with the reason in `stop`, when the copy
// has to stop there.
template <class TCodes> inline bool GoOnAfterFlagged(const char*& in, char*& out, orvo::TLineCopy& copy,
                                                     orvo::TCopyStop& stop) {
    const TFlagged flagged = TakeFlagged<TCodes>(in, out, copy.InEnd);
    if (flagged == TFlagged::Dropped) return true;
    if (flagged == TFlagged::EndOfText) {
        stop = orvo::TCopyStop::EndOfText;
        return false;
    }
    if (--copy.LinesLeft == 0) {
        stop = orvo::TCopyStop::LinesDone;
        return false;
    }
    return true;
}

// A narrow block seldom holds a whole line: one set of compares says whether it needs a look at
// all, and its flagged units are taken one at a time.
template <class TBlock> orvo::TCopyStop CopyLineTextNarrow(orvo::TLineCopy& copy) {
    using TCodes = typename TBlock::TCodes;
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
        if (!GoOnAfterFlagged<TCodes>(in, out, copy, stop)) break;
    }
    copy.In = in;
    copy.Out = out;
    return stop;
}

// A wide block is taken whole, its line ends counted, when it needs no rewrite (each CR in it is
// followed by an LF in it, each LF preceded by a CR in it, no SUB: the usual block of a CR LF
// text) or only LFs widened (no CR, no SUB: an LF text). Otherwise, and for the block that holds
// the last line allowed, the flagged units are taken one at a time.
template <class TBlock> orvo::TCopyStop CopyLineText(orvo::TLineCopy& copy) {
    if constexpr (requires(const char* from, char* to) { TBlock::CopyAndFind(from, to); })
        return CopyLineTextNarrow<TBlock>(copy);
    using TCodes = typename TBlock::TCodes;
    using TMask = decltype(+TBlock::All);
    constexpr unsigned Step = UnitFlagStep<TMask>(TBlock::All);
    const char* in = copy.In;
    char* out = copy.Out;
    orvo::TCopyStop stop = orvo::TCopyStop::NeedInput;
    while (in < copy.InEnd) {
        if (out >= copy.OutLimit) {
            stop = orvo::TCopyStop::OutputFull;
            break;
        }
        const std::size_t available = static_cast<std::size_t>(copy.InEnd - in);
        const TFound<TMask> found = TBlock::CopyAndClassify(in, out);
        const TMask valid = available >= TBlock::Width ? TBlock::All : TBlock::KeepFirst(TBlock::All, available);
        const TMask lf = static_cast<TMask>(found.Lf & valid);
        const TMask cr = static_cast<TMask>(found.Cr & valid);
        const TMask mask = static_cast<TMask>(lf | cr | (found.Sub & valid));
        const std::size_t step = available < TBlock::Width ? available : TBlock::Width;
        if (!mask) {
            in += step;
            out += step;
            continue;
        }
        if ((found.Sub & valid) == 0) {
            const unsigned ends = CountFewFlags(lf);
            if (ends < copy.LinesLeft && lf == static_cast<TMask>(cr << Step) &&
                cr == static_cast<TMask>(lf >> Step)) {
                copy.LinesLeft -= ends;
                in += step;
                out += step;
                continue;
            }
            if (ends < copy.LinesLeft && cr == 0 && copy.OutLimit - out >= static_cast<std::ptrdiff_t>(2 * TBlock::Width)) {
                // Bare LFs (an LF text): each becomes CR LF, the rest of the block stored again one
                // unit further on. (Room for the block grown by a unit a line, and a whole vector
                // past it, is left before the limit.)
                std::size_t grown = 0;
                for (TMask left = lf; left; left = static_cast<TMask>(left & (left - 1))) {
                    const std::size_t at = TBlock::FirstIndex(left);
                    StoreUnit<typename TCodes::Unit>(out + at + grown, TCodes::Cr);
                    grown += sizeof(typename TCodes::Unit);
                    __builtin_memcpy(out + at + grown, in + at, TBlock::Width);
                }
                copy.LinesLeft -= ends;
                in += step;
                out += step + grown;
                continue;
            }
        }
        const std::size_t at = TBlock::FirstIndex(mask);
        in += at;
        out += at;
        if (!GoOnAfterFlagged<TCodes>(in, out, copy, stop)) break;
    }
    copy.In = in;
    copy.Out = out;
    return stop;
}

// A block's line breaks inside quotes, up to its first record end: counted, and the first of a
// record gives the line its quote opened on. (No line break lies between that quote and the
// break, or the break would not be the first inside quotes: they are on one line.)
template <class TMask> void CountQuotedBreaks(orvo::TQuoteState& quote, TMask insideLf) {
    if (quote.QuoteLine == 0) quote.QuoteLine = quote.Lines + 1;
    quote.Lines += CountFlags(insideLf);
}

// The exact and CSV rules. Everything not flagged is already in place once a block is stored; a
// flagged LF outside quotes ends a record, and without Exact a CR outside quotes is dropped, an LF
// written as CR LF and SUB ends the text.
template <class TBlock, bool Exact, bool Csv> orvo::TCopyStop CopyUnits(orvo::TLineCopy& copy) {
    using TCodes = typename TBlock::TCodes;
    using TUnit = typename TCodes::Unit;
    using TMask = decltype(+TBlock::All);
    constexpr std::size_t Unit = sizeof(TUnit);
    const char* in = copy.In;
    char* out = copy.Out;
    bool quoted = copy.Quote.Quoted;
    orvo::TCopyStop stop = orvo::TCopyStop::NeedInput;
    while (in < copy.InEnd) {
        if (out >= copy.OutLimit) {
            stop = orvo::TCopyStop::OutputFull;
            break;
        }
        const std::size_t available = static_cast<std::size_t>(copy.InEnd - in);
        const TFound<TMask> found = TBlock::CopyAndClassify(in, out);
        const TMask valid = available >= TBlock::Width ? TBlock::All : TBlock::KeepFirst(TBlock::All, available);
        TMask events;
        if constexpr (Csv) {
            const TMask quotes = found.Quote & valid;
            TMask inside = PrefixXor(quotes);
            if (quoted) inside = static_cast<TMask>(~inside);
            events = Exact ? static_cast<TMask>(found.Lf & ~inside)
                           : static_cast<TMask>(((found.Lf | found.Cr) & ~inside) | found.Sub);
            events &= valid;
            const TMask before = events ? FlagsBelow<TMask>(LowestFlag(events)) : valid;
            const TMask insideLf = found.Lf & inside & before;
            if (insideLf) CountQuotedBreaks(copy.Quote, insideLf);
            // An event is outside quotes, but for SUB, which ends the text wherever it is.
            quoted = events ? (inside & events & static_cast<TMask>(-events)) != 0
                            : (quoted != ((CountFlags(quotes) & 1) != 0));
        } else {
            events = static_cast<TMask>((Exact ? found.Lf : found.Lf | found.Cr | found.Sub) & valid);
        }
        const std::size_t step = available < TBlock::Width ? available : TBlock::Width;
        if (!events) {
            in += step;
            out += step;
            continue;
        }
        if constexpr (Exact && !Csv) {
            // Exact lines need no rewrite: the block's line ends are counted at once, and only
            // the one that ends the last line allowed is looked for.
            const unsigned ends = CountFewFlags(events);
            if (ends < copy.LinesLeft) {
                copy.LinesLeft -= ends;
                in += step;
                out += step;
                continue;
            }
            events = NthFlag(events, copy.LinesLeft);
            copy.LinesLeft = 1;
        }
        const std::size_t at = TBlock::FirstIndex(events);
        in += at;
        out += at;
        if constexpr (Exact) {
            in += Unit; // the LF, stored with its block
            out += Unit;
        } else {
            const TFlagged flagged = TakeFlagged<TCodes>(in, out, copy.InEnd);
            if (flagged == TFlagged::Dropped) continue;
            if (flagged == TFlagged::EndOfText) {
                stop = orvo::TCopyStop::EndOfText;
                break;
            }
        }
        if constexpr (Csv) {
            ++copy.Quote.Lines;
            copy.Quote.QuoteLine = 0;
            copy.RecordEnd = in;
        }
        if (--copy.LinesLeft == 0) {
            stop = orvo::TCopyStop::LinesDone;
            break;
        }
    }
    copy.In = in;
    copy.Out = out;
    if constexpr (Csv) copy.Quote.Quoted = quoted;
    return stop;
}

// The scanning rules: how far the source can be written as it is, without copying it. Under the
// line rules a block is such text when each CR in it is followed by an LF and each LF preceded by
// a CR (a pair may span two blocks) and it holds no SUB; the scan stops at the start of the first
// block that is not, or after the line end that uses up LinesLeft. Out is never written.
template <class TBlock, bool Exact> orvo::TCopyStop ScanUnits(orvo::TLineCopy& copy) {
    using TCodes = typename TBlock::TCodes;
    using TUnit = typename TCodes::Unit;
    using TMask = decltype(+TBlock::All);
    constexpr std::size_t Unit = sizeof(TUnit);
    constexpr unsigned Step = UnitFlagStep<TMask>(TBlock::All);
    constexpr TMask FirstUnit = static_cast<TMask>(TBlock::All & static_cast<TMask>(-TBlock::All));
    constexpr TMask LastUnit = static_cast<TMask>(TBlock::All & ~(TBlock::All >> Step));
    char scratch[TBlock::Width]; // the blocks store what they classify; here nowhere that matters
    const char* in = copy.In;
    bool lfFirst = false; // the block starts with the LF of a CR that ended the last one
    orvo::TCopyStop stop = orvo::TCopyStop::NeedInput;
    while (in < copy.InEnd) {
        const std::size_t available = static_cast<std::size_t>(copy.InEnd - in);
        const bool whole = available >= TBlock::Width;
        const TFound<TMask> found = TBlock::CopyAndClassify(in, scratch);
        const TMask valid = whole ? TBlock::All : TBlock::KeepFirst(TBlock::All, available);
        const TMask lf = static_cast<TMask>(found.Lf & valid);
        if constexpr (!Exact) {
            const TMask cr = static_cast<TMask>(found.Cr & valid);
            const TMask expected = static_cast<TMask>((static_cast<TMask>(cr << Step) & TBlock::All) |
                                                      (lfFirst ? FirstUnit : 0));
            const bool crLast = (cr & LastUnit) != 0 && whole;
            // A CR that ends the block needs its LF to start the next one, which the range must hold.
            if ((found.Sub & valid) != 0 || lf != expected || (crLast && available == TBlock::Width)) {
                if (lfFirst) in -= Unit; // the copier takes the CR with its LF
                stop = orvo::TCopyStop::Rewrite;
                break;
            }
            lfFirst = crLast;
        }
        const std::size_t step = whole ? TBlock::Width : available;
        const unsigned ends = lf ? CountFewFlags(lf) : 0;
        if (ends < copy.LinesLeft) {
            copy.LinesLeft -= ends;
            in += step;
            continue;
        }
        in += TBlock::FirstIndex(NthFlag(lf, copy.LinesLeft)) + Unit;
        copy.LinesLeft = 0;
        stop = orvo::TCopyStop::LinesDone;
        break;
    }
    copy.In = in;
    return stop;
}

template <template <class> class TBlock, class TCodes> orvo::TLineCopier CopierOfRule(orvo::TCopyRule rule) {
    switch (rule) {
    case orvo::TCopyRule::ScanLines:
        return ScanUnits<TBlock<TCodes>, false>;
    case orvo::TCopyRule::ScanExactLines:
        return ScanUnits<TBlock<TCodes>, true>;
    case orvo::TCopyRule::Lines:
        break;
    case orvo::TCopyRule::ExactLines:
        return CopyUnits<TBlock<TCodes>, true, false>;
    case orvo::TCopyRule::Records:
        return CopyUnits<TBlock<TCodes>, false, true>;
    case orvo::TCopyRule::ExactRecords:
        return CopyUnits<TBlock<TCodes>, true, true>;
    }
    return CopyLineText<TBlock<TCodes>>;
}

// Every copier of one instruction set.
template <template <class> class TBlock>
orvo::TLineCopier CopierFor(orvo::TTextEncoding encoding, orvo::TCopyRule rule) {
    switch (encoding) {
    case orvo::TTextEncoding::Bytes:
    case orvo::TTextEncoding::Utf8:
        return CopierOfRule<TBlock, TByteCodes>(rule);
    case orvo::TTextEncoding::Utf16Le:
        return CopierOfRule<TBlock, TUtf16LeCodes>(rule);
    case orvo::TTextEncoding::Utf16Be:
        return CopierOfRule<TBlock, TUtf16BeCodes>(rule);
    case orvo::TTextEncoding::Utf32Le:
        return CopierOfRule<TBlock, TUtf32LeCodes>(rule);
    case orvo::TTextEncoding::Utf32Be:
        return CopierOfRule<TBlock, TUtf32BeCodes>(rule);
    }
    return CopierOfRule<TBlock, TByteCodes>(rule);
}
