// TNameNumbers: the numbers that the names of one owner's components carry after a base name, kept up to
// date while many components are named, so that each new unique name costs about the same however many
// components the owner has.
//
// A name counts for a base when it starts with the base (letter case compared) and the rest is one or
// more digits: "Button12" carries 12 for "Button" and 2 for "Button1". The next name of a base takes the
// first number 1, 2, ... that the numbers in use do not cover, each use of a number (also "Button01"
// beside "Button1") covering one: with 1 and 3 in use that is 2; with 0 and 2 in use, 3.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>

#pragma GCC visibility push(default)

class TComponent;

class TNameNumbers {
public:
    // Reads the owner's names on the first question about each base.
    explicit TNameNumbers(const TComponent& owner) : FOwner(owner) {}

    // The number the next unique name of `base` takes.
    int64_t Next(const std::string& base);
    // Keep the numbers in step with the owner's names: a name given to an owned component, one it gave up.
    void Added(const std::string& name) { Count(name, +1); }
    void Removed(const std::string& name) { Count(name, -1); }

private:
    struct TBase {
        std::map<int64_t, int> Uses; // number -> how many names carry it
        int64_t Next = 1;
        bool Stale = true; // Next must be worked out again from Uses
    };
    TBase& Base(const std::string& base);
    void Count(const std::string& name, int change);

    const TComponent& FOwner;
    std::unordered_map<std::string, TBase> FBases;
};

#pragma GCC visibility pop
