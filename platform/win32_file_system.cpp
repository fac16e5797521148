// The file system of Windows, through the wide API.
#include "platform/file_system.h"
#include "platform/wide_text.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace orvo {

TSystemError SystemErrorFromCode(int code) {
    const DWORD id = static_cast<DWORD>(code);
    wchar_t* text = nullptr;
    // Language 0: the system's own language, as the user reads it everywhere else.
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, id, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message;
    if (length > 0 && text != nullptr)
        message = TrimSystemMessage(WideToUtf8(std::wstring_view(text, length)));
    if (text != nullptr) LocalFree(text);
    if (message.empty()) {
        char fallback[48];
        std::snprintf(fallback, sizeof fallback, "系统错误 %lu", static_cast<unsigned long>(id));
        message = fallback;
    }
    return {code, std::move(message)};
}

TSystemError LastSystemError() {
    return SystemErrorFromCode(static_cast<int>(GetLastError()));
}

namespace {

// A file handle that is closed exactly once.
class THandleFile {
public:
    explicit THandleFile(HANDLE handle) : FHandle(handle) {}
    ~THandleFile() {
        if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
    }
    THandleFile(const THandleFile&) = delete;
    THandleFile& operator=(const THandleFile&) = delete;

    HANDLE Handle() const { return FHandle; }

    bool Close(TSystemError& error) {
        const BOOL closed = CloseHandle(FHandle);
        FHandle = INVALID_HANDLE_VALUE;
        if (!closed) error = LastSystemError();
        return closed != 0;
    }

private:
    HANDLE FHandle;
};

// ReadFile and WriteFile take 32-bit sizes.
constexpr std::size_t MaxTransfer = 1u << 30;

class TWin32InputFile final : public TInputFile {
public:
    explicit TWin32InputFile(HANDLE handle) : FFile(handle) {}

    bool Read(char* buffer, std::size_t size, std::size_t& got, TSystemError& error) override {
        DWORD n = 0;
        if (!ReadFile(FFile.Handle(), buffer, static_cast<DWORD>(std::min(size, MaxTransfer)), &n, nullptr)) {
            error = LastSystemError();
            return false;
        }
        got = n;
        return true;
    }

    bool Close(TSystemError& error) override { return FFile.Close(error); }

    bool Size(std::uint64_t& size) override {
        LARGE_INTEGER value{};
        if (!GetFileSizeEx(FFile.Handle(), &value) || value.QuadPart < 0) return TInputFile::Size(size);
        size = static_cast<std::uint64_t>(value.QuadPart);
        return true;
    }

private:
    THandleFile FFile;
};

class TWin32OutputFile final : public TOutputFile {
public:
    explicit TWin32OutputFile(HANDLE handle) : FFile(handle) {}

    bool Write(const char* data, std::size_t size, TSystemError& error) override {
        while (size > 0) {
            DWORD n = 0;
            if (!WriteFile(FFile.Handle(), data, static_cast<DWORD>(std::min(size, MaxTransfer)), &n,
                           nullptr)) {
                error = LastSystemError();
                return false;
            }
            if (n == 0) { // nothing written and no error: report it rather than spin
                error = SystemErrorFromCode(ERROR_WRITE_FAULT);
                return false;
            }
            data += n;
            size -= n;
        }
        return true;
    }

    bool Close(TSystemError& error) override { return FFile.Close(error); }

private:
    THandleFile FFile;
};

bool WidePath(const std::string& path, std::wstring& wide, TSystemError& error) {
    if (ToWin32Path(path, wide)) return true;
    error = SystemErrorFromCode(ERROR_NO_UNICODE_TRANSLATION);
    return false;
}

class TWin32FileSystem final : public TFileSystem {
public:
    std::unique_ptr<TInputFile> OpenRead(const std::string& path, TSystemError& error) override {
        std::wstring wide;
        if (!WidePath(path, wide, error)) return nullptr;
        const HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            error = LastSystemError();
            return nullptr;
        }
        return std::make_unique<TWin32InputFile>(handle);
    }

    std::unique_ptr<TOutputFile> Create(const std::string& path, TSystemError& error) override {
        return Open(path, CREATE_ALWAYS, error);
    }

    std::unique_ptr<TOutputFile> CreateNew(const std::string& path, TSystemError& error) override {
        return Open(path, CREATE_NEW, error);
    }

    bool Rename(const std::string& from, const std::string& to, TSystemError& error) override {
        std::wstring wideFrom;
        std::wstring wideTo;
        if (!WidePath(from, wideFrom, error) || !WidePath(to, wideTo, error)) return false;
        if (MoveFileExW(wideFrom.c_str(), wideTo.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        error = LastSystemError();
        return false;
    }

    bool Remove(const std::string& path, TSystemError& error) override {
        std::wstring wide;
        if (!WidePath(path, wide, error)) return false;
        if (DeleteFileW(wide.c_str())) return true;
        error = LastSystemError();
        return false;
    }

    bool ListDirectory(const std::string& path, std::vector<std::string>& names, TSystemError& error) override {
        std::wstring wide;
        if (!WidePath(path.empty() ? std::string(".") : path, wide, error)) return false;
        if (!wide.empty() && wide.back() != L'\\' && wide.back() != L'/') wide += L'\\';
        wide += L'*';
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW(wide.c_str(), &found);
        names.clear();
        if (search == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_NOT_FOUND) return true;
            error = LastSystemError();
            return false;
        }
        do {
            const std::wstring_view name = found.cFileName;
            if (name != L"." && name != L"..") names.push_back(WideToUtf8(name));
        } while (FindNextFileW(search, &found));
        const DWORD failure = GetLastError();
        FindClose(search);
        if (failure == ERROR_NO_MORE_FILES) return true;
        error = SystemErrorFromCode(static_cast<int>(failure));
        return false;
    }

    bool Status(const std::string& path, TFileStatus& status, TSystemError& error) override {
        status = {};
        std::wstring wide;
        if (!WidePath(path, wide, error)) return false;
        // No access asked: the file's identity is readable even while another program writes it.
        const HANDLE handle = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            const DWORD failure = GetLastError();
            if (failure == ERROR_FILE_NOT_FOUND || failure == ERROR_PATH_NOT_FOUND) return true;
            error = SystemErrorFromCode(static_cast<int>(failure));
            return false;
        }
        BY_HANDLE_FILE_INFORMATION info{};
        const BOOL known = GetFileInformationByHandle(handle, &info);
        if (!known) error = LastSystemError();
        CloseHandle(handle);
        if (!known) return false;
        status.Exists = true;
        status.Directory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        status.Size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
        status.Device = info.dwVolumeSerialNumber;
        status.Id = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
        return true;
    }

private:
    static std::unique_ptr<TOutputFile> Open(const std::string& path, DWORD how, TSystemError& error) {
        std::wstring wide;
        if (!WidePath(path, wide, error)) return nullptr;
        const HANDLE handle =
            CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, how, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            error = LastSystemError();
            return nullptr;
        }
        return std::make_unique<TWin32OutputFile>(handle);
    }
};

} // namespace

TFileSystem& NativeFileSystem() {
    static TWin32FileSystem system;
    return system;
}

bool IsDirectory(const std::string& path, TSystemError& error) {
    std::wstring wide;
    if (!WidePath(path, wide, error)) return false;
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        error = LastSystemError();
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        error = SystemErrorFromCode(ERROR_DIRECTORY);
        return false;
    }
    return true;
}

} // namespace orvo
