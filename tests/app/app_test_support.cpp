#include "tests/app/app_test_support.h"

#include "app/program.h"
#include "app/split_file_thread.h"
#include "app/taskbar_progress.h"

#include <shlobj.h>

#include <cstring>
#include <fstream>

namespace orvo::test {

namespace {

HINSTANCE WINAPI RecordShell(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                             INT show) {
    TShellRecorder::Calls().push_back({owner, verb ? verb : L"", file ? file : L"",
                                       parameters ? parameters : L"", directory != nullptr, show});
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
}

BOOL WINAPI RecordBeep(UINT type) {
    TShellRecorder::Beeps().push_back(type);
    return TRUE;
}

void RecordTaskbar(HWND window, int percent) {
    wchar_t caption[512] = L"";
    GetWindowTextW(window, caption, 512);
    TShellRecorder::Taskbar().push_back({window, percent, caption});
}

} // namespace

TShellRecorder::TShellRecorder()
    : FShell(ShellExecuteCall), FBeep(MessageBeepCall), FTaskbar(TaskbarProgressCall) {
    Calls().clear();
    Beeps().clear();
    Taskbar().clear();
    ShellExecuteCall = &RecordShell;
    MessageBeepCall = &RecordBeep;
    TaskbarProgressCall = &RecordTaskbar;
}

TShellRecorder::~TShellRecorder() {
    ShellExecuteCall = FShell;
    MessageBeepCall = FBeep;
    TaskbarProgressCall = FTaskbar;
}

std::vector<TTaskbarState>& TShellRecorder::Taskbar() {
    static std::vector<TTaskbarState> calls;
    return calls;
}

std::vector<TShellCall>& TShellRecorder::Calls() {
    static std::vector<TShellCall> calls;
    return calls;
}

std::vector<UINT>& TShellRecorder::Beeps() {
    static std::vector<UINT> beeps;
    return beeps;
}

TTempDir::TTempDir(const std::wstring& name) {
    static int serial = 0;
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    // Process ids come back in a fresh Wine session: the tick count keeps names apart.
    FPath = std::filesystem::path(temp) /
            (L"orvo-" + name + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
             std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++serial));
    std::filesystem::create_directories(FPath);
}

namespace {

// Removes a folder and everything in it, read-only items and paths past MAX_PATH included.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(folder.c_str());
}

} // namespace

TTempDir::~TTempDir() {
    // The file dialogs make the folder they showed the current one, which cannot be removed.
    SetCurrentDirectoryW(FPath.parent_path().c_str());
    RemoveTree(L"\\\\?\\" + FPath.wstring());
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return {};
    std::string bytes(static_cast<std::size_t>(file.tellg()), '\0');
    file.seekg(0);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

std::string NumberedLines(int first, int count) {
    std::string text;
    for (int i = first; i < first + count; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    return text;
}

AppWindow::AppWindow() {
    StartProgram();
    fMainWin->Show();
    PumpUntil([] { return IsWindowVisible(fMainWin->Handle()) != FALSE; });
    SetForegroundWindow(fMainWin->Handle());
    Pump(30);
}

AppWindow::~AppWindow() {
    delete fAboutDlg;
    delete fMainWin;
    Pump(10);
}

std::vector<std::wstring> AppWindow::LogLines() {
    // The log box shows new lines within a moment, not at each report.
    Pump(150);
    TStrings& lines = *Win().MemoLog->Lines();
    std::vector<std::wstring> result;
    for (int i = 0; i < lines.Count(); ++i)
        result.push_back(lines[i]);
    return result;
}

void AppWindow::Press(TWinControl* button) {
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
}

void AppWindow::SplitAndWait(const std::wstring& source, const std::wstring& target,
                             const std::wstring& lines) {
    Win().edtFileToSplit->SetText(source);
    Win().edtSaveToDir->SetText(target);
    Win().edtSplitLineNum->SetText(lines);
    Press(Win().btnSplitNow);
    ASSERT_TRUE(PumpUntil([&] { return Win().Worker() == nullptr && Win().btnSplitNow->Enabled(); }, 20000))
        << "the split ends with its button enabled and its worker released";
}

} // namespace orvo::test
