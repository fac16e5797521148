// Splits run from the window and by the worker alone: the reports and their order, the log and its
// trimming, the final question and the explorer launch, failures reported with the button given
// back, pieces kept, Chinese paths, and finished workers released.
#include "app/split_file_thread.h"
#include "tests/app/app_test_support.h"
#include "tests/framework/support/message_box_answerer.h"

#include <gmock/gmock.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <winioctl.h>

namespace orvo {
namespace {

using test::AppWindow;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::StartsWith;

constexpr wchar_t Starting[] = L"准备开始分割";
constexpr wchar_t PieceDone[] = L"分割完成：";
constexpr wchar_t Finished[] = L"文件拆分完成！";
constexpr wchar_t Failed[] = L"拆分失败：";

class WindowSplit : public AppWindow {
protected:
    test::TTempDir Dir{L"目标 目录"};
    std::wstring Target = Dir.Path().wstring() + L"\\";
};

TEST_F(WindowSplit, LogsEachPieceAndOpensTheFolderWhenAskedTo) {
    const std::wstring source = Dir / L"报告.2024.csv";
    test::WriteBytes(source, "1\n2\r\n3\n4\n5\n6\n7");
    test::TMessageBoxAnswerer boxes(IDYES);
    SplitAndWait(source, Target, L"3");

    EXPECT_THAT(LogLines(), ElementsAre(L"", Starting, PieceDone + Target + L"报告.2024_1.txt",
                                        PieceDone + Target + L"报告.2024_2.txt", Finished));
    EXPECT_EQ(test::ReadBytes(Dir / L"报告.2024_1.txt"), "1\r\n2\r\n3\r\n");
    EXPECT_EQ(test::ReadBytes(Dir / L"报告.2024_2.txt"), "4\r\n5\r\n6\r\n");
    EXPECT_EQ(test::ReadBytes(Dir / L"报告.2024_3.txt"), "7\r\n");
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes[0].Text, L"现在打开转换到的目录吗？");
    EXPECT_EQ(boxes[0].Caption, L"拆分完成");
    EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    const auto& calls = test::TShellRecorder::Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Owner, Application->Handle());
    EXPECT_EQ(calls[0].Verb, L"Open");
    EXPECT_EQ(calls[0].File, L"explorer.exe");
    EXPECT_EQ(calls[0].Parameters, L"/e, " + Target);
    EXPECT_FALSE(calls[0].HasDirectory);
    EXPECT_EQ(calls[0].Show, SW_SHOWNORMAL);
}

TEST_F(WindowSplit, NoLeavesEverythingAsItIsWithTheButtonEnabled) {
    const std::wstring source = Dir / L"six";
    test::WriteBytes(source, test::NumberedLines(1, 6));
    test::TMessageBoxAnswerer boxes(IDNO);
    SplitAndWait(source, Target, L"3");
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(test::TShellRecorder::Calls().empty());
    EXPECT_TRUE(Win().btnSplitNow->Enabled());
    EXPECT_EQ(test::ReadBytes(Dir / L"six_3.txt"), "") << "a multiple of N leaves an empty last piece";
    EXPECT_EQ(LogLines().back(), Finished);
}

TEST_F(WindowSplit, TheButtonReadsStopWhileTheWorkerRuns) {
    const std::wstring source = Dir / L"a.txt";
    test::WriteBytes(source, test::NumberedLines(1, 4));
    bool stopDuringReports = true;
    int reports = 0;
    // Seen from inside the window's own report handling.
    Win().WindowProc = [&, old = Win().WindowProc](TMessage& m) {
        if (m.Msg == WM_SPLIT_REPORT && m.WParam == SR_PROGRESS) {
            ++reports;
            stopDuringReports = stopDuringReports && Win().btnSplitNow->Caption() == L"停止拆分" &&
                                Win().btnSplitNow->Enabled();
        }
        old(m);
    };
    test::TMessageBoxAnswerer boxes(IDNO);
    SplitAndWait(source, Target, L"1");
    EXPECT_EQ(reports, 5);
    EXPECT_TRUE(stopDuringReports);
    EXPECT_EQ(Win().btnSplitNow->Caption(), L"立即拆分");
}

// ---- stopping -------------------------------------------------------------------------------------

// Lines of about a hundred bytes: "000001 xxxx...\r\n".
std::string LongLines(int count) {
    std::string text;
    text.reserve(static_cast<std::size_t>(count) * 100);
    char number[16];
    for (int i = 1; i <= count; ++i) {
        std::snprintf(number, sizeof number, "%07d ", i);
        text += number;
        text.append(90, 'x');
        text += "\r\n";
    }
    return text;
}

