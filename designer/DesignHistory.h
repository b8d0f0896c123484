// TDesignHistory: the undo history of a design, a bounded list of steps.
//
// A step holds the design state before and after one edit, with the selection at both times. The
// position counts the steps that are done: Undo goes back over the step before it, Redo forward over the
// one after it; a new step drops what could be redone. The oldest steps go once there are more than the
// step limit or they hold more memory than the byte limit (the newest step always stays). The position of
// the state last saved or loaded is kept, so the design is unmodified exactly when the position is back
// there.
#pragma once

#include "DesignSnapshot.h"

#include <cstddef>
#include <deque>

#pragma GCC visibility push(default)

struct TDesignStep {
    TDesignStatePtr Before;
    TDesignStatePtr After;
    TSelectionState SelectionBefore;
    TSelectionState SelectionAfter;
    // A move or resize of the root's window: the next one continues this step.
    bool RootWindowChange = false;
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

    // A new step after the position; what could be redone goes.
    void Push(TDesignStep step);
    // The step before the position ends in another state (a failed edit left changes, or the root's window
    // moved on); what could be redone goes. False when there is no step before the position.
    bool ExtendLast(TDesignStatePtr after, TSelectionState selection);
    void MovedBack() { --FPosition; }
    void MovedForward() { ++FPosition; }

    void MarkSaved() { FSaved = FPosition; }
    // The state at the position is no longer the one saved.
    void ForgetSavedHere();
    bool AtSaved() const { return FSaved == FPosition; }
    // Empties the history; the state at hand counts as saved.
    void Clear();

private:
    void DropRedo();
    void Trim();
    static size_t SizeOf(const TDesignStep& step, const TDesignStep* previous);

    std::deque<TDesignStep> FSteps;
    int FPosition = 0;
    int FSaved = 0; // -1: the saved state is in no step any more
    size_t FBytes = 0;
    int FMaxSteps = DefaultMaxSteps;
    size_t FMaxBytes = DefaultMaxBytes;
};

#pragma GCC visibility pop
