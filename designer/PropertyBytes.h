// TPropertyBytes: the property list the form stream stores for one object, held in pieces so that large
// binary values (a picture's data) are shared rather than copied.
//
// A recorded design holds one property list per component, and most of them never change from one
// step to the next. The pieces are immutable and shared: a list copied into a new record copies
// pointers, and a picture's bytes, written once, are one piece held by every record that stores them.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#pragma GCC visibility push(default)

using TBytePiece = std::shared_ptr<const std::string>;

class TPropertyBytes {
public:
    TPropertyBytes() = default;
    explicit TPropertyBytes(std::string bytes);

    // Adds bytes at the end: small ones join the last piece when it is not shared, large shared ones are
    // kept as they are.
    void Append(std::string bytes);
    void AppendShared(TBytePiece piece);

    bool Empty() const { return FSize == 0; }
    size_t Size() const { return FSize; }
    // The whole list in one string.
    std::string Joined() const;
    const std::vector<TBytePiece>& Pieces() const { return FPieces; }

    // Equal bytes, however they are cut into pieces.
    bool operator==(const TPropertyBytes& other) const;
    // The memory of the pieces that `other` does not share.
    size_t OwnBytes(const TPropertyBytes* other) const;

private:
    std::vector<TBytePiece> FPieces;
    size_t FSize = 0;
    bool FLastShared = false; // the last piece came from AppendShared
};

#pragma GCC visibility pop
