// The memory budget of one load or paste: what the input may make the program allocate beyond its own
// size (pictures decoded from it and the conversions they go through) is charged to one budget, so that
// many pictures of a file cannot together take what each alone may.
//
//     const TMemoryBudgetScope budget; // a load: every picture it reads is charged to this budget
//     ... ChargeMemory(bytes) before each large allocation the input asks for ...
//
// A scope opens a budget of LoadMemoryBudget bytes for the thread, or joins the one already open (a paste
// of several blocks reads each with its own reader). A charge past the budget fails with EOutOfResources
// "Pictures too large: together they need more than 512 MB of memory"; without an open budget a charge
// is weighed alone.
#pragma once

#include <cstdint>

#pragma GCC visibility push(default)

inline constexpr int64_t LoadMemoryBudget = int64_t(512) << 20;

class [[nodiscard]] TMemoryBudgetScope {
public:
    TMemoryBudgetScope();
    ~TMemoryBudgetScope();
    TMemoryBudgetScope(const TMemoryBudgetScope&) = delete;
    TMemoryBudgetScope& operator=(const TMemoryBudgetScope&) = delete;
};

// Counts `bytes` against the open budget, before they are allocated; fails when they do not fit.
void ChargeMemory(int64_t bytes);
// What the open budget has left, or the whole budget when none is open.
int64_t MemoryBudgetLeft();

#pragma GCC visibility pop
