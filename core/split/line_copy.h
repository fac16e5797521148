#pragma once
// The inner loop of the split: copies the text of a source block into the output buffer the way
// pieces hold it (CRs dropped, each LF written as CR LF), counting lines, until something needs
// the caller's attention. Only LF, CR and Ctrl-Z (26) need a look; everything else is copied a
// whole vector at a time, stored first and then overwritten where a special byte was.
#include <cstddef>
#include <cstdint>

namespace orvo {

// Both buffers need this many bytes past their end: the source is read and the output written a
// whole vector at a time.
inline constexpr std::size_t LineCopySlack = 128;

enum class TCopyStop {
    NeedInput,  // the source block is used up
    LinesDone,  // LinesLeft reached 0: the LF that ended the last line is copied
    OutputFull, // Out reached OutLimit (it may be up to 64 bytes past it)
    EndOfText,  // In points at a Ctrl-Z
};

struct TLineCopy {
    const char* In;
    const char* InEnd;
    char* Out;
    char* OutLimit;
    std::uint32_t LinesLeft; // 1 or more
};

using TLineCopier = TCopyStop (*)(TLineCopy& copy);

// The fastest copier this processor runs.
TLineCopier BestLineCopier();

// Every copier this build has that the processor runs, the portable one first (for tests and
// measurements).
struct TNamedCopier {
    const char* Name;
    TLineCopier Copier;
};
std::size_t AvailableLineCopiers(TNamedCopier (&copiers)[4]);

} // namespace orvo
