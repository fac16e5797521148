// Tests at other display scales, under Wine. Wine gives a process the DPI of the prefix's
// HKCU\Control Panel\Desktop\LogPixels as it is when the process starts (its monitors, the system
// metrics, the fonts of the non-client metrics and GetDpiForWindow all follow it). A driver test
// (at 96 itself) sets the value, starts a program or a child test process, drives and measures it
// from outside, and puts 96 back: as soon as the program has shown a window (it has read the value
// then) or the child test process has ended, and again when the scope ends, a failed assertion
// included. The test programs that do this require the ctest fixture "dpi"
// (tests/framework/support/dpi.cmake), whose cleanup sets 96 even after a driver that crashed.
// ctest runs the test programs one at a time; keep it so, a test program started meanwhile would
// start at the wrong DPI.
//
//   TDpiScope          LogPixels for the processes started while it lives
//   TProgramAtDpi      a program started at a DPI: its windows, its end
//   RunTestsAtDpi      tests of this test program, run in a child process at a DPI
//   ChildTestDpi       in such a child: the DPI it was started at (0 in the driver)
//   WindowRectIn       a window's rectangle in another window's client coordinates
//
// On Windows itself the value is the system DPI from the next sign-in; these helpers are for the
// test prefix only.
#pragma once

#include <windows.h>

#include "tests/framework/support/other_process.h"

#include <cstdlib>
#include <functional>
#include <string>

namespace orvo::test {

inline constexpr wchar_t DesktopKey[] = L"Control Panel\\Desktop";

inline int PrefixLogPixels() {
    DWORD value = 0, size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, DesktopKey, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return 96;
    return static_cast<int>(value);
}

inline bool SetPrefixLogPixels(int dpi) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, DesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const DWORD value = static_cast<DWORD>(dpi);
    const bool ok = RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                   sizeof value) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

// LogPixels for the processes started while the scope lives; 96 again when it ends.
class TDpiScope {
public:
    explicit TDpiScope(int dpi) { SetPrefixLogPixels(dpi); }
    ~TDpiScope() { Restore(); }
    TDpiScope(const TDpiScope&) = delete;
    TDpiScope& operator=(const TDpiScope&) = delete;
    // 96 again now (the processes started so far keep their DPI).
    void Restore() { SetPrefixLogPixels(96); }
};

// Handles this thread's messages while waiting (a driver may own windows too).
inline bool WaitUntil(const std::function<bool()>& done, int ms = 10000) {
    for (int waited = 0;; waited += 20) {
        if (done()) return true;
        if (waited >= ms) return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(20);
    }
}

// A window's rectangle in the client coordinates of another (its parent, its form).
inline RECT WindowRectIn(HWND window, HWND reference) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, reference, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A program started at a DPI; terminated when the object goes if it still runs.
class TProgramAtDpi {
public:
    TProgramAtDpi(int dpi, const std::wstring& commandLine) : FScope(dpi) {
        std::wstring command = commandLine;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        FStarted = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &FProcess) != FALSE;
    }
    ~TProgramAtDpi() {
        if (FStarted) {
            if (WaitForSingleObject(FProcess.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(FProcess.hProcess, 3);
            WaitForSingleObject(FProcess.hProcess, 5000);
            CloseHandle(FProcess.hProcess);
            CloseHandle(FProcess.hThread);
        }
    }
    TProgramAtDpi(const TProgramAtDpi&) = delete;
    TProgramAtDpi& operator=(const TProgramAtDpi&) = delete;

    bool Started() const noexcept { return FStarted; }
    DWORD ProcessId() const noexcept { return FProcess.dwProcessId; }
    HANDLE Process() const noexcept { return FProcess.hProcess; }
    bool Running() const { return FStarted && WaitForSingleObject(FProcess.hProcess, 0) == WAIT_TIMEOUT; }

    // A visible window of the program of that class (and caption, when given), top-level or
    // inside `parent`; null when none came within `ms`. The first one found puts 96 back: the
    // program has read its DPI by then.
    HWND WaitForWindow(const std::wstring& className, HWND parent = nullptr, const std::wstring& caption = {},
                       int ms = 10000) {
        HWND found = nullptr;
        WaitUntil([&] { return (found = FindWindowOf(className, parent, caption)) != nullptr; }, ms);
        if (found) FScope.Restore();
        return found;
    }
    HWND FindWindowOf(const std::wstring& className, HWND parent = nullptr, const std::wstring& caption = {}) const {
        TSearch search{FProcess.dwProcessId, className, caption, nullptr};
        if (parent)
            EnumChildWindows(parent, &Visit, reinterpret_cast<LPARAM>(&search));
        else
            EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
        return search.Found;
    }

private:
    struct TSearch {
        DWORD Process;
        std::wstring Class, Caption;
        HWND Found;
    };
    static BOOL CALLBACK Visit(HWND window, LPARAM data) {
        auto* s = reinterpret_cast<TSearch*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != s->Process || !IsWindowVisible(window) || ClassOf(window) != s->Class) return TRUE;
        if (!s->Caption.empty() && TextOf(window) != s->Caption) return TRUE;
        s->Found = window;
        return FALSE;
    }

    TDpiScope FScope;
    PROCESS_INFORMATION FProcess{};
    bool FStarted = false;
};

// In a child test process started by RunTestsAtDpi: the DPI it runs at; 0 in any other process.
inline int ChildTestDpi() {
    const char* value = std::getenv("ORVO_TEST_DPI");
    return value ? std::atoi(value) : 0;
}

struct TChildRun {
    DWORD ExitCode = 0xFFFFFFFF; // gtest's: 0 when every test passed
    std::string Output;
};

// Runs the tests of this test program that `filter` picks (a --gtest_filter pattern) in a child
// process at `dpi`, with ORVO_TEST_DPI set, and answers its exit code and output. The tests it runs
// skip themselves where ChildTestDpi() is 0, so the driver's own run passes over them.
inline TChildRun RunTestsAtDpi(int dpi, const std::string& filter, int timeoutMs = 120000) {
    TChildRun run;
    wchar_t exe[MAX_PATH]{};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_filter=" +
                           std::wstring(filter.begin(), filter.end());
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    const std::wstring dpiText = std::to_wstring(dpi);
    SetEnvironmentVariableW(L"ORVO_TEST_DPI", dpiText.c_str());
    // The value stays until the child ends: a console program reads it whenever it first asks.
    TDpiScope scope(dpi);
    const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                        &startup, &process) != FALSE;
    SetEnvironmentVariableW(L"ORVO_TEST_DPI", nullptr);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return run;
    }
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    char buffer[4096];
    for (;;) {
        DWORD waiting = 0, got = 0;
        while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0 &&
               ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
            run.Output.append(buffer, got);
        if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0) break;
        if (GetTickCount64() > end) {
            TerminateProcess(process.hProcess, 3);
            run.Output += "\n[the child did not end in time]\n";
            WaitForSingleObject(process.hProcess, 5000);
            break;
        }
    }
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
        run.Output.append(buffer, got);
    CloseHandle(readEnd);
    GetExitCodeProcess(process.hProcess, &run.ExitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return run;
}

} // namespace orvo::test
