#include "framework/base/streams.h"

#include "framework/base/exceptions.h"
#include "framework/base/properties.h"
#include "framework/base/sysutils.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TStream);
ORVO_IMPLEMENT_CLASS(TCustomMemoryStream);
ORVO_IMPLEMENT_CLASS(TMemoryStream);
ORVO_IMPLEMENT_CLASS(TFileStream);
ORVO_IMPLEMENT_CLASS(TResourceStream);

namespace {

// The largest single ReadFile/WriteFile request.
constexpr std::int64_t IoChunk = std::int64_t{1} << 30;

std::wstring SystemReason() {
    return SysErrorMessage(GetLastError());
}

[[noreturn]] void InvalidSeek(std::int64_t position) {
    throw EStreamError(L"Invalid stream position " + IntToStr(position));
}

} // namespace

std::int64_t TStream::Size() {
    const std::int64_t position = Seek(0, TSeekOrigin::soCurrent);
    const std::int64_t size = Seek(0, TSeekOrigin::soEnd);
    Seek(position, TSeekOrigin::soBeginning);
    return size;
}

void TStream::SetSize(std::int64_t) {
    throw EStreamError(L"Stream size cannot be changed");
}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
    if (count < 0) throw EReadError(L"Stream read error");
    if (count != 0 && Read(buffer, count) != count) throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
    if (count < 0) throw EWriteError(L"Stream write error");
    if (count != 0 && Write(buffer, count) != count) throw EWriteError(L"Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    if (count < 0) throw EStreamError(L"Invalid copy count");
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<std::int64_t>(count, 0x10000)));
    std::int64_t left = count;
    while (left > 0) {
        const std::int64_t n = std::min<std::int64_t>(left, static_cast<std::int64_t>(buffer.size()));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return count;
}

void TCustomMemoryStream::SetPointer(const std::uint8_t* memory, std::int64_t size) noexcept {
    FMemory = memory;
    FSize = size;
}

std::int64_t TCustomMemoryStream::Read(void* buffer, std::int64_t count) {
    if (count <= 0 || FPosition >= FSize) return 0;
    const std::int64_t n = std::min(count, FSize - FPosition);
    std::memcpy(buffer, FMemory + FPosition, static_cast<std::size_t>(n));
    FPosition += n;
    return n;
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    std::int64_t base = 0;
    if (origin == TSeekOrigin::soCurrent) base = FPosition;
    if (origin == TSeekOrigin::soEnd) base = FSize;
    if ((offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset) || base + offset < 0)
        InvalidSeek(base + offset);
    FPosition = base + offset;
    return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream& dest) {
    dest.WriteBuffer(FMemory, FSize);
}

void TCustomMemoryStream::SaveToFile(std::wstring_view path) {
    TFileStream file(path, fmCreate);
    SaveToStream(file);
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0) return 0;
    if (FPosition > std::numeric_limits<std::int64_t>::max() - count)
        throw EWriteError(L"Stream write error");
    const std::int64_t end = FPosition + count;
    if (end > Size()) SetSize(end);
    std::memcpy(FData.data() + FPosition, buffer, static_cast<std::size_t>(count));
    FPosition = end;
    return count;
}

void TMemoryStream::SetSize(std::int64_t size) {
    if (size < 0 || static_cast<std::uint64_t>(size) > FData.max_size())
        throw EStreamError(L"Invalid stream size " + IntToStr(size));
    try {
        if (static_cast<std::size_t>(size) > FData.capacity())
            FData.reserve(std::max(static_cast<std::size_t>(size), FData.capacity() + FData.capacity() / 2));
        FData.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        throw EOutOfResources(L"Out of memory while growing a stream to " + IntToStr(size) + L" bytes");
    }
    SetPointer(FData.data(), size);
    if (FPosition > size) FPosition = size;
}

