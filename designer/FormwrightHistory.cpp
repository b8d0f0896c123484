// TFormwright: the undo history. Edits are bracketed (the designer's input handling, its public
// operations, the inspector's edits); at the end of the outermost bracket in which the design was changed,
// the design is captured and, when it differs from the state the history last saw, recorded as one step.
// What an edit is known to have changed (NoteChanged) decides whose values are written again. Undo and
// redo restore a recorded state onto the live design. The modified flag says whether the design differs
// from the state last saved or loaded.
#include "CustomObjectInspector.h"
#include "DesignHistory.h"
#include "DesignIdentities.h"
#include "DesignRestore.h"
#include "EditContainer.h"
#include "EditGrab.h"
#include "Formwright.h"
#include "PropertyRecorder.h"
#include "core/Exceptions.h"
#include "ui/Control.h"

namespace {

// The continuation of the root's window moved on and on (dragged by its frame).
constexpr uint64_t RootWindowMoves = UINT64_MAX;

} // namespace

// ---- noting changes ---------------------------------------------------------------------------------------

void TFormwright::Modified() {
    // Putting a state back sets values, and moves the root's window, without it being an edit.
    if (FRestoring) return;
    if (!FRoot || !FCurrentState) {
        TCustomDesigner::Modified();
        return;
    }
    if (Inspector()) Inspector()->RefreshValues();
    NoteChange();
}

void TFormwright::DesignChanged() {
    if (FRestoring) return;
    if (!FRoot || !FCurrentState) SetModifiedFlag();
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

void TFormwright::NoteChanged(TComponent* component) {
    FNotes.Described = true;
    if (component && FRoot) FNotes.Ids.insert(FIds->IdOf(component));
}

void TFormwright::NoteSelectionChanged() {
    NoteChanged(nullptr);
    for (int i = 0; i < SelectionCount(); ++i)
        NoteChanged(ComponentOf(Selected(i)));
}

void TFormwright::NoteChangedAround(TComponent* component) {
    NoteChanged(component);
    if (!component || !FRoot) return;
    // A value may change others beside it (a radio button unchecks its siblings) and below it.
    const auto note = [this](TComponent* other) { NoteChanged(other); };
    TComponent* scope = DesignStreamRoot(*this);
    if (TComponent* parent = component->HasParent() ? component->GetParentComponent() : nullptr)
        parent->GetChildren(note, parent->ComponentState().Contains(csInline) ? parent : scope);
    component->GetChildren(note, component->ComponentState().Contains(csInline) ? component : scope);
}

void TFormwright::NoteRestacked() {
    FNotes.Described = true;
    FNotes.Restacked = true;
}

void TFormwright::NoteEverythingChanged() {
    FEverythingChanged = true;
}

void TFormwright::ObjectEdited(TPersistent* instance) {
    auto* component = dynamic_cast<TComponent*>(instance);
    if (!component) return NoteEverythingChanged();
    NoteChangedAround(component);
    // A value may make a control's window anew (a border style).
    NoteRestacked();
}

// ---- brackets and steps -----------------------------------------------------------------------------------

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

void TFormwright::BeginContinuedChange() {
    FContinuation = FNextContinuation++;
}

void TFormwright::EndContinuedChange() {
    FContinuation = 0;
}

TDesignStatePtr TFormwright::CaptureNow(const TChangeNotes* notes) {
    return CaptureDesign(*this, *FIds, *FBinaries, FCurrentState.get(), notes);
}

void TFormwright::CommitChange(bool succeeded) {
    FChangePending = false;
    const TChangeNotes notes = std::exchange(FNotes, {});
    const bool everything = std::exchange(FEverythingChanged, false);
    if (!FRoot || !FCurrentState) return;
    TDesignStatePtr state = CaptureNow(everything ? nullptr : &notes);
    if (state->SameAs(*FCurrentState)) return;
    TSelectionState selection = CaptureSelection(*this, *FIds);
    // A failed edit is a step of its own: undo takes back what it changed before it failed.
    const uint64_t continuation = !succeeded ? 0 : FRootWindowChange ? RootWindowMoves : FContinuation;
    if (FHistory->Continues(continuation))
        FHistory->Continue(state, std::move(selection));
    else
        FHistory->Push(
            {FCurrentState, state, std::move(FSelectionAtStart), std::move(selection), continuation, 0});
    FCurrentState = std::move(state);
    UpdateModifiedFlag();
    HistoryChanged();
}

void TFormwright::UpdateModifiedFlag() {
    SetModifiedFlag(!FSavedState || !FCurrentState || !FCurrentState->SameAs(*FSavedState));
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
    FNotes = {};
    FEverythingChanged = false;
    FContinuation = 0;
    FCurrentState = CaptureDesign(*this, *FIds, *FBinaries, nullptr, nullptr);
    FSavedState = FCurrentState;
    SetModifiedFlag(false);
}

void TFormwright::EndHistory() {
    FHistory->Clear();
    FIds->Clear();
    FCurrentState.reset();
    FSavedState.reset();
    FLoadBefore.reset();
    FChangePending = false;
    FNotes = {};
    FEverythingChanged = false;
    FContinuation = 0;
}

bool TFormwright::CanUndo() const {
    return FHistory->CanUndo();
}

bool TFormwright::CanRedo() const {
    return FHistory->CanRedo();
}

void TFormwright::MarkSaved() {
    // Inside an edit the history has not seen the design yet: it is captured as it is.
    if (FRoot && FCurrentState) FSavedState = FChangePending ? CaptureNow(nullptr) : FCurrentState;
    SetModifiedFlag(false);
}

bool TFormwright::HistoryMatchesDesign() {
    if (!FRoot || !FCurrentState) return true;
    TBinaryCache cache;
    return CaptureDesign(*this, *FIds, cache, nullptr, nullptr)->SameAs(*FCurrentState);
}

void TFormwright::SetHistoryLimits(int maxSteps, size_t maxBytes) {
    const int count = FHistory->Count();
    FHistory->SetLimits(maxSteps, maxBytes);
    if (FHistory->Count() != count) HistoryChanged();
}

// ---- loads ------------------------------------------------------------------------------------------------

void TFormwright::BeginLoad() {
    BeginDesignChange();
    NoteEverythingChanged();
    if (FRoot && FCurrentState) FLoadBefore = FChangePending ? CaptureNow(nullptr) : FCurrentState;
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
            RestoreState(*CaptureNow(nullptr), *before);
        } catch (const Exception&) {
            // The load's own failure is the one to report.
        }
        ShowPlaceholders();
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
    // Text typed into the inspector and not applied yet is dropped: applied, it would be a new step, and
    // what could be redone would be lost. A value typed key by key is a finished step now.
    EndContinuedChange();
    if (Inspector()) Inspector()->DropPendingEdit();
    if (FChangePending) CommitChange(true);
    if (back ? !CanUndo() : !CanRedo()) return;
    const TDesignStep& step = FHistory->Step(back ? FHistory->Position() - 1 : FHistory->Position());
    const TDesignStatePtr target = back ? step.Before : step.After;
    const TSelectionState selection = back ? step.SelectionBefore : step.SelectionAfter;
    // Only what moved by itself since the last step is looked for; the values are those recorded.
    const TChangeNotes nothing{true, {}};
    const TDesignStatePtr live = CaptureNow(&nothing);
    auto failed = ScopeGuard([this] {
        // The design as it was before the attempt comes back, its placeholders shown; failing that, the
        // history goes on from what there is.
        if (!FRoot) return;
        try {
            RestoreState(*CaptureNow(nullptr), *FCurrentState);
        } catch (...) {
            try {
                FCurrentState = CaptureNow(nullptr);
            } catch (...) {
                // The history keeps the state it had; the first failure is the one reported.
            }
        }
        ShowPlaceholders();
        UpdateModifiedFlag();
        SelectionChanged();
    });
    RestoreState(*live, *target);
    failed.Dismiss();
    if (back)
        FHistory->MovedBack();
    else
        FHistory->MovedForward();
    FCurrentState = target;
    UpdateModifiedFlag();
    SelectRecorded(selection);
    SelectionChanged();
    if (Inspector()) Inspector()->RefreshValues();
    HistoryChanged();
}

