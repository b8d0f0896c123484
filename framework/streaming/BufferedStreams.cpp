#include "streaming/BufferedStreams.h"

#include <algorithm>

// ---- TBufferedInput ---------------------------------------------------------------------------------------

TBufferedInput::TBufferedInput(TStream& stream, size_t capacity)
    : FStream(stream), FBuffer(new char[capacity + ReadAhead]()), FCapacity(capacity) {
    FCurrent = FEnd = FBuffer.get();
}

bool TBufferedInput::Refill() {
    const int64_t n = FStream.Read(FBuffer.get(), static_cast<int64_t>(FCapacity));
    FCurrent = FBuffer.get();
    FEnd = FCurrent + std::max<int64_t>(n, 0);
    FBuffer[FEnd - FCurrent] = '\0';
    return FEnd != FCurrent;
}

void TBufferedInput::Read(void* data, size_t count) {
    char* out = static_cast<char*>(data);
    while (count > 0) {
        const std::string_view chunk = Take(count);
        std::memcpy(out, chunk.data(), chunk.size());
        out += chunk.size();
        count -= chunk.size();
    }
}

void TBufferedInput::ReadAppend(std::string& text, size_t count) {
    while (count > 0) {
        const std::string_view chunk = Take(count);
        text.append(chunk);
        count -= chunk.size();
    }
}

std::string_view TBufferedInput::Take(size_t maxCount) {
    if (FCurrent == FEnd && !Refill()) ThrowReadError();
    const size_t n = std::min(maxCount, static_cast<size_t>(FEnd - FCurrent));
    const std::string_view chunk(FCurrent, n);
    FCurrent += n;
    return chunk;
}

void TBufferedInput::ReturnUnread() {
    if (FEnd != FCurrent) FStream.Seek(-(FEnd - FCurrent), soCurrent);
    FCurrent = FEnd = FBuffer.get();
    FBuffer[0] = '\0';
}

void TBufferedInput::ThrowReadError() {
    throw EReadError("Stream read error");
}

// ---- TBufferedOutput --------------------------------------------------------------------------------------

TBufferedOutput::TBufferedOutput(TStream& stream, size_t capacity)
    : FStream(stream), FBuffer(new char[capacity]) {
    FCurrent = FBuffer.get();
    FEnd = FCurrent + capacity;
}

void TBufferedOutput::Flush() {
    const int64_t n = FCurrent - FBuffer.get();
    FCurrent = FBuffer.get();
    FStream.WriteBuffer(FBuffer.get(), n);
}

void TBufferedOutput::WriteLarge(const void* data, size_t count) {
    Flush();
    if (count >= static_cast<size_t>(FEnd - FCurrent)) {
        FStream.WriteBuffer(data, static_cast<int64_t>(count));
    } else {
        std::memcpy(FCurrent, data, count);
        FCurrent += count;
    }
}
