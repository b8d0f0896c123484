// TQuery: a sample data set over the result of an SQL statement.
#pragma once

#include "components/DataSet.h"

#include <memory>

#pragma GCC visibility push(default)

class TStrings;
class TStringList;

class TQuery : public TDBDataSet {
    FW_CLASS(TQuery, TDBDataSet)
public:
    explicit TQuery(TComponent* owner);
    ~TQuery() override;

    // The statement's lines. Changing them closes an open query. Opening with no statement fails with
    // EDatabaseError "No SQL statement available".
    TStrings* SQL() const;
    void SetSQL(TStrings* sql); // copies
    // A live result can be edited; otherwise the query is read-only.
    bool RequestLive() const { return FRequestLive; }
    void SetRequestLive(bool value);
    bool UniDirectional() const { return FUniDirectional; }
    void SetUniDirectional(bool value) { FUniDirectional = value; }

protected:
    void CheckCanOpen() override;

private:
    std::unique_ptr<TStringList> FSQL;
    bool FRequestLive = false;
    bool FUniDirectional = false;
};

#pragma GCC visibility pop