// Runs `action` in the window's handling of the first percentage past zero the worker posts:
// the split is then surely under way, and far from its end.
void AtFirstPercent(TfMainWin& win, std::function<void()> action) {
    win.WindowProc = [&win, action = std::move(action), done = false, old = win.WindowProc](TMessage& m) mutable {
        old(m);
        if (m.Msg == WM_SPLIT_PERCENT && m.WParam > 0 && !done) {
            done = true;
            action();
        }
    };
}

TEST_F(WindowSplit, StopKeepsTheFinishedPiecesRemovesTheUnfinishedOneAndSaysWhere) {
    const std::wstring source = Dir / L"大.txt";
    constexpr int Lines = 400000, PerPiece = 1000;
    const std::string text = LongLines(Lines);
    test::WriteBytes(source, text);
    AtFirstPercent(Win(), [&] { Press(Win().btnSplitNow); });
    test::TMessageBoxAnswerer boxes(IDNO);
    SplitAndWait(source, Target, std::to_wstring(PerPiece));
    EXPECT_EQ(boxes.Count(), 0) << "no question after a stop";
    EXPECT_EQ(Win().btnSplitNow->Caption(), L"立即拆分");

    const std::wstring last = LogLines().back();
    unsigned long long pieces = 0, line = 0;
    ASSERT_EQ(swscanf(last.c_str(), L"拆分已停止：完成 %llu 个文件，停在源文件第 %llu 行", &pieces, &line), 2) << last;
    EXPECT_GT(pieces, 0u);
    EXPECT_LT(pieces, static_cast<unsigned long long>(Lines / PerPiece)) << "stopped well before the end";
    EXPECT_EQ(line, pieces * PerPiece + 1);
    // Exactly the finished pieces, each whole.
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Dir.Path()))
        files += entry.path().filename() != L"大.txt";
    EXPECT_EQ(files, pieces);
    for (unsigned long long i = 1; i <= pieces; ++i) {
        const std::size_t at = (i - 1) * PerPiece * 100;
        ASSERT_EQ(test::ReadBytes(Dir / (L"大_" + std::to_wstring(i) + L".txt")), text.substr(at, PerPiece * 100)) << i;
    }
}

TEST_F(WindowSplit, StopAmongSeveralFilesStartsNoOtherAndSaysHowManyAreLeft) {
    const std::wstring big = Dir / L"大.txt", small = Dir / L"小.txt", last = Dir / L"末.txt";
    test::WriteBytes(big, LongLines(400000));
    test::WriteBytes(small, test::NumberedLines(1, 3));
    test::WriteBytes(last, test::NumberedLines(1, 3));
    AtFirstPercent(Win(), [&] { Press(Win().btnSplitNow); });
    test::TMessageBoxAnswerer boxes(IDNO);
    SplitAndWait(L"\"" + big + L"\" \"" + small + L"\" \"" + last + L"\"", Target, L"1000");
    EXPECT_EQ(boxes.Count(), 0) << "no question after a stop";
    const auto log = LogLines();
    ASSERT_GE(log.size(), 3u);
    EXPECT_THAT(log[log.size() - 3], StartsWith(L"拆分已停止："));
    EXPECT_EQ(log[log.size() - 2], L"已停止，其余 2 个文件没有拆分");
    EXPECT_EQ(log.back(), L"共 3 个文件：完成 0 个，失败 0 个，3 个因停止未拆完");
    EXPECT_FALSE(std::filesystem::exists(Dir / L"小_1.txt"));
    EXPECT_FALSE(std::filesystem::exists(Dir / L"末_1.txt"));
    EXPECT_EQ(Win().btnSplitNow->Caption(), L"立即拆分");
    EXPECT_TRUE(Win().btnSplitNow->Enabled());
}

