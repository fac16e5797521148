#pragma once
// The inner loop of the split: copies the text of a source block into the output buffer the way
// pieces hold it (CRs dropped, each LF written as CR LF), counting lines, until something needs
// the caller's attention. Only LF, CR and SUB (U+001A) need a look; everything else is copied a
// whole vector at a time, stored first and then overwritten where a special code unit was. There
// is one loop per encoding: bytes (and UTF-8), and the 16- and 32-bit code units of UTF-16 and
// UTF-32 in either byte order.
#include "core/split/text_encoding.h"

#include <cstddef>
#include <cstdint>

namespace orvo {

// Both buffers need this many bytes past their end: the source is read and the output written a
// whole vector at a time.
inline constexpr std::size_t LineCopySlack = 128;

enum class TCopyStop {
    NeedInput,  // the source block is used up
    LinesDone,  // LinesLeft reached 0: the LF that ended the last line is copied
    OutputFull, // Out reached OutLimit (it may be up to 64 bytes past it, plus a line end)
    EndOfText,  // In points at a SUB code unit
    Rewrite,    // scanning: the text at In is not written as it is (a CR dropped, an LF widened, SUB)
};

// What the copy loops know about the quotes of CSV records, kept from block to block.
struct TQuoteState {
    bool Quoted = false;          // In is inside a quoted field
    std::uint64_t Lines = 0;      // line ends read: those that end records and those inside quotes
    // The line (from 1) of the quote whose field holds the current record's first line break; 0
    // while the record has none.
    std::uint64_t QuoteLine = 0;
};

// In and InEnd hold whole code units of the encoding the copier is for; so does the output.
struct TLineCopy {
    const char* In;
    const char* InEnd;
    char* Out;
    char* OutLimit;
    std::uint32_t LinesLeft; // 1 or more
    // Records only:
    TQuoteState Quote{};
    const char* RecordEnd = nullptr; // set to In after each record end
};

using TLineCopier = TCopyStop (*)(TLineCopy& copy);

// What a copier makes of the text:
//   Lines         CRs dropped, each LF written as CR LF, SUB ends the text (the line rules)
//   ExactLines    the bytes as they are; only LF is looked at (it ends a line)
//   Records       CSV records: LF, CR and SUB inside a quoted field are the field's and copied as
//                 they are; outside, the line rules hold
//   ExactRecords  CSV records, the bytes as they are; an LF outside quotes ends a record
//   ScanLines     writes nothing: In goes on over the text that the line rules write as it is
//                 (CR LF line ends, no lone CR, no SUB), counting lines, and stops with Rewrite
//                 at the block where that ends; the caller hands the bytes to the output itself
//   ScanExactLines  writes nothing: In goes on over the lines, counting them (never Rewrite)
// A quote (U+0022) opens or closes a quoted field wherever it is: two inside a field stand for
// one and leave it quoted, as a closing and an opening quote would.
enum class TCopyRule { Lines, ExactLines, Records, ExactRecords, ScanLines, ScanExactLines };

// The fastest copier for `encoding` that this processor runs.
TLineCopier BestLineCopier(TTextEncoding encoding = TTextEncoding::Bytes, TCopyRule rule = TCopyRule::Lines);

// Every copier for `encoding` that this build has and the processor runs, the portable one first
// (for tests and measurements).
struct TNamedCopier {
    const char* Name;
    TLineCopier Copier;
};
std::size_t AvailableLineCopiers(TTextEncoding encoding, TNamedCopier (&copiers)[4],
                                 TCopyRule rule = TCopyRule::Lines);

} // namespace orvo
