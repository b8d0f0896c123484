// The sample data sets' state machine and events.
#include "components/DataSet.h"

#include <algorithm>

FW_PUBLISH(TDataSet) {
    p.Property("Active", &TDataSet::Active, &TDataSet::SetActive).Default(false);
    p.Property("AutoCalcFields", &TDataSet::AutoCalcFields, &TDataSet::SetAutoCalcFields).Default(true);
    p.Property("Filter", &TDataSet::Filter, &TDataSet::SetFilter);
    p.Property("Filtered", &TDataSet::Filtered, &TDataSet::SetFiltered).Default(false);
    p.Event("AfterCancel", &TDataSet::AfterCancel);
    p.Event("AfterClose", &TDataSet::AfterClose);
    p.Event("AfterDelete", &TDataSet::AfterDelete);
    p.Event("AfterEdit", &TDataSet::AfterEdit);
    p.Event("AfterInsert", &TDataSet::AfterInsert);
    p.Event("AfterOpen", &TDataSet::AfterOpen);
    p.Event("AfterPost", &TDataSet::AfterPost);
    p.Event("AfterScroll", &TDataSet::AfterScroll);
    p.Event("BeforeCancel", &TDataSet::BeforeCancel);
    p.Event("BeforeClose", &TDataSet::BeforeClose);
    p.Event("BeforeDelete", &TDataSet::BeforeDelete);
    p.Event("BeforeEdit", &TDataSet::BeforeEdit);
    p.Event("BeforeInsert", &TDataSet::BeforeInsert);
    p.Event("BeforeOpen", &TDataSet::BeforeOpen);
    p.Event("BeforePost", &TDataSet::BeforePost);
    p.Event("BeforeScroll", &TDataSet::BeforeScroll);
    p.Event("OnCalcFields", &TDataSet::OnCalcFields);
    p.Event("OnDeleteError", &TDataSet::OnDeleteError);
    p.Event("OnEditError", &TDataSet::OnEditError);
    p.Event("OnFilterRecord", &TDataSet::OnFilterRecord);
    p.Event("OnNewRecord", &TDataSet::OnNewRecord);
    p.Event("OnPostError", &TDataSet::OnPostError);
}

FW_PUBLISH(TDBDataSet) {
    p.Property("DatabaseName", &TDBDataSet::DatabaseName, &TDBDataSet::SetDatabaseName);
}

namespace {
// A handler answering "retry" for an error that keeps happening must not hang the program.
constexpr int MaxRetries = 8;
} // namespace

TDataSet::TDataSet(TComponent* owner) : TComponent(owner) {
}

TDataSet::~TDataSet() {
    Destroying();
    // Closing quietly: the handlers may belong to components already gone.
    FActive = false;
    FState = dsInactive;
}

void TDataSet::Notify(const TDataSetNotifyEvent& event) {
    if (event) event(this);
}

void TDataSet::SetActive(bool value) {
    if (ComponentState().Contains(csLoading)) {
        FStreamedActive = value;
        return;
    }
    if (value == FActive) return;
    if (value)
        DoOpen();
    else
        DoClose();
}

void TDataSet::Loaded() {
    TComponent::Loaded();
    if (FStreamedActive) {
        FStreamedActive = false;
        SetActive(true);
    }
}

void TDataSet::DoOpen() {
    CheckCanOpen();
    Notify(BeforeOpen);
    FActive = true;
    FState = dsBrowse;
    FRecNo = 0;
    MoveTo(1, true);
    FBof = true;
    Notify(AfterOpen);
    if (FRecNo > 0) Notify(AfterScroll);
}

void TDataSet::DoClose() {
    Notify(BeforeClose);
    FActive = false;
    FState = dsInactive;
    FRecNo = 0;
    FBof = FEof = true;
    Notify(AfterClose);
}

void TDataSet::CheckActive() const {
    if (!FActive) throw EDatabaseError("Cannot perform this operation on a closed dataset");
}

void TDataSet::CheckWritable() const {
    if (FReadOnly) throw EDatabaseError("Cannot modify a read-only dataset");
}

void TDataSet::RunWithErrorEvent(const TDataSetErrorEvent& event, const std::function<void()>& operation) {
    for (int attempt = 0;; ++attempt) {
        try {
            operation();
            return;
        } catch (EDatabaseError& e) {
            TDataAction action = daFail;
            if (event) event(this, &e, action);
            if (action == daAbort) throw EAbort("Operation aborted");
            if (action == daRetry && attempt < MaxRetries) continue;
            throw;
        }
    }
}

