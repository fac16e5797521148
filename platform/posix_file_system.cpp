// The file system of POSIX systems (the native build).
#include "platform/file_system.h"

#include <cerrno>
#include <dirent.h>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace orvo {

TSystemError SystemErrorFromCode(int code) {
    return {code, TrimSystemMessage(std::generic_category().message(code))};
}

TSystemError LastSystemError() {
    return SystemErrorFromCode(errno);
}

namespace {

// A file descriptor that is closed exactly once.
class TDescriptor {
public:
    explicit TDescriptor(int fd) : FFd(fd) {}
    ~TDescriptor() {
        if (FFd >= 0) ::close(FFd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;

    int Fd() const { return FFd; }

    // Linux closes the descriptor even when close() is interrupted, so EINTR is no failure.
    bool Close(TSystemError& error) {
        const int result = ::close(FFd);
        FFd = -1;
        if (result != 0 && errno != EINTR) {
            error = LastSystemError();
            return false;
        }
        return true;
    }

private:
    int FFd;
};

class TPosixInputFile final : public TInputFile {
public:
    explicit TPosixInputFile(int fd) : FFile(fd) {}

    bool Read(char* buffer, std::size_t size, std::size_t& got, TSystemError& error) override {
        for (;;) {
            const ssize_t n = ::read(FFile.Fd(), buffer, size);
            if (n >= 0) {
                got = static_cast<std::size_t>(n);
                return true;
            }
            if (errno != EINTR) {
                error = LastSystemError();
                return false;
            }
        }
    }

    bool Close(TSystemError& error) override { return FFile.Close(error); }

    bool Size(std::uint64_t& size) override {
        struct stat status{};
        if (::fstat(FFile.Fd(), &status) != 0 || !S_ISREG(status.st_mode)) return TInputFile::Size(size);
        size = static_cast<std::uint64_t>(status.st_size);
        return true;
    }

private:
    TDescriptor FFile;
};

class TPosixOutputFile final : public TOutputFile {
public:
    explicit TPosixOutputFile(int fd) : FFile(fd) {}

    bool Write(const char* data, std::size_t size, TSystemError& error) override {
        while (size > 0) {
            const ssize_t n = ::write(FFile.Fd(), data, size);
            if (n < 0) {
                if (errno == EINTR) continue;
                error = LastSystemError();
                return false;
            }
            if (n == 0) { // no progress and no error: report it rather than spin
                error = SystemErrorFromCode(EIO);
                return false;
            }
            data += n;
            size -= static_cast<std::size_t>(n);
        }
        return true;
    }

    bool Close(TSystemError& error) override { return FFile.Close(error); }

private:
    TDescriptor FFile;
};

class TPosixFileSystem final : public TFileSystem {
public:
    std::unique_ptr<TInputFile> OpenRead(const std::string& path, TSystemError& error) override {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            error = LastSystemError();
            return nullptr;
        }
        auto file = std::make_unique<TPosixInputFile>(fd);
        // A directory opens fine here but is no text to split: refuse it now, as Windows does.
        struct stat info {};
        if (::fstat(fd, &info) != 0) {
            error = LastSystemError();
            return nullptr;
        }
        if (S_ISDIR(info.st_mode)) {
            error = SystemErrorFromCode(EISDIR);
            return nullptr;
        }
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
        return file;
    }

    std::unique_ptr<TOutputFile> Create(const std::string& path, TSystemError& error) override {
        return Open(path, O_TRUNC, error);
    }

    std::unique_ptr<TOutputFile> CreateNew(const std::string& path, TSystemError& error) override {
        return Open(path, O_EXCL, error);
    }

    bool Rename(const std::string& from, const std::string& to, TSystemError& error) override {
        if (::rename(from.c_str(), to.c_str()) == 0) return true;
        error = LastSystemError();
        return false;
    }

    bool Remove(const std::string& path, TSystemError& error) override {
        if (::unlink(path.c_str()) == 0) return true;
        error = LastSystemError();
        return false;
    }

    bool ListDirectory(const std::string& path, std::vector<std::string>& names, TSystemError& error) override {
        DIR* dir = ::opendir(path.empty() ? "." : path.c_str());
        if (dir == nullptr) {
            error = LastSystemError();
            return false;
        }
        names.clear();
        errno = 0;
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
            errno = 0;
        }
        const int failure = errno;
        ::closedir(dir);
        if (failure == 0) return true;
        error = SystemErrorFromCode(failure);
        return false;
    }

    bool Status(const std::string& path, TFileStatus& status, TSystemError& error) override {
        struct stat info {};
        status = {};
        if (::stat(path.c_str(), &info) != 0) {
            if (errno == ENOENT || errno == ENOTDIR) return true;
            error = LastSystemError();
            return false;
        }
        status.Exists = true;
        status.Directory = S_ISDIR(info.st_mode);
        status.Size = static_cast<std::uint64_t>(info.st_size);
        status.Device = static_cast<std::uint64_t>(info.st_dev);
        status.Id = static_cast<std::uint64_t>(info.st_ino);
        return true;
    }

private:
    static std::unique_ptr<TOutputFile> Open(const std::string& path, int how, TSystemError& error) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | how | O_CLOEXEC, 0666);
        if (fd < 0) {
            error = LastSystemError();
            return nullptr;
        }
        return std::make_unique<TPosixOutputFile>(fd);
    }
};

} // namespace

TFileSystem& NativeFileSystem() {
    static TPosixFileSystem system;
    return system;
}

bool IsDirectory(const std::string& path, TSystemError& error) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        error = LastSystemError();
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        error = SystemErrorFromCode(ENOTDIR);
        return false;
    }
    return true;
}

} // namespace orvo
