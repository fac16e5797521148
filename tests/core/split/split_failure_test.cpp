// What the split does when a file operation fails: it says what failed, where and why, stops,
// closes every file, and leaves what it wrote in place.
#include "split_harness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace orvo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;
using ::testing::StartsWith;

const std::string SevenLines = "one\ntwo\nthree\nfour\nfive\nsix\nseven\n";

TEST(SplitFailure, FirstPieceCannotBeCreated) {
    TFakeFileSystem files;
    files.Files[FakeSource] = SevenLines;
    files.FailAt(TFakeOp::Create, 1);
    const TFakeRun run = SplitOnFake(files, 3);
    ASSERT_TRUE(run.Error.has_value());
    EXPECT_EQ(run.Error->Action, TSplitAction::Create);
    EXPECT_EQ(run.Error->Path, "out/src_1.txt");
    EXPECT_EQ(run.Error->System.Code, TFakeFileSystem::FailureCode);
    EXPECT_EQ(run.Error->Text(), "无法创建文件“out/src_1.txt”：Injected failure");
    EXPECT_TRUE(run.Reports.empty());
    EXPECT_EQ(files.Calls(TFakeOp::Open), 0) << "the source is opened only after piece 1 exists";
}

TEST(SplitFailure, SourceCannotBeOpened) {
    TFakeFileSystem files; // no source at all
    const TFakeRun run = SplitOnFake(files, 3);
    ASSERT_TRUE(run.Error.has_value());
    EXPECT_EQ(run.Error->Action, TSplitAction::Open);
    EXPECT_EQ(run.Error->Text(), "无法打开文件“in.d/src.txt”：No such file");
    EXPECT_THAT(run.Reports, ElementsAre(Pair(TSplitReportCode::Progress, "准备开始分割")));
    EXPECT_EQ(FakePieces(files), std::vector<std::string>{""});
    EXPECT_EQ(files.OpenFiles(), 0);
}

TEST(SplitFailure, LinesReadBeforeAReadFailureAreKept) {
    TFakeFileSystem files;
    files.Files[FakeSource] = SevenLines;
    files.MaxReadChunk = 9; // "one\ntwo\nt"
    files.FailAt(TFakeOp::Read, 2);
    const TFakeRun run = SplitOnFake(files, 5);
    ASSERT_TRUE(run.Error.has_value());
    EXPECT_EQ(run.Error->Action, TSplitAction::Read);
    EXPECT_EQ(run.Error->Path, FakeSource);
    EXPECT_EQ(FakePieces(files), std::vector<std::string>{"one\r\ntwo\r\nt"});
    EXPECT_EQ(files.OpenFiles(), 0);
}

std::string ActionPath(const TSplitError& error) {
    return std::string(ActionText(error.Action)) + error.Path;
}

// Fails each call of each operation in turn, on a split that makes several pieces through small
// buffers, and checks the invariants that must hold whichever call failed.
TEST(SplitFailure, EveryFailingCallStopsCleanly) {
    TFakeFileSystem clean;
    clean.Files[FakeSource] = SevenLines;
    clean.MaxReadChunk = 5;
    const TFakeRun good = SplitOnFake(clean, 3, 4, 4);
    ASSERT_FALSE(good.Error.has_value());
    const std::vector<std::string> goodPieces = FakePieces(clean);

    const std::pair<TFakeOp, TSplitAction> ops[] = {
        {TFakeOp::Create, TSplitAction::Create},    {TFakeOp::Open, TSplitAction::Open},
        {TFakeOp::Read, TSplitAction::Read},        {TFakeOp::Write, TSplitAction::Write},
        {TFakeOp::CloseInput, TSplitAction::Close}, {TFakeOp::CloseOutput, TSplitAction::Close},
    };
    for (const auto& [op, action] : ops) {
        ASSERT_GT(clean.Calls(op), 0);
        for (int nth = 1; nth <= clean.Calls(op); ++nth) {
            SCOPED_TRACE(testing::Message() << "operation " << static_cast<int>(op) << ", call " << nth);
            TFakeFileSystem files;
            files.Files[FakeSource] = SevenLines;
            files.MaxReadChunk = 5;
            files.FailAt(op, nth);
            const TFakeRun run = SplitOnFake(files, 3, 4, 4);

            ASSERT_TRUE(run.Error.has_value());
            EXPECT_EQ(run.Error->Action, action);
            const bool onSource = op == TFakeOp::Open || op == TFakeOp::Read || op == TFakeOp::CloseInput;
            EXPECT_EQ(run.Error->Path.starts_with(FakePrefix + "_"), !onSource) << ActionPath(*run.Error);
            EXPECT_THAT(run.Error->Text(),
                        StartsWith(std::string(ActionText(action)) + "“" + run.Error->Path));
            EXPECT_EQ(files.OpenFiles(), 0) << "every file is closed";

            // The reports are the good run's, cut short before Done.
            ASSERT_LT(run.Reports.size(), good.Reports.size());
            EXPECT_TRUE(std::equal(run.Reports.begin(), run.Reports.end(), good.Reports.begin()));
            // Reported pieces are complete; the others hold a beginning of their good content.
            const std::vector<std::string> pieces = FakePieces(files);
            ASSERT_LE(pieces.size(), goodPieces.size());
            for (std::size_t k = 0; k < pieces.size(); ++k) {
                if (k + 1 < run.Reports.size()) {
                    EXPECT_EQ(pieces[k], goodPieces[k]) << "piece " << k + 1;
                }
                EXPECT_TRUE(goodPieces[k].starts_with(pieces[k])) << "piece " << k + 1;
            }
        }
    }
}

} // namespace
} // namespace orvo::test
