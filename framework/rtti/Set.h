// TSet<E>: a set of up to 32 values of an enumeration (or a small integer range starting at 0), stored as
// bits. Its ordinal value, as published properties read and write it, is the bit mask.
#pragma once

#include <cstdint>
#include <initializer_list>

#pragma GCC visibility push(default)

template <class E> class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values) {
        for (E v : values)
            FBits |= Bit(v);
    }
    static constexpr TSet FromBits(uint32_t bits) {
        TSet s;
        s.FBits = bits;
        return s;
    }

    constexpr uint32_t Bits() const { return FBits; }
    constexpr bool Contains(E v) const { return (FBits & Bit(v)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSet& Include(E v) {
        FBits |= Bit(v);
        return *this;
    }
    constexpr TSet& Exclude(E v) {
        FBits &= ~Bit(v);
        return *this;
    }

    friend constexpr TSet operator+(TSet a, TSet b) { return FromBits(a.FBits | b.FBits); }
    friend constexpr TSet operator-(TSet a, TSet b) { return FromBits(a.FBits & ~b.FBits); }
    friend constexpr TSet operator*(TSet a, TSet b) { return FromBits(a.FBits & b.FBits); }
    friend constexpr bool operator==(TSet a, TSet b) = default;
    constexpr TSet& operator+=(TSet b) { return *this = *this + b; }
    constexpr TSet& operator-=(TSet b) { return *this = *this - b; }

private:
    static constexpr uint32_t Bit(E v) {
        return static_cast<unsigned>(v) < 32 ? 1u << static_cast<unsigned>(v) : 0;
    }
    uint32_t FBits = 0;
};

#pragma GCC visibility pop
