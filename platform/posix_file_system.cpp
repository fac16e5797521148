// The file system of POSIX systems (the native build).
#include "platform/file_system.h"

#include <cerrno>
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
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
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
