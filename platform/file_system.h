#pragma once
// The few file operations the splitter needs, behind an interface so that the engine runs on the
// real system and, in tests, on an in-memory one that can fail at any step.
#include "platform/system_error.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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

// What a path names, and which file it is (two paths name the same file when their Device and
// Id are equal).
struct TFileStatus {
    bool Exists = false;
    bool Directory = false;
    std::uint64_t Size = 0;
    std::uint64_t Device = 0;
    std::uint64_t Id = 0;
};

// Paths are UTF-8.
class TFileSystem {
public:
    virtual ~TFileSystem() = default;
    // Opens an existing file read-only (a directory is refused); other programs may read it too.
    virtual std::unique_ptr<TInputFile> OpenRead(const std::string& path, TSystemError& error) = 0;
    // Creates the file anew, truncating an existing one; others may read it while it is written.
    virtual std::unique_ptr<TOutputFile> Create(const std::string& path, TSystemError& error) = 0;
    // Creates the file only if no file has that name; fails otherwise.
    virtual std::unique_ptr<TOutputFile> CreateNew(const std::string& path, TSystemError& error);
    // Gives `from` the name `to`, replacing a file of that name in one step.
    virtual bool Rename(const std::string& from, const std::string& to, TSystemError& error);
    virtual bool Remove(const std::string& path, TSystemError& error);
    // The names of the entries of a directory ("." and ".." left out).
    virtual bool ListDirectory(const std::string& path, std::vector<std::string>& names, TSystemError& error);
    // Whether `path` exists, and what it is; false when that cannot be told (a missing file is
    // no failure: Exists is false).
    virtual bool Status(const std::string& path, TFileStatus& status, TSystemError& error);
};

// True when both paths name one existing file.
bool SameFile(TFileSystem& files, const std::string& a, const std::string& b);

// The operating system's files.
TFileSystem& NativeFileSystem();

// True when `path` names an existing directory; otherwise false, with the reason in `error`.
bool IsDirectory(const std::string& path, TSystemError& error);

} // namespace orvo
