#pragma once
// The few file operations the splitter needs, behind an interface so that the engine runs on the
// real system and, in tests, on an in-memory one that can fail at any step.
#include "platform/system_error.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace orvo {

// A file opened for reading. Destroying it closes it, ignoring any error.
class TInputFile {
public:
    virtual ~TInputFile() = default;
    // Reads up to `size` bytes into `buffer`; `got` is 0 only at the end of the file.
    virtual bool Read(char* buffer, std::size_t size, std::size_t& got, TSystemError& error) = 0;
    virtual bool Close(TSystemError& error) = 0;
    // The file's size, for telling progress; false when it cannot be told.
    virtual bool Size(std::uint64_t& size) {
        size = 0;
        return false;
    }
};

// A file opened for writing. Destroying it closes it, ignoring any error.
class TOutputFile {
public:
    virtual ~TOutputFile() = default;
    // Writes all `size` bytes or fails.
    virtual bool Write(const char* data, std::size_t size, TSystemError& error) = 0;
    virtual bool Close(TSystemError& error) = 0;
};

// Paths are UTF-8.
class TFileSystem {
public:
    virtual ~TFileSystem() = default;
    // Opens an existing file read-only (a directory is refused); other programs may read it too.
    virtual std::unique_ptr<TInputFile> OpenRead(const std::string& path, TSystemError& error) = 0;
    // Creates the file anew, truncating an existing one; others may read it while it is written.
    virtual std::unique_ptr<TOutputFile> Create(const std::string& path, TSystemError& error) = 0;
};

// The operating system's files.
TFileSystem& NativeFileSystem();

// True when `path` names an existing directory; otherwise false, with the reason in `error`.
bool IsDirectory(const std::string& path, TSystemError& error);

} // namespace orvo