TEST_F(WindowSplit, ClosingDuringASplitAsksNoGoesOnAndYesStopsThenCloses) {
    // Zeros without a line end: one line, a piece that never finishes while the split runs.
    const std::wstring source = Dir / L"zeros.txt";
    {
        HANDLE file = CreateFileW(source.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD ignored = 0;
        DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
        LARGE_INTEGER size{};
        size.QuadPart = std::int64_t{2} << 30;
        SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
    }
    int closes = 0;
    std::vector<int> answers{IDNO, IDYES};
    std::size_t asked = 0;
    test::TMessageBoxAnswerer boxes(IDNO);
    AtFirstPercent(Win(), [&] {
        // Each answer in turn; the second question comes once the first was answered.
        for (const int answer : answers) {
            test::TMessageBoxAnswerer box(answer);
            SendMessageW(Win().Handle(), WM_CLOSE, 0, 0);
            asked += box.Count();
            if (answer == IDNO) {
                EXPECT_TRUE(Win().SplitRunning()) << "no keeps the split running";
            }
        }
    });
    // The window's own close, once the split has ended, is taken here instead of ending the tests.
    Win().WindowProc = [&, old = Win().WindowProc](TMessage& m) {
        if (m.Msg == WM_CLOSE && !Win().SplitRunning()) {
            ++closes;
            return;
        }
        old(m);
    };
    SplitAndWait(source, Target, L"1000");
    test::Pump(100);
    EXPECT_EQ(asked, 2u);
    EXPECT_EQ(closes, 1) << "closed after the stop";
    EXPECT_THAT(LogLines().back(), StartsWith(L"拆分已停止：完成 0 个文件，停在源文件第 1 行"));
    EXPECT_FALSE(std::filesystem::exists(Dir / L"zeros_1.txt")) << "the unfinished piece is gone";
}

TEST_F(WindowSplit, TheLogKeepsItsNewestLines) {
    HWND window = Win().Handle();
    std::vector<std::wstring> sent;
    for (int i = 1; i <= 30; ++i) {
        sent.push_back(L"report " + std::to_wstring(i));
        EXPECT_EQ(
            SendMessageW(window, WM_SPLIT_REPORT, SR_PROGRESS, reinterpret_cast<LPARAM>(sent.back().c_str())),
            1);
        if (i == 29) {
            EXPECT_EQ(LogLines().size(), 30u) << "with the first empty line";
        }
    }
    EXPECT_EQ(LogLines(), std::vector<std::wstring>(sent.end() - 10, sent.end()))
        << "31 lines: the oldest 21 go";
    SendMessageW(window, WM_SPLIT_REPORT, SR_PROGRESS, reinterpret_cast<LPARAM>(L"report 31"));
    EXPECT_EQ(LogLines().size(), 11u);
    EXPECT_EQ(LogLines().back(), L"report 31");
}

TEST_F(WindowSplit, AFullLogStillEndsWithTheFinishingLine) {
    const std::wstring source = Dir / L"many.txt";
    test::WriteBytes(source, test::NumberedLines(1, 40));
    test::TMessageBoxAnswerer boxes(IDNO);
    SplitAndWait(source, Target, L"1");
    const std::vector<std::wstring> log = LogLines();
    // 41 reports: trimmed once after piece 29; pieces 20 to 40 remain, then the finishing line.
    ASSERT_EQ(log.size(), 22u);
    EXPECT_EQ(log.front(), PieceDone + Target + L"many_20.txt");
    EXPECT_EQ(log[20], PieceDone + Target + L"many_40.txt");
    EXPECT_EQ(log.back(), Finished);
}

// A UTF-16 source as PowerShell writes it: the pieces keep its mark and whole characters. Meanwhile
// the caption ends in the percentage read, as does the taskbar button, and both are put back.
TEST_F(WindowSplit, SplitsAUtf16SourceAndShowsItsProgress) {
    const std::wstring source = Dir / L"导出.txt";
    std::wstring text;
    // Large enough (3 MB) to be read in several steps however large the engine's reads are.
    for (int i = 0; i < 120000; ++i)
        text += L"第" + std::to_wstring(i) + L"行 上业\r\n"; // 上 and 业 hold the bytes of LF and SUB
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    test::WriteBytes(source, bytes);
    const std::wstring idle = Win().Caption();
    test::TMessageBoxAnswerer boxes(IDNO);
    SplitAndWait(source, Target, L"99999");

    const auto piece = [&](int k) { return test::ReadBytes(Dir / (L"导出_" + std::to_wstring(k) + L".txt")); };
    const std::string first = piece(1), second = piece(2);
    ASSERT_EQ(first.substr(0, 2), "\xFF\xFE");
    ASSERT_EQ(second.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(first.size() + second.size() - 2, bytes.size()) << "CR LF stays CR LF, nothing lost";
    const std::wstring secondText(reinterpret_cast<const wchar_t*>(second.data() + 2), (second.size() - 2) / 2);
    EXPECT_EQ(secondText.substr(0, 12), L"第99999行 上业\r\n");
    EXPECT_FALSE(std::filesystem::exists(Dir / L"导出_3.txt"));

    // The caption as the window showed it with each taskbar state.
    const auto& taskbar = test::TShellRecorder::Taskbar();
    std::vector<std::wstring> captions;
    for (const test::TTaskbarState& state : taskbar)
        captions.push_back(state.Caption);
    ASSERT_GE(captions.size(), 2u);
    EXPECT_EQ(captions.front(), idle + L" - 0%");
    EXPECT_EQ(captions.back(), idle) << "the caption as it was";
    int last = -1;
    for (std::size_t i = 0; i + 1 < captions.size(); ++i) {
        ASSERT_THAT(captions[i], StartsWith(idle + L" - "));
        const int percent = std::stoi(captions[i].substr(idle.size() + 3));
        EXPECT_GT(percent, last);
        EXPECT_EQ(captions[i], idle + L" - " + std::to_wstring(percent) + L"%");
        last = percent;
    }
    EXPECT_GT(captions.size(), 3u) << "a few steps between 0 and the end";
    for (std::size_t i = 0; i < taskbar.size(); ++i) {
        EXPECT_EQ(taskbar[i].Window, Win().Handle());
        EXPECT_EQ(taskbar[i].Percent, i + 1 < taskbar.size() ? std::stoi(captions[i].substr(idle.size() + 3)) : -1);
    }
    EXPECT_EQ(Win().Caption(), idle);
}

// ---- failures ----------------------------------------------------------------------------------------

TEST_F(WindowSplit, ASourceThatCannotBeOpenedIsReportedAndTheButtonComesBack) {
    const std::wstring source = Dir / L"locked.txt";
    test::WriteBytes(source, "x\r\n");
    HANDLE lock = CreateFileW(source.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    test::TMessageBoxAnswerer boxes(IDOK);
    SplitAndWait(source, Target, L"10");
    CloseHandle(lock);

    const std::wstring reason = L"无法打开文件“" + source + L"”：";
    const std::vector<std::wstring> log = LogLines();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1], Starting);
    EXPECT_THAT(log[2], StartsWith(Failed + reason));
    EXPECT_GT(log[2].size(), (Failed + reason).size()) << "the system's reason follows";
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_EQ(boxes[0].Text, log[2].substr(std::wstring(Failed).size()));
    EXPECT_EQ(boxes[0].Caption, L"Orvo大文件分割机");
    EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_OK | MB_ICONHAND));
    EXPECT_TRUE(Win().btnSplitNow->Enabled());
    EXPECT_TRUE(test::TShellRecorder::Calls().empty());
    EXPECT_EQ(test::ReadBytes(Dir / L"locked_1.txt"), "") << "piece 1 was made before the source was opened";
    EXPECT_EQ(Win().Caption(), L"Orvo大文件分割机 www.orvo.example") << "no percentage left behind";
    EXPECT_EQ(test::TShellRecorder::Taskbar().back().Percent, -1);
}

