// Any bytes as a source, split with options taken from the first bytes (line count, header
// lines, piece size or N pieces, the encoding of a source without a mark, CSV records, exact line
// ends, buffer sizes): the pieces and reports are those of the plain rules (into N pieces: they
// join to the plain rules' one piece), and every file is closed. The CSV record scanner, the copy
// loops and the scans of text written as it is are fuzzed through it.
#include "tests/core/split/fake_file_system.h"
#include "tests/core/split/reference_split.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvo;
    if (size < 6) return 0;
    static constexpr TTextEncoding Unmarked[] = {TTextEncoding::Bytes, TTextEncoding::Utf8, TTextEncoding::Utf16Le,
                                                 TTextEncoding::Utf16Be, TTextEncoding::Utf32Le, TTextEncoding::Utf32Be};
    test::TReferenceJob rules;
    rules.LineCount = 1 + data[0] % 8;
    rules.HeaderLines = data[1] % 4;
    rules.PieceBytes = data[2] < 128 ? 0 : data[2] - 127u;
    rules.Unmarked = Unmarked[data[3] % std::size(Unmarked)];
    rules.Csv = (data[3] / std::size(Unmarked)) % 2 == 1;
    rules.KeepLineEnds = (data[3] / std::size(Unmarked) / 2) % 2 == 1;
    // Now and then into N pieces (without header lines): the pieces, each but the first without
    // the mark, must join to the one piece of the plain rules.
    const bool byPieces = rules.PieceBytes == 0 && data[1] / 4 % 4 == 3;
    if (byPieces) rules.HeaderLines = 0;
    TSplitJob job;
    job.SourcePath = "in/s.txt";
    job.TargetDir = "out/";
    job.LineCount = rules.LineCount;
    job.HeaderLines = rules.HeaderLines;
    job.Mode = rules.PieceBytes > 0 ? TSplitMode::Bytes : TSplitMode::Lines;
    job.PieceBytes = rules.PieceBytes;
    job.Unmarked = rules.Unmarked;
    job.Csv = rules.Csv;
    job.KeepLineEnds = rules.KeepLineEnds;
    // Mostly tiny buffers (every boundary case); now and then a few kilobytes, where the copy
    // loops take whole blocks of lines at once.
    const auto bufferSize = [](std::uint8_t b) -> std::size_t { return b < 192 ? 1 + b % 64 : 64u * (b - 190u); };
    job.ReadBufferSize = bufferSize(data[4]);
    job.WriteBufferSize = bufferSize(data[5]);
    if (byPieces) {
        job.Mode = TSplitMode::Pieces;
        job.PieceCount = 2 + data[0] % 8;
    }
    const std::string source(reinterpret_cast<const char*>(data) + 6, size - 6);
    test::TFakeFileSystem files;
    files.Files[job.SourcePath] = source;
    test::TReports reports;
    const auto error = RunSplit(job, files, [&](TSplitReportCode code, const std::string& text) {
        reports.emplace_back(code, text);
    });
    if (byPieces) {
        if (error || files.OpenFiles() != 0) std::abort();
        if (files.Files.size() != static_cast<std::size_t>(job.PieceCount) + 1) std::abort();
        test::TReferenceJob whole = rules;
        whole.LineCount = 1000000;
        const std::size_t mark = MarkOf(MarkAt(source).value_or(TTextEncoding::Bytes)).size();
        std::string joined;
        for (int k = 1; k <= job.PieceCount; ++k) {
            const std::string& piece = files.Files["out/s_" + std::to_string(k) + ".txt"];
            if (k > 1 && piece.compare(0, mark, source, 0, mark) != 0) std::abort();
            joined += k == 1 ? piece : piece.substr(std::min(mark, piece.size()));
        }
        if (joined != test::ReferenceSplit(source, whole, job.TargetDir, "out/s").Pieces[0]) std::abort();
        return 0;
    }
    const test::TReferenceSplit expected = test::ReferenceSplit(source, rules, job.TargetDir, "out/s");
    if (error || reports != expected.Reports || files.OpenFiles() != 0) std::abort();
    if (files.Files.size() != expected.Pieces.size() + 1) std::abort();
    for (std::size_t k = 0; k < expected.Pieces.size(); ++k)
        if (files.Files["out/s_" + std::to_string(k + 1) + ".txt"] != expected.Pieces[k]) std::abort();
    return 0;
}
