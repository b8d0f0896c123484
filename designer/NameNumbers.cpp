#include "NameNumbers.h"

#include "core/Component.h"

#include <algorithm>
#include <string_view>

namespace {

// The number the digits spell, saturated: a name like Button99999999999 still counts as big.
int64_t DigitsValue(std::string_view digits) {
    int64_t value = 0;
    for (char c : digits) {
        if (value > (INT64_MAX - 9) / 10) return INT64_MAX;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number `name` carries for `base`, or -1 when it carries none.
int64_t NumberFor(std::string_view name, std::string_view base) {
    if (name.size() <= base.size() || name.substr(0, base.size()) != base) return -1;
    const std::string_view rest = name.substr(base.size());
    return std::all_of(rest.begin(), rest.end(), IsDigit) ? DigitsValue(rest) : -1;
}

} // namespace

TNameNumbers::TBase& TNameNumbers::Base(const std::string& base) {
    auto [it, made] = FBases.try_emplace(base);
    if (made)
        for (int i = 0; i < FOwner.ComponentCount(); ++i)
            if (const int64_t number = NumberFor(FOwner.Components(i)->Name(), base); number >= 0)
                ++it->second.Uses[number];
    return it->second;
}

int64_t TNameNumbers::Next(const std::string& base) {
    TBase& b = Base(base);
    if (b.Stale) {
        // Every use of a number no greater than the count so far covers one more.
        int64_t n = 1;
        for (const auto& [number, uses] : b.Uses) {
            if (number > n) break;
            n += uses;
        }
        b.Next = n;
        b.Stale = false;
    }
    return b.Next;
}

void TNameNumbers::Count(const std::string& name, int change) {
    // The bases the name counts for end where its trailing digits begin, or after one of them.
    size_t digitsStart = name.size();
    while (digitsStart > 0 && IsDigit(name[digitsStart - 1]))
        --digitsStart;
    for (size_t end = digitsStart; end < name.size(); ++end) {
        auto found = FBases.find(name.substr(0, end));
        if (found == FBases.end()) continue;
        TBase& b = found->second;
        const int64_t number = DigitsValue(std::string_view(name).substr(end));
        const int uses = b.Uses[number] += change;
        if (uses <= 0) b.Uses.erase(number);
        // A new use at or below the next number covers one more, and the numbers above the old next one
        // that the count reaches now cover theirs. A use going away may uncover any number.
        if (change > 0 && !b.Stale && number <= b.Next) {
            const int64_t old = b.Next++;
            for (auto it = b.Uses.upper_bound(old); it != b.Uses.end() && it->first <= b.Next; ++it)
                b.Next += it->second;
        } else if (change < 0) {
            b.Stale = true;
        }
    }
}
