#include "app/drop_files.h"

#include "app/path_text.h"
#include "framework/forms/application.h"
#include "framework/controls/edit.h"
#include "framework/base/properties.h"

#include <shellapi.h>

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(DropFiles);

namespace {
constexpr wchar_t FileWanted[] = L"请选择文件拖放到这里，不可以选择目录！";
constexpr wchar_t DirectoryWanted[] = L"请选择目录拖放到这里！";
} // namespace

DropFiles::DropFiles(TCustomEdit* edit) : FEdit(edit) {}

void DropFiles::Attach() {
    DragAcceptFiles(FEdit->Handle(), TRUE);
    FOldWndProc = FEdit->WindowProc;
    FEdit->WindowProc = [this](TMessage& message) { WndProc(message); };
}

bool DropFiles::IsDirectory(const std::wstring& path) {
    const DWORD attributes = PathAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void DropFiles::WndProc(TMessage& message) {
    if (message.Msg != WM_DROPFILES) {
        FOldWndProc(message);
        return;
    }
    HDROP drop = reinterpret_cast<HDROP>(message.WParam);
    // The drop handle is released even when a handler throws.
    struct TFinish {
        HDROP Drop;
        ~TFinish() { DragFinish(Drop); }
    } finish{drop};
    HandleDrop(drop);
    message.Result = 0;
}

void DropFiles::HandleDrop(HDROP drop) {
    FFiles.clear();
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // Asked for its length first, so no path is cut short.
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), length + 1));
        HandleItem(path);
    }
    // Every file of one drop, each once, in the order dropped.
    if (!FFiles.empty()) FEdit->SetText(JoinSourcePaths(FFiles));
}

void DropFiles::HandleItem(const std::wstring& path) {
    FDropped = path;
    switch (FMode) {
    case ModeFiles:
        if (IsDirectory(FDropped))
            Application->MessageBox(FileWanted);
        else if (std::find(FFiles.begin(), FFiles.end(), FDropped) == FFiles.end())
            FFiles.push_back(FDropped);
        break;
    case ModeDirectories:
        if (IsDirectory(FDropped))
            FEdit->SetText(FDropped);
        else
            Application->MessageBox(DirectoryWanted);
        break;
    default:
        break;
    }
}

} // namespace orvo
