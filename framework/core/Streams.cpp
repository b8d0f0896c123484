#include "core/Streams.h"

#include "core/SysUtils.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int64_t CopyChunk = 64 * 1024;

int64_t ResolveSeek(int64_t offset, TSeekOrigin origin, int64_t position, int64_t size) {
    int64_t base = 0;
    switch (origin) {
    case soBeginning:
        base = 0;
        break;
    case soCurrent:
        base = position;
        break;
    case soEnd:
        base = size;
        break;
    }
    if ((offset > 0 && base > std::numeric_limits<int64_t>::max() - offset) || base + offset < 0)
        throw EStreamError("Invalid stream position");
    return base + offset;
}

} // namespace

// ---- TStream ----------------------------------------------------------------------------------------------

int64_t TStream::Size() {
    const int64_t position = Seek(0, soCurrent);
    const int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::SetSize(int64_t) {
    throw EStreamError("Stream size cannot be changed");
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count > 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count > 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    const int64_t total = count;
    std::string chunk(static_cast<size_t>(std::clamp<int64_t>(count, 1, CopyChunk)), '\0');
    while (count > 0) {
        const int64_t n = std::min<int64_t>(count, static_cast<int64_t>(chunk.size()));
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        count -= n;
    }
    return total;
}

// ---- TMemoryStream ----------------------------------------------------------------------------------------

TMemoryStream::~TMemoryStream() {
    std::free(FData);
}

void TMemoryStream::Reserve(int64_t capacity) {
    if (capacity <= FCapacity) return;
    // Grow geometrically so that a sequence of small writes stays linear.
    int64_t newCapacity = std::max<int64_t>({capacity, FCapacity + FCapacity / 2, 256});
    void* data = std::realloc(FData, static_cast<size_t>(newCapacity));
    if (!data) throw std::bad_alloc();
    FData = static_cast<uint8_t*>(data);
    FCapacity = newCapacity;
}

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    if (count <= 0 || FPosition >= FSize) return 0;
    const int64_t n = std::min(count, FSize - FPosition);
    std::memcpy(buffer, FData + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) return 0;
    const int64_t end = FPosition + count;
    if (end > FSize) {
        Reserve(end);
        if (FPosition > FSize) std::memset(FData + FSize, 0, static_cast<size_t>(FPosition - FSize));
        FSize = end;
    }
    std::memcpy(FData + FPosition, buffer, static_cast<size_t>(count));
    FPosition = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    FPosition = ResolveSeek(offset, origin, FPosition, FSize);
    return FPosition;
}

void TMemoryStream::SetSize(int64_t newSize) {
    if (newSize < 0) throw EStreamError("Invalid stream size");
    if (newSize > FSize) {
        Reserve(newSize);
        std::memset(FData + FSize, 0, static_cast<size_t>(newSize - FSize));
    }
    FSize = newSize;
    FPosition = std::min(FPosition, FSize);
}

void TMemoryStream::Clear() {
    std::free(FData);
    FData = nullptr;
    FSize = FCapacity = FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    const int64_t size = source.Size();
    SetSize(size);
    FPosition = 0;
    source.ReadBuffer(FData, size);
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead);
    LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& destination) {
    destination.WriteBuffer(FData, FSize);
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

// ---- TStringStream ----------------------------------------------------------------------------------------

int64_t TStringStream::Read(void* buffer, int64_t count) {
    const int64_t size = Size();
    if (count <= 0 || FPosition >= size) return 0;
    const int64_t n = std::min(count, size - FPosition);
    std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TStringStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) return 0;
    const int64_t end = FPosition + count;
    if (end > Size()) FData.resize(static_cast<size_t>(end)); // fills a gap past the end with zeros
    std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition = end;
    return count;
}

int64_t TStringStream::Seek(int64_t offset, TSeekOrigin origin) {
    FPosition = ResolveSeek(offset, origin, FPosition, Size());
    return FPosition;
}

void TStringStream::SetSize(int64_t newSize) {
    if (newSize < 0) throw EStreamError("Invalid stream size");
    FData.resize(static_cast<size_t>(newSize));
    FPosition = std::min(FPosition, newSize);
}

// ---- TFileStream ------------------------------------------------------------------------------------------

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) : FFileName(fileName) {
    if (mode == fmCreate) {
        FHandle = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (FHandle < 0) throw EFCreateError(Format("Cannot create file %s", fileName));
        return;
    }
    int flags = O_RDONLY;
    if ((mode & 0x3) == fmOpenWrite) flags = O_WRONLY;
    if ((mode & 0x3) == fmOpenReadWrite) flags = O_RDWR;
    FHandle = ::open(fileName.c_str(), flags | O_CLOEXEC);
    struct stat info {};
    // A directory opens for reading on POSIX but is not a file.
    if (FHandle >= 0 && (::fstat(FHandle, &info) != 0 || S_ISDIR(info.st_mode))) {
        ::close(FHandle);
        FHandle = -1;
    }
    if (FHandle < 0) throw EFOpenError(Format("Cannot open file %s", fileName));
}

TFileStream::~TFileStream() {
    if (FHandle >= 0 && FOwnsHandle) ::close(FHandle);
}

void TFileStream::Flush() {
    if (::fsync(FHandle) != 0) {
        FWriteError = errno;
        throw EWriteError("Stream write error");
    }
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
    int64_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(FHandle, static_cast<char*>(buffer) + done,
                                 static_cast<size_t>(std::min<int64_t>(count - done, 1 << 30)));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    int64_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(FHandle, static_cast<const char*>(buffer) + done,
                                  static_cast<size_t>(std::min<int64_t>(count - done, 1 << 30)));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) FWriteError = errno;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
    const off_t result = ::lseek(FHandle, static_cast<off_t>(offset), whence);
    if (result < 0) throw EStreamError("Invalid stream position");
    return result;
}

int64_t TFileStream::Size() {
    struct stat info {};
    if (::fstat(FHandle, &info) != 0) throw EReadError("Stream read error");
    return info.st_size;
}

void TFileStream::SetSize(int64_t newSize) {
    if (newSize < 0) throw EStreamError("Invalid stream size");
    const int64_t position = Position();
    if (::ftruncate(FHandle, static_cast<off_t>(newSize)) != 0) throw EWriteError("Stream write error");
    if (position > newSize) Seek(newSize, soBeginning);
}
