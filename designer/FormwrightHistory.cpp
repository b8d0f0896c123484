// TFormwright: the undo history. Edits are bracketed (the designer's input handling, its public
// operations, the inspector's edits); at the end of the outermost bracket in which the design was changed,
// the design is captured and, when it differs from the state the history last saw, recorded as one step.
// Undo and redo restore a recorded state onto the live design.
#include "CustomObjectInspector.h"
#include "DesignHistory.h"
#include "DesignIdentities.h"
#include "DesignRestore.h"
#include "EditContainer.h"
#include "EditGrab.h"
#include "Formwright.h"

void TFormwright::Modified() {
    // Putting a state back sets values, and moves the root's window, without it being an edit.
    if (FRestoring) return;
    TCustomDesigner::Modified();
    NoteChange();
}

void TFormwright::DesignChanged() {
    if (FRestoring) return;
    SetModifiedFlag();
    NoteChange();
}

void TFormwright::NoteChange() {
    if (FRestoring || !FRoot || !FCurrentState) return;
    FChangePending = true;
    if (FChangeDepth > 0) return;
    // A change outside any bracket (a value set by a property editor) is a step of its own at once.
    FSelectionAtStart = CaptureSelection(*this, *FIds);
    CommitChange(true);
}

void TFormwright::BeginDesignChange() {
    if (FChangeDepth++ > 0) return;
    FChangeFailed = false;
    // A drag is one edit from the press to the release: the selection before it is the one at the press.
    if (FRoot && FCurrentState && !FRestoring && FDragMode == ddNone)
        FSelectionAtStart = CaptureSelection(*this, *FIds);
}

void TFormwright::EndDesignChange(bool succeeded) {
    if (FChangeDepth == 0) return;
    if (!succeeded) FChangeFailed = true;
    if (--FChangeDepth > 0) return;
    const bool failed = FChangeFailed;
    FChangeFailed = false;
    // A failed edit may have changed something before it failed, without saying so.
    if (!FRestoring && (FChangePending || failed)) CommitChange(!failed);
}

void TFormwright::CommitChange(bool succeeded) {
    FChangePending = false;
    if (!FRoot || !FCurrentState) return;
    TDesignStatePtr state = CaptureDesign(*this, *FIds, FCurrentState.get());
    if (state->SameAs(*FCurrentState)) return;
    TSelectionState selection = CaptureSelection(*this, *FIds);
    const int position = FHistory->Position();
    // The root's window moving on (dragged by its frame) continues the step of its last move.
    const bool continues = succeeded && FRootWindowChange && position == FHistory->Count() && position > 0 &&
                           FHistory->Step(position - 1).RootWindowChange;
    if (!succeeded || continues) {
        // A failed edit leaves no step: what it changed joins the step before it.
        if (!FHistory->ExtendLast(state, std::move(selection))) FHistory->ForgetSavedHere();
    } else {
        FHistory->Push(
            {FCurrentState, state, std::move(FSelectionAtStart), std::move(selection), FRootWindowChange, 0});
    }
    FCurrentState = std::move(state);
    SetModifiedFlag(!FHistory->AtSaved());
    HistoryChanged();
}

void TFormwright::HistoryChanged() {
    RefreshDesignCheck();
    if (OnHistoryChange) OnHistoryChange(this);
}

// ---- attaching --------------------------------------------------------------------------------------------

void TFormwright::StartHistory() {
    FHistory->Clear();
    FIds->Clear();
    FChangePending = false;
    FCurrentState = CaptureDesign(*this, *FIds, nullptr);
    SetModifiedFlag(false);
}

void TFormwright::EndHistory() {
    FHistory->Clear();
    FIds->Clear();
    FCurrentState.reset();
    FLoadBefore.reset();
    FChangePending = false;
}

bool TFormwright::CanUndo() const {
    return FHistory->CanUndo();
}

bool TFormwright::CanRedo() const {
    return FHistory->CanRedo();
}

void TFormwright::MarkSaved() {
    FHistory->MarkSaved();
    SetModifiedFlag(false);
}

void TFormwright::SetHistoryLimits(int maxSteps, size_t maxBytes) {
    const int count = FHistory->Count();
    FHistory->SetLimits(maxSteps, maxBytes);
    if (FHistory->Count() != count) HistoryChanged();
}

// ---- loads ------------------------------------------------------------------------------------------------

void TFormwright::BeginLoad() {
    BeginDesignChange();
    if (FRoot) FLoadBefore = CaptureDesign(*this, *FIds, FCurrentState.get());
}

void TFormwright::EndLoad(bool succeeded) {
    const TDesignStatePtr before = std::move(FLoadBefore);
    FLoadBefore.reset();
    if (succeeded) {
        FChangePending = true;
        EndDesignChange(true);
        // The loaded design is the one on disk.
        if (FChangeDepth == 0) MarkSaved();
        return;
    }
    if (before && FRoot) {
        try {
            RestoreState(*before);
        } catch (const Exception&) {
            // The load's own failure is the one to report.
        }
    }
    EndDesignChange(false);
}

// ---- undo and redo ----------------------------------------------------------------------------------------

void TFormwright::Undo() {
    StepHistory(true);
}

void TFormwright::Redo() {
    StepHistory(false);
}

void TFormwright::StepHistory(bool back) {
    if (!FRoot || FRestoring || (back ? !CanUndo() : !CanRedo())) return;
    StopDrag();
    // A value typed into the inspector and not applied yet is the newest change: it is applied first.
    if (Inspector()) Inspector()->ClearInspection();
    if (FChangePending) CommitChange(true);
    if (back ? !CanUndo() : !CanRedo()) {
        SelectionChanged();
        return;
    }
    const TDesignStep& step = FHistory->Step(back ? FHistory->Position() - 1 : FHistory->Position());
    const TDesignStatePtr target = back ? step.Before : step.After;
    const TSelectionState selection = back ? step.SelectionBefore : step.SelectionAfter;
    auto failed = ScopeGuard([this] {
        // What was put back so far stays, and the history goes on from there.
        if (!FRoot) return;
        FCurrentState = CaptureDesign(*this, *FIds, FCurrentState.get());
        FHistory->ForgetSavedHere();
        SetModifiedFlag();
        SelectionChanged();
    });
    RestoreState(*target);
    failed.Dismiss();
    if (back)
        FHistory->MovedBack();
    else
        FHistory->MovedForward();
    FCurrentState = target;
    SetModifiedFlag(!FHistory->AtSaved());
    SelectRecorded(selection);
    SelectionChanged();
    if (Inspector()) Inspector()->RefreshValues();
    HistoryChanged();
}

void TFormwright::RestoreState(const TDesignState& state) {
    // Nothing may point at components that go, and the grab and corner marks let go of windows that
    // may be made anew.
    ClearSelection(true);
    if (Inspector()) Inspector()->ClearInspection();
    {
        const auto update = ComponentUpdateScope(Inspector());
        const TRestore<bool> restoring(FRestoring, true);
        TDesignRestorer(*this, *FIds).Restore(state);
    }
    if (FGrab->Visible()) FGrab->BringHandlesToFront();
}

void TFormwright::SelectRecorded(const TSelectionState& selection) {
    TMarksBatch batch(this);
    for (uint32_t id : selection) {
        TComponent* component = FIds->Find(id);
        if (!component) continue;
        TControl* object = dynamic_cast<TControl*>(component);
        if (!object) object = FindPlaceholder(component);
        if (object && !IsSelected(object)) SelectObject(object, false);
    }
}

void TFormwright::UndoClick(TObject*) {
    Undo();
}

void TFormwright::RedoClick(TObject*) {
    Redo();
}
