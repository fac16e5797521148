// What every file system answers when it lacks an operation, and SameFile.
#include "platform/file_system.h"

namespace orvo {

namespace {
bool Unsupported(TSystemError& error) {
    error = {0, "not supported by this file system"};
    return false;
}
} // namespace

std::unique_ptr<TOutputFile> TFileSystem::CreateNew(const std::string& path, TSystemError& error) {
    TFileStatus status;
    if (!Status(path, status, error)) return nullptr;
    if (status.Exists) {
        error = {0, "the file exists"};
        return nullptr;
    }
    return Create(path, error);
}

bool TFileSystem::Rename(const std::string&, const std::string&, TSystemError& error) {
    return Unsupported(error);
}

bool TFileSystem::Remove(const std::string&, TSystemError& error) {
    return Unsupported(error);
}

bool TFileSystem::ListDirectory(const std::string&, std::vector<std::string>&, TSystemError& error) {
    return Unsupported(error);
}

bool TFileSystem::Status(const std::string&, TFileStatus&, TSystemError& error) {
    return Unsupported(error);
}

bool SameFile(TFileSystem& files, const std::string& a, const std::string& b) {
    TFileStatus first;
    TFileStatus second;
    TSystemError ignored;
    if (!files.Status(a, first, ignored) || !files.Status(b, second, ignored)) return false;
    return first.Exists && second.Exists && first.Device == second.Device && first.Id == second.Id;
}

} // namespace orvo
