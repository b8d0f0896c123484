#include "DesignHistory.h"

#include <algorithm>

void TDesignHistory::SetLimits(int maxSteps, size_t maxBytes) {
    FMaxSteps = std::max(maxSteps, 1);
    FMaxBytes = maxBytes;
    Trim();
}

size_t TDesignHistory::SizeOf(const TDesignStep& step, const TDesignStep* previous) {
    size_t size =
        sizeof(TDesignStep) + (step.SelectionBefore.capacity() + step.SelectionAfter.capacity()) * 4;
    // The state before is mostly the one the previous step ended in, and the state after mostly shares
    // its records with the state before.
    if (step.Before && (!previous || previous->After != step.Before))
        size += previous && previous->After ? step.Before->ByteSize(previous->After.get())
                                            : step.Before->FullBytes;
    if (step.After) size += step.After->ByteSize(step.Before.get());
    return size;
}

void TDesignHistory::DropRedo() {
    while (Count() > FPosition) {
        FBytes -= FSteps.back().Bytes;
        FSteps.pop_back();
    }
}

bool TDesignHistory::Continues(uint64_t continuation) const {
    return continuation != 0 && FPosition > 0 && FPosition == Count() &&
           FSteps.back().Continuation == continuation;
}

void TDesignHistory::Push(TDesignStep step) {
    DropRedo();
    step.Bytes = SizeOf(step, FSteps.empty() ? nullptr : &FSteps.back());
    FBytes += step.Bytes;
    FSteps.push_back(std::move(step));
    ++FPosition;
    Trim();
}

void TDesignHistory::Continue(TDesignStatePtr after, TSelectionState selection) {
    TDesignStep& last = FSteps.back();
    FBytes -= last.Bytes;
    if (after->SameAs(*last.Before)) {
        FSteps.pop_back();
        --FPosition;
        return;
    }
    last.After = std::move(after);
    last.SelectionAfter = std::move(selection);
    last.Bytes = SizeOf(last, FSteps.size() > 1 ? &FSteps[FSteps.size() - 2] : nullptr);
    FBytes += last.Bytes;
    Trim();
}

void TDesignHistory::Clear() {
    FSteps.clear();
    FPosition = 0;
    FBytes = 0;
}

void TDesignHistory::Trim() {
    while (Count() > FMaxSteps || (FBytes > FMaxBytes && Count() > 1)) {
        if (FPosition == 0) {
            // Everything is undone (limits lowered meanwhile): the far end of what can be redone goes.
            FBytes -= FSteps.back().Bytes;
            FSteps.pop_back();
            continue;
        }
        FBytes -= FSteps.front().Bytes;
        FSteps.pop_front();
        --FPosition;
        // The new first step now holds its state before alone.
        if (!FSteps.empty()) {
            FBytes -= FSteps.front().Bytes;
            FSteps.front().Bytes = SizeOf(FSteps.front(), nullptr);
            FBytes += FSteps.front().Bytes;
        }
    }
}
