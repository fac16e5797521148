#include "fake_file_system.h"

#include <algorithm>
#include <cerrno>
#include <functional>

namespace orvo::test {

namespace {

class TFakeInput final : public TInputFile {
public:
    TFakeInput(TFakeFileSystem& owner, std::string content) : FOwner(owner), FContent(std::move(content)) {}
    ~TFakeInput() override {
        if (FOpen) FOwner.Released();
    }

    bool Read(char* buffer, std::size_t size, std::size_t& got, TSystemError& error) override {
        if (!FOpen) return Misuse(error);
        if (!FOwner.Pass(TFakeOp::Read, error)) return false;
        got = std::min({size, FOwner.MaxReadChunk, FContent.size() - FPosition});
        std::copy_n(FContent.data() + FPosition, got, buffer);
        FPosition += got;
        return true;
    }

    bool Close(TSystemError& error) override {
        if (!FOpen) return Misuse(error);
        FOpen = false;
        FOwner.Released();
        return FOwner.Pass(TFakeOp::CloseInput, error);
    }

    bool Size(std::uint64_t& size) override {
        size = FContent.size();
        return true;
    }

private:
    static bool Misuse(TSystemError& error) {
        error = {EBADF, "used after close"};
        return false;
    }

    TFakeFileSystem& FOwner;
    std::string FContent;
    std::size_t FPosition = 0;
    bool FOpen = true;
};

class TFakeOutput final : public TOutputFile {
public:
    TFakeOutput(TFakeFileSystem& owner, std::string& content) : FOwner(owner), FContent(content) {}
    ~TFakeOutput() override {
        if (FOpen) FOwner.Released();
    }

    bool Write(const char* data, std::size_t size, TSystemError& error) override {
        if (!FOpen) {
            error = {EBADF, "used after close"};
            return false;
        }
        if (!FOwner.Pass(TFakeOp::Write, error)) return false;
        std::size_t fits = 0;
        const bool room = FOwner.Reserve(size, fits);
        FContent.append(data, fits);
        if (!room) {
            error = {ENOSPC, "No space left on device"};
            return false;
        }
        return true;
    }

    bool Close(TSystemError& error) override {
        if (!FOpen) {
            error = {EBADF, "closed twice"};
            return false;
        }
        FOpen = false;
        FOwner.Released();
        return FOwner.Pass(TFakeOp::CloseOutput, error);
    }

private:
    TFakeFileSystem& FOwner;
    std::string& FContent;
    bool FOpen = true;
};

} // namespace

bool TFakeFileSystem::Pass(TFakeOp op, TSystemError& error) {
    std::lock_guard lock(FLock);
    if (++FCalls[Index(op)] != FFailAt[Index(op)]) return true;
    error = {FailureCode, FailureMessage};
    return false;
}

std::unique_ptr<TInputFile> TFakeFileSystem::OpenRead(const std::string& path, TSystemError& error) {
    if (!Pass(TFakeOp::Open, error)) return nullptr;
    std::lock_guard lock(FLock);
    const auto file = Files.find(path);
    if (file == Files.end()) {
        error = {ENOENT, "No such file"};
        return nullptr;
    }
    ++FOpenFiles;
    return std::make_unique<TFakeInput>(*this, file->second);
}

std::unique_ptr<TOutputFile> TFakeFileSystem::Create(const std::string& path, TSystemError& error) {
    if (!Pass(TFakeOp::Create, error)) return nullptr;
    std::lock_guard lock(FLock);
    std::string& content = Files[path];
    Freed(content.size());
    content.clear();
    ++FOpenFiles;
    return std::make_unique<TFakeOutput>(*this, content);
}

std::unique_ptr<TOutputFile> TFakeFileSystem::CreateNew(const std::string& path, TSystemError& error) {
    {
        std::lock_guard lock(FLock);
        if (Files.contains(path)) {
            error = {EEXIST, "File exists"};
            return nullptr;
        }
    }
    return Create(path, error);
}

bool TFakeFileSystem::Rename(const std::string& from, const std::string& to, TSystemError& error) {
    if (!Pass(TFakeOp::Rename, error)) return false;
    std::lock_guard lock(FLock);
    const auto file = Files.find(from);
    if (file == Files.end()) {
        error = {ENOENT, "No such file"};
        return false;
    }
    std::string content = std::move(file->second);
    Files.erase(file);
    const auto replaced = Files.find(to);
    if (replaced != Files.end()) FUsedSpace -= std::min(FUsedSpace, replaced->second.size());
    Files[to] = std::move(content);
    return true;
}

bool TFakeFileSystem::Remove(const std::string& path, TSystemError& error) {
    if (!Pass(TFakeOp::Remove, error)) return false;
    std::lock_guard lock(FLock);
    const auto file = Files.find(path);
    if (file != Files.end()) FUsedSpace -= std::min(FUsedSpace, file->second.size());
    if (Files.erase(path) == 0) {
        error = {ENOENT, "No such file"};
        return false;
    }
    return true;
}

bool TFakeFileSystem::ListDirectory(const std::string& path, std::vector<std::string>& names, TSystemError&) {
    std::lock_guard lock(FLock);
    names.clear();
    for (const auto& [name, content] : Files)
        if (name.starts_with(path) && name.find('/', path.size()) == std::string::npos)
            names.push_back(name.substr(path.size()));
    return true;
}

bool TFakeFileSystem::Status(const std::string& path, TFileStatus& status, TSystemError&) {
    std::lock_guard lock(FLock);
    status = {};
    const auto file = Files.find(path);
    if (file == Files.end()) return true;
    status.Exists = true;
    status.Size = file->second.size();
    status.Id = std::hash<std::string>()(path);
    return true;
}

} // namespace orvo::test
