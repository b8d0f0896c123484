// Byte streams: the abstract TStream and its memory, file and string implementations.
//
// Read and Write move as many bytes as they can and return that count; ReadBuffer and WriteBuffer insist
// on the whole count and fail with EReadError "Stream read error" / EWriteError "Stream write error", so
// reading past the end is always a stream error for them. Positions may be set past the end; a write
// there first fills the gap with zero bytes.
#pragma once

#include "core/Exceptions.h"

#include <cstdint>
#include <string>
#include <utility>

#pragma GCC visibility push(default)

enum TSeekOrigin { soBeginning, soCurrent, soEnd };
inline constexpr TSeekOrigin soFromBeginning = soBeginning;
inline constexpr TSeekOrigin soFromCurrent = soCurrent;
inline constexpr TSeekOrigin soFromEnd = soEnd;

class TStream {
public:
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;
    virtual ~TStream() = default;

    // Reads up to `count` bytes at the position and advances it; returns the bytes read (0 at the end).
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    // Writes up to `count` bytes at the position and advances it; returns the bytes written.
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Moves the position and returns the new one. A resulting position below 0 fails with EStreamError.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t position) { Seek(position, soBeginning); }
    virtual int64_t Size();
    // Cuts or extends (with zero bytes) the stream; the position is kept but not beyond the new end.
    virtual void SetSize(int64_t newSize);

    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    // Copies `count` bytes from the source's position; a count of 0 copies the whole source from its start.
    // Returns the number of bytes copied.
    int64_t CopyFrom(TStream& source, int64_t count);
};

// A stream in one contiguous, growable block of memory.
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    ~TMemoryStream() override;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return FSize; }
    void SetSize(int64_t newSize) override;

    // The stream's bytes; valid until the next write or size change.
    void* Memory() { return FData; }
    const void* Memory() const { return FData; }
    void Clear();

    // Replace the contents with the whole source stream, read from its start; the position becomes 0.
    void LoadFromStream(TStream& source);
    void LoadFromFile(const std::string& fileName);
    // Write the whole contents, whatever the position.
    void SaveToStream(TStream& destination);
    void SaveToFile(const std::string& fileName);

private:
    void Reserve(int64_t capacity);

    uint8_t* FData = nullptr;
    int64_t FSize = 0;
    int64_t FCapacity = 0;
    int64_t FPosition = 0;
};

// A stream over a std::string, handy where text goes in or comes out.
class TStringStream : public TStream {
public:
    explicit TStringStream(std::string data = {}) : FData(std::move(data)) {}

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return static_cast<int64_t>(FData.size()); }
    void SetSize(int64_t newSize) override;

    const std::string& DataString() const { return FData; }

private:
    std::string FData;
    int64_t FPosition = 0;
};

using TFileMode = uint16_t;
inline constexpr TFileMode fmOpenRead = 0x0000;
inline constexpr TFileMode fmOpenWrite = 0x0001;
inline constexpr TFileMode fmOpenReadWrite = 0x0002;
inline constexpr TFileMode fmCreate = 0xFF00; // create, or truncate an existing file; read and write

// A stream over an operating-system file. Opening fails with EFOpenError "Cannot open file %s", creating
// with EFCreateError "Cannot create file %s" (the file name as given).
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, TFileMode mode);
    // A stream over a descriptor the caller opened and keeps (the stream does not close it); `fileName`
    // names it in messages.
    TFileStream(int handle, std::string fileName)
        : FFileName(std::move(fileName)), FHandle(handle), FOwnsHandle(false) {}
    ~TFileStream() override;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override;
    void SetSize(int64_t newSize) override;

    // Hands everything written so far to the storage device, so the file survives a crash from here on.
    // Fails with EWriteError "Stream write error".
    void Flush();

    const std::string& FileName() const { return FFileName; }
    // The system's error number of the last write or flush that failed (ENOSPC on a full disk), else 0.
    int WriteErrorCode() const { return FWriteError; }

private:
    std::string FFileName;
    int FHandle = -1;
    bool FOwnsHandle = true;
    int FWriteError = 0;
};

#pragma GCC visibility pop