// ---- moving -----------------------------------------------------------------------------------------------

bool TDataSet::Accepts(int recNo) {
    if (!FFiltered || !OnFilterRecord) return true;
    const int saved = FRecNo;
    FRecNo = recNo;
    bool accept = true;
    OnFilterRecord(this, accept);
    FRecNo = saved;
    return accept;
}

// The first accepted record from `recNo` on in the direction; stays put (setting Bof or Eof) when none.
void TDataSet::MoveTo(int recNo, bool forward) {
    for (int r = recNo; r >= 1 && r <= FRecordCount; r += forward ? 1 : -1) {
        if (Accepts(r)) {
            FRecNo = r;
            FBof = FEof = false;
            if (FAutoCalcFields) Notify(OnCalcFields);
            return;
        }
    }
    if (forward)
        FEof = true;
    else
        FBof = true;
    if (FRecordCount == 0 || FRecNo == 0) FBof = FEof = true;
}

void TDataSet::First() {
    CheckActive();
    if (FState == dsEdit || FState == dsInsert) Post();
    Notify(BeforeScroll);
    FRecNo = 0;
    MoveTo(1, true);
    FBof = true;
    Notify(AfterScroll);
}

void TDataSet::Last() {
    CheckActive();
    if (FState == dsEdit || FState == dsInsert) Post();
    Notify(BeforeScroll);
    MoveTo(FRecordCount, false);
    FEof = true;
    Notify(AfterScroll);
}

void TDataSet::Next() {
    CheckActive();
    if (FState == dsEdit || FState == dsInsert) Post();
    Notify(BeforeScroll);
    MoveTo(FRecNo + 1, true);
    Notify(AfterScroll);
}

void TDataSet::Prior() {
    CheckActive();
    if (FState == dsEdit || FState == dsInsert) Post();
    Notify(BeforeScroll);
    MoveTo(FRecNo - 1, false);
    Notify(AfterScroll);
}

// ---- editing ----------------------------------------------------------------------------------------------

void TDataSet::Edit() {
    if (FState == dsEdit || FState == dsInsert) return;
    RunWithErrorEvent(OnEditError, [this] {
        CheckActive();
        CheckWritable();
        if (FRecordCount == 0) throw EDatabaseError("Cannot perform this operation on an empty dataset");
    });
    Notify(BeforeEdit);
    FState = dsEdit;
    Notify(AfterEdit);
}

void TDataSet::Insert() {
    CheckActive();
    CheckWritable();
    if (FState == dsEdit || FState == dsInsert) Post();
    Notify(BeforeInsert);
    FState = dsInsert;
    FAppending = false;
    Notify(OnNewRecord);
    Notify(AfterInsert);
}

void TDataSet::Append() {
    Insert();
    FAppending = true;
}

void TDataSet::Post() {
    CheckActive();
    if (FState != dsEdit && FState != dsInsert) throw EDatabaseError("Dataset not in edit or insert mode");
    Notify(BeforePost);
    RunWithErrorEvent(OnPostError, [this] { CheckWritable(); });
    if (FState == dsInsert) {
        ++FRecordCount;
        FRecNo = FAppending || FRecNo == 0 ? FRecordCount : FRecNo;
        FBof = FEof = false;
    }
    FState = dsBrowse;
    FAppending = false;
    Notify(AfterPost);
}

void TDataSet::Cancel() {
    if (FState != dsEdit && FState != dsInsert) return;
    Notify(BeforeCancel);
    FState = dsBrowse;
    FAppending = false;
    Notify(AfterCancel);
}

void TDataSet::Delete() {
    CheckActive();
    if (FState == dsInsert) {
        Cancel();
        return;
    }
    RunWithErrorEvent(OnDeleteError, [this] {
        CheckWritable();
        if (FRecordCount == 0 || FRecNo == 0)
            throw EDatabaseError("Cannot perform this operation on an empty dataset");
    });
    Notify(BeforeDelete);
    --FRecordCount;
    FState = dsBrowse;
    Notify(AfterDelete);
    const int from = std::min(FRecNo, FRecordCount);
    FRecNo = 0;
    MoveTo(from, true);
    if (FRecNo == 0) MoveTo(from, false);
    Notify(AfterScroll);
}

// ---- TDBDataSet -------------------------------------------------------------------------------------------

TDBDataSet::TDBDataSet(TComponent* owner) : TDataSet(owner) {
}

void TDBDataSet::SetDatabaseName(const std::string& name) {
    if (Active()) throw EDatabaseError("Cannot perform this operation on an open dataset");
    FDatabaseName = name;
}
