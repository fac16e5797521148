// What the tests that drive a program in another process share: paths in Wine's form, waiting
// without pumping (the windows are not this thread's), and asking a window what any program may.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <system_error>
#include <thread>
#include <windows.h>

namespace orvo::test {

// A path of the build (Unix form) as a program under Wine sees it.
inline std::wstring WinePath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* p = unixPath; *p; ++p) path += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    return path;
}

// Sleeps until `done` holds (true) or `ms` milliseconds passed (false).
inline bool WaitFor(const std::function<bool()>& done, int ms = 8000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

inline std::wstring ClassOf(HWND w) {
    wchar_t name[101]{};
    GetClassNameW(w, name, 101);
    return name;
}

inline std::wstring TextOf(HWND w) {
    wchar_t text[512]{};
    GetWindowTextW(w, text, 512);
    return text;
}

// A message with at most a WParam, answered within two seconds; -1 when the window does not answer.
inline LRESULT Ask(HWND w, UINT message, WPARAM wParam = 0) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(w, message, wParam, 0, SMTO_ABORTIFHUNG, 2000, &answer)) return -1;
    return static_cast<LRESULT>(answer);
}

// While it lives, the programs this process starts keep their settings in a folder of their own
// (ORVO_SETTINGS_DIR), new and empty: what one program saves at its end (a box a test ticked) is
// not what the next one starts with. The variable is put back and the folder removed after.
class TFreshSettings {
public:
    TFreshSettings() {
        static std::atomic<int> count{0};
        std::error_code ignored;
        FDir = std::filesystem::temp_directory_path(ignored) /
               (L"orvo-settings-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++count));
        std::filesystem::create_directories(FDir, ignored);
        wchar_t old[MAX_PATH * 2]{};
        const DWORD n = GetEnvironmentVariableW(L"ORVO_SETTINGS_DIR", old, MAX_PATH * 2);
        FHadOld = n > 0 && n < MAX_PATH * 2;
        if (FHadOld) FOld = old;
        SetEnvironmentVariableW(L"ORVO_SETTINGS_DIR", FDir.c_str());
    }
    ~TFreshSettings() {
        SetEnvironmentVariableW(L"ORVO_SETTINGS_DIR", FHadOld ? FOld.c_str() : nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(FDir, ignored);
    }
    TFreshSettings(const TFreshSettings&) = delete;
    TFreshSettings& operator=(const TFreshSettings&) = delete;

    const std::filesystem::path& Dir() const { return FDir; }

private:
    std::filesystem::path FDir;
    std::wstring FOld;
    bool FHadOld = false;
};

} // namespace orvo::test