TEST_F(WindowSplit, AVanishedTargetIsReported) {
    const std::wstring source = Dir / L"src.txt";
    test::WriteBytes(source, "x\r\n");
    const std::wstring gone = Dir / L"gone";
    test::TMessageBoxAnswerer boxes(IDOK);
    SplitAndWait(source, gone, L"10");
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_THAT(boxes[0].Text, StartsWith(L"无法创建文件“" + gone + L"\\src_1.txt”："));
    EXPECT_EQ(LogLines().size(), 2u) << "nothing but the failure was logged";
    EXPECT_TRUE(Win().btnSplitNow->Enabled());

    // And the window splits again once the target is there.
    CreateDirectoryW(gone.c_str(), nullptr);
    boxes.SetButton(IDNO);
    Press(Win().btnSplitNow);
    ASSERT_TRUE(test::PumpUntil([&] { return boxes.Count() == 2 && Win().Worker() == nullptr; }, 10000));
    EXPECT_EQ(boxes[1].Caption, L"拆分完成");
    EXPECT_EQ(test::ReadBytes(gone + L"\\src_1.txt"), "x\r\n");
}

TEST_F(WindowSplit, APieceThatCannotBeWrittenStopsTheSplitAndKeepsTheEarlierOnes) {
    const std::wstring source = Dir / L"data.txt";
    test::WriteBytes(source, test::NumberedLines(1, 5));
    // A folder in the second piece's place: no file can be made there, whoever runs the test.
    const std::wstring blocked = Dir / L"data_2.txt";
    ASSERT_TRUE(CreateDirectoryW(blocked.c_str(), nullptr));
    test::TMessageBoxAnswerer boxes(IDOK);
    SplitAndWait(source, Target, L"2");

    const std::vector<std::wstring> log = LogLines();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[2], PieceDone + Target + L"data_1.txt");
    EXPECT_THAT(log[3], StartsWith(std::wstring(Failed) + L"无法创建文件“" + blocked + L"”："));
    EXPECT_EQ(test::ReadBytes(Dir / L"data_1.txt"), test::NumberedLines(1, 2));
    EXPECT_EQ(GetFileAttributesW((Dir / L"data_3.txt").c_str()), INVALID_FILE_ATTRIBUTES)
        << "no piece after the one that failed";
    EXPECT_TRUE(Win().btnSplitNow->Enabled());
}

