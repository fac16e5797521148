// OrvoSplitter.exe started by a test as the user starts it, with its settings file in a folder of
// the test's (ORVO_SETTINGS_DIR), and asked from outside for its windows and texts.
#pragma once

#include "skin/data/skin_protocol.h"
#include "tests/framework/support/other_process.h"

#include <string>
#include <vector>
#include <windows.h>

namespace orvo::test {

inline BOOL CALLBACK CollectChild(HWND w, LPARAM found) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(w);
    return TRUE;
}

inline std::wstring FullText(HWND w) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(w, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(SendMessageW(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

// OrvoSplitter.exe with its settings in a folder of the test's.
class TSplitterWithSettings {
public:
    explicit TSplitterWithSettings(const std::wstring& settingsDir) {
        SetEnvironmentVariableW(L"ORVO_SETTINGS_DIR", settingsDir.c_str());
        std::wstring command = L"\"" + WinePath(ORVO_SPLITTER_EXE) + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        FStarted = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &FProcess) != FALSE;
        SetEnvironmentVariableW(L"ORVO_SETTINGS_DIR", nullptr);
        if (!FStarted) return;
        WaitFor([&] {
            FMain = TopWindow(L"TfMainWin");
            return FMain && Ask(FMain, SKM_ISSKINNED) == 1;
        });
        WaitFor([] { return false; }, 400); // the first skinning and its resize
    }
    ~TSplitterWithSettings() {
        if (!FStarted) return;
        if (WaitForSingleObject(FProcess.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(FProcess.hProcess, 3);
        WaitForSingleObject(FProcess.hProcess, 5000);
        CloseHandle(FProcess.hProcess);
        CloseHandle(FProcess.hThread);
    }

    HWND Main() const { return FMain; }
    // The child window of the main window of class `cls` showing `text`.
    HWND Child(const std::wstring& cls, const std::wstring& text) const {
        for (HWND w : Children())
            if (ClassOf(w) == cls && FullText(w) == text) return w;
        return nullptr;
    }
    // A dialog box (a message box among them) of the program.
    HWND Dialog() const { return TopWindow(L"#32770"); }
    bool Close() {
        PostMessageW(FMain, WM_CLOSE, 0, 0);
        return WaitForSingleObject(FProcess.hProcess, 8000) == WAIT_OBJECT_0;
    }
    std::vector<std::wstring> TextsOf(const std::wstring& cls) const {
        std::vector<std::wstring> texts;
        for (HWND w : Children())
            if (ClassOf(w) == cls) texts.push_back(FullText(w));
        return texts;
    }
    COLORREF ClientPixel() const {
        SetForegroundWindow(FMain);
        RedrawWindow(FMain, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        WaitFor([] { return false; }, 300);
        POINT p{530, 345}; // the form's own face, below the log
        ClientToScreen(FMain, &p);
        HDC screen = GetDC(nullptr);
        const COLORREF c = GetPixel(screen, p.x, p.y);
        ReleaseDC(nullptr, screen);
        return c;
    }

private:
    std::vector<HWND> Children() const {
        std::vector<HWND> children;
        EnumChildWindows(FMain, &CollectChild, reinterpret_cast<LPARAM>(&children));
        return children;
    }
    HWND TopWindow(const wchar_t* cls) const {
        HWND w = nullptr;
        while ((w = FindWindowExW(nullptr, w, cls, nullptr))) {
            DWORD process = 0;
            GetWindowThreadProcessId(w, &process);
            if (process == FProcess.dwProcessId && IsWindowVisible(w)) return w;
        }
        return nullptr;
    }

    PROCESS_INFORMATION FProcess{};
    bool FStarted = false;
    HWND FMain = nullptr;
};

} // namespace orvo::test
