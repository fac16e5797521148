#include "app/settings_file.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string_view>

namespace orvo {

namespace {

constexpr wchar_t FolderVariable[] = L"ORVO_SETTINGS_DIR";
constexpr wchar_t FolderName[] = L"Orvo";
constexpr wchar_t FileName[] = L"settings.ini";

struct THandleCloser {
    void operator()(HANDLE h) const noexcept { CloseHandle(h); }
};
using THandle = std::unique_ptr<void, THandleCloser>;

std::wstring SystemReason(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD size = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                          FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason = size && text ? std::wstring(text, size) : L"错误 " + std::to_wstring(code);
    if (text) LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
        reason.pop_back();
    return reason;
}

// Called at once after the failed call: the system's reason is still the last error.
std::wstring Failed(const wchar_t* action, const std::wstring& path) {
    const DWORD code = GetLastError();
    return std::wstring(L"设置未能保存：") + action + L" " + path + L" 失败（" + SystemReason(code) + L"）";
}

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

} // namespace

std::wstring SettingsFilePath() {
    wchar_t buffer[MAX_PATH * 2]{};
    const DWORD length = GetEnvironmentVariableW(FolderVariable, buffer, MAX_PATH * 2);
    if (length > 0 && length < MAX_PATH * 2) return std::wstring(buffer) + L"\\" + FileName;
    wchar_t appData[MAX_PATH]{};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) return {};
    return std::wstring(appData) + L"\\" + FolderName + L"\\" + FileName;
}

TWindowSettings LoadSettingsFile(const std::wstring& path) {
    if (path.empty()) return {};
    THandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return {};
    }
    // One byte more than a settings file may hold, so a larger one is seen as such.
    std::string text(MaxSettingsText + 1, '\0');
    DWORD done = 0;
    std::size_t filled = 0;
    while (filled < text.size() &&
           ReadFile(file.get(), text.data() + filled, static_cast<DWORD>(text.size() - filled), &done, nullptr) &&
           done > 0)
        filled += done;
    text.resize(filled);
    return ParseWindowSettings(text);
}

std::wstring SaveSettingsFile(const std::wstring& path, const TWindowSettings& settings) {
    if (path.empty()) return L"设置未能保存：找不到用户的应用程序数据目录";
    const std::wstring folder = FolderOf(path);
    if (!folder.empty() && !CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return Failed(L"创建目录", folder);
    const std::wstring temporary = path + L".tmp";
    const std::string text = FormatWindowSettings(settings);
    {
        THandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() == INVALID_HANDLE_VALUE) {
            file.release();
            return Failed(L"写入", temporary);
        }
        DWORD written = 0;
        const bool ok = WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                        written == text.size() && FlushFileBuffers(file.get());
        if (!ok) {
            std::wstring failure = Failed(L"写入", temporary);
            file.reset();
            DeleteFileW(temporary.c_str());
            return failure;
        }
    }
    if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        std::wstring failure = Failed(L"替换", path);
        DeleteFileW(temporary.c_str());
        return failure;
    }
    return {};
}

} // namespace orvo
