#include "split_harness.h"

#include <gtest/gtest.h>

namespace orvo::test {

TFakeRun SplitOnFake(TFakeFileSystem& files, const TReferenceJob& rules, std::size_t readBuffer,
                     std::size_t writeBuffer) {
    TSplitJob job;
    job.SourcePath = FakeSource;
    job.TargetDir = FakeTarget;
    job.LineCount = rules.LineCount;
    job.HeaderLines = rules.HeaderLines;
    job.Mode = rules.PieceBytes > 0 ? TSplitMode::Bytes : TSplitMode::Lines;
    job.PieceBytes = rules.PieceBytes;
    job.Unmarked = rules.Unmarked;
    job.Csv = rules.Csv;
    job.KeepLineEnds = rules.KeepLineEnds;
    job.ReadBufferSize = readBuffer;
    job.WriteBufferSize = writeBuffer;
    TFakeRun run;
    run.Error = RunSplit(job, files, [&](TSplitReportCode code, const std::string& text) {
        run.Reports.emplace_back(code, text);
    }, &run.Summary);
    return run;
}

void ExpectSplitAsTheRulesSay(TFakeFileSystem& files, const TReferenceJob& rules, std::size_t readBuffer,
                              std::size_t writeBuffer) {
    const std::string source = files.Files.at(FakeSource);
    const TFakeRun run = SplitOnFake(files, rules, readBuffer, writeBuffer);
    const TReferenceSplit expected = ReferenceSplit(source, rules, FakeTarget, FakePrefix);
    ASSERT_FALSE(run.Error.has_value());
    ASSERT_EQ(FakePieces(files), expected.Pieces);
    ASSERT_EQ(run.Reports, expected.Reports);
    ASSERT_EQ(files.Files.size(), expected.Pieces.size() + 1);
    ASSERT_EQ(files.OpenFiles(), 0);
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