// ---- the worker alone ----------------------------------------------------------------------------------

struct TReport {
    WPARAM Code;
    std::wstring Text;
    bool operator==(const TReport&) const = default;
};

void PrintTo(const TReport& r, std::ostream* os) {
    *os << "{" << r.Code << ", " << Utf8Encode(r.Text) << "}";
}

// A window that keeps the reports it is sent.
class TReportSink {
public:
    TReportSink() {
        static const ATOM atom = [] {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = &Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"OrvoReportSink";
            return RegisterClassExW(&wc);
        }();
        (void)atom;
        FWindow = CreateWindowExW(0, L"OrvoReportSink", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TReportSink() { DestroyWindow(FWindow); }
    HWND Window() const { return FWindow; }
    std::vector<TReport> Reports;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_SPLIT_REPORT) return DefWindowProcW(window, message, wParam, lParam);
        auto* self = reinterpret_cast<TReportSink*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        self->Reports.push_back({wParam, reinterpret_cast<const wchar_t*>(lParam)});
        return 1;
    }
    HWND FWindow;
};

std::vector<TReport> RunWorker(int lines, const std::wstring& source, const std::wstring& target) {
    TReportSink sink;
    TSplitFileThread worker(lines, source, target, sink.Window());
    EXPECT_FALSE(worker.Started()) << "created suspended";
    worker.Start();
    worker.WaitFor();
    EXPECT_FALSE(worker.FatalException()) << "every failure is reported, none escapes";
    return sink.Reports;
}

TEST(SplitWorker, ReportsEveryFullPieceThenTheTargetDirectory) {
    test::TTempDir dir(L"工作线程");
    const std::wstring target = dir.Path().wstring() + L"\\";
    const std::wstring source = dir / L"日志.txt";
    test::WriteBytes(source, "a\nb\r\nc\rd\x1A"
                             "ignored\n");
    EXPECT_THAT(RunWorker(2, source, target),
                ElementsAre(TReport{SR_PROGRESS, Starting},
                            TReport{SR_PROGRESS, PieceDone + target + L"日志_1.txt"},
                            TReport{SR_DONE, target}));
    EXPECT_EQ(test::ReadBytes(dir / L"日志_1.txt"), "a\r\nb\r\n");
    EXPECT_EQ(test::ReadBytes(dir / L"日志_2.txt"), "cd\r\n") << "a lone CR is dropped, Ctrl-Z ends the text";
    EXPECT_FALSE(std::filesystem::exists(dir / L"日志_3.txt"));
}

TEST(SplitWorker, EndsEveryRunWithOneFinalReport) {
    test::TTempDir dir;
    const std::wstring target = dir.Path().wstring() + L"\\";
    const std::wstring present = dir / L"present.txt";
    test::WriteBytes(present, "x\n");
    struct TCase {
        int Lines;
        std::wstring Source;
        std::wstring Target;
        const wchar_t* Starts;
    };
    const TCase cases[] = {
        {10, dir / L"missing.txt", target, L"无法打开文件“"},
        {10, present, target + L"no such dir\\", L"无法创建文件“"},
        {0, present, target, L""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(Utf8Encode(c.Source + L" -> " + c.Target));
        const std::vector<TReport> reports = RunWorker(c.Lines, c.Source, c.Target);
        ASSERT_FALSE(reports.empty());
        EXPECT_EQ(reports.back().Code, SR_FAILED);
        EXPECT_THAT(reports.back().Text, StartsWith(c.Starts));
        EXPECT_FALSE(reports.back().Text.empty());
        EXPECT_EQ(std::count_if(reports.begin(), reports.end(),
                                [](const TReport& r) { return r.Code != SR_PROGRESS; }),
                  1);
    }
}

} // namespace
} // namespace orvo
