#pragma once
// Runs the engine on the in-memory file system and collects what it did.
#include "fake_file_system.h"
#include "reference_split.h"

#include <optional>
#include <string>
#include <vector>

namespace orvo::test {

inline const std::string FakeSource = "in.d/src.txt";
inline const std::string FakeTarget = "out/";
inline const std::string FakePrefix = "out/src";

// A job on FakeSource into FakeTarget, with the engine's defaults otherwise.
inline TSplitJob FakeJob() {
    TSplitJob job;
    job.SourcePath = FakeSource;
    job.TargetDir = FakeTarget;
    return job;
}

struct TFakeRun {
    TReports Reports;
    std::optional<TSplitError> Error;
    TSplitSummary Summary;
};

TFakeRun SplitOnFake(TFakeFileSystem& files, const TReferenceJob& rules, std::size_t readBuffer = 256 * 1024,
                     std::size_t writeBuffer = 1024 * 1024);
inline TFakeRun SplitOnFake(TFakeFileSystem& files, int lineCount, std::size_t readBuffer = 256 * 1024,
                            std::size_t writeBuffer = 1024 * 1024) {
    return SplitOnFake(files, TReferenceJob{lineCount}, readBuffer, writeBuffer);
}

// Splits FakeSource of `files` and checks the pieces, the reports, that no other file was made and
// that none is left open, against the plain rules.
void ExpectSplitAsTheRulesSay(TFakeFileSystem& files, const TReferenceJob& rules, std::size_t readBuffer,
                              std::size_t writeBuffer);

// The contents of FakePrefix_1.txt, _2.txt, ... up to the first one missing.
std::vector<std::string> FakePieces(const TFakeFileSystem& files);

} // namespace orvo::test
