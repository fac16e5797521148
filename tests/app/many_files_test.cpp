// Several files split at once: dropped on the source field or chosen together in the open-file
// dialog, split one after another into the target folder or each into its own; the log says which
// file of how many, a file that fails is reported and the next goes on, the folder is offered once.
#include "app/path_text.h"
#include "tests/app/app_test_support.h"
#include "tests/framework/support/dialog_answerer.h"
#include "tests/framework/support/message_box_answerer.h"

#include <gmock/gmock.h>

#include <dlgs.h>

namespace orvo {
namespace {

using test::AppWindow;
using testing::Contains;
using testing::HasSubstr;

class ManyFiles : public AppWindow {
protected:
    // Source i holds 5 * i numbered lines.
    std::wstring Source(const test::TTempDir& dir, int i) {
        const std::wstring path = dir / (L"源" + std::to_wstring(i) + L".txt");
        test::WriteBytes(path, test::NumberedLines(1, 5 * i));
        return path;
    }
    void Drop(const std::vector<std::wstring>& paths) {
        SendMessageW(Win().edtFileToSplit->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop(paths)), 0);
    }
    // Source i, split by the window's 100 lines, is its one piece.
    void ExpectPiece(const std::filesystem::path& folder, int i) {
        EXPECT_EQ(test::ReadBytes(folder / (L"源" + std::to_wstring(i) + L"_1.txt")), test::NumberedLines(1, 5 * i)) << i;
        EXPECT_FALSE(std::filesystem::exists(folder / (L"源" + std::to_wstring(i) + L"_2.txt"))) << i;
    }

    test::TTempDir Sources{L"多个源"};
    test::TTempDir Target{L"多个目标"};
};

TEST_F(ManyFiles, FiveDroppedFilesAreSplitInTurnAndOneThatFailsDoesNotStopTheOthers) {
    std::vector<std::wstring> paths;
    for (int i = 1; i <= 5; ++i)
        paths.push_back(Source(Sources, i));
    Drop(paths);
    EXPECT_EQ(SplitSourcePaths(Win().edtFileToSplit->Text()), paths);
    std::filesystem::remove(paths[2]); // gone before its turn

    test::TMessageBoxAnswerer boxes(IDNO);
    SplitAndWait(Win().edtFileToSplit->Text(), Target.Path().wstring(), L"100");
    for (int i : {1, 2, 4, 5})
        ExpectPiece(Target.Path(), i);
    EXPECT_EQ(test::ReadBytes(Target.Path() / L"源3_1.txt"), "") << "as a single split leaves it: piece 1 comes first";

    const auto log = LogLines();
    for (int i = 1; i <= 5; ++i)
        EXPECT_THAT(log, Contains(L"第 " + std::to_wstring(i) + L"/5 个文件：" + paths[i - 1]));
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::wstring& l) { return l.starts_with(L"拆分失败："); }), 1);
    EXPECT_EQ(log.back(), L"共 5 个文件：完成 4 个，失败 1 个");
    // The failures told once at the end, then the folder offered once.
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes[0].Text, L"共 5 个文件：完成 4 个，失败 1 个");
    EXPECT_EQ(boxes[0].Flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes[1].Text, L"现在打开转换到的目录吗？");
    EXPECT_EQ(Win().Caption(), L"Orvo大文件分割机 www.orvo.example");
    EXPECT_EQ(Win().btnSplitNow->Caption(), L"立即拆分");
}

TEST_F(ManyFiles, ChosenTogetherInTheOpenDialogAndEachSplitIntoItsOwnFolder) {
    const std::wstring first = Source(Sources, 1), second = Source(Sources, 2);
    {
        Win().OpenDialog1->SetInitialDir(Sources.Path().wstring());
        test::TDialogAnswerer answer([&](HWND dialog) {
            HWND box = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
            SetWindowTextW(box, L"\"源1.txt\" \"源2.txt\"");
            test::PressButton(dialog, IDOK);
        });
        Press(Win().btnBrowser);
        ASSERT_FALSE(answer.GaveUp());
    }
    const std::vector<std::wstring> chosen = SplitSourcePaths(Win().edtFileToSplit->Text());
    ASSERT_EQ(chosen.size(), 2u) << std::string(Win().edtFileToSplit->Text().begin(), Win().edtFileToSplit->Text().end());
    EXPECT_TRUE(test::SamePath(chosen[0], first));
    EXPECT_TRUE(test::SamePath(chosen[1], second));

    // One more from another folder, dropped with them; each goes beside its source.
    const std::wstring third = Source(Target, 3);
    Drop({first, second, third});
    Press(Win().ckUseFileDir);
    Win().edtSplitLineNum->SetText(L"100");
    test::TMessageBoxAnswerer boxes(IDYES);
    Press(Win().btnSplitNow);
    ASSERT_TRUE(test::PumpUntil([&] { return Win().Worker() == nullptr && !Win().SplitRunning(); }, 20000));
    ExpectPiece(Sources.Path(), 1);
    ExpectPiece(Sources.Path(), 2);
    ExpectPiece(Target.Path(), 3);
    ASSERT_EQ(boxes.Count(), 1) << "the folder offered once";
    ASSERT_EQ(test::TShellRecorder::Calls().size(), 1u);
    EXPECT_EQ(test::TShellRecorder::Calls()[0].Parameters, L"/e, " + Target.Path().wstring() + L"\\");
}

} // namespace
} // namespace orvo
