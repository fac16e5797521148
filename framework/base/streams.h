// Streams of bytes: TStream (the interface), TMemoryStream, TFileStream (wide paths, share
// modes) and TResourceStream (a resource of the program or of any module, read-only).
// Read/Write move as many bytes as they can and return the count; ReadBuffer/WriteBuffer insist
// on the whole count and throw EReadError / EWriteError otherwise. A failing system call throws
// with the system's message: a short count always means end of data, never a hidden error.
#pragma once

#include "framework/base/object.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>
#include <windows.h>

namespace orvo {

enum class TSeekOrigin : std::uint8_t { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
    ORVO_CLASS(TStream, TObject)
public:
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    // The new position; a position before the start throws EStreamError.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
    virtual std::int64_t Size();
    virtual void SetSize(std::int64_t size);

    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);
    // Copies count bytes from the source's position; count 0 copies the whole source from its
    // start. Returns the count copied.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

// A stream over memory it does not own (the base of the memory and resource streams).
class TCustomMemoryStream : public TStream {
    ORVO_CLASS(TCustomMemoryStream, TStream)
public:
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return FSize; }
    const std::uint8_t* Memory() const noexcept { return FMemory; }
    void SaveToStream(TStream& dest);
    void SaveToFile(std::wstring_view path);

protected:
    void SetPointer(const std::uint8_t* memory, std::int64_t size) noexcept;
    std::int64_t FPosition = 0; // may lie beyond the end: writing there fills the gap with zeros

private:
    const std::uint8_t* FMemory = nullptr;
    std::int64_t FSize = 0;
};

class TMemoryStream : public TCustomMemoryStream {
    ORVO_CLASS(TMemoryStream, TCustomMemoryStream)
public:
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    void SetSize(std::int64_t size) override;
    using TCustomMemoryStream::Memory;
    std::uint8_t* Memory() noexcept { return FData.data(); }
    void Clear();
    // Replaces the content with the whole source (from its start) and rewinds.
    void LoadFromStream(TStream& source);
    void LoadFromFile(std::wstring_view path);

private:
    std::vector<std::uint8_t> FData;
};

// Open modes: one access mode, optionally or-ed with one share mode.
enum : std::uint16_t {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00, // creates or truncates, read and write
};

class TFileStream : public TStream {
    ORVO_CLASS(TFileStream, TStream)
public:
    // Throws EFOpenError / EFCreateError with the file name and the system's reason.
    TFileStream(std::wstring_view path, std::uint16_t mode);
    ~TFileStream() override;
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t size) override;
    const std::wstring& FileName() const noexcept { return FFileName; }
    HANDLE Handle() const noexcept { return FHandle; }

private:
    std::wstring FFileName;
    HANDLE FHandle = INVALID_HANDLE_VALUE;
};

// A resource's bytes; writing throws EStreamError. A missing resource throws EResNotFound
// "Resource TFMAINWIN not found".
class TResourceStream : public TCustomMemoryStream {
    ORVO_CLASS(TResourceStream, TCustomMemoryStream)
public:
    TResourceStream(HMODULE instance, std::wstring_view name, const wchar_t* type = RT_RCDATA);
    TResourceStream(HMODULE instance, int id, const wchar_t* type = RT_RCDATA);
    std::int64_t Write(const void* buffer, std::int64_t count) override;

private:
    void Load(HMODULE instance, const wchar_t* name, const wchar_t* type, const std::wstring& display);
};

} // namespace orvo
