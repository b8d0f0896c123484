// Block-buffered reading and writing over a TStream, so that converters working byte by byte make one
// virtual stream call per block instead of one per byte.
#pragma once

#include "core/Streams.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#pragma GCC visibility push(default)

class TBufferedInput {
public:
    static constexpr size_t DefaultCapacity = 64 * 1024;
    static constexpr size_t ReadAhead = 16;

    explicit TBufferedInput(TStream& stream, size_t capacity = DefaultCapacity);
    TBufferedInput(const TBufferedInput&) = delete;
    TBufferedInput& operator=(const TBufferedInput&) = delete;

    // The unread part of the buffer. A zero byte always follows End(), so scanning loops that stop at a
    // zero byte need no bounds check; they must then compare with End() to tell it from a real zero.
    // At least ReadAhead bytes after End() may be read (word-at-a-time scanning).
    const char* Current() const { return FCurrent; }
    const char* End() const { return FEnd; }
    void Advance(size_t count) { FCurrent += count; }
    void SetCurrent(const char* position) { FCurrent = position; }
    // Once the buffer is used up (Current() == End()), reads the next block; false at the end of the stream.
    bool Refill();

    // Exact reads; running out of input fails with EReadError "Stream read error".
    uint8_t ReadByte() {
        if (FCurrent == FEnd && !Refill()) ThrowReadError();
        return static_cast<uint8_t>(*FCurrent++);
    }
    void Read(void* data, size_t count);
    // Appends `count` bytes to `text`; memory grows with the data actually read, so a bogus length in
    // the input cannot make it allocate more than the input holds.
    void ReadAppend(std::string& text, size_t count);
    // `count` bytes, straight from the buffer when it holds them all, else gathered in `scratch`. The
    // view is valid until the next read.
    std::string_view ReadView(size_t count, std::string& scratch) {
        if (count <= static_cast<size_t>(FEnd - FCurrent)) {
            const std::string_view view(FCurrent, count);
            FCurrent += count;
            return view;
        }
        scratch.clear();
        ReadAppend(scratch, count);
        return scratch;
    }
    // Up to `maxCount` bytes (at least one) straight from the buffer.
    std::string_view Take(size_t maxCount);

    // Seeks the stream back over the bytes read ahead but not consumed, so that the stream stands just
    // after the last byte consumed.
    void ReturnUnread();

    [[noreturn]] static void ThrowReadError();

private:
    TStream& FStream;
    std::unique_ptr<char[]> FBuffer;
    size_t FCapacity;
    const char* FCurrent;
    const char* FEnd;
};

class TBufferedOutput {
public:
    static constexpr size_t DefaultCapacity = 64 * 1024;

    explicit TBufferedOutput(TStream& stream, size_t capacity = DefaultCapacity);
    TBufferedOutput(const TBufferedOutput&) = delete;
    TBufferedOutput& operator=(const TBufferedOutput&) = delete;

    void Put(char c) {
        if (FCurrent == FEnd) Flush();
        *FCurrent++ = c;
    }
    void Write(const void* data, size_t count) {
        if (count <= static_cast<size_t>(FEnd - FCurrent)) {
            std::memcpy(FCurrent, data, count);
            FCurrent += count;
        } else {
            WriteLarge(data, count);
        }
    }
    void Write(std::string_view text) { Write(text.data(), text.size()); }
    // Room for `count` bytes (at most the capacity) to fill directly; follow with Commit.
    char* Reserve(size_t count) {
        if (count > static_cast<size_t>(FEnd - FCurrent)) Flush();
        return FCurrent;
    }
    void Commit(size_t count) { FCurrent += count; }

    // Writes the buffered bytes to the stream. Nothing is flushed on destruction: output abandoned by an
    // exception stays unwritten.
    void Flush();

private:
    void WriteLarge(const void* data, size_t count);

    TStream& FStream;
    std::unique_ptr<char[]> FBuffer;
    char* FCurrent;
    char* FEnd;
};

#pragma GCC visibility pop
