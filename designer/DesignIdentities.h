// TDesignIdentities: a lasting number for every component a design history has seen.
//
// Undo matches the components of a recorded design with the live ones by these numbers, not by name, so a
// renamed component is still the same one. A component freed by an edit keeps its number in the history;
// when undo makes it again, the new object takes that number (Bind). Numbers are never reused.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>

#pragma GCC visibility push(default)

class TComponent;

class TDesignIdentities {
public:
    TDesignIdentities();
    ~TDesignIdentities();
    TDesignIdentities(const TDesignIdentities&) = delete;
    TDesignIdentities& operator=(const TDesignIdentities&) = delete;

    // The component's number; a component seen for the first time gets a new one.
    uint32_t IdOf(TComponent* component);
    // The live component with this number, or null.
    TComponent* Find(uint32_t id) const;
    // A component made again by undo takes the number of the one it stands for.
    void Bind(TComponent* component, uint32_t id);
    // Forgets every live component (their numbers stay used).
    void Clear();

private:
    class TWatcher;
    void Forget(TComponent* component);

    std::unique_ptr<TWatcher> FWatcher;
    std::unordered_map<TComponent*, uint32_t> FIds;
    std::unordered_map<uint32_t, TComponent*> FComponents;
    uint32_t FNext = 1;
};

#pragma GCC visibility pop