void TFormwright::RestoreState(const TDesignState& live, const TDesignState& state) {
    // Nothing may point at components that go, and the grab and corner marks let go of windows that
    // may be made anew.
    ClearSelection(true);
    if (Inspector()) {
        Inspector()->DropPendingEdit();
        Inspector()->ClearInspection();
    }
    {
        const auto update = ComponentUpdateScope(Inspector());
        const TRestore<bool> restoring(FRestoring, true);
        TDesignRestorer(*this, *FIds, *FBinaries).Restore(live, state);
    }
    if (FGrab->Visible()) FGrab->BringHandlesToFront();
}

void TFormwright::ShowPlaceholders() {
    for (TEditContainer* placeholder : FPlaceholders) {
        placeholder->MoveToDesignPosition();
        placeholder->Show();
    }
}

void TFormwright::SelectRecorded(const TSelectionState& selection) {
    TMarksBatch batch(this);
    for (uint32_t id : selection) {
        TComponent* component = FIds->Find(id);
        if (!component) continue;
        TControl* object = dynamic_cast<TControl*>(component);
        if (!object) object = FindPlaceholder(component);
        if (object && !IsSelected(object))
            SelectObject(object, false);
        else if (!object && selection.size() == 1 && IsWrittenInDesign(component))
            FSelectedChild = component;
    }
    if (FSelectedChild) FGrab->FreeNotification(FSelectedChild);
}

void TFormwright::UndoClick(TObject*) {
    Undo();
}

void TFormwright::RedoClick(TObject*) {
    Redo();
}
