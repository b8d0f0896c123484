#include "PropertyBytes.h"

#include <algorithm>
#include <cstring>

TPropertyBytes::TPropertyBytes(std::string bytes) {
    Append(std::move(bytes));
}

void TPropertyBytes::Append(std::string bytes) {
    if (bytes.empty()) return;
    FSize += bytes.size();
    if (!FPieces.empty() && !FLastShared) {
        // Small bytes stay together in one piece; pieces are never changed once made, so it is made anew.
        auto grown = std::make_shared<std::string>(*FPieces.back());
        *grown += bytes;
        FPieces.back() = std::move(grown);
        return;
    }
    FPieces.push_back(std::make_shared<const std::string>(std::move(bytes)));
    FLastShared = false;
}

void TPropertyBytes::AppendShared(TBytePiece piece) {
    if (!piece || piece->empty()) return;
    FSize += piece->size();
    FPieces.push_back(std::move(piece));
    FLastShared = true;
}

std::string TPropertyBytes::Joined() const {
    if (FPieces.size() == 1) return *FPieces.front();
    std::string joined;
    joined.reserve(FSize);
    for (const TBytePiece& piece : FPieces)
        joined += *piece;
    return joined;
}

bool TPropertyBytes::operator==(const TPropertyBytes& other) const {
    if (FSize != other.FSize) return false;
    if (FPieces.size() == other.FPieces.size()) {
        bool same = true;
        for (size_t i = 0; i < FPieces.size() && same; ++i)
            same = FPieces[i] == other.FPieces[i] || *FPieces[i] == *other.FPieces[i];
        if (same) return true;
    }
    // Cut differently: compared byte by byte across the pieces.
    size_t a = 0, b = 0, offsetA = 0, offsetB = 0;
    while (a < FPieces.size() && b < other.FPieces.size()) {
        const std::string& x = *FPieces[a];
        const std::string& y = *other.FPieces[b];
        const size_t count = std::min(x.size() - offsetA, y.size() - offsetB);
        if (std::memcmp(x.data() + offsetA, y.data() + offsetB, count) != 0) return false;
        offsetA += count;
        offsetB += count;
        if (offsetA == x.size()) ++a, offsetA = 0;
        if (offsetB == y.size()) ++b, offsetB = 0;
    }
    return true;
}

size_t TPropertyBytes::OwnBytes(const TPropertyBytes* other) const {
    size_t size = FPieces.capacity() * sizeof(TBytePiece);
    for (const TBytePiece& piece : FPieces) {
        const bool shared =
            other && std::find(other->FPieces.begin(), other->FPieces.end(), piece) != other->FPieces.end();
        if (!shared) size += sizeof(std::string) + piece->capacity();
    }
    return size;
}
