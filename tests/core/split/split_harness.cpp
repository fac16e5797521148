#include "split_harness.h"

namespace orvo::test {

TFakeRun SplitOnFake(TFakeFileSystem& files, const TReferenceJob& rules, std::size_t readBuffer,
                     std::size_t writeBuffer) {
    TSplitJob job;
    job.SourcePath = FakeSource;
    job.TargetDir = FakeTarget;
    job.LineCount = rules.LineCount;
    job.HeaderLines = rules.HeaderLines;
    job.PieceBytes = rules.PieceBytes;
    job.Unmarked = rules.Unmarked;
    job.ReadBufferSize = readBuffer;
    job.WriteBufferSize = writeBuffer;
    TFakeRun run;
    run.Error = RunSplit(job, files, [&](TSplitReportCode code, const std::string& text) {
        run.Reports.emplace_back(code, text);
    }, &run.Summary);
    return run;
}

std::vector<std::string> FakePieces(const TFakeFileSystem& files) {
    std::vector<std::string> pieces;
    for (;;) {
        const auto piece = files.Files.find(FakePrefix + "_" + std::to_string(pieces.size() + 1) + ".txt");
        if (piece == files.Files.end()) return pieces;
        pieces.push_back(piece->second);
    }
}

} // namespace orvo::test
