// TDesignHistory: the undo history of a design, a bounded list of steps.
//
// A step holds the design state before and after one edit, with the selection at both times. The
// position counts the steps that are done: Undo goes back over the step before it, Redo forward over the
// one after it; a new step drops what could be redone. The oldest steps go once there are more than the
// step limit or they hold more memory than the byte limit (the newest step always stays).
//
// An edit that goes on over many events (the root's window dragged by its frame, a value typed into the
// inspector key by key) makes its steps with one continuation number: a step that continues the one just
// made joins it, and when it ends where that step began, the step goes.
#pragma once

#include "DesignSnapshot.h"

#include <cstddef>
#include <cstdint>
#include <deque>

#pragma GCC visibility push(default)

struct TDesignStep {
    TDesignStatePtr Before;
    TDesignStatePtr After;
    TSelectionState SelectionBefore;
    TSelectionState SelectionAfter;
    // The edit the step belongs to when it goes on over many events; 0 for a single edit.
    uint64_t Continuation = 0;
    size_t Bytes = 0;
};

class TDesignHistory {
public:
    static constexpr int DefaultMaxSteps = 100;
    static constexpr size_t DefaultMaxBytes = size_t(64) << 20;

    void SetLimits(int maxSteps, size_t maxBytes);
    int MaxSteps() const { return FMaxSteps; }
    size_t MaxBytes() const { return FMaxBytes; }

    int Count() const { return static_cast<int>(FSteps.size()); }
    int Position() const { return FPosition; }
    size_t Bytes() const { return FBytes; }
    bool CanUndo() const { return FPosition > 0; }
    bool CanRedo() const { return FPosition < Count(); }
    const TDesignStep& Step(int index) const { return FSteps[static_cast<size_t>(index)]; }

    // Whether a step of this continuation would join the last step: it is the newest, nothing is undone,
    // and it has the same non-zero continuation.
    bool Continues(uint64_t continuation) const;
    // A new step after the position; what could be redone goes.
    void Push(TDesignStep step);
    // The last step ends in another state now (see Continues); when that is the state it began in, the
    // step goes.
    void Continue(TDesignStatePtr after, TSelectionState selection);
    void MovedBack() { --FPosition; }
    void MovedForward() { ++FPosition; }
    void Clear();

private:
    void DropRedo();
    void Trim();
    static size_t SizeOf(const TDesignStep& step, const TDesignStep* previous);

    std::deque<TDesignStep> FSteps;
    int FPosition = 0;
    size_t FBytes = 0;
    int FMaxSteps = DefaultMaxSteps;
    size_t FMaxBytes = DefaultMaxBytes;
};

#pragma GCC visibility pop
