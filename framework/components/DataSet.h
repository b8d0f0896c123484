// TDataSet and TDBDataSet: the base of the sample data-set components TTable and TQuery.
//
// The sample data sets keep no field values: a record is a position among RecordCount records. What they
// do have is a data set's state machine and its complete event list, raised in the order a data set
// raises them:
//   Open    BeforeOpen, (opened), AfterOpen, AfterScroll       Close   BeforeClose, (closed), AfterClose
//   Edit    BeforeEdit, (dsEdit), AfterEdit                    Insert  BeforeInsert, (dsInsert),
//                                                                      OnNewRecord, AfterInsert
//   Post    BeforePost, (stored), AfterPost                    Cancel  BeforeCancel, (dropped), AfterCancel
//   Delete  BeforeDelete, (removed), AfterDelete, AfterScroll
//   moving  BeforeScroll, (moved), OnCalcFields, AfterScroll
// With Filtered set, moving skips the records OnFilterRecord does not accept. A failing edit, post or
// delete asks OnEditError, OnPostError or OnDeleteError what to do: fail (raise), abort (EAbort) or
// retry (at most a few times).
#pragma once

#include "core/Component.h"

#include <functional>

#pragma GCC visibility push(default)

FW_DECLARE_EXCEPTION(EDatabaseError, Exception);

class TDataSet;

FW_ENUM(TDataSetState, dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields);
FW_ENUM(TDataAction, daFail, daAbort, daRetry);
FW_EVENT_TYPE(TDataSetNotifyEvent, void(TDataSet* DataSet));
FW_EVENT_TYPE(TDataSetErrorEvent, void(TDataSet* DataSet, EDatabaseError* E, TDataAction& Action));
FW_EVENT_TYPE(TFilterRecordEvent, void(TDataSet* DataSet, bool& Accept));

class TDataSet : public TComponent {
    FW_CLASS(TDataSet, TComponent)
public:
    explicit TDataSet(TComponent* owner);
    ~TDataSet() override;

    // ---- state
    bool Active() const { return FActive; }
    // While the data set is being read from a form, opening waits until it is loaded.
    void SetActive(bool value);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return FState; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value) { FReadOnly = value; }
    bool AutoCalcFields() const { return FAutoCalcFields; }
    void SetAutoCalcFields(bool value) { FAutoCalcFields = value; }
    const std::string& Filter() const { return FFilter; }
    void SetFilter(const std::string& filter) { FFilter = filter; }
    bool Filtered() const { return FFiltered; }
    void SetFiltered(bool value) { FFiltered = value; }

    // ---- records
    int RecordCount() const { return FRecordCount; }
    // 1-based; 0 when there is no current record.
    int RecNo() const { return FRecNo; }
    bool Bof() const { return FBof; }
    bool Eof() const { return FEof; }
    void First();
    void Last();
    void Next();
    void Prior();

    // ---- editing. Each fails with EDatabaseError: "Cannot perform this operation on a closed dataset",
    // "Cannot modify a read-only dataset", "Dataset not in edit or insert mode", "Cannot perform this
    // operation on an empty dataset".
    void Edit();
    void Insert();
    void Append();
    void Post();
    void Cancel();
    void Delete();

    TDataSetNotifyEvent AfterCancel, AfterClose, AfterDelete, AfterEdit, AfterInsert, AfterOpen, AfterPost,
        AfterScroll;
    TDataSetNotifyEvent BeforeCancel, BeforeClose, BeforeDelete, BeforeEdit, BeforeInsert, BeforeOpen,
        BeforePost, BeforeScroll;
    TDataSetNotifyEvent OnCalcFields;
    TDataSetErrorEvent OnDeleteError;
    TDataSetErrorEvent OnEditError;
    TFilterRecordEvent OnFilterRecord;
    TDataSetNotifyEvent OnNewRecord;
    TDataSetErrorEvent OnPostError;

    void Loaded() override;

protected:
    // Data sets with a data source check it here before opening (raise EDatabaseError to refuse).
    virtual void CheckCanOpen() {}

private:
    void DoOpen();
    void DoClose();
    void CheckActive() const;
    void CheckWritable() const;
    void Notify(const TDataSetNotifyEvent& event);
    bool Accepts(int recNo);
    void MoveTo(int recNo, bool forward);
    void RunWithErrorEvent(const TDataSetErrorEvent& event, const std::function<void()>& operation);

    bool FActive = false;
    bool FStreamedActive = false;
    TDataSetState FState = dsInactive;
    bool FReadOnly = false;
    bool FAutoCalcFields = true;
    std::string FFilter;
    bool FFiltered = false;
    int FRecordCount = 0;
    int FRecNo = 0;
    bool FBof = true;
    bool FEof = true;
    bool FAppending = false;
};

// A data set that belongs to a database named by an alias.
class TDBDataSet : public TDataSet {
    FW_CLASS(TDBDataSet, TDataSet)
public:
    explicit TDBDataSet(TComponent* owner);
    const std::string& DatabaseName() const { return FDatabaseName; }
    // Fails with EDatabaseError "Cannot perform this operation on an open dataset" while active.
    void SetDatabaseName(const std::string& name);

private:
    std::string FDatabaseName;
};

#pragma GCC visibility pop