void TMemoryStream::Clear() {
    FData.clear();
    FData.shrink_to_fit();
    SetPointer(nullptr, 0);
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    const std::int64_t size = source.Size();
    SetSize(size);
    FPosition = 0;
    source.ReadBuffer(FData.data(), size);
}

void TMemoryStream::LoadFromFile(std::wstring_view path) {
    TFileStream file(path, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

TFileStream::TFileStream(std::wstring_view path, std::uint16_t mode) : FFileName(path) {
    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    switch (mode & 0x00F0) {
    case fmShareExclusive:
        share = 0;
        break;
    case fmShareDenyWrite:
        share = FILE_SHARE_READ;
        break;
    case fmShareDenyRead:
        share = FILE_SHARE_WRITE;
        break;
    default:
        break;
    }
    const bool create = (mode & fmCreate) == fmCreate;
    DWORD access = GENERIC_READ | GENERIC_WRITE;
    if (!create && (mode & 3) == fmOpenRead) access = GENERIC_READ;
    if (!create && (mode & 3) == fmOpenWrite) access = GENERIC_WRITE;
    FHandle = CreateFileW(FFileName.c_str(), access, share, nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (FHandle == INVALID_HANDLE_VALUE) {
        const std::wstring reason = SystemReason();
        if (create) throw EFCreateError(L"Cannot create file \"" + FFileName + L"\". " + reason);
        throw EFOpenError(L"Cannot open file \"" + FFileName + L"\". " + reason);
    }
}

TFileStream::~TFileStream() {
    if (FHandle != INVALID_HANDLE_VALUE) CloseHandle(FHandle);
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    while (done < count) {
        DWORD got = 0;
        const auto ask = static_cast<DWORD>(std::min(count - done, IoChunk));
        if (!ReadFile(FHandle, static_cast<std::uint8_t*>(buffer) + done, ask, &got, nullptr))
            throw EReadError(L"Cannot read file \"" + FFileName + L"\". " + SystemReason());
        if (got == 0) break;
        done += got;
    }
    return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    while (done < count) {
        DWORD put = 0;
        const auto ask = static_cast<DWORD>(std::min(count - done, IoChunk));
        if (!WriteFile(FHandle, static_cast<const std::uint8_t*>(buffer) + done, ask, &put, nullptr))
            throw EWriteError(L"Cannot write file \"" + FFileName + L"\". " + SystemReason());
        if (put == 0) break;
        done += put;
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    static constexpr DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER distance, result;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(FHandle, distance, &result, methods[static_cast<int>(origin)]))
        throw EStreamError(L"Cannot seek in file \"" + FFileName + L"\". " + SystemReason());
    return result.QuadPart;
}

void TFileStream::SetSize(std::int64_t size) {
    const std::int64_t position = Position();
    SetPosition(size);
    if (!SetEndOfFile(FHandle))
        throw EStreamError(L"Cannot change the size of file \"" + FFileName + L"\". " + SystemReason());
    if (position < size) SetPosition(position);
}

TResourceStream::TResourceStream(HMODULE instance, std::wstring_view name, const wchar_t* type) {
    const std::wstring text(name);
    Load(instance, text.c_str(), type, text);
}

TResourceStream::TResourceStream(HMODULE instance, int id, const wchar_t* type) {
    Load(instance, MAKEINTRESOURCEW(id), type, IntToStr(id));
}

void TResourceStream::Load(HMODULE instance, const wchar_t* name, const wchar_t* type,
                           const std::wstring& display) {
    HRSRC info = FindResourceW(instance, name, type);
    HGLOBAL handle = info ? LoadResource(instance, info) : nullptr;
    const void* data = handle ? LockResource(handle) : nullptr;
    if (!data) throw EResNotFound(L"Resource " + display + L" not found");
    SetPointer(static_cast<const std::uint8_t*>(data), SizeofResource(instance, info));
}

std::int64_t TResourceStream::Write(const void*, std::int64_t) {
    throw EStreamError(L"Can't write to a read-only resource stream");
}

} // namespace orvo
