#pragma once
// The copy loop, written once for any block width. Include it only into a .cpp file, inside an
// anonymous namespace, with a block type that provides:
//   static constexpr std::size_t Width;
//   static Mask CopyAndFind(const char* in, char* out); // stores Width bytes, flags LF/CR/Ctrl-Z
//   static Mask KeepFirst(Mask mask, std::size_t count); // drops flags of bytes count and later
//   static std::size_t FirstIndex(Mask mask);            // byte index of the lowest flag
// Its instances are compiled per instruction set, so it uses nothing from the standard library.

// KeepFirst and FirstIndex for blocks of 64 bytes with one flag bit per byte.
struct TMask64 {
    static unsigned long long KeepFirst(unsigned long long mask, std::size_t count) {
        return mask & ((1ull << count) - 1);
    }
    static std::size_t FirstIndex(unsigned long long mask) {
        return static_cast<std::size_t>(__builtin_ctzll(mask));
    }
};

template <class TBlock> orvo::TCopyStop CopyLineText(orvo::TLineCopy& copy) {
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
        if (*in == '\r') {
            // Dropped: a CR ends no line, and CR LF is written for the LF. Most CRs come right
            // before their LF, so that LF is taken now rather than with the next block.
            ++in;
            if (in == copy.InEnd || *in != '\n') continue;
        } else if (*in != '\n') {
            stop = orvo::TCopyStop::EndOfText;
            break;
        }
        ++in;
        out[0] = '\r';
        out[1] = '\n';
        out += 2;
        if (--copy.LinesLeft == 0) {
            stop = orvo::TCopyStop::LinesDone;
            break;
        }
    }
    copy.In = in;
    copy.Out = out;
    return stop;
}
