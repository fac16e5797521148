// What the splitter's tests share: the shell and beep seams recorded, temporary folders, files
// written and read back, and the two forms created as the program creates them.
#pragma once

#include "app/about_dlg.h"
#include "app/main_win.h"
#include "app/shell_calls.h"
#include "framework/forms/application.h"
#include "framework/base/sysutils.h"
#include "tests/framework/support/file_drag.h"
#include "tests/framework/support/pump.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace orvo::test {

struct TShellCall {
    HWND Owner = nullptr;
    std::wstring Verb;
    std::wstring File;
    std::wstring Parameters;
    bool HasDirectory = false;
    int Show = 0;
};

struct TTaskbarState {
    HWND Window = nullptr;
    int Percent = 0;      // -1: taken away
    std::wstring Caption; // the window's caption at the time
};

// Replaces the program's shell, beep and taskbar calls for its lifetime and records them.
class TShellRecorder {
public:
    TShellRecorder();
    ~TShellRecorder();
    TShellRecorder(const TShellRecorder&) = delete;
    TShellRecorder& operator=(const TShellRecorder&) = delete;

    static std::vector<TShellCall>& Calls();
    static std::vector<UINT>& Beeps();
    static std::vector<TTaskbarState>& Taskbar();

private:
    TShellExecuteFunc FShell;
    TMessageBeepFunc FBeep;
    void (*FTaskbar)(HWND, int);
};

// A fresh folder under the temporary folder (with a Chinese name), removed with everything in it,
// read-only files included.
class TTempDir {
public:
    explicit TTempDir(const std::wstring& name = L"拆分测试");
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::filesystem::path& Path() const { return FPath; }
    std::wstring operator/(const std::wstring& name) const { return (FPath / name).wstring(); }

private:
    std::filesystem::path FPath;
};

void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
std::string ReadBytes(const std::filesystem::path& path);
// "line 1\r\n" ... "line count\r\n"
std::string NumberedLines(int first, int count);

// The main window and the About dialog, created as the program creates them, the main window
// shown; both freed afterwards.
class AppWindow : public ::testing::Test {
protected:
    AppWindow();
    ~AppWindow() override;

    TfMainWin& Win() { return *fMainWin; }
    std::vector<std::wstring> LogLines();
    // A click as the button gets it from the mouse (BM_CLICK); returns when the handler has.
    static void Press(TWinControl* button);
    // Starts a split of `source` into `target` and waits until its last report has been answered.
    void SplitAndWait(const std::wstring& source, const std::wstring& target, const std::wstring& lines);

    TShellRecorder Shell;
};

} // namespace orvo::test
